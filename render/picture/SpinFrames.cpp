#include "render/picture/SpinFrames.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "render/picture/ImageFile.h"
#include "render/picture/WebPAnimation.h"

#include <cerrno>
#include <fstream>

namespace {

// A frame file: the rows' words as they are in memory, top row first.
class TFrameEncoder : public TImageEncoder {
public:
    TFrameEncoder(TFileOutput& out, int width) : Out_(out), Width_(size_t(width)) {}

    void Put(int, int count, const uint32_t* rows) override { Out_.Write(rows, size_t(count) * Width_ * 4); }
    void Finish() override {}

private:
    TFileOutput& Out_;
    const size_t Width_;
};

// The frame in the file, which must be a frame of pixels.size() pixels.
void ReadFrame(const std::string& fileName, std::vector<uint32_t>& pixels)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        RaiseFileError("Cannot open file", fileName, errno);
    const std::streamsize bytes = std::streamsize(pixels.size() * 4);
    file.read(reinterpret_cast<char*>(pixels.data()), bytes);
    if (file.gcount() != bytes || file.peek() != std::ifstream::traits_type::eof())
        RaiseFileError("Cannot read the frame", fileName, EINVAL, "it is not a frame of this spin");
}

} // namespace

void WriteFrameFile(const std::string& fileName, int width, const std::function<void(TPictureRows& rows)>& draw)
{
    WriteEncodedFile(
        fileName, width, [&](TFileOutput& out) { return std::make_unique<TFrameEncoder>(out, width); }, draw);
}

void WriteSpinFile(const std::string& fileName, const std::vector<std::string>& frameFiles, int width, int height,
                   int quality, double fps)
{
    TWebPAnimation animation(width, height, quality, fps);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (const std::string& frame : frameFiles) {
        ReadFrame(frame, pixels);
        animation.Add(pixels.data());
    }
    const std::vector<uint8_t> bytes = animation.Finish();
    WriteFileAtomically(fileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
