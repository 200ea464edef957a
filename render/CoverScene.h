#pragma once
// A box's plan (BoxPlan.h) turned into what its picture draws: the texture of
// each face and the box's sizes. Each face image is read and sent to GL once
// for a whole run, and kept with what other faces and an auto box take from
// it; its pixels are not kept.
#include "render/BoxPlan.h"
#include "render/FacePixels.h"

#include <map>
#include <memory>
#include <string>

class TTextureImage;

struct TFaceImage {
    std::unique_ptr<TTextureImage> Texture{};
    TPixelSize Size{};
    TRgba RightEdge{}, TopEdge{};  // EdgeColour of each
};

// The texture object of each face, indexed by TArtFace; null for a face the
// picture does not show.
using TArtTextures = std::array<const TTextureImage*, ArtFaceCount>;

// A box as its picture draws it.
struct TBoxSetup {
    TArtTextures Textures{};
    TBoxOptions Box{};
    bool ShowBackground = false;
    TBoxSize Size{};
};

class TTextureCache {
public:
    TTextureCache();
    ~TTextureCache();
    TTextureCache(const TTextureCache&) = delete;
    TTextureCache& operator=(const TTextureCache&) = delete;

    // Each face image is made the first time it is asked for (the rendering
    // context must be current). A failure raises TError naming the file and
    // the reason, and every later call for the same image raises the same
    // error without trying again.
    //
    // A whole image file (ArtworkImage.h); premultiplied for an image that is
    // drawn blended, as the floor is.
    const TFaceImage& Image(const std::string& fileName, bool premultiplied);
    // One of the three parts of a wrap scan (WrapSplit.h): the scan is read
    // once for all three.
    const TFaceImage& WrapPart(const std::string& fileName, TArtFace part, const TWrapSplit& split);
    // A small texture of one colour.
    const TFaceImage& Colour(TRgba colour);

    // How many image files have been read so far.
    size_t Loaded() const { return Reads; }

private:
    template <typename Make>
    const TFaceImage& Find(const std::string& key, Make make);

    std::map<std::string, TFaceImage> Images;
    std::map<std::string, std::string> Failures;
    size_t Reads = 0;
};

// The textures of the plan's faces, and the box's sizes, from the images for
// an auto box. Raises TError naming every image that cannot be loaded.
TBoxSetup LoadBox(const TBoxPlan& plan, TTextureCache& cache);

// PlanBox, then LoadBox.
TBoxSetup ResolveBox(const TBoxArtwork& artwork, TTextureCache& cache);
