#pragma once
// A book: two covers round a block of pages, the spine on the left of the
// front. A hardcover's boards are a few millimetres thick, stand out from
// the page block on the three open sides (the squares), have the joint
// pressed into them along the spine, and meet round a rounded spine. A
// paperback's thin card cover is flush with the pages and its spine nearly
// flat. The pages show as off-white paper with fine lines; the printed cover
// turns over the boards' edges.
#include "render/shapes/Shape.h"

struct TBookBuild {
    double Board = 0.0;    // the covers' thickness, in millimetres
    double Squares = 0.0;  // how far the covers stand out from the pages
    double Round = 0.0;    // how far the spine bulges out from the covers' edges
    double Joint = 0.0;    // the joint's depth; 0 for none
};

// The hardcover's and the paperback's builds.
constexpr TBookBuild HardcoverBuild{.Board = 2.5, .Squares = 3.0, .Round = 3.0, .Joint = 0.8};
constexpr TBookBuild PaperbackBuild{.Board = 0.3, .Squares = 0.0, .Round = 1.0, .Joint = 0.0};

// The book of these outer sizes, the covers included.
TShape BookShape(const char* name, const TBoxSize& size, const TBookBuild& build);
