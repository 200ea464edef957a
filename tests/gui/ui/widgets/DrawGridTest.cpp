#include "ui/widgets/DrawGrid.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

struct TCellCall {
    int Col;
    int Row;
    bool operator==(const TCellCall&) const = default;
};

class DrawGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetGridSize(50, 1, 128, 128);
        Grid.resize(1150, 151);
        Grid.OnSelectCell = [this](int col, int row, bool& canSelect) {
            Selects.push_back({col, row});
            canSelect = Allow;
        };
        Grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Grid));
    }

    void ClickAt(int x, int y)
    {
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }

    TDrawGrid Grid;
    std::vector<TCellCall> Selects;
    bool Allow = true;
};

} // namespace

TEST_F(DrawGrid, OneRowOfCellsScrollsSideways)
{
    EXPECT_EQ(Grid.ColCount(), 50);
    EXPECT_EQ(Grid.RowCount(), 1);
    EXPECT_EQ(Grid.CellRect(1, 0), QRect(129, 0, 128, 128));
    EXPECT_TRUE(Grid.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(Grid.verticalScrollBar()->isVisible());
    EXPECT_GT(Grid.horizontalScrollBar()->maximum(), 0);
    Grid.horizontalScrollBar()->setValue(3);
    EXPECT_EQ(Grid.LeftCol(), 3);
    EXPECT_EQ(Grid.CellRect(3, 0).left(), 0);
}

TEST_F(DrawGrid, EveryClickAsksToSelectAlsoOnTheSelectedCell)
{
    ClickAt(140, 40);
    ClickAt(140, 40);
    ClickAt(5, 5);
    EXPECT_EQ(Selects, (std::vector<TCellCall>{{1, 0}, {1, 0}, {0, 0}}));
    EXPECT_EQ(Grid.Col(), 0);
    // Below the row and right-button clicks select nothing.
    ClickAt(140, 129);
    QTest::mouseClick(Grid.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(300, 40));
    EXPECT_EQ(Selects.size(), 3u);
}

TEST_F(DrawGrid, ARefusedCellKeepsTheSelection)
{
    Allow = false;
    ClickAt(300, 40);
    EXPECT_EQ(Selects, (std::vector<TCellCall>{{2, 0}}));
    EXPECT_EQ(Grid.Col(), 0);
}

TEST_F(DrawGrid, KeyboardMovesAskOnlyWhenTheCellChanges)
{
    Grid.setFocus();
    QTest::keyClick(&Grid, Qt::Key_Left);
    QTest::keyClick(&Grid, Qt::Key_Up);
    QTest::keyClick(&Grid, Qt::Key_Right);
    QTest::keyClick(&Grid, Qt::Key_Right);
    EXPECT_EQ(Selects, (std::vector<TCellCall>{{1, 0}, {2, 0}}));
    QTest::keyClick(&Grid, Qt::Key_End);
    EXPECT_EQ(Grid.Col(), 49);
    // The selected cell is scrolled into view.
    EXPECT_EQ(Grid.LeftCol(), Grid.horizontalScrollBar()->maximum());
    EXPECT_LE(Grid.CellRect(49, 0).right(), Grid.viewport()->width());
    QTest::keyClick(&Grid, Qt::Key_Home);
    EXPECT_EQ(Grid.LeftCol(), 0);
    EXPECT_EQ(Selects.back(), (TCellCall{0, 0}));
}

TEST_F(DrawGrid, ClicksOnAScrolledGridHitTheCellShown)
{
    Grid.horizontalScrollBar()->setValue(10);
    ClickAt(5, 5);
    EXPECT_EQ(Selects, (std::vector<TCellCall>{{10, 0}}));
}

TEST_F(DrawGrid, OwnerDrawsEachShownCellWithItsRectAndState)
{
    std::map<int, std::pair<QRect, TGridDrawState>> drawn;
    Grid.OnDrawCell = [&](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
        EXPECT_EQ(row, 0);
        drawn[col] = {rect, state};
        canvas.fillRect(rect.adjusted(3, 0, 0, 0), Qt::red);
    };
    const QImage shot = Grid.viewport()->grab().toImage();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.begin()->first, 0);
    EXPECT_EQ(drawn.rbegin()->first, 8); // 1150 wide shows 8 whole cells and part of a ninth
    EXPECT_EQ(drawn[2].first, QRect(258, 0, 128, 128));
    EXPECT_EQ(drawn[0].second, gdSelected);
    EXPECT_EQ(drawn[2].second, 0);
    // The owner's drawing shows, and the grid lines between cells stay.
    EXPECT_EQ(shot.pixelColor(300, 60), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(257, 60), QColor(Qt::red));
}

TEST_F(DrawGrid, TheFocusedSelectedCellIsDrawnFocused)
{
    TGridDrawState selectedState = -1;
    Grid.OnDrawCell = [&](QPainter&, int col, int, const QRect&, TGridDrawState state) {
        if (col == 0)
            selectedState = state;
    };
    Grid.activateWindow();
    Grid.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Grid.hasFocus(); }));
    Grid.viewport()->grab();
    EXPECT_EQ(selectedState, gdSelected | gdFocused);
}
