#pragma once
// A box's description resolved into what the picture draws, before any image
// is read: where each face's image comes from, the options and the sizes.
//
// Each face takes, in this order: its own image given with the box; its part
// of the wrap scan (front, spine and back); the image its cover file names;
// and otherwise a fill from another face: the spine the colour of the
// front's edge that meets it, the top (and the bottom) the colour of the
// spine's top, the back the front, the flaps of an open lid the top. Only the
// front cannot be filled, and the floor, whose image shows on the floor and
// the background, is needed only when they show. A book's or a case's back
// takes the spine's colour rather than the front, and a jewel case's back
// (its tray card) nothing: it shows as plain paper.
#include "render/artwork/BoxArtwork.h"
#include "render/artwork/WrapSplit.h"
#include "render/shapes/ShapeKinds.h"

#include <optional>

enum class TFaceSourceKind { None, File, WrapPart, EdgeColour, SameAs };

struct TFaceSource {
    TFaceSourceKind Kind = TFaceSourceKind::None;  // None: the picture does not show the face
    std::string File;                              // File, WrapPart: the image file
    TArtFace From = TArtFace::Front;               // EdgeColour, SameAs: the face it is filled from

    bool operator==(const TFaceSource&) const = default;
};

struct TBoxPlan {
    std::array<TFaceSource, ArtFaceCount> Faces;  // indexed by TArtFace
    TWrapSplit Split;                             // where the wrap scan's spine lies
    TShapeKind Shape = TShapeKind::Box;
    TBoxOptions Box;
    bool ShowBackground = false;
    // With AutoSize the sizes come from the images (AutoBoxSize), and the
    // depth here is kept when no spine image gives one.
    TBoxSize Size;
    bool AutoSize = false;
};

// Reads the cover file, when there is one, with the window's reader, and a
// "Back" key under its [Properties], which the window leaves alone. Raises
// TError when the description has a problem (ArtworkProblem), when the cover
// file cannot be read ("Cannot open file <file>: <reason>"), and when no front
// image, or no floor image for a floor or background that shows, is named.
TBoxPlan PlanBox(const TBoxArtwork& artwork);

// The plan's shape at these sizes; `trayCard` for a jewel case's back image
// that is a whole tray card (JewelShape.h).
TShape PlannedShape(const TBoxPlan& plan, const TBoxSize& size, bool trayCard = true);

struct TPixelSize {
    int Width = 0, Height = 0;
};

// An auto box: 20 units wide, as high as the front's aspect makes it, and as
// deep as the spine's aspect makes it at that height; `depth` when the spine
// has no image of its own.
TBoxSize AutoBoxSize(TPixelSize front, std::optional<TPixelSize> spine, float depth);
