#pragma once
// HistoryStore: where the import and the queries meet the database. The
// import hands it whole batches of matches; the queries read matches back in
// the order they were played. Every failure comes back as a message naming
// the database and the problem; a failed batch stores nothing of itself.
// SQLite is one backend (core/history/sqlite); another is another folder
// behind this interface.
//
// The store keeps the whole history added up (KeptTotals), updated in the
// transaction that stores a batch, so that a query of the whole history need
// not add up every match. A batch that stores a match before the last one
// added up (an older log imported later) or completes an unfinished match
// drops them instead; refreshTotals() adds everything up again.

#include "core/history/kept_totals.h"
#include "core/history/match_record.h"
#include "core/history/people.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvath {

using HistoryError = std::optional<std::string>; // nothing: it worked

class HistoryStore {
public:
    virtual ~HistoryStore() = default;

    // The latest state remembered for the log at `path`; id 0 when none.
    virtual HistoryError lastState(const std::string& path, LogState& state) = 0;

    // In one transaction: remembers `log` (a new log when its id is 0, which
    // is then set), then stores each match whose fingerprint is not stored
    // yet, replacing an unfinished match of the same log at the same place.
    // `added` counts the matches stored.
    virtual HistoryError storeBatch(LogState& log, const std::vector<MatchRecord>& matches,
                                    int& added) = 0;

    // Each selected match in the order played (date, then log, then place in it).
    using MatchVisitor = std::function<void(const MatchRecord&)>;
    virtual HistoryError readMatches(const HistorySelection& selection,
                                     const MatchVisitor& visit) = 0;
    // Each selected match's fingerprint, in the same order: what a reader
    // that kept what it read before compares to know what is new.
    virtual HistoryError readFingerprints(const HistorySelection& selection,
                                          std::vector<std::string>& fingerprints) = 0;

    // The whole history's totals; `kept` false when a batch dropped them.
    virtual HistoryError readTotals(KeptTotals& totals, bool& kept) = 0;
    // Adds the whole history up again when its totals were dropped; nothing
    // to do otherwise. An import of many logs calls it once, at its end.
    virtual HistoryError refreshTotals() = 0;

    // The user's decisions about people, kept apart from the matches (an
    // import never touches them): `decision` is stored and its id set; a
    // forgotten decision is as if never made (`forgotten`: there was one of
    // that id); all decisions come back in the order made.
    virtual HistoryError addDecision(PeopleDecision& decision) = 0;
    virtual HistoryError forgetDecision(std::int64_t id, bool& forgotten) = 0;
    virtual HistoryError readDecisions(std::vector<PeopleDecision>& decisions) = 0;
};

} // namespace quorvath
