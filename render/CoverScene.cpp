#include "render/CoverScene.h"

#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "platform/FileExtension.h"
#include "platform/ProfileIni.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The face slot that each image of the cover file fills.
constexpr std::array<TFaceSlot, 5> ImageSlots{TFaceSlot::Cover, TFaceSlot::Spine, TFaceSlot::Plain, TFaceSlot::Top,
                                              TFaceSlot::Floor};

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
    texture->GenTexture();
    // GL holds the pixels now; a batch of many covers need not keep them twice.
    texture->ImageData.reset();
    return texture;
}

} // namespace

TCoverSetup ReadCoverSetup(const std::string& fileName)
{
    const TCoverState state = ReadCoverState(ReadProfileFile(fileName));
    TCoverSetup setup;
    setup.ImageNames = state.ImagePaths;
    setup.Box.Book = state.Options[size_t(TCoverOption::Book)];
    setup.Box.Floor = state.Options[size_t(TCoverOption::Floor)];
    setup.Box.LidOpen = state.Options[size_t(TCoverOption::Open)];
    setup.ShowBackground = state.Options[size_t(TCoverOption::Back)];
    setup.Width = state.Sizes[size_t(TCoverSize::Width)];
    setup.Height = state.Sizes[size_t(TCoverSize::Height)];
    setup.Depth = state.Sizes[size_t(TCoverSize::Depth)];
    for (size_t i = 0; i < CoverImageKeys.size(); ++i)
        if (setup.ImageNames[i].empty())
            throw TError(std::string("no ") + CoverImageKeys[i] + " image is named under [Properties]");
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

TFaceTextures CoverTextures(const TCoverSetup& setup, const std::string& coverFile, TTextureCache& cache)
{
    const std::string folder = CoverFolderOf(coverFile);
    TFaceTextures textures{};
    std::string failures;
    for (size_t i = 0; i < CoverImageKeys.size(); ++i) {
        try {
            textures[size_t(ImageSlots[i])] = &cache.Texture(CoverImageLocation(folder, setup.ImageNames[i]));
        } catch (const TError& e) {
            failures += (failures.empty() ? "" : "; ") + std::string(e.what());
        }
    }
    if (!failures.empty())
        throw TError(failures);
    return textures;
}
