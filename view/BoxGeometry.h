#pragma once
// The box as data: the textured quads of the geometry list in the order they
// are drawn, in the box's own frame (width along x, height along y, depth
// along z, centred on the origin, the top on the -y side).
#include "cover/FaceSlot.h"

#include <array>
#include <vector>

struct TCoverState;

struct TBoxOptions {
    bool Book = false;     // the page block is set in from the covers
    bool LidOpen = false;  // a raised lid and three flaps instead of the flat top
    bool Floor = false;    // a large square under the box

    bool operator==(const TBoxOptions&) const = default;
};

// The options a cover turns on: "Book", "Open" and "Floor" of its [Options].
TBoxOptions BoxOptionsOf(const TCoverState& cover);

enum class TBoxFace {
    CoverNear,     // plane z = +hd
    CoverFar,      // plane z = -hd
    Top,           // closed top
    Lid,           // open lid, hinged on the top edge of the z = +hd face
    TuckFlap,      // on the lid's free edge
    SideFlapRight, // on the +x top edge
    SideFlapLeft,  // on the -x top edge
    Bottom,
    Spine,         // plane x = +hw
    LongSide,      // the open long side, plane x = -hw + inset
    Floor,
};

struct TBoxVertex {
    float S, T;     // texture coordinate
    float X, Y, Z;  // position
};

struct TBoxQuad {
    TBoxFace Face;
    TFaceSlot Texture;
    std::array<TBoxVertex, 4> Vertices;
};

// How far the book look sets the page block in from the covers.
constexpr float BookInset = 0.3f;

// The quads for a box of width x height x depth with the given options. The
// lid, flap and floor offsets are absolute units, whatever the box size; zero
// sizes flatten the faces that span them and negative ones mirror the box.
std::vector<TBoxQuad> BoxQuads(float width, float height, float depth, const TBoxOptions& options);
