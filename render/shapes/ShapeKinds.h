#pragma once
// The shapes people package in, by name, with their real sizes.
#include "render/shapes/Shape.h"
#include "view/BoxGeometry.h"

#include <optional>
#include <string>
#include <string_view>

enum class TShapeKind { Box, Hardcover, Paperback, Dvd, Bluray, Jewel };

// "box", "hardcover", "paperback", "dvd", "bluray", "jewel": the names
// --shape, a list's shape column and a cover file's Shape key take, in
// any case.
std::string_view ShapeName(TShapeKind kind);
std::optional<TShapeKind> ShapeKindNamed(std::string_view name);
// The names, separated by '|'.
std::string ShapeNames();

// The real outer sizes of the kind, in units; none for the box, whose sizes
// are its cover's.
std::optional<TBoxSize> RealSize(TShapeKind kind);

// Whether a wrap scan (back | spine | front) fits the kind: all but the
// jewel case, whose booklet and tray card are printed apart.
bool TakesWrap(TShapeKind kind);

// The shape of that kind with these outer sizes. The box's options hold for
// the box alone; `trayCard` for the jewel case alone (JewelShape.h).
TShape MakeShape(TShapeKind kind, const TBoxSize& size, const TBoxOptions& options, bool trayCard = true);
