#include "render/picture/BackgroundRows.h"

#include <utility>

TBackgroundRows::TBackgroundRows(TPictureRows& to, int width)
    : To_(to), Width_(size_t(width)), Thread_([this] { Work(); })
{
}

TBackgroundRows::~TBackgroundRows()
{
    {
        const std::lock_guard<std::mutex> lock(Lock_);
        Stopping_ = true;
    }
    Changed_.notify_all();
    Thread_.join();
}

void TBackgroundRows::WaitIdle(std::unique_lock<std::mutex>& lock)
{
    Changed_.wait(lock, [this] { return !InHand_; });
    if (Failure_)
        std::rethrow_exception(std::exchange(Failure_, nullptr));
}

void TBackgroundRows::Put(int first, int count, const uint32_t* rows)
{
    std::unique_lock<std::mutex> lock(Lock_);
    WaitIdle(lock);
    Rows_->assign(rows, rows + size_t(count) * Width_);
    First_ = first;
    Count_ = count;
    InHand_ = true;
    lock.unlock();
    Changed_.notify_all();
}

void TBackgroundRows::Finish()
{
    std::unique_lock<std::mutex> lock(Lock_);
    WaitIdle(lock);
}

void TBackgroundRows::Work()
{
    std::unique_lock<std::mutex> lock(Lock_);
    for (;;) {
        Changed_.wait(lock, [this] { return InHand_ || Stopping_; });
        if (!InHand_)
            return;
        lock.unlock();
        std::exception_ptr failure;
        try {
            To_.Put(First_, Count_, Rows_->data());
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        Failure_ = failure;
        InHand_ = false;
        Changed_.notify_all();
    }
}
