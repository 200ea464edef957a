// Frames per second and CPU use of the window at rest. Run under a display:
//   xvfb-run -a -s "-screen 0 1600x1200x24" build/bench/bench_frame_loop [seconds]
// Target: 20 +- 1 frames per second, under 5% of one core.
#include "ui/Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    TMainForm form;
    form.show();
    // Let start-up settle before measuring.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();

    const long frames = form.FramesDrawn;
    const double cpu = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = wall.elapsed() / 1000.0;
    std::printf("at rest over %.1f s: %.2f frames per second, %.2f%% of one core\n", elapsed,
                (form.FramesDrawn - frames) / elapsed, 100.0 * (CpuSeconds() - cpu) / elapsed);
    return 0;
}
