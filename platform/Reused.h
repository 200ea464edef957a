#pragma once
// A value kept from one job to the next: a worker draws its pictures one after
// another, and a buffer of some megabytes used again costs nothing, where a
// fresh one faults on every page it touches. TReused<T> takes the value the
// last TReused<T> left (or T{} when none is left), and leaves its own when it
// ends; a few are kept, for the jobs of several threads at once.
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

template <typename T>
class TReused {
public:
    TReused()
    {
        const std::lock_guard<std::mutex> lock(Lock_);
        if (!Kept_.empty()) {
            Value_ = std::move(Kept_.back());
            Kept_.pop_back();
        }
    }

    ~TReused()
    {
        const std::lock_guard<std::mutex> lock(Lock_);
        if (Kept_.size() < MaxKept)
            Kept_.push_back(std::move(Value_));
    }

    TReused(const TReused&) = delete;
    TReused& operator=(const TReused&) = delete;

    T& operator*() { return Value_; }
    T* operator->() { return &Value_; }

private:
    static constexpr size_t MaxKept = 4;
    inline static std::mutex Lock_;
    inline static std::vector<T> Kept_;

    T Value_{};
};

// The first size elements of a reused buffer, which grows when it is shorter
// and otherwise keeps its size (and its pages).
template <typename T>
T* ReusedSpace(std::vector<T>& buffer, size_t size)
{
    if (buffer.size() < size)
        buffer.resize(size);
    return buffer.data();
}
