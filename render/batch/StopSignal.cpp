#include "render/batch/StopSignal.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t Requested = 0;

void NoteStop(int signal)
{
    Requested = signal;
}

} // namespace

void CatchStopSignals()
{
    struct sigaction action{};
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start stays ignored: nohup, a shell's
        // background job.
        struct sigaction before{};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

int StopRequested()
{
    return Requested;
}

void TStoppableRows::Put(int first, int count, const uint32_t* rows)
{
    if (Requested != 0)
        throw TStopped{};
    Rows_.Put(first, count, rows);
}
