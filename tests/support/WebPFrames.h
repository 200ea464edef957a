#pragma once
// An animated WebP read back with libwebp's own reader (WebPAnimDecoder):
// its canvas, loop count and every frame whole, with the time it begins.
#include <QByteArray>
#include <QImage>
#include <vector>

struct TWebPFrames {
    bool Read = false;  // false when the reader refused the file
    int Width = 0, Height = 0;
    int Loops = -1;  // 0: for ever
    std::vector<QImage> Frames;   // ARGB32, straight alpha
    std::vector<int> Timestamps;  // where each frame ends, in ms, as the reader gives them
};

TWebPFrames ReadWebPFrames(const QByteArray& file);
TWebPFrames ReadWebPFile(const QString& path);
