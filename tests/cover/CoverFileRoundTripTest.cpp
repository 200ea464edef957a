#include "cover/CoverFile.h"

#include "platform/ProfileIni.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

// A bare name that a cover file can hold: any bytes but line breaks, NUL and
// separators, no blanks at either end, at most 2047 long.
std::string OddName(std::mt19937& random)
{
    static const std::string plain = "aZ09._-=[];#\"' \t{}$%&()~!,+";
    const size_t length = random() % 8 == 0 ? random() % 2048 : random() % 24;
    std::string name;
    while (name.size() < length) {
        const char c = random() % 3 == 0 ? static_cast<char>(random() % 256) : plain[random() % plain.size()];
        if (std::string_view("\r\n\\/:", 5).find(c) == std::string_view::npos && c != '\0')
            name += c;
    }
    if (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.front() = 'f';
    if (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.back() = 'b';
    return name;
}

TCoverState RandomState(std::mt19937& random)
{
    std::uniform_int_distribution<int32_t> anySize(INT32_MIN, INT32_MAX);
    TCoverState state;
    for (std::string& name : state.ImagePaths)
        name = OddName(random);
    for (bool& option : state.Options)
        option = random() % 2;
    for (int32_t& size : state.Sizes)
        size = random() % 4 == 0 ? anySize(random) : static_cast<int32_t>(random() % 41) - 20;
    return state;
}

} // namespace

TEST(CoverFileRoundTrip, AnyStateWrittenIntoAnyTextReadsBackTheSame)
{
    std::mt19937 random(20240607);
    std::string text;
    for (int round = 0; round < 2000; ++round) {
        // Mostly over the previous round's keys; now and then into a fresh or a foreign text.
        if (round % 50 == 0)
            text.clear();
        else if (round % 50 == 25)
            text = "\xEF\xBB\xBF; foreign\r\n[sizes]\r\nwidth = 1\r\n[Other]\r\nTop=x\r\n[Options]";
        const TCoverState state = RandomState(random);
        for (const TCoverEntry& entry : CoverFileEntries(state))
            text = WriteProfileText(text, entry.Section, entry.Key, entry.Value).value();
        ASSERT_EQ(ReadCoverState(text), state) << "round " << round;
    }
}

TEST(CoverFileRoundTrip, AStateSavedToAFileOpensTheSame)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    std::mt19937 random(7);
    for (int round = 0; round < 4; ++round) {
        const TCoverState state = RandomState(random);
        WriteCoverFile(path, state);
        ASSERT_EQ(ReadCoverState(ReadProfileFile(path)), state) << "round " << round;
    }
}

TEST(CoverFileRoundTrip, BlanksAroundANameAreDroppedAsInAnyIniFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("box.cov").toStdString();
    TCoverState state;
    state.ImagePaths[0] = " front.jpg\t";
    state.Sizes = {INT32_MIN, INT32_MAX, 0};
    WriteCoverFile(path, state);
    const TCoverState read = ReadCoverState(ReadProfileFile(path));
    EXPECT_EQ(read.ImagePaths[0], "front.jpg");
    EXPECT_EQ(read.Sizes, state.Sizes);
}
