#pragma once
// One box as the user describes it: a cover file or none, and the face images
// and box options given with it, which override the cover file's. A plain
// value: the command line fills it, and so can any other list of options.
#include "render/shapes/ShapeKinds.h"

#include <array>
#include <optional>
#include <string>

// The box the window starts with, for a box drawn without a cover file.
constexpr TBoxSize StartUpBoxSize{20.0f, 30.0f, 5.0f};

struct TBoxArtwork {
    std::string CoverFile{};                       // empty: none
    std::array<std::string, ArtFaceCount> Faces{}; // image files, indexed by TArtFace; empty: not given
    std::string Wrap{};                            // one scan laid out back | spine | front
    int WrapSpine = 0;                             // the scan's spine in pixels; 0: by the box's proportions
    std::optional<TShapeKind> Shape{};             // absent: the cover file's, or else the box
    std::optional<TBoxSize> Size{};                // the shape's sizes, unless AutoSize
    bool AutoSize = false;                         // the sizes from the artwork
    std::optional<bool> Book{}, Open{}, ShowFloor{}, ShowBackground{};  // absent: the cover file's

    bool operator==(const TBoxArtwork&) const = default;
};

// What is wrong with the description as given, for the user; empty when
// nothing is. The images and the cover file are not looked at.
std::string ArtworkProblem(const TBoxArtwork& artwork);

// The name a box goes by in messages and picture names: its cover file, or
// else its front image, or else its wrap scan.
const std::string& ArtworkName(const TBoxArtwork& artwork);
