#include "platform/Reused.h"
#include "render/picture/ImageFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>
#include <random>
#include <set>

namespace {

// Noise over a gradient, in every channel and, with alpha, every alpha from
// 0 up: each of Paeth's three predictors wins somewhere.
std::vector<uint32_t> Picture(int width, int height, bool alpha)
{
    std::mt19937 random(uint32_t(width * 7919 + height));
    std::vector<uint32_t> words(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t noise = random() & 0x0F0F0F0F;
            const uint32_t ramp = uint32_t(x * 3 + y) & 0xF0;
            words[size_t(y) * size_t(width) + size_t(x)] =
                (alpha ? (random() & 0xFF000000) : 0xFF000000) | ((ramp << 16 | ramp << 8 | (255 - ramp)) ^ noise);
        }
    return words;
}

struct TReadBack {
    bool Alpha = false;
    std::vector<uint32_t> Words;  // 0xAARRGGBB
};

TReadBack ReadWithLibpng(const std::string& path, int width, int height)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        ADD_FAILURE() << image.message;
    EXPECT_EQ(int(image.width), width);
    EXPECT_EQ(int(image.height), height);
    TReadBack back{(image.format & PNG_FORMAT_FLAG_ALPHA) != 0, {}};
    image.format = PNG_FORMAT_BGRA;  // the words' bytes on a little-endian machine
    back.Words.resize(size_t(width) * size_t(height));
    if (!png_image_finish_read(&image, nullptr, back.Words.data(), 0, nullptr))
        ADD_FAILURE() << image.message;
    return back;
}

} // namespace

TEST(PngEncoder, GivesBackExactlyThePixelsWholeOrStreamedAtEveryLevel)
{
    struct TCase {
        int Width, Height;
        bool Alpha;
        int Strip;          // rows a Put
        int Level;
        size_t WholeBound;  // 0: every picture is streamed
    };
    const TCase cases[] = {
        {1, 1, false, 1, DefaultPngLevel, size_t(1) << 20},
        {1, 1, true, 1, DefaultPngLevel, 0},
        {7, 5, false, 2, 1, size_t(1) << 20},
        {13, 9, true, 4, 0, size_t(1) << 20},
        {13, 9, true, 3, MaxPngLevel, 0},
        {13, 9, false, 9, 0, 0},
        {301, 40, false, 7, DefaultPngLevel, 0},
        // Larger than one IDAT of the stream.
        {400, 300, true, 64, DefaultPngLevel, 0},
        {400, 300, true, 64, MaxPngLevel, size_t(1) << 20},
    };
    QTemporaryDir folder;
    const std::string path = folder.filePath("a b.png").toStdString();
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << (c.Alpha ? " RGBA" : " RGB") << " level "
                                        << c.Level << " bound " << c.WholeBound);
        const std::vector<uint32_t> words = Picture(c.Width, c.Height, c.Alpha);
        WriteEncodedFile(
            path, c.Width,
            [&](TFileOutput& out) { return PngEncoder(out, c.Width, c.Height, c.Alpha, c.Level, c.WholeBound); },
            [&](TPictureRows& rows) {
                for (int y = 0; y < c.Height; y += c.Strip)
                    rows.Put(y, std::min(c.Strip, c.Height - y), words.data() + size_t(y) * size_t(c.Width));
            });
        const TReadBack back = ReadWithLibpng(path, c.Width, c.Height);
        EXPECT_EQ(back.Alpha, c.Alpha);
        EXPECT_EQ(back.Words, words);
    }
}

TEST(Reused, TheNextTakesTheBufferTheLastLeftAndTwoAtOnceHaveTheirOwn)
{
    const int* first = nullptr;
    const int* second = nullptr;
    {
        TReused<std::vector<int>> one, two;
        one->resize(1000);
        two->resize(2000);
        EXPECT_NE(one->data(), two->data());
        first = one->data();
        second = two->data();
    }
    TReused<std::vector<int>> again, andAgain;
    EXPECT_EQ(std::set<const int*>({again->data(), andAgain->data()}), std::set<const int*>({first, second}));
    EXPECT_EQ(ReusedSpace(*again, 10), again->data());
    EXPECT_GE(again->size(), 1000u);
}
