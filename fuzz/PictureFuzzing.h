#pragma once
// What the picture store's targets share: Qt's application object (metafile
// text is drawn with Qt's fonts, which need it) and one input read as a
// picture of the given kind, drawn as a preview would draw it when it loads.
#include "platform/Error.h"
#include "platform/pictures/Picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

inline void StartPictureFuzzing(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(*argc, *argv);
}

inline void LoadAndDraw(const uint8_t* data, size_t size, const char* extension)
{
    TPicture picture;
    try {
        picture.LoadFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), extension);
    } catch (const TError&) {
        return;
    }
    QImage preview(48, 64, QImage::Format_RGB32);
    QPainter painter(&preview);
    picture.StretchDraw(painter, QRectF(0, 0, 48, 64));
}
