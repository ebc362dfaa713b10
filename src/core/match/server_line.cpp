#include "core/match/server_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace quorvath {

namespace {

using enum ServerLineType;

constexpr std::array<std::pair<std::string_view, ServerLineType>, 17> kKeywords = {{
    {"Kill: ", Kill},
    {"hit: ", Hit},
    {"say: ", Say},
    {"sayteam: ", SayTeam},
    {"tell: ", Tell},
    {"ClientUserinfoChanged: ", ClientUserinfoChanged},
    {"ClientConnect: ", ClientConnect},
    {"ClientBegin: ", ClientBegin},
    {"ClientDisconnect: ", ClientDisconnect},
    {"ClientKick: ", ClientKick},
    {"InitGame: ", InitGame},
    {"ShutdownGame:", ShutdownGame},
    {"Warmup:", Warmup},
    {"Exit: ", Exit},
    {"red:", TeamScores},
    {"score: ", Score},
    {"broadcast: print \"", Broadcast},
}};

// The game log writes "%4i:%i%i " before each line: blanks, minutes, a colon,
// two digits of seconds, a blank. Returns the length of the time (without
// its blank), 0 when the line does not start with one.
std::size_t timePrefixLength(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    const std::size_t digits = i;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9')
        ++i;
    if (i == digits || i + 4 > line.size() || line[i] != ':')
        return 0;
    const auto digit = [&](std::size_t at) { return line[at] >= '0' && line[at] <= '9'; };
    if (!digit(i + 1) || !digit(i + 2) || line[i + 3] != ' ')
        return 0;
    return i + 3;
}

// Reads a decimal number (a minus sign allowed) and the blanks after it.
bool readNumber(std::string_view& s, std::int32_t& value) {
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc())
        return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return true;
}

bool skip(std::string_view& s, std::string_view what) {
    if (s.substr(0, what.size()) != what)
        return false;
    s.remove_prefix(what.size());
    return true;
}

// "Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE"
bool cutKill(std::string_view rest, ServerLine& line) {
    std::int32_t modNumber = 0;
    if (!readNumber(rest, line.client) || !readNumber(rest, line.target) ||
        !readNumber(rest, modNumber) || !skip(rest, ": "))
        return false;
    const std::size_t by = rest.rfind(" by ");
    if (by == std::string_view::npos)
        return false;
    line.mod = rest.substr(by + 4);
    const std::string_view names = rest.substr(0, by);
    const std::size_t killed = names.find(" killed ");
    if (killed != std::string_view::npos) {
        line.name = names.substr(0, killed);
        line.otherName = names.substr(killed + 8);
    }
    return true;
}

// "4 - 1.2.3.4:20100 [GUID]"; a bot: "4 -  []"
bool cutConnect(std::string_view rest, ServerLine& line) {
    if (!readNumber(rest, line.client) || !skip(rest, "- "))
        return false;
    const std::size_t open = rest.rfind(" [");
    if (open != std::string_view::npos && rest.back() == ']') {
        line.guid = rest.substr(open + 2, rest.size() - open - 3);
        rest = rest.substr(0, open);
    }
    line.address = rest.substr(std::min(rest.find_first_not_of(' '), rest.size()));
    line.bot = line.address.empty() || line.address.front() == '[';
    return true;
}

// "score: 12  ping: 50  client: 3 Mullins"
bool cutScore(std::string_view rest, ServerLine& line) {
    if (!readNumber(rest, line.score) || !skip(rest, "ping: ") || !readNumber(rest, line.ping) ||
        !skip(rest, "client: ") || !readNumber(rest, line.client))
        return false;
    line.name = rest;
    return true;
}

// "red:3  blue:5"
bool cutTeamScores(std::string_view rest, ServerLine& line) {
    return readNumber(rest, line.score) && skip(rest, "blue:") && readNumber(rest, line.blueScore);
}

// "hit: 3 5 1024 45 0: Mullins hit Hawk at location 1024 for 45"
bool cutHit(std::string_view rest, ServerLine& line) {
    std::int32_t armour = 0;
    return readNumber(rest, line.client) && readNumber(rest, line.target) &&
           readNumber(rest, line.location) && readNumber(rest, line.damage) &&
           readNumber(rest, armour);
}

Team teamNumbered(std::string_view value) {
    if (value.size() != 1 || value[0] < '0' || value[0] > '3')
        return Team::Unknown;
    return static_cast<Team>(value[0] - '0');
}

// "3 n\Mullins\t\1\identity\..." (the info may start with its backslash)
bool cutUserinfo(std::string_view rest, ServerLine& line) {
    if (!readNumber(rest, line.client))
        return false;
    line.text = rest;
    line.name = infoValue(rest, "n");
    line.team = teamNumbered(infoValue(rest, "t"));
    return true;
}

// "Mullins: gg" or, for tell, "Mullins to Hawk: gg"
bool cutChat(std::string_view rest, ServerLine& line) {
    const std::size_t colon = rest.find(": ");
    if (colon == std::string_view::npos)
        return false;
    line.name = rest.substr(0, colon);
    line.text = rest.substr(colon + 2);
    if (line.type == Tell) {
        const std::size_t to = line.name.find(" to ");
        if (to == std::string_view::npos)
            return false;
        line.otherName = line.name.substr(to + 4);
        line.name = line.name.substr(0, to);
    }
    return true;
}

bool cutFields(std::string_view rest, ServerLine& line) {
    switch (line.type) {
    case Kill: return cutKill(rest, line);
    case Hit: return cutHit(rest, line);
    case ClientUserinfoChanged: return cutUserinfo(rest, line);
    case Say:
    case SayTeam:
    case Tell: return cutChat(rest, line);
    case ClientConnect: return cutConnect(rest, line);
    case Score: return cutScore(rest, line);
    case TeamScores: return cutTeamScores(rest, line);
    case ClientBegin:
    case ClientDisconnect: return readNumber(rest, line.client);
    case Broadcast: {
        // print "TEXT\n" : the escaped line break and the closing quote go
        if (!rest.empty() && rest.back() == '"')
            rest.remove_suffix(1);
        if (rest.size() >= 2 && rest.substr(rest.size() - 2) == "\\n")
            rest.remove_suffix(2);
        line.text = rest;
        return true;
    }
    default: line.text = rest; return true;
    }
}

constexpr std::string_view kAlternate = "_ALT";

const KillForm* killFormOf(std::string_view mod, const GameTable& table) {
    const bool alternate = mod.ends_with(kAlternate);
    const std::string_view weapon = alternate ? mod.substr(0, mod.size() - kAlternate.size()) : mod;
    const KillForm* found = nullptr;
    for (const KillForm& form : table.killForms)
        if (form.modName == weapon && (found == nullptr || form.alternate == alternate))
            found = &form;
    return found;
}

} // namespace

KillMeaning meaningOfKill(const ServerLine& kill, const GameTable& table) {
    KillMeaning meaning;
    for (std::string_view mod : table.noDeathMods)
        if (mod == kill.mod) {
            meaning.what = KillMeaning::What::NoDeath;
            return meaning;
        }
    meaning.form = killFormOf(kill.mod, table);
    // Another client's kill, whatever the MOD: only the world or the victim
    // himself make a death by cause.
    if (kill.client != kill.target && kill.client != table.worldClient)
        return meaning;
    meaning.what = KillMeaning::What::Death;
    const auto cause = std::find_if(table.causeMods.begin(), table.causeMods.end(),
                                    [&](const CauseMod& c) { return c.modName == kill.mod; });
    if (cause != table.causeMods.end())
        meaning.cause = cause->cause;
    else if (kill.client == kill.target)
        meaning.cause = meaning.form ? meaning.form->selfKill : DeathCause::KilledSelf;
    return meaning;
}

bool ChatEchoes::isEcho(const ServerLine& line) {
    const bool echo = waiting_ && line.type == Other && line.body.size() > said_.size() &&
                      line.body.ends_with(said_);
    waiting_ = line.time.empty() && (line.type == Say || line.type == SayTeam);
    if (waiting_)
        said_.assign(line.text); // the line's own text may be gone by the next line
    return echo;
}

// Read for every event of a game log: one walk, as timePrefixLength checked
// the form (blanks, minutes, a colon, two digits).
std::int32_t gameSeconds(std::string_view time) {
    if (time.size() < 4)
        return -1;
    constexpr std::int32_t kMostMinutes = 30'000'000; // in seconds still an int32
    std::int32_t minutes = 0;
    for (const char c : time.substr(0, time.size() - 3))
        if (c != ' ')
            minutes = std::min(minutes * 10 + (c - '0'), kMostMinutes);
    const auto digit = [&](std::size_t at) { return time[time.size() - at] - '0'; };
    return minutes * 60 + digit(2) * 10 + digit(1);
}

std::string_view infoValue(std::string_view info, std::string_view key) {
    if (!info.empty() && info.front() == '\\')
        info.remove_prefix(1);
    while (!info.empty()) {
        const std::size_t keyEnd = info.find('\\');
        if (keyEnd == std::string_view::npos)
            return {};
        const std::string_view k = info.substr(0, keyEnd);
        info.remove_prefix(keyEnd + 1);
        const std::size_t valueEnd = info.find('\\');
        const std::string_view value = info.substr(0, valueEnd);
        if (k == key)
            return value;
        if (valueEnd == std::string_view::npos)
            return {};
        info.remove_prefix(valueEnd + 1);
    }
    return {};
}

ServerLine cutServerLine(std::string_view text) {
    ServerLine line;
    const std::size_t time = timePrefixLength(text);
    line.time = text.substr(0, time);
    line.body = time > 0 ? text.substr(time + 1) : text;
    if (line.body.size() >= 20 && line.body.find_first_not_of('-') == std::string_view::npos) {
        line.type = Separator;
        return line;
    }
    // Unrolled, every compare is one of known length, done inline (GCC stops
    // unrolling by itself at 16): it is the cost of every line of a server log.
#pragma GCC unroll 20
    for (const auto& [keyword, type] : kKeywords) {
        if (line.body.empty() || line.body[0] != keyword[0] ||
            line.body.substr(0, keyword.size()) != keyword)
            continue;
        line.type = type;
        if (!cutFields(line.body.substr(keyword.size()), line)) {
            ServerLine other;
            other.time = line.time;
            other.body = line.body;
            return other;
        }
        return line;
    }
    return line;
}

} // namespace quorvath
