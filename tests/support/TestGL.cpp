#include "tests/support/TestGL.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

std::unique_ptr<TQtContext> MakeTestContext(int width, int height)
{
    std::string reason;
    std::unique_ptr<TQtContext> context = MakeQtContext(width, height, reason);
    if (!context)
        ReportNoGL(reason);
    return context;
}

void ReportNoGL(const std::string& reason)
{
    const char* allowed = std::getenv("PLENAMAR_ALLOW_NO_GL");
    if (allowed && std::strcmp(allowed, "1") == 0)
        GTEST_SKIP() << reason << " (skipped: PLENAMAR_ALLOW_NO_GL=1)";
    FAIL() << reason << " (set PLENAMAR_ALLOW_NO_GL=1 to skip the tests that need OpenGL instead)";
}
