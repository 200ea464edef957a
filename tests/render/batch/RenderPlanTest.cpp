#include "render/batch/RenderPlan.h"

#include <gtest/gtest.h>

namespace {

std::vector<TPictureJob> Plan(const std::vector<std::string>& args)
{
    const TRenderOptions options = ParseRenderArguments(args);
    std::vector<TRunBox> boxes = RunBoxes(options);
    return PlanPictures(boxes, options);
}

} // namespace

TEST(RenderPlan, FormatComesFromTheExtensionInAnyCase)
{
    EXPECT_EQ(ImageFormatOf("a.png"), TImageFormat::Png);
    EXPECT_EQ(ImageFormatOf("dir/A.PNG"), TImageFormat::Png);
    EXPECT_EQ(ImageFormatOf("a.bmp"), TImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOf("a.Bmp"), TImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOf("a.jpg"), TImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOf("a.JPEG"), TImageFormat::Jpeg);
    for (const char* name : {"a.gif", "a.tif", "a", "a.", "a.png.txt", "dir.png/a", ".png/x", "a.pn"})
        EXPECT_EQ(ImageFormatOf(name), std::nullopt) << name;
}

TEST(RenderPlan, CoverStemDropsFolderAndExtension)
{
    EXPECT_EQ(CoverStem("art/box.cov"), "box");
    EXPECT_EQ(CoverStem("box.v2.cov"), "box.v2");
    EXPECT_EQ(CoverStem("box"), "box");
    EXPECT_EQ(CoverStem("a.b/box"), "box");
    EXPECT_EQ(CoverStem(".cov"), ".cov");
}

TEST(RenderPlan, OneFileTakesTheOnePicture)
{
    const auto jobs = Plan({"a/box.cov", "--preset", "3", "-o", "shot.JPG"});
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Box, 0u);
    EXPECT_EQ(jobs[0].Pose.Name, "preset3");
    EXPECT_EQ(jobs[0].OutputFile, "shot.JPG");
    EXPECT_EQ(jobs[0].Format, TImageFormat::Jpeg);
}

TEST(RenderPlan, OutputFolderNamesEachCoverAndPose)
{
    const auto jobs =
        Plan({"--out-dir", "out/", "--preset", "all", "a/one.cov", "b/two.cov"});
    ASSERT_EQ(jobs.size(), 10u);
    EXPECT_EQ(jobs[0].OutputFile, "out/one-preset0.png");
    EXPECT_EQ(jobs[4].OutputFile, "out/one-preset4.png");
    EXPECT_EQ(jobs[5].OutputFile, "out/two-preset0.png");
    EXPECT_EQ(jobs[5].Box, 1u);
    for (const TPictureJob& job : jobs)
        EXPECT_EQ(job.Format, TImageFormat::Png);

    const auto angled = Plan({"--out-dir", "out", "--angles", "10,-20", "c.cov"});
    ASSERT_EQ(angled.size(), 1u);
    EXPECT_EQ(angled[0].OutputFile, "out/c-x10_y-20.png");
}

TEST(RenderPlan, TheFaceOptionsGoWithEveryCoverOrAreTheBox)
{
    const TRenderOptions covers =
        ParseRenderArguments({"--out-dir", "o", "--back", "b.png", "--book", "a/one.cov", "two.cov"});
    std::vector<TBoxArtwork> boxes;
    for (const TRunBox& box : RunBoxes(covers))
        boxes.push_back(box.Artwork);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].CoverFile, "two.cov");
    for (const TBoxArtwork& box : boxes) {
        EXPECT_EQ(box.Faces[size_t(TArtFace::Back)], "b.png");
        EXPECT_EQ(box.Book, true);
    }
    // Without a cover file the box is named by its front, or else its wrap.
    for (const auto& [option, file] : {std::pair{"--front", "art/game.png"}, std::pair{"--wrap", "scans/game.tif"}}) {
        const std::vector<std::string> args{"--out-dir", "o", option, file, "--preset", "1"};
        ASSERT_EQ(RunBoxes(ParseRenderArguments(args)).size(), 1u);
        EXPECT_EQ(RunBoxes(ParseRenderArguments(args))[0].Artwork.CoverFile, "");
        EXPECT_EQ(Plan(args).at(0).OutputFile, "o/game-preset1.png");
    }
}

TEST(RenderPlan, RefusesTwoPicturesForOneFile)
{
    EXPECT_THROW(Plan({"--out-dir", "o", "a/box.cov", "b/box.cov"}), TUsageError);
    EXPECT_THROW(Plan({"--out-dir", "o", "box.cov", "box.cov"}), TUsageError);
}

TEST(RenderPlan, ASpinIsOneWebPOrNumberedPictures)
{
    struct TCase {
        std::vector<std::string> Args;        // besides box.cov
        std::vector<std::string> Files;       // of the jobs, in order
        std::vector<int> Frames;              // of the jobs
    };
    const TCase cases[] = {
        {{"-o", "spin.webp", "--spin", "3"}, {"spin.webp", "spin.webp", "spin.webp"}, {0, 1, 2}},
        {{"-o", "s-%03d.png", "--spin", "3"}, {"s-000.png", "s-001.png", "s-002.png"}, {0, 1, 2}},
        {{"-o", "100%%-%d.jpg", "--swing", "10", "--spin", "2"}, {"100%-0.jpg", "100%-1.jpg"}, {0, 1}},
        {{"-o", "s-%d.png", "--spin", "1"}, {"s-0.png"}, {0}},
        {{"-o", "50%.png"}, {"50%.png"}, {NoFrame}},
        {{"-o", "still.webp"}, {"still.webp"}, {NoFrame}},
        {{"--out-dir", "o", "--spin", "2", "--preset", "all", "--format", "webp"},
         {"o/box-preset0.webp", "o/box-preset0.webp", "o/box-preset1.webp", "o/box-preset1.webp", "o/box-preset2.webp",
          "o/box-preset2.webp", "o/box-preset3.webp", "o/box-preset3.webp", "o/box-preset4.webp", "o/box-preset4.webp"},
         {0, 1, 0, 1, 0, 1, 0, 1, 0, 1}},
        {{"--out-dir", "o", "--spin", "11", "--angles", "0,0"},
         {"o/box-x0_y0-00.png", "o/box-x0_y0-01.png", "o/box-x0_y0-02.png", "o/box-x0_y0-03.png", "o/box-x0_y0-04.png",
          "o/box-x0_y0-05.png", "o/box-x0_y0-06.png", "o/box-x0_y0-07.png", "o/box-x0_y0-08.png", "o/box-x0_y0-09.png",
          "o/box-x0_y0-10.png"},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {{"--out-dir", "o", "--spin", "2", "--name", "{frame}/{name}.jpg"}, {"o/0/box.jpg", "o/1/box.jpg"}, {0, 1}},
        {{"--out-dir", "o", "--swing", "5", "--spin", "2", "--name", "{name}-{pose}.webp"},
         {"o/box-x25_y30.webp", "o/box-x25_y30.webp"},
         {0, 1}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args{"box.cov"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const auto jobs = Plan(args);
        std::vector<std::string> files;
        std::vector<int> frames;
        for (const TPictureJob& job : jobs) {
            files.push_back(job.OutputFile);
            frames.push_back(job.Frame);
        }
        EXPECT_EQ(files, c.Files) << testing::PrintToString(c.Args);
        EXPECT_EQ(frames, c.Frames) << testing::PrintToString(c.Args);
    }
}

TEST(RenderPlan, RefusesSpinNamesThatDoNotNameEachFrame)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-o", "spin.png", "--spin", "3"},
         "spin.png holds no frame number %d or %03d: each frame of a spin needs a name of its own (or write the spin "
         "into one .webp)"},
        {{"-o", "s-%d-%d.png", "--spin", "3"},
         "s-%d-%d.png holds two frame numbers: each frame of a spin needs a name of its own (or write the spin into "
         "one .webp)"},
        {{"-o", "s-%s.png", "--spin", "3"}, "s-%s.png: a % starts the frame's number, %d or %03d (%% for a % sign), not \"%s.\""},
        {{"-o", "s-%3d.png", "--spin", "3"},
         "s-%3d.png: a % starts the frame's number, %d or %03d (%% for a % sign), not \"%3d\""},
        {{"-o", "s-%03d.webp", "--spin", "3"}, "s-%03d.webp: %d numbers the frames of a spin written as .png, .jpg or .bmp pictures"},
        {{"-o", "s-%03d.png"}, "s-%03d.png: %d numbers the frames of a spin written as .png, .jpg or .bmp pictures"},
        {{"--out-dir", "o", "--spin", "3", "--name", "{name}.png"},
         "--name holds no {frame}: each frame of a spin needs a name of its own (or write the spin into one .webp)"},
        {{"--out-dir", "o", "--name", "{name}-{frame}.png"},
         "--name: {frame} numbers the frames of a spin written as .png, .jpg or .bmp pictures"},
        {{"--out-dir", "o", "--spin", "3", "--name", "{name}-{frame}.webp"},
         "--name: {frame} numbers the frames of a spin written as .png, .jpg or .bmp pictures"},
        {{"--out-dir", "o", "--spin", "3", "--format", "jpg", "--transparent"},
         "--transparent needs a .png or .webp picture, not o/box-x25_y30-0.jpg"},
    };
    for (const auto& [extra, message] : cases) {
        std::vector<std::string> args{"box.cov"};
        args.insert(args.end(), extra.begin(), extra.end());
        try {
            Plan(args);
            ADD_FAILURE() << "accepted " << testing::PrintToString(extra);
        } catch (const TUsageError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}
