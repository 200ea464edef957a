// The texture object's loaders on a 4000 x 3000 picture, against baselines
// run on the same files in the same run:
//   - JPEG: libjpeg-turbo's own djpeg (whole runs of "djpeg -outfile /dev/null")
//     and a plain libjpeg decode of the same file into one reused row;
//   - BMP: reading the same file into a freshly allocated buffer.
// Also GenTexture of both pictures, and the peak memory of each load.
#include "cover/TextureImage.h"
#include "gl/QtContext.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <jpeglib.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int PictureWidth = 4000;
constexpr int PictureHeight = 3000;

std::string Folder;
std::string JpegPath;
std::string BmpPath;

// A picture with smooth areas and detail, as photographs of artwork have.
std::vector<uint8_t> MakePicture()
{
    std::vector<uint8_t> rgb(size_t(PictureWidth) * PictureHeight * 3);
    uint32_t noise = 12345;
    uint8_t* p = rgb.data();
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x, p += 3) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            p[0] = uint8_t(std::clamp(x * 255 / PictureWidth + grain, 0, 255));
            p[1] = uint8_t(std::clamp(y * 255 / PictureHeight + grain, 0, 255));
            p[2] = uint8_t(((x / 50 + y / 50) % 2) ? 200 : 60);
        }
    return rgb;
}

void WriteJpeg(const std::vector<uint8_t>& rgb)
{
    FILE* file = std::fopen(JpegPath.c_str(), "wb");
    jpeg_compress_struct info = {};
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = PictureWidth;
    info.image_height = PictureHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(rgb.data()) + size_t(info.next_scanline) * PictureWidth * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void Put(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char(value >> (8 * i)));
}

void WriteBmp(const std::vector<uint8_t>& rgb)
{
    const uint32_t stride = (PictureWidth * 3 + 3) / 4 * 4;
    const uint32_t imageSize = stride * PictureHeight;
    std::ofstream out(BmpPath, std::ios::binary);
    out.write("BM", 2);
    Put(out, 54 + imageSize, 4), Put(out, 0, 4), Put(out, 54, 4);
    Put(out, 40, 4), Put(out, PictureWidth, 4), Put(out, PictureHeight, 4), Put(out, 1, 2), Put(out, 24, 2);
    Put(out, 0, 4), Put(out, imageSize, 4), Put(out, 2835, 4), Put(out, 2835, 4), Put(out, 0, 4), Put(out, 0, 4);
    std::vector<char> row(stride, 0);
    for (int y = PictureHeight - 1; y >= 0; --y) {
        const uint8_t* in = rgb.data() + size_t(y) * PictureWidth * 3;
        for (int x = 0; x < PictureWidth; ++x)
            row[3 * x] = char(in[3 * x + 2]), row[3 * x + 1] = char(in[3 * x + 1]), row[3 * x + 2] = char(in[3 * x]);
        out.write(row.data(), stride);
    }
}

long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

void BM_LoadImageJpeg(benchmark::State& state)
{
    TTextureImage image;
    for (auto _ : state)
        benchmark::DoNotOptimize(image.LoadImage(JpegPath));
}

void BM_DjpegWholeRun(benchmark::State& state)
{
    char* argv[] = {const_cast<char*>("djpeg"), const_cast<char*>("-outfile"), const_cast<char*>("/dev/null"),
                    const_cast<char*>(JpegPath.c_str()), nullptr};
    double childSeconds = 0;
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawnp(&child, "djpeg", nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("djpeg does not run");
            break;
        }
        int status = 0;
        rusage usage = {};
        wait4(child, &status, 0, &usage);
        childSeconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
    // The CPU column counts this process only; this is djpeg's own.
    state.counters["djpeg_cpu_ms"] = childSeconds * 1e3 / double(state.iterations());
}

void BM_PlainLibjpegDecode(benchmark::State& state)
{
    std::vector<uint8_t> row(size_t(PictureWidth) * 4);
    for (auto _ : state) {
        FILE* file = std::fopen(JpegPath.c_str(), "rb");
        jpeg_decompress_struct info = {};
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_RGBA;
        jpeg_start_decompress(&info);
        JSAMPROW rows[1] = {row.data()};
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, rows, 1);
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::DoNotOptimize(row.data());
    }
}

void BM_LoadImageBmp(benchmark::State& state)
{
    TTextureImage image;
    for (auto _ : state)
        benchmark::DoNotOptimize(image.LoadImage(BmpPath));
}

void BM_ReadBmpIntoMemory(benchmark::State& state)
{
    for (auto _ : state) {
        FILE* file = std::fopen(BmpPath.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        const size_t size = size_t(std::ftell(file));
        std::fseek(file, 0, SEEK_SET);
        std::unique_ptr<uint8_t[]> data(new uint8_t[size]);
        benchmark::DoNotOptimize(std::fread(data.get(), 1, size, file));
        std::fclose(file);
        benchmark::DoNotOptimize(data.get());
    }
}

// Peak resident memory of one load over its pixel buffer (W x H x 4 bytes).
void BM_PeakMemoryOfLoad(benchmark::State& state, const std::string* path)
{
    for (auto _ : state) {
        {
            std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
        }
        const long before = StatusKiB("VmRSS:");
        TTextureImage image;
        image.LoadImage(*path);
        const double pixels = double(image.Width) * image.Height * 4 / 1024;
        state.counters["pixel_MiB"] = pixels / 1024;
        state.counters["peak_MiB"] = double(StatusKiB("VmHWM:") - before) / 1024;
        state.counters["peak_over_pixels"] = double(StatusKiB("VmHWM:") - before) / pixels;
    }
}

void BM_GenTexture(benchmark::State& state, const std::string* path)
{
    std::string reason;
    const auto gl = MakeQtContext(64, 64, reason);
    if (!gl) {
        state.SkipWithError(reason.c_str());
        return;
    }
    TTextureImage image;
    image.LoadImage(*path);
    for (auto _ : state) {
        image.GenTexture();
        glFinish();
    }
}

}  // namespace

BENCHMARK(BM_LoadImageJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegWholeRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainLibjpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadImageBmp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBmpIntoMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PeakMemoryOfLoad, Jpeg, &JpegPath)->Iterations(1);
BENCHMARK_CAPTURE(BM_PeakMemoryOfLoad, Bmp, &BmpPath)->Iterations(1);
BENCHMARK_CAPTURE(BM_GenTexture, Jpeg, &JpegPath)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_GenTexture, Bmp, &BmpPath)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    char pattern[] = "/tmp/bench_texture_image.XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    Folder = pattern;
    JpegPath = Folder + "/picture.jpg";
    BmpPath = Folder + "/picture.bmp";
    {
        const std::vector<uint8_t> rgb = MakePicture();
        WriteJpeg(rgb);
        WriteBmp(rgb);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(JpegPath.c_str());
    std::remove(BmpPath.c_str());
    rmdir(Folder.c_str());
    return 0;
}
