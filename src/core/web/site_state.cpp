#include "core/web/site_state.h"

#include "core/web/page_data.h"

#include <cstring>

namespace quorvath::web {

namespace {

// Counted up whenever the state's bytes mean something else; a hash of the
// bytes after the header line follows it.
constexpr std::string_view kStateHeader = "quorvath-site 1 ";

// Numbers as LEB128 (signed ones zigzagged first), doubles and texts as bytes.
class Writer {
public:
    explicit Writer(std::size_t room) { bytes_.reserve(room); }
    void number(std::uint64_t value) {
        for (; value >= 0x80; value >>= 7)
            bytes_ += static_cast<char>((value & 0x7f) | 0x80);
        bytes_ += static_cast<char>(value);
    }
    void signedNumber(std::int64_t value) {
        number((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
    }
    void real(double value) { bytes_.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void text(const std::string& value) {
        number(value.size());
        bytes_ += value;
    }
    std::string& bytes() { return bytes_; }

private:
    std::string bytes_;
};

// Reads what Writer wrote; once anything is out of bounds, every read fails.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return ok_ && at_ == bytes_.size(); }

    std::uint64_t number() {
        std::uint64_t value = 0;
        for (int shift = 0; ok_ && shift < 64; shift += 7) {
            if (at_ == bytes_.size())
                break;
            const auto byte = static_cast<unsigned char>(bytes_[at_++]);
            value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                return value;
        }
        ok_ = false;
        return 0;
    }
    std::int64_t signedNumber() {
        const std::uint64_t value = number();
        return static_cast<std::int64_t>((value >> 1) ^ (~(value & 1) + 1));
    }
    // A count of items of at least one byte each: no more than are left.
    std::size_t count() {
        const std::uint64_t value = number();
        if (value > bytes_.size() - at_)
            ok_ = false;
        return ok_ ? static_cast<std::size_t>(value) : 0;
    }
    // An index below `bound`.
    std::size_t index(std::size_t bound) {
        const std::uint64_t value = number();
        if (value >= bound)
            ok_ = false;
        return ok_ ? static_cast<std::size_t>(value) : 0;
    }
    double real() {
        double value = 0;
        if (!ok_ || bytes_.size() - at_ < sizeof value)
            return ok_ = false, 0.0;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::string text() {
        const std::size_t size = count();
        std::string value(bytes_.substr(at_, size));
        at_ += size;
        return value;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

void writePlaces(Writer& w, const PlaceTally& tally, const std::vector<PlaceMatches>& places) {
    w.number(tally.places().size());
    for (std::size_t i = 0; i < tally.places().size(); ++i) {
        const PlaceSummary& p = tally.places()[i];
        w.text(p.place);
        for (const std::int64_t n : {std::int64_t{p.matches}, std::int64_t{p.players}, p.kills,
                                     p.firstPlayed, p.lastPlayed})
            w.signedNumber(n);
        w.number(tally.names(i).size());
        for (const std::string& name : tally.names(i))
            w.text(name);
        w.number(places[i].matches.size());
        for (const std::size_t match : places[i].matches)
            w.number(match);
        w.number(places[i].kills.size());
        for (const std::int64_t kills : places[i].kills)
            w.signedNumber(kills);
    }
}

bool readPlaces(Reader& r, std::size_t matches, PlaceTally& tally,
                std::vector<PlaceMatches>& places) {
    std::vector<PlaceSummary> summaries(r.count());
    std::vector<std::unordered_set<std::string>> names(summaries.size());
    places.resize(summaries.size());
    for (std::size_t i = 0; i < summaries.size() && r.ok(); ++i) {
        PlaceSummary& p = summaries[i];
        p.place = r.text();
        p.matches = static_cast<int>(r.signedNumber());
        p.players = static_cast<int>(r.signedNumber());
        p.kills = r.signedNumber();
        p.firstPlayed = r.signedNumber();
        p.lastPlayed = r.signedNumber();
        for (std::size_t n = r.count(); n > 0 && r.ok(); --n)
            names[i].insert(r.text());
        places[i].matches.resize(r.count());
        for (std::size_t& match : places[i].matches)
            match = r.index(matches);
        places[i].kills.resize(r.count());
        for (std::int64_t& kills : places[i].kills)
            kills = r.signedNumber();
    }
    tally.goOn(std::move(summaries), std::move(names));
    return r.ok();
}

// The tally's rows; false when they do not hold together.
bool readTally(Reader& r, HistoryTally& t) {
    const std::size_t matches = r.count();
    t.fingerprints.resize(matches);
    t.matches.resize(matches);
    for (std::size_t i = 0; i < matches && r.ok(); ++i) {
        MatchRow& m = t.matches[i];
        t.fingerprints[i] = r.text();
        m.playedAt = r.signedNumber();
        m.server = static_cast<std::size_t>(r.number());
        m.map = static_cast<std::size_t>(r.number());
        m.gameType = r.text();
        m.players = static_cast<int>(r.number());
    }
    t.played.resize(r.count());
    for (std::vector<PlayedRow>& rows : t.played) {
        rows.resize(r.count());
        for (PlayedRow& row : rows) {
            row.match = r.index(matches);
            row.name = static_cast<int>(r.index(t.played.size()));
            row.kills = r.signedNumber();
            row.deaths = r.signedNumber();
        }
    }
    if (!readPlaces(r, matches, t.maps, t.mapMatches) ||
        !readPlaces(r, matches, t.servers, t.serverMatches))
        return false;
    for (const MatchRow& m : t.matches)
        if (m.map >= t.maps.places().size() || m.server >= t.servers.places().size())
            return false;
    return r.ok();
}

bool readPeople(Reader& r, const HistoryTally& t, std::vector<PlayerRating>& people) {
    people.resize(r.count());
    for (PlayerRating& person : people) {
        person.matches = static_cast<int>(r.number());
        person.rating = {r.real(), r.real()};
        person.steps.resize(r.count());
        for (RatingStep& step : person.steps) {
            step.match = static_cast<std::int64_t>(r.index(t.matches.size()));
            step.after = {r.real(), r.real()};
            if (!r.ok())
                return false;
            const MatchRow& row = t.matches[static_cast<std::size_t>(step.match)];
            step.playedAt = row.playedAt;
            step.server = t.servers.places()[row.server].place;
            step.map = t.maps.places()[row.map].place;
        }
    }
    return r.atEnd();
}

} // namespace

std::string encodeState(const std::string& identity, const std::string& names,
                        const HistoryTally& t, const std::vector<PlayerRating>& people) {
    // Room for the largest a history's state can take, so that its tens of
    // megabytes are written once, not copied as the text grows.
    std::size_t playedRows = 0, steps = 0;
    for (const std::vector<PlayedRow>& played : t.played)
        playedRows += played.size();
    for (const PlayerRating& person : people)
        steps += person.steps.size();
    Writer w(identity.size() + names.size() + t.matches.size() * 80 + playedRows * 40 + steps * 26 +
             (t.maps.places().size() + t.servers.places().size()) * 1024);
    w.text(identity);
    w.text(names);
    w.number(t.matches.size());
    for (std::size_t i = 0; i < t.matches.size(); ++i) {
        const MatchRow& m = t.matches[i];
        w.text(t.fingerprints[i]);
        w.signedNumber(m.playedAt);
        w.number(m.server);
        w.number(m.map);
        w.text(m.gameType);
        w.number(static_cast<std::uint64_t>(m.players));
    }
    w.number(t.played.size());
    for (const std::vector<PlayedRow>& rows : t.played) {
        w.number(rows.size());
        for (const PlayedRow& row : rows) {
            w.number(row.match);
            w.number(static_cast<std::uint64_t>(row.name));
            w.signedNumber(row.kills);
            w.signedNumber(row.deaths);
        }
    }
    writePlaces(w, t.maps, t.mapMatches);
    writePlaces(w, t.servers, t.serverMatches);
    w.number(people.size());
    for (const PlayerRating& person : people) {
        w.number(static_cast<std::uint64_t>(person.matches));
        w.real(person.rating.mu);
        w.real(person.rating.sigma);
        w.number(person.steps.size());
        for (const RatingStep& step : person.steps) {
            w.number(static_cast<std::uint64_t>(step.match));
            w.real(step.after.mu);
            w.real(step.after.sigma);
        }
    }
    return std::string(kStateHeader) + bytesKey(w.bytes()) + '\n' + w.bytes();
}

std::optional<SiteState> decodeState(std::string_view bytes) {
    const std::size_t end = bytes.find('\n');
    if (!bytes.starts_with(kStateHeader) || end == std::string_view::npos ||
        bytes.substr(kStateHeader.size(), end - kStateHeader.size()) !=
            bytesKey(bytes.substr(end + 1)))
        return std::nullopt;
    Reader r(bytes.substr(end + 1));
    SiteState state;
    state.identity = r.text();
    state.names = r.text();
    if (!readTally(r, state.tally) || !readPeople(r, state.tally, state.people))
        return std::nullopt;
    return state;
}

} // namespace quorvath::web
