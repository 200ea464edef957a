#include "platform/Error.h"
#include "snapshot/BmpFile.h"
#include "tests/snapshot/BitmapTestHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

void Patch32(std::string& data, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data[at + i] = static_cast<char>(value >> (8 * i));
}

void ExpectInvalid(const std::string& data)
{
    try {
        DecodeBmp(data);
        ADD_FAILURE() << "decoded";
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

} // namespace

TEST(Bitmap24, RowsArePaddedToFourBytesAndStartBlack)
{
    EXPECT_EQ(TBitmap24(1, 1).Stride(), 4u);
    EXPECT_EQ(TBitmap24(4, 1).Stride(), 12u);
    EXPECT_EQ(TBitmap24(950, 2).Stride(), 2852u);
    const TBitmap24 bitmap(3, 2);
    EXPECT_EQ(bitmap.Bytes(), std::vector<uint8_t>(24, 0));
    EXPECT_EQ(TBitmap24(0, 7).Bytes().size(), 0u);
}

TEST(Bitmap24, NegativeOrOversizedBitmapsRaiseBeforeAllocating)
{
    EXPECT_THROW(TBitmap24(-1, 5), TError);
    EXPECT_THROW(TBitmap24(5, -1), TError);
    EXPECT_THROW(TBitmap24(100000, 100000), TError);  // beyond a 4 GB file
    try {
        TBitmap24(-50, 878);
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), "Cannot make a bitmap of -50 x 878 pixels");
    }
}

TEST(BmpFile, HeadersAndRowsAreExactlyTheWindowsLayout)
{
    TBitmap24 bitmap(2, 2);
    SetPixel(bitmap, 0, 0, {1, 2, 3});  // top row
    SetPixel(bitmap, 1, 0, {4, 5, 6});
    SetPixel(bitmap, 0, 1, {7, 8, 9});  // bottom row
    SetPixel(bitmap, 1, 1, {10, 11, 12});
    const std::string expected = Bytes({
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // info header
        7, 8, 9, 10, 11, 12, 0, 0,                       // bottom row first, padded
        1, 2, 3, 4, 5, 6, 0, 0,
    });
    EXPECT_EQ(EncodeBmp(bitmap), expected);
    EXPECT_EQ(DecodeBmp(expected), bitmap);
}

TEST(BmpFile, RoundTripsEveryRowPadding)
{
    for (int width = 0; width <= 6; ++width)
        for (int height : {0, 1, 3}) {
            const TBitmap24 bitmap = PatternBitmap(width, height);
            const TBitmap24 back = DecodeBmp(EncodeBmp(bitmap));
            EXPECT_EQ(back, bitmap) << width << " x " << height;
            EXPECT_EQ(back.Width(), width);
            EXPECT_EQ(back.Height(), height);
        }
}

TEST(BmpFile, ReadsTopDownFilesAndLargerHeadersAndIgnoresPadding)
{
    const TBitmap24 bitmap = PatternBitmap(3, 4);
    std::string file = EncodeBmp(bitmap);
    // Top-down: negative height, rows in reading order.
    std::string topDown = file.substr(0, 54);
    Patch32(topDown, 22, static_cast<uint32_t>(-4));
    for (int y = 0; y < 4; ++y)
        topDown.append(file, 54 + (3 - y) * 12, 12);
    EXPECT_EQ(DecodeBmp(topDown), bitmap);

    // A 108-byte info header; pixels where the offset says; junk padding.
    std::string v4 = file.substr(0, 54) + std::string(68, '\x55') + file.substr(54);
    Patch32(v4, 10, 54 + 68);
    Patch32(v4, 14, 108);
    for (int y = 0; y < 4; ++y)
        for (int i = 9; i < 12; ++i)
            v4[122 + y * 12 + i] = '\x7f';
    EXPECT_EQ(DecodeBmp(v4), bitmap);
}

TEST(BmpFile, MalformedFilesAreRefused)
{
    const std::string good = EncodeBmp(PatternBitmap(3, 2));
    ExpectInvalid("");
    ExpectInvalid(good.substr(0, 53));
    ExpectInvalid(good.substr(0, good.size() - 1));  // pixels cut short
    std::string bad = good;
    bad[0] = 'P';
    ExpectInvalid(bad);
    for (auto [at, value] : std::initializer_list<std::pair<size_t, uint32_t>>{
             {10, 20},            // pixels inside the headers
             {10, 0xFFFFFFF0},    // pixels beyond the file
             {14, 12},            // an old 12-byte header
             {14, 0xFFFFFFFF},    // an info header larger than the file
             {18, 0xFFFFFFFF},    // negative width
             {18, 0x7FFFFFFF},    // width beyond the format
             {22, 0x80000000},    // the height that has no positive
             {22, 0x7FFFFFFF},    // more rows than the file holds
             {28, 32},            // 32 bits per pixel
             {30, 1}}) {          // run-length compressed
        bad = good;
        if (at == 28)
            bad[28] = static_cast<char>(value);
        else
            Patch32(bad, at, value);
        ExpectInvalid(bad);
    }
}

TEST(BmpFile, SaveAndLoadNameTheFileWhenTheyFail)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("snap.bmp").toStdString();
    const TBitmap24 bitmap = PatternBitmap(5, 3);
    SaveBitmapToFile(bitmap, path);
    EXPECT_EQ(LoadBitmapFromFile(path), bitmap);

    // A regular file where a folder should be: unwritable even for root.
    const std::string blocked = path + "/inner.bmp";
    try {
        SaveBitmapToFile(bitmap, blocked);
        ADD_FAILURE();
    } catch (const TError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + blocked + ": Not a directory");
    }
    EXPECT_EQ(LoadBitmapFromFile(path), bitmap);

    const std::string missing = dir.filePath("missing.bmp").toStdString();
    try {
        LoadBitmapFromFile(missing);
        ADD_FAILURE();
    } catch (const TError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file " + missing + ": ", 0), 0u) << e.what();
    }
}
