#include "core/match/log_kind.h"

#include "core/common/name_table.h"
#include "core/match/server_line.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorvath {

namespace {

constexpr std::array<std::pair<LogKind, std::string_view>, 3> kKindNames = {{
    {LogKind::PlayerConsole, "player console log"},
    {LogKind::ServerGameLog, "server game log"},
    {LogKind::ServerConsole, "server console log"},
}};

constexpr std::array<std::pair<LogKind, std::string_view>, 3> kKindWords = {{
    {LogKind::PlayerConsole, "player"},
    {LogKind::ServerGameLog, "game"},
    {LogKind::ServerConsole, "server"},
}};

constexpr std::size_t kSampleLines = 2000; // per place looked at
// Lines only a player's client writes: the loading block, and names closed
// by "^7" outside machine lines (unless the line echoes chat).
constexpr std::string_view kConsoleMarks[] = {"^7", "Current search path:"};

using LineCounts = std::array<std::size_t, kKindNames.size()>; // by LogKind

std::size_t& countOf(LineCounts& counts, LogKind kind) {
    return counts[static_cast<std::size_t>(kind)];
}

// Counts each line as evidence of the kind that writes it. A machine line is
// a server's, with the game time or without (chat can quote one, but then
// the line starts with the speaker, not the keyword); a chat line echoed
// right after its say line a dedicated console's.
void countLines(std::string_view bytes, std::size_t from, LineCounts& counts) {
    ChatEchoes echoes;
    for (std::size_t n = 0; n < kSampleLines && from < bytes.size(); ++n) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(from, end - from);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        from = end + 1;
        const ServerLine line = cutServerLine(text);
        if (echoes.isEcho(line)) {
            ++countOf(counts, LogKind::ServerConsole);
        } else if (line.type != ServerLineType::Other) {
            ++countOf(counts, line.time.empty() ? LogKind::ServerConsole : LogKind::ServerGameLog);
        } else {
            for (std::string_view mark : kConsoleMarks)
                if (text.find(mark) != std::string_view::npos) {
                    ++countOf(counts, LogKind::PlayerConsole);
                    break;
                }
        }
    }
}

// The start of the first line at or after `at`.
std::size_t lineStartFrom(std::string_view bytes, std::size_t at) {
    if (at == 0)
        return 0;
    const std::size_t lf = bytes.find('\n', at - 1);
    return lf == std::string_view::npos ? bytes.size() : lf + 1;
}

// `part` is a sizeable share (a tenth or more) of `whole`: a stray line of
// another kind does not make a log mixed; a tenth does.
bool sizeable(std::size_t part, std::size_t whole) { return part * 10 >= whole && part > 0; }

} // namespace

LogKindDetection detectLogKind(std::string_view bytes) {
    LogKindDetection found;
    LineCounts& counts = found.lines;
    // The middle and the end too: a file may be two logs one after the other.
    for (std::size_t place : {std::size_t{0}, bytes.size() / 2, bytes.size() - bytes.size() / 8})
        countLines(bytes, lineStartFrom(bytes, place), counts);
    const LogKind most =
        static_cast<LogKind>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    const std::size_t mostLines = countOf(counts, most);
    if (mostLines == 0)
        return found; // nothing known: read as a player's console log
    found.evidence = KindEvidence::Lines;
    for (std::size_t kind = 0; kind < counts.size(); ++kind)
        if (kind != static_cast<std::size_t>(most) && sizeable(counts[kind], mostLines))
            found.evidence = KindEvidence::Mixed;
    found.kind = found.evidence == KindEvidence::Mixed ? LogKind::PlayerConsole : most;
    return found;
}

bool isServerLog(LogKind kind) { return kind != LogKind::PlayerConsole; }

std::string_view logKindName(LogKind kind) { return nameIn(kKindNames, kind); }

std::optional<LogKind> logKindNamed(std::string_view word) {
    for (const auto& [k, name] : kKindWords)
        if (name == word)
            return k;
    return std::nullopt;
}

namespace {

// "player console log 60%, server game log 40%": the kinds the lines looked
// at were of, most first.
std::string shares(const LogKindDetection& detection) {
    std::size_t all = 0;
    for (std::size_t lines : detection.lines)
        all += lines;
    std::array<std::size_t, kKindNames.size()> order = {0, 1, 2};
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return detection.lines[a] > detection.lines[b];
    });
    std::string out;
    for (std::size_t kind : order) {
        if (detection.lines[kind] == 0)
            continue;
        if (!out.empty())
            out += ", ";
        out += std::string(logKindName(static_cast<LogKind>(kind))) + " " +
               std::to_string((detection.lines[kind] * 100 + all / 2) / all) + "%";
    }
    return out;
}

} // namespace

std::string describeLogKind(const LogKindDetection& detection) {
    const std::string name(logKindName(detection.kind));
    switch (detection.evidence) {
    case KindEvidence::Mixed:
        return "mixed kinds of lines (" + shares(detection) + "), read as a " + name;
    case KindEvidence::Unknown: return "no known kind of lines, read as a " + name;
    default: return name;
    }
}

std::string describeLogCounting(const LogKindDetection& detection, CountingMode mode) {
    return describeLogKind(detection) + ", " + std::string(countingModeName(mode)) + " counting";
}

CountingMode countingModeFor(LogKind kind, CountingMode preferred) {
    return isServerLog(kind) ? CountingMode::Accurate : preferred;
}

} // namespace quorvath
