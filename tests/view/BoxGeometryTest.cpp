#include "view/BoxGeometry.h"

#include "cover/CoverFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

namespace {

using enum TBoxFace;
enum TAxis { X, Y, Z };

// The quads of the given faces, in the order asked for.
std::vector<TBoxQuad> Pick(const std::vector<TBoxQuad>& quads, std::initializer_list<TBoxFace> faces)
{
    std::vector<TBoxQuad> picked;
    for (TBoxFace face : faces) {
        const auto it = std::find_if(quads.begin(), quads.end(), [face](const TBoxQuad& q) { return q.Face == face; });
        if (it == quads.end())
            throw std::runtime_error("face not emitted");
        picked.push_back(*it);
    }
    return picked;
}

// The lowest and highest value of one coordinate over the quads.
std::pair<float, float> Span(const std::vector<TBoxQuad>& quads, TAxis axis)
{
    std::pair<float, float> span{1e9f, -1e9f};
    for (const TBoxQuad& quad : quads)
        for (const TBoxVertex& v : quad.Vertices) {
            const float c = axis == X ? v.X : axis == Y ? v.Y : v.Z;
            span = {std::min(span.first, c), std::max(span.second, c)};
        }
    return span;
}

using TSpan = std::pair<float, float>;

// One row of the vertex table: the face, its texture, and s t x y z of each
// vertex, every number exact.
std::string Row(const TBoxQuad& quad)
{
    char text[128];
    std::snprintf(text, sizeof text, "face %d texture %d:", int(quad.Face), int(quad.Texture));
    std::string row = text;
    for (const TBoxVertex& v : quad.Vertices) {
        std::snprintf(text, sizeof text, " (%.9g %.9g  %.9g %.9g %.9g)", v.S, v.T, v.X, v.Y, v.Z);
        row += text;
    }
    return row;
}

} // namespace

TEST(BoxGeometry, TheWholeVertexTableOfEachOptionSet)
{
    // Box 20 x 30 x 5: hw 10, hh 15, hd 2.5; each vertex s, t at x, y, z.
    constexpr float b = BookInset;
    using S = TFaceSlot;
    const TBoxQuad coverNear{CoverNear, S::Cover, {{{0, 0, 10, 15, 2.5f}, {1, 0, -10, 15, 2.5f},
                                                   {1, 1, -10, -15, 2.5f}, {0, 1, 10, -15, 2.5f}}}};
    const TBoxQuad coverFar{CoverFar, S::Cover, {{{1, 0, 10, 15, -2.5f}, {1, 1, 10, -15, -2.5f},
                                                 {0, 1, -10, -15, -2.5f}, {0, 0, -10, 15, -2.5f}}}};
    const TBoxQuad top{Top, S::Top, {{{0, 1, 10, -15, 2.5f}, {1, 1, 10, -15, -2.5f},
                                      {1, 0, -10, -15, -2.5f}, {0, 0, -10, -15, 2.5f}}}};
    const TBoxQuad bookTop{Top, S::Top, {{{0, 1, 10, -15 + b, 2.5f}, {1, 1, 10, -15 + b, -2.5f},
                                          {1, 0, -10 + b, -15 + b, -2.5f}, {0, 0, -10 + b, -15 + b, 2.5f}}}};
    const TBoxQuad lid{Lid, S::Top, {{{0, 1, 10, -15, 2.5f}, {1, 1, 10, -19, 1.5f},
                                      {1, 0, -10, -19, 1.5f}, {0, 0, -10, -15, 2.5f}}}};
    const TBoxQuad tuck{TuckFlap, S::Plain, {{{0, 1, 9, -18, 0.5f}, {1, 1, 10, -19, 1.5f},
                                              {1, 0, -10, -19, 1.5f}, {0, 0, -9, -18, 0.5f}}}};
    const TBoxQuad flapRight{SideFlapRight, S::Plain, {{{1, 0, 12, -17, 2.5f}, {0, 0, 12, -17, -2.5f},
                                                        {0, 1, 10, -15, -2.5f}, {1, 1, 10, -15, 2.5f}}}};
    const TBoxQuad flapLeft{SideFlapLeft, S::Plain, {{{1, 0, -12, -17, 2.5f}, {0, 0, -12, -17, -2.5f},
                                                      {0, 1, -10, -15, -2.5f}, {1, 1, -10, -15, 2.5f}}}};
    const TBoxQuad bottom{Bottom, S::Top, {{{1, 0, 10, 15, 2.5f}, {1, 1, -10, 15, 2.5f},
                                            {0, 1, -10, 15, -2.5f}, {0, 0, 10, 15, -2.5f}}}};
    const TBoxQuad bookBottom{Bottom, S::Top, {{{1, 0, 10, 15 - b, 2.5f}, {1, 1, -10 + b, 15 - b, 2.5f},
                                                {0, 1, -10 + b, 15 - b, -2.5f}, {0, 0, 10, 15 - b, -2.5f}}}};
    const TBoxQuad spine{Spine, S::Spine, {{{1, 0, 10, 15, 2.5f}, {0, 0, 10, 15, -2.5f},
                                            {0, 1, 10, -15, -2.5f}, {1, 1, 10, -15, 2.5f}}}};
    const TBoxQuad longSide{LongSide, S::Spine, {{{0, 0, -10, 15, 2.5f}, {1, 0, -10, 15, -2.5f},
                                                  {1, 1, -10, -15, -2.5f}, {0, 1, -10, -15, 2.5f}}}};
    const TBoxQuad bookLongSide{LongSide, S::Top, {{{0, 0, -10 + b, 15 - b, 2.5f}, {1, 0, -10 + b, 15 - b, -2.5f},
                                                    {1, 1, -10 + b, -15 + b, -2.5f}, {0, 1, -10 + b, -15 + b, 2.5f}}}};
    const TBoxQuad floor{Floor, S::Floor, {{{1, 1, 590, 16, 597.5f}, {0, 1, -610, 16, 597.5f},
                                            {0, 0, -610, 16, -602.5f}, {1, 0, 590, 16, -602.5f}}}};

    const std::pair<TBoxOptions, std::vector<TBoxQuad>> cases[] = {
        {{}, {coverNear, coverFar, top, bottom, spine, longSide}},
        {{.Book = true}, {coverNear, coverFar, bookTop, bookBottom, spine, bookLongSide}},
        {{.LidOpen = true}, {coverNear, coverFar, lid, tuck, flapRight, flapLeft, bottom, spine, longSide}},
        {{.Floor = true}, {coverNear, coverFar, top, bottom, spine, longSide, floor}},
        // The lid and its flaps are never set in.
        {{.Book = true, .LidOpen = true, .Floor = true},
         {coverNear, coverFar, lid, tuck, flapRight, flapLeft, bookBottom, spine, bookLongSide, floor}},
    };
    for (const auto& [options, expected] : cases) {
        SCOPED_TRACE(testing::Message() << "book " << options.Book << " lid " << options.LidOpen << " floor "
                                        << options.Floor);
        std::vector<std::string> rows, expectedRows;
        for (const TBoxQuad& quad : BoxQuads(20, 30, 5, options))
            rows.push_back(Row(quad));
        for (const TBoxQuad& quad : expected)
            expectedRows.push_back(Row(quad));
        EXPECT_EQ(rows, expectedRows);
    }
}

TEST(BoxGeometry, EveryQuadMapsTheWholeImageOntoItsFourCorners)
{
    const std::set<std::pair<float, float>> unitSquare{{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (int bits = 0; bits < 8; ++bits)
        for (const TBoxQuad& quad : BoxQuads(20, 30, 5, {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0})) {
            std::set<std::pair<float, float>> corners;
            for (const TBoxVertex& v : quad.Vertices)
                corners.insert({v.S, v.T});
            EXPECT_EQ(corners, unitSquare) << "face " << int(quad.Face) << " options " << bits;
        }
}

TEST(BoxGeometry, DefaultBoxSpansItsSizesAroundTheOriginOneFacePerPlane)
{
    const auto quads = BoxQuads(20, 30, 5, {});
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_EQ(Span(quads, X), TSpan(-10, 10));
    EXPECT_EQ(Span(quads, Y), TSpan(-15, 15));
    EXPECT_EQ(Span(quads, Z), TSpan(-2.5f, 2.5f));

    struct TPlane {
        TBoxFace Face;
        TAxis Axis;
        float At;
    };
    for (const TPlane& p : std::vector<TPlane>{{CoverNear, Z, 2.5f},
                                               {CoverFar, Z, -2.5f},
                                               {Top, Y, -15},
                                               {Bottom, Y, 15},
                                               {Spine, X, 10},
                                               {LongSide, X, -10}})
        EXPECT_EQ(Span(Pick(quads, {p.Face}), p.Axis), TSpan(p.At, p.At)) << int(p.Face);
}

TEST(BoxGeometry, CoverFacesCarryTheImageMirroredSoBothReadFromOutside)
{
    // s starts at +x on the near face and at -x on the far one; t runs from
    // the bottom (+y) to the top (-y) on both.
    for (const TBoxQuad& quad : Pick(BoxQuads(20, 30, 5, {}), {CoverNear, CoverFar})) {
        const float sStartsAtX = quad.Face == CoverNear ? 10 : -10;
        for (const TBoxVertex& v : quad.Vertices) {
            EXPECT_EQ(v.S, v.X == sStartsAtX ? 0 : 1);
            EXPECT_EQ(v.T, v.Y == 15 ? 0 : 1);
        }
    }
}

TEST(BoxGeometry, BookLookSetsThePageBlockInFromTheCovers)
{
    const auto quads = BoxQuads(20, 30, 5, {.Book = true});
    const float top = -15.0f + 0.3f, bottom = 15.0f - 0.3f, longSide = -10.0f + 0.3f;
    EXPECT_EQ(Span(Pick(quads, {Top}), Y), TSpan(top, top));
    EXPECT_EQ(Span(Pick(quads, {Top}), X), TSpan(longSide, 10));
    EXPECT_EQ(Span(Pick(quads, {Bottom}), Y), TSpan(bottom, bottom));
    EXPECT_EQ(Span(Pick(quads, {Bottom}), X), TSpan(longSide, 10));
    EXPECT_EQ(Span(Pick(quads, {LongSide}), X), TSpan(longSide, longSide));
    EXPECT_EQ(Span(Pick(quads, {LongSide}), Y), TSpan(top, bottom));
    EXPECT_EQ(Pick(quads, {LongSide})[0].Texture, TFaceSlot::Top);
    // The covers and the spine keep the full size.
    const auto fullSize = Pick(quads, {CoverNear, CoverFar, Spine});
    EXPECT_EQ(Span(fullSize, X), TSpan(-10, 10));
    EXPECT_EQ(Span(fullSize, Y), TSpan(-15, 15));
}

TEST(BoxGeometry, OpenLidRisesFourUnitsWithItsFreeEdgeFourInFromTheFarFace)
{
    struct TCase {
        float Depth;
        float FreeEdgeZ;
    };
    for (const TCase& c : std::vector<TCase>{{5, 1.5f}, {10, -1}, {1, 3.5f}})
        for (bool book : {false, true}) {
            SCOPED_TRACE(testing::Message() << "depth " << c.Depth << " book " << book);
            const auto quads = BoxQuads(20, 30, c.Depth, {.Book = book, .LidOpen = true});
            // Hinged on the near face's top edge, never inset.
            const TBoxQuad lid = Pick(quads, {Lid})[0];
            for (int i : {0, 3})
                EXPECT_EQ(std::make_pair(lid.Vertices[i].Y, lid.Vertices[i].Z), TSpan(-15, c.Depth / 2));
            for (int i : {1, 2})
                EXPECT_EQ(std::make_pair(lid.Vertices[i].Y, lid.Vertices[i].Z), TSpan(-19, c.FreeEdgeZ));
            EXPECT_EQ(Span({lid}, X), TSpan(-10, 10));
            // The tuck flap hangs from the free edge one unit down and one back,
            // a unit short at each end.
            const TBoxQuad tuck = Pick(quads, {TuckFlap})[0];
            EXPECT_EQ(Span({tuck}, X), TSpan(-10, 10));
            EXPECT_EQ(Span({tuck}, Y), TSpan(-19, -18));
            EXPECT_EQ(Span({tuck}, Z), TSpan(c.FreeEdgeZ - 1, c.FreeEdgeZ));
            EXPECT_EQ(tuck.Vertices[0].X, 9);
            EXPECT_EQ(tuck.Vertices[3].X, -9);
            // The side flaps lean two units out and two up over the full depth.
            EXPECT_EQ(Span(Pick(quads, {SideFlapRight}), X), TSpan(10, 12));
            EXPECT_EQ(Span(Pick(quads, {SideFlapLeft}), X), TSpan(-12, -10));
            EXPECT_EQ(Span(Pick(quads, {SideFlapRight, SideFlapLeft}), Y), TSpan(-17, -15));
            EXPECT_EQ(Span(Pick(quads, {SideFlapRight, SideFlapLeft}), Z), TSpan(-c.Depth / 2, c.Depth / 2));
        }
}

TEST(BoxGeometry, FloorIsCentredOnTheBoxCornerOneUnitBelowTheBottom)
{
    for (bool book : {false, true}) {
        const auto floor = Pick(BoxQuads(20, 30, 5, {.Book = book, .Floor = true}), {Floor});
        EXPECT_EQ(Span(floor, X), TSpan(-610, 590));
        EXPECT_EQ(Span(floor, Z), TSpan(-602.5f, 597.5f));
        EXPECT_EQ(Span(floor, Y), TSpan(16, 16));
    }
}

TEST(BoxGeometry, ZeroSizesFlattenTheBoxButNotTheConstantOffsets)
{
    const auto quads = BoxQuads(0, 30, 0, {.LidOpen = true, .Floor = true});
    const auto box = Pick(quads, {CoverNear, CoverFar, Bottom, Spine, LongSide});
    EXPECT_EQ(Span(box, X), TSpan(0, 0));
    EXPECT_EQ(Span(box, Z), TSpan(0, 0));
    EXPECT_EQ(Span(Pick(quads, {Floor}), X), TSpan(-600, 600));
    EXPECT_EQ(Span(Pick(quads, {Lid}), Z), TSpan(0, 4));
    EXPECT_EQ(Span(Pick(quads, {SideFlapRight}), X), TSpan(0, 2));
    EXPECT_EQ(Span(Pick(quads, {TuckFlap}), X), TSpan(-1, 1));

    const auto empty = BoxQuads(0, 0, 0, {});
    ASSERT_EQ(empty.size(), 6u);
    for (TAxis axis : {X, Y, Z})
        EXPECT_EQ(Span(empty, axis), TSpan(0, 0));
}

TEST(BoxGeometry, NegativeSizesMirrorTheBoxKeepingOrderAndTextures)
{
    const auto plain = BoxQuads(20, 30, 5, {});
    const auto mirrored = BoxQuads(-20, -30, -5, {});
    ASSERT_EQ(mirrored.size(), plain.size());
    for (size_t q = 0; q < plain.size(); ++q) {
        EXPECT_EQ(mirrored[q].Face, plain[q].Face);
        EXPECT_EQ(mirrored[q].Texture, plain[q].Texture);
        for (size_t i = 0; i < 4; ++i) {
            const TBoxVertex &m = mirrored[q].Vertices[i], &p = plain[q].Vertices[i];
            EXPECT_EQ(std::make_pair(m.S, m.T), std::make_pair(p.S, p.T));
            EXPECT_EQ(std::make_tuple(m.X, m.Y, m.Z), std::make_tuple(-p.X, -p.Y, -p.Z));
        }
    }
    // The constant offsets do not mirror: the lid still rises towards -y.
    EXPECT_EQ(Span(Pick(BoxQuads(20, -30, 5, {.LidOpen = true}), {Lid}), Y), TSpan(11, 15));
}

TEST(BoxGeometry, ACoversOptionsTurnOnTheBookTheLidAndTheFloor)
{
    // In the order of the file: Book, Floor, Back, Open. Back is the frame's.
    auto options = [](bool book, bool floor, bool back, bool open) {
        TCoverState cover;
        cover.Options = {book, floor, back, open};
        return BoxOptionsOf(cover);
    };
    EXPECT_EQ(options(true, false, false, false), (TBoxOptions{.Book = true}));
    EXPECT_EQ(options(false, true, false, false), (TBoxOptions{.Floor = true}));
    EXPECT_EQ(options(false, false, true, false), TBoxOptions{});
    EXPECT_EQ(options(false, false, false, true), (TBoxOptions{.LidOpen = true}));
}
