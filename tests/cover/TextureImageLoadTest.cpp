#include "cover/TextureImage.h"
#include "platform/Error.h"
#include "tests/cover/ImageFileBuilders.h"
#include "tests/support/Unprivileged.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const uint8_t Green[3] = {0, 255, 0};

TBytes SmallBmp()
{
    TBmpBuilder bmp;
    bmp.Pixels = {1, 2, 3, 0};
    return bmp.Bytes();
}

TBytes SmallJpeg()
{
    return JpegFile(8, 8, TJpegColours::Rgb, TwoBands(8, 8, Green, Green));
}

int OpenDescriptors()
{
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (readdir(folder))
        ++count;
    closedir(folder);
    return count;
}

}  // namespace

TEST(TextureImageLoad, ExtensionChoosesTheReaderInAnyCase)
{
    TTempFolder folder;
    TTextureImage image;
    for (const char* name : {"a.jpg", "b.JPG", "c.Jpg", "d.e.jpg"}) {
        EXPECT_TRUE(image.LoadImage(folder.Write(name, SmallJpeg()))) << name;
        EXPECT_EQ(image.Width, 8);
    }
    for (const char* name : {"a.bmp", "b.BMP", "c.Bmp"})
        EXPECT_TRUE(image.LoadImage(folder.Write(name, SmallBmp()))) << name;
    // The other picture kinds of the window, and names without an extension.
    for (const char* name : {"a.jpeg", "b.dib", "c.ico", "d.wmf", "e.emf", "jpg", "f.jpg.txt"}) {
        EXPECT_FALSE(image.LoadImage(folder.Write(name, SmallJpeg()))) << name;
        EXPECT_EQ(image.ImageData, nullptr);
    }
    EXPECT_FALSE(image.LoadImage(folder.Write("bmp", SmallBmp())));
    ASSERT_EQ(mkdir(folder.Path("x.bmp").c_str(), 0700), 0);
    EXPECT_FALSE(image.LoadImage(folder.Write("x.bmp/plain", SmallBmp())));  // the dot is before the separator
}

TEST(TextureImageLoad, MissingFilesAndFoldersReturnFalse)
{
    TTempFolder folder;
    TTextureImage image;
    ASSERT_TRUE(image.LoadImage(folder.Write("a.bmp", SmallBmp())));
    EXPECT_FALSE(image.LoadImage(folder.Path("missing.bmp")));
    EXPECT_EQ(image.ImageData, nullptr);
    EXPECT_FALSE(image.LoadImage(folder.Path("missing.jpg")));
    ASSERT_EQ(mkdir(folder.Path("folder.jpg").c_str(), 0700), 0);
    EXPECT_FALSE(image.LoadImage(folder.Path("folder.jpg")));
}

TEST(TextureImageLoad, FileWithoutReadPermissionRaisesAccessDenied)
{
    TTempFolder folder;
    ASSERT_EQ(chmod(folder.Dir.path().toLocal8Bit().constData(), 0755), 0);
    for (const char* name : {"locked.bmp", "locked.jpg"}) {
        const std::string path = folder.Write(name, SmallBmp());
        ASSERT_EQ(chmod(path.c_str(), 0), 0);
        // Root reads everything, so the load runs in a child without root's rights.
        EXPECT_EQ(RunUnprivileged([&] { return ErrorOf([&] { TTextureImage().LoadImage(path); }); }),
                  "File access denied")
            << name;
    }
}

TEST(TextureImageLoad, TheFileIsClosedOnEveryPath)
{
    TTempFolder folder;
    TTextureImage image;
    TBytes badScan = SmallJpeg();
    for (size_t i = 0; i + 1 < badScan.size(); ++i)
        if (badScan[i] == 0xFF && badScan[i + 1] == 0xDA) {
            badScan[i + 6] = 0x33;  // Huffman tables that do not exist
            break;
        }
    const std::string ok = folder.Write("ok.jpg", SmallJpeg());
    const std::string notJpeg = folder.Write("text.jpg", {'t', 'e', 'x', 't'});
    const std::string raising = folder.Write("bad.jpg", badScan);
    const std::string shortBmp = folder.Write("short.bmp", {'B', 'M', 0});
    const std::string notBmp = folder.Write("text.bmp", TBytes(60, 'x'));
    const int before = OpenDescriptors();
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(image.LoadImage(ok));
        EXPECT_FALSE(image.LoadImage(notJpeg));
        EXPECT_THROW(image.LoadImage(raising), TError);
        EXPECT_THROW(image.LoadImage(shortBmp), TInOutError);
        EXPECT_FALSE(image.LoadImage(notBmp));
    }
    EXPECT_EQ(OpenDescriptors(), before);
}
