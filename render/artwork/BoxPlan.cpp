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
    TShapeKind Shape = TShapeKind::Box;
};

TShapeKind CoverShape(std::string_view value, const std::string& fileName)
{
    if (value.empty())
        return TShapeKind::Box;
    if (const std::optional<TShapeKind> kind = ShapeKindNamed(value))
        return *kind;
    throw TError(fileName + ": Shape=" + std::string(value) + " under [Properties] is no shape: it takes " +
                 ShapeNames());
}

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
    // The back cover's and the shape's keys are the renderer's own: the
    // window leaves them alone.
    std::array<TProfileKey, CoverRendererKeys.size()> own;
    for (size_t i = 0; i < own.size(); ++i)
        own[i] = {"Properties", CoverRendererKeys[i], std::nullopt};
    ReadProfileKeys(text, own);
    auto value = [&](TCoverRendererKey key) { return own[size_t(key)].Value.value_or(std::string_view()); };
    place(Back, std::string(value(TCoverRendererKey::Back)));
    part.Shape = CoverShape(value(TCoverRendererKey::Shape), fileName);
    return part;
}

// The faces the picture shows: those of the shape's parts, and the floor's
// for the floor and the background.
std::array<bool, ArtFaceCount> ShownFaces(const TBoxPlan& plan)
{
    // A jewel case's spine strips show the tray card or the spine's image.
    const TShape card = MakeShape(plan.Shape, {1.0f, 1.0f, 1.0f}, plan.Box, true);
    const TShape strips = MakeShape(plan.Shape, {1.0f, 1.0f, 1.0f}, plan.Box, false);
    std::array<bool, ArtFaceCount> shown{};
    for (size_t i = 0; i < ArtFaceCount; ++i)
        shown[i] = ShowsArt(card, TArtFace(i)) || ShowsArt(strips, TArtFace(i));
    shown[size_t(Floor)] = plan.Box.Floor || plan.ShowBackground;
    return shown;
}

TFaceSource Fill(TArtFace face, const TBoxArtwork& artwork, TShapeKind shape)
{
    switch (face) {
    case Spine: return {TFaceSourceKind::EdgeColour, {}, Front};
    case Top: return {TFaceSourceKind::EdgeColour, {}, Spine};
    // A box's back shows its front; a book's or a case's the colour of its
    // spine; a jewel case's tray card, when none is given, is plain paper.
    case Back:
        if (shape == TShapeKind::Jewel)
            return {};
        return {shape == TShapeKind::Box ? TFaceSourceKind::SameAs : TFaceSourceKind::EdgeColour, {}, Front};
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

TShape PlannedShape(const TBoxPlan& plan, const TBoxSize& size, bool trayCard)
{
    return MakeShape(plan.Shape, size, plan.Box, trayCard);
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
    plan.Shape = artwork.Shape.value_or(cover.Shape);
    plan.Size = artwork.Size.value_or(RealSize(plan.Shape).value_or(cover.Size));
    if (!artwork.Wrap.empty() && !TakesWrap(plan.Shape))
        throw TError("a " + std::string(ShapeName(plan.Shape)) +
                     " case takes no wrap scan: give its booklet with --front FILE and its tray card with --back FILE");
    plan.AutoSize = artwork.AutoSize;

    const std::array<bool, ArtFaceCount> shown = ShownFaces(plan);
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
            source = Fill(face, artwork, plan.Shape);
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
