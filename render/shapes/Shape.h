#pragma once
// One description of a shape that a box shot draws: its parts, each a list
// of triangles with outward normals and texture coordinates, and what each
// part shows: the image of one face of the artwork, or a material alone. The
// studio and window looks, the shadow, the reflection, the framing and the
// bounds all read this one description, and so can an exporter: the sizes
// are real (MillimetresPerUnit), every part names its artwork face and its
// material, and the materials say their colour, opacity and finish.
//
// The shape's own frame is the box's: width along x, height along y, depth
// along z, centred on the origin, the top on the -y side, the front cover
// facing -z and the back +z. The box has its spine at +x, as the window
// draws it; books and cases have theirs at -x, on the left of the front.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The faces of the artwork whose images the renderer draws, in the order
// they are resolved: a face that is filled from another comes after it.
enum class TArtFace { Front, Spine, Back, Top, Floor, Plain };
constexpr size_t ArtFaceCount = 6;

struct TBoxSize {
    float Width = 0.0f, Height = 0.0f, Depth = 0.0f;

    bool operator==(const TBoxSize&) const = default;
};

// A shape's units are the box's: centimetres, so that the sample box of
// 20 x 30 x 5 is a software box and a DVD case is 13.5 x 19 x 1.4.
constexpr double MillimetresPerUnit = 10.0;

enum class TFinish {
    Matte,   // paper, board, cloth: diffuse light only
    Glossy,  // plastic and the clear sleeve over a print: a highlight too
};

// What a part is made of. Where a part shows an image, the image is printed
// on it and the colour is left out; the finish holds all the same.
struct TMaterial {
    std::string Name;                     // "paper", "black plastic", "clear plastic", ...
    std::array<float, 4> Colour{1, 1, 1, 1};  // red, green, blue and opacity, 0 to 1
    TFinish Finish = TFinish::Matte;
    // A page block's edge: fine lines across the depth, this many a unit
    // (the texture coordinate s runs across them, 1 a line); 0 for none.
    float LinesPerUnit = 0.0f;

    bool operator==(const TMaterial&) const = default;
    bool SeeThrough() const { return Colour[3] < 1.0f; }
};

struct TShapeVertex {
    float X = 0, Y = 0, Z = 0;     // position
    float NX = 0, NY = 0, NZ = 0;  // outward normal, unit length
    float S = 0, T = 0;            // texture coordinate: of the part's image, or of its material's lines

    bool operator==(const TShapeVertex&) const = default;
};

struct TShapePart {
    std::string Name;             // "front", "spine", "page edge", "rim", ...
    std::optional<TArtFace> Art;  // the face whose image it shows; without one, or without an image, the material
    TMaterial Material;
    std::vector<TShapeVertex> Triangles;  // three a triangle, counter-clockwise seen from outside

    bool operator==(const TShapePart&) const = default;
};

struct TShape {
    std::string Name;  // "box", "dvd", ...
    // The outer sizes in units: the shape lies within them, centred, and
    // stands on its lower side (y = Height / 2).
    TBoxSize Size;
    // Opaque parts first, then see-through ones, each group in drawing order.
    std::vector<TShapePart> Parts;

    bool operator==(const TShape&) const = default;
};

// Calls visit(vertex) for every vertex of every part.
template <typename TVisit>
void ForEachVertex(const TShape& shape, TVisit visit)
{
    for (const TShapePart& part : shape.Parts)
        for (const TShapeVertex& v : part.Triangles)
            visit(v);
}

// Whether some part of the shape shows the face's image.
bool ShowsArt(const TShape& shape, TArtFace face);

// Whether some part is glossy; whether some part is see-through.
bool IsGlossy(const TShape& shape);
bool HasSeeThrough(const TShape& shape);
