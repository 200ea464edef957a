#include "cover/CoverFile.h"

#include "platform/Error.h"
#include "tests/support/Unprivileged.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

// Records every change in the order it is handed over.
class TRecordingTarget : public TCoverTarget {
public:
    void SetImagePath(TCoverImage image, const std::string& name) override
    {
        Calls.push_back("image " + std::to_string(static_cast<int>(image)) + " " + name);
    }
    void SetOption(TCoverOption option, bool checked) override
    {
        Calls.push_back("option " + std::to_string(static_cast<int>(option)) + " " + (checked ? "on" : "off"));
    }
    void SetSize(TCoverSize size, int32_t value) override
    {
        Calls.push_back("size " + std::to_string(static_cast<int>(size)) + " " + std::to_string(value));
    }

    std::vector<std::string> Calls;
};

std::vector<std::string> ReadCalls(std::string_view text)
{
    TRecordingTarget target;
    ReadCoverText(text, target);
    return target.Calls;
}

std::string Slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

const TCoverState StartUpState{{"cover.jpg", "spine.jpg", "plain.jpg", "top.jpg", "floor.jpg"}, {}, {20, 30, 5}};

} // namespace

TEST(CoverFileRead, HandsOverEveryKeyInFileOrderWithTheDefaults)
{
    const std::vector<std::string> defaults{"image 0 ", "image 1 ", "image 2 ", "image 3 ", "image 4 ", "option 0 off",
                                            "option 1 off", "option 2 off", "option 3 off", "size 0 10",
                                            "size 1 10", "size 2 10"};
    EXPECT_EQ(ReadCalls(""), defaults);
    TRecordingTarget target;
    ReadCoverFile("/nonexistent/folder/box.cov", target);
    EXPECT_EQ(target.Calls, defaults);
}

TEST(CoverFileRead, ReadsTheValuesAUserWouldExpect)
{
    const std::vector<std::string> calls =
        ReadCalls("[properties]\nfloor=base.jpg\nCOVER = front.jpg\n[Options]\nBook=2\nFloor=yes\nBack=-1\nOpen=1\n"
                  "[sizes]\nwidth=0x1E\nHeight=$FFFFFFFF\nDepth=-5\n");
    EXPECT_EQ(calls, (std::vector<std::string>{"image 0 front.jpg", "image 1 ", "image 2 ", "image 3 ",
                                               "image 4 base.jpg", "option 0 on", "option 1 off", "option 2 on",
                                               "option 3 on", "size 0 30", "size 1 -1", "size 2 -5"}));
    EXPECT_EQ(ReadCalls("[Sizes]\nWidth=abc\nHeight=4294967296\nDepth=0x100000000\n").back(), "size 2 10");
    EXPECT_EQ(ReadCalls("[Sizes]\nWidth=abc\n")[9], "size 0 10");
    EXPECT_EQ(ReadCalls("[Sizes]\nHeight=4294967296\n")[10], "size 1 10");
}

TEST(CoverFileRead, AFileWithOnlySizesClearsEverythingElse)
{
    const std::vector<std::string> calls = ReadCalls("[Sizes]\r\nWidth=1\r\nHeight=0\r\nDepth=3\r\n");
    EXPECT_EQ(calls, (std::vector<std::string>{"image 0 ", "image 1 ", "image 2 ", "image 3 ", "image 4 ",
                                               "option 0 off", "option 1 off", "option 2 off", "option 3 off",
                                               "size 0 1", "size 1 0", "size 2 3"}));
}

TEST(CoverFileRead, DamagedFilesReadSafely)
{
    using namespace std::string_literals;
    const std::string longLine = "Cover=" + std::string(5000, 'c') + "\n";
    const std::string text = "\xEF\xBB\xBF\x01\x02\xff\0\n[Properties]\r"s + longLine + "Spine=s\0.jpg\r\n\x80\xfe\n"
                             "[Sizes]\rWidth=7"s;
    const std::vector<std::string> calls = ReadCalls(text);
    EXPECT_EQ(calls[0], "image 0 " + std::string(2047, 'c'));
    EXPECT_EQ(calls[1], "image 1 s\0.jpg"s);
    EXPECT_EQ(calls[9], "size 0 7");
}

TEST(CoverFileWrite, TheStartUpStateWritesTheUsualFileLineForLine)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    WriteCoverFile(path, StartUpState);
    EXPECT_EQ(Slurp(path), "[Properties]\nCover=cover.jpg\nSpine=spine.jpg\nPlain=plain.jpg\nTop=top.jpg\n"
                           "Floor=floor.jpg\n[Options]\nBook=0\nFloor=0\nBack=0\nOpen=0\n[Sizes]\nWidth=20\n"
                           "Height=30\nDepth=5\n");
}

TEST(CoverFileWrite, WritesOnlyBareNames)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    TCoverState state = StartUpState;
    state.ImagePaths = {"D:\\art\\front.jpg", "/home/ann/art/spine.jpg", "C:top.jpg", "art/x:y\\plain.jpg", "floor"};
    WriteCoverFile(path, state);
    TRecordingTarget target;
    ReadCoverFile(path, target);
    EXPECT_EQ(std::vector<std::string>(target.Calls.begin(), target.Calls.begin() + 5),
              (std::vector<std::string>{"image 0 front.jpg", "image 1 spine.jpg", "image 2 top.jpg",
                                        "image 3 plain.jpg", "image 4 floor"}));
}

TEST(CoverFileWrite, KeepsWhatItDoesNotKnowInItsOrder)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    std::ofstream(path) << "; my boxes\n[Sizes]\ndepth=1\nNote=keep\n[Mine]\na=b\n[options]\nBook=1\n"
                           "[Properties]\nShape=dvd\nBack=back.jpg\n";
    WriteCoverFile(path, StartUpState);
    // The renderer's own keys (CoverRendererKeys) stay as they are.
    EXPECT_EQ(Slurp(path), "; my boxes\n[Sizes]\ndepth=5\nNote=keep\nWidth=20\nHeight=30\n[Mine]\na=b\n"
                           "[options]\nBook=0\nFloor=0\nBack=0\nOpen=0\n[Properties]\nShape=dvd\nBack=back.jpg\n"
                           "Cover=cover.jpg\nSpine=spine.jpg\nPlain=plain.jpg\nTop=top.jpg\nFloor=floor.jpg\n");
}

TEST(CoverFileWrite, ANameThatWouldInjectKeysStopsTheSaveWithEarlierKeysKept)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    TCoverState state = StartUpState;
    state.ImagePaths[1] = "x.jpg\n[Sizes]\nWidth=999";
    try {
        WriteCoverFile(path, state);
        ADD_FAILURE() << "the save went through";
    } catch (const TError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
    }
    EXPECT_EQ(Slurp(path), "[Properties]\nCover=cover.jpg\n");
}

TEST(CoverFileWrite, AFileTheUserMayNotWriteOrReadStopsTheSaveAndStaysAsItWas)
{
    QTemporaryDir dir;
    const std::string readOnly = dir.filePath("read-only.cov").toStdString();
    const std::string hidden = dir.filePath("hidden.cov").toStdString();
    WriteReadOnlyFile(readOnly, "[Sizes]\nWidth=7\n");
    WriteReadOnlyFile(hidden, "[Sizes]\nWidth=7\n");
    chmod(hidden.c_str(), 0);
    HandToUnprivilegedUser(dir.path().toStdString());
    const std::string outcome = RunUnprivileged([&] {
        std::string seen;
        for (const std::string& path : {readOnly, hidden})
            seen += ErrorOf([&] { WriteCoverFile(path, StartUpState); }) + "\n";
        // The window reads what it cannot read as a file with no keys, without a word.
        TRecordingTarget target;
        ReadCoverFile(hidden, target);
        return seen + target.Calls[9];
    });
    EXPECT_EQ(outcome, "Unable to write to " + readOnly + "\nUnable to write to " + hidden + "\nsize 0 10");
    EXPECT_EQ(Slurp(readOnly), "[Sizes]\nWidth=7\n");
    EXPECT_EQ(Slurp(hidden), "[Sizes]\nWidth=7\n");
    struct stat info {};
    ASSERT_EQ(stat(readOnly.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST(CoverFileLocation, TheFolderEndsWithItsSeparatorAndImagesAreJoinedToIt)
{
    EXPECT_EQ(CoverFolderOf("/home/ann/boxes/game.cov"), "/home/ann/boxes/");
    EXPECT_EQ(CoverFolderOf("D:\\boxes\\game.cov"), "D:\\boxes\\");
    EXPECT_EQ(CoverFolderOf("D:game.cov"), "D:");
    EXPECT_EQ(CoverFolderOf("game.cov"), "");
    EXPECT_EQ(CoverImageLocation("/home/ann/boxes/", "front.jpg"), "/home/ann/boxes/front.jpg");
    EXPECT_EQ(CoverImageLocation("/home/ann/boxes/", ""), "/home/ann/boxes/");
    EXPECT_EQ(BareImageName("/a/b/"), "");
}
