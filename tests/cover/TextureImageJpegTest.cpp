#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "tests/cover/ImageFileBuilders.h"

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
