// The style strip of the main window: clicking a thumbnail turns the box and
// sets its sizes through the spin edits, rebuilding once per changed size.
#include "tests/support/MainFormFixture.h"
#include "ui/widgets/StatusBar.h"
#include "view/ViewPresenter.h"

#include <QMouseEvent>

using namespace view_probes;
using TSizes = std::array<int, 3>;

namespace {

class MainFormPresets : public TMainFormFixture {
protected:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            WatchSizeChanges();
    }

    // Types text into a spin edit in place of what it holds, key by key.
    static void Type(TSpinEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void ExpectAngles(float x, float y)
    {
        EXPECT_EQ(Form->XRotation, x);
        EXPECT_EQ(Form->YRotation, y);
    }
};

} // namespace

TEST_F(MainFormPresets, FromTheStartTheFirstThreeStylesOnlyTurnTheBox)
{
    const std::pair<float, float> angles[] = {{-0.25f, -45.0f}, {0.25f, 45.0f}, {31.5f, 31.5f}};
    for (int col = 0; col < 3; ++col) {
        ClickStyleCell(col);
        ExpectAngles(angles[col].first, angles[col].second);
        EXPECT_EQ(Form->SelectStyleDrawGrid->Col(), col);
    }
    EXPECT_TRUE(SizeChanges.empty());
    EXPECT_EQ(Sizes(), (TSizes{20, 30, 5}));

    // The next frame draws the box in the new pose and shows its angles.
    WaitForFrame();
    EXPECT_EQ(Form->StatusBar->SimpleText(), "XRotation : 31.5    YRotation : 31.5");
    ExpectView({{CoverInStyle2, StartColour(TFaceSlot::Cover)},
                {SpineInStyle2, StartColour(TFaceSlot::Spine)},
                {TopInStyle2, StartColour(TFaceSlot::Top)}});
}

TEST_F(MainFormPresets, StylesThreeAndFourChangeOnlyTheDepthOneRebuildEach)
{
    ClickStyleCell(3);
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{20, 30, 10}}));
    ExpectAngles(-0.25f, 40.0f);
    ClickStyleCell(4);
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{20, 30, 10}, {20, 30, 1}}));
    ExpectAngles(-50.0f, 18.0f);

    // The rebuilt thin box, seen from below: the bottom under the cover.
    WaitForFrame();
    ExpectView({{{300, 600}, StartColour(TFaceSlot::Cover)},
                {{300, 745}, StartColour(TFaceSlot::Top)},
                {{563, 550}, StartColour(TFaceSlot::Spine)},
                {{300, 350}, Qt::white}});
}

TEST_F(MainFormPresets, AfterTypedSizesAStyleRebuildsOncePerChangedSizeWidthFirst)
{
    Type(Form->SpinEditWidth, "12");
    Type(Form->SpinEditHeight, "-4");
    Type(Form->SpinEditDepth, "");
    EXPECT_EQ(Sizes(), (TSizes{12, -4, 0}));
    // Every keystroke rebuilt with the text as it stood.
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{1, 30, 5}, {12, 30, 5}, {12, 0, 5}, {12, -4, 5}, {12, -4, 0}}));

    SizeChanges.clear();
    ClickStyleCell(0);
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{20, -4, 0}, {20, 30, 0}, {20, 30, 5}}));
    ExpectAngles(-0.25f, -45.0f);

    // Only the sizes that differ from the style's rebuild.
    Type(Form->SpinEditHeight, "31");
    SizeChanges.clear();
    ClickStyleCell(0);
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{20, 30, 5}}));
}

TEST_F(MainFormPresets, CellsBeyondTheFiveStylesBecomeSelectedAndChangeNothing)
{
    ClickStyleCell(2);
    SizeChanges.clear();
    for (int col : {5, 17, 49}) {
        ClickStyleCell(col);
        EXPECT_EQ(Form->SelectStyleDrawGrid->Col(), col);
        ExpectAngles(31.5f, 31.5f);
    }
    // Moving the selection with the keyboard selects the same way.
    Form->SelectStyleDrawGrid->setFocus();
    QTest::keyClick(Form->SelectStyleDrawGrid, Qt::Key_Left);
    EXPECT_EQ(Form->SelectStyleDrawGrid->Col(), 48);
    EXPECT_TRUE(SizeChanges.empty());
    EXPECT_EQ(Sizes(), (TSizes{20, 30, 5}));
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();

    // Back to the styles by keyboard: Home applies the first one.
    ClickStyleCell(3);
    SizeChanges.clear();
    QTest::keyClick(Form->SelectStyleDrawGrid, Qt::Key_Home);
    ExpectAngles(-0.25f, -45.0f);
    EXPECT_EQ(SizeChanges, (std::vector<TSizes>{{20, 30, 5}}));
}

TEST_F(MainFormPresets, ClickingTheSelectedStyleAgainUndoesADrag)
{
    ClickStyleCell(1);
    ASSERT_EQ(Form->SelectStyleDrawGrid->Col(), 1);

    // A left-button drag over the view turns the box.
    const QPoint start = Form->mapToGlobal(Form->FreeArea().center());
    Form->LastCursorPos = {start.x(), start.y()};
    const QPoint end = start + QPoint(60, 20);
    QCursor::setPos(end);
    QApplication::processEvents();
    const QPoint local = Form->ViewPresenter->mapFromGlobal(end);
    QMouseEvent move(QEvent::MouseMove, local, local, end, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form->ViewPresenter, &move);
    ASSERT_NE(Form->YRotation, 45.0f);

    ClickStyleCell(1);
    ExpectAngles(0.25f, 45.0f);
    EXPECT_EQ(Form->SelectStyleDrawGrid->Col(), 1);
    EXPECT_TRUE(SizeChanges.empty());
}
