#include "core/history/record_coding.h"

#include <cstdint>

namespace quorvath {

namespace {

void put(std::string& out, std::uint32_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

// Reads one number from the front of `bytes`; nothing when it is cut short
// or longer than 32 bits.
std::optional<std::uint32_t> take(std::string_view& bytes) {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 35 && !bytes.empty(); shift += 7) {
        const auto byte = static_cast<std::uint8_t>(bytes.front());
        bytes.remove_prefix(1);
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

bool isCounter(std::uint32_t c) { return c >= kFirstCounter && c <= kLastCounter; }

} // namespace

std::string encodeCounters(const std::array<std::int32_t, kLastCounter + 1>& counters) {
    std::string out;
    for (std::size_t c = kFirstCounter; c <= kLastCounter; ++c)
        if (counters[c] != 0) {
            put(out, static_cast<std::uint32_t>(c));
            put(out, static_cast<std::uint32_t>(counters[c]));
        }
    return out;
}

std::string encodeKills(const std::vector<MatchKills>& kills) {
    std::string out;
    for (const MatchKills& k : kills)
        for (std::int32_t n : {k.killer, k.victim, k.count})
            put(out, static_cast<std::uint32_t>(n));
    return out;
}

std::string encodeRenames(const std::vector<std::pair<std::int32_t, std::int32_t>>& renames) {
    std::string out;
    for (const auto& [old, renamed] : renames) {
        put(out, static_cast<std::uint32_t>(old));
        put(out, static_cast<std::uint32_t>(renamed));
    }
    return out;
}

std::string encodeScope(const CountingScope& scope) {
    std::string out;
    for (std::uint32_t c = kFirstCounter; c <= kLastCounter; ++c)
        if (!scope.records(static_cast<Counter>(c)))
            put(out, c);
    return out;
}

bool decodeCounters(std::string_view bytes, std::array<std::int32_t, kLastCounter + 1>& counters) {
    counters.fill(0);
    while (!bytes.empty()) {
        const auto c = take(bytes), value = take(bytes);
        if (!c || !value || !isCounter(*c))
            return false;
        counters[*c] = static_cast<std::int32_t>(*value);
    }
    return true;
}

bool decodeKills(std::string_view bytes, std::vector<MatchKills>& kills) {
    kills.clear();
    while (!bytes.empty()) {
        const auto killer = take(bytes), victim = take(bytes), count = take(bytes);
        if (!killer || !victim || !count)
            return false;
        kills.push_back({static_cast<std::int32_t>(*killer), static_cast<std::int32_t>(*victim),
                         static_cast<std::int32_t>(*count)});
    }
    return true;
}

bool decodeRenames(std::string_view bytes,
                   std::vector<std::pair<std::int32_t, std::int32_t>>& renames) {
    renames.clear();
    while (!bytes.empty()) {
        const auto old = take(bytes), renamed = take(bytes);
        if (!old || !renamed)
            return false;
        renames.emplace_back(static_cast<std::int32_t>(*old), static_cast<std::int32_t>(*renamed));
    }
    return true;
}

bool decodeScope(std::string_view bytes, CountingScope& scope) {
    scope = CountingScope();
    scope.mode = CountingMode::Accurate;
    while (!bytes.empty()) {
        const auto c = take(bytes);
        if (!c || !isCounter(*c))
            return false;
        scope.setUnrecorded(static_cast<Counter>(*c));
    }
    return true;
}

namespace {
constexpr const char* kResultFrom[] = {"nothing", "scores", "rounds"};
} // namespace

const char* resultFromText(TeamResult::From from) {
    return kResultFrom[static_cast<std::size_t>(from)];
}

bool readResultFrom(std::string_view text, TeamResult::From& from) {
    for (std::size_t i = 0; i < std::size(kResultFrom); ++i)
        if (text == kResultFrom[i]) {
            from = static_cast<TeamResult::From>(i);
            return true;
        }
    return false;
}

} // namespace quorvath
