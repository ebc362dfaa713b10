#pragma once
// A store's hold on the whole history's kept totals across the batches it
// stores: the totals as its rows held them at a version (read again only
// when another program wrote them since), gone on from a match at a time in
// the order played, and the rows each batch writes back. A store keeps the
// totals in three tables (docs/history.md): one row of `KeptRows`' head, a
// row per name, a row of renames per batch.

#include "core/history/history_totals.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvath {

// What a batch writes: the head row, the names whose totals changed and the
// renames of the matches added, each as stored (record_coding.h).
struct KeptRows {
    std::int64_t matches = 0;
    MatchPlace last{};
    std::string unrecorded;
    std::vector<std::pair<std::int64_t, std::string>> names; // slot, totals
    // The first match's number among those with renames, their renames.
    std::vector<std::pair<std::int64_t, std::string>> renames;
};

// The rows as read back, before they are decoded.
struct StoredTotals {
    bool kept = false;        // false: a batch dropped them
    std::int64_t version = 0; // one more with every write or drop
    std::int64_t matches = 0;
    MatchPlace last{};
    std::string unrecorded;
    std::vector<std::string> names;   // by slot from 1
    std::vector<std::string> renames; // in order
};

// The totals the rows hold; nothing for rows no import wrote.
std::optional<KeptTotals> decodeTotals(const StoredTotals& rows);

// What a backend gives the keeper, inside its transaction. A failure is a
// message (a backend may throw instead).
class TotalsTables {
public:
    virtual ~TotalsTables() = default;
    // The head row: kept, version and the head's fields, locked against
    // other writers until the transaction ends.
    virtual HistoryError readHead(StoredTotals& rows) = 0;
    // The names' and the renames' rows, in order.
    virtual HistoryError readRows(StoredTotals& rows) = 0;
    // The head as kept at `version`, then the rows (all others deleted first
    // when `whole`).
    virtual HistoryError write(const KeptRows& rows, std::int64_t version, bool whole) = 0;
    // The head as dropped at `version`, the other rows deleted.
    virtual HistoryError drop(std::int64_t version) = 0;
    // Every match stored, in the order played, with its place.
    using PlacedVisitor = std::function<void(const MatchRecord&, const MatchPlace&)>;
    virtual HistoryError forEachMatch(const PlacedVisitor& visit) = 0;
};

// The totals the tables keep; `kept` false when they were dropped or do not
// decode (a query then adds up every match).
HistoryError readKeptTotals(TotalsTables& tables, KeptTotals& totals, bool& kept);

// A match a batch stored (or completed: replaced an unfinished one).
struct BatchMatch {
    const MatchRecord* match = nullptr;
    MatchPlace place{};
    bool completed = false;
};

class TotalsKeeper {
public:
    // In a batch's transaction, after its matches are stored: the kept
    // totals go on with `stored`, or are dropped when they cannot.
    HistoryError update(TotalsTables& tables, const std::vector<BatchMatch>& stored);
    // Every match added up again and kept: always (`always`, a migration),
    // else only when the totals were dropped.
    HistoryError rebuild(TotalsTables& tables, bool always);

    // Whether it holds the totals the rows held at `version`.
    bool holds(std::int64_t version) const { return totals_ && version_ == version; }
    // Goes on from the rows read at `version` (an empty history's when they
    // are empty); false, holding nothing, for rows no import wrote.
    bool load(const StoredTotals& rows, std::int64_t version);
    // Adds a match a batch stored at `place`; false, holding nothing, when
    // it comes before the last match added (the totals cannot go on).
    bool add(const MatchRecord& match, const MatchPlace& place);
    // The rows of what changed since load() or the last call: the head, the
    // names touched and the new renames (everything after load()).
    KeptRows changes();
    // The rows changes() gave are stored at `version`.
    void wrote(std::int64_t version) { version_ = version; }
    // Holds nothing (a batch failed, or the totals were dropped).
    void forget();

private:
    std::unique_ptr<PlayerTable> players_;
    std::optional<HistoryTotals> totals_;
    MatchPlace last_{};
    std::int64_t version_ = 0;
    std::size_t renamesWritten_ = 0;
};

} // namespace quorvath
