#include "render/BackgroundRows.h"

#include <utility>

TBackgroundRows::TBackgroundRows(TPictureRows& to, int width)
    : To(to), Width(size_t(width)), Thread([this] { Work(); })
{
}

TBackgroundRows::~TBackgroundRows()
{
    {
        const std::lock_guard<std::mutex> lock(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    Thread.join();
}

void TBackgroundRows::WaitIdle(std::unique_lock<std::mutex>& lock)
{
    Changed.wait(lock, [this] { return !InHand; });
    if (Failure)
        std::rethrow_exception(std::exchange(Failure, nullptr));
}

void TBackgroundRows::Put(int first, int count, const uint32_t* rows)
{
    std::unique_lock<std::mutex> lock(Lock);
    WaitIdle(lock);
    Rows.assign(rows, rows + size_t(count) * Width);
    First = first;
    Count = count;
    InHand = true;
    lock.unlock();
    Changed.notify_all();
}

void TBackgroundRows::Finish()
{
    std::unique_lock<std::mutex> lock(Lock);
    WaitIdle(lock);
}

void TBackgroundRows::Work()
{
    std::unique_lock<std::mutex> lock(Lock);
    for (;;) {
        Changed.wait(lock, [this] { return InHand || Stopping; });
        if (!InHand)
            return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            To.Put(First, Count, Rows.data());
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        Failure = failure;
        InHand = false;
        Changed.notify_all();
    }
}
