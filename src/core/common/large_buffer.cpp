#include "core/common/large_buffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quorvath {

namespace {

#if defined(__linux__)
// Gives the whole pages within [data, data + size) the advice, when there are
// at least `worthIt` bytes. Only a hint: errors are ignored.
void advisePages(const void* data, std::size_t size, std::size_t worthIt, int advice) {
    if (size < worthIt)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}
#endif

} // namespace

void adviseHugePages(const void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    advisePages(data, size, std::size_t{4} << 20, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

std::jthread faultInPages(const void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr std::size_t worthIt = std::size_t{8} << 20; // below, a thread costs more
    if (size >= worthIt)
        return std::jthread(
            [data, size] { advisePages(data, size, worthIt, MADV_POPULATE_WRITE); });
#else
    (void)data;
    (void)size;
#endif
    return {};
}

void releasePages(const void* data, std::size_t size) {
#if defined(__linux__)
    advisePages(data, size, std::size_t{1} << 20, MADV_DONTNEED);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace quorvath
