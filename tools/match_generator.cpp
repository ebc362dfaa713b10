#include "match_generator.h"

#include "seeded_random.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace genlog {

namespace {

enum class GameType { Ctf, Inf, Dem, Elim, Dm };
constexpr const char* kTypeNames[] = {"ctf", "inf", "dem", "elim", "dm"};
constexpr const char* kGameNames[] = {"ctf (Capture the Flag)", "inf (Infiltration)",
                                      "dem (Demolition)", "elim (Elimination)", "dm (Deathmatch)"};
const char* const kMaps[] = {"mp_shop", "mp_jor1", "mp_kam2", "mp_col1", "mp_hk1"};

// How a weapon's attack reads in each log, and the sheet row it counts in
// (ROW + "Kills" / ROW + "Deaths"; none for a telefrag or an unknown MOD).
enum class Blow { Bullet, Explosive, Blade, Unseen }; // Unseen: no hit line before it
struct Weapon {
    const char* mod;
    bool alternate;
    int modNumber;
    const char* phrase;
    const char* word;
    const char* row;
    Blow blow;
    int weight;
};
constexpr Weapon kWeapons[] = {
    {"MOD_M4_ASSAULT_RIFLE", false, 10, "was shot by", "M4", "m4", Blow::Bullet, 14},
    {"MOD_AK74_ASSAULT_RIFLE", false, 11, "was shot by", "AK74", "ak74", Blow::Bullet, 12},
    {"MOD_M60_MACHINEGUN", false, 14, "was shot by", "M60", "m60", Blow::Bullet, 5},
    {"MOD_MP5", false, 8, "was shot by", "MP5", "mp5", Blow::Bullet, 7},
    {"MOD_MICRO_UZI_SUBMACHINEGUN", false, 6, "was shot by", "Micro Uzi", "microUzi", Blow::Bullet,
     5},
    {"MOD_M3A1_SUBMACHINEGUN", false, 7, "was shot by", "M3A1", "m3a1", Blow::Bullet, 3},
    {"MOD_SIG551", false, 12, "was shot by", "Sig 551", "sig551", Blow::Bullet, 5},
    {"MOD_M1911A1_PISTOL", false, 2, "was shot by", "M1911A1", "m1911a1", Blow::Bullet, 4},
    {"MOD_US_SOCOM_PISTOL", false, 3, "was shot by", "US SOCOM", "socom", Blow::Bullet, 4},
    {"MOD_SILVER_TALON", false, 4, "was shot by", "Silver Talon", "silverTalon", Blow::Bullet, 2},
    {"MOD_MSG90A1_SNIPER_RIFLE", false, 13, "was sniped by", "MSG90A1", "msg90a1", Blow::Bullet, 7},
    {"MOD_M590_SHOTGUN", false, 5, "was pumped full of lead by", "M590", "m590", Blow::Bullet, 5},
    {"MOD_USAS_12_SHOTGUN", false, 9, "was pumped full of lead by", "USAS-12", "usas12",
     Blow::Bullet, 4},
    {"MOD_M4_ASSAULT_RIFLE", true, 10, "was detonated by", "M203", "m203", Blow::Explosive, 3},
    {"MOD_SMOHG92_GRENADE", false, 18, "was detonated by", "SMOHG92", "smohg92", Blow::Explosive,
     4},
    {"MOD_M84_GRENADE", false, 17, "was detonated by", "M84", "m84", Blow::Explosive, 1},
    {"MOD_ANM14_GRENADE", false, 19, "was detonated by", "ANM14", "anm14", Blow::Explosive, 2},
    {"MOD_M15_GRENADE", false, 20, "was detonated by", "M15", "m15", Blow::Explosive, 1},
    {"MOD_RPG7_LAUNCHER", false, 16, "was detonated by", "RPG7", "rpg7", Blow::Explosive, 2},
    {"MOD_MM1_GRENADE_LAUNCHER", false, 15, "was detonated by", "MM1", "mm1", Blow::Explosive, 1},
    {"MOD_M1911A1_PISTOL", true, 2, "was pistol whipped by", "M1911A1", "pistolWhip", Blow::Blade,
     1},
    {"MOD_US_SOCOM_PISTOL", true, 3, "was pistol whipped by", "US SOCOM", "pistolWhip", Blow::Blade,
     1},
    {"MOD_SILVER_TALON", true, 4, "was pistol whipped by", "Silver Talon", "pistolWhip",
     Blow::Blade, 1},
    {"MOD_M590_SHOTGUN", true, 5, "was bludgeoned by", "M590", "m590Bludgeon", Blow::Blade, 1},
    {"MOD_KNIFE", false, 1, "was sliced by", "", "knife", Blow::Blade, 2},
    {"MOD_AK74_ASSAULT_RIFLE", true, 11, "was stabbed by", "", "bayonet", Blow::Blade, 1},
    {"MOD_TELEFRAG", false, 23, "tried to invade", "personal space", "", Blow::Unseen, 1},
    // A kill the game has no weapon for is still the killer's.
    {"MOD_UNKNOWN", false, 0, "was killed by", "", "", Blow::Unseen, 1},
};

// Deaths without a killing player: by the world, or by one's own hand.
struct Cause {
    const char* mod;
    int modNumber;
    bool byWorld;
    const char* he;
    const char* she;
    const char* counter;
    int weight;
};
constexpr Cause kCauses[] = {
    {"MOD_FALLING", 24, true, "fell to his death.", "fell to her death.", "fallSuicides", 4},
    {"MOD_WATER", 21, true, "sank like a rock.", "sank like a rock.", "drownedSuicides", 2},
    {"MOD_CRUSH", 22, true, "was squished.", "was squished.", "squishedSuicides", 1},
    {"MOD_TRIGGER_HURT", 28, true, "was in the wrong place.", "was in the wrong place.",
     "wrongPlaceSuicides", 2},
    {"MOD_UNKNOWN", 0, true, "died.", "died.", "diedSuicides", 1},
    {"MOD_TARGET_LASER", 27, true, "died.", "died.", "diedSuicides", 1},
    {"MOD_SUICIDE", 25, false, "killed himself.", "killed herself.", "m203Suicides", 2},
    {"MOD_M4_ASSAULT_RIFLE_ALT", 10, false, "killed himself.", "killed herself.", "m203Suicides",
     2},
    {"MOD_SMOHG92_GRENADE", 18, false, "blew himself up.", "blew herself up.", "grenadeSuicides",
     3},
    {"MOD_RPG7_LAUNCHER", 16, false, "blew himself up.", "blew herself up.", "grenadeSuicides", 1},
};

// Names that trip up reading by text arithmetic: blanks, colour codes (kept
// by free-for-all, stripped by team games), apostrophes and a weapon word,
// names inside names, exactly the cut length and longer, Latin-1 letters,
// "^7 " inside a name, renames; and two bots.
struct TrickyPlayer {
    std::vector<std::string> names; // as the server has them
    bool female;
    bool bot;
};
const std::vector<TrickyPlayer>& trickyPlayers() {
    static const std::vector<TrickyPlayer> players = {
        {{"[SAS]Mullins", "Mullins", "Hawk^4Eye"}, false, false},
        {{"Joe Smith"}, false, false},
        {{"^3Ka^5ne"}, false, false},
        {{"O'Neil"}, false, false},
        {{"Bill's M4"}, false, false},
        {{"Sam"}, true, false},
        {{"Samuel"}, false, false},
        {{"Big Sam"}, false, false},
        {{"Sergeant_Maximilian_Hawthorne"}, false, false},
        {{"TheUnbelievablyLongNamedSniper007"}, false, false},
        {{"xX-Captain-Obvious-Strikes-Again-X"}, true, false},
        {{"J\xF6rg M\xFC"
          "ller",
          "\xD8rjan"},
         false,
         false},
        {{"^1Dark^7 Lord"}, false, false},
        {{"Viper"}, false, true},
        {{"Tango"}, false, true},
        // The same first 29 characters: never in the game together.
        {{"=[Elite]=The_Terminator_Of_Doom"}, false, false},
        {{"=[Elite]=The_Terminator_Of_Doom..."}, false, false},
        {{"Rookie", "=[Elite]=The_Terminator_Of_Doom_II"}, false, false},
    };
    return players;
}

constexpr const char* kChat[] = {"gg", "lol", "nice shot", "rush b", "thx", "cover me", "noob"};
// Chat quoting what event lines say: never an event.
constexpr const char* kTrapChat[] = {
    "Kill: 1 2 3: x killed y by MOD_M4_ASSAULT_RIFLE",
    "   3:59 Kill: 1022 2 24: <world> killed Joe by MOD_FALLING",
    "ClientUserinfoChanged: 3 n\\Evil\\t\\1",
    "broadcast: print \"Evil^7 called a vote.\\n\"",
    "InitGame: \\mapname\\mp_shop",
    "^1Sam^7 was killed by ^4Samuel^7",
    "Samuel^7 entered the game",
    "Sam^7 disconnected",
    "lol he was shot by his own team",
    "Mullins has taken the Blue Flag!",
    "i fell to his death.",
    "Joe renamed to Bob",
    "who called a vote.",
    "^1Sam^7 was shot by ^4Samuel^7's M4",
    "Sam^7 blew himself up.",
    "Red team eliminated!",
};

constexpr const char* kOsp = " ^1[ ^3HeaDShoT ^1]";
constexpr const char* kHostName = "^1Quorvath ^7Test";
constexpr int kWorld = 1022;

std::string shown(const std::string& raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '^')
            ++i;
        else
            out += raw[i];
    return out;
}

constexpr const char* kTeamWords[] = {"free", "red", "blue"}; // by Person::team

struct Person {
    std::vector<std::string> names;
    std::size_t current = 0;
    std::set<std::size_t> used; // names he has gone by
    bool female = false;
    bool bot = false;
    int team = 0; // 1 red, 2 blue, 0 free for all
    bool present = true;
    int rejoinAt = 0; // the event of the whole match (tick) he comes back at
    int skill = 1000; // hidden, per mille: weighs his chance to kill, and its inverse to die
    int mapScore = 0; // kills less suicides and team kills in this map
    const std::string& raw() const { return names[current]; }
};

class Truth {
public:
    void add(const Person& p, const std::string& counter, int n = 1) {
        counts_[shown(p.raw())][counter] += n;
    }
    void set(const Person& p, const std::string& counter) { counts_[shown(p.raw())][counter] = 1; }
    void alias(const Person& p, std::size_t name) {
        aliases_[shown(p.names[0])].push_back(shown(p.names[name]));
    }
    std::string text(const std::string& header) const {
        std::string out = header;
        for (const auto& [name, counters] : counts_)
            for (const auto& [counter, value] : counters)
                if (value != 0)
                    out += name + "\t" + counter + "\t" + std::to_string(value) + "\n";
        for (const auto& [name, list] : aliases_)
            for (const std::string& alias : list)
                out += name + "\talias\t" + alias + "\n";
        return out;
    }

private:
    std::map<std::string, std::map<std::string, int>> counts_;
    std::map<std::string, std::vector<std::string>> aliases_;
};

class MatchGenerator : private SeededRandom {
public:
    explicit MatchGenerator(const MatchOptions& options)
        : SeededRandom(options.seed), options_(options),
          type_(static_cast<GameType>(
              std::find(std::begin(kTypeNames), std::end(kTypeNames), options.type) -
              std::begin(kTypeNames))) {
        makePlayers();
    }

    void run() {
        for (int map = 0; map < options_.maps; ++map)
            playMap(map);
        console("----- CL_Shutdown -----");
        console("RE_Shutdown( 1 )");
    }

    std::string console_, games_, server_;
    Truth truth_;
    std::string matches_; // what the logs say of each map (matchesFormat)

private:
    // --- the three logs ---
    void console(const std::string& line) { console_ += line + "\r\n"; }
    void machine(const std::string& line) {
        char time[16];
        std::snprintf(time, sizeof time, "%4d:%d%d ", seconds_ / 60, seconds_ % 60 / 10,
                      seconds_ % 10);
        games_ += time + line + "\n";
        server_ += line + "\n";
    }
    void broadcast(const std::string& text) { server_ += "broadcast: print \"" + text + "\\n\"\n"; }
    void told(const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            matches_ += (i ? "\t" : "") + fields[i];
        matches_ += "\n";
    }

    // --- players ---
    bool teamGame() const { return type_ != GameType::Dm; }
    void addPerson(const std::vector<std::string>& names, bool female, bool bot) {
        Person& p = people_.emplace_back();
        p.names = names;
        p.used.insert(0);
        p.female = female;
        p.bot = bot;
        if (bot)
            truth_.set(p, "bots");
        if (options_.skill) {
            p.skill = hiddenSkill(names[0]);
            truth_.add(p, "skill", p.skill);
        }
    }
    // 300 to 3000 per mille, from the name alone.
    static int hiddenSkill(const std::string& name) {
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (const char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return 300 + static_cast<int>(hash % 2701);
    }
    void makePlayers() {
        for (const TrickyPlayer& t : trickyPlayers())
            addPerson(t.names, t.female, t.bot);
        addPerson({"Quorvath"}, false, false); // the user, as in every generated log
        static const char* const kSyllables[] = {"ka",  "vor", "ex", "ro", "dir", "mu", "ta",
                                                 "ngo", "br",  "ic", "os", "ace", "zu", "rk"};
        // With hidden skills, the same roster under any seed.
        SeededRandom roster(1);
        SeededRandom& names = options_.skill ? roster : *this;
        std::set<std::string> taken;
        while (static_cast<int>(people_.size()) < options_.players) {
            std::string name;
            for (int i = 0; i < 3; ++i)
                name += names.pick(kSyllables);
            name[0] = static_cast<char>(name[0] - 'a' + 'A');
            if (taken.insert(name).second)
                addPerson({name}, names.chance(20), false);
        }
        for (std::size_t i = 0; i < people_.size(); ++i) {
            people_[i].team = teamGame() ? 1 + static_cast<int>(i % 2) : 0;
            if (clashes(people_[i], people_[i].raw())) {
                people_[i].present = false;
                people_[i].rejoinAt = options_.eventsPerMap / 2;
            }
        }
    }
    // How the player's console shows a name: team games strip colour codes.
    std::string display(const Person& p) const { return teamGame() ? shown(p.raw()) : p.raw(); }
    std::string code(const Person& p) const {
        return p.team == 1 ? "^1" : p.team == 2 ? "^4" : "^7";
    }
    std::string tagged(const Person& p) const { return code(p) + display(p) + "^7"; }
    // Kill and suicide lines cut names to 29 bytes.
    std::string obituary(const Person& p) const {
        return code(p) + display(p).substr(0, 29) + "^7";
    }
    int client(const Person& p) const { return static_cast<int>(&p - people_.data()); }
    // Whether `raw` as p's name would share its first 29 characters (all a
    // kill line keeps) with a player in the game.
    bool clashes(const Person& p, const std::string& raw) const {
        const std::string cut = shown(raw).substr(0, 29);
        if (cut.size() < 29)
            return false;
        for (const Person& q : people_)
            if (&q != &p && q.present && shown(q.raw()).substr(0, 29) == cut)
                return true;
        return false;
    }
    // Now and then a player leaves for one who shares his name's first 29
    // characters, who comes soon after (in this map or the next).
    void leaveForTwin() {
        for (Person& p : people_)
            for (Person& twin : people_)
                if (p.present && !twin.present && &p != &twin && shown(p.raw()).size() >= 29 &&
                    shown(p.raw()).substr(0, 29) == shown(twin.raw()).substr(0, 29) && !busy(p) &&
                    chance(2)) {
                    console(display(p) + "^7 disconnected");
                    machine("ClientDisconnect: " + number(p));
                    p.present = false;
                    p.rejoinAt = tick_ + 40 + below(300);
                    twin.rejoinAt = std::min(twin.rejoinAt, tick_ + 1 + below(60));
                }
    }
    std::string number(const Person& p) const { return std::to_string(client(p)); }

    Person& anyone() {
        for (;;) {
            Person& p = people_[static_cast<std::size_t>(below(static_cast<int>(people_.size())))];
            if (p.present)
                return p;
        }
    }
    // A present player of `team` (anyone, should the team be empty).
    Person& onTeam(int team) {
        for (int tries = 0; tries < 1000; ++tries) {
            Person& p = anyone();
            if (!teamGame() || p.team == team)
                return p;
        }
        return anyone();
    }
    // With hidden skills, a present player drawn by skill (`strong`) or by
    // its inverse among those `fits` allows; else as anyone() and onTeam() draw.
    template <class Fits> Person& drawn(bool strong, const Fits& fits) {
        long total = 0;
        for (const Person& p : people_)
            total += p.present && fits(p) ? weight(p, strong) : 0;
        if (total == 0)
            return anyone();
        long r = below(static_cast<int>(total));
        for (Person& p : people_)
            if (p.present && fits(p) && (r -= weight(p, strong)) < 0)
                return p;
        return anyone();
    }
    static long weight(const Person& p, bool strong) {
        return strong ? p.skill : 1000000 / p.skill;
    }
    Person& other(const Person& than) {
        for (;;) {
            Person& p = anyone();
            if (&p != &than)
                return p;
        }
    }
    bool busy(const Person& p) const {
        return std::find(carrier_.begin(), carrier_.end(), &p) != carrier_.end() || planter_ == &p;
    }

    // --- one map ---
    void playMap(int map) {
        seconds_ = 0;
        const bool warmup = map == 0;
        startServerMap(map);
        if (warmup) {
            machine("Warmup:");
            connectAll();
            for (int i = 0; i < 8; ++i)
                warmupKill();
            startServerMap(map);
        }
        connectAll();
        loadingBlock(map);
        for (Person& p : people_)
            if (p.present) {
                console(display(p) + "^7 entered the game");
                if (teamGame())
                    console(display(p) + "^7 joined the " + (p.team == 1 ? "red" : "blue") +
                            " team.");
            }
        carrier_.fill(nullptr);
        planter_ = nullptr;
        for (Person& p : people_)
            p.mapScore = 0;
        for (int event = 0; event < options_.eventsPerMap; ++event, ++tick_) {
            seconds_ += 1 + below(4);
            rejoin();
            leaveForTwin();
            if (options_.chatty)
                for (int lines = below(4); lines >= 0; --lines)
                    chat();
            play();
        }
        console("Timelimit hit.");
        machine("Exit: Timelimit hit.");
        told({"over", "Timelimit hit."});
        told({"ended", std::to_string(seconds_)});
        if (teamGame()) {
            const std::string red = std::to_string(options_.skill ? teamScore(1) : below(10));
            const std::string blue = std::to_string(options_.skill ? teamScore(2) : below(10));
            machine("red:" + red + "  blue:" + blue);
            told({"scores", red, blue});
        }
        for (Person& p : people_)
            if (p.present) {
                const std::string score =
                    std::to_string(options_.skill ? p.mapScore : below(30) - 5);
                const std::string ping = std::to_string(20 + below(100));
                machine("score: " + score + "  ping: " + ping + "  client: " + number(p) + " " +
                        p.raw());
                told({"score", number(p), shown(p.raw()), score, ping});
                told({"team", number(p), shown(p.raw()), kTeamWords[p.team]});
            }
        machine("ShutdownGame:");
    }

    // The kills less suicides and team kills of the team's players at the end.
    int teamScore(int team) const {
        int score = 0;
        for (const Person& p : people_)
            score += p.present && p.team == team ? p.mapScore : 0;
        return score;
    }

    void startServerMap(int map) {
        machine(std::string(60, '-'));
        machine(std::string("InitGame: \\sv_hostname\\") + kHostName + "\\mapname\\" +
                kMaps[map % 5] + "\\g_gametype\\" + kTypeNames[static_cast<int>(type_)] +
                "\\g_logHits\\" + (hitsLogged() ? "1" : "0") + "\\version\\SOF2MP V1.03");
        told({"map", kMaps[map % 5], kTypeNames[static_cast<int>(type_)], shown(kHostName)});
    }

    bool hitsLogged() const { return type_ != GameType::Dm; }

    void connectAll() {
        for (Person& p : people_)
            if (p.present)
                connect(p);
    }
    void connect(Person& p) {
        const std::string address =
            p.bot ? "" : "10.0.0." + std::to_string(client(p) + 2) + ":20100";
        const std::string guid = p.bot ? "" : "GUID" + number(p);
        machine("ClientConnect: " + number(p) + " - " + address + " [" + guid + "]");
        told({"client", number(p), guid, address});
        userinfo(p);
        machine("ClientBegin: " + number(p));
        broadcast(p.raw() + "^7 entered the game");
    }
    void userinfo(const Person& p) {
        machine("ClientUserinfoChanged: " + number(p) + " n\\" + p.raw() + "\\t\\" +
                std::to_string(p.team) + "\\identity\\NPC_Sergeant/sergeant_" +
                (p.female ? "f" : "m"));
    }

    void loadingBlock(int map) {
        const std::string base = "C:\\Program Files\\Soldier of Fortune II - Double Helix\\base";
        console("----- FS_Startup -----");
        console("Current search path:");
        console(base + "/osp/zz_osp_v1_1.pk3 (152 files)");
        console(base + "/mp/sof2mp_assets.pk3 (9345 files)");
        console(base);
        console("^5OSP Tourney Mod 1.1 for SoF2MP 1.03 loaded");
        console(std::string("^5Gametype: ") + kGameNames[static_cast<int>(type_)]);
        console(std::string("Server: ") + kMaps[map % 5]);
        console("Com_TouchMemory: " + std::to_string(12 + below(30)) + " msec");
    }

    void play() {
        const int roll = below(1000);
        if (roll < 520)
            kill();
        else if (roll < 580)
            death();
        else if (roll < 680 && teamGame() && type_ != GameType::Elim)
            objective();
        else if (roll < 820)
            chat();
        else if (roll < 850)
            hit(anyone(), anyone(), false);
        else if (roll < 870)
            rename();
        else if (roll < 885)
            vote();
        else if (roll < 895 && teamGame())
            switchTeam();
        else if (roll < 902)
            punish();
        else if (roll < 930 && teamGame() && type_ != GameType::Ctf)
            roundEnd();
        else
            punkBuster();
    }

    void rejoin() {
        for (Person& p : people_)
            if (!p.present && tick_ >= p.rejoinAt && !clashes(p, p.raw())) {
                p.present = true;
                console(display(p) + "^7 is connecting...");
                connect(p);
                console(display(p) + "^7 entered the game");
            }
    }

    // A hit line (servers that log hits); the last hit before a kill decides
    // whether it was a head shot, so a hit that kills nobody is never on the head.
    void hit(const Person& attacker, const Person& target, bool head) {
        if (!hitsLogged() || &attacker == &target)
            return;
        static constexpr int kBody[] = {0x8000, 0x10000, 0x4, 0x100, 0x1000, 0x800, 0x40, 0x1};
        std::int32_t location = head ? 0x400 : pick(kBody);
        if (chance(10))
            location = static_cast<std::int32_t>(static_cast<std::uint32_t>(location) |
                                                 0x80000000u); // dismembered
        const int damage = 10 + below(90);
        machine("hit: " + number(attacker) + " " + number(target) + " " + std::to_string(location) +
                " " + std::to_string(damage) + " " + std::to_string(below(20)) + ": " +
                attacker.raw() + " hit " + target.raw() + " at location " +
                std::to_string(location) + " for " + std::to_string(damage));
    }

    void warmupKill() {
        Person& victim = anyone();
        Person& killer = teamGame() ? onTeam(3 - victim.team) : other(victim);
        const Weapon& w = weighted(kWeapons);
        machine("Kill: " + number(killer) + " " + number(victim) + " " +
                std::to_string(w.modNumber) + ": " + killer.raw() + " killed " + victim.raw() +
                " by " + w.mod + (w.alternate ? "_ALT" : ""));
        truth_.add(killer, "warmupKills");
    }

    void kill() {
        if (options_.skill)
            return skilledKill();
        Person& victim = anyone();
        const bool teamKill = teamGame() && chance(6);
        Person& killer = teamKill     ? onTeam(victim.team)
                         : teamGame() ? onTeam(3 - victim.team)
                                      : other(victim);
        killed(victim, killer, teamKill);
    }
    void skilledKill() {
        Person& victim = drawn(false, [](const Person&) { return true; });
        const bool teamKill = teamGame() && chance(6);
        Person& killer = teamKill ? onTeam(victim.team) : drawn(true, [&](const Person& p) {
            return &p != &victim && (!teamGame() || p.team != victim.team);
        });
        killed(victim, killer, teamKill);
    }
    void killed(Person& victim, Person& killer, bool teamKill) {
        if (&killer == &victim)
            return; // a team of one: no team kill to be had
        const Weapon& w = weighted(kWeapons);
        const bool headshot = w.blow == Blow::Bullet && chance(15);
        std::string line = obituary(victim) + " " + w.phrase + " " + obituary(killer);
        if (*w.word)
            line += std::string("'s ") + w.word;
        console(line + (headshot ? kOsp : ""));
        if (chance(40))
            hit(other(victim), victim, false);
        if (w.blow != Blow::Unseen)
            hit(killer, victim, headshot);
        machine("Kill: " + number(killer) + " " + number(victim) + " " +
                std::to_string(w.modNumber) + ": " + killer.raw() + " killed " + victim.raw() +
                " by " + w.mod + (w.alternate ? "_ALT" : ""));
        killer.mapScore += teamKill ? -1 : 1;
        if (teamKill) {
            truth_.add(killer, "teamKills");
            truth_.add(victim, "teamKilledDeaths");
            truth_.add(victim, "totalDeaths");
        } else {
            if (*w.row) {
                truth_.add(killer, std::string(w.row) + "Kills");
                truth_.add(victim, std::string(w.row) + "Deaths");
            }
            truth_.add(killer, "totalKills");
            truth_.add(victim, "totalDeaths");
            if (headshot) {
                truth_.add(killer, "headshotKills");
                truth_.add(victim, "headshotDeaths");
            }
            if (const char* carried = carriedBy(victim))
                truth_.add(killer, carried);
        }
        dropIfCarrying(victim);
    }

    void death() {
        Person& victim = anyone();
        const Cause& c = weighted(kCauses);
        console(obituary(victim) + " " + (victim.female ? c.she : c.he));
        const std::string killer = c.byWorld ? std::to_string(kWorld) : number(victim);
        machine("Kill: " + killer + " " + number(victim) + " " + std::to_string(c.modNumber) +
                ": " + (c.byWorld ? std::string("<world>") : victim.raw()) + " killed " +
                victim.raw() + " by " + c.mod);
        truth_.add(victim, c.counter);
        truth_.add(victim, "totalDeaths");
        --victim.mapScore;
        dropIfCarrying(victim);
    }

    // --- objectives: flags, the briefcase, the bomb (console lines only) ---
    enum Object { RedFlag, BlueFlag, Briefcase, Bomb };
    static constexpr const char* kObjectNames[] = {"Red Flag", "Blue Flag", "briefcase", "bomb"};
    static constexpr const char* kCarrierKills[] = {"flagCarrierKills", "flagCarrierKills",
                                                    "briefcaseCarrierKills", "bombCarrierKills"};
    static constexpr const char* kDrops[] = {"flagsDropped", "flagsDropped", "briefcasesDropped",
                                             "bombsDropped"};

    const char* carriedBy(const Person& p) const {
        for (std::size_t o = 0; o < carrier_.size(); ++o)
            if (carrier_[o] == &p)
                return kCarrierKills[o];
        return nullptr;
    }
    void dropIfCarrying(const Person& p) {
        for (std::size_t o = 0; o < carrier_.size(); ++o)
            if (carrier_[o] == &p) {
                console(shown(p.raw()) + " has dropped the " + kObjectNames[o] + "!");
                truth_.add(p, kDrops[o]);
                carrier_[o] = nullptr;
                if (o <= BlueFlag && chance(50))
                    console(std::string("The ") + kObjectNames[o] + " has returned!");
            }
    }
    void said(const Person& p, const std::string& what, const char* counter) {
        console(shown(p.raw()) + " " + what);
        truth_.add(p, counter);
    }

    void objective() {
        switch (type_) {
        case GameType::Ctf: {
            const Object flag = chance(50) ? RedFlag : BlueFlag;
            const std::string name = kObjectNames[flag];
            if (Person* c = carrier_[flag]) {
                said(*c, "has captured the " + name + "!", "flagsCaptured");
                carrier_[flag] = nullptr;
            } else {
                Person& p = onTeam(flag == RedFlag ? 2 : 1); // the other team's flag
                if (busy(p))
                    return;
                said(p, "has taken the " + name + "!", "flagsTaken");
                carrier_[flag] = &p;
            }
            break;
        }
        case GameType::Inf:
            if (Person* c = carrier_[Briefcase]) {
                said(*c, "has escaped with the briefcase!", "briefcaseEscapes");
                carrier_[Briefcase] = nullptr;
            } else {
                Person& p = onTeam(2);
                said(p, "has taken the briefcase!", "briefcasesTaken");
                carrier_[Briefcase] = &p;
            }
            break;
        case GameType::Dem:
            if (Person* c = carrier_[Bomb]) {
                said(*c, "has planted the bomb!", "bombsPlanted");
                planter_ = c;
                carrier_[Bomb] = nullptr;
            } else if (planter_ && chance(50)) {
                console("Blue team has destroyed the target!");
                told({"round", "blue"});
                truth_.add(*planter_, "targetsDestroyed");
                planter_ = nullptr;
            } else if (planter_) {
                said(onTeam(1), "has defused the bomb!", "bombsDefused");
                console("Red team has defended the bomb site!");
                told({"round", "red"});
                planter_ = nullptr;
            } else {
                Person& p = onTeam(2);
                said(p, "has taken the bomb!", "bombsTaken");
                carrier_[Bomb] = &p;
            }
            break;
        default: break;
        }
    }

    void roundEnd() {
        static constexpr const char* kEnds[] = {"Red team eliminated!", "Blue team eliminated!",
                                                "Round Draw!"};
        const std::string end = type_ == GameType::Inf && chance(30)
                                    ? "Red team has defended the briefcase!"
                                    : pick(kEnds);
        console(end);
        told({"round", end.starts_with("Round")        ? "none"
                       : end.starts_with("Red team e") ? "blue"
                                                       : "red"});
        carrier_.fill(nullptr);
        planter_ = nullptr;
    }

    void chat() {
        Person& p = anyone();
        const std::string text = chance(options_.chatty ? 50 : 25) ? pick(kTrapChat) : pick(kChat);
        const int kind = teamGame() ? below(10) : 0;
        std::string seen; // as the players see it
        if (kind < 6) {
            seen = tagged(p) + ": ^2" + text;
            machine("say: " + p.raw() + ": " + text);
        } else if (kind < 9) {
            const std::string c = code(p);
            seen = c + "(" + display(p) + c + (kind == 8 ? ") ^7(Market): ^2" : ")^7: ^2") + text;
            machine("sayteam: " + p.raw() + ": " + text);
        } else {
            seen = "*ghost* " + tagged(p) + ": ^2" + text;
            machine("say: " + p.raw() + ": " + text);
        }
        console(seen);
        server_ += seen + "\n"; // the dedicated console echoes it
    }

    void rename() {
        Person& p = anyone();
        if (p.names.size() < 2)
            return;
        const std::string oldDisplay = display(p), oldRaw = p.raw();
        if (clashes(p, p.names[(p.current + 1) % p.names.size()]))
            return;
        if (chance(30))
            userinfo(p); // a rename put off until he respawns: the old name first
        p.current = (p.current + 1) % p.names.size();
        if (p.used.insert(p.current).second && p.current != 0)
            truth_.alias(p, p.current);
        console(oldDisplay + (chance(50) ? "^7" : "") + " renamed to " + display(p));
        userinfo(p);
        broadcast(oldRaw + "^7 renamed to " + p.raw());
    }

    void vote() {
        Person& p = anyone();
        console(display(p) + "^7 called a vote.");
        broadcast(p.raw() + "^7 called a vote.");
        console(chance(60) ? "Vote passed." : "Vote failed.");
        truth_.add(p, "votesCalled");
    }

    void switchTeam() {
        Person& p = anyone();
        if (busy(p))
            return;
        p.team = 3 - p.team;
        const std::string team = p.team == 1 ? "red" : "blue";
        console(display(p) + "^7 joined the " + team + " team.");
        machine("Kill: " + number(p) + " " + number(p) + " 26: " + p.raw() + " killed " + p.raw() +
                " by MOD_TEAMCHANGE");
        userinfo(p);
        broadcast(p.raw() + "^7 joined the " + team + " team.");
    }

    void punish() {
        static constexpr const char* kReasons[] = {
            "You were kicked off of the server!",
            "You have been temporarily banned from this server!",
            "You have been banned from this server!"};
        static constexpr const char* kCounters[] = {"timesKicked", "timesTempBanned",
                                                    "timesBanned"};
        Person& p = anyone();
        if (busy(p) || p.bot)
            return;
        const int reason = below(3);
        console(display(p) + "^7 " + kReasons[reason]);
        console(display(p) + "^7 disconnected");
        broadcast(p.raw() + "^7 " + kReasons[reason]);
        machine("ClientDisconnect: " + number(p));
        truth_.add(p, kCounters[reason]);
        p.present = false;
        p.rejoinAt = tick_ + 20 + below(40);
    }

    void punkBuster() {
        const Person& p = anyone();
        console("^5PunkBuster Server: New Connection (slot #" + std::to_string(client(p) + 1) +
                ") 10.0.0.9:20100 [?] \"" + shown(p.raw()) + "\"");
    }

    MatchOptions options_;
    GameType type_;
    std::vector<Person> people_;
    std::array<Person*, 4> carrier_{};
    Person* planter_ = nullptr;
    int seconds_ = 0;
    int tick_ = 0; // events of the whole match so far
};

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "gen-log: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "gen-log: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

bool isMatchType(const std::string& type) {
    return std::find(std::begin(kTypeNames), std::end(kTypeNames), type) != std::end(kTypeNames);
}

const char* matchesFormat() {
    return "The matches file: what the logs say of each map, in log order, one fact a line\n"
           "(TAB between fields; which logs hold it in brackets):\n"
           "  map MAP TYPE SERVER          a map starts (server logs)\n"
           "  client N GUID ADDRESS        client N connects (server logs; a bot has neither)\n"
           "  round WINNER                 a round ends: red, blue or none (console)\n"
           "  over REASON                  the map's play ends (server logs)\n"
           "  ended SECONDS                its game time then (game log)\n"
           "  scores RED BLUE              the teams' scores (server logs)\n"
           "  score N NAME SCORE PING      a player's score (server logs)\n"
           "  team N NAME TEAM             the team he ends on: red, blue or free (all logs)\n";
}

const char* truthFormat() {
    return "The truth file: lines starting with # are comments; then per player (the name\n"
           "as the game shows it, colour codes removed, Windows-1252 bytes)\n"
           "  NAME TAB COUNTER TAB VALUE   for every counter other than 0 (counter names as\n"
           "                               docs/counting.md lists them, e.g. m4Kills)\n"
           "  NAME TAB alias TAB ALIAS     each later name of the player, in order of use\n"
           "quorvath-report --counting accurate --counts prints the same form.\n";
}

bool writeMatch(const MatchOptions& options) {
    MatchGenerator match(options);
    match.run();
    const std::string header = "# gen-log match truth: " + options.type + ", " +
                               std::to_string(options.maps) + " map(s), seed " +
                               std::to_string(options.seed) + "\n";
    return writeFile(options.prefix + "-console.log", match.console_) &&
           writeFile(options.prefix + "-games.log", match.games_) &&
           writeFile(options.prefix + "-server.log", match.server_) &&
           writeFile(options.prefix + "-truth.txt", match.truth_.text(header)) &&
           writeFile(options.prefix + "-matches.txt", match.matches_);
}

} // namespace genlog
