// The cost of a box shot's parts, to choose the tile size and to see where a
// picture's time goes: drawing it in tiles and passes with 8 samples into rows
// that go nowhere, and the same picture written as a PNG. Mesa's software
// renderer draws in threads of its own: read the real time. Run under a
// display:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_box_shot
#include "bench/BenchTextures.h"
#include "render/BoxShot.h"
#include "render/ImageFile.h"
#include "tests/support/GLTestContext.h"
#include "view/RenderState.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <benchmark/benchmark.h>

namespace {

// A box with a floor, its five textures 1024 x 1024.
class TBenchScene {
public:
    TBenchScene() : Textures(1024)
    {
        const TBoxOptions options{.Floor = true};
        Scene = {.XRotation = 31.5f,
                 .YRotation = 31.5f,
                 .BoxList = CompileBoxList(0, 20, 30, 5, options, Textures.Pointers)};
        Quads = BoxQuads(20, 30, 5, options);
    }

    TBenchTextures Textures;
    TFrameScene Scene;
    std::vector<TBoxQuad> Quads;
};

class TNoRows : public TPictureRows {
public:
    void Put(int, int, const uint32_t*) override {}
};

// Arguments: the picture's side, the tile's side, and 1 to write a PNG file.
void ShootPicture(benchmark::State& state)
{
    TGLTestContext gl;
    if (!gl.Create(64, 64)) {
        state.SkipWithError(gl.Reason().c_str());
        return;
    }
    ApplyRenderState();
    const TFramebufferApi api = TFramebufferApi::Resolve(
        [](const char* name) { return reinterpret_cast<void*>(QOpenGLContext::currentContext()->getProcAddress(name)); });
    TBenchScene bench;
    TBoxShooter shooter(api);
    const int side = int(state.range(0));
    const TShotSettings settings{.Width = side, .Height = side, .Samples = 8, .Tile = int(state.range(1))};
    const std::string file = bench.Textures.Folder.filePath("shot.png").toStdString();
    TNoRows nowhere;
    for (auto _ : state) {
        if (state.range(2) == 0)
            shooter.Shoot(bench.Scene, bench.Quads, settings, nowhere);
        else
            WriteImageFile(file, TImageFormat::Png, side, side, false,
                           [&](TPictureRows& rows) { shooter.Shoot(bench.Scene, bench.Quads, settings, rows); });
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(ShootPicture)
    ->ArgsProduct({{1000, 2000}, {256, 512, 1024, 2048}, {0}})
    ->Args({1000, 1024, 1})
    ->Args({2000, 1024, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
