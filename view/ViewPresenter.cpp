#include "view/ViewPresenter.h"

#include <QMouseEvent>
#include <QPainter>

TViewPresenter::TViewPresenter(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QImage& TViewPresenter::FrameImage(const QSize& size)
{
    // Blue, green, red, unused in memory: the window system's own format, so
    // painting copies rows without conversion, and the clear colour's alpha
    // (0.5) is ignored: the frame is opaque.
    if (Frame_.size() != size)
        Frame_ = QImage(size, QImage::Format_RGB32);
    return Frame_;
}

void TViewPresenter::Present()
{
    // What the previous frame covered beyond the new one goes back to the
    // window's colour.
    const QRect previous = FrameRect_;
    FrameRect_ = QRect(ShownRect_.topLeft(), Frame_.size());
    update(QRegion(FrameRect_) + previous);
}

void TViewPresenter::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRegion rest = QRegion(event->rect()) - FrameRect_;
    for (const QRect& r : rest)
        painter.fillRect(r, palette().window());
    if (!Frame_.isNull())
        painter.drawImage(FrameRect_.topLeft(), Frame_);
}

void TViewPresenter::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event);
}
