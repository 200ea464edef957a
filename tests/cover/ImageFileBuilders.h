#pragma once
// Small BMP and JPEG files made by the tests themselves.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <jpeglib.h>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// A private folder for the files of one test, removed with it.
struct TTempFolder {
    QTemporaryDir Dir;
    std::string Path(const std::string& name) const { return Dir.filePath(QString::fromStdString(name)).toStdString(); }
    std::string Write(const std::string& name, const TBytes& bytes) const
    {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
};

inline void PutWord(TBytes& bytes, uint32_t value)
{
    bytes.push_back(uint8_t(value));
    bytes.push_back(uint8_t(value >> 8));
}

inline void PutDoubleWord(TBytes& bytes, uint32_t value)
{
    PutWord(bytes, value & 0xFFFF);
    PutWord(bytes, value >> 16);
}

// A BMP file: 14-byte file header, 40-byte info header, the masks, zeros up to
// the end of a longer info header, the palette, then the pixel data as given
// (rows padded by the caller).
struct TBmpBuilder {
    int32_t Width = 1;
    int32_t Height = 1;
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    uint32_t InfoSize = 40;
    uint32_t ColoursUsed = 0;
    uint32_t ImageSizeField = 0;
    std::vector<uint32_t> Masks;
    TBytes Palette;  // blue, green, red, reserved per entry
    TBytes Pixels;
    int64_t PixelOffset = -1;  // -1: right after the palette

    TBytes Bytes() const
    {
        TBytes info;
        PutDoubleWord(info, InfoSize);
        PutDoubleWord(info, uint32_t(Width));
        PutDoubleWord(info, uint32_t(Height));
        PutWord(info, 1);
        PutWord(info, Bits);
        PutDoubleWord(info, Compression);
        PutDoubleWord(info, ImageSizeField);
        PutDoubleWord(info, 2835);
        PutDoubleWord(info, 2835);
        PutDoubleWord(info, ColoursUsed);
        PutDoubleWord(info, 0);
        for (uint32_t mask : Masks)
            PutDoubleWord(info, mask);
        if (info.size() < InfoSize)
            info.resize(InfoSize, 0);
        info.insert(info.end(), Palette.begin(), Palette.end());
        const uint32_t offset = PixelOffset >= 0 ? uint32_t(PixelOffset) : uint32_t(14 + info.size());
        TBytes file;
        PutWord(file, 0x4D42);
        PutDoubleWord(file, uint32_t(14 + info.size() + Pixels.size()));
        PutDoubleWord(file, 0);
        PutDoubleWord(file, offset);
        file.insert(file.end(), info.begin(), info.end());
        file.insert(file.end(), Pixels.begin(), Pixels.end());
        return file;
    }
};

// A 32-bit BMP whose colour fields are wider or narrower than a byte, as the
// public BMP test suite has them (rgba32-1010102 and kin): four opaque pixels,
// full red, full green, full blue and a probe whose fields hold 0x81, 0x7E
// and 0xC3 in their top bits (their top bits of them when narrower), ones below.
struct TWideFieldBmp {
    const char* Name;
    uint32_t Red, Green, Blue, Alpha;  // alpha in the 124-byte header
    uint32_t Probe;                    // 0xRRGGBB: the probe read, wide fields cut, narrow ones widened

    TBytes Bytes() const
    {
        const auto field = [](uint32_t mask, uint32_t top) {
            const int bits = std::popcount(mask);
            const uint32_t value = bits >= 8 ? top << (bits - 8) | ((1u << (bits - 8)) - 1) : top >> (8 - bits);
            return value << std::countr_zero(mask);
        };
        TBmpBuilder bmp;
        bmp.Width = 4;
        bmp.Bits = 32;
        bmp.Compression = 3;
        bmp.InfoSize = 124;
        bmp.Masks = {Red, Green, Blue, Alpha};
        for (uint32_t word : {Red, Green, Blue, field(Red, 0x81) | field(Green, 0x7E) | field(Blue, 0xC3)})
            PutDoubleWord(bmp.Pixels, word | Alpha);
        return bmp.Bytes();
    }
};

inline const TWideFieldBmp WideFieldBmps[] = {
    {"10-10-10-2", 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000, 0x817EC3},
    {"11-11-10", 0xFFE00000, 0x001FFC00, 0x000003FF, 0, 0x817EC3},
    {"6-17-5-4", 0x0FC00000, 0x003FFFE0, 0x0000001F, 0xF0000000, 0x827EC6},
    {"7-18-7", 0xFE000000, 0x01FFFF80, 0x0000007F, 0, 0x817EC3},
    {"8-12-8-4", 0x0FF00000, 0x000FFF00, 0x000000FF, 0xF0000000, 0x817EC3},
};

// How a test JPEG keeps its colours: RGB (3 bytes a pixel), grey (1 byte), or
// ink, 4 bytes of CMYK a pixel, stored as CMYK or as YCCK, with Adobe's marker.
enum class TJpegColours { Rgb, Grey, Cmyk, Ycck };

// A JPEG file whose top-down rows `row(y)` gives, quality 100 without chroma
// subsampling. The encoder's default error handling is kept: these pictures
// are always valid.
inline TBytes JpegFileOfRows(int width, int height, TJpegColours colours, bool progressive,
                             const std::function<const uint8_t*(int)>& row)
{
    jpeg_compress_struct info = {};
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    const bool ink = colours == TJpegColours::Cmyk || colours == TJpegColours::Ycck;
    info.input_components = colours == TJpegColours::Grey ? 1 : ink ? 4 : 3;
    info.in_color_space = colours == TJpegColours::Grey ? JCS_GRAYSCALE : ink ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    if (ink) {
        jpeg_set_colorspace(&info, colours == TJpegColours::Cmyk ? JCS_CMYK : JCS_YCCK);
        info.write_Adobe_marker = TRUE;
    }
    jpeg_set_quality(&info, 100, TRUE);
    for (int i = 0; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW next = const_cast<uint8_t*>(row(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &next, 1);
    }
    jpeg_finish_compress(&info);
    TBytes file(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

// A JPEG file of the given top-down pixels.
inline TBytes JpegFile(int width, int height, TJpegColours colours, const TBytes& pixels, bool progressive = false)
{
    const size_t stride = pixels.size() / size_t(height);
    return JpegFileOfRows(width, height, colours, progressive,
                          [&](int y) { return pixels.data() + size_t(y) * stride; });
}

// An RGB JPEG file of one flat colour: small, whatever its size.
inline TBytes FlatJpeg(int width, int height, const uint8_t colour[3])
{
    TBytes row;
    for (int x = 0; x < width; ++x)
        row.insert(row.end(), colour, colour + 3);
    return JpegFileOfRows(width, height, TJpegColours::Rgb, false, [&](int) { return row.data(); });
}

// An RGB picture whose top half has one colour and bottom half another.
inline TBytes TwoBands(int width, int height, const uint8_t top[3], const uint8_t bottom[3])
{
    TBytes pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                pixels.push_back(y < height / 2 ? top[c] : bottom[c]);
    return pixels;
}
