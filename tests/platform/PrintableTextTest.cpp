#include "platform/PrintableText.h"

#include "platform/Error.h"
#include "platform/ErrorReport.h"

#include <gtest/gtest.h>

TEST(PrintableText, KeepsUtf8AndEscapesEveryOtherByteAndControlCharacters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Cannot open file box.cov", "Cannot open file box.cov"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xA6", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x93\xA6"},  // é € 📦
        {"caf\xE9.jpg", "caf\\xE9.jpg"},                                 // Latin-1
        {"a\nb\tc\x1B[2Jd\x7F", "a\\x0Ab\\x09c\\x1B[2Jd\\x7F"},         // controls
        {"\xC3", "\\xC3"},                                               // cut short
        {"\xC3\xA9\xA9", "\xC3\xA9\\xA9"},                               // a stray continuation
        {"\xC0\xAF \xE0\x80\xAF", "\\xC0\\xAF \\xE0\\x80\\xAF"},         // overlong forms of /
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                             // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},                    // past U+10FFFF
        {std::string("nul\0", 4), "nul\\x00"},
    };
    for (const auto& [text, printable] : cases)
        EXPECT_EQ(Printable(text), printable) << text;
}

TEST(PrintableText, TheWindowsErrorReportEscapesBytesAndKeepsItsLines)
{
    QString reported;
    const TErrorReporter previous = SetErrorReporter([&](const QString& message) { reported = message; });
    RunGuarded([] { throw TError("System Error.  Code: 2.\nNo such file or directory: caf\xE9.cov"); });
    SetErrorReporter(previous);
    EXPECT_EQ(reported, "System Error.  Code: 2.\nNo such file or directory: caf\\xE9.cov");
}
