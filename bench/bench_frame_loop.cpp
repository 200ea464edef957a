// Frames per second and CPU use of the window at rest, shown and minimised.
// Run under a display:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_frame_loop [seconds] [rounds]
// Each round measures the window shown, then minimised, for `seconds` each
// (default 4 s, 5 rounds); the medians and their ratio close the report.
// Targets: shown, 20 +- 1 frames per second under 5% of one core; minimised,
// no frame drawn and a small fraction of the shown cost.
#include "ui/Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

struct TSample {
    double FramesPerSecond;
    double CorePercent;
};

// The window's frame rate and CPU use while the event loop runs for seconds.
TSample Measure(const TMainForm& form, int seconds)
{
    const long frames = form.FramesDrawn;
    const double cpu = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEvents(seconds * 1000);
    const double elapsed = wall.elapsed() / 1000.0;
    return {(form.FramesDrawn - frames) / elapsed, 100.0 * (CpuSeconds() - cpu) / elapsed};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    TMainForm form;
    form.show();
    // Let start-up settle before measuring.
    RunEvents(1000);

    std::vector<double> shownCpu, shownFps, minimisedCpu, minimisedFps;
    for (int round = 1; round <= rounds; ++round) {
        form.showNormal();
        RunEvents(300);
        const TSample shown = Measure(form, seconds);
        form.showMinimized();
        RunEvents(300);
        const TSample minimised = Measure(form, seconds);
        std::printf("round %d: shown %.2f frames/s, %.2f%% of one core; minimised %.2f frames/s, %.2f%%\n", round,
                    shown.FramesPerSecond, shown.CorePercent, minimised.FramesPerSecond, minimised.CorePercent);
        shownCpu.push_back(shown.CorePercent);
        shownFps.push_back(shown.FramesPerSecond);
        minimisedCpu.push_back(minimised.CorePercent);
        minimisedFps.push_back(minimised.FramesPerSecond);
    }
    const double shown = Median(shownCpu), minimised = Median(minimisedCpu);
    std::printf("medians over %d rounds of %d s: shown %.2f frames/s, %.2f%% of one core; "
                "minimised %.2f frames/s, %.2f%% of one core; minimised/shown CPU %.3f\n",
                rounds, seconds, Median(shownFps), shown, Median(minimisedFps), minimised,
                shown > 0 ? minimised / shown : 0.0);
    return 0;
}
