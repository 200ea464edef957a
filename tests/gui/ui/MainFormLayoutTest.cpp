#include "tests/support/MainFormFixture.h"
#include "ui/widgets/CoolBar.h"
#include "ui/widgets/DrawGrid.h"
#include "ui/widgets/ImageControl.h"
#include "ui/Main.h"
#include "ui/widgets/PaintBox.h"
#include "ui/widgets/SpinEdit.h"
#include "ui/widgets/StatusBar.h"
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

class MainFormLayout : public TMainFormFixture {
protected:
    // The controls of the toolbar, left to right.
    std::vector<QWidget*> ToolBarItems() const
    {
        TMainForm& f = *Form;
        return {f.ToolButton1, f.ToolButton9, f.ToolButton2, f.ToolButton10, f.ToolButton3,
                f.ToolButton8, f.ToolButton7, f.ToolButton4, f.ToolButton5,  f.ToolButton6};
    }

    void ResizeTo(int width, int height)
    {
        Form->resize(width, height);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Form->CoolBar1->width() == width; }));
    }

    // The window's align rules at its present size: the cool bar, the banner
    // and the style strip stacked at the top, the status bar at the bottom,
    // the property group on the right between them with the snapshot group at
    // its bottom, and the view free in the rest, under no control.
    void ExpectTheAlignRules() const
    {
        TMainForm& f = *Form;
        const int w = f.width(), h = f.height();
        SCOPED_TRACE(testing::Message() << "at " << w << " x " << h);
        EXPECT_EQ(f.CoolBar1->geometry(), QRect(0, 0, w, 60));
        EXPECT_EQ(f.ToolBar1->height(), 56);
        EXPECT_EQ(f.Panel1->geometry(), QRect(0, 60, w, 27));
        EXPECT_EQ(f.SelectStyleDrawGrid->geometry(), QRect(0, 87, w, 151));
        EXPECT_EQ(f.StatusBar->geometry(), QRect(0, h - 19, w, 19));
        const int groupHeight = std::max(0, h - 238 - 19);
        EXPECT_EQ(f.GroupBox1->geometry(), QRect(w - 480, 238, 480, groupHeight));
        EXPECT_EQ(f.GroupBox2->geometry(), QRect(2, groupHeight - 2 - 286, 476, 286));

        const QRect free = f.FreeArea();
        EXPECT_EQ(free, QRect(0, 238, std::max(0, w - 480), groupHeight));
        EXPECT_EQ(f.ViewPresenter->ShownRect(), free);
        for (QWidget* child : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(child == f.ViewPresenter || !child->isVisible() || !child->geometry().intersects(free))
                << child->metaObject()->className();
        if (free.isEmpty())
            return;
        for (const QPoint p : {free.topLeft(), free.center(), free.bottomRight(), QPoint(free.right(), free.top())})
            EXPECT_EQ(f.childAt(p), f.ViewPresenter) << p.x() << "," << p.y();
    }
};

} // namespace

TEST_F(MainFormLayout, TheAlignRulesHoldAtEverySize)
{
    // At the laid-out size the view has 670 x 623 pixels below the strip.
    EXPECT_EQ(Form->size(), QSize(1150, 880));
    EXPECT_EQ(Form->FreeArea(), QRect(0, 238, 670, 623));
    ExpectTheAlignRules();
    for (const QSize size : {QSize(1300, 900), QSize(800, 880), QSize(600, 400)}) {
        ResizeTo(size.width(), size.height());
        ExpectTheAlignRules();
    }
    // Smaller than the controls: nothing gets a negative size.
    ResizeTo(300, 200);
    EXPECT_EQ(Form->FreeArea().size(), QSize(0, 0));
    EXPECT_GE(Form->GroupBox1->height(), 0);
}

TEST_F(MainFormLayout, TheObjectPropertiesAreWholeApartAndBesideTheirLabels)
{
    TMainForm& f = *Form;
    const std::vector<QWidget*> controls = {
        f.Label5,       f.SpinEditWidth,  f.Label6,           f.SpinEditHeight, f.Label7,  f.SpinEditDepth,
        f.CheckBoxBook, f.CheckBoxFloor,  f.ShowBackCheckBox, f.CheckBoxOpen,   f.Label3,  f.PaintBoxFront,
        f.Label1,       f.PaintBoxTop,    f.Label2,           f.PaintBoxSide,   f.Label4,  f.PaintBoxFloor};
    // Each shows whole inside the group, above the snapshot group, and no two overlap.
    const QRect room = f.GroupBox1->contentsRect().adjusted(0, 0, 0, f.GroupBox2->y() - f.GroupBox1->height());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* control = controls[i];
        EXPECT_EQ(control->parentWidget(), f.GroupBox1);
        EXPECT_TRUE(control->isVisible());
        EXPECT_TRUE(room.contains(control->geometry())) << i;
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(control->geometry().intersects(controls[j]->geometry())) << i << " and " << j;
    }
    EXPECT_EQ(f.GroupBox2->parentWidget(), f.GroupBox1);
    EXPECT_EQ(f.SnapShotImage->parentWidget(), f.GroupBox2);
    EXPECT_TRUE(f.GroupBox2->contentsRect().contains(f.SnapShotImage->geometry()));

    // A size's label stands on its spin edit's row, just left of it; a
    // preview's label just above it.
    const std::pair<QLabel*, QWidget*> sizes[] = {
        {f.Label5, f.SpinEditWidth}, {f.Label6, f.SpinEditHeight}, {f.Label7, f.SpinEditDepth}};
    for (const auto& [label, edit] : sizes) {
        EXPECT_NEAR(label->geometry().center().y(), edit->geometry().center().y(), 4) << label->text().toStdString();
        EXPECT_GT(edit->x(), label->geometry().right());
        EXPECT_LE(edit->x(), label->geometry().right() + 12) << label->text().toStdString();
    }
    const std::pair<QLabel*, QWidget*> previews[] = {
        {f.Label3, f.PaintBoxFront}, {f.Label1, f.PaintBoxTop}, {f.Label2, f.PaintBoxSide}, {f.Label4, f.PaintBoxFloor}};
    for (const auto& [label, preview] : previews) {
        EXPECT_NEAR(label->x(), preview->x(), 4) << label->text().toStdString();
        EXPECT_GT(preview->y(), label->geometry().bottom());
        EXPECT_LE(preview->y(), label->geometry().bottom() + 8) << label->text().toStdString();
    }
    // The options in one column, in their order.
    const QCheckBox* options[] = {f.CheckBoxBook, f.CheckBoxFloor, f.ShowBackCheckBox, f.CheckBoxOpen};
    for (std::size_t i = 1; i < std::size(options); ++i) {
        EXPECT_EQ(options[i]->x(), options[0]->x());
        EXPECT_GT(options[i]->y(), options[i - 1]->y());
    }
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
