#include "core/match/log_kind.h"

#include "core/common/name_table.h"
#include "core/match/server_line.h"

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
// Lines a console log has and a server log does not: the loading block,
// and names closed by "^7" outside machine lines.
constexpr std::string_view kConsoleMarks[] = {"^7", "Current search path:"};

struct LineCounts {
    std::size_t timed = 0;   // machine lines after the game time
    std::size_t untimed = 0; // machine lines without it
    std::size_t console = 0;
};

void countLines(std::string_view bytes, std::size_t from, LineCounts& counts) {
    for (std::size_t n = 0; n < kSampleLines && from < bytes.size(); ++n) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(from, end - from);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        from = end + 1;
        const ServerLine line = cutServerLine(text);
        if (line.type != ServerLineType::Other) {
            ++(line.time.empty() ? counts.untimed : counts.timed);
            continue;
        }
        for (std::string_view mark : kConsoleMarks)
            if (text.find(mark) != std::string_view::npos) {
                ++counts.console;
                break;
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

// `part` is a sizeable share (a tenth or more) of `whole`.
bool sizeable(std::size_t part, std::size_t whole) { return part * 10 >= whole && part > 0; }

} // namespace

LogKindDetection detectLogKind(std::string_view bytes) {
    LineCounts counts;
    // The middle and the end too: a file may be two logs one after the other.
    for (std::size_t place : {std::size_t{0}, bytes.size() / 2, bytes.size() - bytes.size() / 8})
        countLines(bytes, lineStartFrom(bytes, place), counts);
    const std::size_t machine = counts.timed + counts.untimed;
    if (machine == 0)
        return {LogKind::PlayerConsole,
                counts.console > 0 ? KindEvidence::Lines : KindEvidence::Unknown};
    // A stray line of the other kind does not make a log mixed; a tenth does.
    if (counts.console >= machine)
        return {LogKind::PlayerConsole,
                sizeable(machine, counts.console) ? KindEvidence::Mixed : KindEvidence::Lines};
    if (sizeable(counts.console, machine))
        return {LogKind::PlayerConsole, KindEvidence::Mixed};
    if (sizeable(counts.timed, machine) && sizeable(counts.untimed, machine))
        return {LogKind::PlayerConsole, KindEvidence::Mixed};
    return {counts.timed >= counts.untimed ? LogKind::ServerGameLog : LogKind::ServerConsole,
            KindEvidence::Lines};
}

bool isServerLog(LogKind kind) { return kind != LogKind::PlayerConsole; }

std::string_view logKindName(LogKind kind) { return nameIn(kKindNames, kind); }

std::optional<LogKind> logKindNamed(std::string_view word) {
    for (const auto& [k, name] : kKindWords)
        if (name == word)
            return k;
    return std::nullopt;
}

std::string describeLogKind(const LogKindDetection& detection) {
    const std::string name(logKindName(detection.kind));
    switch (detection.evidence) {
    case KindEvidence::Mixed: return "mixed kinds of lines, read as a " + name;
    case KindEvidence::Unknown: return "no known kind of lines, read as a " + name;
    default: return name;
    }
}

CountingMode countingModeFor(LogKind kind, CountingMode preferred) {
    return isServerLog(kind) ? CountingMode::Accurate : preferred;
}

} // namespace quorvath
