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

TEST_F(CoverSetup, ReadsNamesOptionsAndSizesWithTheWindowsReader)
{
    const TCoverSetup setup = ReadCoverSetup(Write("a.cov", "[Properties]\nCover=c.jpg\nSpine=s.jpg\nPlain=p.bmp\n"
                                                            "Top=t.jpg\nFloor=f.jpg\n[options]\nBook=2\nFloor=0\n"
                                                            "Back=1\nOpen=1\n[Sizes]\nWidth=0x1E\nDepth=-5\n"));
    EXPECT_EQ(setup.ImageNames, (std::array<std::string, 5>{"c.jpg", "s.jpg", "p.bmp", "t.jpg", "f.jpg"}));
    EXPECT_TRUE(setup.Box.Book);
    EXPECT_FALSE(setup.Box.Floor);
    EXPECT_TRUE(setup.ShowBackground);
    EXPECT_TRUE(setup.Box.LidOpen);
    EXPECT_EQ(setup.Width, 30);
    EXPECT_EQ(setup.Height, 10);  // absent: the reader's default
    EXPECT_EQ(setup.Depth, -5);
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
    EXPECT_EQ(Failure(Write("noplain.cov", "[Properties]\nCover=c.jpg\nSpine=s.jpg\nTop=t.jpg\nFloor=f.jpg\n")),
              "no Plain image is named under [Properties]");
}
