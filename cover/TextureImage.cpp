#include "cover/TextureImage.h"

#include "cover/ByteSource.h"
#include "cover/LargeBuffer.h"
#include "platform/FileExtension.h"
#include "platform/pictures/PictureLimits.h"

#include <GL/glu.h>
#include <algorithm>

TTextureImage::TTextureImage() = default;

TTextureImage::~TTextureImage()
{
    DeleteTexture();
}

bool TTextureImage::LoadImage(const std::string& fileName)
{
    FreeImageData();
    const std::string extension = LowerCaseAscii(FileExtension(fileName));
    if (extension == "bmp")
        return LoadBmp(fileName);
    if (extension == "jpg")
        return LoadJpeg(fileName);
    return false;
}

bool TTextureImage::LoadBmp(const std::string& fileName)
{
    const std::unique_ptr<TFileSource> file = TFileSource::Open(fileName);
    return file && DecodeBmp(*file);
}

bool TTextureImage::LoadJpeg(const std::string& fileName)
{
    const std::unique_ptr<TFileSource> file = TFileSource::Open(fileName);
    // A compressed picture is smaller than the largest pixel buffer.
    if (!file || file->Size() > kMaxPictureBytes)
        return false;
    const size_t size = size_t(file->Size());
    const std::unique_ptr<uint8_t[]> data = AllocateLargeBuffer(size);
    return data && file->ReadAt(0, data.get(), size) && DecodeJpeg(data.get(), size, INT32_MAX, INT32_MAX);
}

bool TTextureImage::LoadBmpFromMemory(const uint8_t* data, size_t size)
{
    FreeImageData();
    TMemorySource source(data, size);
    return DecodeBmp(source);
}

bool TTextureImage::LoadJpegFromMemory(const uint8_t* data, size_t size)
{
    return LoadJpegFromMemory(data, size, INT32_MAX, INT32_MAX);
}

bool TTextureImage::LoadJpegFromMemory(const uint8_t* data, size_t size, int minWidth, int minHeight)
{
    FreeImageData();
    return DecodeJpeg(data, size, minWidth, minHeight);
}

bool TTextureImage::AllocateImageData()
{
    ImageData = AllocateLargeBuffer(size_t(Width) * size_t(Height) * 4);
    return ImageData != nullptr;
}

void TTextureImage::FreeImageData()
{
    ImageData.reset();
}

bool TTextureImage::OnePixel()
{
    Width = Height = 1;
    BitsPerPixel = 32;
    ImageData = std::make_unique<uint8_t[]>(4);
    const uint8_t grey[4] = {128, 128, 128, 255};
    std::copy(grey, grey + 4, ImageData.get());
    return true;
}

int32_t TTextureImage::RowStride(int32_t bits) const
{
    return int32_t(((int64_t(Width) * bits + 31) & ~int64_t(31)) / 8);
}

void TTextureImage::SwapRedBlue()
{
    uint8_t* pixel = ImageData.get();
    for (size_t i = 0, n = size_t(Width) * size_t(Height); i < n; ++i, pixel += 4)
        std::swap(pixel[0], pixel[2]);
}

void TTextureImage::FillAlpha(uint8_t alpha)
{
    uint8_t* pixel = ImageData.get();
    for (size_t i = 0, n = size_t(Width) * size_t(Height); i < n; ++i, pixel += 4)
        pixel[3] = alpha;
}

void TTextureImage::GenTexture()
{
    if (!ImageData)
        return;
    if (TextureID == 0)
        glGenTextures(1, &TextureID);
    glBindTexture(GL_TEXTURE_2D, TextureID);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(WrapS));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(WrapT));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(MagFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(MinFilter));
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, ImageData.get());
}

void TTextureImage::DeleteTexture()
{
    if (TextureID != 0)
        glDeleteTextures(1, &TextureID);
    TextureID = 0;
}

void TTextureImage::Bind() const
{
    if (TextureID != 0)
        glBindTexture(GL_TEXTURE_2D, TextureID);
}
