#include "platform/Error.h"
#include "render/CoverScene.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CoverSetup : public testing::Test {
protected:
    std::string Write(const char* name, const QByteArray& text)
    {
        QFile file(Folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName().toStdString();
    }

    static std::string Failure(const std::string& path)
    {
        try {
            ReadCoverSetup(path);
        } catch (const TError& e) {
            return e.what();
        }
        return "read";
    }

    QTemporaryDir Folder;
};

} // namespace

TEST_F(CoverSetup, ReadsOptionsSizesAndTheShownImagesWithTheWindowsReader)
{
    const std::string cover = Write("a.cov", "[Properties]\nCover=c.jpg\nSpine=s.jpg\nPlain=p.bmp\nTop=t.jpg\n"
                                             "Floor=f.jpg\n[options]\nBook=2\nFloor=0\nBack=1\nOpen=1\n[Sizes]\n"
                                             "Width=0x1E\nDepth=-5\n");
    const TCoverSetup setup = ReadCoverSetup(cover);
    // Each name goes to its own slot, looked up in the cover file's folder.
    const std::string folder = Folder.path().toStdString() + "/";
    EXPECT_EQ(setup.ImageFiles, (std::array<std::string, FaceSlotCount>{folder + "c.jpg", folder + "s.jpg",
                                                                         folder + "t.jpg", folder + "f.jpg",
                                                                         folder + "p.bmp"}));
    EXPECT_EQ(setup.Box, (TBoxOptions{.Book = true, .LidOpen = true, .Floor = false}));
    EXPECT_TRUE(setup.ShowBackground);
    EXPECT_EQ(setup.Width, 30);
    EXPECT_EQ(setup.Height, 10);  // absent: the reader's default
    EXPECT_EQ(setup.Depth, -5);
}

TEST_F(CoverSetup, NeedsOnlyTheImagesThePictureShows)
{
    // The plain image shows only on an open lid, the floor image only on the
    // floor and the background; the others always.
    const QByteArray threeImages = "[Properties]\nCover=c.jpg\nSpine=s.jpg\nTop=t.jpg\n";
    const TCoverSetup closed = ReadCoverSetup(Write("closed.cov", threeImages));
    EXPECT_EQ(closed.ImageFiles[size_t(TFaceSlot::Plain)], "");
    EXPECT_EQ(closed.ImageFiles[size_t(TFaceSlot::Floor)], "");
    EXPECT_NE(closed.ImageFiles[size_t(TFaceSlot::Top)], "");
    // Names the picture does not need are not looked up either.
    const TCoverSetup named = ReadCoverSetup(Write("named.cov", threeImages + "Plain=p.jpg\nFloor=f.jpg\n"));
    EXPECT_EQ(named.ImageFiles[size_t(TFaceSlot::Plain)], "");
    EXPECT_EQ(named.ImageFiles[size_t(TFaceSlot::Floor)], "");

    EXPECT_EQ(Failure(Write("open.cov", threeImages + "[Options]\nOpen=1\n")),
              "no Plain image is named under [Properties]");
    EXPECT_EQ(Failure(Write("floor.cov", threeImages + "[Options]\nFloor=1\n")),
              "no Floor image is named under [Properties]");
    EXPECT_EQ(Failure(Write("back.cov", threeImages + "[Options]\nBack=1\n")),
              "no Floor image is named under [Properties]");
    EXPECT_EQ(Failure(Write("nospine.cov", "[Properties]\nCover=c.jpg\nTop=t.jpg\n")),
              "no Spine image is named under [Properties]");
}

TEST_F(CoverSetup, FailuresNameTheFileAndTheReason)
{
    const std::string missing = Folder.filePath("none.cov").toStdString();
    EXPECT_EQ(Failure(missing), "Cannot open file " + missing + ": No such file or directory");
    EXPECT_EQ(Failure(Folder.path().toStdString()),
              "Cannot open file " + Folder.path().toStdString() + ": not a regular file");
    // Binary rubbish names no image at all.
    EXPECT_EQ(Failure(Write("junk.cov", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))),
              "no Cover image is named under [Properties]");
}
