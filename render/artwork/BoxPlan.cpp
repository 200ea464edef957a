#include "render/artwork/BoxPlan.h"

#include "cover/CoverFile.h"
#include "platform/Error.h"
#include "platform/ProfileIni.h"

namespace {

using enum TArtFace;

// What a cover file gives a box.
struct TCoverPart {
    std::array<std::string, ArtFaceCount> Images;  // where each named image lies; empty when none is named
    TBoxOptions Box;
    bool ShowBackground = false;
    TBoxSize Size = StartUpBoxSize;
};

TCoverPart ReadCoverPart(const std::string& fileName)
{
    TCoverPart part;
    if (fileName.empty())
        return part;
    const std::string text = ReadProfileFile(fileName);
    const TCoverState state = ReadCoverState(text);
    part.Box = BoxOptionsOf(state);
    part.ShowBackground = state.Options[size_t(TCoverOption::Back)];
    part.Size = {float(state.Sizes[size_t(TCoverSize::Width)]), float(state.Sizes[size_t(TCoverSize::Height)]),
                 float(state.Sizes[size_t(TCoverSize::Depth)])};
    const std::string folder = CoverFolderOf(fileName);
    auto place = [&](TArtFace face, const std::string& name) {
        if (!name.empty())
            part.Images[size_t(face)] = CoverImageLocation(folder, name);
    };
    auto named = [&](TCoverImage image) { return state.ImagePaths[size_t(image)]; };
    place(Front, named(TCoverImage::Cover));
    place(Spine, named(TCoverImage::Spine));
    place(Top, named(TCoverImage::Top));
    place(Floor, named(TCoverImage::Floor));
    place(Plain, named(TCoverImage::Plain));
    // The back cover's key is the renderer's own: the window leaves it alone.
    TProfileKey back{"Properties", "Back", std::nullopt};
    ReadProfileKeys(text, std::span(&back, 1));
    place(Back, std::string(back.Value.value_or(std::string_view())));
    return part;
}

// The faces the picture shows: those of the box's quads, and the floor's for
// the background.
std::array<bool, ArtFaceCount> ShownFaces(const TBoxOptions& box, bool showBackground)
{
    std::array<bool, ArtFaceCount> shown{};
    for (const TBoxQuad& quad : BoxQuads(1.0f, 1.0f, 1.0f, box))
        shown[size_t(ArtFaceOf(quad))] = true;
    if (showBackground)
        shown[size_t(Floor)] = true;
    return shown;
}

TFaceSource Fill(TArtFace face, const TBoxArtwork& artwork)
{
    switch (face) {
    case Spine: return {TFaceSourceKind::EdgeColour, {}, Front};
    case Top: return {TFaceSourceKind::EdgeColour, {}, Spine};
    case Back: return {TFaceSourceKind::SameAs, {}, Front};
    case Plain: return {TFaceSourceKind::SameAs, {}, Top};
    case Front:
        throw TError(artwork.CoverFile.empty() ? "no front image: give --front FILE or --wrap FILE"
                                               : "no Cover image is named under [Properties]");
    case Floor:
        throw TError(artwork.CoverFile.empty()
                         ? "the floor and the background show the floor image: give --floor FILE"
                         : "no Floor image is named under [Properties]");
    }
    return {};
}

} // namespace

TArtFace ArtFaceOf(const TBoxQuad& quad)
{
    if (quad.Face == TBoxFace::CoverNear)
        return Back;
    switch (quad.Texture) {
    case TFaceSlot::Cover: return Front;
    case TFaceSlot::Spine: return Spine;
    case TFaceSlot::Top: return Top;
    case TFaceSlot::Floor: return Floor;
    case TFaceSlot::Plain: return Plain;
    }
    return Front;
}

TBoxPlan PlanBox(const TBoxArtwork& artwork)
{
    if (const std::string problem = ArtworkProblem(artwork); !problem.empty())
        throw TError(problem);
    const TCoverPart cover = ReadCoverPart(artwork.CoverFile);
    TBoxPlan plan;
    plan.Box = {.Book = artwork.Book.value_or(cover.Box.Book),
                .LidOpen = artwork.Open.value_or(cover.Box.LidOpen),
                .Floor = artwork.ShowFloor.value_or(cover.Box.Floor)};
    plan.ShowBackground = artwork.ShowBackground.value_or(cover.ShowBackground);
    plan.Size = artwork.Size.value_or(cover.Size);
    plan.AutoSize = artwork.AutoSize;

    const std::array<bool, ArtFaceCount> shown = ShownFaces(plan.Box, plan.ShowBackground);
    bool wrapped = false;
    for (size_t i = 0; i < ArtFaceCount; ++i) {
        const TArtFace face = static_cast<TArtFace>(i);
        TFaceSource& source = plan.Faces[i];
        if (!shown[i])
            continue;
        if (!artwork.Faces[i].empty())
            source = {TFaceSourceKind::File, artwork.Faces[i]};
        else if (!artwork.Wrap.empty() && (face == Front || face == Spine || face == Back))
            source = {TFaceSourceKind::WrapPart, artwork.Wrap}, wrapped = true;
        else if (!cover.Images[i].empty())
            source = {TFaceSourceKind::File, cover.Images[i]};
        else
            source = Fill(face, artwork);
    }
    if (wrapped)
        plan.Split = artwork.WrapSpine > 0 ? TWrapSplit{.SpinePixels = artwork.WrapSpine}
                                           : ProportionalSplit(plan.Size.Width, plan.Size.Depth);
    return plan;
}

TBoxSize AutoBoxSize(TPixelSize front, std::optional<TPixelSize> spine, float depth)
{
    constexpr float Width = 20.0f;
    const float height = Width * float(front.Height) / float(front.Width);
    if (spine)
        depth = height * float(spine->Width) / float(spine->Height);
    return {Width, height, depth};
}
