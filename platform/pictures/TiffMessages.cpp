#include "platform/pictures/TiffMessages.h"

#include <QtGlobal>
#include <cstdarg>
#include <cstdio>
#include <tiffio.h>

namespace {

void Forward(const char* module, const char* format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    if (module != nullptr)
        qWarning("%s: %s", module, text);
    else
        qWarning("%s", text);
}

} // namespace

void SendTiffMessagesToQt()
{
    TIFFSetWarningHandler(Forward);
    TIFFSetErrorHandler(Forward);
}
