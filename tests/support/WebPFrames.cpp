#include "tests/support/WebPFrames.h"

#include <QFile>
#include <webp/demux.h>

TWebPFrames ReadWebPFrames(const QByteArray& file)
{
    TWebPFrames result;
    const WebPData data{reinterpret_cast<const uint8_t*>(file.constData()), size_t(file.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;  // as QImage's ARGB32 lies in memory here
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder, &info)) {
        WebPAnimDecoderDelete(decoder);
        return result;
    }
    result.Width = int(info.canvas_width);
    result.Height = int(info.canvas_height);
    result.Loops = int(info.loop_count);
    result.Read = true;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t* pixels = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) {
            result.Read = false;
            break;
        }
        result.Frames.push_back(
            QImage(pixels, result.Width, result.Height, result.Width * 4, QImage::Format_ARGB32).copy());
        result.Timestamps.push_back(timestamp);
    }
    WebPAnimDecoderDelete(decoder);
    return result;
}

TWebPFrames ReadWebPFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ReadWebPFrames(file.readAll()) : TWebPFrames{};
}
