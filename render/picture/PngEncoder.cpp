// PNG files written chunk by chunk: the signature, IHDR, the pixels in IDAT,
// IEND. Every row is filtered by Paeth: on our pictures (large flat and
// smooth areas) Sub or Up, or a choice per row, make files as small only at
// a slower level. A picture whose filtered rows fit in the whole-picture
// bound (64 MiB, a 4096 x 4096 picture with alpha) is compressed at once by
// libdeflate, faster than zlib for files of the same size; a larger one (up
// to 16 GiB) goes through zlib's stream row by row, in little memory: in
// runs (Z_RLE), unless a level above the default asks for zlib's usual
// effort.
#include "platform/Error.h"
#include "platform/Reused.h"
#include "render/picture/ImageEncoders.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <zlib.h>

namespace {

constexpr size_t WholePictureBound = size_t(64) << 20;

// The bytes of a row of words 0xAARRGGBB as PNG keeps them: R, G, B (and A).
template <bool Alpha>
void RowBytes(const uint32_t* row, size_t width, uint8_t* out)
{
    size_t x = 0;
    if constexpr (!Alpha) {
        // A word a pixel, R, G, B and a byte that the next pixel overwrites:
        // all but the last.
        static_assert(std::endian::native == std::endian::little);
        for (; x + 1 < width; ++x, out += 3) {
            const uint32_t rgb = __builtin_bswap32(row[x]) >> 8;
            std::memcpy(out, &rgb, 4);
        }
    }
    for (; x < width; ++x, out += Alpha ? 4 : 3) {
        out[0] = uint8_t(row[x] >> 16);
        out[1] = uint8_t(row[x] >> 8);
        out[2] = uint8_t(row[x]);
        if constexpr (Alpha)
            out[3] = uint8_t(row[x] >> 24);
    }
}

// Each of size bytes of a row less Paeth's predictor of it from the bytes
// pixel bytes to its left, above, and above-left; here and above each follow
// a pixel of zeros, the left of the row's first pixel. Written as arithmetic
// and selects in 16 bits (the distances lie within 510), which the compiler
// does 8 bytes at a time, or 16 where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void PaethRow(const uint8_t* here, const uint8_t* above,
                                                                size_t size, size_t pixel, uint8_t* out)
{
    for (size_t i = 0; i < size; ++i) {
        const int16_t left = here[i - pixel], up = above[i], upperLeft = above[i - pixel];
        const int16_t toLeft = int16_t(std::abs(up - upperLeft)), toUp = int16_t(std::abs(left - upperLeft)),
                      toUpperLeft = int16_t(std::abs(left + up - 2 * upperLeft));
        const int16_t predictor =
            toLeft <= toUp && toLeft <= toUpperLeft ? left : toUp <= toUpperLeft ? up : upperLeft;
        out[i] = uint8_t(here[i] - predictor);
    }
}

void PutBigEndian(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value >> 24);
    at[1] = uint8_t(value >> 16);
    at[2] = uint8_t(value >> 8);
    at[3] = uint8_t(value);
}

// What both ways of compressing share: the chunks, and the rows filtered one
// after another.
class TPngEncoder : public TImageEncoder {
protected:
    TPngEncoder(TFileOutput& out, int width, int height, bool alpha)
        : Width_(size_t(width)), Pixel_(alpha ? 4 : 3), RowBytes_(1 + Width_ * Pixel_), Out_(out),
          Here_(RowBytes_ - 1 + Pixel_, 0), Above_(Here_.size(), 0)
    {
        static constexpr uint8_t Signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Out_.Write(Signature, sizeof Signature);
        std::array<uint8_t, 13> header{};
        PutBigEndian(&header[0], uint32_t(width));
        PutBigEndian(&header[4], uint32_t(height));
        header[8] = 8;                // bits a channel
        header[9] = alpha ? 6 : 2;    // RGBA or RGB; compression, filtering, interlace 0
        Chunk("IHDR", header.data(), header.size());
    }

    // Filters the next row of the picture into out, RowBytes_ bytes: filter
    // type 4 (Paeth), then the row's bytes less their predictors.
    void Filter(const uint32_t* row, uint8_t* out)
    {
        uint8_t* here = Here_.data() + Pixel_;
        if (Pixel_ == 4)
            RowBytes<true>(row, Width_, here);
        else
            RowBytes<false>(row, Width_, here);
        out[0] = 4;
        PaethRow(here, Above_.data() + Pixel_, RowBytes_ - 1, Pixel_, out + 1);
        Here_.swap(Above_);
    }

    void Chunk(const char* type, const uint8_t* data, size_t size)
    {
        uint8_t head[8];
        PutBigEndian(head, uint32_t(size));
        std::copy_n(type, 4, head + 4);
        Out_.Write(head, 8);
        uint32_t crc = libdeflate_crc32(0, head + 4, 4);
        if (size > 0) {  // libdeflate_crc32 of no data at all starts again
            Out_.Write(data, size);
            crc = libdeflate_crc32(crc, data, size);
        }
        uint8_t tail[4];
        PutBigEndian(tail, crc);
        Out_.Write(tail, 4);
    }

    void End() { Chunk("IEND", nullptr, 0); }

    const size_t Width_;
    const size_t Pixel_;     // bytes a pixel: 3 or 4
    const size_t RowBytes_;  // a filtered row's

private:
    TFileOutput& Out_;
    // The bytes of the row being filtered and of the one above, each after a
    // pixel of zeros: the top row has zeros above, the first pixel to its left.
    std::vector<uint8_t> Here_, Above_;
};

struct TCompressor {
    int Level = -1;
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> Deflate{nullptr,
                                                                                         libdeflate_free_compressor};
};

// The picture filtered whole, then compressed at once. The buffers and the
// compressor are the last picture's.
class TWholePng : public TPngEncoder {
public:
    TWholePng(TFileOutput& out, int width, int height, bool alpha, int level)
        : TPngEncoder(out, width, height, alpha), Size_(RowBytes_ * size_t(height))
    {
        if (Compressor_->Level != level || !Compressor_->Deflate) {
            Compressor_->Deflate.reset(libdeflate_alloc_compressor(level));
            Compressor_->Level = level;
            if (!Compressor_->Deflate)
                throw TError("the PNG encoder cannot start: not enough memory");
        }
        ReusedSpace(*Filtered_, Size_);
    }

    void Put(int, int count, const uint32_t* rows) override
    {
        for (int y = 0; y < count; ++y, Done_ += RowBytes_)
            Filter(rows + size_t(y) * Width_, Filtered_->data() + Done_);
    }

    void Finish() override
    {
        libdeflate_compressor* deflate = Compressor_->Deflate.get();
        uint8_t* packed = ReusedSpace(*Packed_, libdeflate_zlib_compress_bound(deflate, Size_));
        const size_t size = libdeflate_zlib_compress(deflate, Filtered_->data(), Size_, packed, Packed_->size());
        if (size == 0)
            throw TError("the PNG encoder failed: the compressed picture is larger than its bound");
        Chunk("IDAT", packed, size);
        End();
    }

private:
    const size_t Size_;
    size_t Done_ = 0;
    TReused<TCompressor> Compressor_;
    TReused<std::vector<uint8_t>> Filtered_, Packed_;
};

// The picture filtered row by row into zlib's stream, and written an IDAT at
// a time.
class TStreamedPng : public TPngEncoder {
public:
    TStreamedPng(TFileOutput& out, int width, int height, bool alpha, int level)
        : TPngEncoder(out, width, height, alpha), Row_(RowBytes_), Idat_(size_t(1) << 18)
    {
        // Runs compress our pictures about as well as zlib's usual effort, in
        // a third of the time; levels above the default ask for that effort.
        const int strategy = level <= DefaultPngLevel ? Z_RLE : Z_DEFAULT_STRATEGY;
        if (deflateInit2(&Stream_, std::min(level, Z_BEST_COMPRESSION), Z_DEFLATED, 15, 8, strategy) != Z_OK)
            throw TError("the PNG encoder cannot start: not enough memory");
        Stream_.next_out = Idat_.data();
        Stream_.avail_out = uInt(Idat_.size());
    }

    ~TStreamedPng() override { deflateEnd(&Stream_); }

    void Put(int, int count, const uint32_t* rows) override
    {
        for (int y = 0; y < count; ++y) {
            Filter(rows + size_t(y) * Width_, Row_.data());
            Stream_.next_in = Row_.data();
            Stream_.avail_in = uInt(RowBytes_);
            Deflate(Z_NO_FLUSH);
        }
    }

    void Finish() override
    {
        Deflate(Z_FINISH);
        WriteIdat();
        End();
    }

private:
    // Compresses what is in, writing each IDAT that fills up.
    void Deflate(int flush)
    {
        for (;;) {
            const int result = deflate(&Stream_, flush);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
                throw TError("the PNG encoder failed: zlib error " + std::to_string(result));
            if (Stream_.avail_out != 0)
                return;
            WriteIdat();
        }
    }

    void WriteIdat()
    {
        Chunk("IDAT", Idat_.data(), Idat_.size() - Stream_.avail_out);
        Stream_.next_out = Idat_.data();
        Stream_.avail_out = uInt(Idat_.size());
    }

    z_stream Stream_{};
    std::vector<uint8_t> Row_, Idat_;
};

} // namespace

std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha, int level,
                                          size_t wholeBound)
{
    const size_t filtered = (1 + size_t(width) * (alpha ? 4 : 3)) * size_t(height);
    if (filtered <= wholeBound)
        return std::make_unique<TWholePng>(out, width, height, alpha, level);
    return std::make_unique<TStreamedPng>(out, width, height, alpha, level);
}

std::unique_ptr<TImageEncoder> PngEncoder(TFileOutput& out, int width, int height, bool alpha, int level)
{
    return PngEncoder(out, width, height, alpha, level, WholePictureBound);
}
