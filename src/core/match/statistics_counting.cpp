#include "core/match/statistics_counting.h"

#include "core/match/accurate_pass.h"

namespace quorvath {

std::optional<std::string> countStatistics(const LogDocument& doc, const std::string& path,
                                           LogKind kind, const CountingChoice& choice,
                                           PlayerTable& players, CountingScope& scope,
                                           Progress& progress, const ScanStarted& scanStarted) {
    if (countingModeFor(kind, choice.preferred) == CountingMode::Classic) {
        runStatisticsPass(doc, players, progress, scanStarted);
        scope = CountingScope{};
        return std::nullopt;
    }
    AccurateOptions options;
    options.includeWarmup = choice.includeWarmup;
    return countAccuratelyFromFile(path, kind, options, players, scope, progress);
}

} // namespace quorvath
