// The kind of a long log is told from its middle and end as well as its
// start: a log whose first few thousand lines no kind writes is still known.

#include "core/match/log_kind.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvath {
namespace {

std::string lines(const std::string& line, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += line + "\r\n";
    return out;
}

TEST(LogKind, ALongStartOfUnknownLinesHidesNoKind) {
    const std::string start = "Loading the server settings";
    const std::string preamble = lines(start, 3000);
    const std::string timed =
        lines("  0:06 Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE", 3000);
    const std::string untimed =
        lines("Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE", 3000);
    const struct {
        std::string bytes;
        LogKind kind;
    } cases[] = {
        {preamble + timed, LogKind::ServerGameLog},
        {preamble + untimed, LogKind::ServerConsole},
        {lines(start, 12000) + timed, LogKind::ServerGameLog}, // only the end shows it
    };
    for (const auto& c : cases) {
        const LogKindDetection found = detectLogKind(c.bytes);
        EXPECT_EQ(found.kind, c.kind) << c.bytes.size();
        EXPECT_EQ(found.evidence, KindEvidence::Lines) << c.bytes.size();
    }
}

} // namespace
} // namespace quorvath
