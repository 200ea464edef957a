#include "render/export/BoxPictures.h"

#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "render/artwork/ArtworkImage.h"
#include "render/artwork/FacePixels.h"
#include "render/shapes/JewelShape.h"

#include <map>
#include <optional>

namespace {

using enum TArtFace;
using TPicture = std::shared_ptr<const TTextureImage>;

TPixelsView View(const TTextureImage& image)
{
    return {image.ImageData.get(), image.Width, image.Height};
}

TPixelSize SizeOf(const TPicture& picture)
{
    return {picture->Width, picture->Height};
}

// The three parts of a wrap scan.
std::map<TArtFace, TPicture> CutWrap(const std::string& fileName, const TWrapSplit& split)
{
    const std::unique_ptr<TTextureImage> scan = ReadArtworkImage(fileName);
    const TWrapWidths widths = WrapWidths(scan->Width, split, fileName);
    std::map<TArtFace, TPicture> parts;
    int left = 0;
    for (const auto& [face, width] : {std::pair{Back, widths.Back}, {Spine, widths.Spine}, {Front, widths.Front}}) {
        auto part = std::make_shared<TTextureImage>();
        part->ImageData = CropColumns(View(*scan), left, width);
        if (!part->ImageData)
            throw TError("Cannot read picture " + fileName + ": not enough memory to cut it into faces");
        part->Width = width;
        part->Height = scan->Height;
        part->BitsPerPixel = 32;
        parts[face] = std::move(part);
        left += width;
    }
    return parts;
}

} // namespace

TBoxPictures ReadBoxPictures(const TBoxPlan& plan)
{
    TBoxPictures box;
    std::array<std::optional<TRgba>, ArtFaceCount> colours;
    std::map<std::string, TPicture> files;
    std::map<TArtFace, TPicture> wrap;
    std::string failures;
    for (size_t i = 0; i < ArtFaceCount; ++i) {
        const TFaceSource& source = plan.Faces[i];
        const size_t from = size_t(source.From);
        if (TArtFace(i) == Floor)
            continue;  // the floor is the studio's, not the box's
        try {
            switch (source.Kind) {
            case TFaceSourceKind::None: break;
            case TFaceSourceKind::File:
                if (!files.contains(source.File))
                    files[source.File] = ReadArtworkImage(source.File);
                box.Faces[i] = files[source.File];
                break;
            case TFaceSourceKind::WrapPart:
                if (wrap.empty())
                    wrap = CutWrap(source.File, plan.Split);
                box.Faces[i] = wrap[TArtFace(i)];
                break;
            case TFaceSourceKind::EdgeColour:
                if (box.Faces[from])
                    colours[i] = EdgeColour(View(*box.Faces[from]), source.From == Front ? TImageEdge::Right
                                                                                      : TImageEdge::Top);
                break;
            case TFaceSourceKind::SameAs:
                box.Faces[i] = box.Faces[from];
                colours[i] = colours[from];
                break;
            }
        } catch (const TError& e) {
            failures += (failures.empty() ? "" : "; ") + std::string(e.what());
        }
    }
    if (!failures.empty())
        throw TError(failures);
    TBoxSize size = plan.Size;
    if (plan.AutoSize) {
        const TFaceSourceKind spine = plan.Faces[size_t(Spine)].Kind;
        const bool spineImage = spine == TFaceSourceKind::File || spine == TFaceSourceKind::WrapPart;
        size = AutoBoxSize(SizeOf(box.Faces[size_t(Front)]),
                           spineImage ? std::optional(SizeOf(box.Faces[size_t(Spine)])) : std::nullopt, size.Depth);
    }
    const TPicture& back = box.Faces[size_t(Back)];
    box.Shape = PlannedShape(plan, size, back && IsTrayCard(back->Width, back->Height));
    for (TShapePart& part : box.Shape.Parts)
        if (part.Art && colours[size_t(*part.Art)]) {
            const TRgba& colour = *colours[size_t(*part.Art)];
            for (size_t c = 0; c < 3; ++c)
                part.Material.Colour[c] = colour[c] / 255.0f;
            part.Art.reset();
        }
    return box;
}
