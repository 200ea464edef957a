#include "view/BoxGeometry.h"

#include "cover/CoverFile.h"

TBoxOptions BoxOptionsOf(const TCoverState& cover)
{
    auto option = [&](TCoverOption o) { return cover.Options[static_cast<size_t>(o)]; };
    return {.Book = option(TCoverOption::Book),
            .LidOpen = option(TCoverOption::Open),
            .Floor = option(TCoverOption::Floor)};
}

std::vector<TBoxQuad> BoxQuads(float width, float height, float depth, const TBoxOptions& options)
{
    const float hw = width / 2.0f;
    const float hh = height / 2.0f;
    const float hd = depth / 2.0f;
    const float b = options.Book ? BookInset : 0.0f;
    using enum TBoxFace;
    using S = TFaceSlot;

    std::vector<TBoxQuad> quads;
    quads.reserve(10);
    quads.push_back({CoverNear, S::Cover,
                     {{{0, 0, +hw, +hh, +hd}, {1, 0, -hw, +hh, +hd}, {1, 1, -hw, -hh, +hd}, {0, 1, +hw, -hh, +hd}}}});
    quads.push_back({CoverFar, S::Cover,
                     {{{1, 0, +hw, +hh, -hd}, {1, 1, +hw, -hh, -hd}, {0, 1, -hw, -hh, -hd}, {0, 0, -hw, +hh, -hd}}}});
    if (!options.LidOpen) {
        quads.push_back({Top, S::Top,
                         {{{0, 1, +hw, -hh + b, +hd},
                           {1, 1, +hw, -hh + b, -hd},
                           {1, 0, -hw + b, -hh + b, -hd},
                           {0, 0, -hw + b, -hh + b, +hd}}}});
    } else {
        // The lid rises 4 units above the top plane and its free edge lies 4
        // units in from the far face; the tuck flap hangs 1 unit down from it,
        // 1 unit shorter at each end; the side flaps lean 2 out and 2 up.
        quads.push_back({Lid, S::Top,
                         {{{0, 1, +hw, -hh, +hd},
                           {1, 1, +hw, -hh - 4, -hd + 4},
                           {1, 0, -hw, -hh - 4, -hd + 4},
                           {0, 0, -hw, -hh, +hd}}}});
        quads.push_back({TuckFlap, S::Plain,
                         {{{0, 1, +hw - 1, -hh - 3, -hd + 3},
                           {1, 1, +hw, -hh - 4, -hd + 4},
                           {1, 0, -hw, -hh - 4, -hd + 4},
                           {0, 0, -hw + 1, -hh - 3, -hd + 3}}}});
        quads.push_back({SideFlapRight, S::Plain,
                         {{{1, 0, +hw + 2, -hh - 2, +hd},
                           {0, 0, +hw + 2, -hh - 2, -hd},
                           {0, 1, +hw, -hh, -hd},
                           {1, 1, +hw, -hh, +hd}}}});
        quads.push_back({SideFlapLeft, S::Plain,
                         {{{1, 0, -hw - 2, -hh - 2, +hd},
                           {0, 0, -hw - 2, -hh - 2, -hd},
                           {0, 1, -hw, -hh, -hd},
                           {1, 1, -hw, -hh, +hd}}}});
    }
    quads.push_back({Bottom, S::Top,
                     {{{1, 0, +hw, +hh - b, +hd},
                       {1, 1, -hw + b, +hh - b, +hd},
                       {0, 1, -hw + b, +hh - b, -hd},
                       {0, 0, +hw, +hh - b, -hd}}}});
    quads.push_back({Spine, S::Spine,
                     {{{1, 0, +hw, +hh, +hd}, {0, 0, +hw, +hh, -hd}, {0, 1, +hw, -hh, -hd}, {1, 1, +hw, -hh, +hd}}}});
    // Without the book look the spine image shows on both sides.
    quads.push_back({LongSide, options.Book ? S::Top : S::Spine,
                     {{{0, 0, -hw + b, +hh - b, +hd},
                       {1, 0, -hw + b, +hh - b, -hd},
                       {1, 1, -hw + b, -hh + b, -hd},
                       {0, 1, -hw + b, -hh + b, +hd}}}});
    if (options.Floor) {
        // 1200 x 1200, centred on the box corner (-hw, -hd), a unit below the bottom.
        quads.push_back({Floor, S::Floor,
                         {{{1, 1, -hw + 600, +hh + 1, -hd + 600},
                           {0, 1, -hw - 600, +hh + 1, -hd + 600},
                           {0, 0, -hw - 600, +hh + 1, -hd - 600},
                           {1, 0, -hw + 600, +hh + 1, -hd - 600}}}});
    }
    return quads;
}
