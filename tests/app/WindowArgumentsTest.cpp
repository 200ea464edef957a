// The window program's command line: a cover file, --help and --version, and
// Qt's own options passed on untouched.
#include "app/WindowArguments.h"

#include <gtest/gtest.h>

namespace {

using TArgs = std::vector<std::string>;

TWindowArguments Parse(const TArgs& args)
{
    return ParseWindowArguments(args);
}

std::string Problem(const TArgs& args)
{
    const TWindowArguments parsed = Parse(args);
    EXPECT_EQ(parsed.Action, TWindowAction::Refuse);
    return parsed.Problem;
}

} // namespace

TEST(WindowArguments, NothingStartsTheWindowWithoutACoverFile)
{
    const TWindowArguments parsed = Parse({});
    EXPECT_EQ(parsed.Action, TWindowAction::Run);
    EXPECT_FALSE(parsed.CoverFile);
    EXPECT_TRUE(parsed.QtArguments.empty());
}

TEST(WindowArguments, TheCoverFileIsTakenAsGiven)
{
    EXPECT_EQ(Parse({"../covers/my box.cov"}).CoverFile, "../covers/my box.cov");
    EXPECT_EQ(Parse({"-"}).CoverFile, "-");
    // After "--" every argument is a name, even one that looks like an option.
    EXPECT_EQ(Parse({"--", "-x.cov"}).CoverFile, "-x.cov");
    EXPECT_EQ(Parse({"--", "--help"}).CoverFile, "--help");
    EXPECT_EQ(Parse({"--", "-platform"}).Action, TWindowAction::Run);
    EXPECT_TRUE(Parse({"--", "-platform"}).QtArguments.empty());
}

TEST(WindowArguments, HelpAndVersionAnswerWhateverFollows)
{
    EXPECT_EQ(Parse({"--help"}).Action, TWindowAction::Help);
    EXPECT_EQ(Parse({"-h", "--bogus"}).Action, TWindowAction::Help);
    EXPECT_EQ(Parse({"box.cov", "--version", "two.cov"}).Action, TWindowAction::Version);
    EXPECT_EQ(Parse({"-platform", "offscreen", "--version"}).Action, TWindowAction::Version);
}

TEST(WindowArguments, QtOptionsPassOnWithTheirValues)
{
    const TWindowArguments parsed =
        Parse({"-platform", "offscreen", "box.cov", "--style", "fusion", "-reverse", "-stylesheet=a.qss",
               "-qwindowtitle", "-dashed title"});
    EXPECT_EQ(parsed.Action, TWindowAction::Run);
    EXPECT_EQ(parsed.CoverFile, "box.cov");
    EXPECT_EQ(parsed.QtArguments, (TArgs{"-platform", "offscreen", "--style", "fusion", "-reverse",
                                         "-stylesheet=a.qss", "-qwindowtitle", "-dashed title"}));
}

TEST(WindowArguments, MistakesAreNamed)
{
    EXPECT_EQ(Problem({"-x"}), "unknown option -x");
    EXPECT_EQ(Problem({"--bogus", "--help"}), "unknown option --bogus");
    EXPECT_EQ(Problem({"-platformx", "xcb"}), "unknown option -platformx");
    EXPECT_EQ(Problem({"-platform=xcb"}), "unknown option -platform=xcb");  // Qt takes the value apart only
    EXPECT_EQ(Problem({"box.cov", "-platform"}), "option -platform needs a value");
    EXPECT_EQ(Problem({"a.cov", "b.cov"}), "give one cover file at most, not a.cov and b.cov");
    EXPECT_EQ(Problem({"--", "a.cov", "-b.cov"}), "give one cover file at most, not a.cov and -b.cov");
    EXPECT_EQ(Problem({""}), "the cover file's name is empty");
}
