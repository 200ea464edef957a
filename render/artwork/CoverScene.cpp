#include "render/artwork/CoverScene.h"

#include "cover/LargeBuffer.h"
#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "render/artwork/ArtworkImage.h"
#include "render/framing/SceneBounds.h"
#include "render/artwork/TextureUpload.h"
#include "render/shapes/JewelShape.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

using enum TArtFace;

// What a texture of the image takes in the GL.
size_t BytesOf(const TTextureImage& texture)
{
    return size_t(texture.Width) * size_t(texture.Height) * 4;
}

// Sends the pixels to GL, after taking what other faces may need from them;
// their buffer goes back for the next image. An opaque image has no
// transparent pixels to bleed into.
TFaceImage Upload(std::unique_ptr<TTextureImage> texture, bool premultiplied, bool opaque)
{
    const TPixelsView pixels{texture->ImageData.get(), texture->Width, texture->Height};
    TFaceImage image{.Size = {texture->Width, texture->Height},
                     .RightEdge = EdgeColour(pixels, TImageEdge::Right),
                     .TopEdge = EdgeColour(pixels, TImageEdge::Top),
                     .Opaque = opaque || IsOpaque(pixels)};
    if (premultiplied)
        PremultiplyAlpha(texture->ImageData.get(), size_t(texture->Width) * size_t(texture->Height));
    else if (!opaque)  // as far as the scaling to GL's sizes and the linear filter reach
        BleedIntoTransparent(texture->ImageData.get(), texture->Width, texture->Height, 2);
    UploadTexture(*texture);
    // GL holds the pixels now; a batch of many covers need not keep them twice.
    ReuseLargeBuffer(std::move(texture->ImageData), BytesOf(*texture));
    image.Texture = std::move(texture);
    return image;
}

std::unique_ptr<TTextureImage> PixelTexture(std::unique_ptr<uint8_t[]> pixels, int width, int height)
{
    auto texture = std::make_unique<TTextureImage>();
    texture->ImageData = std::move(pixels);
    texture->Width = width;
    texture->Height = height;
    texture->BitsPerPixel = 32;
    return texture;
}

std::string WrapKey(const std::string& fileName, TArtFace part, const TWrapSplit& split)
{
    char text[64];
    std::snprintf(text, sizeof text, "wrap %d %d %.17g", int(part), split.SpinePixels, split.SpineShare);
    return fileName + '\0' + text;
}

// 20 x 30 x 5, 13.5 x 19 x 1.4: a few digits are enough to tell sizes apart.
std::string SizeText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string SizeText(const TBoxSize& size)
{
    return SizeText(size.Width) + " x " + SizeText(size.Height) + " x " + SizeText(size.Depth);
}

// What the image of each face needs: enough for every face drawn with that
// image. An auto box takes its sizes from the images' own, so its images
// are read whole.
TFaceNeeds ImageNeeds(const TBoxPlan& plan, TTextureCache& cache, const std::optional<TFaceNeeds>& shown)
{
    if (plan.AutoSize)
        return {};
    TFaceNeeds faces = shown ? *shown : cache.Needs(plan);
    // A face drawn with another's image adds its need to that face's, and a
    // face shown in another's edge colour asks for that colour; the face it
    // takes from comes before it.
    for (size_t i = ArtFaceCount; i-- > 0;) {
        TImageNeed& from = faces[size_t(plan.Faces[i].From)];
        if (plan.Faces[i].Kind == TFaceSourceKind::SameAs)
            from = Larger(from, faces[i]);
        else if (plan.Faces[i].Kind == TFaceSourceKind::EdgeColour && !(faces[i] == UnseenNeed))
            from = Larger(from, EdgeNeed);
    }
    TFaceNeeds needs = faces;
    for (size_t i = 0; i < ArtFaceCount; ++i)
        for (size_t j = 0; j < ArtFaceCount; ++j)
            if (plan.Faces[i].Kind == TFaceSourceKind::File && plan.Faces[j].Kind == TFaceSourceKind::File &&
                plan.Faces[i].File == plan.Faces[j].File)
                needs[i] = Larger(needs[i], faces[j]);
    return needs;
}

} // namespace

TTextureCache::TTextureCache(int pictureWidth, int pictureHeight, size_t bytes)
    : PictureWidth_(pictureWidth), PictureHeight_(pictureHeight), Budget_(bytes)
{
}

TTextureCache::~TTextureCache() = default;

const TFaceNeeds& TTextureCache::Needs(const TBoxPlan& plan)
{
    const TBoxSize& size = plan.Size;
    const std::array<float, 7> key{size.Width,          size.Height,           size.Depth,
                                   float(plan.Box.Book), float(plan.Box.LidOpen), float(plan.Box.Floor),
                                   float(plan.Shape)};
    auto found = BoxNeeds_.find(key);
    if (found == BoxNeeds_.end() && BoxNeeds_.size() >= MaxBoxNeeds)
        BoxNeeds_.clear();  // a list of ever new sizes keeps no more than these
    if (found == BoxNeeds_.end())
        found = BoxNeeds_.emplace(key, FaceImageNeeds(PlannedShape(plan, size), PictureWidth_, PictureHeight_)).first;
    return found->second;
}

template <typename Make>
const TFaceImage& TTextureCache::Find(const std::string& key, Make make)
{
    if (const auto found = Images_.find(key); found != Images_.end()) {
        Budget_.Use(key, 0);
        return found->second;
    }
    if (const auto failed = Failures_.find(key); failed != Failures_.end())
        throw TError(failed->second);
    // Images of earlier boxes go before a new one comes, so that it may
    // take over a texture of theirs.
    for (const std::string& gone : Budget_.Evict())
        LetGo(gone);
    try {
        make();
    } catch (const TError& e) {
        Failures_.emplace(key, e.what());
        throw;
    }
    return Images_.at(key);
}

void TTextureCache::LetGo(const std::string& key)
{
    Budget_.Forget(key);
    Spare_.push_back(std::move(Images_.extract(key).mapped().Texture));
    SpareBytes_ += BytesOf(*Spare_.back());
    while (SpareBytes_ > Budget_.Bound()) {
        SpareBytes_ -= BytesOf(*Spare_.front());
        Spare_.pop_front();  // its GL texture goes with it
    }
}

void TTextureCache::Keep(const std::string& key, std::unique_ptr<TTextureImage> texture, bool premultiplied,
                         bool opaque, const TImageNeed& readFor)
{
    // A part of a wrap scan read again for another part stays as it is: the
    // current box may draw it already.
    if (Images_.contains(key)) {
        Budget_.Use(key, 0);
        return;
    }
    const auto spare = std::find_if(Spare_.begin(), Spare_.end(), [&](const auto& other) {
        return other->Width == texture->Width && other->Height == texture->Height;
    });
    if (spare != Spare_.end()) {
        texture->TextureID = std::exchange((*spare)->TextureID, 0);
        SpareBytes_ -= BytesOf(*texture);
        Spare_.erase(spare);
    }
    Budget_.Use(key, BytesOf(*texture));
    TFaceImage image = Upload(std::move(texture), premultiplied, opaque);
    image.ReadFor = readFor;
    Images_.emplace(key, std::move(image));
}

const TFaceImage& TTextureCache::Image(const std::string& fileName, bool premultiplied, const TImageNeed& need)
{
    // The image as it is read: whole, unless it can be read reduced.
    const TImageNeed read = MayReadReduced(fileName) ? need : TImageNeed{};
    const std::string key = fileName + '\0' + (premultiplied ? "premultiplied" : "");
    if (const auto kept = Images_.find(key); kept != Images_.end() && !kept->second.ReadFor.Covers(read))
        LetGo(key);
    return Find(key, [&] {
        std::unique_ptr<TTextureImage> texture = ReadArtworkImage(fileName, read);
        ++Reads_;
        Keep(key, std::move(texture), premultiplied, ReadsOpaque(fileName), read);
    });
}

const TFaceImage& TTextureCache::WrapPart(const std::string& fileName, TArtFace part, const TWrapSplit& split)
{
    return Find(WrapKey(fileName, part, split), [&] {
        std::unique_ptr<TTextureImage> scan = ReadArtworkImage(fileName);
        ++Reads_;
        const TWrapWidths widths = WrapWidths(scan->Width, split, fileName);
        const TPixelsView pixels{scan->ImageData.get(), scan->Width, scan->Height};
        const std::pair<TArtFace, int> lefts[] = {
            {Back, 0}, {Spine, widths.Back}, {Front, widths.Back + widths.Spine}};
        for (const auto& [face, left] : lefts) {
            const int width = face == Back ? widths.Back : face == Spine ? widths.Spine : widths.Front;
            std::unique_ptr<uint8_t[]> cut = CropColumns(pixels, left, width);
            if (!cut)
                throw TError("Cannot read picture " + fileName + ": not enough memory to cut it into faces");
            Keep(WrapKey(fileName, face, split), PixelTexture(std::move(cut), width, scan->Height), false,
                 ReadsOpaque(fileName));
        }
        ReuseLargeBuffer(std::move(scan->ImageData), BytesOf(*scan));
    });
}

const TFaceImage& TTextureCache::Colour(TRgba colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "colour %02x%02x%02x%02x", colour[0], colour[1], colour[2], colour[3]);
    const std::string name = std::string(1, '\0') + text;  // no file's name
    return Find(name, [&] {
        constexpr int Side = 2;
        auto pixels = std::make_unique<uint8_t[]>(Side * Side * 4);
        for (int i = 0; i < Side * Side; ++i)
            std::copy(colour.begin(), colour.end(), pixels.get() + i * 4);
        Keep(name, PixelTexture(std::move(pixels), Side, Side), false, colour[3] == 255);
    });
}

TBoxSetup LoadBox(const TBoxPlan& plan, TTextureCache& cache, const std::optional<TFaceNeeds>& shown)
{
    cache.BeginBox();
    const TFaceNeeds needs = ImageNeeds(plan, cache, shown);
    std::array<const TFaceImage*, ArtFaceCount> images{};
    std::string failures;
    for (size_t i = 0; i < ArtFaceCount; ++i) {
        const TArtFace face = static_cast<TArtFace>(i);
        const TFaceSource& source = plan.Faces[i];
        const TFaceImage* from = images[size_t(source.From)];
        try {
            switch (source.Kind) {
            case TFaceSourceKind::None: break;
            case TFaceSourceKind::File: images[i] = &cache.Image(source.File, face == Floor, needs[i]); break;
            case TFaceSourceKind::WrapPart: images[i] = &cache.WrapPart(source.File, face, plan.Split); break;
            // The spine meets the front's right edge, the top the spine's top.
            case TFaceSourceKind::EdgeColour:
                if (from)
                    images[i] = &cache.Colour(source.From == Front ? from->RightEdge : from->TopEdge);
                break;
            case TFaceSourceKind::SameAs: images[i] = from; break;
            }
        } catch (const TError& e) {
            failures += (failures.empty() ? "" : "; ") + std::string(e.what());
        }
    }
    if (!failures.empty())
        throw TError(failures);
    TBoxSetup setup{.Box = plan.Box, .ShowBackground = plan.ShowBackground, .Size = plan.Size, .Shape = {}};
    for (size_t i = 0; i < ArtFaceCount; ++i) {
        setup.Textures[i] = images[i] ? images[i]->Texture.get() : nullptr;
        // The floor's image is blended, never cut out.
        setup.CutOut = setup.CutOut || (i != size_t(Floor) && images[i] && !images[i]->Opaque);
    }
    if (plan.AutoSize) {
        const TFaceSourceKind spine = plan.Faces[size_t(Spine)].Kind;
        const bool spineImage = spine == TFaceSourceKind::File || spine == TFaceSourceKind::WrapPart;
        setup.Size = AutoBoxSize(images[size_t(Front)]->Size,
                                 spineImage ? std::optional(images[size_t(Spine)]->Size) : std::nullopt,
                                 plan.Size.Depth);
    }
    const TBoxSize& size = setup.Size;
    const TFaceImage* back = images[size_t(Back)];
    setup.Shape = PlannedShape(plan, size, back && IsTrayCard(back->Size.Width, back->Size.Height));
    if (const double reach = SubjectReach(setup.Shape, GroundOf(size.Width, size.Height, size.Depth));
        reach >= ViewReach())
        throw TError("a " + std::string(ShapeName(plan.Shape)) + " of " + SizeText(setup.Size) +
                     " units is too large for the view: it reaches " + SizeText(reach) +
                     " units from its centre, and the camera holds " + SizeText(ViewReach()) +
                     " (the sample box is 20 x 30 x 5)");
    return setup;
}

TBoxSetup ResolveBox(const TBoxArtwork& artwork, TTextureCache& cache)
{
    return LoadBox(PlanBox(artwork), cache);
}
