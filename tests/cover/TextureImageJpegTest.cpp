#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "tests/cover/ImageFileBuilders.h"

#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jerror.h>

namespace {

const uint8_t Red[3] = {255, 0, 0};
const uint8_t Blue[3] = {0, 0, 255};

// The pixel at column x of buffer row `row` (0 is the first row in memory).
std::vector<int> At(const TTextureImage& image, int x, int row)
{
    const uint8_t* p = image.ImageData.get() + (size_t(row) * size_t(image.Width) + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}

void ExpectNear(const std::vector<int>& pixel, std::vector<int> expected)
{
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(pixel[i], expected[i], 3) << "channel " << i;
}

// The offset of the first byte after the marker 0xFF `marker` (its length field).
size_t MarkerPayload(const TBytes& jpeg, uint8_t marker)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return i + 2;
    ADD_FAILURE() << "no marker " << int(marker);
    return 0;
}

}  // namespace

TEST(TextureImageJpeg, ColourPictureComesOutBottomRowFirstAsOpaqueRgba)
{
    TTextureImage image;
    for (bool progressive : {false, true}) {
        const TBytes jpeg = JpegFile(24, 16, TJpegColours::Rgb, TwoBands(24, 16, Red, Blue), progressive);
        ASSERT_TRUE(image.LoadJpegFromMemory(jpeg.data(), jpeg.size()));
        EXPECT_EQ(image.Width, 24);
        EXPECT_EQ(image.Height, 16);
        EXPECT_EQ(image.BitsPerPixel, 32);
        ExpectNear(At(image, 0, 0), {0, 0, 255, 255});    // the picture's bottom row
        ExpectNear(At(image, 23, 15), {255, 0, 0, 255});  // its top row
    }
}

TEST(TextureImageJpeg, GreyscaleGivesEqualChannels)
{
    TTextureImage image;
    TBytes grey(16 * 8);
    for (size_t i = 0; i < grey.size(); ++i)
        grey[i] = i < grey.size() / 2 ? 200 : 40;
    const TBytes jpeg = JpegFile(16, 8, TJpegColours::Grey, grey);
    ASSERT_TRUE(image.LoadJpegFromMemory(jpeg.data(), jpeg.size()));
    for (int row : {0, 7}) {
        const std::vector<int> pixel = At(image, 3, row);
        EXPECT_EQ(pixel[0], pixel[1]);
        EXPECT_EQ(pixel[1], pixel[2]);
        EXPECT_EQ(pixel[3], 255);
        EXPECT_NEAR(pixel[0], row == 0 ? 40 : 200, 3);
    }
}

TEST(TextureImageJpeg, TruncatedDataDecodesWithOnlyAWarning)
{
    TTextureImage image;
    const TBytes jpeg = JpegFile(64, 64, TJpegColours::Rgb, TwoBands(64, 64, Red, Blue));
    const TBytes head(jpeg.begin(), jpeg.begin() + long(MarkerPayload(jpeg, 0xDA) + 40));
    ASSERT_TRUE(image.LoadJpegFromMemory(head.data(), head.size()));
    EXPECT_EQ(image.Width, 64);
    ExpectNear(At(image, 0, 63), {255, 0, 0, 255});  // the top survived
}

TEST(TextureImageJpeg, DataTheDecoderRejectsRaisesItsMessageCodeAndLeavesNoBuffer)
{
    TTextureImage image;
    TBytes jpeg = JpegFile(16, 16, TJpegColours::Rgb, TwoBands(16, 16, Red, Blue));
    // The scan's first component asks for Huffman tables 3, which were never defined.
    const size_t scan = MarkerPayload(jpeg, 0xDA);
    jpeg[scan + 4] = 0x33;
    try {
        image.LoadJpegFromMemory(jpeg.data(), jpeg.size());
        FAIL() << "no error";
    } catch (const TError& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(JERR_NO_HUFF_TABLE));
    }
    EXPECT_EQ(image.ImageData, nullptr);
}

TEST(TextureImageJpeg, DamageIsLibjpegsFirstComplaintBesidesAnEarlyEnd)
{
    const TBytes jpeg = JpegFile(64, 64, TJpegColours::Rgb, TwoBands(64, 64, Red, Blue));
    const size_t scan = MarkerPayload(jpeg, 0xDA);
    TBytes markerInData = jpeg, noTable = jpeg;
    // A marker in the middle of the data, whose length runs past the file's end.
    for (size_t i = 0; i < 4; ++i)
        markerInData[scan + 40 + i] = std::array<uint8_t, 4>{0xFF, 0xC4, 0xFF, 0xF0}[i];
    noTable[scan + 4] = 0x33;
    const std::pair<TBytes, std::string> cases[] = {
        {jpeg, ""},
        {TBytes(jpeg.begin(), jpeg.begin() + long(scan + 40)), ""},  // cut short
        {markerInData, "Corrupt JPEG data: premature end of data segment"},
        {noTable, "Huffman table 0x03 was not defined"},
        {TBytes{'B', 'M', 0, 0}, ""},
    };
    for (const auto& [bytes, damage] : cases)
        EXPECT_EQ(JpegDamage(bytes.data(), bytes.size()), damage);
}

TEST(TextureImageJpeg, UnreadableHeaderReturnsFalseQuietly)
{
    TTextureImage image;
    const TBytes jpeg = JpegFile(16, 16, TJpegColours::Rgb, TwoBands(16, 16, Red, Blue));
    const TBytes cut(jpeg.begin(), jpeg.begin() + long(MarkerPayload(jpeg, 0xC0)));  // inside the frame header
    const TBytes text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(image.LoadJpegFromMemory(cut.data(), cut.size()));
    EXPECT_FALSE(image.LoadJpegFromMemory(text.data(), text.size()));
    EXPECT_FALSE(image.LoadJpegFromMemory(jpeg.data(), 0));
    EXPECT_EQ(image.ImageData, nullptr);
}

TEST(TextureImageJpeg, AnySideIsReadWhileThePixelsFitTheBound)
{
    TTextureImage image;
    TBytes jpeg = JpegFile(16, 16, TJpegColours::Rgb, TwoBands(16, 16, Red, Blue));
    const size_t frame = MarkerPayload(jpeg, 0xC0);  // length, precision, height, width
    jpeg[frame + 3] = 0x00, jpeg[frame + 4] = 0x02;  // height 2
    jpeg[frame + 5] = 0x40, jpeg[frame + 6] = 0x01;  // width 16385
    ASSERT_TRUE(image.LoadJpegFromMemory(jpeg.data(), jpeg.size()));
    EXPECT_EQ(image.Width, 16385);
    EXPECT_EQ(image.Height, 2);
}

namespace {

// A smooth picture with detail every way: red along x, green along y, blue
// a ripple of both.
TBytes Gradient(int width, int height)
{
    TBytes pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            pixels.push_back(uint8_t(x * 255 / width));
            pixels.push_back(uint8_t(y * 255 / height));
            pixels.push_back(uint8_t(128 + 100 * std::sin(x / 23.0) * std::cos(y / 31.0)));
        }
    return pixels;
}

// The mean of the by x by pixels of `full` that one pixel of a picture
// reduced by `by` covers, channel c.
double Mean(const TTextureImage& full, int x, int row, int by, int c)
{
    double sum = 0;
    for (int dy = 0; dy < by; ++dy)
        for (int dx = 0; dx < by; ++dx)
            sum += At(full, x * by + dx, row * by + dy)[size_t(c)];
    return sum / (by * by);
}

}  // namespace

TEST(TextureImageJpeg, AReducedReadIsTheLargestReductionThatKeepsTheSizeAskedFor)
{
    const TBytes jpeg = JpegFile(200, 300, TJpegColours::Rgb, Gradient(200, 300));
    TTextureImage full;
    ASSERT_TRUE(full.LoadJpegFromMemory(jpeg.data(), jpeg.size()));
    struct TCase {
        int MinWidth, MinHeight, Width, Height;
    };
    // An eighth, a quarter or a half; libjpeg rounds a part up: an eighth of
    // 300 rows is 38. Nothing wanted: one pixel, nothing decoded.
    for (const TCase& c : {TCase{100, 150, 100, 150}, {100, 151, 200, 300}, {25, 1, 25, 38}, {26, 38, 50, 75},
                           {60, 100, 100, 150}, {150, 1, 200, 300}, {1, 76, 100, 150}, {1, 1, 25, 38},
                           {201, 1, 200, 300}, {0, 0, 1, 1}}) {
        TTextureImage image;
        ASSERT_TRUE(image.LoadJpegFromMemory(jpeg.data(), jpeg.size(), c.MinWidth, c.MinHeight));
        EXPECT_EQ(image.Width, c.Width) << c.MinWidth << " x " << c.MinHeight;
        EXPECT_EQ(image.Height, c.Height) << c.MinWidth << " x " << c.MinHeight;
        if (c.Width == 200) {  // not reduced: the picture of a whole read, byte for byte
            EXPECT_TRUE(std::equal(image.ImageData.get(), image.ImageData.get() + 200 * 300 * 4,
                                   full.ImageData.get()));
        }
    }
    // A quarter: each pixel near the mean of the 4 x 4 it stands for, bottom
    // row first as well, and the same bytes on every read.
    TTextureImage quarter, again;
    ASSERT_TRUE(quarter.LoadJpegFromMemory(jpeg.data(), jpeg.size(), 50, 75));
    ASSERT_TRUE(again.LoadJpegFromMemory(jpeg.data(), jpeg.size(), 50, 75));
    EXPECT_TRUE(std::equal(quarter.ImageData.get(), quarter.ImageData.get() + 50 * 75 * 4, again.ImageData.get()));
    double worst = 0;
    for (int row = 0; row < 75; ++row)
        for (int x = 0; x < 50; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(At(quarter, x, row)[size_t(c)] - Mean(full, x, row, 4, c)));
    EXPECT_LT(worst, 6.0);
    EXPECT_EQ(At(quarter, 0, 74)[3], 255);
}

TEST(TextureImageJpeg, AReducedReadOfInkIsTurnedIntoLightToo)
{
    TBytes ink;  // cyan only, stored inverted: a little light left in red
    for (int i = 0; i < 64 * 64; ++i)
        ink.insert(ink.end(), {55, 255, 255, 255});
    const TBytes jpeg = JpegFile(64, 64, TJpegColours::Cmyk, ink);
    TTextureImage image;
    ASSERT_TRUE(image.LoadJpegFromMemory(jpeg.data(), jpeg.size(), 8, 8));
    EXPECT_EQ(image.Width, 8);
    ExpectNear(At(image, 3, 3), {55, 255, 255, 255});
}
