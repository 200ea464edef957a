#pragma once
// Cover files whose five images are solid colours, for checks on where each
// face shows up in a picture.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <array>

// One colour per image of the cover file, in its order: cover, spine, plain, top, floor.
inline const std::array<QColor, 5> SolidColours{QColor(220, 40, 40), QColor(40, 160, 40), QColor(200, 40, 200),
                                                QColor(40, 40, 220), QColor(220, 200, 40)};
inline const std::array<const char*, 5> SolidNames{"cover.bmp", "spine.bmp", "plain.bmp", "top.bmp", "floor.bmp"};

// Writes the five images into folder, unless they are there already.
inline void WriteSolidImages(const QString& folder)
{
    for (size_t i = 0; i < SolidNames.size(); ++i) {
        const QString path = QDir(folder).filePath(SolidNames[i]);
        if (QFile::exists(path))
            continue;
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(SolidColours[i]);
        image.save(path, "BMP");
    }
}

// Writes folder/name naming the five images, with the options and sizes given.
inline QString WriteSolidCover(const QString& folder, const QString& name, const QString& options = {},
                               const QString& sizes = "Width=20\nHeight=30\nDepth=5\n")
{
    WriteSolidImages(folder);
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(("[Properties]\nCover=cover.bmp\nSpine=spine.bmp\nPlain=plain.bmp\nTop=top.bmp\n"
                    "Floor=floor.bmp\n[Options]\n" + options + "[Sizes]\n" + sizes)
                       .toUtf8());
    return path;
}

// The index of the solid colour nearest to c, or -1 for white (the
// background) and for anything far from all of them (an edge).
inline int SolidIndex(QColor c)
{
    auto near = [&](QColor k) {
        return std::abs(c.red() - k.red()) <= 6 && std::abs(c.green() - k.green()) <= 6 &&
               std::abs(c.blue() - k.blue()) <= 6;
    };
    for (size_t i = 0; i < SolidColours.size(); ++i)
        if (near(SolidColours[i]))
            return int(i);
    return near(Qt::white) ? int(SolidColours.size()) : -1;
}
