#include "render/CoverScene.h"

#include "cover/CoverSlots.h"
#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "platform/ProfileIni.h"
#include "render/TextureUpload.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The slots whose images the picture shows: those of the box's quads, and
// the floor's for the background billboard.
std::array<bool, FaceSlotCount> ShownSlots(const TBoxOptions& box, bool showBackground)
{
    std::array<bool, FaceSlotCount> shown{};
    for (const TBoxQuad& quad : BoxQuads(1.0f, 1.0f, 1.0f, box))
        shown[size_t(quad.Texture)] = true;
    if (showBackground)
        shown[size_t(TFaceSlot::Floor)] = true;
    return shown;
}

// The system's reason when the file cannot be opened for reading; empty when it can.
std::string OpenFailure(const std::string& fileName)
{
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    close(fd);
    return {};
}

std::unique_ptr<TTextureImage> LoadTexture(const std::string& fileName)
{
    const std::string extension = LowerCaseAscii(FileExtension(fileName));
    if (extension != "bmp" && extension != "jpg")
        throw TError("Unknown picture file extension (." + extension + ") of " + fileName +
                     ": the box takes .bmp and .jpg pictures");
    if (const std::string reason = OpenFailure(fileName); !reason.empty())
        throw TError("Cannot open file " + fileName + ": " + reason);
    auto texture = std::make_unique<TTextureImage>();
    if (!texture->LoadImage(fileName))
        throw TError("Cannot read picture " + fileName + ": it is damaged or not a picture of its kind");
    UploadTexture(*texture);
    // GL holds the pixels now; a batch of many covers need not keep them twice.
    texture->ImageData.reset();
    return texture;
}

} // namespace

TCoverSetup ReadCoverSetup(const std::string& fileName)
{
    const TCoverState state = ReadCoverState(ReadProfileFile(fileName));
    TCoverSetup setup;
    setup.Box = BoxOptionsOf(state);
    setup.ShowBackground = state.Options[size_t(TCoverOption::Back)];
    setup.Width = state.Sizes[size_t(TCoverSize::Width)];
    setup.Height = state.Sizes[size_t(TCoverSize::Height)];
    setup.Depth = state.Sizes[size_t(TCoverSize::Depth)];
    const std::array<bool, FaceSlotCount> shown = ShownSlots(setup.Box, setup.ShowBackground);
    for (size_t i = 0; i < CoverImageKeys.size(); ++i) {
        const TFaceSlot slot = FaceSlotOf(static_cast<TCoverImage>(i));
        if (!shown[size_t(slot)])
            continue;
        const std::string& name = state.ImagePaths[i];
        if (name.empty())
            throw TError(std::string("no ") + CoverImageKeys[i] + " image is named under [Properties]");
        setup.ImageFiles[size_t(slot)] = CoverImageLocation(CoverFolderOf(fileName), name);
    }
    return setup;
}

TTextureCache::TTextureCache() = default;
TTextureCache::~TTextureCache() = default;

const TTextureImage& TTextureCache::Texture(const std::string& fileName)
{
    if (const auto found = Textures.find(fileName); found != Textures.end())
        return *found->second;
    if (const auto failed = Failures.find(fileName); failed != Failures.end())
        throw TError(failed->second);
    try {
        return *Textures.emplace(fileName, LoadTexture(fileName)).first->second;
    } catch (const TError& e) {
        Failures.emplace(fileName, e.what());
        throw;
    }
}

TFaceTextures CoverTextures(const TCoverSetup& setup, TTextureCache& cache)
{
    TFaceTextures textures{};
    std::string failures;
    for (size_t slot = 0; slot < setup.ImageFiles.size(); ++slot) {
        if (setup.ImageFiles[slot].empty())
            continue;
        try {
            textures[slot] = &cache.Texture(setup.ImageFiles[slot]);
        } catch (const TError& e) {
            failures += (failures.empty() ? "" : "; ") + std::string(e.what());
        }
    }
    if (!failures.empty())
        throw TError(failures);
    return textures;
}
