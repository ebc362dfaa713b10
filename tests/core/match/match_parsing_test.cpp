// Lines of each kind of log into match events: table-driven console lines, a
// server log script (client numbers, teams, hits, renames, causes), the kind
// detection, and the resolution of cut names.

#include "core/common/progress.h"
#include "core/log/log_colours.h"
#include "core/log/log_file.h"
#include "core/match/console_log_parser.h"
#include "core/match/log_kind.h"
#include "core/match/server_log_parser.h"
#include "core/match/server_log_render.h"
#include "core/report/count_listing.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvath {
namespace {

// Each event as one readable line; "~" marks a name that may be cut, "#N"
// a client number, "@S" the game time.
class EventRecord final : public MatchEventSink {
public:
    void onEvent(const MatchEvent& e) override {
        const MatchDetails& d = *e.details;
        const auto name = [](const NamedPlayer& p) {
            return std::string(p.name) + (p.cutRaw.empty() ? "" : "~") +
                   (p.client >= 0 ? "#" + std::to_string(p.client) : "");
        };
        const auto team = [](Team t) { return std::to_string(static_cast<int>(t)); };
        switch (e.type) {
        case MatchEventType::Kill:
            text += "kill " + name(e.player) + " by " + name(e.other) + " " +
                    std::string(!e.form                ? "?"
                                : e.form->word.empty() ? e.form->phrase
                                                       : e.form->word) +
                    (e.headshot ? " head" : "") + (e.teamKill ? " team" : "");
            break;
        case MatchEventType::Death:
            text += "death " + name(e.player) + " " +
                    std::string(counterName(causeCounter(stockGameTable(), e.cause)));
            break;
        case MatchEventType::Objective:
            text += "objective " + name(e.player) + "|" + std::string(e.objective->phrase) +
                    (e.team == Team::Unknown ? "" : " " + team(e.team));
            break;
        case MatchEventType::Rename:
            text += "rename " + name(e.player) + " > " + name(e.other);
            break;
        case MatchEventType::Connect:
            text += "connect " + name(e.player) + (e.bot ? " bot" : "") +
                    (d.guid.empty() ? "" : " [" + std::string(d.guid) + "]") +
                    (d.address.empty() ? "" : " " + std::string(d.address));
            break;
        case MatchEventType::Disconnect: text += "disconnect " + name(e.player); break;
        case MatchEventType::TeamChange:
            text += "team " + name(e.player) + " " + team(e.team);
            break;
        case MatchEventType::PlayerLine:
            text += "line " + name(e.player) + " " + std::string(counterName(e.counter));
            break;
        case MatchEventType::MapStart:
            text += "map";
            if (!d.map.empty())
                text += " " + std::string(d.map) + "|" + std::string(d.gameType) + "|" +
                        std::string(d.server);
            break;
        case MatchEventType::MapEnd: text += "end"; break;
        case MatchEventType::WarmupStart: text += "warmup"; break;
        case MatchEventType::Chat:
            text += "chat" + (e.player.name.empty() ? "" : " " + name(e.player));
            break;
        case MatchEventType::RoundEnd: text += "round " + team(e.team); break;
        case MatchEventType::MatchOver: text += "over " + std::string(d.reason); break;
        case MatchEventType::TeamScores:
            text += "scores " + std::to_string(d.redScore) + " " + std::to_string(d.blueScore);
            break;
        case MatchEventType::PlayerScore:
            text += "score " + name(e.player) + " " + std::to_string(d.score) + " " +
                    std::to_string(d.ping);
            break;
        }
        text += e.time >= 0 ? " @" + std::to_string(e.time) + "\n" : "\n";
    }
    std::string text;
};

TEST(ConsoleLogParser, NamesComeFromTheColourStructureAndChatNeverCounts) {
    const struct {
        const char* line;
        const char* events;
    } cases[] = {
        {"^1Sam^7 was shot by ^4Samuel^7's M4", "kill Sam by Samuel M4\n"},
        {"^1Sam^7 was shot by ^1Big Sam^7's Micro Uzi ^1[ ^3HeaDShoT ^1]",
         "kill Sam by Big Sam Micro Uzi head team\n"},
        {"^7^1Dark^7 Lord^7 was shot by ^7Bill's M4^7's Micro-Uzi",
         "kill Dark Lord by Bill's M4 Micro-Uzi\n"},
        {"^4O'Neil^7 was sliced by ^1Joe Smith^7", "kill O'Neil by Joe Smith was sliced by\n"},
        {"^4O'Neil^7 tried to invade ^1Joe^7's personal space",
         "kill O'Neil by Joe personal space\n"},
        {"^4O'Neil^7 was shot by ^1Joe^7's Laser", "kill O'Neil by Joe ?\n"},
        {"^1Joe^7 was killed by ^4Bob^7", "kill Joe by Bob was killed by\n"},
        {"^1TheUnbelievablyLongNamedSnipe^7 was stabbed by ^4J\xF6rg^7",
         "kill TheUnbelievablyLongNamedSnipe~ by J\xF6rg was stabbed by\n"},
        {"^1Sam^7 was shot by ^4Samuel", ""},
        {"^1Sam^7 was shot by ^1[ ^3HeaDShoT ^1]", ""}, // the tag alone names nobody
        {"^1Joe^7: ^2lol he was shot by his own team", "chat Joe\n"},
        {"^1Joe^7: ^2Kill: 1 2 3: x killed y by MOD_M4_ASSAULT_RIFLE", "chat Joe\n"},
        {"*ghost* ^4Sam^7: ^2Sam^7 fell to his death.", "chat\n"},
        {"*spec* Sam^7: ^2Sam has taken the Blue Flag!", "chat\n"},
        // A clan tag of stars is a name, not a ghost's or spectator's chat.
        {"*NS*Hawk has taken the Blue Flag!", "objective *NS*Hawk|has taken the Blue Flag!\n"},
        {"*NS*Hawk renamed to Hawk", "rename *NS*Hawk > Hawk\n"},
        {"*ghost*Sam^7 joined the blue team.", "team *ghost*Sam 2\n"},
        {"^1(Joe^1) ^7(Market): ^2Joe has taken the Blue Flag!", "chat\n"},
        {"^4Sam^7 blew herself up.", "death Sam grenadeSuicides\n"},
        {"^7^3Ka^5ne^7 sank like a rock.", "death Kane drownedSuicides\n"},
        {"Sam died.", ""},                     // a suicide line closes the name with "^7"
        {"^1^7 was shot by ^4Bob^7's M4", ""}, // nobody's name
        {"Joe Smith has taken the Blue Flag!", "objective Joe Smith|has taken the Blue Flag!\n"},
        {"Blue team has destroyed the target!",
         "objective |team has destroyed the target! 2\nround 2\n"},
        {"Red team has defended the bomb site!",
         "objective |team has defended the bomb site! 1\nround 1\n"},
        {"Red team has defended the briefcase!",
         "objective |team has defended the briefcase! 1\nround 1\n"},
        {"Red team eliminated!", "objective |team eliminated! 1\nround 2\n"},
        {"Blue team eliminated!", "objective |team eliminated! 2\nround 1\n"},
        {"Round Draw!", "objective |Round Draw!\nround 4\n"},
        {"^4Sam^7: ^2Red team eliminated!", "chat Sam\n"},
        {"Joe called a vote.", "line Joe votesCalled\n"},
        // A name of one letter is a name all the same.
        {"Q called a vote.", "line Q votesCalled\n"},
        {"Q has captured the Red Flag!", "objective Q|has captured the Red Flag!\n"},
        {" has captured the Red Flag!", ""},
        {"Joe^7 You have been temporarily banned from this server!", "line Joe timesTempBanned\n"},
        {"[SAS]Mullins renamed to Mullins", "rename [SAS]Mullins > Mullins\n"},
        {"^3Ka^5ne^7 renamed to Hawk^4Eye", "rename Kane > HawkEye\n"},
        {"^3Ka^5ne^7 entered the game", "connect Kane\n"},
        {"Joe Smith^7 joined the blue team.", "team Joe Smith 2\n"},
        {"Current search path:", "map\n"},
        {"^5PunkBuster Server: Player GUID Computed", ""},
    };
    for (const auto& c : cases) {
        EventRecord record;
        ConsoleLogParser parser(stockGameTable(), record);
        parser.parseLine(c.line);
        parser.finish();
        EXPECT_EQ(record.text, c.events) << c.line;
    }
}

// Names sharing their first 29 characters (all a kill line keeps) in turn:
// leaving and coming in one map, renaming into the name, together, in the
// next map before anyone is seen, and never seen in full at all.
TEST(ConsoleLogParser, ACutNameGoesToThePlayerInTheGameWhoseNameStartsWithIt) {
    const std::string doom = "=[Elite]=The_Terminator_Of_Doom";
    const std::string cut = "=[Elite]=The_Terminator_Of_Do";
    const std::string kill = "^1" + cut + "^7 was shot by ^4Bob^7's M4";
    const std::pair<std::string, std::string> lines[] = {
        {"Current search path:", "map\n"},
        {doom + "^7 entered the game", "connect " + doom + "\n"},
        {kill, "kill " + doom + " by Bob M4\n"},
        {doom + "^7 disconnected", "disconnect " + doom + "\n"},
        {doom + "...^7 entered the game", "connect " + doom + "...\n"},
        {"^1" + cut + "^7 blew himself up.", "death " + doom + "... grenadeSuicides\n"},
        {doom + "...^7 disconnected", "disconnect " + doom + "...\n"},
        {"^4Bob^7: ^2gg", "chat Bob\n"},
        {"Rookie renamed to " + doom + "_II", "rename Rookie > " + doom + "_II\n"},
        {kill, "kill " + doom + "_II by Bob M4\n"},
        {doom + "^7 entered the game", "connect " + doom + "\n"},
        {kill, "kill " + cut + "~ by Bob M4\n"}, // two in the game: unresolved
        // Nobody: it waits for the map's end, and nobody came.
        {"^1Sergeant_Maximilian_Hawthorne^7 was shot by ^4Bob^7's M4", ""},
        {"Current search path:", "kill Sergeant_Maximilian_Hawthorne~ by Bob M4\nmap\n"},
        // A kill before anyone is seen waits for the map's end.
        {kill, ""},
        {"^4Bob^7: ^2gg", ""},
        {doom + "...^7 entered the game", ""},
        {"----- CL_Shutdown -----",
         "kill " + doom + "... by Bob M4\nchat Bob\nconnect " + doom + "...\nend\n"},
        {"Current search path:", "map\n"},
        {kill, ""},
    };
    EventRecord record;
    ConsoleLogParser parser(stockGameTable(), record);
    for (const auto& [line, events] : lines) {
        record.text.clear();
        parser.parseLine(line);
        EXPECT_EQ(record.text, events) << line;
    }
    record.text.clear();
    parser.finish(); // the log's end ends the map
    EXPECT_EQ(record.text, "kill " + cut + "~ by Bob M4\n");
}

// A log without loading blocks is one long map: what waits for its end is
// handed on after a while all the same, not held to the log's end.
TEST(ConsoleLogParser, ALogWithoutMapsIsNotHeldWhole) {
    EventRecord record;
    ConsoleLogParser parser(stockGameTable(), record);
    parser.parseLine("^1Sergeant_Maximilian_Hawthorne^7 was shot by ^4Bob^7's M4");
    for (int i = 0; i < 100000 && record.text.empty(); ++i)
        parser.parseLine("^4Bob^7: ^2gg");
    EXPECT_EQ(record.text.substr(0, 48), "kill Sergeant_Maximilian_Hawthorne~ by Bob M4\nch");
}

TEST(ServerLogParser, ClientsCarryNamesTeamsAndHeadHitsAcrossLines) {
    const char* lines[][2] = {
        {"  0:00 InitGame: \\sv_hostname\\^1Red^7 Base\\mapname\\mp_shop\\g_gametype\\ctf",
         "map mp_shop|ctf|Red Base @0\n"},
        {"  0:00 Warmup:", "warmup @0\n"},
        {"  0:00 ClientConnect: 0 - 1.2.3.4:20100 [G]", ""},
        {"  0:00 ClientUserinfoChanged: 0 n\\^3Mul^5lins\\t\\1\\identity\\x",
         "connect Mullins#0 [G] 1.2.3.4:20100 @0\nteam Mullins#0 1 @0\n"},
        {"  0:00 ClientConnect: 1 -  []", ""},
        {"  0:00 ClientUserinfoChanged: 1 n\\Hawk\\t\\2",
         "connect Hawk#1 bot @0\nteam Hawk#1 2 @0\n"},
        {"  0:00 ClientUserinfoChanged: 2 n\\Joe\\t\\1", "connect Joe#2 @0\nteam Joe#2 1 @0\n"},
        {"  0:05 hit: 0 1 -2147482624 45 0: Mullins hit Hawk at location 1024 for 45", ""},
        {"  0:06 Kill: 0 1 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE",
         "kill Hawk#1 by Mullins#0 M4 head @6\n"},
        {"  0:07 Kill: 0 1 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE",
         "kill Hawk#1 by Mullins#0 M4 @7\n"},
        {"  0:08 Kill: 2 0 11: Joe killed Mullins by MOD_AK74_ASSAULT_RIFLE_ALT",
         "kill Mullins#0 by Joe#2 was stabbed by team @8\n"},
        {"  0:09 Kill: 1022 2 24: <world> killed Joe by MOD_FALLING",
         "death Joe#2 fallSuicides @9\n"},
        {"  0:10 Kill: 2 2 18: Joe killed Joe by MOD_SMOHG92_GRENADE",
         "death Joe#2 grenadeSuicides @10\n"},
        {"  0:11 Kill: 2 2 26: Joe killed Joe by MOD_TEAMCHANGE", ""},
        {"  0:12 ClientUserinfoChanged: 2 n\\Joe\\t\\2", "team Joe#2 2 @12\n"},
        {"  0:13 Kill: 0 2 12: Mullins killed Joe by MOD_SIG551",
         "kill Joe#2 by Mullins#0 Sig 551 @13\n"},
        {"  0:14 ClientUserinfoChanged: 1 n\\Falcon\\t\\2", "rename Hawk#1 > Falcon#1 @14\n"},
        {"  0:15 say: Falcon: lol he was shot by his own team", "chat @15\n"},
        {"say: Falcon: Kill: 1 2 3: x killed y by MOD_M4_ASSAULT_RIFLE", "chat\n"},
        {"  0:16 Kill: 0 1 99: Mullins killed Falcon by MOD_LASER_GUN",
         "kill Falcon#1 by Mullins#0 ? @16\n"},
        // Another client's kill whatever the MOD; the world's or his own a death by cause.
        {"  0:16 Kill: 0 1 0: Mullins killed Falcon by MOD_UNKNOWN",
         "kill Falcon#1 by Mullins#0 ? @16\n"},
        {"  0:16 Kill: 0 1 24: Mullins killed Falcon by MOD_FALLING",
         "kill Falcon#1 by Mullins#0 ? @16\n"},
        {"  0:16 Kill: 1 1 0: Falcon killed Falcon by MOD_UNKNOWN",
         "death Falcon#1 diedSuicides @16\n"},
        {"  0:16 Kill: 1022 1 0: <world> killed Falcon by MOD_UNKNOWN",
         "death Falcon#1 diedSuicides @16\n"},
        {"  0:16 Kill: 1022 1 10: <world> killed Falcon by MOD_M4_ASSAULT_RIFLE",
         "death Falcon#1 diedSuicides @16\n"},
        {"  0:16 Kill: 1 1 10: Falcon killed Falcon by MOD_M4_ASSAULT_RIFLE_ALT",
         "death Falcon#1 m203Suicides @16\n"},
        {"  0:17 ClientDisconnect: 1", "disconnect Falcon#1 @17\n"},
        {"broadcast: print \"Joe^7 called a vote.\\n\"", "line Joe votesCalled\n"},
        {"broadcast: print \"Joe^7 renamed to X\\n\"", ""},
        {" 12:34 Exit: Timelimit hit.", "over Timelimit hit. @754\n"},
        {" 12:34 red:3  blue:15", "scores 3 15 @754\n"},
        {" 12:34 score: 12  ping: 50  client: 0 ^3Mul^5lins", "score Mullins#0 12 50 @754\n"},
        // A client the log never named keeps the name his score line prints.
        {" 12:34 score: -2  ping: 999  client: 7 ^1Late", "score Late#7 -2 999 @754\n"},
        {" 12:34 score: 1  ping: 9", ""},
        {"ClientConnect: 3 - 5.6.7.8:20100 [ABC]", ""}, // a dedicated console: no time
        {"ClientUserinfoChanged: 3 n\\Zed", "connect Zed#3 [ABC] 5.6.7.8:20100\n"},
        {" 12:35 ShutdownGame:", "end @755\n"},
    };
    EventRecord record;
    ServerLogParser parser(stockGameTable(), record);
    for (const auto& [line, events] : lines) {
        record.text.clear();
        parser.parseLine(line);
        EXPECT_EQ(record.text, events) << line;
    }
    EXPECT_TRUE(parser.hitsSeen());
}

TEST(LogKind, ToldByLinesOnlyOneKindWritesChatCannotFoolIt) {
    const std::string console = "^1Joe^7 was shot by ^4Bob^7's M4\r\nCurrent search path:\r\n";
    const std::string timed = "  3:59 Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE\n";
    const std::string untimed =
        "Kill: 3 5 10: Mullins killed Hawk by MOD_M4_ASSAULT_RIFLE\nbroadcast: print \"x\\n\"\n";
    const std::string lookalike = "Kill: 1 2 3: x killed y by MOD_M4_ASSAULT_RIFLE";
    // A dedicated console echoes chat right after its say line.
    const std::string echoed = "say: Hawk: " + lookalike + "\n^1Hawk^7: ^2" + lookalike +
                               "\nsayteam: Hawk: gg\n^1(Hawk^1)^7: ^2gg\n";
    const std::string chat = "^1Hawk^7: ^2" + lookalike + "\r\n^4Bob^7: ^2Bob^7 was shot by x\r\n";
    const auto repeat = [](const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    };
    const struct {
        std::string bytes;
        LogKind kind;
        KindEvidence evidence;
    } cases[] = {
        {"", LogKind::PlayerConsole, KindEvidence::Unknown},
        {"hello\r\nworld\r\n", LogKind::PlayerConsole, KindEvidence::Unknown},
        {repeat(console, 50), LogKind::PlayerConsole, KindEvidence::Lines},
        {repeat(console, 500) + timed, LogKind::PlayerConsole, KindEvidence::Lines},
        {repeat(timed, 50), LogKind::ServerGameLog, KindEvidence::Lines},
        {repeat(untimed, 50), LogKind::ServerConsole, KindEvidence::Lines},
        {repeat(console, 50) + repeat(timed, 50), LogKind::PlayerConsole, KindEvidence::Mixed},
        {repeat(timed, 50) + repeat(untimed, 50), LogKind::PlayerConsole, KindEvidence::Mixed},
        {repeat(untimed + repeat(echoed, 5), 50), LogKind::ServerConsole, KindEvidence::Lines},
        {repeat(echoed, 50), LogKind::ServerConsole, KindEvidence::Lines},
        {repeat(chat, 50), LogKind::PlayerConsole, KindEvidence::Lines},
        {repeat(console + repeat(chat, 5), 50), LogKind::PlayerConsole, KindEvidence::Lines},
        // Chat not right after its say line is a player's.
        {repeat("say: Hawk: gg\n^1Bob^7: ^2hi\r\n", 50), LogKind::PlayerConsole,
         KindEvidence::Mixed},
    };
    for (const auto& c : cases) {
        const LogKindDetection found = detectLogKind(c.bytes);
        EXPECT_EQ(found.kind, c.kind) << c.bytes.substr(0, 60);
        EXPECT_EQ(found.evidence, c.evidence) << c.bytes.substr(0, 60);
    }
    EXPECT_EQ(describeLogKind(detectLogKind(repeat(console + timed, 40))),
              "mixed kinds of lines (player console log 67%, server game log 33%), read as a "
              "player console log");
}

// A dedicated console prints a player entering twice, the ClientBegin line
// and the game's broadcast of it, in either order, and each chat line twice,
// the say line and its echo as the players see it: shown once. A game log
// has only the ClientBegin and say lines, each shown.
TEST(ServerLogView, APlayerEntersAndSpeaksOnce) {
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"ClientUserinfoChanged: 1 n\\^3Ka^5ne\\t\\0\nClientBegin: 1\n"
         "broadcast: print \"^3Ka^5ne^7 entered the game\\n\"\n"
         "broadcast: print \"^3Ka^5ne^7 entered the game\\n\"\nClientBegin: 1\n",
         "Kane joined the game\r\nKane entered the game\r\nKane entered the game\r\n"},
        {"ClientUserinfoChanged: 1 n\\Bob\\t\\0\nbroadcast: print \"Bob^7 entered the game\\n\"\n"
         "ClientBegin: 1\nClientBegin: 1\n",
         "Bob joined the game\r\nBob entered the game\r\nBob entered the game\r\n"},
        {"  0:00 ClientUserinfoChanged: 1 n\\Bob\\t\\0\n  0:00 ClientBegin: 1\n",
         "  0:00 Bob joined the game\r\n  0:00 Bob entered the game\r\n"},
        {"say: Bob: gg\n^7Bob^7: ^2gg\nsayteam: Bob: go\n^7(Bob^7)^7: ^2go\n^7Bob^7: ^2go\n",
         "Bob: gg\r\n(Bob): go\r\nBob: go\r\n"},
        {"  0:01 say: Bob: gg\n^7Bob^7: ^2gg\n", "  0:01 Bob: gg\r\nBob: gg\r\n"},
        // An echo carries the speaker's name: a line of just the text is the game's own.
        {"say: Bob: Red team eliminated!\nRed team eliminated!\n",
         "Bob: Red team eliminated!\r\nRed team eliminated!\r\n"},
    };
    for (const auto& c : cases) {
        LogDocument doc;
        Progress progress;
        ASSERT_TRUE(renderServerLog(c.bytes, doc, progress, MaxTextLength));
        EXPECT_EQ(doc.text(), c.shown) << c.bytes;
    }
}

// Readable lines longer than the machine lines they replace (a long name
// entering again and again) outgrow the text still to be read: the view is
// the same all the same, every character with its attribute.
TEST(ServerLogView, LinesThatGrowAreShownWhole) {
    const std::string name = "AVeryLongPlayerNameIndeed";
    std::string bytes = "ClientUserinfoChanged: 1 n\\" + name + "\\t\\1\n";
    std::string shown = name + " joined the red team.\r\n";
    for (int i = 0; i < 3; ++i) {
        bytes += "ClientBegin: 1\n";
        shown += name + " entered the game\r\n";
    }
    LogDocument doc;
    Progress progress;
    ASSERT_TRUE(renderServerLog(bytes, doc, progress, MaxTextLength));
    EXPECT_EQ(doc.text(), shown);
    EXPECT_EQ(doc.paletteColour(doc.attributeAt(static_cast<int>(shown.rfind(name)))),
              colours::RedTeam);
}

// A hit's location is a set of bits: each names its part of the body, the
// first part in the table (head first) wins, and no bit is the body.
TEST(ServerLogView, AHitNamesThePartItsBitsMean) {
    const std::pair<int, std::string_view> cases[] = {
        {0x1, "foot"},     {0x2, "foot"},      {0x4, "leg"},      {0x20, "leg"},
        {0x40, "hand"},    {0x80, "hand"},     {0x100, "arm"},    {0x200, "arm"},
        {0x400, "head"},   {0x800, "waist"},   {0x1000, "back"},  {0x4000, "back"},
        {0x8000, "chest"}, {0x20000, "chest"}, {0x40000, "neck"}, {0x401, "head"},
        {0x0, "body"},
    };
    for (const auto& [bits, part] : cases) {
        const std::string bytes = "ClientUserinfoChanged: 1 n\\Bob\\t\\0\n"
                                  "ClientUserinfoChanged: 2 n\\Ann\\t\\0\nhit: 1 2 " +
                                  std::to_string(bits) + " 45 0: Bob hit Ann at location " +
                                  std::to_string(bits) + " for 45\n";
        LogDocument doc;
        Progress progress;
        ASSERT_TRUE(renderServerLog(bytes, doc, progress, MaxTextLength));
        EXPECT_NE(doc.text().find("Bob hit Ann in the " + std::string(part) + " for 45\r\n"),
                  std::string::npos)
            << bits << doc.text();
    }
}

// The readable text must keep 32-bit positions: a limit of its exact length
// is enough, one less refuses the log.
TEST(ServerLogView, TextLongerThanTheLimitIsRefused) {
    const std::string bytes = "ClientUserinfoChanged: 1 n\\Bob\\t\\0\nClientBegin: 1\n";
    const std::size_t length =
        std::string("Bob joined the game\r\nBob entered the game\r\n").size();
    LogDocument doc;
    Progress progress;
    EXPECT_FALSE(renderServerLog(bytes, doc, progress, length - 1));
    EXPECT_EQ(doc.length(), 0);
    EXPECT_TRUE(renderServerLog(bytes, doc, progress, length));
    EXPECT_EQ(doc.length(), static_cast<int>(length));
}

// "^0" to "^7" in a chat line switch its colour, each code its own; any
// other character after the caret leaves the colour as it was.
TEST(ServerLogView, EachColourCodeColoursTheTextAfterIt) {
    for (char code = '0'; code <= '8'; ++code) {
        const std::string bytes = std::string("say: Bob: a^") + code + "b\n";
        LogDocument doc;
        Progress progress;
        ASSERT_TRUE(renderServerLog(bytes, doc, progress, MaxTextLength));
        ASSERT_EQ(doc.text(), "Bob: ab\r\n");
        const auto colour = [&](int at) { return doc.paletteColour(doc.attributeAt(at)); };
        EXPECT_EQ(colour(6), code == '8'
                                 ? colour(5)
                                 : colours::CodeColours[static_cast<std::size_t>(code - '0')])
            << code;
    }
}

} // namespace
} // namespace quorvath
