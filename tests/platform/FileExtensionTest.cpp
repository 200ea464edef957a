#include "platform/FileExtension.h"

#include <gtest/gtest.h>

TEST(FileExtension, IsWhatFollowsTheLastDotOfTheFileName)
{
    EXPECT_EQ(FileExtension("cover.BMP"), "BMP");
    EXPECT_EQ(FileExtension("/a/b/archive.tar.gz"), "gz");
    EXPECT_EQ(FileExtension("/a/b.d/noextension"), "");
    EXPECT_EQ(FileExtension("trailing."), "");
    EXPECT_EQ(FileExtension("noextension"), "");
}

TEST(FileExtension, LowerCasesOnlyAsciiCapitals)
{
    EXPECT_EQ(LowerCaseAscii("JpEg"), "jpeg");
    EXPECT_EQ(LowerCaseAscii("\xC9MF"), "\xC9mf");
}
