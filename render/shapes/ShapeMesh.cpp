#include "render/shapes/ShapeMesh.h"

#include <algorithm>
#include <utility>

TVec Unit(const TVec& v)
{
    const double length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    return length > 0.0 ? (1.0 / length) * v : TVec{0, -1, 0};
}

TShapeVertex Vertex(const TVec& p, const TVec& n, double s, double t)
{
    const TVec u = Unit(n);
    return {float(p.X), float(p.Y), float(p.Z), float(u.X), float(u.Y), float(u.Z), float(s), float(t)};
}

void AddTriangle(TShapePart& part, TShapeVertex a, TShapeVertex b, TShapeVertex c)
{
    const double ux = b.X - a.X, uy = b.Y - a.Y, uz = b.Z - a.Z, vx = c.X - a.X, vy = c.Y - a.Y, vz = c.Z - a.Z;
    const double gx = uy * vz - uz * vy, gy = uz * vx - ux * vz, gz = ux * vy - uy * vx;
    if (gx * (a.NX + b.NX + c.NX) + gy * (a.NY + b.NY + c.NY) + gz * (a.NZ + b.NZ + c.NZ) < 0.0)
        std::swap(b, c);
    part.Triangles.insert(part.Triangles.end(), {a, b, c});
}

void AddQuad(TShapePart& part, const TShapeVertex& a, const TShapeVertex& b, const TShapeVertex& c,
             const TShapeVertex& d)
{
    AddTriangle(part, a, b, d);
    AddTriangle(part, b, c, d);
}

TMaterial PrintedPaper()
{
    return {.Name = "paper", .Colour = {1, 1, 1, 1}};
}

TMaterial PageEdge()
{
    // Lines of paper about 0.1 mm thick would be finer than any picture
    // shows; four a millimetre read as pages at every size.
    return {.Name = "page edge", .Colour = {0.96f, 0.94f, 0.89f, 1}, .LinesPerUnit = 40.0f};
}

TMaterial Endpaper()
{
    return {.Name = "endpaper", .Colour = {0.93f, 0.91f, 0.86f, 1}};
}

TMaterial Sleeve()
{
    return {.Name = "sleeve", .Colour = {1, 1, 1, 1}, .Finish = TFinish::Glossy};
}

TMaterial Plastic(const char* name, float red, float green, float blue)
{
    return {.Name = name, .Colour = {red, green, blue, 1}, .Finish = TFinish::Glossy};
}

TMaterial ClearPlastic(const char* name, float red, float green, float blue, float opacity)
{
    return {.Name = name, .Colour = {red, green, blue, opacity}, .Finish = TFinish::Glossy};
}

double Detail(double millimetres, double of, double most)
{
    return std::min(millimetres / MillimetresPerUnit, most * std::abs(of));
}
