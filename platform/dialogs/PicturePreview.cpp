#include "platform/dialogs/PicturePreview.h"

#include "platform/pictures/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int PaneSide = 160;

bool FitsThePane(const QSize& size)
{
    return size.width() <= PaneSide && size.height() <= PaneSide;
}

} // namespace

TPicturePreview::TPicturePreview(QWidget* parent)
    : QFrame(parent), Caption_(new QLabel(this)), Picture_(new QLabel(this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Caption_->setAlignment(Qt::AlignCenter);
    Picture_->setAlignment(Qt::AlignCenter);
    Picture_->setFixedSize(PaneSide, PaneSide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Caption_);
    layout->addWidget(Picture_);
    layout->addStretch();
    ShowFile(QString());
}

// The picture is read with the picture store's own readers, so every format
// the store takes (metafiles included) previews, within the same size limits.
void TPicturePreview::ShowFile(const QString& path)
{
    TPicture picture;
    if (QFileInfo(path).isFile()) {
        try {
            picture.LoadFromFile(QFile::encodeName(path).toStdString());
        } catch (const std::exception&) {
            // Not a picture the store can read: shown as "(None)".
        }
    }
    if (picture.Empty()) {
        Caption_->setText(QStringLiteral("(None)"));
        Picture_->clear();
        return;
    }
    const QSize size(picture.Width(), picture.Height());
    const QSize shown =
        FitsThePane(size) ? size : size.scaled(PaneSide, PaneSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image(shown, QImage::Format_RGB32);
    QPainter painter(&image);
    picture.StretchDraw(painter, QRectF(QPointF(0, 0), shown));
    painter.end();
    Caption_->setText(QStringLiteral("(%1 x %2)").arg(size.width()).arg(size.height()));
    Picture_->setPixmap(QPixmap::fromImage(image));
}

QString TPicturePreview::Caption() const
{
    return Caption_->text();
}

QSize TPicturePreview::PictureSize() const
{
    return Picture_->pixmap().size();
}
