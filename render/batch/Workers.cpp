#include "render/batch/Workers.h"

#include "platform/Error.h"
#include "render/batch/StopSignal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A worker's report: the job's index (or NoJob for a worker that cannot
// draw at all), the length of the text, and the text: the failure, empty
// when the picture was written. One write of at most PIPE_BUF bytes, so it
// arrives whole.
struct TReportHead {
    uint32_t Job;
    uint32_t Length;
};
constexpr uint32_t NoJob = UINT32_MAX;
constexpr size_t MaxReportText = PIPE_BUF - sizeof(TReportHead);

void SendReport(int fd, uint32_t job, const std::string& text)
{
    const TReportHead head{job, uint32_t(std::min(text.size(), MaxReportText))};
    char message[PIPE_BUF];
    std::memcpy(message, &head, sizeof head);
    std::memcpy(message + sizeof head, text.data(), head.Length);
    if (write(fd, message, sizeof head + head.Length) < 0)
        _exit(1);  // this process's parent is gone
}

bool ReadAll(int fd, void* data, size_t size)
{
    auto* at = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(fd, at, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        size -= size_t(got);
    }
    return true;
}

// The worker's life: a context, then a box at a time until the queue closes.
[[noreturn]] void WorkerMain(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs,
                             const std::vector<std::pair<size_t, size_t>>& groups, int commands, int reports)
{
    try {
        TPictureDrawer drawer(boxes, jobs);
        uint32_t group = 0;
        while (StopRequested() == 0 && ReadAll(commands, &group, sizeof group) && group < groups.size())
            drawer.DrawBox(groups[group].first, groups[group].second,
                           [&](size_t job, const std::string& failure) { SendReport(reports, uint32_t(job), failure); });
    } catch (const TError& e) {
        SendReport(reports, NoJob, e.what());
    } catch (const TStopped&) {
    }
    _exit(0);
}

struct TWorker {
    pid_t Pid = -1;
    int Commands = -1;  // this end writes the groups to draw
    int Reports = -1;   // this end reads the reports
    size_t Next = 0, End = 0;  // the jobs of its group not yet reported
    bool Busy = false;
};

std::string Ending(int status)
{
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    return "ended with status " + std::to_string(WEXITSTATUS(status));
}

class TPool {
public:
    TPool(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs,
          const std::vector<std::pair<size_t, size_t>>& groups, const TPictureDone& done)
        : Boxes_(boxes), Jobs_(jobs), Groups_(groups), Done_(done)
    {
    }

    ~TPool()
    {
        for (TWorker& worker : Workers_)
            Retire(worker, SIGTERM);
    }

    void Run(int count)
    {
        for (int i = 0; i < count; ++i)
            Feed(Workers_.emplace_back(Start()));
        while (StopRequested() == 0 && std::any_of(Workers_.begin(), Workers_.end(), [](const TWorker& w) { return w.Busy; })) {
            std::vector<pollfd> ready;
            for (const TWorker& worker : Workers_)
                ready.push_back({worker.Busy ? worker.Reports : -1, POLLIN, 0});
            if (poll(ready.data(), ready.size(), -1) < 0) {
                if (errno == EINTR)
                    continue;
                throw TError(std::string("cannot wait for the workers: ") + std::strerror(errno));
            }
            for (size_t i = 0; i < ready.size(); ++i)
                if (ready[i].revents != 0)
                    Receive(Workers_[i]);
        }
    }

private:
    TWorker Start()
    {
        int commands[2], reports[2];
        if (pipe2(commands, O_CLOEXEC) != 0 || pipe2(reports, O_CLOEXEC) != 0)
            throw TError(std::string("cannot start a worker: ") + std::strerror(errno));
        const pid_t parent = getpid();
        const pid_t pid = fork();
        if (pid < 0)
            throw TError(std::string("cannot start a worker: ") + std::strerror(errno));
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(0);
            for (const TWorker& other : Workers_) {
                close(other.Commands);
                close(other.Reports);
            }
            close(commands[1]);
            close(reports[0]);
            WorkerMain(Boxes_, Jobs_, Groups_, commands[0], reports[1]);
        }
        close(commands[0]);
        close(reports[1]);
        return {.Pid = pid, .Commands = commands[1], .Reports = reports[0]};
    }

    // Hands the worker the next group, or closes its queue when none is left.
    void Feed(TWorker& worker)
    {
        if (NextGroup_ >= Groups_.size()) {
            worker.Busy = false;
            close(worker.Commands);
            worker.Commands = -1;
            return;
        }
        const uint32_t group = uint32_t(NextGroup_++);
        std::tie(worker.Next, worker.End) = Groups_[group];
        worker.Busy = true;
        // A worker that died meanwhile shows as the end of its reports.
        [[maybe_unused]] const ssize_t sent = write(worker.Commands, &group, sizeof group);
    }

    void Receive(TWorker& worker)
    {
        TReportHead head{};
        char text[PIPE_BUF];
        if (!ReadAll(worker.Reports, &head, sizeof head) || head.Length > MaxReportText ||
            !ReadAll(worker.Reports, text, head.Length)) {
            Replace(worker);
            return;
        }
        const std::string message(text, head.Length);
        if (head.Job == NoJob)
            throw TError(message);
        Done_(head.Job, message);
        worker.Next = head.Job + 1;
        if (worker.Next >= worker.End)
            Feed(worker);
    }

    // The worker died: its unfinished pictures fail, and a fresh worker takes
    // over the rest of the queue.
    void Replace(TWorker& worker)
    {
        const int status = Retire(worker, SIGKILL);
        if (StopRequested() != 0)
            return;
        for (size_t job = worker.Next; job < worker.End; ++job)
            Done_(job, "the worker process drawing it " + Ending(status));
        if (NextGroup_ < Groups_.size()) {
            worker = Start();
            Feed(worker);
        }
    }

    // Ends the worker, with signal if it has not ended by itself, and returns
    // its status.
    int Retire(TWorker& worker, int signal)
    {
        if (worker.Commands >= 0)
            close(worker.Commands);
        if (worker.Reports >= 0)
            close(worker.Reports);
        worker.Commands = worker.Reports = -1;
        worker.Busy = false;
        int status = 0;
        if (worker.Pid > 0) {
            if (signal == SIGTERM)
                kill(worker.Pid, SIGTERM);
            else if (waitpid(worker.Pid, &status, WNOHANG) == 0)
                kill(worker.Pid, signal);
            WaitFor(worker.Pid, status);
        }
        worker.Pid = -1;
        return status;
    }

    // Waits for the process, at most ten seconds before it is killed.
    static void WaitFor(pid_t pid, int& status)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            const pid_t ended = waitpid(pid, &status, WNOHANG);
            if (ended == pid || (ended < 0 && errno != EINTR))
                return;
            if (std::chrono::steady_clock::now() > deadline)
                kill(pid, SIGKILL);
            usleep(2000);
        }
    }

    const std::vector<TRunBox>& Boxes_;
    const std::vector<TPictureJob>& Jobs_;
    const std::vector<std::pair<size_t, size_t>>& Groups_;
    const TPictureDone& Done_;
    std::vector<TWorker> Workers_;
    size_t NextGroup_ = 0;
};

} // namespace

void DrawInWorkers(const std::vector<TRunBox>& boxes, const std::vector<TPictureJob>& jobs,
                   const std::vector<std::pair<size_t, size_t>>& groups, int workers, const TPictureDone& done)
{
    // Each worker's GL driver draws in the worker's own thread, with none of
    // its own to hand the work to: the workers share the cores.
    if (workers > 1)
        setenv("LP_NUM_THREADS", "0", 0);
    signal(SIGPIPE, SIG_IGN);
    TPool pool(boxes, jobs, groups, done);
    pool.Run(workers);
}
