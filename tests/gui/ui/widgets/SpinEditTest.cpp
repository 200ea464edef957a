#include "ui/widgets/SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <limits>

namespace {

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        Edit.setLocale(QLocale::c());
        Edit.setGeometry(10, 10, 54, 22);
        Edit.OnChange = [this] { Changes.append(Edit.text()); };
        Edit.Beep = [this] { ++Beeps; };
        Edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Edit));
    }

    // Empties the edit, then types keys into it.
    void Type(const char* keys)
    {
        Edit.clear();
        Changes.clear();
        QTest::keyClicks(&Edit, QString::fromLatin1(keys));
    }

    TSpinEdit Edit;
    QStringList Changes;
    int Beeps = 0;
};

} // namespace

TEST_F(SpinEdit, StartsAtZeroAndTakesZeroNegativeAndEmptyTexts)
{
    EXPECT_EQ(Edit.text(), QStringLiteral("0"));
    Type("0");
    EXPECT_EQ(Edit.Value(), 0);
    Type("-12");
    EXPECT_EQ(Edit.Value(), -12);
    EXPECT_EQ(Changes, QStringList({"-", "-1", "-12"}));
    Type("");
    EXPECT_EQ(Edit.text(), QString());
    EXPECT_EQ(Edit.Value(), 0);
    Type("-");
    EXPECT_EQ(Edit.Value(), 0);
    Type("2.5");
    EXPECT_EQ(Edit.text(), QStringLiteral("2.5"));
    EXPECT_EQ(Edit.Value(), 0);
    EXPECT_EQ(Beeps, 0);
}

TEST_F(SpinEdit, LettersSpacesAndEnterAreDroppedWithABeep)
{
    Type("1a b");
    EXPECT_EQ(Edit.text(), QStringLiteral("1"));
    EXPECT_EQ(Beeps, 3);
    QTest::keyClick(&Edit, Qt::Key_Return);
    QTest::keyClick(&Edit, Qt::Key_Enter);
    EXPECT_EQ(Beeps, 5);
    EXPECT_EQ(Changes, QStringList({"1"}));
}

TEST_F(SpinEdit, EditingKeysAndPastedLettersAreTaken)
{
    Type("123");
    QTest::keyClick(&Edit, Qt::Key_Backspace);
    QTest::keyClick(&Edit, Qt::Key_Home);
    QTest::keyClick(&Edit, Qt::Key_Delete);
    EXPECT_EQ(Edit.text(), QStringLiteral("2"));
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    QTest::keyClick(&Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit.text(), QStringLiteral("xyz2"));
    EXPECT_EQ(Edit.Value(), 0);
    EXPECT_EQ(Beeps, 0);
}

TEST_F(SpinEdit, ArrowKeysAndButtonsStepByOne)
{
    Type("12");
    QTest::keyClick(&Edit, Qt::Key_Up);
    EXPECT_EQ(Edit.text(), QStringLiteral("13"));
    QTest::keyClick(&Edit, Qt::Key_Down);
    QTest::keyClick(&Edit, Qt::Key_Down);
    EXPECT_EQ(Edit.Value(), 11);
    Edit.UpButton()->click();
    EXPECT_EQ(Edit.Value(), 12);
    Edit.DownButton()->click();
    Edit.DownButton()->click();
    EXPECT_EQ(Edit.Value(), 10);
    // A text that is no number steps from 0; steps go below 0 freely.
    Type("x");
    QTest::keyClick(&Edit, Qt::Key_Down);
    EXPECT_EQ(Edit.text(), QStringLiteral("-1"));
    EXPECT_EQ(Beeps, 1);
}

TEST_F(SpinEdit, TheButtonsSitInsideTheRightEdgeAndTakeNoFocus)
{
    const QRect up = Edit.UpButton()->geometry();
    const QRect down = Edit.DownButton()->geometry();
    EXPECT_EQ(up.right(), Edit.width() - 3);
    EXPECT_EQ(up.top(), 2);
    EXPECT_EQ(down.top(), up.bottom() + 1);
    EXPECT_EQ(down.bottom(), Edit.height() - 3);
    EXPECT_EQ(Edit.UpButton()->focusPolicy(), Qt::NoFocus);
}

TEST_F(SpinEdit, SettingTheValueItHoldsRaisesNoChange)
{
    Edit.SetValue(20);
    Edit.SetValue(20);
    EXPECT_EQ(Changes, QStringList({"20"}));
    Edit.setText(QStringLiteral("020"));
    Changes.clear();
    Edit.SetValue(20);
    EXPECT_EQ(Changes, QStringList({"20"}));
    Edit.clear();
    Changes.clear();
    Edit.SetValue(0);
    EXPECT_EQ(Changes, QStringList({"0"}));
}

TEST_F(SpinEdit, DifferentBoundsClampSetsAndSteps)
{
    Edit.MinValue = 1;
    Edit.MaxValue = 3;
    Edit.SetValue(9);
    EXPECT_EQ(Edit.text(), QStringLiteral("3"));
    Edit.UpButton()->click();
    EXPECT_EQ(Edit.text(), QStringLiteral("3"));
    Edit.setText(QStringLiteral("abc"));
    EXPECT_EQ(Edit.Value(), 1);
}

TEST_F(SpinEdit, StepsStopAtTheEndsOfTheIntegerRange)
{
    Edit.SetValue(std::numeric_limits<int>::max());
    QTest::keyClick(&Edit, Qt::Key_Up);
    EXPECT_EQ(Edit.Value(), std::numeric_limits<int>::max());
    Edit.SetValue(std::numeric_limits<int>::min());
    Edit.DownButton()->click();
    EXPECT_EQ(Edit.Value(), std::numeric_limits<int>::min());
}

TEST_F(SpinEdit, TheDecimalSeparatorFollowsTheLocale)
{
    Edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
    Type("1,.5");
    EXPECT_EQ(Edit.text(), QStringLiteral("1,5"));
    EXPECT_EQ(Beeps, 1);
}
