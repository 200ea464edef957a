#include "ui/CoolBar.h"
#include "ui/DrawGrid.h"
#include "ui/ImageControl.h"
#include "ui/Main.h"
#include "ui/PaintBox.h"
#include "ui/SpinEdit.h"
#include "ui/StatusBar.h"
#include "view/ViewPresenter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

class MainFormLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TMainForm>();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    // The controls of the toolbar, left to right.
    std::vector<QWidget*> ToolBarItems() const
    {
        TMainForm& f = *Form;
        return {f.ToolButton1, f.ToolButton9, f.ToolButton2, f.ToolButton10, f.ToolButton3,
                f.ToolButton8, f.ToolButton7, f.ToolButton4, f.ToolButton5,  f.ToolButton6};
    }

    std::unique_ptr<TMainForm> Form;
};

} // namespace

TEST_F(MainFormLayout, TheTopStackGroupAndStatusBarSitWhereLaidOut)
{
    TMainForm& f = *Form;
    EXPECT_EQ(f.size(), QSize(1150, 880));
    EXPECT_EQ(f.CoolBar1->geometry(), QRect(0, 0, 1150, 60));
    EXPECT_EQ(f.ToolBar1->height(), 56);
    EXPECT_EQ(f.Panel1->geometry(), QRect(0, 60, 1150, 27));
    EXPECT_EQ(f.SelectStyleDrawGrid->geometry(), QRect(0, 87, 1150, 151));
    EXPECT_EQ(f.GroupBox1->geometry(), QRect(670, 238, 480, 623));
    EXPECT_EQ(f.StatusBar->geometry(), QRect(0, 861, 1150, 19));
    EXPECT_EQ(f.FreeArea(), QRect(0, 238, 670, 623));
}

TEST_F(MainFormLayout, TheObjectPropertiesSitWhereLaidOutInTheirGroup)
{
    TMainForm& f = *Form;
    const std::pair<QWidget*, QRect> controls[] = {
        {f.SpinEditWidth, {60, 19, 54, 22}},    {f.SpinEditHeight, {60, 48, 54, 22}},
        {f.SpinEditDepth, {60, 76, 54, 22}},    {f.CheckBoxBook, {172, 20, 146, 17}},
        {f.CheckBoxFloor, {172, 41, 97, 17}},   {f.ShowBackCheckBox, {172, 61, 183, 17}},
        {f.CheckBoxOpen, {172, 82, 97, 17}},    {f.PaintBoxFront, {26, 119, 177, 204}},
        {f.PaintBoxTop, {221, 118, 43, 207}},   {f.PaintBoxSide, {283, 120, 46, 204}},
        {f.PaintBoxFloor, {347, 219, 105, 105}}, {f.GroupBox2, {2, 335, 476, 286}},
        {f.SnapShotImage, {80, 23, 323, 248}},
    };
    for (const auto& [control, rect] : controls) {
        EXPECT_EQ(control->geometry(), rect) << control->metaObject()->className();
        EXPECT_TRUE(control->isVisible());
    }
    EXPECT_EQ(f.SnapShotImage->parentWidget(), f.GroupBox2);
    EXPECT_EQ(f.GroupBox2->parentWidget(), f.GroupBox1);

    const std::tuple<QLabel*, QPoint, const char*> labels[] = {
        {f.Label5, {24, 23}, "Width"},        {f.Label6, {22, 52}, "Height"},  {f.Label7, {24, 80}, "Depth"},
        {f.Label3, {25, 103}, "Front Image"}, {f.Label1, {218, 102}, "Top Image"},
        {f.Label2, {280, 102}, "Spine Image"}, {f.Label4, {347, 201}, "Floor"},
    };
    for (const auto& [label, pos, text] : labels) {
        EXPECT_EQ(label->pos(), pos) << text;
        EXPECT_EQ(label->text(), QString::fromLatin1(text));
    }
    // Neighbouring labels do not run into each other.
    EXPECT_LT(f.Label1->geometry().right(), f.Label2->x());
}

TEST_F(MainFormLayout, CaptionsValuesAndStartingState)
{
    TMainForm& f = *Form;
    EXPECT_TRUE(f.windowTitle().startsWith(QStringLiteral("Plenamar 2007 ")));
    EXPECT_GT(f.windowTitle().size(), 20);
    EXPECT_EQ(f.Panel1->text(), QStringLiteral("Plenamar 2007"));
    EXPECT_EQ(f.Panel1->palette().color(QPalette::Window), QColor(99, 148, 198));
    EXPECT_EQ(f.Panel1->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(f.Panel1->font().bold());
    EXPECT_EQ(f.Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(f.GroupBox1->title(), QStringLiteral("Object Properties (Click on Images To Change)"));
    EXPECT_EQ(f.GroupBox2->title(), QStringLiteral("Snapshot Properties"));
    EXPECT_EQ(f.SpinEditWidth->Value(), 20);
    EXPECT_EQ(f.SpinEditHeight->Value(), 30);
    EXPECT_EQ(f.SpinEditDepth->Value(), 5);
    for (TSpinEdit* edit : {f.SpinEditWidth, f.SpinEditHeight, f.SpinEditDepth})
        EXPECT_EQ(edit->MinValue, edit->MaxValue);
    const std::pair<QCheckBox*, const char*> boxes[] = {
        {f.CheckBoxBook, "Look More Like Book"},
        {f.CheckBoxFloor, "Show Floor"},
        {f.ShowBackCheckBox, "Show Background (Floor Image)"},
        {f.CheckBoxOpen, "Open Box Lid"},
    };
    for (const auto& [box, text] : boxes) {
        EXPECT_EQ(box->text(), QString::fromLatin1(text));
        EXPECT_FALSE(box->isChecked());
        // The caption fits the box laid out for it.
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), room.width()) << text;
    }
    EXPECT_TRUE(f.SnapShotImage->Picture().Empty());
}

TEST_F(MainFormLayout, TheStyleStripIsOneRowOfFiftyCellsScrollingSideways)
{
    TDrawGrid* grid = Form->SelectStyleDrawGrid;
    EXPECT_EQ(grid->ColCount(), 50);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->CellRect(1, 0), QRect(129, 0, 128, 128));
    EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(grid->viewport()->height(), 129);
}

TEST_F(MainFormLayout, ToolbarButtonsCarryIconsAndTheirHintsOnly)
{
    const char* hints[] = {nullptr, "Open a Cover File", "Save a Cover File", nullptr, "Create Cover Snapshot",
                           "Export Snapshot to File", nullptr, "Help Me !", nullptr, "Close Cubrio"};
    int left = 0;
    const std::vector<QWidget*> items = ToolBarItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QWidget* item = items[i];
        EXPECT_EQ(item->x(), left) << i;
        if (!hints[i]) {
            EXPECT_EQ(item->size(), QSize(8, 54)) << i;
            left += 8;
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(item);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->size(), QSize(55, 54)) << hints[i];
        EXPECT_EQ(button->iconSize(), QSize(48, 48));
        EXPECT_FALSE(button->icon().isNull()) << hints[i];
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_TRUE(button->autoRaise());
        // Hovering shows the hint exactly.
        const QPoint centre = button->rect().center();
        QHelpEvent hover(QEvent::ToolTip, centre, button->mapToGlobal(centre));
        QApplication::sendEvent(button, &hover);
        EXPECT_EQ(QToolTip::text(), QString::fromLatin1(hints[i]));
        QToolTip::hideText();
        left += 55;
    }
}

TEST_F(MainFormLayout, NoControlCoversTheFreeArea)
{
    const QRect free = Form->FreeArea();
    for (QWidget* child : Form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == Form->ViewPresenter || !child->isVisible())
            continue;
        EXPECT_FALSE(child->geometry().intersects(free)) << child->metaObject()->className();
    }
    for (const QPoint p : {free.topLeft(), free.center(), free.bottomRight(), QPoint(free.right(), free.top())})
        EXPECT_EQ(Form->childAt(p), Form->ViewPresenter) << p.x() << "," << p.y();
    EXPECT_EQ(Form->ViewPresenter->ShownRect(), free);
}

TEST_F(MainFormLayout, TabOrderInsideTheGroup)
{
    TMainForm& f = *Form;
    const std::vector<QWidget*> expected = {f.CheckBoxFloor,  f.CheckBoxOpen,     f.SpinEditWidth, f.SpinEditHeight,
                                            f.SpinEditDepth, f.ShowBackCheckBox, f.CheckBoxBook};
    std::vector<QWidget*> order;
    QWidget* w = f.GroupBox2;
    do {
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            order.push_back(w);
        w = w->nextInFocusChain();
    } while (w != f.GroupBox2 && order.size() < expected.size());
    EXPECT_EQ(order, expected);
}

TEST_F(MainFormLayout, ResizingKeepsTheAlignRules)
{
    TMainForm& f = *Form;
    f.resize(1300, 900);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.CoolBar1->width() == 1300; }));
    EXPECT_EQ(f.CoolBar1->geometry(), QRect(0, 0, 1300, 60));
    EXPECT_EQ(f.Panel1->geometry(), QRect(0, 60, 1300, 27));
    EXPECT_EQ(f.SelectStyleDrawGrid->geometry(), QRect(0, 87, 1300, 151));
    EXPECT_EQ(f.GroupBox1->geometry(), QRect(820, 238, 480, 643));
    EXPECT_EQ(f.GroupBox2->geometry(), QRect(2, 355, 476, 286));
    EXPECT_EQ(f.StatusBar->geometry(), QRect(0, 881, 1300, 19));
    EXPECT_EQ(f.FreeArea(), QRect(0, 238, 820, 643));
    EXPECT_EQ(f.SpinEditWidth->geometry(), QRect(60, 19, 54, 22));

    // Smaller than the controls: nothing gets a negative size.
    f.resize(300, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.CoolBar1->width() == 300; }));
    EXPECT_EQ(f.FreeArea().size(), QSize(0, 0));
    EXPECT_GE(f.GroupBox1->height(), 0);
}
