// A list's rows as boxes: each row's cells over the command line's options,
// and the pictures they name.
#include "render/batch/RenderPlan.h"

#include <gtest/gtest.h>

namespace {

struct TListRun {
    std::vector<TRunBox> Boxes;
    std::vector<TPictureJob> Jobs;
};

TListRun PlanList(std::vector<std::string> args, std::string_view csv)
{
    const TRenderOptions options = ParseRenderArguments(args);
    TListRun run{ListBoxes(options, ReadItemList(csv)), {}};
    run.Jobs = PlanPictures(run.Boxes, options);
    return run;
}

} // namespace

TEST(ListBoxes, CellsOverrideTheCommandLineAndEmptyCellsKeepIt)
{
    const TListRun run = PlanList({"--list", "lists/items.csv", "--out-dir", "out", "--size", "300x200", "--book",
                              "--front", "art/default.png"},
                             "name,front,size,book,preset,cover,look\n"
                             "one,a.png,,,,,\n"
                             "two,/abs/b.png,40x30,no,2,boxes/c.cov,window\n"
                             ",,,,all,,\n");
    ASSERT_EQ(run.Boxes.size(), 3u);
    const TRunBox& one = run.Boxes[0];
    EXPECT_EQ(one.Problem, "");
    EXPECT_EQ(one.Artwork.Faces[size_t(TArtFace::Front)], "lists/a.png");  // from the list's folder
    EXPECT_EQ(one.Options.Width, 300);
    EXPECT_EQ(one.Artwork.Book, true);
    EXPECT_EQ(one.Label, "lists/items.csv row 2");
    const TRunBox& two = run.Boxes[1];
    EXPECT_EQ(two.Artwork.Faces[size_t(TArtFace::Front)], "/abs/b.png");
    EXPECT_EQ(two.Artwork.CoverFile, "lists/boxes/c.cov");
    EXPECT_EQ(two.Options.Width, 40);
    EXPECT_EQ(two.Artwork.Book, false);  // a switch's cell turns it off as well
    EXPECT_EQ(two.Options.Style.Look, TLook::Window);
    // The third row takes the command line's front, which stays relative to the working folder.
    EXPECT_EQ(run.Boxes[2].Artwork.Faces[size_t(TArtFace::Front)], "art/default.png");

    ASSERT_EQ(run.Jobs.size(), 7u);
    EXPECT_EQ(run.Jobs[0].OutputFile, "out/one-x25_y30.png");
    EXPECT_EQ(run.Jobs[1].OutputFile, "out/two-preset2.png");
    EXPECT_EQ(run.Jobs[1].Box, 1u);
    EXPECT_EQ(run.Jobs[2].OutputFile, "out/default-preset0.png");  // no name: the front's
}

TEST(ListBoxes, ABadRowIsItsOwnProblemWithTheReason)
{
    const TListRun run = PlanList({"--list", "items.csv", "--out-dir", "out"},
                             "name,front,size,notes,samples,transparent,output,preset,angles\n"
                             "ok,a.png,,,,,,,\n"
                             "size,a.png,0x5,,,,,,\n"
                             "unknown,a.png,,see me,,,,,\n"
                             "samples,a.png,,,lots,,,,\n"
                             "switch,a.png,,,,maybe,,,\n"
                             "jpeg,a.png,,,,yes,x.jpg,,\n"
                             "nofront,,,,,,,,\n"
                             "pose,a.png,,,,,,1,\"1,2\"\n"
                             "ok,b.png,,,,,,,\n"
                             "many,a.png,,,,,one.png,all,\n"
                             "escape,a.png,,,,,../x.png,,\n"
                             "named,c.png,,,,,shot.jpg,,\n");
    const std::vector<std::string> problems{
        "",
        "--size takes WIDTHxHEIGHT, each from 1 to 65535, not \"0x5\"",
        "a value in the column \"notes\", which names no option",
        "--samples takes a whole number from 1 to 64, not \"lots\"",
        "--transparent takes 1, yes, true, on or 0, no, false, off, not \"maybe\"",
        "--transparent needs a .png picture, not out/x.jpg",
        "give a cover file, --front FILE or --wrap FILE",
        "give one --preset or --angles",
        "two pictures would be written to out/ok-x25_y30.png (items.csv row 2 writes it)",
        "an output cell names one picture, and this row makes 5: use --name",
        "the picture's name \"../x.png\" leads out of the output folder",
        "",
    };
    ASSERT_EQ(run.Boxes.size(), problems.size());
    for (size_t i = 0; i < problems.size(); ++i)
        EXPECT_EQ(run.Boxes[i].Problem, problems[i]) << i;
    ASSERT_EQ(run.Jobs.size(), 2u);
    EXPECT_EQ(run.Jobs[0].Box, 0u);
    EXPECT_EQ(run.Jobs[1].OutputFile, "out/shot.jpg");  // inside the output folder
    EXPECT_EQ(run.Jobs[1].Format, TImageFormat::Jpeg);
}

TEST(ListBoxes, NamesComeFromTheTemplateAndStayInTheFolder)
{
    const TListRun run = PlanList({"--list", "items.csv", "--out-dir", "out", "--name", "{series}/{name}-{row}.{ext}"},
                             "name,series,ext,front\n"
                             "-dash,Space Saga,jpg,a.png\n"
                             "../escape,s,png,a.png\n"
                             "x,..,png,a.png\n"
                             "y,s,gif,a.png\n"
                             ",,,\n"
                             ",,png,\n");
    EXPECT_EQ(run.Boxes[0].Problem, "");
    ASSERT_EQ(run.Jobs.size(), 1u);
    EXPECT_EQ(run.Jobs[0].OutputFile, "out/Space Saga/-dash-2.jpg");
    EXPECT_EQ(run.Jobs[0].Format, TImageFormat::Jpeg);
    EXPECT_NE(run.Boxes[1].Problem.find("leads out of the output folder"), std::string::npos);
    EXPECT_NE(run.Boxes[2].Problem.find("leads out of the output folder"), std::string::npos);
    EXPECT_NE(run.Boxes[3].Problem.find("must end in .png, .bmp or .jpg"), std::string::npos);
    EXPECT_EQ(run.Boxes[4].Problem, "give a cover file, --front FILE or --wrap FILE");

    EXPECT_THROW(PlanList({"--list", "i.csv", "--out-dir", "o", "--name", "{nope}.png"}, "front\na.png\n"), TUsageError);
}

TEST(ListBoxes, CommandLinesThatCannotTakeAList)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--list", "i.csv", "-o", "a.png"}, {"--list", "i.csv"}, {"--list", "i.csv", "--out-dir", "o", "a.cov"},
          {"--name", "{name}.png", "-o", "a.png", "--front", "a.png"}, {"--shard-count", "3", "--front", "a.png", "-o", "a.png"}})
        EXPECT_THROW(ParseRenderArguments(args), TUsageError);
    const TRenderOptions options = ParseRenderArguments(
        {"--list", "i.csv", "--out-dir", "o", "--jobs", "3", "--keep-newer", "--shard", "2/7", "--name", "{row}.png"});
    EXPECT_EQ(options.Jobs, 3);
    EXPECT_TRUE(options.KeepNewer);
    EXPECT_EQ(options.Shard, (TShard{2, 7}));
    for (const char* shard : {"7/7", "1", "-1/3", "1/0", "a/b", "1/2/3"})
        EXPECT_THROW(ParseRenderArguments({"--shard", shard, "--front", "a.png", "-o", "a.png"}), TUsageError)
            << shard;
}
