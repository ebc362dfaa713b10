#include "core/history/record_coding.h"

#include <cstdint>

namespace quorvath {

namespace {

void put(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

// Reads one number from the front of `bytes`; nothing when it is cut short
// or longer than 64 bits.
std::optional<std::uint64_t> take64(std::string_view& bytes) {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64 && !bytes.empty(); shift += 7) {
        const auto byte = static_cast<std::uint8_t>(bytes.front());
        bytes.remove_prefix(1);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

// A number of up to 32 bits.
std::optional<std::uint32_t> take(std::string_view& bytes) {
    const auto value = take64(bytes);
    if (!value || *value > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

bool isCounter(std::uint32_t c) { return c >= kFirstCounter && c <= kLastCounter; }

void putText(std::string& out, const std::string& text) {
    put(out, text.size());
    out += text;
}

bool takeText(std::string_view& bytes, std::string& text) {
    const auto size = take(bytes);
    if (!size || *size > bytes.size())
        return false;
    text.assign(bytes.substr(0, *size));
    bytes.remove_prefix(*size);
    return true;
}

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

std::string encodeNameTotals(const NameTotals& name) {
    std::string out;
    putText(out, name.name);
    const std::string counters = encodeCounters(name.counters);
    putText(out, counters);
    put(out, name.victims.size());
    for (const OpponentCounts::Entry& victim : name.victims) {
        put(out, static_cast<std::uint32_t>(victim.index));
        put(out, static_cast<std::uint32_t>(victim.count));
    }
    const NameActivity& seen = name.activity;
    for (std::int64_t number : {seen.firstSeen, seen.lastSeen, std::int64_t{seen.matches}})
        put(out, static_cast<std::uint64_t>(number));
    put(out, seen.guids.size());
    for (const std::string& guid : seen.guids)
        putText(out, guid);
    return out;
}

bool decodeNameTotals(std::string_view bytes, NameTotals& name) {
    std::string counters;
    if (!takeText(bytes, name.name) || !takeText(bytes, counters) ||
        !decodeCounters(counters, name.counters))
        return false;
    name.victims.clear();
    const auto victims = take(bytes);
    for (std::uint32_t n = 0; victims && n < *victims; ++n) {
        const auto victim = take(bytes), count = take(bytes);
        if (!victim || !count || *count == 0 ||
            (!name.victims.empty() && std::int64_t{*victim} <= name.victims.back().index))
            return false; // counts other than 0, in ascending order
        name.victims.push_back(
            {static_cast<std::int32_t>(*victim), static_cast<std::int32_t>(*count)});
    }
    NameActivity& seen = name.activity;
    const auto first = take64(bytes), last = take64(bytes);
    const auto matches = take(bytes), guids = take(bytes);
    if (!victims || !first || !last || !matches || !guids)
        return false;
    seen = NameActivity{static_cast<std::int64_t>(*first),
                        static_cast<std::int64_t>(*last),
                        static_cast<int>(*matches),
                        {},
                        0};
    for (std::uint32_t n = 0; n < *guids; ++n)
        if (!takeText(bytes, seen.guids.emplace_back()))
            return false;
    return bytes.empty();
}

std::string encodeMatchRenames(const std::vector<SlotRenames>& renames, std::size_t from) {
    std::string out;
    for (std::size_t m = from; m < renames.size(); ++m) {
        put(out, renames[m].size());
        out += encodeRenames(renames[m]);
    }
    return out;
}

bool decodeMatchRenames(std::string_view bytes, std::vector<SlotRenames>& renames) {
    while (!bytes.empty()) {
        const auto count = take(bytes);
        if (!count || *count == 0)
            return false;
        SlotRenames& match = renames.emplace_back();
        for (std::uint32_t n = 0; n < *count; ++n) {
            const auto old = take(bytes), renamed = take(bytes);
            if (!old || !renamed)
                return false;
            match.emplace_back(static_cast<std::int32_t>(*old),
                               static_cast<std::int32_t>(*renamed));
        }
    }
    return true;
}

bool seatsHold(const MatchRecord& match) {
    const auto seats = static_cast<std::int32_t>(match.players.size());
    const auto seated = [seats](std::int32_t seat) { return seat >= 0 && seat < seats; };
    for (const MatchKills& k : match.kills)
        if (!seated(k.killer) || !seated(k.victim))
            return false;
    for (const auto& [old, renamed] : match.renames)
        if (!seated(old) || !seated(renamed))
            return false;
    return true;
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
