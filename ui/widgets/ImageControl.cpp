#include "ui/widgets/ImageControl.h"

#include <QImage>
#include <QPainter>

TImageControl::TImageControl(QWidget* parent) : QWidget(parent)
{
    Picture_.OnChange = [this] { update(); };
}

void TImageControl::paintEvent(QPaintEvent*)
{
    const TBitmap24* bitmap = Picture_.Bitmap();
    if (!bitmap || bitmap->Width() == 0 || bitmap->Height() == 0)
        return;
    // The bitmap's bytes are shown as they are, without a copy.
    const QImage image(bitmap->Bytes().data(), bitmap->Width(), bitmap->Height(),
                       static_cast<qsizetype>(bitmap->Stride()), QImage::Format_BGR888);
    QPainter painter(this);
    painter.drawImage(rect(), image);
}
