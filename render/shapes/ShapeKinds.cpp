#include "render/shapes/ShapeKinds.h"

#include "render/shapes/BookShape.h"
#include "render/shapes/BoxShape.h"
#include "render/shapes/CaseShape.h"
#include "render/shapes/JewelShape.h"
#include "render/shapes/ShapeMesh.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> Names{"box", "hardcover", "paperback", "dvd", "bluray", "jewel"};

constexpr TBoxSize Millimetres(double width, double height, double depth)
{
    return {float(width / MillimetresPerUnit), float(height / MillimetresPerUnit), float(depth / MillimetresPerUnit)};
}

} // namespace

std::string_view ShapeName(TShapeKind kind)
{
    return Names[size_t(kind)];
}

std::optional<TShapeKind> ShapeKindNamed(std::string_view name)
{
    std::string lower;
    for (const char c : name)
        lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (size_t i = 0; i < Names.size(); ++i)
        if (Names[i] == lower)
            return TShapeKind(i);
    return std::nullopt;
}

std::string ShapeNames()
{
    std::string names;
    for (const std::string_view name : Names)
        names += (names.empty() ? "" : "|") + std::string(name);
    return names;
}

std::optional<TBoxSize> RealSize(TShapeKind kind)
{
    switch (kind) {
    case TShapeKind::Box: return std::nullopt;
    // The common trade trim sizes that book printers list (6 x 9 in for a
    // hardcover's pages, 5.5 x 8.5 in for a paperback); a hardcover's boards
    // stand 3 mm out round its 152 x 229 mm pages, about 25 mm thick with
    // some 300 pages; a paperback of some 250 pages is about 20 mm thick.
    case TShapeKind::Hardcover: return Millimetres(152 + 3, 229 + 6, 25);
    case TShapeKind::Paperback: return Millimetres(140, 216, 20);
    // A DVD keep case: 135 x 190 x 14 mm, its wrap 284 x 184 mm, the spine
    // as wide as the case is deep (Wikipedia, "Optical disc packaging").
    case TShapeKind::Dvd: return Millimetres(135, 190, 14);
    // A Blu-ray case: 135 x 171.5 mm (Wikipedia, "Keep case"), 12 mm in the
    // common single-disc size, the wrap's spine as wide.
    case TShapeKind::Bluray: return Millimetres(135, 171.5, 12);
    // A CD jewel case: 142 x 125 x 10.4 mm, a 120 x 120 mm booklet, a
    // 150 x 118 mm tray card (Wikipedia, "Jewel case").
    case TShapeKind::Jewel: return Millimetres(142, 125, 10.4);
    }
    return std::nullopt;
}

bool TakesWrap(TShapeKind kind)
{
    return kind != TShapeKind::Jewel;
}

TShape MakeShape(TShapeKind kind, const TBoxSize& size, const TBoxOptions& options, bool trayCard)
{
    switch (kind) {
    case TShapeKind::Box: break;
    case TShapeKind::Hardcover: return BookShape("hardcover", size, HardcoverBuild);
    case TShapeKind::Paperback: return BookShape("paperback", size, PaperbackBuild);
    case TShapeKind::Dvd: return CaseShape("dvd", size, Plastic("black plastic", 0.07f, 0.07f, 0.08f));
    case TShapeKind::Bluray: return CaseShape("bluray", size, Plastic("blue plastic", 0.12f, 0.34f, 0.72f));
    case TShapeKind::Jewel: return JewelShape(size, trayCard);
    }
    return BoxShape(size, options);
}
