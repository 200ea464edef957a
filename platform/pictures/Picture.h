#pragma once
// A picture read from a file whose extension, in any case, picks the reader:
// "bmp" and "dib" (Windows bitmap), "jpg" and "jpeg", "ico" (icon), "wmf" and
// "emf" (metafiles, Metafile.h). It draws itself stretched and opaque. A
// bitmap, JPEG or icon is read up to the size bound of PictureLimits.h.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <string>

class QPainter;

class TPicture {
public:
    // Throws TError: "Unknown picture file extension (.%s)" for an extension it
    // does not read, "Cannot open file %s" when the file cannot be opened, or
    // the reader's message for a damaged file. On failure the picture keeps
    // what it held.
    void LoadFromFile(const std::string& fileName);
    // The same from bytes in memory; `extension` is given without its dot.
    void LoadFromData(const QByteArray& data, const std::string& extension);

    bool Empty() const { return Image.isNull(); }
    int Width() const { return Image.width(); }
    int Height() const { return Image.height(); }

    // Draws the whole picture over `target`, aspect ratio not kept, opaque.
    // An empty picture draws nothing.
    void StretchDraw(QPainter& painter, const QRectF& target) const;

private:
    QImage Image;  // always opaque (RGB32) when not empty
};
