#include "core/history/totals_keeper.h"

#include "core/history/record_coding.h"

namespace quorvath {

std::optional<KeptTotals> decodeTotals(const StoredTotals& rows) {
    KeptTotals kept;
    kept.matches = rows.matches;
    if (!decodeScope(rows.unrecorded, kept.scope))
        return std::nullopt;
    for (const std::string& name : rows.names)
        if (!decodeNameTotals(name, kept.names.emplace_back()))
            return std::nullopt;
    for (const std::string& renames : rows.renames)
        if (!decodeMatchRenames(renames, kept.renames))
            return std::nullopt;
    return kept;
}

HistoryError readKeptTotals(TotalsTables& tables, KeptTotals& totals, bool& kept) {
    StoredTotals rows;
    kept = false;
    if (auto error = tables.readHead(rows))
        return error;
    if (!rows.kept)
        return std::nullopt;
    if (auto error = tables.readRows(rows))
        return error;
    std::optional<KeptTotals> decoded = decodeTotals(rows);
    kept = decoded.has_value();
    if (kept)
        totals = std::move(*decoded);
    return std::nullopt;
}

HistoryError TotalsKeeper::update(TotalsTables& tables, const std::vector<BatchMatch>& stored) {
    StoredTotals rows;
    if (auto error = tables.readHead(rows))
        return error;
    if (!rows.kept) {
        forget();
        return std::nullopt;
    }
    if (stored.empty())
        return std::nullopt;
    if (!holds(rows.version)) {
        if (auto error = tables.readRows(rows))
            return error;
        load(rows, rows.version);
    }
    for (const BatchMatch& m : stored)
        if (!totals_ || m.completed || !add(*m.match, m.place)) {
            forget();
            return tables.drop(rows.version + 1);
        }
    if (auto error = tables.write(changes(), rows.version + 1, false))
        return error;
    wrote(rows.version + 1);
    return std::nullopt;
}

HistoryError TotalsKeeper::rebuild(TotalsTables& tables, bool always) {
    StoredTotals rows;
    if (auto error = tables.readHead(rows))
        return error;
    if (rows.kept && !always)
        return std::nullopt;
    load(StoredTotals{}, 0);
    if (auto error = tables.forEachMatch(
            [&](const MatchRecord& match, const MatchPlace& place) { add(match, place); }))
        return error;
    if (auto error = tables.write(changes(), rows.version + 1, true))
        return error;
    wrote(rows.version + 1);
    return std::nullopt;
}

bool TotalsKeeper::load(const StoredTotals& rows, std::int64_t version) {
    forget();
    std::optional<KeptTotals> kept = decodeTotals(rows);
    players_ = std::make_unique<PlayerTable>();
    totals_.emplace(*players_);
    if (!kept || !totals_->resume(std::move(*kept))) {
        forget();
        return false;
    }
    totals_->takeTouched();
    last_ = rows.last;
    version_ = version;
    renamesWritten_ = totals_->renames().size();
    return true;
}

bool TotalsKeeper::add(const MatchRecord& match, const MatchPlace& place) {
    if (!totals_ || (totals_->matches() > 0 && place < last_)) {
        forget();
        return false;
    }
    totals_->add(match);
    last_ = place;
    return true;
}

KeptRows TotalsKeeper::changes() {
    KeptRows rows{totals_->matches(), last_, encodeScope(totals_->scope()), {}, {}};
    for (int slot : totals_->takeTouched())
        rows.names.emplace_back(slot, encodeNameTotals(totals_->nameTotals(slot)));
    const std::vector<SlotRenames>& renames = totals_->renames();
    if (renamesWritten_ < renames.size()) // one row for the batch
        rows.renames.emplace_back(static_cast<std::int64_t>(renamesWritten_),
                                  encodeMatchRenames(renames, renamesWritten_));
    renamesWritten_ = renames.size();
    return rows;
}

void TotalsKeeper::forget() {
    totals_.reset();
    players_.reset();
    renamesWritten_ = 0;
}

} // namespace quorvath
