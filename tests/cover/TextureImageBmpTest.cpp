#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "platform/pictures/Picture.h"
#include "tests/cover/ImageFileBuilders.h"

#include <QPainter>
#include <climits>
#include <tuple>
#include <gtest/gtest.h>

namespace {

// The pixel buffer as 0xRRGGBBAA values, first row first.
std::vector<uint32_t> Pixels(const TTextureImage& image)
{
    std::vector<uint32_t> pixels;
    const uint8_t* p = image.ImageData.get();
    for (int i = 0; i < image.Width * image.Height; ++i, p += 4)
        pixels.push_back(uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]);
    return pixels;
}

bool Load(TTextureImage& image, const TBmpBuilder& bmp)
{
    const TBytes bytes = bmp.Bytes();
    return image.LoadBmpFromMemory(bytes.data(), bytes.size());
}

// A 16-bit file with the given masks and one row of words.
TBmpBuilder Bmp16(std::vector<uint32_t> masks, std::vector<uint16_t> words)
{
    TBmpBuilder bmp;
    bmp.Bits = 16;
    bmp.Width = int32_t(words.size());
    bmp.Compression = masks.empty() ? 0 : 3;
    bmp.Masks = std::move(masks);
    for (uint16_t word : words)
        PutWord(bmp.Pixels, word);
    bmp.Pixels.resize((bmp.Pixels.size() + 3) / 4 * 4, 0);
    return bmp;
}

// A one-row 4-bit file of the given width whose palette has `entries`
// entries, entry i being (red i, green 2i, blue 3i).
TBmpBuilder Bmp4(int32_t width, uint32_t entries, TBytes row)
{
    TBmpBuilder bmp;
    bmp.Bits = 4;
    bmp.Width = width;
    bmp.ColoursUsed = entries == 16 ? 0 : entries;
    for (uint32_t i = 0; i < entries; ++i)
        bmp.Palette.insert(bmp.Palette.end(), {uint8_t(3 * i), uint8_t(2 * i), uint8_t(i), 0});
    bmp.Pixels = std::move(row);
    return bmp;
}

TBmpBuilder Bmp32(int32_t width, int32_t height, TBytes pixels)
{
    TBmpBuilder bmp;
    bmp.Bits = 32;
    bmp.Width = width;
    bmp.Height = height;
    bmp.Pixels = std::move(pixels);
    return bmp;
}

TBmpBuilder Bmp24(int32_t width, int32_t height)
{
    TBmpBuilder bmp;
    bmp.Width = width;
    bmp.Height = height;
    bmp.Pixels.assign(size_t((width * 3 + 3) / 4 * 4 * std::abs(height)), 0x40);
    return bmp;
}

}  // namespace

TEST(TextureImageBmp, TwentyFourBitRowsSkipTheirPaddingAndKeepFileOrder)
{
    TTextureImage image;
    TBmpBuilder bmp;
    bmp.Width = 3;
    bmp.Height = 2;
    // Rows of 9 bytes padded to 12; blue, green, red per pixel.
    bmp.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,
                  10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(image.Width, 3);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.BitsPerPixel, 32);
    EXPECT_EQ(image.ImageSize, 24);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x030201FF, 0x060504FF, 0x090807FF,
                                                    0x0C0B0AFF, 0x0F0E0DFF, 0x121110FF}));

    bmp.Width = 5;
    bmp.Height = 3;
    bmp.Pixels.clear();
    for (uint8_t row = 0; row < 3; ++row) {
        for (uint8_t x = 0; x < 5; ++x)
            bmp.Pixels.insert(bmp.Pixels.end(), {x, row, 0x80});
        bmp.Pixels.push_back(0xEE);  // 15 bytes padded to 16
    }
    ASSERT_TRUE(Load(image, bmp));
    const std::vector<uint32_t> pixels = Pixels(image);
    ASSERT_EQ(pixels.size(), 15u);
    for (uint32_t row = 0; row < 3; ++row)
        for (uint32_t x = 0; x < 5; ++x)
            EXPECT_EQ(pixels[row * 5 + x], 0x80000000u | row << 16 | x << 8 | 0xFF) << row << "," << x;
}

TEST(TextureImageBmp, TopDownFileKeepsItsRowOrderAndStoresTheHeightsMagnitude)
{
    TTextureImage image;
    TBmpBuilder bmp;
    bmp.Height = -2;
    bmp.Pixels = {0, 0, 0xAA, 0, 0, 0xBB, 0, 0};
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xAA0000FF, 0x00BB00FF}));
}

TEST(TextureImageBmp, ThirtyTwoBitSwapsRedAndBlueAndIsOpaque)
{
    TTextureImage image;
    TBmpBuilder bmp = Bmp32(2, 1, {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0});
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x302010FF, 0x605040FF}));
    bmp.Compression = 3;  // bit fields with the standard masks: the same layout
    bmp.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x302010FF, 0x605040FF}));
}

TEST(TextureImageBmp, ThirtyTwoBitReadsItsPixelsWhateverASmallerImageSizeFieldSays)
{
    TTextureImage image;
    TBmpBuilder bmp = Bmp32(2, 2, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0});
    for (uint32_t field : {1u, 15u, 16u}) {
        bmp.ImageSizeField = field;
        ASSERT_TRUE(Load(image, bmp)) << field;
        EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x030201FF, 0x060504FF, 0x090807FF, 0x0C0B0AFF}));
    }
    bmp.ImageSizeField = 17;  // one byte more than the file holds
    EXPECT_FALSE(Load(image, bmp));
    bmp.ImageSizeField = 0;
    bmp.Pixels.resize(15);  // the file must still hold the pixels
    EXPECT_FALSE(Load(image, bmp));
}

TEST(TextureImageBmp, ThirtyTwoBitHonoursItsColourMasksAndStaysOpaque)
{
    TTextureImage image;
    // One pixel 0x11223344, stored least significant byte first.
    const auto load = [&](std::vector<uint32_t> masks, uint32_t infoSize = 40) {
        TBmpBuilder bmp = Bmp32(1, 1, {0x44, 0x33, 0x22, 0x11});
        bmp.Compression = 3;
        bmp.InfoSize = infoSize;
        bmp.Masks = std::move(masks);
        return Load(image, bmp) ? Pixels(image) : std::vector<uint32_t>{};
    };
    EXPECT_EQ(load({0xFF0000, 0x00FF00, 0x0000FF}), std::vector<uint32_t>{0x223344FF});
    EXPECT_EQ(load({0x0000FF, 0x00FF00, 0xFF0000}), std::vector<uint32_t>{0x443322FF});            // x-b-g-r
    EXPECT_EQ(load({0xFF000000, 0x00FF0000, 0x0000FF00}), std::vector<uint32_t>{0x112233FF});      // r-g-b-x
    EXPECT_EQ(load({0xFF000000, 0x00FF0000, 0x0000FF00}, 52), std::vector<uint32_t>{0x112233FF});  // 52-byte header
    // A 56-byte header adds an alpha mask after them, which is not used.
    EXPECT_EQ(load({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 56), std::vector<uint32_t>{0x223344FF});
    // Narrow masks widen by bit replication: red 0x1 of 4 bits, green 0x8 of 6 bits, no blue.
    EXPECT_EQ(load({0x0F000000, 0x00FC0000, 0}), std::vector<uint32_t>{0x112000FF});
    // Overlapping, or a field that is not one run of bits: refused.
    EXPECT_EQ(load({0xFF0000, 0x00FF00, 0x00FF00}), std::vector<uint32_t>{});
    EXPECT_EQ(load({0xFF0000, 0x00F00F, 0x000F00}), std::vector<uint32_t>{});
    EXPECT_EQ(image.ImageData, nullptr);
}

TEST(TextureImageBmp, ThirtyTwoBitFieldsOfAnyWidthGiveEightBitsOnTheBoxAndInThePreview)
{
    for (const TWideFieldBmp& layout : WideFieldBmps) {
        SCOPED_TRACE(layout.Name);
        const TBytes bytes = layout.Bytes();
        TTextureImage image;
        ASSERT_TRUE(image.LoadBmpFromMemory(bytes.data(), bytes.size()));
        EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF0000FF, 0x00FF00FF, 0x0000FFFF, layout.Probe << 8 | 0xFF}));
        // The picture store's preview, read by Qt's reader, shows the same.
        TPicture picture;
        picture.LoadFromData(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), "bmp");
        QImage drawn(4, 1, QImage::Format_RGB32);
        QPainter painter(&drawn);
        picture.StretchDraw(painter, QRectF(0, 0, 4, 1));
        for (const auto& [x, rgb] : {std::pair{0, 0xFF0000u}, {1, 0x00FF00u}, {2, 0x0000FFu}, {3, layout.Probe}})
            EXPECT_EQ(drawn.pixel(x, 0) & 0xFFFFFF, rgb) << x;
    }
}

TEST(TextureImageBmp, EightBitMapsEveryIndexThroughItsPalette)
{
    TTextureImage image;
    TBmpBuilder bmp;
    bmp.Bits = 8;
    bmp.Width = 256;
    bmp.ColoursUsed = 256;
    for (int i = 0; i < 256; ++i) {
        bmp.Palette.insert(bmp.Palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0x77});
        bmp.Pixels.push_back(uint8_t(255 - i));
    }
    ASSERT_TRUE(Load(image, bmp));
    const std::vector<uint32_t> pixels = Pixels(image);
    for (uint32_t x = 0; x < 256; ++x) {
        const uint32_t i = 255 - x;
        EXPECT_EQ(pixels[x], (i / 2) << 24 | (255 - i) << 16 | i << 8 | 0xFF) << x;
    }
}

TEST(TextureImageBmp, FourBitOddWidthTakesTheLastPixelFromAHighNibble)
{
    TTextureImage image;
    TBmpBuilder bmp = Bmp4(3, 16, {0x12, 0x3F, 0, 0,   // the low nibble F is past the row
                                   0x45, 0x6F, 0, 0});  // the second row starts on a new byte
    bmp.Height = 2;
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x010203FF, 0x020406FF, 0x030609FF,
                                                    0x04080CFF, 0x050A0FFF, 0x060C12FF}));
}

TEST(TextureImageBmp, PaletteSizeFollowsColoursUsedAndOutOfRangeIndicesAreBlack)
{
    TTextureImage image;
    // Colours used 0 means all 16 entries are present.
    ASSERT_TRUE(Load(image, Bmp4(2, 16, {0xF1, 0, 0, 0})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x0F1E2DFF, 0x010203FF}));
    // Two entries, index 9 past them: black, even after a load that filled entry 9.
    ASSERT_TRUE(Load(image, Bmp4(2, 2, {0x19, 0, 0, 0})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x010203FF, 0x000000FF}));
    // More entries than 4 bits can index are read; more than the table holds are refused.
    ASSERT_TRUE(Load(image, Bmp4(2, 20, {0xF1, 0, 0, 0})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x0F1E2DFF, 0x010203FF}));
    TBmpBuilder bmp;
    bmp.Bits = 8;
    bmp.ColoursUsed = 257;
    bmp.Palette.assign(257 * 4, 0);
    bmp.Pixels = {0, 0, 0, 0};
    EXPECT_FALSE(Load(image, bmp));
    EXPECT_EQ(image.ImageData, nullptr);
    // A palette cut short by the end of the file.
    bmp.ColoursUsed = 200;
    bmp.Palette.assign(10 * 4, 0);
    bmp.Pixels.clear();
    EXPECT_FALSE(Load(image, bmp));
}

TEST(TextureImageBmp, SixteenBitExpandsEachMaskedComponentByBitReplication)
{
    TTextureImage image;
    ASSERT_TRUE(Load(image, Bmp16({0xF800, 0x07E0, 0x001F}, {0xF800, 0x0821, 0xFFFF})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF0000FF, 0x080408FF, 0xFFFFFFFF}));
    // Without bit fields: 5-5-5.
    ASSERT_TRUE(Load(image, Bmp16({}, {0x7C00, 0x03E0, 0x001F, 0x0421})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0x080808FF}));
    // Blue above red (its mask not at bit 0) and a zero green mask.
    ASSERT_TRUE(Load(image, Bmp16({0x001F, 0, 0xF800}, {0xF81F, 0x0800})));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF00FFFF, 0x000008FF}));
    // Overlapping, beyond the 16-bit word, or wider than 8 bits: refused.
    EXPECT_FALSE(Load(image, Bmp16({0xF800, 0x0FE0, 0x001F}, {0})));
    EXPECT_FALSE(Load(image, Bmp16({0x1F0000, 0x07E0, 0x001F}, {0})));
    EXPECT_FALSE(Load(image, Bmp16({0xFF80, 0x0060, 0x001F}, {0})));
    EXPECT_EQ(image.ImageData, nullptr);
}

TEST(TextureImageBmp, LongerInfoHeaderKeepsMasksAtFortyAndPaletteAfterTheHeader)
{
    TTextureImage image;
    TBmpBuilder bmp = Bmp16({0xF800, 0x07E0, 0x001F}, {0xF800});
    bmp.InfoSize = 124;
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF0000FF}));

    bmp = Bmp4(1, 2, {0x10, 0, 0, 0});
    bmp.InfoSize = 108;
    ASSERT_TRUE(Load(image, bmp));
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0x010203FF}));
}

TEST(TextureImageBmp, UnsupportedKindsReturnFalse)
{
    TTextureImage image;
    for (uint32_t compression : {1u, 2u, 4u}) {
        TBmpBuilder bmp = Bmp24(2, 2);
        bmp.Compression = compression;
        EXPECT_FALSE(Load(image, bmp)) << compression;
    }
    for (uint16_t bits : {1, 2, 15, 48}) {
        TBmpBuilder bmp = Bmp24(2, 2);
        bmp.Bits = bits;
        bmp.Palette.assign(2 * 4, 0);
        EXPECT_FALSE(Load(image, bmp)) << bits;
    }
    TBmpBuilder core = Bmp24(2, 2);
    core.InfoSize = 12;  // the old core header
    EXPECT_FALSE(Load(image, core));
    TBytes notBmp = Bmp24(2, 2).Bytes();
    notBmp[1] = 'A';
    EXPECT_FALSE(image.LoadBmpFromMemory(notBmp.data(), notBmp.size()));
}

TEST(TextureImageBmp, AnySideIsReadWhileThePixelsFitTheBound)
{
    TTextureImage image;
    ASSERT_TRUE(Load(image, Bmp24(16385, 1)));
    EXPECT_EQ(image.Width, 16385);
    ASSERT_TRUE(Load(image, Bmp24(1, -16385)));
    EXPECT_EQ(image.Height, 16385);
}

TEST(TextureImageBmp, MalformedSizesAreRefusedBeforeAnyAllocation)
{
    TTextureImage image;
    for (auto [width, height] : {std::pair{0, 2}, {-3, 2}, {2, 0}}) {
        TBmpBuilder bmp = Bmp24(2, 2);
        bmp.Width = width;
        bmp.Height = height;
        EXPECT_FALSE(Load(image, bmp)) << width << " x " << height;
    }
    // Past 2^28 pixels (1 GiB of pixel buffer), whatever the sides.
    const std::tuple<int32_t, int32_t, const char*> tooLarge[] = {
        {16385, 16384, "16385 x 16384"}, {(1 << 28) + 1, 1, "268435457 x 1"}, {2, INT_MIN, "2 x 2147483648"},
        {INT_MAX, -INT_MAX, "2147483647 x 2147483647"}};
    for (auto [width, height, text] : tooLarge) {
        TBmpBuilder bmp = Bmp24(2, 2);
        bmp.Width = width;
        bmp.Height = height;
        try {
            Load(image, bmp);
            ADD_FAILURE() << text << " did not raise";
        } catch (const TError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Bitmap image is not valid (") + text + " pixels is too large)");
        }
    }
    // The largest accepted size, but with nothing behind its headers.
    TBmpBuilder huge = Bmp24(1, 1);
    huge.Width = huge.Height = 16384;
    huge.Bits = 32;
    EXPECT_FALSE(Load(image, huge));

    TBmpBuilder bmp = Bmp24(3, 2);
    bmp.ImageSizeField = 23;  // the rows need 24
    EXPECT_FALSE(Load(image, bmp));
    bmp.ImageSizeField = 28;  // more than the file holds
    EXPECT_FALSE(Load(image, bmp));
    bmp.ImageSizeField = 0x80000000u;
    EXPECT_FALSE(Load(image, bmp));
    bmp.ImageSizeField = 24;
    bmp.PixelOffset = 1000;  // outside the file
    EXPECT_FALSE(Load(image, bmp));
    bmp.PixelOffset = 0xFFFFFFFFu;
    EXPECT_FALSE(Load(image, bmp));
    bmp.PixelOffset = 60;  // six bytes short at the end
    EXPECT_FALSE(Load(image, bmp));
    EXPECT_EQ(image.ImageData, nullptr);
    bmp.PixelOffset = 50;  // into the header is allowed: the bytes are there
    EXPECT_TRUE(Load(image, bmp));
}

TEST(TextureImageBmp, FileTooShortForItsHeadersOrMasksRaises)
{
    TTextureImage image;
    const TBytes full = Bmp16({0xF800, 0x07E0, 0x001F}, {0}).Bytes();
    for (size_t size : {size_t(0), size_t(13), size_t(14), size_t(53), size_t(65)}) {
        try {
            image.LoadBmpFromMemory(full.data(), size);
            ADD_FAILURE() << size << " bytes did not raise";
        } catch (const TInOutError& e) {
            EXPECT_STREQ(e.what(), "Read beyond end of file");
        }
    }
    EXPECT_TRUE(image.LoadBmpFromMemory(full.data(), full.size()));
}
