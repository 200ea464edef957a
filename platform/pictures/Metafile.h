#pragma once
// Windows metafiles (WMF) and enhanced metafiles (EMF), read by libwmf and
// libemf2svg into SVG, which Qt SVG draws. The libraries run in a child
// process (Isolated.h): a metafile that crashes or hangs them gives an error.
#include <QByteArray>
#include <QImage>

enum class TMetafileFormat { Wmf, Emf };

// The longest side, in pixels, of the image a metafile is drawn into.
constexpr int kMaxMetafileSide = 2048;

// Draws the metafile opaque, on white, at its own size at 96 dots per inch,
// shrunk to fit kMaxMetafileSide. Throws TError when it cannot be read.
QImage ReadMetafile(const QByteArray& data, TMetafileFormat format);
