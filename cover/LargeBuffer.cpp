#include "cover/LargeBuffer.h"

#include <algorithm>
#include <bit>
#include <deque>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The buffers kept: a few images' worth, however long a run goes on.
constexpr size_t MaxKept = 4;
constexpr size_t MaxKeptBytes = size_t(48) << 20;
// Smaller buffers come and go in the heap's own memory.
constexpr size_t MinKeptBytes = size_t(64) << 10;

struct TKept {
    std::unique_ptr<uint8_t[]> Buffer;
    size_t Capacity = 0;
};

struct TPool {
    std::mutex Lock;
    std::deque<TKept> Kept;  // the longest kept first
    size_t Bytes = 0;
};

TPool& Pool()
{
    static TPool pool;
    return pool;
}

std::unique_ptr<uint8_t[]> Fresh(size_t capacity)
{
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[capacity]);
#ifdef MADV_HUGEPAGE
    constexpr size_t HugePage = size_t(2) << 20;
    if (buffer && capacity >= 2 * HugePage) {
        const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
        const uintptr_t start = (uintptr_t(buffer.get()) + page - 1) & ~(page - 1);
        const uintptr_t end = (uintptr_t(buffer.get()) + capacity) & ~(page - 1);
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);  // a hint: failure is harmless
    }
#endif
    return buffer;
}

} // namespace

size_t LargeBufferCapacity(size_t size)
{
    if (size <= 8)
        return std::max<size_t>(size, 1);
    // Eight classes between each power of two and the next.
    const size_t step = std::bit_floor(size - 1) / 8;
    return (size - 1) / step * step + step;
}

std::unique_ptr<uint8_t[]> AllocateLargeBuffer(size_t size)
{
    const size_t capacity = LargeBufferCapacity(size);
    {
        TPool& pool = Pool();
        const std::lock_guard lock(pool.Lock);
        const auto kept = std::find_if(pool.Kept.begin(), pool.Kept.end(),
                                       [&](const TKept& k) { return k.Capacity == capacity; });
        if (kept != pool.Kept.end()) {
            std::unique_ptr<uint8_t[]> buffer = std::move(kept->Buffer);
            pool.Bytes -= capacity;
            pool.Kept.erase(kept);
            return buffer;
        }
    }
    return Fresh(capacity);
}

void ReuseLargeBuffer(std::unique_ptr<uint8_t[]> buffer, size_t size)
{
    const size_t capacity = LargeBufferCapacity(size);
    if (!buffer || capacity < MinKeptBytes || capacity > MaxKeptBytes)
        return;
    TPool& pool = Pool();
    std::deque<TKept> gone;  // freed once the lock is let go
    const std::lock_guard lock(pool.Lock);
    pool.Kept.push_back({std::move(buffer), capacity});
    pool.Bytes += capacity;
    while (pool.Kept.size() > MaxKept || pool.Bytes > MaxKeptBytes) {
        pool.Bytes -= pool.Kept.front().Capacity;
        gone.push_back(std::move(pool.Kept.front()));
        pool.Kept.pop_front();
    }
}

size_t KeptLargeBufferBytes()
{
    TPool& pool = Pool();
    const std::lock_guard lock(pool.Lock);
    return pool.Bytes;
}
