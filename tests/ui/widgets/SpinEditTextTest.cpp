#include "ui/widgets/SpinEditText.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

int Read(const char* text, int minValue = 0, int maxValue = 0)
{
    return SpinEditTextValue(QString::fromUtf8(text), minValue, maxValue);
}

bool Typed(const QString& text, const QString& separator = QStringLiteral("."))
{
    return SpinEditAcceptsKey(Qt::Key_unknown, Qt::NoModifier, text, separator);
}

} // namespace

TEST(SpinEditText, WholeNumbersReadAsTheyAreWithoutBounds)
{
    EXPECT_EQ(Read("20"), 20);
    EXPECT_EQ(Read("0"), 0);
    EXPECT_EQ(Read("-7"), -7);
    EXPECT_EQ(Read("+5"), 5);
    EXPECT_EQ(Read("007"), 7);
    EXPECT_EQ(Read("-0"), 0);
    EXPECT_EQ(Read("2147483647"), IntMax);
    EXPECT_EQ(Read("-2147483648"), IntMin);
}

TEST(SpinEditText, AnythingElseReadsAsTheMinimum)
{
    for (const char* text : {"", "-", "+", "+-1", "2.5", "1,0", "abc", "12a", " 5", "5 ", "--3", "2147483648",
                             "-2147483649", "99999999999999999999999"}) {
        EXPECT_EQ(Read(text), 0) << text;
        EXPECT_EQ(Read(text, 3, 9), 3) << text;
    }
    // Digits of other scripts are not decimal digits here.
    EXPECT_EQ(SpinEditTextValue(QString::fromUtf8("\u0663"), 0, 0), 0);
}

TEST(SpinEditText, DifferentBoundsClampEqualBoundsDoNot)
{
    EXPECT_EQ(Read("50", 1, 10), 10);
    EXPECT_EQ(Read("-3", 1, 10), 1);
    EXPECT_EQ(Read("4", 1, 10), 4);
    EXPECT_EQ(Read("50", 5, 5), 50);
    EXPECT_EQ(ClampSpinEditValue(-100, 0, 0), -100);
    EXPECT_EQ(ClampSpinEditValue(std::int64_t(IntMax) + 1, 0, 0), IntMax);
    EXPECT_EQ(ClampSpinEditValue(std::int64_t(IntMin) - 1, 0, 0), IntMin);
    EXPECT_EQ(ClampSpinEditValue(12, 10, 1), 10); // bounds given the wrong way round
}

TEST(SpinEditText, TypingTakesDigitsSignsTheSeparatorAndControlKeys)
{
    for (const char* text : {"0", "5", "9", "+", "-", ".", "\b", "\x16", "\x03", "\x1b", "\x7f", "123"})
        EXPECT_TRUE(Typed(QString::fromLatin1(text))) << text;
    for (const char* text : {"a", "Z", " ", ",", "/", "e", "1a"})
        EXPECT_FALSE(Typed(QString::fromLatin1(text))) << text;
    EXPECT_FALSE(Typed(QString::fromUtf8("\u0663")));
    EXPECT_FALSE(Typed(QString::fromUtf8("\u00e9")));
}

TEST(SpinEditText, TheSeparatorIsTheLocalesOne)
{
    EXPECT_TRUE(Typed(QStringLiteral(","), QStringLiteral(",")));
    EXPECT_FALSE(Typed(QStringLiteral("."), QStringLiteral(",")));
}

TEST(SpinEditText, EnterIsRefusedShortcutsAndKeysWithoutTextPass)
{
    const QString dot = QStringLiteral(".");
    EXPECT_FALSE(SpinEditAcceptsKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), dot));
    EXPECT_FALSE(SpinEditAcceptsKey(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), dot));
    EXPECT_FALSE(SpinEditAcceptsKey(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\r"), dot));
    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete, Qt::Key_Shift})
        EXPECT_TRUE(SpinEditAcceptsKey(key, Qt::NoModifier, QString(), dot)) << key;
    EXPECT_TRUE(SpinEditAcceptsKey(Qt::Key_V, Qt::ControlModifier, QStringLiteral("v"), dot));
    EXPECT_TRUE(SpinEditAcceptsKey(Qt::Key_F, Qt::AltModifier, QStringLiteral("f"), dot));
    EXPECT_FALSE(SpinEditAcceptsKey(Qt::Key_V, Qt::ShiftModifier, QStringLiteral("V"), dot));
}
