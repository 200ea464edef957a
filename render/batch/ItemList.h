#pragma once
// The rows of a list of boxes (--list items.csv): comma-separated values as
// spreadsheets write them (RFC 4180); the cells' bytes are kept as they are,
// since a file name need not be UTF-8. The first row names the
// columns; a leading byte-order mark is skipped; a cell in double quotes may
// hold commas, line breaks and "" for one quote; lines end in LF or CRLF.
// Rows are numbered as a spreadsheet shows them: the header is row 1.
#include "render/options/RenderOptions.h"

#include <string>
#include <string_view>
#include <vector>

struct TItemRow {
    int Number = 0;                  // the row as a spreadsheet numbers it
    std::vector<std::string> Cells{};  // as many as the columns, missing ones empty
    std::string Problem{};           // why the row cannot be read; empty when it can
};

struct TItemList {
    std::vector<std::string> Columns;
    std::vector<TItemRow> Rows;  // rows with nothing in any cell are left out
};

// Raises TUsageError, naming the row, for a list that cannot be read as a
// whole: no header, a header that is not UTF-8 or names a column twice, a
// quote that is never closed, text after a closing quote. A row that holds a
// NUL byte, or has a non-empty cell past the last column, gets its Problem.
TItemList ReadItemList(std::string_view text);
