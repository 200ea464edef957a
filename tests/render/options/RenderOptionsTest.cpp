#include "render/options/RenderOptions.h"

#include "render/framing/SceneBounds.h"
#include "render/shapes/BoxShape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

TRenderOptions Parse(std::vector<std::string> args)
{
    return ParseRenderArguments(args);
}

std::string Refusal(std::vector<std::string> args)
{
    try {
        ParseRenderArguments(args);
    } catch (const TUsageError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(RenderOptions, Defaults)
{
    const TRenderOptions o = Parse({"box.cov", "-o", "box.png"});
    EXPECT_EQ(o.Covers, std::vector<std::string>{"box.cov"});
    EXPECT_EQ(o.OutputFile, "box.png");
    ASSERT_EQ(o.Poses.size(), 1u);
    EXPECT_EQ(o.Poses[0].Name, "x25_y30");
    EXPECT_EQ(o.Width, 1150);
    EXPECT_EQ(o.Height, 880);
    EXPECT_EQ(o.Samples, 8);
    EXPECT_FALSE(o.Style.Transparent);
    EXPECT_EQ(o.Style.Background, 0xFFFFFFu);
    EXPECT_EQ(o.Style.Look, TLook::Studio);
    EXPECT_EQ(o.Style.Shadow, 0.6);
    EXPECT_EQ(o.Style.Reflection, 0.0);
    EXPECT_EQ(o.Style.Margin, 0.05);
}

namespace {

// The area a face of the box covers on the view plane, 0 when it faces away.
double SeenArea(const TLitQuad& face, const TPose& pose)
{
    const TEyePoint eye = EyeInBoxFrame(pose.XRotation, pose.YRotation);
    const TBoxVertex& v0 = face.Quad.Vertices[0];
    if (face.Normal[0] * (eye.X - v0.X) + face.Normal[1] * (eye.Y - v0.Y) + face.Normal[2] * (eye.Z - v0.Z) <= 0.0)
        return 0.0;
    double twice = 0.0;
    for (size_t i = 0; i < 4; ++i) {
        const TBoxVertex& a = face.Quad.Vertices[i];
        const TBoxVertex& b = face.Quad.Vertices[(i + 1) % 4];
        const TEyePoint p = EyePoint(a.X, a.Y, a.Z, pose.XRotation, pose.YRotation);
        const TEyePoint q = EyePoint(b.X, b.Y, b.Z, pose.XRotation, pose.YRotation);
        twice += p.X / -p.Z * (q.Y / -q.Z) - q.X / -q.Z * (p.Y / -p.Z);
    }
    return std::abs(twice) / 2.0;
}

} // namespace

TEST(RenderOptions, TheDefaultPoseShowsTheFrontTheSpineAndSomeOfTheTop)
{
    const TPose pose = Parse({"--front", "f.jpg", "-o", "box.png"}).Poses.at(0);
    std::map<TBoxFace, double> area;
    for (const TLitQuad& face : OutwardQuads(BoxQuads(20, 30, 5, {})))
        area[face.Quad.Face] += SeenArea(face, pose);
    EXPECT_GT(area[TBoxFace::Spine], 0.0);
    EXPECT_GT(area[TBoxFace::Top], 0.0);
    EXPECT_GT(area[TBoxFace::CoverFar], 3.0 * area[TBoxFace::Spine]);
    EXPECT_GT(area[TBoxFace::Spine], area[TBoxFace::Top]);
    // 0,0 still looks straight at the front.
    const TPose straight = Parse({"--front", "f.jpg", "--angles", "0,0", "-o", "box.png"}).Poses.at(0);
    area.clear();
    for (const TLitQuad& face : OutwardQuads(BoxQuads(20, 30, 5, {})))
        area[face.Quad.Face] += SeenArea(face, straight);
    EXPECT_EQ(area[TBoxFace::Spine] + area[TBoxFace::Top], 0.0);
}

TEST(RenderOptions, ReadsEveryOptionInBothSpellings)
{
    const TRenderOptions o = Parse({"--out-dir=shots", "--angles", "31.5,-45", "--size=2000x1500", "--samples", "1",
                                    "--background", "#1a2B3c", "--shadow=1", "--reflection", "0.25",
                                    "--margin", "12.5%", "a.cov", "b.cov"});
    EXPECT_EQ(o.OutputDir, "shots");
    EXPECT_EQ(o.Covers, (std::vector<std::string>{"a.cov", "b.cov"}));
    ASSERT_EQ(o.Poses.size(), 1u);
    EXPECT_EQ(o.Poses[0].Name, "x31.5_y-45");
    EXPECT_EQ(o.Poses[0].XRotation, 31.5f);
    EXPECT_EQ(o.Poses[0].YRotation, -45.0f);
    EXPECT_EQ(o.Width, 2000);
    EXPECT_EQ(o.Height, 1500);
    EXPECT_EQ(o.Samples, 1);
    EXPECT_EQ(o.Style.Background, 0x1A2B3Cu);
    EXPECT_EQ(o.Style.Shadow, 1.0);
    EXPECT_EQ(o.Style.Reflection, 0.25);
    EXPECT_EQ(o.Style.Margin, 0.125);

    const TRenderOptions t =
        Parse({"--transparent", "--look", "window", "--margin=0", "-o", "x.PNG", "--", "-dash.cov"});
    EXPECT_TRUE(t.Style.Transparent);
    EXPECT_EQ(t.Style.Look, TLook::Window);
    EXPECT_EQ(t.Style.Margin, 0.0);
    EXPECT_EQ(t.Covers, std::vector<std::string>{"-dash.cov"});
}

TEST(RenderOptions, PresetsGiveTheStyleStripsAngles)
{
    const TRenderOptions one = Parse({"--preset", "2", "-o", "a.jpg", "a.cov"});
    ASSERT_EQ(one.Poses.size(), 1u);
    EXPECT_EQ(one.Poses[0].Name, "preset2");
    EXPECT_EQ(one.Poses[0].XRotation, 31.5f);
    EXPECT_EQ(one.Poses[0].YRotation, 31.5f);

    const TRenderOptions all = Parse({"--preset", "all", "--out-dir", "d", "a.cov"});
    ASSERT_EQ(all.Poses.size(), 5u);
    EXPECT_EQ(all.Poses[0].Name, "preset0");
    EXPECT_EQ(all.Poses[0].YRotation, -45.0f);
    EXPECT_EQ(all.Poses[4].Name, "preset4");
    EXPECT_EQ(all.Poses[4].XRotation, -50.0f);
    EXPECT_EQ(all.Poses[4].YRotation, 18.0f);
}

TEST(RenderOptions, ReadsTheBoxAndItsFaces)
{
    const TRenderOptions o = Parse({"--front", "f.png", "--spine=s.webp", "--back", "-dash back.tif", "--top", "t.gif",
                                    "--floor", "fl.bmp", "--plain", "p.jpg", "--wrap", "w.png", "--wrap-spine", "42",
                                    "--box", "13.5x19X1.4", "--book", "--open", "--show-floor", "--show-background",
                                    "-o", "box.png"});
    EXPECT_TRUE(o.Covers.empty());
    const TBoxArtwork& a = o.Artwork;
    EXPECT_EQ(a.Faces, (std::array<std::string, ArtFaceCount>{"f.png", "s.webp", "-dash back.tif", "t.gif",
                                                               "fl.bmp", "p.jpg"}));
    EXPECT_EQ(a.Wrap, "w.png");
    EXPECT_EQ(a.WrapSpine, 42);
    EXPECT_EQ(a.Size, (TBoxSize{13.5f, 19.0f, 1.4f}));
    EXPECT_FALSE(a.AutoSize);
    EXPECT_EQ(a.Book, true);
    EXPECT_EQ(a.Open, true);
    EXPECT_EQ(a.ShowFloor, true);
    EXPECT_EQ(a.ShowBackground, true);

    const TRenderOptions cover = Parse({"--box", "auto", "--front", "f.png", "a.cov", "-o", "a.png"});
    EXPECT_TRUE(cover.Artwork.AutoSize);
    EXPECT_EQ(cover.Artwork.Size, std::nullopt);
    // What is not given stays the cover file's.
    EXPECT_EQ(cover.Artwork.Book, std::nullopt);
    EXPECT_EQ(cover.Covers, std::vector<std::string>{"a.cov"});
}

TEST(RenderOptions, HelpNeedsNothingElse)
{
    EXPECT_TRUE(Parse({"--help"}).Help);
    EXPECT_TRUE(Parse({"-h", "--size", "3x3"}).Help);
}

TEST(RenderOptions, RefusesMistakesWithAReason)
{
    EXPECT_EQ(Refusal({"-o", "a.png"}), "give a cover file, --front FILE or --wrap FILE");
    EXPECT_EQ(Refusal({"-o", "a.png", "--spine", "s.png"}), "give a cover file, --front FILE or --wrap FILE");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--wrap-spine", "20"}), "--wrap-spine needs --wrap FILE");
    EXPECT_EQ(Refusal({"--wrap", "w.png", "-o", "a.png", "--box", "auto"}),
              "--box auto with --wrap needs --wrap-spine PIXELS: the spine's width in the scan gives the depth");
    EXPECT_EQ(Refusal({"--front", "f.png", "--preset", "all", "-o", "a.png"}),
              "-o writes one picture, and these options make 5: use --out-dir DIR");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--book=1"}), "--book takes no value");
    EXPECT_EQ(Refusal({"a.cov"}), "give either -o FILE or --out-dir DIR");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--out-dir", "d"}), "give either -o FILE or --out-dir DIR");
    EXPECT_EQ(Refusal({"a.cov", "b.cov", "-o", "a.png"}),
              "-o writes one picture, and these options make 2: use --out-dir DIR");
    EXPECT_EQ(Refusal({"a.cov", "--preset", "all", "-o", "a.png"}),
              "-o writes one picture, and these options make 5: use --out-dir DIR");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.gif"}),
              "cannot write a.gif: the picture's name must end in .png, .jpg, .bmp or .webp");
    EXPECT_EQ(Refusal({"a.cov", "-o", "png"}),
              "cannot write png: the picture's name must end in .png, .jpg, .bmp or .webp");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.jpg", "--transparent"}), "--transparent needs a .png or .webp picture");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--transparent", "--background", "000000"}),
              "--transparent and --background cannot be used together");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--preset", "1", "--angles", "0,0"}), "give one --preset or --angles");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--frobnicate"}), "unknown option --frobnicate");
    EXPECT_EQ(Refusal({"a.cov", "-o"}), "-o needs a value");
    EXPECT_EQ(Refusal({"a.cov", "-o", ""}), "-o needs a value");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--transparent=1"}), "--transparent takes no value");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--look", "window", "--shadow", "0.5"}),
              "--shadow belongs to the studio look: --look window draws the window's picture");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--reflection", "0.5", "--look=window"}),
              "--reflection belongs to the studio look: --look window draws the window's picture");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--margin", "50%"}),
              "--margin takes a share from 0 to 0.45 (or 0% to 45%), not \"50%\"");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--look", "Studio"}), "--look takes studio or window, not \"Studio\"");
}

TEST(RenderOptions, RefusesAnyOptionGivenTwice)
{
    const std::vector<std::vector<std::string>> twice{
        {"-o", "a.png", "-o", "b.png"},      {"--out-dir", "d", "--out-dir=e"}, {"--preset", "1", "--preset", "2"},
        {"--angles", "1,2", "--angles=1,2"}, {"--size", "5x5", "--size", "6x6"}, {"--samples", "1", "--samples", "1"},
        {"--transparent", "--transparent"},  {"--background", "000000", "--background", "ffffff"},
        {"--look", "studio", "--look=window"}, {"--shadow", "0", "--shadow", "1"}, {"--margin=0", "--margin=0"},
        {"--tile", "64", "--tile=64"}, {"-h", "--help"}, {"--front", "a.png", "--front", "b.png"}, {"--box", "auto", "--box", "1x1x1"},
        {"--book", "--book"}};
    for (const std::vector<std::string>& options : twice) {
        std::vector<std::string> args{"a.cov"};
        args.insert(args.end(), options.begin(), options.end());
        const std::string name = options[0] == "-h" ? "--help" : options[0].substr(0, options[0].find('='));
        EXPECT_EQ(Refusal(args), name + " is given twice: give each option once");
    }
}

TEST(RenderOptions, RefusesValuesOutOfRange)
{
    auto refused = [](std::vector<std::string> extra) {
        std::vector<std::string> args{"a.cov", "-o", "a.png"};
        args.insert(args.end(), extra.begin(), extra.end());
        return Refusal(args) != "accepted";
    };
    for (const char* preset : {"5", "-1", "two", "", "1.0"})
        EXPECT_TRUE(refused({"--preset", preset})) << preset;
    for (const char* angles : {"1", "1,", ",1", "1;2", "nan,0", "0,inf", "1,2,3", "1e99,0"})
        EXPECT_TRUE(refused({"--angles", angles})) << angles;
    for (const char* size : {"0x10", "10x0", "65536x10", "10", "x10", "10x", "-5x5", "5x5x5", " 5x5"})
        EXPECT_TRUE(refused({"--size", size})) << size;
    for (const char* samples : {"0", "65", "eight", ""})
        EXPECT_TRUE(refused({"--samples", samples})) << samples;
    for (const char* tile : {"15", "0", "65536", "1e3", ""})
        EXPECT_TRUE(refused({"--tile", tile})) << tile;
    for (const char* colour : {"FFF", "GGGGGG", "1234567", "", "#"})
        EXPECT_TRUE(refused({"--background", colour})) << colour;
    for (const char* share : {"-0.1", "1.01", "101%", "%", "", "nan", "inf", "0.5.", "5 %", "0x1"}) {
        EXPECT_TRUE(refused({"--shadow", share})) << share;
        EXPECT_TRUE(refused({"--reflection", share})) << share;
    }
    for (const char* margin : {"0.46", "46%", "-1%", "5"})
        EXPECT_TRUE(refused({"--margin", margin})) << margin;
    for (const char* box : {"20x30", "20x30x0", "0x1x1", "-1x2x3", "1x2x3x4", "1x2x", "x1x2", "AUTO", "1x2x10001",
                            "nanx1x1", "1x1xinf", ""})
        EXPECT_TRUE(refused({"--box", box})) << box;
    for (const char* spine : {"0", "-3", "1000001", "12.5", ""})
        EXPECT_TRUE(refused({"--wrap", "w.png", "--wrap-spine", spine})) << spine;
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--box", "20x30"}),
              "--box takes WIDTHxHEIGHTxDEPTH, each above 0 and at most 10000, or auto, not \"20x30\"");
    EXPECT_FALSE(refused({"--box", "0.5x10000x3", "--wrap", "w.png", "--wrap-spine", "1000000"}));
    EXPECT_FALSE(refused({"--size", "65535x1", "--samples", "64", "--tile", "16", "--angles", "-0.25,405"}));
    EXPECT_FALSE(refused({"--shadow", "100%", "--reflection", "0", "--margin", "0.45"}));
    EXPECT_EQ(Parse({"a.cov", "-o", "a.png", "--tile", "300"}).Tile, 300);
    EXPECT_EQ(Parse({"a.cov", "-o", "a.png"}).Tile, DefaultTileSide);
}

TEST(RenderOptions, RefusesSizesThePicturesFormatCannotHold)
{
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.jpg", "--size", "65501x100"}),
              "cannot write a.jpg: a JPEG picture is at most 65500 pixels a side");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.bmp", "--size", "40000x40000"}),
              "cannot write a.bmp: a BMP picture holds at most 4 GiB, and 40000 x 40000 pixels take more: "
              "write a .png");
    EXPECT_EQ(Refusal({"a.cov", "-o", "a.png", "--size", "65535x65535"}), "accepted");
    EXPECT_EQ(Refusal({"a.cov", "--out-dir", "d", "--size", "65535x65535"}), "accepted");
}

TEST(RenderOptions, SpinsFormatAndQuality)
{
    struct TCase {
        std::vector<std::string> Args;  // besides a.cov
        std::string Refusal;            // "accepted" when the options go
    };
    const TCase cases[] = {
        {{"-o", "s.webp", "--spin", "36", "--fps", "12.5", "--quality", "80"}, "accepted"},
        {{"-o", "s.webp", "--swing", "20", "--transparent"}, "accepted"},
        {{"--out-dir", "d", "--format", "webp", "--quality", "0", "--spin", "1"}, "accepted"},
        {{"--out-dir", "d", "--format", "jpg", "--quality", "100"}, "accepted"},
        {{"-o", "s.webp", "--spin", "0"}, "--spin takes a whole number from 1 to 100000, not \"0\""},
        {{"-o", "s.webp", "--spin", "2.5"}, "--spin takes a whole number from 1 to 100000, not \"2.5\""},
        {{"-o", "s.webp", "--swing", "0"}, "--swing takes a number from 1 to 180, not \"0\""},
        {{"-o", "s.webp", "--swing", "nan"}, "--swing takes a number from 1 to 180, not \"nan\""},
        {{"-o", "s.webp", "--fps", "101"}, "--fps takes a number from 1 to 100, not \"101\""},
        {{"-o", "s.webp", "--quality", "101"}, "--quality takes a whole number from 0 to 100, not \"101\""},
        {{"-o", "s.png", "--quality", "50"}, "--quality is for .jpg and .webp pictures"},
        {{"--out-dir", "d", "--format", "bmp", "--quality", "50"}, "--quality is for .jpg and .webp pictures"},
        {{"-o", "s.png", "--png-level", "0"}, "accepted"},
        {{"--out-dir", "d", "--png-level", "12"}, "accepted"},
        {{"-o", "s.png", "--png-level", "13"}, "--png-level takes a whole number from 0 to 12, not \"13\""},
        {{"-o", "s.png", "--png-level=-1"}, "--png-level takes a whole number from 0 to 12, not \"-1\""},
        {{"-o", "s.png", "--png-level", "fast"}, "--png-level takes a whole number from 0 to 12, not \"fast\""},
        {{"-o", "s.jpg", "--png-level", "3"}, "--png-level is for .png pictures"},
        {{"--out-dir", "d", "--format", "webp", "--png-level", "3"}, "--png-level is for .png pictures"},
        {{"--out-dir", "d", "--format", "gif"}, "--format takes png, jpg, bmp or webp, not \"gif\""},
        {{"-o", "s.png", "--format", "png"},
         "--format is the format of the pictures named in --out-dir DIR: the name of -o FILE gives its own"},
        {{"-o", "s.bmp", "--transparent"}, "--transparent needs a .png or .webp picture"},
        {{"-o", "s.webp", "--size", "16384x100"}, "cannot write s.webp: a WebP picture is at most 16383 pixels a side"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args{"a.cov"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        EXPECT_EQ(Refusal(args), c.Refusal) << testing::PrintToString(c.Args);
    }
    const TRenderOptions o = Parse({"a.cov", "-o", "s.webp", "--spin", "24", "--swing=15", "--fps", "12.5", "--quality", "70"});
    EXPECT_EQ(o.Spin.Frames, 24);
    EXPECT_EQ(o.Spin.Swing, 15.0);
    EXPECT_EQ(o.Spin.Fps, 12.5);
    EXPECT_EQ(o.Quality, 70);
    EXPECT_EQ(o.PngLevel, DefaultPngLevel);
    EXPECT_EQ(Parse({"a.cov", "-o", "s.png", "--png-level", "9"}).PngLevel, 9);
    EXPECT_EQ(Parse({"a.cov", "--out-dir", "d", "--format", "webp"}).Format, TImageFormat::WebP);
}

TEST(RenderOptions, SpinFramesTurnOnceOrSwingBackToTheStart)
{
    const TPose start{"x10_y-30", 10.0f, -30.0f};
    struct TCase {
        TSpin Spin;
        int Frames;
        std::vector<std::pair<int, float>> Turns;  // frame, its y rotation
    };
    const TCase cases[] = {
        {{.Frames = 36}, 36, {{0, -30.0f}, {9, 60.0f}, {18, 150.0f}, {35, 320.0f}}},
        {{.Frames = 4}, 4, {{1, 60.0f}, {2, 150.0f}, {3, 240.0f}}},
        {{.Frames = 8, .Swing = 20.0}, 8, {{0, -30.0f}, {2, -10.0f}, {4, -30.0f}, {6, -50.0f}, {7, -44.142136f}}},
        {{.Swing = 45.0}, DefaultSwingFrames, {{9, 15.0f}, {27, -75.0f}}},
        {{}, 0, {}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SpinFrameCount(c.Spin), c.Frames);
        for (const auto& [frame, y] : c.Turns) {
            const TPose pose = SpinPose(start, c.Spin, frame);
            EXPECT_EQ(pose.Name, start.Name);
            EXPECT_EQ(pose.XRotation, 10.0f);
            EXPECT_NEAR(pose.YRotation, y, 1e-4) << c.Frames << " frames, frame " << frame;
        }
    }
}
