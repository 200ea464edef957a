#include "platform/pictures/TiffMessages.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <tiffio.h>
#include <vector>

namespace {

std::vector<std::string> Said;

void Keep(QtMsgType, const QMessageLogContext&, const QString& message)
{
    Said.push_back(message.toStdString());
}

} // namespace

TEST(TiffMessages, LibtiffsWarningsAndErrorsGoToQtsMessageHandler)
{
    SendTiffMessagesToQt();
    const QtMessageHandler previous = qInstallMessageHandler(Keep);
    TIFFWarning("TIFFReadDirectory", "Unknown field with tag %d (0x%x) encountered", 50000, 50000);
    TIFFError("TIFFFillStrip", "Read error on strip %u", 3u);
    TIFFWarning(nullptr, "no module");
    qInstallMessageHandler(previous);
    EXPECT_EQ(Said, (std::vector<std::string>{"TIFFReadDirectory: Unknown field with tag 50000 (0xc350) encountered",
                                              "TIFFFillStrip: Read error on strip 3", "no module"}));
}
