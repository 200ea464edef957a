#include "platform/ProfileIniInteger.h"

#include <gtest/gtest.h>

TEST(ProfileIniInteger, ReadsSignedDecimalsAcrossTheWholeRange)
{
    EXPECT_EQ(ReadProfileInteger("20", 10), 20);
    EXPECT_EQ(ReadProfileInteger("-5", 10), -5);
    EXPECT_EQ(ReadProfileInteger("+7", 10), 7);
    EXPECT_EQ(ReadProfileInteger("0", 10), 0);
    EXPECT_EQ(ReadProfileInteger("-0", 10), 0);
    EXPECT_EQ(ReadProfileInteger("007", 10), 7);
    EXPECT_EQ(ReadProfileInteger("2147483647", 10), INT32_MAX);
    EXPECT_EQ(ReadProfileInteger("-2147483648", 10), INT32_MIN);
}

TEST(ProfileIniInteger, ReadsHexadecimalAsA32BitPatternAfterEveryPrefix)
{
    for (const char* text : {"0x1E", "0X1e", "$1E", "x1E", "X1E", "0x000000000001E"})
        EXPECT_EQ(ReadProfileInteger(text, 10), 30) << text;
    EXPECT_EQ(ReadProfileInteger("$FFFFFFFF", 10), -1);
    EXPECT_EQ(ReadProfileInteger("0x80000000", 10), INT32_MIN);
}

TEST(ProfileIniInteger, EverythingElseGivesTheDefault)
{
    for (const char* text : {"", "abc", "12abc", "1 2", " 5", "5 ", "-", "+", "--5", "0x", "$", "x", "-0x10", "$-1",
                             "1e3", "3.0", "0x1G", "2147483648", "-2147483649", "99999999999999999999",
                             "0x100000000", "$FFFFFFFFF"})
        EXPECT_EQ(ReadProfileInteger(text, 10), 10) << '"' << text << '"';
    EXPECT_EQ(ReadProfileInteger(std::string_view("1\0", 2), 10), 10);
}

TEST(ProfileIniInteger, ABooleanIsCheckedForAnyIntegerButZero)
{
    EXPECT_TRUE(ReadProfileBoolean("1"));
    EXPECT_TRUE(ReadProfileBoolean("2"));
    EXPECT_TRUE(ReadProfileBoolean("-1"));
    EXPECT_TRUE(ReadProfileBoolean("$FFFFFFFF"));
    EXPECT_FALSE(ReadProfileBoolean("0"));
    EXPECT_FALSE(ReadProfileBoolean("yes"));
    EXPECT_FALSE(ReadProfileBoolean("true"));
    EXPECT_FALSE(ReadProfileBoolean(""));
}
