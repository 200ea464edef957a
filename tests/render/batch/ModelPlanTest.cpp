#include "render/batch/RenderPlan.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
    std::vector<std::string> Args;
    std::vector<std::pair<std::string, TJobKind>> Jobs;  // none: refused
    std::string Refusal;                                  // a part of the message
};

using enum TJobKind;

} // namespace

TEST(ModelPlan, AModelBringsItsPosterAndItsPageAsAskedFor)
{
    const TCase cases[] = {
        {{"--front", "f.png", "-o", "art/box.glb"}, {{"art/box.glb", Model}}, ""},
        {{"--front", "f.png", "-o", "Box.GLB", "--poster"}, {{"Box.GLB", Model}, {"Box.png", Picture}}, ""},
        {{"--front", "f.png", "--web", "shop"},
         {{"shop/box.glb", Model}, {"shop/poster.png", Picture}, {"shop/index.html", Page}},
         ""},
        {{"a.cov", "b.cov", "--out-dir", "out", "--name", "{name}.glb", "--poster"},
         {{"out/a.glb", Model}, {"out/a.png", Picture}, {"out/b.glb", Model}, {"out/b.png", Picture}},
         ""},
        {{"a.cov", "--out-dir", "out", "--name", "{name}.glb", "--preset", "all", "--poster"},
         {},
         "two pictures would be written to out/a.glb"},
        {{"--front", "f.png", "--web", "shop", "-o", "x.glb"}, {}, "--web DIR writes the page of one box"},
        {{"a.cov", "b.cov", "--web", "shop"}, {}, "one cover file and one pose"},
        {{"--front", "f.png", "--web", "shop", "--preset", "all"}, {}, "one cover file and one pose"},
        {{"--front", "f.png", "-o", "x.png", "--poster"}, {}, "--poster goes with a 3D model"},
        {{"--front", "f.png", "-o", "x.png", "--texture-size", "512"}, {}, "--texture-size goes with a 3D model"},
        {{"--front", "f.png", "-o", "x.glb", "--texture-size", "4097"}, {}, "--texture-size"},
        {{"--front", "f.png", "-o", "x.glb", "--texture-size", "0"}, {}, "--texture-size"},
    };
    for (const TCase& c : cases) {
        std::string args;
        for (const std::string& arg : c.Args)
            args += arg + " ";
        SCOPED_TRACE(args);
        try {
            const TRenderOptions options = ParseRenderArguments(c.Args);
            std::vector<TRunBox> boxes = RunBoxes(options);
            std::vector<std::pair<std::string, TJobKind>> jobs;
            for (const TPictureJob& job : PlanPictures(boxes, options))
                jobs.emplace_back(job.OutputFile, job.Kind);
            EXPECT_EQ(jobs, c.Jobs);
            EXPECT_EQ(c.Refusal, "");
        } catch (const TUsageError& e) {
            EXPECT_TRUE(c.Jobs.empty());
            EXPECT_NE(c.Refusal, "");
            EXPECT_NE(std::string(e.what()).find(c.Refusal), std::string::npos) << e.what();
        }
    }
}
