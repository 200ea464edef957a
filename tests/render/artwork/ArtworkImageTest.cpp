// Face images of every format, read as the renderer reads them, and the
// files it refuses, each with the file's name and the reason.
#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "render/artwork/ArtworkImage.h"
#include "render/artwork/FacePixels.h"
#include "tests/cover/ImageFileBuilders.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace {

// A picture of four quarters: red and green above, blue and a see-through
// quarter below.
QImage Quarters()
{
    QImage image(16, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, y < 4 ? (x < 8 ? qRgb(220, 0, 0) : qRgb(0, 220, 0))
                                       : (x < 8 ? qRgb(0, 0, 220) : qRgba(0, 0, 0, 0)));
    return image;
}

TBytes Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return TBytes(bytes.begin(), bytes.end());
}

// The pixel (x, y) counted from the top, as the renderer holds it.
TRgba At(const TTextureImage& texture, int x, int y)
{
    const uint8_t* p = texture.ImageData.get() + (size_t(texture.Height - 1 - y) * size_t(texture.Width) + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}

void ExpectNear(const TRgba& colour, const TRgba& expected, int tolerance, const std::string& what)
{
    for (size_t c = 0; c < 4; ++c)
        EXPECT_NEAR(colour[c], expected[c], tolerance) << what << ", channel " << c;
}

std::string Failure(const std::string& fileName)
{
    try {
        ReadArtworkImage(fileName);
    } catch (const TError& e) {
        return e.what();
    }
    return "read";
}

uint32_t Crc32(const TBytes& bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (const uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    return ~crc;
}

void PutBigEndian(TBytes& file, uint32_t word)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        file.push_back(uint8_t(word >> shift));
}

void PutChunk(TBytes& file, const char* type, const TBytes& data)
{
    TBytes chunk(type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    PutBigEndian(file, uint32_t(data.size()));
    file.insert(file.end(), chunk.begin(), chunk.end());
    PutBigEndian(file, Crc32(chunk));
}

// A PNG whose header claims width x height pixels, with an empty image behind it.
TBytes ClaimingPng(uint32_t width, uint32_t height)
{
    TBytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    PutChunk(file, "IEND", {});
    return file;
}

const TRgba Red{220, 0, 0, 255}, Green{0, 220, 0, 255}, Blue{0, 0, 220, 255}, Clear{0, 0, 0, 0};

} // namespace

TEST(ArtworkImage, EveryFormatGivesItsPictureTheBottomRowFirst)
{
    TTempFolder folder;
    const std::pair<const char*, const char*> formats[] = {
        {"png", "front.png"}, {"webp", "front.webp"}, {"tiff", "front.tif"}, {"bmp", "front.bmp"},
        {"jpeg", "front.jpeg"}, {"jpeg", "front.jpg"}, {"png", "front-with-no-extension"}};
    for (const auto& [format, name] : formats) {
        SCOPED_TRACE(name);
        const std::string path = folder.Write(name, Encoded(Quarters(), format));
        const std::unique_ptr<TTextureImage> texture = ReadArtworkImage(path);
        ASSERT_EQ(texture->Width, 16);
        ASSERT_EQ(texture->Height, 8);
        const bool lossy = std::string(format) == "jpeg";
        const bool alpha = std::string(format) != "jpeg" && std::string(format) != "bmp";
        ExpectNear(At(*texture, 2, 1), Red, lossy ? 12 : 0, "top left");
        ExpectNear(At(*texture, 13, 2), Green, lossy ? 12 : 0, "top right");
        ExpectNear(At(*texture, 2, 6), Blue, lossy ? 12 : 0, "bottom left");
        // The see-through quarter: kept where the format keeps alpha; a
        // bitmap, as the window reads it, is opaque.
        EXPECT_EQ(At(*texture, 13, 6)[3], alpha ? 0 : 255);
    }
    // Qt writes no GIF: one white pixel made by hand.
    const std::string gif =
        folder.Write("dot.gif", {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF,
                                 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C,
                                 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00,
                                 0x3B});
    EXPECT_EQ(At(*ReadArtworkImage(gif), 0, 0), (TRgba{255, 255, 255, 255}));
}

TEST(ArtworkImage, BitmapsOfWideColourFieldsReadThroughQtsReaderToo)
{
    for (const TWideFieldBmp& layout : WideFieldBmps) {
        SCOPED_TRACE(layout.Name);
        const TBytes bytes = layout.Bytes();
        const auto texture =
            DecodeArtworkImage(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), "front");
        const uint32_t probe = layout.Probe;
        EXPECT_EQ(At(*texture, 3, 0), (TRgba{uint8_t(probe >> 16), uint8_t(probe >> 8), uint8_t(probe), 255}));
    }
}

TEST(ArtworkImage, PrintArtworkInCmykReadsTheSameThroughEitherReader)
{
    TTempFolder folder;
    // Adobe's CMYK keeps ink inverted: full magenta ink alone.
    TBytes ink;
    for (int i = 0; i < 8 * 8; ++i)
        ink.insert(ink.end(), {255, 0, 255, 255});
    const TBytes jpeg = JpegFile(8, 8, TJpegColours::Cmyk, ink);
    for (const char* name : {"print.jpg", "print.jpeg"})
        ExpectNear(At(*ReadArtworkImage(folder.Write(name, jpeg)), 4, 4), {255, 0, 255, 255}, 4, name);
}

TEST(ArtworkImage, RefusesWhatHoldsNoWholePictureNamingTheFile)
{
    TTempFolder folder;
    const std::string missing = folder.Path("missing.png");
    EXPECT_EQ(Failure(missing), "Cannot open file " + missing + ": No such file or directory");
    EXPECT_EQ(Failure(folder.Path("")), "Cannot open file " + folder.Path("") + ": not a regular file");
    const std::string text = folder.Write("notes.png", {'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_EQ(Failure(text), "Cannot read picture " + text +
                                 ": it is no picture of a format this program reads (PNG, JPEG, WebP, TIFF, GIF, BMP, ...)");
    const std::string huge = folder.Write("huge.png", ClaimingPng(100000, 100000));
    EXPECT_EQ(Failure(huge), "Cannot read picture " + huge + " (100000 x 100000 pixels is too large)");

    // Cut short or damaged, in each format and through either reader.
    for (const auto& [format, name] : {std::pair{"png", "cut.png"}, std::pair{"jpeg", "cut.jpeg"},
                                       std::pair{"jpeg", "cut.jpg"}, std::pair{"webp", "cut.webp"},
                                       std::pair{"bmp", "cut.bmp"}}) {
        TBytes file = Encoded(Quarters().scaled(64, 64), format);
        file.resize(file.size() * 2 / 3);
        const std::string path = folder.Write(name, file);
        EXPECT_TRUE(Failure(path).starts_with("Cannot read picture " + path + ": ")) << Failure(path);
    }
    TBytes damaged = Encoded(Quarters().scaled(64, 64), "png");
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 16; ++i)
        damaged[i] = 0xFF;
    const std::string path = folder.Write("damaged.png", damaged);
    EXPECT_TRUE(Failure(path).starts_with("Cannot read picture " + path + ": ")) << Failure(path);
    const std::string jpeg = folder.Write("cut2.jpg", Encoded(Quarters(), "jpeg"));
    EXPECT_EQ(Failure(jpeg), "read");
    // libtiff's complaints about a file cut short are the report's, not the terminal's.
    TBytes tiff = Encoded(Quarters().scaled(64, 64), "tiff");
    tiff.resize(tiff.size() / 2);
    const std::string halfTiff = folder.Write("half.tif", tiff);
    EXPECT_NE(Failure(halfTiff).find("TIFFReadDirectory: Failed to read directory"), std::string::npos) << Failure(halfTiff);
    // A JPEG cut short, and one with a marker in the middle of its data that
    // sends the walk past its end: libjpeg's own words for that damage.
    TBytes marked = Encoded(Quarters().scaled(64, 64), "jpeg");
    const uint8_t scan[] = {0xFF, 0xDA};
    const auto data = std::search(marked.begin(), marked.end(), std::begin(scan), std::end(scan)) + 40;
    const std::string cut = folder.Write("half.jpg", TBytes(marked.begin(), data));
    std::copy_n("\xFF\xC4\xFF\xF0", 4, data);
    const std::string marker = folder.Write("marked.jpg", marked);
    EXPECT_EQ(Failure(cut), "Cannot read picture " + cut + ": the file ends before its picture does (is it cut short?)");
    EXPECT_EQ(Failure(marker), "Cannot read picture " + marker + ": Corrupt JPEG data: premature end of data segment");
}
