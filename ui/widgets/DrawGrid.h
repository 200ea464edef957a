#pragma once
// A draw grid: equal cells in rows and columns, each drawn by its owner, with
// one selected cell. A click on a cell asks the owner whether it may be
// selected, also when it is already the selected one; a keyboard move to
// another cell asks the same. The grid scrolls by whole columns and rows.
#include <QAbstractScrollArea>
#include <functional>

enum TGridDrawStateFlag { gdSelected = 1, gdFocused = 2 };
using TGridDrawState = int;

class TDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TDrawGrid(QWidget* parent = nullptr);

    void SetGridSize(int colCount, int rowCount, int colWidth, int rowHeight);
    int ColCount() const { return ColCount_; }
    int RowCount() const { return RowCount_; }
    static constexpr int GridLineWidth = 1;

    // The selected cell.
    int Col() const { return Col_; }
    int Row() const { return Row_; }
    // The first column and row shown.
    int LeftCol() const;
    int TopRow() const;

    // A cell's rectangle on the grid's viewport (without its grid lines).
    QRect CellRect(int col, int row) const;

    // Draws one cell over the default background (window colour, or the
    // highlight for the selected cell when the grid has no focus).
    std::function<void(QPainter& canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State)> OnDrawCell;
    // Asked before a cell becomes the selected one; CanSelect starts true.
    std::function<void(int ACol, int ARow, bool& CanSelect)> OnSelectCell;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void UpdateScrollBars();
    void SelectCell(int col, int row);
    void ScrollIntoView(int col, int row);

    int ColCount_ = 5;
    int RowCount_ = 5;
    int ColWidth_ = 64;
    int RowHeight_ = 24;
    int Col_ = 0;
    int Row_ = 0;
};
