// The picture readers: the first byte picks the reader (bitmap, icon, Windows
// metafile, enhanced metafile, JPEG), the rest is the file. A picture that
// loads is drawn as a preview would draw it.
#include "platform/Error.h"
#include "platform/Picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Metafile text is drawn with Qt's fonts, which need the application object.
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const char* const kExtensions[] = {"bmp", "ico", "wmf", "emf", "jpg"};
    const QByteArray file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    TPicture picture;
    try {
        picture.LoadFromData(file, kExtensions[data[0] % 5]);
    } catch (const TError&) {
        return 0;
    }
    QImage preview(48, 64, QImage::Format_RGB32);
    QPainter painter(&preview);
    picture.StretchDraw(painter, QRectF(0, 0, 48, 64));
    return 0;
}
