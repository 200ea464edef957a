#include "ui/widgets/DrawGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace {

const QColor GridLineColour(192, 192, 192);

// How many whole cells of a pitch fit into a length, at least one.
int WholeCells(int length, int pitch)
{
    return std::max(1, length / pitch);
}

} // namespace

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void TDrawGrid::SetGridSize(int colCount, int rowCount, int colWidth, int rowHeight)
{
    ColCount_ = std::max(1, colCount);
    RowCount_ = std::max(1, rowCount);
    ColWidth_ = std::max(1, colWidth);
    RowHeight_ = std::max(1, rowHeight);
    Col_ = std::min(Col_, ColCount_ - 1);
    Row_ = std::min(Row_, RowCount_ - 1);
    UpdateScrollBars();
    viewport()->update();
}

int TDrawGrid::LeftCol() const
{
    return horizontalScrollBar()->value();
}

int TDrawGrid::TopRow() const
{
    return verticalScrollBar()->value();
}

QRect TDrawGrid::CellRect(int col, int row) const
{
    return QRect((col - LeftCol()) * (ColWidth_ + GridLineWidth), (row - TopRow()) * (RowHeight_ + GridLineWidth),
                 ColWidth_, RowHeight_);
}

void TDrawGrid::UpdateScrollBars()
{
    const int shownCols = WholeCells(viewport()->width(), ColWidth_ + GridLineWidth);
    const int shownRows = WholeCells(viewport()->height(), RowHeight_ + GridLineWidth);
    horizontalScrollBar()->setRange(0, std::max(0, ColCount_ - shownCols));
    horizontalScrollBar()->setPageStep(shownCols);
    verticalScrollBar()->setRange(0, std::max(0, RowCount_ - shownRows));
    verticalScrollBar()->setPageStep(shownRows);
}

void TDrawGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TDrawGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().base());
    const bool focused = hasFocus();
    for (int row = TopRow(); row < RowCount_; ++row) {
        if (CellRect(0, row).top() >= area.height())
            break;
        for (int col = LeftCol(); col < ColCount_; ++col) {
            const QRect rect = CellRect(col, row);
            if (rect.left() >= area.width())
                break;
            painter.fillRect(rect.right() + 1, rect.top(), GridLineWidth, rect.height() + GridLineWidth, GridLineColour);
            painter.fillRect(rect.left(), rect.bottom() + 1, rect.width(), GridLineWidth, GridLineColour);
            TGridDrawState state = 0;
            if (col == Col_ && row == Row_)
                state = gdSelected | (focused ? gdFocused : 0);
            painter.fillRect(rect, state == gdSelected ? palette().highlight() : palette().base());
            if (OnDrawCell) {
                painter.save();
                painter.setClipRect(rect);
                OnDrawCell(painter, col, row, rect, state);
                painter.restore();
            }
            if (state & gdFocused) {
                QStyleOptionFocusRect option;
                option.initFrom(this);
                option.rect = rect;
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
            }
        }
    }
}

void TDrawGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const int col = LeftCol() + p.x() / (ColWidth_ + GridLineWidth);
    const int row = TopRow() + p.y() / (RowHeight_ + GridLineWidth);
    if (p.x() >= 0 && p.y() >= 0 && col < ColCount_ && row < RowCount_)
        SelectCell(col, row);
}

void TDrawGrid::keyPressEvent(QKeyEvent* event)
{
    int col = Col_;
    int row = Row_;
    switch (event->key()) {
    case Qt::Key_Left: col = std::max(0, col - 1); break;
    case Qt::Key_Right: col = std::min(ColCount_ - 1, col + 1); break;
    case Qt::Key_Up: row = std::max(0, row - 1); break;
    case Qt::Key_Down: row = std::min(RowCount_ - 1, row + 1); break;
    case Qt::Key_Home: col = 0; break;
    case Qt::Key_End: col = ColCount_ - 1; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (col != Col_ || row != Row_)
        SelectCell(col, row);
}

void TDrawGrid::SelectCell(int col, int row)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(col, row, canSelect);
    if (!canSelect)
        return;
    Col_ = col;
    Row_ = row;
    ScrollIntoView(col, row);
    viewport()->update();
}

void TDrawGrid::ScrollIntoView(int col, int row)
{
    QScrollBar* h = horizontalScrollBar();
    if (col < h->value())
        h->setValue(col);
    else if (col >= h->value() + h->pageStep())
        h->setValue(col - h->pageStep() + 1);
    QScrollBar* v = verticalScrollBar();
    if (row < v->value())
        v->setValue(row);
    else if (row >= v->value() + v->pageStep())
        v->setValue(row - v->pageStep() + 1);
}

void TDrawGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
