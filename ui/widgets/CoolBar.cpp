#include "ui/widgets/CoolBar.h"

#include <QPainter>
#include <qdrawutil.h>

TCoolBar::TCoolBar(QWidget* parent) : QWidget(parent) {}

void TCoolBar::SetBand(QWidget* control, int bandHeight)
{
    Band_ = control;
    BandHeight_ = bandHeight;
    Band_->setParent(this);
    setFixedHeight(bandHeight + 2 * EdgeWidth);
    PlaceBand();
}

void TCoolBar::resizeEvent(QResizeEvent*)
{
    if (Band_)
        PlaceBand();
}

void TCoolBar::PlaceBand()
{
    Band_->setGeometry(EdgeWidth + GripWidth, EdgeWidth, width() - 2 * EdgeWidth - GripWidth, BandHeight_);
}

void TCoolBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& p = palette();
    // The band's raised edge around the whole bar.
    qDrawShadePanel(&painter, rect(), p, false, 1);
    // The grip: two raised bars down the band's left side.
    for (int x : {EdgeWidth + 2, EdgeWidth + 5})
        qDrawShadePanel(&painter, x, EdgeWidth + 2, 3, BandHeight_ - 4, p, false, 1);
}
