#pragma once
// The texture object: an image file (BMP or JPEG, chosen by extension) held as
// an RGBA pixel buffer, and the OpenGL texture made from it.
#include <GL/gl.h>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TByteSource;

class TTextureImage {
public:
    TTextureImage();
    ~TTextureImage();
    TTextureImage(const TTextureImage&) = delete;
    TTextureImage& operator=(const TTextureImage&) = delete;

    // Reads the file into ImageData; true when an image was loaded. ".bmp" and
    // ".jpg" in any case; every other extension gives false. Drops the previous
    // pixel buffer first, whatever the outcome. Needs no GL context. A picture
    // past the bound of PictureLimits.h raises its "... is too large" error.
    bool LoadImage(const std::string& fileName);
    // The same for the bytes of a BMP or JPEG file already in memory, through
    // the same decoders.
    bool LoadBmpFromMemory(const uint8_t* data, size_t size);
    bool LoadJpegFromMemory(const uint8_t* data, size_t size);
    // The same for a JPEG that is wanted at no more than minWidth x minHeight
    // pixels: it is read at an eighth, a quarter or a half of its size, the
    // smallest that keeps at least that many pixels each way, and at its own
    // size when none does. libjpeg reduces while it decodes, for
    // a fraction of the work of the whole picture. Wanted at 0 x 0, it is
    // only checked, its header read, and holds one grey pixel.
    bool LoadJpegFromMemory(const uint8_t* data, size_t size, int minWidth, int minHeight);
    // Makes the GL texture from ImageData; nothing when there is no pixel buffer.
    // An object that already has a texture keeps its GL name and the new pixels
    // are uploaded into it, so display lists that bind it show the new image.
    void GenTexture();
    // Binds the texture to GL_TEXTURE_2D; nothing when the object has none.
    void Bind() const;
    // Deletes the GL texture, when there is one, and forgets its name; needs
    // the context that made it current. The pixel buffer stays. The
    // destructor does the same, so an object that outlives its context must
    // have its texture deleted before the context goes.
    void DeleteTexture();

    GLuint TextureID = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BitsPerPixel = 0;
    std::unique_ptr<uint8_t[]> ImageData;  // Width x Height pixels, R G B A
    uint8_t Palette[256][4] = {};          // blue, green, red, reserved
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;  // of a 16- or 32-bit BMP
    GLenum MinFilter = GL_LINEAR;
    GLenum MagFilter = GL_LINEAR;
    GLenum WrapS = GL_REPEAT;
    GLenum WrapT = GL_REPEAT;
    int32_t ImageSize = 0;

private:
    bool LoadBmp(const std::string& fileName);
    bool LoadJpeg(const std::string& fileName);
    bool DecodeBmp(TByteSource& file);                  // TextureImageBmp.cpp
    bool ReadMasks(TByteSource& file, int32_t bits, bool bitFields);
    bool DecodeJpeg(const uint8_t* data, size_t size, int minWidth, int minHeight);  // TextureImageJpeg.cpp
    bool AllocateImageData();
    void FreeImageData();
    // Makes the image one opaque grey pixel; true.
    bool OnePixel();
    int32_t RowStride(int32_t bits) const;
    void SwapRedBlue();
    void FillAlpha(uint8_t alpha);
};

// libjpeg's own words on what is wrong with the data of a JPEG file, read to
// its end: its first complaint other than that the data ends early ("Corrupt
// JPEG data: premature end of data segment", say), or "" when it has none or
// the bytes are no JPEG file.
std::string JpegDamage(const uint8_t* data, size_t size);
