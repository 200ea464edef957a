#pragma once
// A box's plan (BoxPlan.h) turned into what its picture draws: the texture of
// each face and the box's sizes. A face image is read at the size the
// run's pictures can show of it (TextureDetail.h), sent to GL and kept, with
// what other faces and an auto box take from it, for the boxes after it that
// use it too, while the images kept stay within a bound of bytes; its pixels
// are not kept, and their buffer serves the next image read.
#include "render/artwork/BoxPlan.h"
#include "render/artwork/FacePixels.h"
#include "render/artwork/TextureBudget.h"
#include "render/artwork/TextureDetail.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>

class TTextureImage;

struct TFaceImage {
    std::unique_ptr<TTextureImage> Texture{};
    TPixelSize Size{};
    TRgba RightEdge{}, TopEdge{};  // EdgeColour of each
    TImageNeed ReadFor{};          // the need it was read for
    bool Opaque = false;           // every pixel wholly opaque
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
    TShape Shape{};  // of these sizes
    // Some face of the box shows an image that is not wholly opaque: the box
    // is drawn through its cut-outs, each sample on its own.
    bool CutOut = false;
};

// The textures kept besides those of the box being drawn: room for the
// images that a series of boxes shares (a back, a floor) and a few boxes'
// own, while a run of any length keeps the same memory.
constexpr size_t DefaultTextureBytes = size_t(16) << 20;

class TTextureCache {
public:
    // Textures for pictures of pictureWidth x pictureHeight pixels.
    TTextureCache(int pictureWidth, int pictureHeight, size_t bytes = DefaultTextureBytes);
    ~TTextureCache();
    TTextureCache(const TTextureCache&) = delete;
    TTextureCache& operator=(const TTextureCache&) = delete;

    // The next box begins: what it asks for from now on is kept until the
    // box after it begins, and what only the boxes before it used may go.
    void BeginBox() { Budget_.BeginBox(); }

    // Each face image is made the first time it is asked for (the rendering
    // context must be current), and made again when it was let go. A
    // failure raises TError naming the file and the reason, and every later
    // call for the same image raises the same error without trying again.
    //
    // A whole image file (ArtworkImage.h), at no less than `need`;
    // premultiplied for an image that is drawn blended, as the floor is.
    // One kept for a smaller need is read again for this one; one kept for a
    // larger need serves it.
    const TFaceImage& Image(const std::string& fileName, bool premultiplied, const TImageNeed& need = {});
    // One of the three parts of a wrap scan (WrapSplit.h): the scan is read
    // once for all three.
    const TFaceImage& WrapPart(const std::string& fileName, TArtFace part, const TWrapSplit& split);
    // A small texture of one colour.
    const TFaceImage& Colour(TRgba colour);

    // Whether the textures are for pictures of width x height pixels.
    bool ServesPictures(int width, int height) const { return PictureWidth_ == width && PictureHeight_ == height; }

    // How many image files have been read so far.
    size_t Loaded() const { return Reads_; }
    // The bytes of the textures kept.
    size_t Bytes() const { return Budget_.Bytes(); }

    // What each face's image needs in the run's pictures of the plan's
    // shape, worked out once for all boxes alike.
    const TFaceNeeds& Needs(const TBoxPlan& plan);

private:
    template <typename Make>
    const TFaceImage& Find(const std::string& key, Make make);
    // Uploads the texture's pixels (into the GL texture of a spare of its
    // size, when there is one) and keeps it under key, unless an image is
    // kept under key already.
    void Keep(const std::string& key, std::unique_ptr<TTextureImage> texture, bool premultiplied, bool opaque,
              const TImageNeed& readFor = {});
    // Lets go of the image kept under key, its texture kept as a spare.
    void LetGo(const std::string& key);

    const int PictureWidth_, PictureHeight_;
    std::map<std::string, TFaceImage> Images_;
    std::map<std::string, std::string> Failures_;
    static constexpr size_t MaxBoxNeeds = 64;
    std::map<std::array<float, 7>, TFaceNeeds> BoxNeeds_;
    TTextureBudget Budget_;
    // The textures of the images let go last, up to as many bytes as the
    // kept ones, their storage kept by the GL for an image of the same size:
    // a series of boxes of one size has the GL allocate and clear no storage
    // after the first few.
    std::deque<std::unique_ptr<TTextureImage>> Spare_;
    size_t SpareBytes_ = 0;
    size_t Reads_ = 0;
};

// The textures of the plan's faces, and the box's sizes, from the images for
// an auto box. Raises TError naming every image that cannot be loaded. Each
// face's image is read for what `shown` says the pictures drawn of the box
// show of the face, or, without it, for what any picture of the cache's
// size can show.
TBoxSetup LoadBox(const TBoxPlan& plan, TTextureCache& cache, const std::optional<TFaceNeeds>& shown = std::nullopt);

// PlanBox, then LoadBox.
TBoxSetup ResolveBox(const TBoxArtwork& artwork, TTextureCache& cache);
