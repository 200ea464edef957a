#include "render/artwork/BoxArtwork.h"

std::string ArtworkProblem(const TBoxArtwork& artwork)
{
    if (artwork.CoverFile.empty() && artwork.Faces[size_t(TArtFace::Front)].empty() && artwork.Wrap.empty())
        return "give a cover file, --front FILE or --wrap FILE";
    if (artwork.WrapSpine != 0 && artwork.Wrap.empty())
        return "--wrap-spine needs --wrap FILE";
    if (artwork.Shape.value_or(TShapeKind::Box) != TShapeKind::Box && (artwork.Book == true || artwork.Open == true))
        return "--book and --open shape the box alone: a " + std::string(ShapeName(*artwork.Shape)) +
               " is built as it is";
    if (artwork.AutoSize && !artwork.Wrap.empty() && artwork.WrapSpine == 0)
        return "--box auto with --wrap needs --wrap-spine PIXELS: the spine's width in the scan gives the depth";
    return {};
}

const std::string& ArtworkName(const TBoxArtwork& artwork)
{
    if (!artwork.CoverFile.empty())
        return artwork.CoverFile;
    const std::string& front = artwork.Faces[size_t(TArtFace::Front)];
    return front.empty() ? artwork.Wrap : front;
}
