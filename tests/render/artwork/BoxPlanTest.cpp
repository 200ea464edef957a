#include "platform/Error.h"
#include "render/artwork/BoxPlan.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using enum TArtFace;
using K = TFaceSourceKind;

class BoxPlan : public testing::Test {
protected:
    std::string Write(const char* name, const QByteArray& text)
    {
        QFile file(Folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName().toStdString();
    }

    std::string In(const char* name) const { return Folder.filePath(name).toStdString(); }

    static std::string Failure(const TBoxArtwork& artwork)
    {
        try {
            PlanBox(artwork);
        } catch (const TError& e) {
            return e.what();
        }
        return "planned";
    }

    QTemporaryDir Folder;
};

TFaceSource File(const std::string& name)
{
    return {K::File, name};
}

} // namespace

TEST_F(BoxPlan, ReadsTheCoverFileWithTheWindowsReaderAndItsBackKey)
{
    const std::string cover = Write("a.cov", "[Properties]\nCover=c.jpg\nSpine=s.jpg\nPlain=p.bmp\nTop=t.jpg\n"
                                             "Floor=f.jpg\nBack=b.png\n[options]\nBook=2\nFloor=0\nBack=1\n"
                                             "Open=1\n[Sizes]\nWidth=0x1E\nDepth=-5\n");
    const TBoxPlan plan = PlanBox({.CoverFile = cover});
    // Each name is looked up in the cover file's folder.
    EXPECT_EQ(plan.Faces, (std::array<TFaceSource, ArtFaceCount>{File(In("c.jpg")), File(In("s.jpg")),
                                                                 File(In("b.png")), File(In("t.jpg")),
                                                                 File(In("f.jpg")), File(In("p.bmp"))}));
    EXPECT_EQ(plan.Box, (TBoxOptions{.Book = true, .LidOpen = true, .Floor = false}));
    EXPECT_TRUE(plan.ShowBackground);
    EXPECT_EQ(plan.Size, (TBoxSize{30.0f, 10.0f, -5.0f}));  // the height absent: the reader's default
    EXPECT_FALSE(plan.AutoSize);
}

TEST_F(BoxPlan, OnlyTheFrontIsNeededTheRestIsFilled)
{
    const TBoxPlan closed = PlanBox({.CoverFile = Write("front.cov", "[Properties]\nCover=c.jpg\n")});
    EXPECT_EQ(closed.Faces[size_t(Front)], File(In("c.jpg")));
    EXPECT_EQ(closed.Faces[size_t(Spine)], (TFaceSource{K::EdgeColour, {}, Front}));
    EXPECT_EQ(closed.Faces[size_t(Top)], (TFaceSource{K::EdgeColour, {}, Spine}));
    EXPECT_EQ(closed.Faces[size_t(Back)], (TFaceSource{K::SameAs, {}, Front}));
    // Neither the flaps nor the floor show, so they are not looked for.
    EXPECT_EQ(closed.Faces[size_t(Plain)].Kind, K::None);
    EXPECT_EQ(closed.Faces[size_t(Floor)].Kind, K::None);

    const TBoxPlan open = PlanBox({.Faces = {"f.png"}, .Open = true});
    EXPECT_EQ(open.Faces[size_t(Plain)], (TFaceSource{K::SameAs, {}, Top}));
    EXPECT_EQ(open.Size, StartUpBoxSize);
    // Names the picture does not show are not looked up either.
    const TBoxPlan named = PlanBox({.CoverFile = Write("named.cov", "[Properties]\nCover=c.jpg\nPlain=p.jpg\n")});
    EXPECT_EQ(named.Faces[size_t(Plain)].Kind, K::None);

    // The floor's image cannot be filled, nor the front's.
    EXPECT_EQ(Failure({.CoverFile = Write("floor.cov", "[Properties]\nCover=c.jpg\n[Options]\nFloor=1\n")}),
              "no Floor image is named under [Properties]");
    EXPECT_EQ(Failure({.Faces = {"f.png"}, .ShowBackground = true}),
              "the floor and the background show the floor image: give --floor FILE");
    EXPECT_EQ(Failure({.CoverFile = Write("junk.cov", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))}),
              "no Cover image is named under [Properties]");
}

TEST_F(BoxPlan, GivenImagesWinOverTheWrapWhichWinsOverTheCoverFile)
{
    const std::string cover = Write("box.cov", "[Properties]\nCover=c.jpg\nSpine=s.jpg\nTop=t.jpg\nBack=b.jpg\n"
                                               "[Sizes]\nWidth=20\nHeight=30\nDepth=5\n");
    const TBoxPlan plan = PlanBox({.CoverFile = cover, .Faces = {"", "my-spine.png"}, .Wrap = "scan.tif"});
    EXPECT_EQ(plan.Faces[size_t(Front)], (TFaceSource{K::WrapPart, "scan.tif"}));
    EXPECT_EQ(plan.Faces[size_t(Spine)], File("my-spine.png"));
    EXPECT_EQ(plan.Faces[size_t(Back)], (TFaceSource{K::WrapPart, "scan.tif"}));
    EXPECT_EQ(plan.Faces[size_t(Top)], File(In("t.jpg")));
    // The spine takes depth / (2 x width + depth) of the scan.
    EXPECT_EQ(plan.Split, (TWrapSplit{.SpineShare = 5.0 / 45.0}));
    EXPECT_EQ(PlanBox({.Wrap = "scan.tif", .WrapSpine = 120}).Split, (TWrapSplit{.SpinePixels = 120}));
    EXPECT_EQ(Failure({.Wrap = "scan.tif", .Size = TBoxSize{20.0f, 30.0f, 0.0f}}),
              "the box's width and depth give no spine to cut from the wrap scan: give --wrap-spine PIXELS");
}

TEST_F(BoxPlan, GivenOptionsAndSizesOverrideTheCoverFiles)
{
    const std::string cover = Write("box.cov", "[Properties]\nCover=c.jpg\nFloor=f.jpg\n[Options]\nBook=1\nFloor=1\n"
                                               "[Sizes]\nWidth=20\nHeight=30\nDepth=5\n");
    EXPECT_EQ(PlanBox({.CoverFile = cover}).Box, (TBoxOptions{.Book = true, .Floor = true}));
    const TBoxPlan plan = PlanBox({.CoverFile = cover, .Size = TBoxSize{13.5f, 19.0f, 1.4f}, .Book = false,
                                   .Open = true, .ShowBackground = true});
    EXPECT_EQ(plan.Box, (TBoxOptions{.Book = false, .LidOpen = true, .Floor = true}));
    EXPECT_TRUE(plan.ShowBackground);
    EXPECT_EQ(plan.Size, (TBoxSize{13.5f, 19.0f, 1.4f}));
    EXPECT_TRUE(PlanBox({.CoverFile = cover, .AutoSize = true}).AutoSize);
}

TEST_F(BoxPlan, FailuresNameTheFileAndTheReason)
{
    const std::string missing = In("none.cov");
    EXPECT_EQ(Failure({.CoverFile = missing}), "Cannot open file " + missing + ": No such file or directory");
    EXPECT_EQ(Failure({.CoverFile = Folder.path().toStdString()}),
              "Cannot open file " + Folder.path().toStdString() + ": not a regular file");
    EXPECT_EQ(Failure({}), "give a cover file, --front FILE or --wrap FILE");
}

TEST(ArtworkProblem, NamesWhatTheDescriptionLacks)
{
    EXPECT_EQ(ArtworkProblem({.CoverFile = "a.cov"}), "");
    EXPECT_EQ(ArtworkProblem({.Faces = {"f.png"}}), "");
    EXPECT_EQ(ArtworkProblem({.Wrap = "w.png"}), "");
    EXPECT_EQ(ArtworkProblem({.Faces = {"", "spine.png"}}), "give a cover file, --front FILE or --wrap FILE");
    EXPECT_EQ(ArtworkProblem({.Faces = {"f.png"}, .WrapSpine = 10}), "--wrap-spine needs --wrap FILE");
    EXPECT_EQ(ArtworkProblem({.Wrap = "w.png", .AutoSize = true}),
              "--box auto with --wrap needs --wrap-spine PIXELS: the spine's width in the scan gives the depth");
    EXPECT_EQ(ArtworkProblem({.Wrap = "w.png", .WrapSpine = 10, .AutoSize = true}), "");
    EXPECT_EQ(ArtworkProblem({.Wrap = "w.png", .Shape = TShapeKind::Dvd, .Open = true}),
              "--book and --open shape the box alone: a dvd is built as it is");
    EXPECT_EQ(ArtworkProblem({.Wrap = "w.png", .Shape = TShapeKind::Box, .Open = true}), "");
}

TEST(AutoBoxSize, TwentyWideTheHeightFromTheFrontTheDepthFromTheSpine)
{
    EXPECT_EQ(AutoBoxSize({1000, 1500}, TPixelSize{100, 1500}, 7.0f), (TBoxSize{20.0f, 30.0f, 2.0f}));
    // A wrap's parts share the scan's height: 400 + 50 + 400 pixels.
    EXPECT_EQ(AutoBoxSize({400, 560}, TPixelSize{50, 560}, 7.0f), (TBoxSize{20.0f, 28.0f, 2.5f}));
    // Without a spine image the depth stays.
    EXPECT_EQ(AutoBoxSize({600, 300}, std::nullopt, 7.0f), (TBoxSize{20.0f, 10.0f, 7.0f}));
}

TEST_F(BoxPlan, AShapeComesWithItsRealSizesAndFillsItsFacesAsItsTradePrintsThem)
{
    struct TCase {
        const char* Cover;            // the cover file's [Properties] after Cover=c.jpg
        std::optional<TShapeKind> Given;
        std::optional<TBoxSize> Size;  // --box
        TShapeKind Shape;
        TBoxSize Expected;
        TFaceSource Back;
    };
    const TCase cases[] = {
        {"", std::nullopt, std::nullopt, TShapeKind::Box, {10, 10, 10}, {K::SameAs, {}, Front}},
        {"Shape=DVD\n", std::nullopt, std::nullopt, TShapeKind::Dvd, {13.5f, 19.0f, 1.4f}, {K::EdgeColour, {}, Front}},
        {"Shape=dvd\n", TShapeKind::Bluray, std::nullopt, TShapeKind::Bluray, {13.5f, 17.15f, 1.2f},
         {K::EdgeColour, {}, Front}},
        {"Shape=hardcover\n", std::nullopt, TBoxSize{16, 24, 3}, TShapeKind::Hardcover, {16, 24, 3},
         {K::EdgeColour, {}, Front}},
        {"Shape=jewel\n", std::nullopt, std::nullopt, TShapeKind::Jewel, {14.2f, 12.5f, 1.04f}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Cover);
        const std::string cover = Write("s.cov", QByteArray("[Properties]\nCover=c.jpg\n") + c.Cover);
        const TBoxPlan plan = PlanBox({.CoverFile = cover, .Shape = c.Given, .Size = c.Size});
        EXPECT_EQ(plan.Shape, c.Shape);
        EXPECT_NEAR(plan.Size.Width, c.Expected.Width, 1e-5);
        EXPECT_NEAR(plan.Size.Height, c.Expected.Height, 1e-5);
        EXPECT_NEAR(plan.Size.Depth, c.Expected.Depth, 1e-5);
        EXPECT_EQ(plan.Faces[size_t(Back)], c.Back);
        // No shape but the box shows the top's image.
        EXPECT_EQ(plan.Faces[size_t(Top)].Kind == K::None, c.Shape != TShapeKind::Box);
    }
    const std::string cover = Write("bad.cov", "[Properties]\nCover=c.jpg\nShape=cassette\n");
    EXPECT_EQ(Failure({.CoverFile = cover}),
              cover + ": Shape=cassette under [Properties] is no shape: it takes box|hardcover|paperback|dvd|bluray|jewel");
    EXPECT_EQ(Failure({.Wrap = "w.jpg", .Shape = TShapeKind::Jewel}),
              "a jewel case takes no wrap scan: give its booklet with --front FILE and its tray card with --back FILE");
    // A case's wrap is cut with the case's depth as its spine.
    const TBoxPlan dvd = PlanBox({.Wrap = "w.jpg", .Shape = TShapeKind::Dvd});
    EXPECT_NEAR(dvd.Split.SpineShare, 14.0 / 284.0, 1e-6);
}
