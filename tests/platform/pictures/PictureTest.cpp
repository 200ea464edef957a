#include "platform/pictures/Picture.h"

#include "platform/Error.h"
#include "platform/pictures/Metafile.h"
#include "tests/platform/pictures/PictureTestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace picture_test;

namespace {

std::string LoadError(TPicture& picture, const std::string& path)
{
    try {
        picture.LoadFromFile(path);
    } catch (const TError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string DataError(TPicture& picture, const QByteArray& data, const std::string& extension)
{
    try {
        picture.LoadFromData(data, extension);
    } catch (const TError& e) {
        return e.what();
    }
    return "(no error)";
}

class PictureFiles : public ::testing::Test {
protected:
    std::string Write(const QString& name, const QByteArray& bytes)
    {
        WriteFile(Dir.filePath(name), bytes);
        return Dir.filePath(name).toStdString();
    }
    // A picture already holding a 3 x 5 bitmap, to see that failures keep it.
    TPicture Loaded()
    {
        TPicture picture;
        picture.LoadFromData(Encode(Solid(3, 5, qRgb(1, 2, 3)), "bmp"), "bmp");
        return picture;
    }
    static void ExpectKept(const TPicture& picture)
    {
        EXPECT_EQ(picture.Width(), 3);
        EXPECT_EQ(picture.Height(), 5);
    }
    QTemporaryDir Dir;
};

} // namespace

TEST_F(PictureFiles, EveryReaderIsChosenByExtensionInAnyCase)
{
    const QImage red = Solid(12, 7, qRgb(255, 0, 0));
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"a.bmp", Encode(red, "bmp")},   {"b.DIB", Encode(red, "bmp")},  {"c.jpg", Encode(red, "jpeg")},
        {"d.JpEg", Encode(red, "jpeg")}, {"e.Jpg", Encode(red, "jpeg")}, {"f.ico", Encode(red, "ico")},
        {"g.ICO", Encode(red, "ico")},
        {"h.wmf", WmfWithRectangle(12, 7, QRect(0, 0, 12, 7), qRgb(255, 0, 0))},
        {"i.WmF", WmfWithRectangle(12, 7, QRect(0, 0, 12, 7), qRgb(255, 0, 0))},
        {"j.EMF", EmfWithRectangle(12, 7, QRect(0, 0, 12, 7), qRgb(255, 0, 0))},
    };
    for (const auto& file : files) {
        TPicture picture;
        EXPECT_NO_THROW(picture.LoadFromFile(Write(file.name, file.bytes))) << file.name;
        EXPECT_FALSE(picture.Empty()) << file.name;
        EXPECT_EQ(picture.Width(), 12) << file.name;
        EXPECT_EQ(picture.Height(), 7) << file.name;
    }
}

TEST_F(PictureFiles, AnUnknownExtensionIsRefusedBeforeTheFileIsOpened)
{
    TPicture picture = Loaded();
    const std::string tga = Write("cover.tga", Encode(Solid(2, 2, 0), "bmp"));
    EXPECT_EQ(LoadError(picture, tga), "Unknown picture file extension (.tga)");
    EXPECT_EQ(LoadError(picture, "/no/such/folder/cover.TGA"), "Unknown picture file extension (.TGA)");
    EXPECT_EQ(LoadError(picture, Write("noextension", Encode(Solid(2, 2, 0), "bmp"))),
              "Unknown picture file extension (.)");
    EXPECT_EQ(LoadError(picture, "/a/b.jpg/plain"), "Unknown picture file extension (.)");
    EXPECT_EQ(LoadError(picture, Write("x.png", Encode(Solid(2, 2, 0), "png"))),
              "Unknown picture file extension (.png)");
    EXPECT_EQ(DataError(picture, Encode(Solid(2, 2, 0), "bmp"), "gif"), "Unknown picture file extension (.gif)");
    ExpectKept(picture);
}

TEST_F(PictureFiles, AFileThatCannotBeOpenedNamesItsPath)
{
    TPicture picture = Loaded();
    const std::string missing = Dir.filePath("missing.bmp").toStdString();
    EXPECT_EQ(LoadError(picture, missing), "Cannot open file " + missing);
    QDir(Dir.path()).mkdir("folder.jpg");
    const std::string folder = Dir.filePath("folder.jpg").toStdString();
    EXPECT_EQ(LoadError(picture, folder), "Cannot open file " + folder);
    ExpectKept(picture);
}

TEST_F(PictureFiles, DamagedFilesRaiseTheReadersMessageAndKeepThePicture)
{
    TPicture picture = Loaded();
    QByteArray jpeg = Encode(Solid(40, 40, qRgb(0, 0, 255)), "jpeg");
    jpeg.replace(2, 40, QByteArray(40, '\x55'));  // the segments after the start marker
    EXPECT_EQ(LoadError(picture, Write("damaged.jpg", jpeg)).rfind("JPEG image is not valid (", 0), 0u);
    QByteArray bmp = Encode(Solid(40, 40, qRgb(0, 0, 255)), "bmp");
    bmp[28] = 7;  // bits per pixel
    EXPECT_EQ(LoadError(picture, Write("damaged.bmp", bmp)).rfind("Bitmap image is not valid (", 0), 0u);
    EXPECT_EQ(LoadError(picture, Write("empty.ico", {})).rfind("Icon image is not valid (", 0), 0u);
    EXPECT_EQ(LoadError(picture, Write("junk.wmf", QByteArray(300, 'x'))), "Metafile is not valid");
    EXPECT_EQ(LoadError(picture, Write("junk.emf", QByteArray(300, 'x'))), "Metafile is not valid");
    EXPECT_EQ(LoadError(picture, Write("empty.emf", {})), "Metafile is not valid");
    EXPECT_EQ(LoadError(picture, Write("empty.wmf", {})), "Metafile is not valid");
    ExpectKept(picture);
}

TEST_F(PictureFiles, TheContentMustMatchTheExtension)
{
    TPicture picture = Loaded();
    const QByteArray jpeg = Encode(Solid(8, 8, 0), "jpeg");
    EXPECT_EQ(LoadError(picture, Write("really-a-jpeg.bmp", jpeg)).rfind("Bitmap image is not valid", 0), 0u);
    EXPECT_EQ(DataError(picture, Encode(Solid(8, 8, 0), "bmp"), "wmf"), "Metafile is not valid");
    ExpectKept(picture);
}

TEST_F(PictureFiles, AbsurdSizesAreRefusedBeforeAnythingIsAllocated)
{
    TPicture picture = Loaded();
    // A bitmap header that claims 20000 x 20000 pixels (past 2^28) and holds none of them.
    QByteArray header = Encode(Solid(1, 1, 0), "bmp").left(54);
    const int32_t side = 20000, topDown = -30000000;
    std::memcpy(header.data() + 18, &side, 4);
    std::memcpy(header.data() + 22, &side, 4);
    EXPECT_EQ(DataError(picture, header, "bmp"), "Bitmap image is not valid (20000 x 20000 pixels is too large)");
    // Stored top-down, 20000 x 30000000: the height is given negative.
    std::memcpy(header.data() + 22, &topDown, 4);
    EXPECT_EQ(DataError(picture, header, "bmp"), "Bitmap image is not valid (20000 x 30000000 pixels is too large)");
    // The old 12-byte header keeps its sides in 16 bits.
    const uint8_t core[] = {12, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    header.replace(14, 8, reinterpret_cast<const char*>(core), 8);
    EXPECT_EQ(DataError(picture, header, "dib"), "Bitmap image is not valid (65535 x 65535 pixels is too large)");
    ExpectKept(picture);

    // A metafile of 30000 x 15000 units at 96 per inch is drawn shrunk to the cap.
    picture.LoadFromData(WmfWithRectangle(30000, 15000, QRect(0, 0, 30000, 15000), qRgb(9, 9, 9)), "wmf");
    EXPECT_EQ(picture.Width(), kMaxMetafileSide);
    EXPECT_EQ(picture.Height(), kMaxMetafileSide / 2);
}

TEST(Picture, AMetafileIsDrawnAtItsOwnSizeAtNinetySixDotsPerInch)
{
    TPicture picture;
    // 1440 units per inch: 2880 x 1440 units is 2 x 1 inches.
    picture.LoadFromData(WmfWithRectangle(2880, 1440, QRect(0, 0, 2880, 1440), qRgb(0, 0, 0), 1440), "wmf");
    EXPECT_EQ(picture.Width(), 192);
    EXPECT_EQ(picture.Height(), 96);
}

TEST(Picture, AnIconIsReadFromItsLargestPicture)
{
    TPicture picture;
    picture.LoadFromData(IconWith({Solid(16, 16, 0), Solid(48, 40, 0), Solid(32, 32, 0)}), "ico");
    EXPECT_EQ(picture.Width(), 48);
    EXPECT_EQ(picture.Height(), 40);
}

namespace {
int g_messages = 0;
} // namespace

TEST(Picture, AnIconDirectoryCountBeyondTheFileIsRefusedWithoutWalkingIt)
{
    QByteArray icon = IconWith({Solid(16, 16, 0), Solid(24, 24, 0)});
    icon[4] = char(0xFF);  // 65535 entries claimed, two present
    icon[5] = char(0xFF);
    TPicture picture;
    g_messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {
        ++g_messages;
    });
    EXPECT_EQ(DataError(picture, icon, "ico"), "Icon image is not valid (Unable to read image data)");
    qInstallMessageHandler(previous);
    EXPECT_LT(g_messages, 10);  // not one complaint per claimed entry
}

TEST(Picture, StartsEmpty)
{
    TPicture picture;
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 0);
}
