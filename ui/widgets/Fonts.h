#pragma once
// The fonts of the windows. Their layouts were made for narrow fonts, so
// DejaVu Sans Condensed stands in for them: at these sizes every caption fits
// the control laid out for it, and every line of the help text fits its box.
#include <QFont>

// The main window's font, for every control that has none of its own.
QFont MainWindowFont();
// The banner's bold font.
QFont BannerFont();
// The help window's font, and the font of its text.
QFont HelpWindowFont();
QFont HelpTextFont();
