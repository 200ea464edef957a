#include "render/shapes/BookShape.h"

#include "render/shapes/ShapeMesh.h"

#include <algorithm>
#include <numbers>

namespace {

// Segments of the spine's round and across the joint: smooth at any size.
constexpr int SpineSteps = 48, JointSteps = 12;
// The joint lies this far from the covers' edge at the spine, this wide.
constexpr double JointFrom = 7.0, JointWidth = 5.0;

struct TBook {
    double A, B, C;           // half the outer sizes
    double Board, Squares, Round, Joint;
    double Edge() const { return -A + Round; }  // the covers' edge at the spine
};

// A cover's outer face: flat, with the joint pressed in along the spine;
// z = side x (C - depth of the groove at x).
double GrooveDepth(const TBook& book, double x)
{
    const double from = book.Edge() + Detail(JointFrom, book.A, 0.15);
    const double half = Detail(JointWidth, book.A, 0.1) / 2;
    const double u = (x - from) / half;
    return std::abs(u) < 1.0 ? book.Joint * 0.5 * (1.0 + std::cos(u * std::numbers::pi)) : 0.0;
}

double GrooveSlope(const TBook& book, double x)
{
    const double from = book.Edge() + Detail(JointFrom, book.A, 0.15);
    const double half = Detail(JointWidth, book.A, 0.1) / 2;
    const double u = (x - from) / half;
    return std::abs(u) < 1.0 ? -book.Joint * 0.5 * std::numbers::pi / half * std::sin(u * std::numbers::pi) : 0.0;
}

// The x where column i of n lies across a cover, the joint's columns closer.
std::vector<double> CoverColumns(const TBook& book)
{
    const double from = book.Edge() + Detail(JointFrom, book.A, 0.15);
    const double half = Detail(JointWidth, book.A, 0.1) / 2;
    std::vector<double> xs{book.Edge()};
    if (book.Joint > 0.0)
        for (int i = 0; i <= JointSteps; ++i)
            xs.push_back(from - half + 2 * half * i / JointSteps);
    xs.push_back(book.A);
    return xs;
}

// One cover: its outer face with the image, its three edges with the image
// turned over them, and its inner face.
void AddCover(const TBook& book, double side, TShapePart& face, TShapePart& edges, TShapePart& inner)
{
    const double outer = side * book.C, in = side * (book.C - book.Board);
    const double width = book.A - book.Edge();
    auto s = [&](double x) {
        const double share = (x - book.Edge()) / width;
        return side < 0 ? share : 1 - share;
    };
    auto t = [&](double y) { return (book.B - y) / (2 * book.B); };
    const std::vector<double> xs = CoverColumns(book);
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        auto at = [&](double x, double y) {
            const double z = outer - side * GrooveDepth(book, x);
            return Vertex({x, y, z}, {GrooveSlope(book, x), 0, side}, s(x), t(y));
        };
        AddQuad(face, at(xs[i], -book.B), at(xs[i + 1], -book.B), at(xs[i + 1], book.B), at(xs[i], book.B));
        for (const double y : {-book.B, book.B}) {
            auto edge = [&](double x, double z) { return Vertex({x, y, z}, {0, y, 0}, s(x), t(y)); };
            AddQuad(edges, edge(xs[i], at(xs[i], y).Z), edge(xs[i + 1], at(xs[i + 1], y).Z), edge(xs[i + 1], in),
                    edge(xs[i], in));
        }
    }
    auto fore = [&](double y, double z) { return Vertex({book.A, y, z}, {1, 0, 0}, s(book.A), t(y)); };
    AddQuad(edges, fore(-book.B, outer), fore(book.B, outer), fore(book.B, in), fore(-book.B, in));
    auto inside = [&](double x, double y) { return Vertex({x, y, in}, {0, 0, -side}, 0, 0); };
    AddQuad(inner, inside(book.Edge(), -book.B), inside(book.A, -book.B), inside(book.A, book.B),
            inside(book.Edge(), book.B));
}

// The spine's round from the front cover's edge to the back's, and its ends.
void AddSpine(const TBook& book, TShapePart& spine, TShapePart& ends)
{
    auto point = [&](int i) {
        const double angle = (double(i) / SpineSteps - 0.5) * std::numbers::pi;
        return TVec{book.Edge() - book.Round * std::cos(angle), 0, book.C * std::sin(angle)};
    };
    auto normal = [&](int i) {
        const double angle = (double(i) / SpineSteps - 0.5) * std::numbers::pi;
        return TVec{-book.C * std::cos(angle), 0, book.Round * std::sin(angle)};
    };
    std::vector<double> lengths{0.0};
    for (int i = 1; i <= SpineSteps; ++i) {
        const TVec d = point(i) - point(i - 1);
        lengths.push_back(lengths.back() + std::hypot(d.X, d.Z));
    }
    auto s = [&](int i) { return 1 - lengths[size_t(i)] / lengths.back(); };
    for (int i = 0; i < SpineSteps; ++i) {
        auto at = [&](int k, double y) {
            const TVec p = point(k);
            return Vertex({p.X, y, p.Z}, normal(k), s(k), (book.B - y) / (2 * book.B));
        };
        AddQuad(spine, at(i, -book.B), at(i + 1, -book.B), at(i + 1, book.B), at(i, book.B));
        for (const double y : {-book.B, book.B}) {
            const double t = (book.B - y) / (2 * book.B);
            const TVec p = point(i), q = point(i + 1);
            AddTriangle(ends, Vertex({book.Edge(), y, 0}, {0, y, 0}, 0.5, t), Vertex({p.X, y, p.Z}, {0, y, 0}, s(i), t),
                        Vertex({q.X, y, q.Z}, {0, y, 0}, s(i + 1), t));
        }
    }
}

// The page block's three open edges, with lines across the depth, and the
// inside of the spine above and below it where the covers stand out.
void AddPages(const TBook& book, TShapePart& pages, TShapePart& lining)
{
    const double x0 = book.Edge(), x1 = book.A - book.Squares, y = book.B - book.Squares;
    const double z = book.C - book.Board;
    auto line = [&](double depth) { return (depth + book.C) * PageEdge().LinesPerUnit; };
    for (const double side : {-1.0, 1.0}) {
        auto at = [&](double x, double depth) { return Vertex({x, side * y, depth}, {0, side, 0}, line(depth), 0); };
        AddQuad(pages, at(x0, -z), at(x1, -z), at(x1, z), at(x0, z));
        auto wall = [&](double height, double depth) { return Vertex({x0, height, depth}, {1, 0, 0}, 0, 0); };
        if (book.Squares > 0.0)
            AddQuad(lining, wall(side * y, -z), wall(side * book.B, -z), wall(side * book.B, z), wall(side * y, z));
    }
    auto fore = [&](double height, double depth) { return Vertex({x1, height, depth}, {1, 0, 0}, line(depth), 0); };
    AddQuad(pages, fore(-y, -z), fore(y, -z), fore(y, z), fore(-y, z));
}

} // namespace

TShape BookShape(const char* name, const TBoxSize& size, const TBookBuild& build)
{
    const double a = std::abs(size.Width) / 2, b = std::abs(size.Height) / 2, c = std::abs(size.Depth) / 2;
    const double board = Detail(build.Board, c, 0.3);
    const TBook book{a,
                     b,
                     c,
                     board,
                     Detail(build.Squares, std::min(a, b), 0.1),
                     Detail(build.Round, a, 0.1),
                     Detail(build.Joint, board, 0.4)};
    TShapePart front{"front", TArtFace::Front, PrintedPaper(), {}}, back{"back", TArtFace::Back, PrintedPaper(), {}};
    TShapePart frontEdges{"front board edge", TArtFace::Front, PrintedPaper(), {}};
    TShapePart backEdges{"back board edge", TArtFace::Back, PrintedPaper(), {}};
    TShapePart inside{"endpaper", std::nullopt, Endpaper(), {}};
    TShapePart spine{"spine", TArtFace::Spine, PrintedPaper(), {}};
    TShapePart spineEnds{"spine ends", TArtFace::Spine, PrintedPaper(), {}};
    TShapePart pages{"page edge", std::nullopt, PageEdge(), {}};
    TShapePart lining{"spine lining", std::nullopt, Endpaper(), {}};
    AddCover(book, -1.0, front, frontEdges, inside);
    AddCover(book, 1.0, back, backEdges, inside);
    AddSpine(book, spine, spineEnds);
    AddPages(book, pages, lining);
    TShape shape{.Name = name, .Size = {float(2 * a), float(2 * b), float(2 * c)}, .Parts = {}};
    for (TShapePart* part : {&front, &spine, &back, &frontEdges, &backEdges, &spineEnds, &inside, &pages, &lining})
        if (!part->Triangles.empty())
            shape.Parts.push_back(std::move(*part));
    return shape;
}
