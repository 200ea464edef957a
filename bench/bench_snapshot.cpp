// The snapshot command at the laid-out window size (client area 1150 x 880,
// capture 950 x 878, preview 323 x 248): its steps one by one and as a whole.
// Run under a display: xvfb-run -a bench_snapshot
#include "snapshot/Antialias.h"
#include "snapshot/BmpFile.h"
#include "snapshot/Capture.h"
#include "snapshot/SnapshotCommands.h"
#include "gl/QtContext.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int CaptureWidth = 950, CaptureHeight = 878;

QTemporaryDir* Folder = nullptr;

// A frame with varied content, so that the smoothing has pixels to move.
void DrawFrame()
{
    glClearColor(1, 1, 1, 0.5f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < 40; ++i) {
        glScissor(i * 23, i * 19, 120, 90);
        glClearColor((i * 37 % 256) / 255.0f, (i * 91 % 256) / 255.0f, (i * 53 % 256) / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    glFinish();
}

TBitmap24 Captured()
{
    TBitmap24 bitmap(CaptureWidth, CaptureHeight);
    ReadRows(bitmap, ReadFramebufferRow);
    return bitmap;
}

void BM_CaptureRows(benchmark::State& state)
{
    TBitmap24 bitmap(CaptureWidth, CaptureHeight);
    for (auto _ : state) {
        ReadRows(bitmap, ReadFramebufferRow);
        benchmark::DoNotOptimize(bitmap.Row(0));
    }
}

void BM_Antialias(benchmark::State& state)
{
    const TBitmap24 source = Captured();
    for (auto _ : state) {
        state.PauseTiming();
        TBitmap24 bitmap = source;
        state.ResumeTiming();
        AntialiasBitmap(bitmap, 323, 248, SnapshotStrength);
        benchmark::DoNotOptimize(bitmap.Row(0));
    }
}

void BM_WriteFile(benchmark::State& state)
{
    const TBitmap24 bitmap = Captured();
    const std::string path = Folder->filePath("CaptureRender.bmp").toStdString();
    for (auto _ : state)
        SaveBitmapToFile(bitmap, path);
}

void BM_ReadFileBack(benchmark::State& state)
{
    const std::string path = Folder->filePath("CaptureRender.bmp").toStdString();
    SaveBitmapToFile(Captured(), path);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBitmapFromFile(path));
}

void BM_WholeCommand(benchmark::State& state)
{
    const std::string path = Folder->filePath("CaptureRender.bmp").toStdString();
    TBitmapPicture preview;
    for (auto _ : state)
        CreateCoverSnapshot(preview, QSize(323, 248), QSize(1150, 880), [](const QString&) {}, path);
}

} // namespace

BENCHMARK(BM_CaptureRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Antialias)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeCommand)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    std::string reason;
    const auto view = MakeQtContext(1150, 880, reason);
    if (!view) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    QTemporaryDir folder;
    Folder = &folder;
    DrawFrame();
    benchmark::AddCustomContext("renderer", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
