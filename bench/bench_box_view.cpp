// The cost of the box view: compiling the geometry list, which happens on
// every keystroke in a size field (target under 1 ms), and drawing a whole
// frame at the window's design size with textures (target under 25 ms median
// with Mesa's software renderer, which draws in threads of its own: read the
// real time, not the CPU time). Run under a display:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_box_view
// On a busy machine, LP_NUM_THREADS=0 makes Mesa draw on the calling thread,
// so that the CPU time column shows the drawing work itself.
#include "bench/BenchTextures.h"
#include "gl/QtContext.h"
#include "view/BoxList.h"
#include "view/Frame.h"
#include "view/RenderState.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

TBoxOptions OptionsOf(int64_t bits)
{
    return {.Book = (bits & 1) != 0, .LidOpen = (bits & 2) != 0, .Floor = (bits & 4) != 0};
}

// Argument: the options as bits, 1 book, 2 lid open, 4 floor.
void CompileList(benchmark::State& state)
{
    std::string reason;
    const auto gl = MakeQtContext(64, 64, reason);
    if (!gl) {
        state.SkipWithError(reason.c_str());
        return;
    }
    TBenchTextures textures;
    const TBoxOptions options = OptionsOf(state.range(0));
    GLuint list = 0;
    int depth = 5;
    for (auto _ : state) {
        list = CompileBoxList(list, 20, 30, float(depth), options, textures.Pointers);
        depth = depth % 20 + 1;
    }
    glFinish();
}
BENCHMARK(CompileList)
    ->Arg(0)
    ->Arg(7)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Arguments: the options as bits, and 1 to show the background.
void DrawWholeFrame(benchmark::State& state)
{
    std::string reason;
    const auto gl = MakeQtContext(1150, 880, reason);
    if (!gl) {
        state.SkipWithError(reason.c_str());
        return;
    }
    ApplyRenderState();
    SetViewProjection(1150, 880);
    TBenchTextures textures;
    const GLuint list = CompileBoxList(0, 20, 30, 5, OptionsOf(state.range(0)), textures.Pointers);
    const TFrameScene scene{.XRotation = 31.5f,
                            .YRotation = 31.5f,
                            .ShowBackground = state.range(1) != 0,
                            .BoxList = list,
                            .FloorTexture = &textures.Textures[static_cast<int>(TFaceSlot::Floor)]};
    for (auto _ : state) {
        DrawScene(scene);
        glFinish();
    }
}
BENCHMARK(DrawWholeFrame)
    ->Args({0, 0})
    ->Args({4, 0})
    ->Args({7, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(9)
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
