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
