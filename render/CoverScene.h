#pragma once
// A cover file as a picture of its box needs it: the options and the sizes,
// read with the window's cover reader, and the image files the picture shows;
// and the textures of those images, each image file loaded once for a whole run.
#include "cover/FaceSlot.h"
#include "view/BoxGeometry.h"
#include "view/BoxList.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct TCoverSetup {
    // Where each slot's image is read from (the cover file's folder and the
    // name it records), indexed by TFaceSlot; empty for a slot the picture
    // does not show: the plain image shows only on an open lid, the floor
    // image only on the floor and the background.
    std::array<std::string, FaceSlotCount> ImageFiles;
    TBoxOptions Box;
    bool ShowBackground = false;
    int32_t Width = 10, Height = 10, Depth = 10;
};

// Raises TError "Cannot open file <file>: <reason>" when the file cannot be
// read, and "no <Key> image is named under [Properties]" for an image that the
// picture shows and the file does not name (a file that is no cover file
// names none).
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

// The textures of the images the picture shows, null for the other slots.
// Raises TError naming every image that cannot be loaded.
TFaceTextures CoverTextures(const TCoverSetup& setup, TTextureCache& cache);
