#include "render/export/GlbFile.h"

#include "cover/TextureImage.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "render/export/BoxPictures.h"
#include "render/export/TextureEncoding.h"
#include "render/export/TextureSize.h"

#include <map>
#include <sstream>

std::string GlbBytes(const tinygltf::Model& model)
{
    std::ostringstream stream;
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&model, stream, false, true))
        throw TError("Cannot write the glTF model");
    return std::move(stream).str();
}

void WriteBoxGlb(const std::string& fileName, const TBoxArtwork& artwork, int textureSide)
{
    const TBoxPictures box = ReadBoxPictures(PlanBox(artwork));
    // An image shown by several faces is one texture, as large as the
    // largest of them needs.
    std::map<const TTextureImage*, TPixelSize> sizes;
    for (size_t i = 0; i < ArtFaceCount; ++i)
        if (const TTextureImage* image = box.Faces[i].get(); image && ShowsArt(box.Shape, TArtFace(i))) {
            const TPixelSize size =
                TextureSize({image->Width, image->Height}, ImageSpan(box.Shape, TArtFace(i)), textureSide);
            TPixelSize& most = sizes[image];
            most = {std::max(most.Width, size.Width), std::max(most.Height, size.Height)};
        }
    std::map<const TTextureImage*, std::shared_ptr<const TEncodedImage>> encoded;
    for (const auto& [image, size] : sizes)
        encoded[image] = std::make_shared<const TEncodedImage>(EncodeTexture(*image, size));
    TFaceImages images;
    for (size_t i = 0; i < ArtFaceCount; ++i)
        if (const auto found = encoded.find(box.Faces[i].get()); found != encoded.end())
            images[i] = found->second;
    WriteFileAtomically(fileName, GlbBytes(ShapeModel(box.Shape, images)));
}
