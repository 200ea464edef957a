#include "render/batch/ItemList.h"

#include <gtest/gtest.h>

namespace {

std::string Refusal(std::string_view text)
{
    try {
        ReadItemList(text);
    } catch (const TUsageError& e) {
        return e.what();
    }
    return "read";
}

} // namespace

TEST(ItemList, ReadsQuotesLineBreaksAndBothLineEndsWithSpreadsheetRowNumbers)
{
    const TItemList list = ReadItemList("\xEF\xBB\xBFname,front\r\n"
                                        "\"a, \"\"quoted\"\" one\",a.png\r\n"
                                        "\"two\nlines\",\"b.png\"\n"
                                        ",\n"
                                        "last,\"\"");
    EXPECT_EQ(list.Columns, (std::vector<std::string>{"name", "front"}));
    ASSERT_EQ(list.Rows.size(), 3u);
    EXPECT_EQ(list.Rows[0].Cells, (std::vector<std::string>{"a, \"quoted\" one", "a.png"}));
    EXPECT_EQ(list.Rows[0].Number, 2);
    EXPECT_EQ(list.Rows[1].Cells, (std::vector<std::string>{"two\nlines", "b.png"}));
    EXPECT_EQ(list.Rows[1].Number, 3);
    // The empty row 4 is left out, and still counted.
    EXPECT_EQ(list.Rows[2].Cells, (std::vector<std::string>{"last", ""}));
    EXPECT_EQ(list.Rows[2].Number, 5);
}

TEST(ItemList, ShortRowsAreFilledAndLongOnesAreTheirRowsProblem)
{
    const TItemList list = ReadItemList("a,b,c\n1\n1,2,3,,\n1,2,3,4\n\"x\xC3\",2\n\xC3\xA9t\xC3\xA9,\xF0\x9F\x93\xA6\n");
    ASSERT_EQ(list.Rows.size(), 5u);
    EXPECT_EQ(list.Rows[0].Cells, (std::vector<std::string>{"1", "", ""}));
    EXPECT_EQ(list.Rows[1].Problem, "");  // empty cells past the end do no harm
    EXPECT_EQ(list.Rows[2].Problem, "the row has 4 cells and the header names 3 columns");
    EXPECT_EQ(list.Rows[3].Problem, "");
    EXPECT_EQ(list.Rows[4].Problem, "");
    // Names as the system gives them: Latin-1, overlong, a surrogate, past
    // U+10FFFF, cut short. No name holds a NUL byte.
    for (const std::string& name : std::initializer_list<std::string>{"caf\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_EQ(ReadItemList("a\n" + name).Rows.at(0).Cells, std::vector<std::string>{name}) << name;
    EXPECT_EQ(ReadItemList(std::string("a\na\0b", 5)).Rows.at(0).Problem, "the row holds a NUL byte, which no name may hold");
}

TEST(ItemList, AListThatCannotBeReadNamesItsRow)
{
    EXPECT_EQ(Refusal(""), "row 1: the list has no header naming its columns");
    EXPECT_EQ(Refusal("\xEF\xBB\xBF\r\n"), "row 1: the list has no header naming its columns");
    EXPECT_EQ(Refusal("name,front,name\n"), "row 1: the column \"name\" is named twice");
    EXPECT_EQ(Refusal("a\xFF\n"), "row 1: the header is not UTF-8 text");
    EXPECT_EQ(Refusal("a,b\n1,2\n\"open,2\n3,4\n"), "row 3: a quote is opened and never closed");
    EXPECT_EQ(Refusal("a,b\n1,2\n3,\"x\"y\n"), "row 3: a quoted cell must end at a comma or the end of the line");
    EXPECT_EQ(Refusal("a,b\n"), "read");  // a list of no boxes
}
