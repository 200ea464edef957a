#include "render/shapes/JewelShape.h"

#include "render/shapes/ShapeMesh.h"

#include <algorithm>
#include <numbers>

namespace {

// The hinge's round and the grid of the faces, for a smooth highlight.
constexpr int HingeSteps = 12, FaceColumns = 12, FaceRows = 12;
// The parts as a 142 x 125 x 10.4 mm case holds them, as shares of its sizes.
constexpr double BookletSide = 120.0, CaseWidth = 142.0, CaseHeight = 125.0;
constexpr double BookletFromHinge = 15.0;   // the booklet's edge from the case's left edge
constexpr double CardWidth = 137.0, CardHeight = 118.0, StripWidth = 6.5;
// A card's thickness: its two sides this far apart, in units.
constexpr double Paper = 0.02;

TMaterial ClearCase()
{
    return ClearPlastic("clear plastic", 0.90f, 0.94f, 0.97f, 0.16f);
}

// A flat card: its printed side facing `facing` (+1: +z, -1: -z) and, a
// paper's thickness behind it, what its other side faces.
void AddCard(TShapePart& printed, TShapePart& plain, double x0, double x1, double y0, double y1, double z,
             double facing, double s0, double s1)
{
    auto at = [&](double x, double y, double offset, double side) {
        const double share = (x - x0) / (x1 - x0);
        return Vertex({x, y, z + offset}, {0, 0, side}, s0 + (s1 - s0) * share, (y1 - y) / (y1 - y0));
    };
    AddQuad(printed, at(x0, y0, 0, facing), at(x1, y0, 0, facing), at(x1, y1, 0, facing), at(x0, y1, 0, facing));
    const double behind = -facing * Paper;
    AddQuad(plain, at(x0, y0, behind, -facing), at(x1, y0, behind, -facing), at(x1, y1, behind, -facing),
            at(x0, y1, behind, -facing));
}

} // namespace

bool IsTrayCard(int width, int height)
{
    const double back = CardWidth / CardHeight, card = (CardWidth + 2 * StripWidth) / CardHeight;
    return height > 0 && double(width) / height > (back + card) / 2;
}

TShape JewelShape(const TBoxSize& size, bool trayCard)
{
    const double a = std::abs(size.Width) / 2, b = std::abs(size.Height) / 2, c = std::abs(size.Depth) / 2;
    const double lid = Detail(1.5, c, 0.3), hinge = Detail(2.5, c, 0.6);
    // The booklet under the lid, the tray card against the back.
    const double bx0 = -a + 2 * a * BookletFromHinge / CaseWidth, bx1 = bx0 + 2 * a * BookletSide / CaseWidth;
    const double by = b * BookletSide / CaseHeight;
    const double cx = a * CardWidth / CaseWidth, cy = b * CardHeight / CaseHeight, cz = c - Detail(1.0, c, 0.2);
    const double strip = std::min(Detail(StripWidth, c, 1.4), cz + c - lid);
    TShapePart booklet{"booklet", TArtFace::Front, PrintedPaper(), {}};
    TShapePart card{"tray card", TArtFace::Back, PrintedPaper(), {}};
    TShapePart strips{"tray card spines", trayCard ? TArtFace::Back : TArtFace::Spine, PrintedPaper(), {}};
    TShapePart paper{"booklet's inside", std::nullopt, PrintedPaper(), {}};
    // The disc's tray, black, in front of the tray card.
    TShapePart tray{"tray", std::nullopt, Plastic("black plastic", 0.06f, 0.06f, 0.07f), {}};
    AddCard(booklet, paper, bx0, bx1, -by, by, -c + lid, -1, 0, 1);
    const double share = trayCard ? TrayCardSpineShare : 0.0;
    AddCard(card, tray, cx, -cx, -cy, cy, cz, 1, share, 1 - share);
    for (const double side : {-1.0, 1.0}) {
        // Tray card: the strip at +x continues the card's left end outwards,
        // the one at -x its right end. Spine image: read from outside, the
        // front on the right at -x and on the left at +x.
        const double sBack = trayCard ? (side > 0 ? share : 1 - share) : (side < 0 ? 0 : 1);
        const double sFront = trayCard ? (side > 0 ? 0 : 1) : (side < 0 ? 1 : 0);
        auto at = [&](double z, double y, double offset, double facing) {
            const double along = (cz - z) / strip;
            return Vertex({side * (cx + offset), y, z}, {facing * side, 0, 0}, sBack + (sFront - sBack) * along,
                          (cy - y) / (2 * cy));
        };
        AddQuad(strips, at(cz, -cy, 0, 1), at(cz - strip, -cy, 0, 1), at(cz - strip, cy, 0, 1), at(cz, cy, 0, 1));
        AddQuad(tray, at(cz, -cy, -Paper, -1), at(cz - strip, -cy, -Paper, -1), at(cz - strip, cy, -Paper, -1),
                at(cz, cy, -Paper, -1));
    }

    // The shell: the faces, the three plain edges, the hinge round the left.
    TShapePart shell{"case", std::nullopt, ClearCase(), {}};
    TShapePart round{"hinge", std::nullopt, ClearPlastic("hinge", 0.80f, 0.84f, 0.88f, 0.30f), {}};
    const double x0 = -a + hinge;
    for (const double side : {-1.0, 1.0})
        AddGrid(shell, FaceColumns, FaceRows, [&](int i, int j) {
            return Vertex({x0 + (a - x0) * i / FaceColumns, -b + 2 * b * j / FaceRows, side * c}, {0, 0, side}, 0, 0);
        });
    auto edge = [&](double y, double z) { return Vertex({a, y, z}, {1, 0, 0}, 0, 0); };
    AddQuad(shell, edge(-b, -c), edge(b, -c), edge(b, c), edge(-b, c));
    // The hinge's profile in x and z: a quarter round at the front, the flat
    // left side, a quarter round at the back.
    std::vector<TVec> profile, normals;
    for (int side = 0; side < 2; ++side)
        for (int step = 0; step <= HingeSteps; ++step) {
            const double angle = (side + double(step) / HingeSteps) * std::numbers::pi / 2.0;
            const double centre = side == 0 ? -(c - hinge) : c - hinge;
            profile.push_back({x0 - hinge * std::sin(angle), 0, centre - hinge * std::cos(angle)});
            normals.push_back({-std::sin(angle), 0, -std::cos(angle)});
        }
    for (size_t k = 0; k + 1 < profile.size(); ++k) {
        auto at = [&](size_t i, double y) { return Vertex({profile[i].X, y, profile[i].Z}, normals[i], 0, 0); };
        AddQuad(round, at(k, -b), at(k + 1, -b), at(k + 1, b), at(k, b));
    }
    // The top and the bottom: the outline in x and z, fanned from inside it.
    for (const double y : {-b, b}) {
        std::vector<TVec> outline = profile;
        outline.push_back({a, 0, c});
        outline.push_back({a, 0, -c});
        for (size_t k = 0; k < outline.size(); ++k) {
            const TVec &p = outline[k], &q = outline[(k + 1) % outline.size()];
            AddTriangle(shell, Vertex({0, y, 0}, {0, y, 0}, 0, 0), Vertex({p.X, y, p.Z}, {0, y, 0}, 0, 0),
                        Vertex({q.X, y, q.Z}, {0, y, 0}, 0, 0));
        }
    }
    return {.Name = "jewel",
            .Size = {float(2 * a), float(2 * b), float(2 * c)},
            .Parts = {booklet, card, strips, paper, tray, shell, round}};
}
