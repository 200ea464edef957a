#pragma once
// Cover files whose five images are two bands each, the upper half one colour
// and the lower half another, for checks on where each face shows up in a
// picture and which way up.
#include "cover/CoverFile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <array>

// Two colours per image of the cover file, in its order: cover, spine, plain,
// top, floor.
struct TBandColours {
    QColor Upper, Lower;
};
inline const std::array<TBandColours, 5> BandColours{{{QColor(220, 40, 40), QColor(120, 20, 20)},
                                                      {QColor(40, 160, 40), QColor(20, 80, 20)},
                                                      {QColor(200, 40, 200), QColor(100, 20, 100)},
                                                      {QColor(40, 40, 220), QColor(20, 20, 120)},
                                                      {QColor(220, 200, 40), QColor(120, 100, 20)}}};
inline const std::array<const char*, 5> BandedNames{"cover.bmp", "spine.bmp", "plain.bmp", "top.bmp", "floor.bmp"};

// The colour indices that ColourIndex gives: two per image, then white.
constexpr int Upper(TCoverImage image)
{
    return 2 * static_cast<int>(image);
}
constexpr int Lower(TCoverImage image)
{
    return 2 * static_cast<int>(image) + 1;
}
constexpr int White = 10;

inline QImage BandedImage(const TBandColours& colours)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colours.Upper);
    for (int y = 8; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixelColor(x, y, colours.Lower);
    return image;
}

// Writes the five images into folder, unless they are there already.
inline void WriteBandedImages(const QString& folder)
{
    for (size_t i = 0; i < BandedNames.size(); ++i) {
        const QString path = QDir(folder).filePath(BandedNames[i]);
        if (!QFile::exists(path))
            BandedImage(BandColours[i]).save(path, "BMP");
    }
}

// Writes folder/name naming the five images, with the options and sizes given.
inline QString WriteBandedCover(const QString& folder, const QString& name, const QString& options = {},
                                const QString& sizes = "Width=20\nHeight=30\nDepth=5\n")
{
    WriteBandedImages(folder);
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(("[Properties]\nCover=cover.bmp\nSpine=spine.bmp\nPlain=plain.bmp\nTop=top.bmp\n"
                    "Floor=floor.bmp\n[Options]\n" + options + "[Sizes]\n" + sizes)
                       .toUtf8());
    return path;
}

// The index of the band colour nearest to c (Upper or Lower of an image),
// White for white (the background), or -1 for anything far from all of them
// (an edge, a blend of two bands).
inline int ColourIndex(QColor c)
{
    auto near = [&](QColor k) {
        return std::abs(c.red() - k.red()) <= 6 && std::abs(c.green() - k.green()) <= 6 &&
               std::abs(c.blue() - k.blue()) <= 6;
    };
    for (size_t i = 0; i < BandColours.size(); ++i) {
        if (near(BandColours[i].Upper))
            return int(2 * i);
        if (near(BandColours[i].Lower))
            return int(2 * i + 1);
    }
    return near(Qt::white) ? White : -1;
}
