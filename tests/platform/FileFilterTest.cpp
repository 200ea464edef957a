#include "platform/FileFilter.h"

#include <gtest/gtest.h>

TEST(FileFilter, EachPairBecomesANameFilterWithItsPatterns)
{
    EXPECT_EQ(QtNameFilters(QStringLiteral("Cover Files (*.cov)|*.cov|All Files (*.*)|*.*")),
              QStringList({QStringLiteral("Cover Files (*.cov) (*.cov)"), QStringLiteral("All Files (*.*) (*)")}));
    EXPECT_EQ(QtNameFilters(QStringLiteral("Bitmap File|*.bmp")), QStringList({QStringLiteral("Bitmap File (*.bmp)")}));
}

TEST(FileFilter, SeveralPatternsAreSeparatedBySpaces)
{
    EXPECT_EQ(QtNameFilters(QStringLiteral("Pictures|*.bmp;*.jpg; *.jpeg;")),
              QStringList({QStringLiteral("Pictures (*.bmp *.jpg *.jpeg)")}));
}

TEST(FileFilter, EmptyOrUnpairedFiltersGiveNoEntryForTheLoneName)
{
    EXPECT_TRUE(QtNameFilters(QString()).isEmpty());
    EXPECT_EQ(QtNameFilters(QStringLiteral("A|*.a|B")), QStringList({QStringLiteral("A (*.a)")}));
}
