#include "render/batch/ItemList.h"

#include "platform/PrintableText.h"

#include <algorithm>
#include <set>

namespace {

[[noreturn]] void Refuse(int row, const std::string& reason)
{
    throw TUsageError("row " + std::to_string(row) + ": " + reason);
}

// Splits the text into records of cells; each record keeps the row it is.
class TRecordReader {
public:
    explicit TRecordReader(std::string_view text) : Text_(text) {}

    bool Next(std::vector<std::string>& cells)
    {
        if (At_ >= Text_.size())
            return false;
        cells.assign(1, std::string());
        ++Row_;
        while (At_ < Text_.size()) {
            const char c = Text_[At_++];
            if (c == '"' && cells.back().empty() && !Quoted_) {
                ReadQuoted(cells.back());
                Quoted_ = true;
            } else if (c == ',') {
                cells.emplace_back();
                Quoted_ = false;
            } else if (c == '\n' || (c == '\r' && At_ < Text_.size() && Text_[At_] == '\n')) {
                At_ += c == '\r';
                break;
            } else if (Quoted_) {
                Refuse(Row_, "a quoted cell must end at a comma or the end of the line");
            } else {
                cells.back() += c;
            }
        }
        Quoted_ = false;
        return true;
    }

    int RowNumber() const { return Row_; }

private:
    void ReadQuoted(std::string& cell)
    {
        const int start = Row_;
        while (At_ < Text_.size()) {
            const char c = Text_[At_++];
            if (c != '"') {
                cell += c;
            } else if (At_ < Text_.size() && Text_[At_] == '"') {
                cell += '"';
                ++At_;
            } else {
                return;
            }
        }
        Refuse(start, "a quote is opened and never closed");
    }

    std::string_view Text_;
    size_t At_ = 0;
    int Row_ = 0;
    bool Quoted_ = false;  // the current cell was quoted and its quote is closed
};

} // namespace

TItemList ReadItemList(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    TRecordReader reader(text);
    TItemList list;
    if (!reader.Next(list.Columns) || (list.Columns.size() == 1 && list.Columns[0].empty()))
        Refuse(1, "the list has no header naming its columns");
    std::set<std::string> names;
    for (const std::string& column : list.Columns) {
        if (column.find('\0') != std::string::npos || !IsUtf8(column))
            Refuse(1, "the header is not UTF-8 text");
        if (!column.empty() && !names.insert(column).second)
            Refuse(1, "the column \"" + column + "\" is named twice");
    }
    std::vector<std::string> cells;
    while (reader.Next(cells)) {
        if (std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); }))
            continue;
        TItemRow row{.Number = reader.RowNumber()};
        // Names are taken as the system gives them, in any encoding.
        for (const std::string& cell : cells)
            if (cell.find('\0') != std::string::npos)
                row.Problem = "the row holds a NUL byte, which no name may hold";
        if (row.Problem.empty() && cells.size() > list.Columns.size() &&
            std::any_of(cells.begin() + ptrdiff_t(list.Columns.size()), cells.end(),
                        [](const std::string& c) { return !c.empty(); }))
            row.Problem = "the row has " + std::to_string(cells.size()) + " cells and the header names " +
                          std::to_string(list.Columns.size()) + " columns";
        cells.resize(list.Columns.size());
        row.Cells = std::move(cells);
        list.Rows.push_back(std::move(row));
    }
    return list;
}
