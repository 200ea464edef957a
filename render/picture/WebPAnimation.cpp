#include "render/picture/WebPAnimation.h"

#include "platform/Error.h"

#include <cmath>
#include <cstring>
#include <new>
#include <webp/encode.h>
#include <webp/mux.h>

struct TWebPAnimation::TState {
    int Width, Height;
    double Fps;
    int Frames = 0;
    WebPConfig Config{};
    WebPAnimEncoder* Encoder = nullptr;

    ~TState() { WebPAnimEncoderDelete(Encoder); }
};

TWebPAnimation::TWebPAnimation(int width, int height, int quality, double fps)
    : State_(std::make_unique<TState>(TState{.Width = width, .Height = height, .Fps = fps}))
{
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&State_->Config))
        throw TError("the WebP encoder does not match its library's version");
    options.anim_params.loop_count = 0;  // for ever
    WebPConfig& config = State_->Config;
    if (quality == NoQuality) {
        // Lossless; the effort of method 1 makes files a few percent larger
        // than the default's in a fraction of its time.
        config.lossless = 1;
        config.quality = 50.0f;
        config.method = 1;
    } else {
        config.quality = float(quality);
        config.method = 2;
        config.alpha_quality = 100;
    }
    State_->Encoder = WebPAnimEncoderNew(width, height, &options);
    if (!State_->Encoder || !WebPValidateConfig(&config))
        throw TError("cannot make a WebP encoder for a picture of " + std::to_string(width) + " x " +
                     std::to_string(height) + " pixels");
}

TWebPAnimation::~TWebPAnimation() = default;

void TWebPAnimation::Add(const uint32_t* pixels)
{
    TState& s = *State_;
    WebPPicture picture;
    if (!WebPPictureInit(&picture))
        throw TError("the WebP encoder does not match its library's version");
    picture.use_argb = 1;
    picture.width = s.Width;
    picture.height = s.Height;
    if (!WebPPictureAlloc(&picture))
        throw std::bad_alloc();
    for (int y = 0; y < s.Height; ++y)
        std::memcpy(picture.argb + size_t(y) * size_t(picture.argb_stride), pixels + size_t(y) * size_t(s.Width),
                    size_t(s.Width) * 4);
    const bool added = WebPAnimEncoderAdd(s.Encoder, &picture, FrameTimestamp(s.Frames, s.Fps), &s.Config);
    WebPPictureFree(&picture);
    if (!added)
        throw TError(std::string("cannot encode a WebP frame: ") + WebPAnimEncoderGetError(s.Encoder));
    ++s.Frames;
}

std::vector<uint8_t> TWebPAnimation::Finish()
{
    TState& s = *State_;
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(s.Encoder, nullptr, FrameTimestamp(s.Frames, s.Fps), nullptr) ||
        !WebPAnimEncoderAssemble(s.Encoder, &data))
        throw TError(std::string("cannot make the WebP file: ") + WebPAnimEncoderGetError(s.Encoder));
    std::vector<uint8_t> bytes(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return bytes;
}

int FrameTimestamp(int frame, double fps)
{
    return int(std::lround(double(frame) * 1000.0 / fps));
}
