#pragma once
// The carets of a stretch of text, found 64 positions at a time: each
// block's carets become the bits of one word, so the next caret is a bit
// scan instead of a library call per caret (a log has a caret every 14
// characters or so).

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvath {

class CaretScan {
public:
    // The carets of [begin, end) of `text`, one after the other. The text
    // from the last caret returned on must not change while the scan goes on.
    CaretScan(const char* text, std::size_t begin, std::size_t end)
        : text_(text), end_(end), base_(begin), bits_(caretsAt(begin)) {}

    // The next caret, or the end.
    std::size_t next() {
        while (bits_ == 0) {
            base_ += kBlock;
            if (base_ >= end_)
                return end_;
            bits_ = caretsAt(base_);
        }
        const std::size_t caret = base_ + static_cast<std::size_t>(std::countr_zero(bits_));
        bits_ &= bits_ - 1;
        return caret;
    }

private:
    static constexpr std::size_t kBlock = 64;

    // A bit per caret in [at, at + 64), none past the end (which is not read:
    // another thread may be writing there).
    std::uint64_t caretsAt(std::size_t at) const {
        const char* t = text_ + at;
        std::uint64_t bits = 0;
        if (end_ - std::min(at, end_) < kBlock) {
            for (std::size_t i = 0; at + i < end_; ++i)
                bits |= std::uint64_t{t[i] == '^'} << i;
            return bits;
        }
#if defined(__SSE2__)
        const __m128i caret = _mm_set1_epi8('^');
        for (std::size_t k = 0; k < kBlock; k += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k));
            bits |= std::uint64_t{static_cast<std::uint16_t>(
                        _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, caret)))}
                    << k;
        }
#else
        for (std::size_t i = 0; i < kBlock; ++i)
            bits |= std::uint64_t{t[i] == '^'} << i;
#endif
        return bits;
    }

    const char* text_;
    std::size_t end_;
    std::size_t base_;   // the block in bits_ starts here
    std::uint64_t bits_; // its carets not yet returned
};

} // namespace quorvath
