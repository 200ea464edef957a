#include "cover/LargeBuffer.h"

#include <new>
#include <sys/mman.h>
#include <unistd.h>

std::unique_ptr<uint8_t[]> AllocateLargeBuffer(size_t size)
{
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
#ifdef MADV_HUGEPAGE
    constexpr size_t HugePage = size_t(2) << 20;
    if (buffer && size >= 2 * HugePage) {
        const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
        const uintptr_t start = (uintptr_t(buffer.get()) + page - 1) & ~(page - 1);
        const uintptr_t end = (uintptr_t(buffer.get()) + size) & ~(page - 1);
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);  // a hint: failure is harmless
    }
#endif
    return buffer;
}
