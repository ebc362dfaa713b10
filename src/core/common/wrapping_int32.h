#pragma once
// The counters are 32-bit, and a sum or difference that leaves their range
// wraps around (two's complement) rather than trapping or saturating: a
// count read back is always the low 32 bits of the true one.

#include <cstdint>

namespace quorvath {

// The low 32 bits of `value` as a signed 32-bit number. Sums of a few
// counters are done in 64 bits and wrapped once here.
constexpr std::int32_t wrapToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace quorvath
