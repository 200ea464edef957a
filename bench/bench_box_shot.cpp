// The cost of a box shot's parts, to choose the tile size and to see where a
// picture's time goes: drawing it in tiles and passes with 8 samples into rows
// that go nowhere, and the same picture written as a PNG, with the context
// plenamar-render itself makes (no display needed). Mesa's software renderer
// and the encoder draw and write in threads of their own: read the real time,
// or on a busy machine the CPU time, which counts every thread.
#include "bench/BenchTextures.h"
#include "gl/RenderContext.h"
#include "render/picture/BoxShot.h"
#include "render/picture/ImageFile.h"
#include "render/scene/ShotStage.h"
#include "view/RenderState.h"

#include <benchmark/benchmark.h>

namespace {

// A box with a floor in the studio look, its five textures 1024 x 1024.
class TBenchScene {
public:
    TBenchScene() : Textures(1024), Stage(TShotStyle{})
    {
        const auto slot = [this](TFaceSlot slot) { return Textures.Pointers[size_t(slot)]; };
        const TBoxSetup setup{.Textures = {slot(TFaceSlot::Cover), slot(TFaceSlot::Spine), slot(TFaceSlot::Cover),
                                           slot(TFaceSlot::Top), slot(TFaceSlot::Floor), slot(TFaceSlot::Plain)},
                              .Box = {.Floor = true},
                              .Size = {20, 30, 5}};
        Scene = Stage.Scene(setup);
        Scene.XRotation = Scene.YRotation = 31.5f;
    }

    TBenchTextures Textures;
    TShotStage Stage;
    TShotScene Scene;
};

class TNoRows : public TPictureRows {
public:
    void Put(int, int, const uint32_t*) override {}
};

// Arguments: the picture's side, the tile's side, 1 to write a PNG file, and
// the samples a pixel.
void ShootPicture(benchmark::State& state)
{
    const std::unique_ptr<TRenderContext> context = CreateRenderContext();
    const TFramebufferApi api = TFramebufferApi::Resolve([&](const char* name) { return context->ProcAddress(name); });
    ApplyRenderState();
    TBenchScene bench;
    TBoxShooter shooter(api);
    const int side = int(state.range(0));
    const TShotSettings settings{.Width = side, .Height = side, .Samples = int(state.range(3)), .Tile = int(state.range(1))};
    const std::string file = bench.Textures.Folder.filePath("shot.png").toStdString();
    TNoRows nowhere;
    for (auto _ : state) {
        if (state.range(2) == 0)
            shooter.Shoot(bench.Scene, settings, nowhere);
        else
            WriteImageFile(file, TImageFormat::Png, side, side, false,
                           [&](TPictureRows& rows) { shooter.Shoot(bench.Scene, settings, rows); });
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(ShootPicture)
    ->ArgsProduct({{1000, 2000}, {256, 512, 1024, 2048}, {0}, {8}})
    ->ArgsProduct({{600}, {1024}, {0}, {1, 4, 8, 16}})
    ->Args({1000, 1024, 1, 8})
    ->Args({2000, 1024, 1, 8})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
