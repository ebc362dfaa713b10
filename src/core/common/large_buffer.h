#pragma once
// Room for the big buffers of a loaded log (its text as read, separated and
// rendered).
// They are first written in one go, and on Linux transparent huge pages make
// that first touch many times cheaper: one page fault per 2 MiB instead of
// per 4 KiB (measured: about 0.5 s less for a 100 MB log). Only a hint; on
// other systems, or for small buffers, just a reserve.

#include <cstddef>
#include <thread>

namespace quorvath {

void adviseHugePages(const void* data, std::size_t size);
// Gives the whole pages of [data, data + size) back to the system; they read
// as zeros when touched again. Only a hint, like the one above.
void releasePages(const void* data, std::size_t size);

// Faults in the pages of [data, data + size) on a thread of its own, for a
// caller about to write them (first-touching a large buffer costs about as
// much as copying into it); the thread is joined as the result goes out of
// scope. Contents are left alone. Only a hint, on Linux, for large ranges.
std::jthread faultInPages(const void* data, std::size_t size);

// Reserves room for `size` elements of a string or byte vector, asking for
// huge pages when the buffer is newly allocated.
template <typename Buffer> void reserveLarge(Buffer& buffer, std::size_t size) {
    if (size <= buffer.capacity())
        return;
    buffer.reserve(size);
    adviseHugePages(buffer.data(), buffer.capacity());
}

// Gives back the memory of a buffer's room beyond its size: a log's text
// shrinks while it is rendered, and would otherwise keep the pages of the
// longer text it was read as. The room stays reserved.
template <typename Buffer> void releaseUnusedRoom(Buffer& buffer) {
    const std::size_t used = (buffer.size() + 1) * sizeof(buffer[0]); // a string's terminator too
    const std::size_t room = buffer.capacity() * sizeof(buffer[0]);
    if (room > used)
        releasePages(reinterpret_cast<const char*>(buffer.data()) + used, room - used);
}

} // namespace quorvath
