#include "platform/PicturePreview.h"

#include <QFileInfo>
#include <QImageReader>
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

void TPicturePreview::ShowFile(const QString& path)
{
    QImage image;
    QSize size;
    if (QFileInfo(path).isFile()) {
        QImageReader reader(path);
        size = reader.size();
        if (size.isValid() && !FitsThePane(size))
            reader.setScaledSize(size.scaled(PaneSide, PaneSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        image = reader.read();
        if (!size.isValid())
            size = image.size();
        if (!FitsThePane(image.size()))
            image = image.scaled(PaneSide, PaneSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (image.isNull()) {
        Caption_->setText(QStringLiteral("(None)"));
        Picture_->clear();
        return;
    }
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
