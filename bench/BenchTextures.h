#pragma once
// Five face textures of side x side pixels with a little detail, so that
// sampling is not trivial. Needs the rendering context current.
#include "cover/TextureImage.h"
#include "view/BoxList.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

class TBenchTextures {
public:
    explicit TBenchTextures(int side = 512)
    {
        for (int slot = 0; slot < FaceSlotCount; ++slot) {
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(slot * 70, 160, 230));
            QPainter painter(&image);
            for (int i = 0; i < side; i += 32)
                painter.drawLine(0, i, side - 1, side - 1 - i);
            painter.end();
            const QString path = Folder.filePath(QStringLiteral("face%1.bmp").arg(slot));
            image.save(path, "BMP");
            Textures[slot].LoadImage(path.toStdString());
            Textures[slot].GenTexture();
            Pointers[slot] = &Textures[slot];
        }
    }

    QTemporaryDir Folder;
    TTextureImage Textures[FaceSlotCount];
    TFaceTextures Pointers{};
};
