// gen-log: writes a seeded, realistic game server console log of about a given size,
// for benchmarks and large-file tests; or, with --match, one generated match as
// the three kinds of log and its truth (tools/match_generator.h).
//
//   gen-log --size-mb N [--players N] [--aliases N] [--seed S] [--roster-seed R] [--lf] --out
//   FILE|- gen-log --match TYPE [--players N] [--maps N] [--events N] [--chatty] [--seed S] --out
//   PREFIX
//
// Renames switch a player between his own few names (one or two alternates
// each, or exactly N with --aliases N), as on a real server: the log holds a
// few hundred distinct names for 300 players, however long it runs.
// --roster-seed draws the names from R and the play from S, so that logs of
// several seeds share one server's regulars.
//
// The same arguments give the same bytes on every platform: the generator is
// std::mt19937 with our own integer mapping (the standard distributions differ
// between standard libraries).

#include "match_generator.h"
#include "seeded_random.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

struct Options {
    double sizeMb = -1;
    int players = 300;
    int aliases = -1; // alternate names per player; -1: one or two, drawn per player
    std::uint32_t seed = 1;
    std::optional<std::uint32_t> rosterSeed; // the names' seed when not `seed`
    bool lf = false;
    std::string out;
    genlog::MatchOptions match; // match mode when its type is set
};

struct Player {
    std::string name;              // as team games print it (colour codes stripped)
    std::string display;           // as free-for-all prints it (may carry colour codes)
    std::vector<std::string> pool; // every name he goes by, the first one included
};

enum class Game { Ctf, Inf, Dem, Elim, Dm };

struct WeaponUse {
    const char* phrase;
    const char* weapon; // nullptr: the line ends after the killer's name
    int weight;
};

// Bullet weapons come first; the index of the first explosive is kFirstBlast.
constexpr WeaponUse kWeapons[] = {
    {"was shot by", "M4", 14},
    {"was shot by", "AK74", 12},
    {"was shot by", "M60", 5},
    {"was shot by", "MP5", 7},
    {"was shot by", "Micro-Uzi", 5},
    {"was shot by", "M3A1", 3},
    {"was shot by", "Sig 551", 5},
    {"was shot by", "M1911A1", 4},
    {"was shot by", "US SOCOM", 4},
    {"was shot by", "Silver Talon", 2},
    {"was sniped by", "MSG90A1", 7},
    {"was pumped full of lead by", "M590", 5},
    {"was pumped full of lead by", "USAS-12", 4},
    {"was detonated by", "M203", 3},
    {"was detonated by", "SMOHG92", 4},
    {"was detonated by", "M84", 1},
    {"was detonated by", "ANM14", 2},
    {"was detonated by", "M15", 1},
    {"was detonated by", "RPG7", 2},
    {"was detonated by", "MM1", 1},
    {"was pistol whipped by", "M1911A1", 1},
    {"was pistol whipped by", "US SOCOM", 1},
    {"was pistol whipped by", "Silver Talon", 1},
    {"was bludgeoned by", "M590", 1},
    {"was sliced by", nullptr, 2},
    {"was stabbed by", nullptr, 1},
    {"was killed by", "M4", 1},
};
constexpr int kFirstBlast = 13;

const char* const kSuicides[] = {"blew himself up.",        "fell to his death.", "killed himself.",
                                 "was in the wrong place.", "sank like a rock.",  "died.",
                                 "blew herself up.",        "fell to her death."};

// clang-format off
const char *const kChat[] = {
    "gg", "lol", "nice shot", "rush b", "gl hf", "who has the flag?", "camper...", "thx", "brb",
    "ns m8", "lag again", "cover me", "they are in the market", "omg", "gg all, thx for the games",
    "where is everyone", "noob", "hold the bridge", "push push push", "need backup"};
// clang-format on

const char* const kSyllables[] = {"ka", "ne", "vor", "th", "ex",  "ro",  "ok", "dir",
                                  "mu", "ll", "in",  "ta", "ngo", "br",  "ic", "gh",
                                  "os", "tf", "ace", "sn", "ip",  "ey",  "zu", "la",
                                  "rk", "ma", "ve",  "qu", "or",  "ath", "sh", "ad"};
const char* const kTags[] = {"", "", "", "", "|AoD|", "[SAS]", "-=RT=-", "~", "(BoT)", ".:XxX:."};
const char* const kMaps[] = {"mp_shop", "mp_jor1", "mp_kam2", "mp_col1",  "mp_hk1",
                             "mp_cas1", "mp_pra1", "mp_sch1", "mp_finca", "mp_ship"};
const char* const kColourCodes[] = {"^1", "^3", "^4", "^5", "^6"};

class Generator : private genlog::SeededRandom {
public:
    Generator(const Options& options, std::FILE* out)
        : genlog::SeededRandom(options.rosterSeed.value_or(options.seed)), out_(out),
          eol_(options.lf ? "\n" : "\r\n"),
          target_(static_cast<std::uint64_t>(options.sizeMb * 1048576.0)) {
        makePlayers(options.players, options.aliases);
        if (options.rosterSeed)
            reseed(options.seed);
    }

    bool run() {
        put("Soldier of Fortune 2: Double Helix 1.03 MP win-x86 Jun 24 2003");
        while (written() < target_)
            round();
        put("----- CL_Shutdown -----");
        put("RE_Shutdown( 1 )");
        put("Shutdown OpenGL subsystem");
        put("-----------------------");
        flush();
        return !std::ferror(out_);
    }

private:
    // --- output ---
    std::uint64_t written() const { return flushed_ + buffer_.size(); }
    void put(const std::string& line) {
        buffer_ += line;
        buffer_ += eol_;
        if (buffer_.size() >= (1u << 20))
            flush();
    }
    void flush() {
        std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
        flushed_ += buffer_.size();
        buffer_.clear();
    }

    // --- players ---
    std::string freshName() {
        for (;;) {
            std::string base;
            const int parts = 2 + below(2);
            for (int i = 0; i < parts; ++i)
                base += pick(kSyllables);
            base[0] = static_cast<char>(base[0] - 'a' + 'A');
            if (chance(15))
                base += std::to_string(below(100));
            std::string name = std::string(pick(kTags)) + base;
            if (name.size() <= 29 && names_.insert(name).second)
                return name;
        }
    }
    std::string colourise(const std::string& name) {
        if (!chance(20))
            return name;
        const std::size_t cut = 1 + static_cast<std::size_t>(below(int(name.size())));
        std::string first = pick(kColourCodes);
        return first + name.substr(0, cut) + pick(kColourCodes) + name.substr(cut);
    }
    void makePlayers(int count, int aliases) {
        players_.push_back({"Quorvath", "Quorvath", {"Quorvath"}});
        names_.insert("Quorvath");
        for (int i = 1; i < count; ++i) {
            std::string name = freshName();
            players_.push_back({name, colourise(name), {name}});
        }
        for (Player& p : players_) {
            const int alternates = aliases >= 0 ? aliases : 1 + below(2);
            for (int a = 0; a < alternates; ++a)
                p.pool.push_back(freshName());
        }
    }

    // --- one round ---
    void round() {
        game_ = static_cast<Game>(below(5));
        loadingBlock();
        pickRoster(std::min<int>(int(players_.size()), 6 + below(19)));
        for (int slot = 0; slot < int(roster_.size()); ++slot)
            put(rosterPlayer(slot).name + "^7 entered the game");
        if (game_ != Game::Dm)
            for (int i = 0; i < int(roster_.size()); ++i)
                put(rosterPlayer(i).name + "^7 joined the " + (i % 2 ? "blue" : "red") + " team.");
        carrier_ = planter_ = -1;
        const int events = 200 + below(1800);
        for (int i = 0; i < events && written() < target_; ++i)
            event();
        if (game_ != Game::Dm)
            put("Timelimit hit.");
    }

    void loadingBlock() {
        static const char* const kGameNames[] = {"ctf (Capture the Flag)", "inf (Infiltration)",
                                                 "dem (Demolition)", "elim (Elimination)",
                                                 "dm (Deathmatch)"};
        const std::string base = "C:\\Program Files\\Soldier of Fortune II - Double Helix\\base";
        put("------ Server Initialization ------");
        put(std::string("Server: ") + pick(kMaps));
        put("Hunk_Clear: reset the hunk ok");
        put("----- FS_Startup -----");
        put("Current search path:");
        put(base + "/osp/zz_osp_v1_1.pk3 (152 files)");
        put(base + "/mp/patch_mp103.pk3 (418 files)");
        put(base + "/mp/sof2mp_assets.pk3 (9345 files)");
        put(base + "/mp/sof2mp_shaders.pk3 (1220 files)");
        put(base + "/mp/sof2mp_maps.pk3 (311 files)");
        put(base + "/mp");
        put(base);
        put("");
        put("----------");
        put("11446 files in pk3 files");
        put("------- Game Initialization -------");
        put("gamename: sof2mp");
        put("gamedate: Jun 24 2003");
        put("^5OSP Tourney Mod 1.1 for SoF2MP 1.03 loaded");
        put(std::string("^5Gametype: ") + kGameNames[int(game_)]);
        put(std::to_string(8 + below(8)) + " items registered");
        put("-----------------------------------");
        put("Com_TouchMemory: " + std::to_string(12 + below(30)) + " msec");
    }

    void pickRoster(int size) {
        // Partial Fisher-Yates over the pool; the demo player joins half the rounds.
        order_.resize(players_.size());
        for (std::size_t i = 0; i < order_.size(); ++i)
            order_[i] = int(i);
        roster_.clear();
        if (chance(50) || size == int(players_.size()))
            roster_.push_back(0);
        for (int i = 1; int(roster_.size()) < size; ++i) {
            const int j = i + below(int(order_.size()) - i);
            std::swap(order_[std::size_t(i)], order_[std::size_t(j)]);
            roster_.push_back(order_[std::size_t(i)]);
        }
    }

    Player& rosterPlayer(int slot) { return players_[std::size_t(roster_[std::size_t(slot)])]; }
    const Player& rosterPlayer(int slot) const {
        return players_[std::size_t(roster_[std::size_t(slot)])];
    }
    bool teamGame() const { return game_ != Game::Dm; }
    int teamOf(int slot) const { return slot % 2; } // 0 red, 1 blue
    std::string tagged(int slot) const {
        if (!teamGame())
            return "^7" + rosterPlayer(slot).display + "^7";
        return (teamOf(slot) ? "^4" : "^1") + rosterPlayer(slot).name + "^7";
    }
    const std::string& plain(int slot) const { return rosterPlayer(slot).name; }
    int anyone() { return below(int(roster_.size())); }
    int onTeam(int team) { return 2 * below((int(roster_.size()) + 1 - team) / 2) + team; }
    int other(int slot) {
        return (slot + 1 + below(int(roster_.size()) - 1)) % int(roster_.size());
    }
    // The flag a player carries is the other team's.
    const char* carriedFlag(int slot) const { return teamOf(slot) ? "Red Flag" : "Blue Flag"; }

    void event() {
        const int roll = below(1000);
        if (roll < 600)
            kill();
        else if (roll < 720)
            chat();
        else if (roll < 770)
            pb();
        else if (roll < 860)
            objective();
        else if (roll < 900)
            suicide();
        else if (roll < 910)
            rename();
        else if (roll < 920)
            vote();
        else if (roll < 923)
            punish();
        else if (roll < 930 && teamGame() && game_ != Game::Ctf)
            put(pick(kTeamsEliminated));
        else
            put(rosterPlayer(anyone()).name + "^7 " + pick(kPresence));
    }
    static constexpr const char* kTeamsEliminated[] = {"Red team eliminated!",
                                                       "Blue team eliminated!", "Round Draw!"};
    static constexpr const char* kPresence[] = {"disconnected", "entered the game",
                                                "is connecting..."};

    void kill() {
        int victim = anyone();
        if (carrier_ >= 0 && chance(30))
            victim = carrier_;
        int killer = other(victim);
        if (teamGame() && chance(4)) {
            const int mate = onTeam(teamOf(victim)); // a team kill
            if (mate != victim)
                killer = mate;
        } else if (teamGame()) {
            killer = onTeam(1 - teamOf(victim));
        }
        const WeaponUse& w = weighted(kWeapons);
        std::string line = tagged(victim) + " " + w.phrase + " " + tagged(killer);
        if (w.weapon)
            line += std::string("'s ") + w.weapon;
        const bool bullet = &w < &kWeapons[kFirstBlast];
        if ((bullet || !w.weapon) && chance(12))
            line += " ^1[ ^3HeaDShoT ^1]";
        put(line);
        if (victim == carrier_)
            dropped();
    }

    void dropped() {
        const char* what = game_ == Game::Ctf   ? carriedFlag(carrier_)
                           : game_ == Game::Inf ? "briefcase"
                                                : "bomb";
        put(plain(carrier_) + " has dropped the " + what + "!");
        if (game_ == Game::Ctf && chance(50))
            put(std::string("The ") + carriedFlag(carrier_) + " has returned!");
        carrier_ = -1;
    }

    void objective() {
        switch (game_) {
        case Game::Ctf: {
            const int slot = carrier_ >= 0 ? carrier_ : anyone();
            const char* flag = carriedFlag(slot);
            if (carrier_ < 0) {
                carrier_ = slot;
                put(plain(slot) + " has taken the " + flag + "!");
            } else {
                put(plain(slot) + " has captured the " + flag + "!");
                carrier_ = -1;
            }
            break;
        }
        case Game::Inf:
            if (carrier_ < 0) {
                carrier_ = onTeam(1);
                put(plain(carrier_) + " has taken the briefcase!");
            } else if (chance(50)) {
                put(plain(carrier_) + " has escaped with the briefcase!");
                carrier_ = -1;
            } else {
                put("Red team has defended the briefcase!");
            }
            break;
        case Game::Dem:
            if (carrier_ < 0 && planter_ < 0) {
                carrier_ = onTeam(1);
                put(plain(carrier_) + " has taken the bomb!");
            } else if (carrier_ >= 0) {
                put(plain(carrier_) + " has planted the bomb!");
                planter_ = carrier_;
                carrier_ = -1;
            } else {
                if (chance(50)) {
                    put("Blue team has destroyed the target!");
                } else {
                    put(plain(onTeam(0)) + " has defused the bomb!");
                    put("Red team has defended the bomb site!");
                }
                planter_ = -1;
            }
            break;
        default: chat();
        }
    }

    void chat() {
        const int slot = anyone();
        const std::string text = std::string(": ^2") + pick(kChat);
        const int kind = teamGame() ? below(game_ == Game::Ctf ? 9 : 10) : 0;
        if (kind < 6) {
            put(tagged(slot) + text);
        } else if (kind < 9) {
            const char* code = teamOf(slot) ? "^4" : "^1";
            put(code + ("(" + plain(slot)) + code + ")^7" + text);
        } else {
            put("*ghost* " + tagged(slot) + text);
        }
    }

    void pb() {
        static const char* const kHex = "0123456789abcdef";
        const int slot = anyone();
        std::string guid;
        for (int i = 0; i < 32; ++i)
            guid += kHex[below(16)];
        const std::string address = std::to_string(1 + below(223)) + "." +
                                    std::to_string(below(256)) + "." + std::to_string(below(256)) +
                                    "." + std::to_string(1 + below(254)) + ":20100";
        const std::string slotText = "(slot #" + std::to_string(slot + 1) + ") ";
        switch (below(3)) {
        case 0:
            put("^5PunkBuster Server: Player GUID Computed " + guid + "(-) " + slotText + address +
                " " + plain(slot));
            break;
        case 1:
            put("^5PunkBuster Server: New Connection " + slotText + address + " [?] \"" +
                plain(slot) + "\"");
            break;
        default:
            put("^5PunkBuster Server: Running PB Scheduled Task " + slotText + " pb_sv_autoupdban");
        }
    }

    void suicide() { put(tagged(anyone()) + " " + pick(kSuicides)); }

    void rename() {
        const int slot = anyone();
        Player& p = rosterPlayer(slot);
        if (p.pool.size() < 2)
            return; // nobody has another name to take
        const std::string old = p.name;
        const auto current = std::find(p.pool.begin(), p.pool.end(), old) - p.pool.begin();
        const int step = 1 + below(int(p.pool.size()) - 1); // any name but the current one
        p.name = p.pool[std::size_t((current + step) % std::ptrdiff_t(p.pool.size()))];
        p.display = p.name;
        put(old + (chance(50) ? "^7" : "") + " renamed to " + p.name);
    }

    void vote() {
        put(plain(anyone()) + "^7 called a vote.");
        put(chance(60) ? "Vote passed." : "Vote failed.");
    }

    void punish() {
        static const char* const kReasons[] = {"You were kicked off of the server!",
                                               "You have been temporarily banned from this server!",
                                               "You have been banned from this server!"};
        const int slot = anyone();
        put(plain(slot) + "^7 " + pick(kReasons));
        put(plain(slot) + "^7 disconnected");
    }

    std::FILE* out_;
    const char* eol_;
    std::uint64_t target_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;
    std::vector<Player> players_;
    std::unordered_set<std::string> names_;
    std::vector<int> order_;
    std::vector<int> roster_; // indexes into players_; even slots red, odd slots blue
    Game game_ = Game::Dm;
    int carrier_ = -1; // roster slot carrying a flag, the briefcase or the bomb
    int planter_ = -1; // roster slot whose bomb is planted
};

int usage() {
    std::fputs(
        "usage: gen-log --size-mb N [--players N] [--aliases N] [--seed S] [--roster-seed R]\n"
        "               [--lf] --out FILE|-\n"
        "       gen-log --match ctf|inf|dem|elim|dm [--players N] [--maps N] [--events N]\n"
        "               [--chatty] [--skill] [--seed S] --out PREFIX\n"
        "The match mode writes one match as PREFIX-console.log (a player's console\n"
        "log), PREFIX-games.log (the server's game log), PREFIX-server.log (the\n"
        "dedicated server's console log), PREFIX-truth.txt and PREFIX-matches.txt;\n"
        "--chatty makes chat the most of their lines. --skill gives each player a hidden\n"
        "skill (the same under any seed) that drives who kills whom, and scores from the\n"
        "kills; the truth gives it as NAME TAB skill TAB PER-MILLE.\n",
        stderr);
    std::fputs(genlog::truthFormat(), stderr);
    std::fputs(genlog::matchesFormat(), stderr);
    return 2;
}

bool parse(int argc, char** argv, Options& o) {
    bool playersGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        char* end = nullptr;
        if (arg == "--lf") {
            o.lf = true;
        } else if (arg == "--chatty") {
            o.match.chatty = true;
        } else if (arg == "--skill") {
            o.match.skill = true;
        } else if (arg == "--size-mb" && hasValue) {
            o.sizeMb = std::strtod(argv[++i], &end);
            if (*end || !(o.sizeMb >= 0) || o.sizeMb > 1e6)
                return false;
        } else if (arg == "--players" && hasValue) {
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end || n < 2 || n > 1000000)
                return false;
            o.players = int(n);
            playersGiven = true;
        } else if (arg == "--aliases" && hasValue) {
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end || n < 0 || n > 1000)
                return false;
            o.aliases = int(n);
        } else if ((arg == "--seed" || arg == "--roster-seed") && hasValue) {
            const unsigned long long s = std::strtoull(argv[++i], &end, 10);
            if (*end || s > 0xFFFFFFFFull)
                return false;
            (arg == "--seed" ? o.seed : o.rosterSeed.emplace()) = std::uint32_t(s);
        } else if (arg == "--out" && hasValue) {
            o.out = argv[++i];
        } else if (arg == "--match" && hasValue && genlog::isMatchType(argv[i + 1])) {
            o.match.type = argv[++i];
        } else if ((arg == "--maps" || arg == "--events") && hasValue) {
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end || n < 1 || n > 100000)
                return false;
            (arg == "--maps" ? o.match.maps : o.match.eventsPerMap) = int(n);
        } else {
            return false;
        }
    }
    if (!o.match.type.empty()) {
        o.match.seed = o.seed;
        o.match.players = playersGiven ? o.players : o.match.players;
        o.match.prefix = o.out;
        return !o.out.empty() && o.out != "-";
    }
    return o.sizeMb >= 0 && !o.out.empty();
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options))
        return usage();
    if (!options.match.type.empty())
        return genlog::writeMatch(options.match) ? 0 : 1;
    std::FILE* out = options.out == "-" ? stdout : std::fopen(options.out.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "gen-log: cannot write %s: %s\n", options.out.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const bool ok = Generator(options, out).run();
    if (out != stdout ? std::fclose(out) != 0 || !ok : std::fflush(out) != 0 || !ok) {
        std::fprintf(stderr, "gen-log: cannot write %s\n", options.out.c_str());
        return 1;
    }
    return 0;
}
