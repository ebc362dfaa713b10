#include "core/common/large_buffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quorvath {

void adviseHugePages(const void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t worthIt = std::size_t{4} << 20;
    if (size < worthIt)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin,
                MADV_HUGEPAGE); // a hint: errors ignored
#else
    (void)data;
    (void)size;
#endif
}

void releasePages(const void* data, std::size_t size) {
#if defined(__linux__)
    constexpr std::size_t worthIt = std::size_t{1} << 20;
    if (size < worthIt)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED); // errors ignored
#else
    (void)data;
    (void)size;
#endif
}

} // namespace quorvath
