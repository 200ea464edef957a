// Feeds arbitrary bytes to the reader of --list files, and each row it reads
// through the options and the picture names: every input gives rows or a
// usage error, never a crash; rows have a cell for each column, in order; and
// no picture is named outside the output folder.
#include "fuzz/FuzzCheck.h"
#include "render/batch/PictureNames.h"
#include "render/batch/RenderPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const TRenderOptions options =
        ParseRenderArguments({"--list", "lists/items.csv", "--out-dir", "out", "--name", "{name}-{pose}.png"});
    TItemList list;
    try {
        list = ReadItemList(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const TUsageError&) {
        return 0;
    }
    int previous = 1;
    for (const TItemRow& row : list.Rows) {
        Check(row.Cells.size() == list.Columns.size(), "a row has a cell for each column");
        Check(row.Number > previous, "rows are numbered in order, after the header");
        previous = row.Number;
    }
    std::vector<TRunBox> boxes = ListBoxes(options, list);
    Check(boxes.size() == list.Rows.size(), "a box for each row");
    for (const TPictureJob& job : PlanPictures(boxes, options))
        Check(job.OutputFile.starts_with("out/") && PictureNameProblem(job.OutputFile.substr(4)).empty(),
              "pictures are named inside the output folder");
    return 0;
}
