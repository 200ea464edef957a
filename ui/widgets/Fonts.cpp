#include "ui/widgets/Fonts.h"

namespace {

QFont PixelFont(const char* family, int pixels, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

QFont MainWindowFont()
{
    // 11 pixels: "Show Background (Floor Image)" is the widest caption for its box.
    return PixelFont("DejaVu Sans Condensed", 11);
}

QFont BannerFont()
{
    return PixelFont("DejaVu Sans", 13, true);
}

QFont HelpWindowFont()
{
    return PixelFont("DejaVu Sans Condensed", 11);
}

QFont HelpTextFont()
{
    return PixelFont("DejaVu Sans Condensed", 16);
}
