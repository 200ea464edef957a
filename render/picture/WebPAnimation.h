#pragma once
// An animated WebP made frame by frame with libwebp's animation encoder:
// frames of one size, each shown for the same time, looping for ever; with
// alpha when a frame has any. One frame makes a still WebP.
#include <cstdint>
#include <memory>
#include <vector>

// The quality that asks for a format's own: JPEG at 95, WebP lossless.
constexpr int NoQuality = -1;
// The largest side of a WebP picture.
constexpr int MaxWebPSide = 16383;

class TWebPAnimation {
public:
    // Frames of width x height pixels (at most MaxWebPSide a side), shown fps
    // times a second; lossless, or lossy at quality 0 to 100. Raises TError
    // when the encoder cannot be made.
    TWebPAnimation(int width, int height, int quality, double fps);
    ~TWebPAnimation();
    TWebPAnimation(const TWebPAnimation&) = delete;
    TWebPAnimation& operator=(const TWebPAnimation&) = delete;

    // The next frame: width x height words 0xAARRGGBB with straight alpha,
    // top row first. Raises TError when it cannot be encoded.
    void Add(const uint32_t* pixels);

    // The file's bytes, after the last frame.
    std::vector<uint8_t> Finish();

private:
    struct TState;
    std::unique_ptr<TState> State_;
};

// Where frame number `frame` begins, in milliseconds from the start, at fps
// frames a second: rounded from the exact time, so that the frames keep time
// over a long animation.
int FrameTimestamp(int frame, double fps);
