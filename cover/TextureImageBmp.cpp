// The BMP reader of the texture object: uncompressed and bit-field files of
// 32, 24, 16, 8 and 4 bits per pixel, rows kept in file order.
#include "cover/ByteSource.h"
#include "cover/LargeBuffer.h"
#include "cover/TextureImage.h"
#include "platform/pictures/BitFields.h"
#include "platform/Error.h"
#include "platform/LittleEndian.h"
#include "platform/pictures/PictureLimits.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;

void ReadHeader(TByteSource& file, uint64_t offset, uint8_t* into, size_t count)
{
    if (!file.ReadAt(offset, into, count))
        throw TInOutError("Read beyond end of file");
}

// Masks must lie in the pixel's word and must not overlap. A 32-bit word takes
// fields of any width, each one run of bits; a 16-bit one fields of at most 8 bits.
bool MasksUsable(uint32_t red, uint32_t green, uint32_t blue, int bits)
{
    for (uint32_t mask : {red, green, blue})
        if (bits == 16 ? mask > 0xFFFF || std::popcount(mask) > 8 : !ContiguousMask(mask))
            return false;
    return (red & green) == 0 && (red & blue) == 0 && (green & blue) == 0;
}

void ConvertRow24(const uint8_t* in, uint8_t* out, int32_t width)
{
    for (int32_t x = 0; x < width; ++x, in += 3, out += 4)
        out[0] = in[2], out[1] = in[1], out[2] = in[0];
}

void ConvertRow16(const uint8_t* in, uint8_t* out, int32_t width, TBitField red, TBitField green, TBitField blue)
{
    for (int32_t x = 0; x < width; ++x, in += 2, out += 4) {
        const uint32_t word = LittleEndian16(in);
        out[0] = red(word), out[1] = green(word), out[2] = blue(word);
    }
}

// In place: each 4-byte word becomes red, green, blue and a byte that step 11 fills.
void ConvertPixels32(uint8_t* pixels, size_t count, TBitField red, TBitField green, TBitField blue)
{
    for (size_t i = 0; i < count; ++i, pixels += 4) {
        const uint32_t word = LittleEndian32(pixels);
        pixels[0] = red(word), pixels[1] = green(word), pixels[2] = blue(word);
    }
}

void PutEntry(const uint8_t entry[4], uint8_t* out)
{
    out[0] = entry[2], out[1] = entry[1], out[2] = entry[0];
}

void ConvertRow8(const uint8_t* in, uint8_t* out, int32_t width, const uint8_t palette[256][4])
{
    for (int32_t x = 0; x < width; ++x, out += 4)
        PutEntry(palette[in[x]], out);
}

// High nibble first; every row starts on a new byte.
void ConvertRow4(const uint8_t* in, uint8_t* out, int32_t width, const uint8_t palette[256][4])
{
    for (int32_t x = 0; x < width; ++x, out += 4)
        PutEntry(palette[(x & 1) ? in[x / 2] & 0x0F : in[x / 2] >> 4], out);
}

}  // namespace

// The masks of a 16- or 32-bit file: from directly after the 40 bytes with bit
// fields (where the longer headers keep them too), else the format's own.
bool TTextureImage::ReadMasks(TByteSource& file, int32_t bits, bool bitFields)
{
    if (bitFields) {
        uint8_t masks[12];
        ReadHeader(file, FileHeaderSize + InfoHeaderSize, masks, sizeof masks);
        RedMask = LittleEndian32(masks);
        GreenMask = LittleEndian32(masks + 4);
        BlueMask = LittleEndian32(masks + 8);
    } else if (bits == 16) {
        RedMask = 0x7C00, GreenMask = 0x03E0, BlueMask = 0x001F;
    } else {
        RedMask = 0xFF0000, GreenMask = 0x00FF00, BlueMask = 0x0000FF;
    }
    return MasksUsable(RedMask, GreenMask, BlueMask, bits);
}

bool TTextureImage::DecodeBmp(TByteSource& file)
{
    uint8_t fileHeader[FileHeaderSize];
    ReadHeader(file, 0, fileHeader, sizeof fileHeader);
    if (LittleEndian16(fileHeader) != 0x4D42)
        return false;
    uint8_t info[InfoHeaderSize];
    ReadHeader(file, FileHeaderSize, info, sizeof info);
    const uint32_t infoSize = LittleEndian32(info);
    if (infoSize < InfoHeaderSize)  // 12 is the old core header
        return false;
    const int64_t width = int32_t(LittleEndian32(info + 4));
    const int64_t height = std::abs(int64_t(int32_t(LittleEndian32(info + 8))));
    const int32_t bits = LittleEndian16(info + 14);
    const uint32_t compression = LittleEndian32(info + 16);
    const uint32_t imageSizeField = LittleEndian32(info + 20);
    const uint32_t coloursUsed = LittleEndian32(info + 32);
    if (compression != 0 && compression != 3)
        return false;
    if ((bits == 16 || bits == 32) && !ReadMasks(file, bits, compression == 3))
        return false;
    if (bits != 32 && bits != 24 && bits != 16 && bits != 8 && bits != 4)
        return false;
    if (width <= 0 || height == 0)
        return false;
    CheckPictureSize(kBitmapNotValid, uint64_t(width), uint64_t(height));
    Width = int32_t(width);
    Height = int32_t(height);
    BitsPerPixel = bits;

    if (bits < 16) {
        // Up to 256 entries, even past what the bit depth can index.
        const uint32_t entries = coloursUsed != 0 ? coloursUsed : 1u << bits;
        if (entries > 256)
            return false;
        std::memset(Palette, 0, sizeof Palette);  // indices past the table read as black
        if (!file.ReadAt(FileHeaderSize + uint64_t(infoSize), Palette, entries * 4))
            return false;
    }

    // Within the pixel bound none of this can overflow 32 bits. 32-bit pixels
    // are read whatever a smaller image-size field says; the bytes that a
    // field promises must be in the file at every depth.
    const int32_t stride = RowStride(bits);
    const uint32_t needed = uint32_t(stride) * uint32_t(Height);
    const uint32_t field = imageSizeField != 0 ? imageSizeField : needed;
    if ((field < needed && bits != 32) || field > uint32_t(INT32_MAX))
        return false;
    const uint32_t imageSize = std::max(field, needed);
    ImageSize = int32_t(imageSize);
    const uint32_t offset = LittleEndian32(fileHeader + 10);
    if (offset > file.Size() || imageSize > file.Size() - offset)
        return false;

    if (bits == 32) {
        // Rows of 32 bits have no padding: the pixel data is the buffer. A failing
        // read, returned or raised, drops the partly read pixels with `pixels`.
        std::unique_ptr<uint8_t[]> pixels = AllocateLargeBuffer(needed);
        if (!pixels || !file.ReadAt(offset, pixels.get(), needed))
            return false;
        ImageData = std::move(pixels);
        if (RedMask == 0xFF0000 && GreenMask == 0x00FF00 && BlueMask == 0x0000FF)
            SwapRedBlue();
        else
            ConvertPixels32(ImageData.get(), size_t(Width) * size_t(Height), TBitField(RedMask),
                            TBitField(GreenMask), TBitField(BlueMask));
    } else {
        const std::unique_ptr<uint8_t[]> rows = AllocateLargeBuffer(needed);
        if (!rows || !file.ReadAt(offset, rows.get(), needed) || !AllocateImageData())
            return false;
        const TBitField red(RedMask), green(GreenMask), blue(BlueMask);
        for (int32_t y = 0; y < Height; ++y) {
            const uint8_t* in = rows.get() + size_t(y) * size_t(stride);
            uint8_t* out = ImageData.get() + size_t(y) * size_t(Width) * 4;
            switch (bits) {
            case 24: ConvertRow24(in, out, Width); break;
            case 16: ConvertRow16(in, out, Width, red, green, blue); break;
            case 8: ConvertRow8(in, out, Width, Palette); break;
            default: ConvertRow4(in, out, Width, Palette);
            }
        }
    }
    FillAlpha(255);
    BitsPerPixel = 32;
    return true;
}
