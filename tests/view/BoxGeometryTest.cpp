#include "view/BoxGeometry.h"

#include "cover/CoverFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
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

} // namespace

TEST(BoxGeometry, EmitsTheQuadsOfEachOptionSetInOrderWithTheirTextures)
{
    using S = TFaceSlot;
    struct TCase {
        TBoxOptions Options;
        std::vector<std::pair<TBoxFace, TFaceSlot>> Quads;
    };
    const std::vector<TCase> cases = {
        {{}, {{CoverNear, S::Cover}, {CoverFar, S::Cover}, {Top, S::Top}, {Bottom, S::Top}, {Spine, S::Spine},
              {LongSide, S::Spine}}},
        {{.Book = true},
         {{CoverNear, S::Cover}, {CoverFar, S::Cover}, {Top, S::Top}, {Bottom, S::Top}, {Spine, S::Spine},
          {LongSide, S::Top}}},
        {{.LidOpen = true},
         {{CoverNear, S::Cover}, {CoverFar, S::Cover}, {Lid, S::Top}, {TuckFlap, S::Plain},
          {SideFlapRight, S::Plain}, {SideFlapLeft, S::Plain}, {Bottom, S::Top}, {Spine, S::Spine},
          {LongSide, S::Spine}}},
        {{.Floor = true},
         {{CoverNear, S::Cover}, {CoverFar, S::Cover}, {Top, S::Top}, {Bottom, S::Top}, {Spine, S::Spine},
          {LongSide, S::Spine}, {Floor, S::Floor}}},
        {{.Book = true, .LidOpen = true, .Floor = true},
         {{CoverNear, S::Cover}, {CoverFar, S::Cover}, {Lid, S::Top}, {TuckFlap, S::Plain},
          {SideFlapRight, S::Plain}, {SideFlapLeft, S::Plain}, {Bottom, S::Top}, {Spine, S::Spine},
          {LongSide, S::Top}, {Floor, S::Floor}}},
    };
    for (const TCase& c : cases) {
        std::vector<std::pair<TBoxFace, TFaceSlot>> emitted;
        for (const TBoxQuad& q : BoxQuads(20, 30, 5, c.Options))
            emitted.push_back({q.Face, q.Texture});
        EXPECT_EQ(emitted, c.Quads) << "book " << c.Options.Book << " lid " << c.Options.LidOpen << " floor "
                                    << c.Options.Floor;
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
