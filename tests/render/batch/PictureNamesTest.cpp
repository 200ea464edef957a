#include "render/batch/PictureNames.h"

#include "render/options/RenderOptions.h"

#include <gtest/gtest.h>

TEST(PictureNames, FieldsAreFilledAndDoubledBracesStayBraces)
{
    const std::map<std::string, std::string> fields{{"name", "Déjà vu"}, {"pose", "preset1"}, {"row", "7"}};
    EXPECT_EQ(FillNameTemplate("{name}-{pose}.png", fields), "Déjà vu-preset1.png");
    EXPECT_EQ(FillNameTemplate("{{{row}}}.jpg", fields), "{7}.jpg");
    EXPECT_EQ(NameTemplateFields("{a}/{b}-{{c}}"), (std::vector<std::string>{"a", "b"}));
    EXPECT_THROW(FillNameTemplate("{series}.png", fields), TUsageError);
    for (const char* broken : {"{name", "name}.png", "{}.png", "{a{b}.png"})
        EXPECT_THROW(NameTemplateFields(broken), TUsageError) << broken;
}

TEST(PictureNames, ANameStaysInsideTheOutputFolder)
{
    for (const char* fine : {"a.png", "-dash.png", "series/a.png", "..a.png", "a..png", "x/.hidden.png"})
        EXPECT_EQ(PictureNameProblem(fine), "") << fine;
    for (const char* outside : {"../a.png", "a/../../b.png", "/etc/a.png", "..", "a/", "a/.", "two\nlines.png", "a\tb.png"})
        EXPECT_NE(PictureNameProblem(outside), "") << outside;
    EXPECT_EQ(PictureNameProblem(""), "the picture's name is empty");
}
