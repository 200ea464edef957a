#pragma once
// What the shapes are built from: triangles added to a part, wound to face
// the way their normals point, and surfaces over a grid of points.
#include "render/shapes/Shape.h"

#include <cmath>

struct TVec {
    double X = 0, Y = 0, Z = 0;
};

inline TVec operator+(const TVec& a, const TVec& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
inline TVec operator-(const TVec& a, const TVec& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
inline TVec operator*(double k, const TVec& a) { return {k * a.X, k * a.Y, k * a.Z}; }
TVec Unit(const TVec& v);

// A vertex at p with the normal n (made unit length) and texture coordinate (s, t).
TShapeVertex Vertex(const TVec& p, const TVec& n, double s, double t);

// Adds the triangle, its corners turned round when they would face against
// their normals.
void AddTriangle(TShapePart& part, TShapeVertex a, TShapeVertex b, TShapeVertex c);

// Adds the quad a, b, c, d (in order around it) as the triangles a b d and
// b c d.
void AddQuad(TShapePart& part, const TShapeVertex& a, const TShapeVertex& b, const TShapeVertex& c,
             const TShapeVertex& d);

// Adds the surface through at(i, j), for i from 0 to columns and j from 0
// to rows: a quad for each cell.
template <typename TAt>
void AddGrid(TShapePart& part, int columns, int rows, TAt at)
{
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            AddQuad(part, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
}

// The materials the shapes are made of.
TMaterial PrintedPaper();        // matte white: an image printed on paper or board
TMaterial PageEdge();            // off-white paper with its page lines
TMaterial Endpaper();            // the inside of a book's board
TMaterial Sleeve();              // a print under a clear glossy sleeve
TMaterial Plastic(const char* name, float red, float green, float blue);  // opaque and glossy
TMaterial ClearPlastic(const char* name, float red, float green, float blue, float opacity);

// A share of a length in millimetres, in units, kept to at most `most` of
// `of` so that small sizes keep their proportions.
double Detail(double millimetres, double of, double most);
