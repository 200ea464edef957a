#pragma once
// A cover file as the box view needs it: the five image names, the options and
// the sizes, read with the window's cover reader; and the textures of its
// images, each image file loaded once for a whole run.
#include "cover/CoverFile.h"
#include "view/BoxGeometry.h"
#include "view/BoxList.h"

#include <array>
#include <map>
#include <memory>
#include <string>

struct TCoverSetup {
    std::array<std::string, 5> ImageNames;  // indexed by TCoverImage
    TBoxOptions Box;
    bool ShowBackground = false;
    int32_t Width = 10, Height = 10, Depth = 10;
};

// Raises TError "Cannot open file <file>: <reason>" when the file cannot be
// read, and "no <Key> image is named under [Properties]" for an image the file
// does not name (a file that is no cover file names none).
TCoverSetup ReadCoverSetup(const std::string& fileName);

class TTextureCache {
public:
    TTextureCache();
    ~TTextureCache();
    TTextureCache(const TTextureCache&) = delete;
    TTextureCache& operator=(const TTextureCache&) = delete;

    // The texture made from the image file, loaded and sent to GL the first
    // time it is asked for (the rendering context must be current). Raises
    // TError naming the file and the reason when it cannot be loaded: every
    // later call for the same file raises the same error without trying again.
    const TTextureImage& Texture(const std::string& fileName);

    // How many image files have been read so far.
    size_t Loaded() const { return Textures.size(); }

private:
    std::map<std::string, std::unique_ptr<TTextureImage>> Textures;
    std::map<std::string, std::string> Failures;
};

// The textures of the cover's five images, each looked up in the cover file's
// folder. Raises TError naming every image that cannot be loaded.
TFaceTextures CoverTextures(const TCoverSetup& setup, const std::string& coverFile, TTextureCache& cache);
