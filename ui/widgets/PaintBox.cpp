#include "ui/widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter, event->rect());
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick();
}
