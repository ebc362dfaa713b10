#pragma once
// Shared by the history tests: generated match logs, a history in a real
// database (support/history_backend.h), and the tables to hold it to.

#include "core/history/history_import.h"
#include "core/history/history_totals.h"
#include "core/stats/player_table.h"
#include "support/history_backend.h"
#include "support/test_support.h"

#include <memory>
#include <string>

namespace quorvath::test {

// gen-log --match TYPE: PREFIX-{console,games,server}.log and the truth.
void generateMatch(const std::string& type, const std::string& prefix, int seed = 11, int maps = 8);

std::unique_ptr<HistoryStore> openHistory(const std::string& path);

// Runs `sql` on the history at `path` as another program would.
void runOnHistory(const std::string& path, const std::string& sql);
// The schema's version before match results, and what takes a history of
// this backend back to it.
inline constexpr int kVersionBeforeResults = 3;
std::string sqlDroppingResults();

// A store that hands every call on to another: a test overrides the one it
// needs to disturb.
class ForwardingStore : public HistoryStore {
public:
    explicit ForwardingStore(HistoryStore& store) : store_(store) {}
    HistoryError lastState(const std::string& path, LogState& state) override {
        return store_.lastState(path, state);
    }
    HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                            int& added) override {
        return store_.storeBatch(log, matches, added);
    }
    HistoryError readMatches(const HistorySelection& selection,
                             const MatchVisitor& visit) override {
        return store_.readMatches(selection, visit);
    }
    HistoryError readFingerprints(const HistorySelection& selection,
                                  std::vector<std::string>& fingerprints) override {
        return store_.readFingerprints(selection, fingerprints);
    }
    HistoryError readTotals(KeptTotals& totals, bool& kept) override {
        return store_.readTotals(totals, kept);
    }
    HistoryError refreshTotals() override { return store_.refreshTotals(); }
    HistoryError addDecision(PeopleDecision& d) override { return store_.addDecision(d); }
    HistoryError forgetDecision(std::int64_t id, bool& forgotten) override {
        return store_.forgetDecision(id, forgotten);
    }
    HistoryError readDecisions(std::vector<PeopleDecision>& d) override {
        return store_.readDecisions(d);
    }

private:
    HistoryStore& store_;
};

struct Counted {
    PlayerTable players;
    CountingScope scope;
    int matches = 0;
};

// The history's selected matches, added up.
Counted countHistory(HistoryStore& store, const HistorySelection& selection = {});
// The log at `path` counted Accurate, as `quorvath-report LOG --counting accurate` counts it.
Counted countLog(const std::string& path);

// Every player's name, counters, aliases and kills per opponent, and the
// counters the scope leaves out, equal.
void expectSameCounts(const Counted& history, const Counted& log);

} // namespace quorvath::test
