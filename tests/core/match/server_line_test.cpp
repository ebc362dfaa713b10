// Server log lines cut into their fields: every keyword, the game time in and
// out of shape, lines that do not hold what their keyword promises, the
// userinfo and settings strings, and what a kill line means.

#include "core/match/game_table.h"
#include "core/match/server_line.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quorvath {
namespace {

constexpr std::array<const char*, 17> kTypeNames = {"Other",
                                                    "Separator",
                                                    "InitGame",
                                                    "ShutdownGame",
                                                    "Warmup",
                                                    "ClientConnect",
                                                    "ClientUserinfoChanged",
                                                    "ClientBegin",
                                                    "ClientDisconnect",
                                                    "ClientKick",
                                                    "Kill",
                                                    "Hit",
                                                    "Say",
                                                    "SayTeam",
                                                    "Tell",
                                                    "Broadcast",
                                                    "Exit"};

// The fields a line was cut into, those left as they start out omitted.
std::string fieldsOf(const ServerLine& l) {
    std::string out = kTypeNames[static_cast<std::size_t>(l.type)];
    const auto field = [&](const char* key, std::string_view value) {
        if (!value.empty())
            out.append(" ").append(key).append("=").append(value);
    };
    field("time", l.time);
    if (l.client != -1)
        out += " client=" + std::to_string(l.client);
    if (l.target != -1)
        out += " target=" + std::to_string(l.target);
    if (l.location != 0 || l.damage != 0)
        out += " at=" + std::to_string(l.location) + " for=" + std::to_string(l.damage);
    field("mod", l.mod);
    field("name", l.name);
    field("other", l.otherName);
    field("text", l.text);
    if (l.team != Team::Unknown)
        out += " team=" + std::to_string(static_cast<int>(l.team));
    if (l.bot)
        out += " bot";
    return out;
}

TEST(ServerLine, EveryKeywordCutIntoItsFields) {
    const struct {
        const char* line;
        const char* fields;
    } cases[] = {
        {"  0:06 Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE",
         "Kill time=  0:06 client=3 target=5 mod=MOD_M4_ASSAULT_RIFLE name=Mullins other=Hawk"},
        {"Kill: 1022 2 24: <world> killed Joe by MOD_FALLING",
         "Kill client=1022 target=2 mod=MOD_FALLING name=<world> other=Joe"},
        {"123:59 Kill: -2 0 7: Mr by the way killed B by MOD_KNIFE_ALT",
         "Kill time=123:59 client=-2 target=0 mod=MOD_KNIFE_ALT name=Mr by the way other=B"},
        {"  0:05 hit: 0 1 1024 45 0: Mullins hit Hawk at location 1024 for 45",
         "Hit time=  0:05 client=0 target=1 at=1024 for=45"},
        {" 10:00 ClientUserinfoChanged: 3 n\\Mullins\\t\\1\\identity\\x",
         "ClientUserinfoChanged time= 10:00 client=3 name=Mullins "
         "text=n\\Mullins\\t\\1\\identity\\x "
         "team=1"},
        {"ClientUserinfoChanged: 4 \\t\\9\\n\\Hawk",
         "ClientUserinfoChanged client=4 name=Hawk text=\\t\\9\\n\\Hawk"},
        {"say: Hawk: gg: wp", "Say name=Hawk text=gg: wp"},
        {"sayteam: Joe: go", "SayTeam name=Joe text=go"},
        {"tell: Hawk to Joe: hi", "Tell name=Hawk other=Joe text=hi"},
        {"ClientConnect: 4 - 1.2.3.4:20100 [GUID]", "ClientConnect client=4"},
        {"ClientConnect: 5 -  []", "ClientConnect client=5 bot"},
        {"ClientConnect: 6 - ", "ClientConnect client=6 bot"},
        {"ClientBegin: 7", "ClientBegin client=7"},
        {"ClientDisconnect: 8", "ClientDisconnect client=8"},
        {"ClientKick: 9 Hawk", "ClientKick text=9 Hawk"},
        {"broadcast: print \"Joe^7 called a vote.\\n\"", "Broadcast text=Joe^7 called a vote."},
        {"broadcast: print \"no line end\"", "Broadcast text=no line end"},
        {"  0:00 InitGame: \\mapname\\mp_shop", "InitGame time=  0:00 text=\\mapname\\mp_shop"},
        {"ShutdownGame:", "ShutdownGame"},
        {"Warmup:", "Warmup"},
        {"Exit: Timelimit hit.", "Exit text=Timelimit hit."},
        {"------------------------------------------------------------", "Separator"},
        {"  1:00 --------------------", "Separator time=  1:00"},
        // Not what the keyword promises, or no keyword at all: shown as they are.
        {"-------------------", "Other"},
        {"  0:01 Kill: x 5 10: A killed B by MOD_KNIFE", "Other time=  0:01"},
        {"Kill: 3 5 10 A killed B by MOD_KNIFE", "Other"},
        {"Kill: 3 5 10: A killed B", "Other"},
        {"hit: 0 1 1024 45", "Other"},
        {"tell: Hawk: hi", "Other"},
        {"say: nothing said", "Other"},
        {"ClientBegin: x", "Other"},
        {"ClientConnect: 4 1.2.3.4", "Other"},
        {"ClientUserinfoChanged: n\\Hawk", "Other"},
        {"kill: 3 5 10: A killed B by MOD_KNIFE", "Other"},
        {"  1:5 Kill: 3 5 10: A killed B by MOD_KNIFE", "Other"},
        {"   :05 Kill: 3 5 10: A killed B by MOD_KNIFE", "Other"},
        {"  1x05 Kill: 3 5 10: A killed B by MOD_KNIFE", "Other"},
        {"  1:05Kill: 3 5 10: A killed B by MOD_KNIFE", "Other"},
        {"12:34", "Other"},
        {"    ", "Other"},
        {"", "Other"},
    };
    for (const auto& c : cases) {
        const std::string line = c.line; // sized exactly: nothing is read past its end
        EXPECT_EQ(fieldsOf(cutServerLine(line)), c.fields) << c.line;
    }
}

TEST(ServerLine, SettingsAndUserinfoValuesByKey) {
    const struct {
        const char* info;
        const char* key;
        const char* value;
    } cases[] = {
        {"\\mapname\\mp_shop\\g_gametype\\ctf", "g_gametype", "ctf"},
        {"\\mapname\\mp_shop\\g_gametype\\ctf", "mapname", "mp_shop"},
        {"n\\Hawk\\t\\2", "n", "Hawk"},
        {"n\\Hawk\\t\\2", "t", "2"},
        {"n\\Hawk\\t\\2", "T", ""},
        {"n\\Hawk", "Hawk", ""}, // a value is no key
        {"n\\\\t\\2", "n", ""},
        {"n\\", "n", ""},
        {"n", "n", ""},
        {"", "n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(infoValue(c.info, c.key), c.value) << c.info << " " << c.key;
}

TEST(ServerLine, AKillLineIsAKillADeathByACauseOrNoDeath) {
    using What = KillMeaning::What;
    const struct {
        const char* line;
        What what;
        const char* word; // the kill form's weapon word, "-" for none
    } cases[] = {
        {"Kill: 3 5 10: A killed B by MOD_M4_ASSAULT_RIFLE", What::Kill, "M4"},
        {"Kill: 3 5 10: A killed B by MOD_M4_ASSAULT_RIFLE_ALT", What::Kill, "M203"},
        {"Kill: 3 5 10: A killed B by MOD_LASER_GUN", What::Kill, "-"},
        {"Kill: 1022 5 10: <world> killed B by MOD_M4_ASSAULT_RIFLE", What::Death, "M4"},
        {"Kill: 5 5 24: B killed B by MOD_FALLING", What::Death, "-"},
        {"Kill: 5 5 10: B killed B by MOD_M4_ASSAULT_RIFLE_ALT", What::Death, "M203"},
        {"Kill: 5 5 26: B killed B by MOD_TEAMCHANGE", What::NoDeath, "-"},
    };
    for (const auto& c : cases) {
        const std::string line = c.line;
        const KillMeaning meaning = meaningOfKill(cutServerLine(line), stockGameTable());
        EXPECT_EQ(meaning.what, c.what) << c.line;
        EXPECT_EQ(meaning.form ? std::string(meaning.form->word) : "-", c.word) << c.line;
    }
}

} // namespace
} // namespace quorvath
