#include "platform/ProfileIni.h"

#include "platform/Error.h"

#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string Read(std::string_view text, std::string_view section, std::string_view key)
{
    TProfileKey wanted{section, key, {}};
    ReadProfileKeys(text, {&wanted, 1});
    return std::string(wanted.Value.value_or("<default>"));
}

std::string Write(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    return WriteProfileText(text, section, key, value).value_or("<refused>");
}

std::string Slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Put(const std::string& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(ProfileIniRead, FindsKeysOnlyInTheirSectionWhateverTheCaseAndBlanks)
{
    const std::string text = "Width=1\n[Options]\nFloor=1\n[sizes]\n  width  =  \t30 \t\nHEIGHT=\n[Other]\nDepth=4\n";
    EXPECT_EQ(Read(text, "Sizes", "Width"), "30");
    EXPECT_EQ(Read(text, "Sizes", "Height"), "");
    EXPECT_EQ(Read(text, "Sizes", "Depth"), "<default>");
    EXPECT_EQ(Read(text, "Properties", "Floor"), "<default>");
    EXPECT_EQ(Read(text, "Options", "Floor"), "1");
    EXPECT_EQ(Read(text, "Other", "depth"), "4");
}

TEST(ProfileIniRead, ManyKeysReadInOnePassAsEachAlone)
{
    const std::string text = "[A]\nx=1\n[B]\nx=2\ny=3\n[a]\nz=4\n[C]\n";
    std::array<TProfileKey, 6> keys{{{"A", "x", {}}, {"b", "X", {}}, {"B", "y", {}}, {"A", "z", {}}, {"C", "x", {}},
                                     {"D", "x", "stale"}}};
    ReadProfileKeys(text, keys);
    for (const TProfileKey& key : keys)
        EXPECT_EQ(key.Value.value_or("<default>"), Read(text, key.Section, key.Key)) << key.Section << key.Key;
    EXPECT_EQ(keys[1].Value, "2");
    EXPECT_EQ(keys[3].Value, std::nullopt);
    EXPECT_EQ(keys[5].Value, std::nullopt);
}

TEST(ProfileIniRead, EveryLineEndingEndsALineAndAByteOrderMarkIsSkipped)
{
    for (const char* text : {"[S]\nA=1\nB=2", "[S]\r\nA=1\r\nB=2\r\n", "[S]\rA=1\rB=2\r", "\xEF\xBB\xBF[S]\nA=1\r\nB=2"}) {
        EXPECT_EQ(Read(text, "S", "A"), "1") << text;
        EXPECT_EQ(Read(text, "S", "B"), "2") << text;
    }
}

TEST(ProfileIniRead, CommentsJunkAndDuplicatesFollowTheFirstOccurrence)
{
    const std::string text = "[S]\n;A=comment\n  ; B=comment\nnot a key\n=orphan\n[broken\nA=first\nA=second\n"
                             "[T]\nC=1\n[S]\nB=later\n";
    EXPECT_EQ(Read(text, "S", "A"), "first");
    EXPECT_EQ(Read(text, "S", "B"), "<default>");
    EXPECT_EQ(Read(text, "S", ""), "<default>");
    EXPECT_EQ(Read(text, "T", "C"), "1");
}

TEST(ProfileIniRead, ACommentIndentedWithBlanksIsNeitherAKeyNorAPlaceForOne)
{
    const std::string text = "[S]\nA=1\n \t;B=commented\n";
    EXPECT_EQ(Read(text, "S", ";B"), "<default>");
    EXPECT_EQ(Write(text, "S", "C", "3"), "[S]\nA=1\nC=3\n \t;B=commented\n");
}

TEST(ProfileIniRead, ValuesAreCutAtTheLimitAndTheRestOfTheLineIsNeverALine)
{
    const std::string value(MaxProfileValueLength, 'v');
    const std::string text = "[S]\nA=" + value + "[T]\nB=1\nC=  " + value + "w  \n";
    EXPECT_EQ(Read(text, "S", "A"), value);
    EXPECT_EQ(Read(text, "S", "B"), "1");
    EXPECT_EQ(Read(text, "T", "B"), "<default>");
    EXPECT_EQ(Read(text, "S", "C"), value);
}

TEST(ProfileIniRead, NulBytesAndBinaryJunkEndNothingAndBreakNothing)
{
    using namespace std::string_view_literals;
    const std::string_view text = "[S]\nA=x\0y\n\0\xff\xfe[S]\x01\n\x80=\x81\nB=2\n"sv;
    EXPECT_EQ(Read(text, "S", "A"), "x\0y"sv);
    EXPECT_EQ(Read(text, "S", "B"), "2");
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) >> 3);
    EXPECT_EQ(Read(junk + "\n[S]\nB=3", "S", "B"), "3");
    EXPECT_EQ(Write(junk, "S", "B", "4").substr(0, junk.size()), junk);
}

TEST(ProfileIniWrite, ReplacesAKeyInPlaceKeepingItsSpellingAndEveryOtherLine)
{
    const std::string text = "; mine\n[sizes]\n  width = 7 \r\nExtra=x\n[Sizes]\nWidth=9\n";
    EXPECT_EQ(Write(text, "Sizes", "Width", "20"), "; mine\n[sizes]\n  width=20\r\nExtra=x\n[Sizes]\nWidth=9\n");
}

TEST(ProfileIniWrite, AddsAMissingKeyAfterTheLastKeyOfItsSection)
{
    EXPECT_EQ(Write("[A]\nx=1\n; note\n\n[B]\ny=2\n", "a", "z", "3"), "[A]\nx=1\nz=3\n; note\n\n[B]\ny=2\n");
    EXPECT_EQ(Write("[A]\r\n[B]\r\n", "A", "z", "3"), "[A]\r\nz=3\r\n[B]\r\n");
    EXPECT_EQ(Write("[A]\rx=1", "A", "z", "3"), "[A]\rx=1\rz=3\r");
    EXPECT_EQ(Write("[A]\rx=1\r", "A", "z", "3"), "[A]\rx=1\rz=3\r");
    EXPECT_EQ(Write("\r", "A", "z", "3"), "\r[A]\rz=3\r");
}

TEST(ProfileIniWrite, AddsAMissingSectionAtTheEnd)
{
    EXPECT_EQ(Write("", "Sizes", "Width", "20"), "[Sizes]\nWidth=20\n");
    EXPECT_EQ(Write("\xEF\xBB\xBF", "S", "A", "1"), "\xEF\xBB\xBF[S]\nA=1\n");
    EXPECT_EQ(Write("[A]\r\nx=1", "S", "A", "1"), "[A]\r\nx=1\r\n[S]\r\nA=1\r\n");
    EXPECT_EQ(Write("junk", "S", "A", "1"), "junk\n[S]\nA=1\n");
}

TEST(ProfileIniWrite, RefusesWhatWouldNotReadBackAsWritten)
{
    using namespace std::string_view_literals;
    for (const std::string_view value : {"a\nB=1"sv, "a\rb"sv, "a\0b"sv})
        EXPECT_EQ(WriteProfileText("[S]\n", "S", "A", value), std::nullopt);
    for (const std::string_view section : {""sv, "S]"sv, "S\n[T"sv, " S"sv, "S\0"sv})
        EXPECT_EQ(WriteProfileText("", section, "A", "1"), std::nullopt);
    for (const std::string_view key : {"", "A=B", ";A", "[A", "A ", "A\nB"})
        EXPECT_EQ(WriteProfileText("", "S", key, "1"), std::nullopt);
    EXPECT_EQ(Write("", "S", "A", "=[x];y "), "[S]\nA==[x];y \n");
}

TEST(ProfileIniFile, CreatesAndUpdatesAFileAtomically)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    WriteProfileString(path, "Sizes", "Width", "20");
    WriteProfileString(path, "Sizes", "Width", "21");
    WriteProfileString(path, "Options", "Book", "1");
    EXPECT_EQ(Slurp(path), "[Sizes]\nWidth=21\n[Options]\nBook=1\n");
    EXPECT_EQ(ReadProfileFile(path), Slurp(path));
}

TEST(ProfileIniFile, AFailedWriteSaysWhereAndLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    Put(path, "[S]\nA=1\n");
    const auto expectRefused = [](const std::string& target, std::string_view value) {
        try {
            WriteProfileString(target, "S", "A", value);
            ADD_FAILURE() << "no error for " << target;
        } catch (const TError& e) {
            EXPECT_STREQ(e.what(), ("Unable to write to " + target).c_str());
        }
    };
    expectRefused(path, "2\n[T]");
    expectRefused(dir.filePath("missing/box.cov").toStdString(), "2");
    expectRefused(dir.path().toStdString(), "2");
    EXPECT_EQ(Slurp(path), "[S]\nA=1\n");

    // Too large to be a cover file: neither read nor rewritten, so nothing is cut off.
    const std::string big = "[S]\nA=1\n" + std::string(MaxProfileFileSize, ';');
    Put(path, big);
    expectRefused(path, "2");
    EXPECT_EQ(Slurp(path), big);

}

TEST(ProfileIniFile, AFileThatCannotBeReadSaysWhy)
{
    QTemporaryDir dir;
    const auto readError = [](const std::string& path) {
        try {
            ReadProfileFile(path);
            return std::string("read");
        } catch (const TInOutError& e) {
            return std::string(e.what()) + " (" + std::to_string(e.Code()) + ")";
        }
    };
    const std::string missing = dir.filePath("missing.cov").toStdString();
    EXPECT_EQ(readError(missing), "Cannot open file " + missing + ": No such file or directory (2)");
    // A named pipe neither blocks nor is read.
    const std::string pipe = dir.filePath("pipe.cov").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readError(pipe), "Cannot open file " + pipe + ": not a regular file (0)");
    const std::string big = dir.filePath("big.cov").toStdString();
    Put(big, std::string(MaxProfileFileSize + 1, ';'));
    EXPECT_EQ(readError(big), "Cannot open file " + big + ": larger than 1048576 bytes (27)");
    Put(big, std::string(MaxProfileFileSize, ';'));
    EXPECT_EQ(ReadProfileFile(big).size(), MaxProfileFileSize);
}
