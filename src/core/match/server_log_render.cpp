#include "core/match/server_log_render.h"

#include "core/common/line_end.h"
#include "core/common/progress.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_colours.h"
#include "core/log/round_separator.h"
#include "core/match/server_clients.h"
#include "core/match/server_line.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace quorvath {

namespace {

constexpr std::string_view kEntered = " entered the game";
constexpr std::string_view kTeamWords[] = {"the game", "the red team.", "the blue team.",
                                           "the spectators."};

class ServerLogRenderer {
public:
    ServerLogRenderer(LogDocument& doc, const GameTable& table, Progress& progress)
        : text_(doc.textBuffer()), attrs_(doc.attributeRuns()), table_(table), progress_(progress) {
        grey_ = doc.paletteIndex(colours::DefaultGrey);
        chat_ = doc.paletteIndex(colours::Chat);
        red_ = doc.paletteIndex(colours::RedTeam);
        blue_ = doc.paletteIndex(colours::BlueTeam);
        banner_ = doc.attributeFor({colours::RoundBanner, true, false, true});
        for (std::size_t i = 0; i < colours::CodeColours.size(); ++i)
            codes_[i] = doc.paletteIndex(colours::CodeColours[i]);
    }

    void run() {
        const std::size_t n = text_.size();
        std::size_t next = 0;
        for (std::size_t from = 0; from < n; from = next) {
            const void* lf = std::memchr(text_.data() + from, '\n', n - from);
            const std::size_t end =
                lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text_.data()) : n;
            next = lf ? end + 1 : n;
            std::string_view line(text_.data() + from, end - from);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lineText_.clear();
            lineAttrs_.clear();
            renderLine(line);
            commit(next);
            if (from >= nextReport_) {
                progress_.setPosition(static_cast<std::int64_t>(from));
                nextReport_ = from + (1 << 16);
            }
        }
        finish();
    }

private:
    void put(std::string_view s, std::uint8_t attr) {
        lineText_.append(s);
        lineAttrs_.insert(lineAttrs_.end(), s.size(), attr);
    }

    // Text with the game's colour codes drawn: from `base`, each "^0".."^7"
    // switches the colour, and every code leaves the text.
    void putCoded(std::string_view s, std::uint8_t base) {
        if (s.find('^') == std::string_view::npos) {
            put(s, base);
            return;
        }
        std::uint8_t attr = base;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '^') {
                lineText_.push_back(s[i]);
                lineAttrs_.push_back(attr);
                continue;
            }
            if (i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '7')
                attr = codes_[static_cast<std::size_t>(s[i + 1] - '0')];
            ++i;
        }
    }

    std::uint8_t teamColour(Team team) const {
        return team == Team::Red ? red_ : team == Team::Blue ? blue_ : grey_;
    }

    // A client's name in his team's colour; one not yet named by his
    // userinfo goes by the name the line printed, or by his number.
    void putClient(std::int32_t number, std::string_view printed) {
        const ServerClient* c = clients_[number];
        if (c && c->named)
            putCoded(c->name, teamColour(c->team));
        else if (!printed.empty())
            putCoded(printed, grey_);
        else
            put("Client " + std::to_string(number), grey_);
    }

    void renderLine(std::string_view text) {
        enteredBefore_.swap(entered_);
        entered_.clear();
        broadcastBefore_ = std::exchange(broadcast_, false);
        const ServerLine line = cutServerLine(text);
        if (echoes_.isEcho(line))
            return; // the say line before it shows it
        switch (line.type) {
        case ServerLineType::Separator: return; // the banner marks the map
        case ServerLineType::InitGame: putBanner(line); return;
        default: break;
        }
        if (!line.time.empty()) {
            put(line.time, grey_);
            put(" ", grey_);
        }
        const std::size_t bodyStart = lineText_.size();
        renderBody(line);
        if (lineText_.size() == bodyStart) { // nothing to show after all
            lineText_.clear();
            lineAttrs_.clear();
        }
    }

    void renderBody(const ServerLine& line) {
        switch (line.type) {
        case ServerLineType::Kill: putKill(line); break;
        case ServerLineType::Hit: putHit(line); break;
        case ServerLineType::ClientUserinfoChanged: putUserinfo(line); break;
        case ServerLineType::ClientConnect:
            if (ServerClient* c = clients_[line.client])
                c->bot = line.bot;
            putClient(line.client, {});
            put(line.bot ? " is connecting... (bot)" : " is connecting...", grey_);
            break;
        case ServerLineType::ClientBegin:
            if (const ServerClient* c = clients_[line.client];
                c && c->named && enteredAgain(c->name, false))
                break;
            putClient(line.client, {});
            put(kEntered, grey_);
            break;
        case ServerLineType::ClientDisconnect:
            putClient(line.client, {});
            put(" disconnected", grey_);
            if (ServerClient* c = clients_[line.client])
                clients_.forget(*c);
            break;
        case ServerLineType::Say:
        case ServerLineType::SayTeam:
        case ServerLineType::Tell: putChat(line); break;
        case ServerLineType::Broadcast:
            if (line.text.ends_with(kEntered) &&
                enteredAgain(line.text.substr(0, line.text.size() - kEntered.size()), true))
                break;
            putCoded(line.text, grey_);
            break;
        default: putCoded(line.body, grey_); break;
        }
    }

    // A dedicated console shows a player entering twice, one line after the
    // other: the ClientBegin line and the game's broadcast of it ("NAME^7
    // entered the game"). Notes who entered on this line; true when the line
    // before showed him entering already, the other way.
    bool enteredAgain(std::string_view named, bool broadcast) {
        std::string_view name = named;
        if (name.ends_with("^7"))
            name.remove_suffix(2);
        entered_.assign(name);
        broadcast_ = broadcast;
        return broadcast != broadcastBefore_ && entered_ == enteredBefore_;
    }

    void putBanner(const ServerLine& line) {
        put(roundBanner(), banner_);
        put(kCrLf, grey_);
        put("Map: ", grey_);
        putCoded(infoValue(line.text, "mapname"), grey_);
        const std::string_view type = infoValue(line.text, "g_gametype");
        if (!type.empty()) {
            put(" (", grey_);
            putCoded(type, grey_);
            put(")", grey_);
        }
    }

    void putKill(const ServerLine& line) {
        const KillMeaning meaning = meaningOfKill(line, table_);
        putClient(line.target, line.otherName);
        switch (meaning.what) {
        case KillMeaning::What::NoDeath: put(" switched teams", grey_); return;
        case KillMeaning::What::Death:
            put(" ", grey_);
            put(causeMessage(table_, meaning.cause), grey_);
            return;
        case KillMeaning::What::Kill: break;
        }
        put(" ", grey_);
        put(meaning.form ? meaning.form->phrase : "was killed by", grey_);
        put(" ", grey_);
        putClient(line.client, line.name);
        if (meaning.form && !meaning.form->word.empty()) {
            put("'s ", grey_);
            put(meaning.form->word, grey_);
        } else if (!meaning.form) {
            put(" (", grey_);
            putCoded(line.mod, grey_);
            put(")", grey_);
        }
    }

    void putHit(const ServerLine& line) {
        std::string_view part = "body";
        for (const HitLocation& location : table_.hitLocations)
            if (line.location & location.bits) {
                part = location.name;
                break;
            }
        putClient(line.client, {});
        put(" hit ", grey_);
        putClient(line.target, {});
        put(" in the ", grey_);
        put(part, grey_);
        put(" for " + std::to_string(line.damage), grey_);
    }

    void putUserinfo(const ServerLine& line) {
        ServerClient* c = clients_[line.client];
        if (c == nullptr || line.name.empty())
            return;
        const bool renamed = c->named && c->name != line.name;
        const bool newTeam = line.team != Team::Unknown && line.team != c->team;
        if (renamed) {
            putCoded(c->name, teamColour(c->team));
            put(table_.renamePhrase, grey_);
            putCoded(line.name, teamColour(line.team));
        } else if (!c->named || newTeam) {
            putCoded(line.name, teamColour(line.team));
            put(" joined ", grey_);
            const auto team = static_cast<std::size_t>(line.team);
            put(team < std::size(kTeamWords) ? kTeamWords[team] : kTeamWords[0], grey_);
        }
        c->name.assign(line.name);
        c->named = true;
        if (line.team != Team::Unknown)
            c->team = line.team;
    }

    void putChat(const ServerLine& line) {
        const bool team = line.type == ServerLineType::SayTeam;
        // Chat lines print the name, not the number.
        const Team speaker = clients_.teamOf(line.name);
        if (team)
            put("(", teamColour(speaker));
        putCoded(line.name, teamColour(speaker));
        if (team)
            put(")", teamColour(speaker));
        if (line.type == ServerLineType::Tell) {
            put(" to ", grey_);
            putCoded(line.otherName, grey_);
        }
        put(": ", grey_);
        putCoded(line.text, chat_);
    }

    // Writes the line built over the text already read; a text that would
    // overtake what is still to be read moves to a buffer of its own (a
    // pathological log: almost every readable line is shorter).
    void commit(std::size_t nextRead) {
        if (lineText_.empty())
            return;
        lineText_ += kCrLf;
        lineAttrs_.push_back(grey_);
        lineAttrs_.push_back(grey_);
        const std::size_t n = lineText_.size();
        if (!spilled_ && written_ + n > nextRead) {
            spilled_ = true;
            spillText_.assign(text_, 0, written_);
        }
        if (spilled_)
            spillText_ += lineText_;
        else
            std::memcpy(text_.data() + written_, lineText_.data(), n);
        attrs_.appendBytes(lineAttrs_.data(), n, written_);
        written_ += n;
    }

    void finish() {
        if (spilled_) {
            text_.swap(spillText_);
            return;
        }
        text_.resize(written_);
    }

    std::string& text_;
    AttributeRuns& attrs_;
    const GameTable& table_;
    Progress& progress_;
    std::uint8_t grey_, chat_, red_, blue_, banner_;
    std::array<std::uint8_t, colours::CodeColours.size()> codes_{};
    ServerClients<ServerClient> clients_; // names as the userinfo has them, colour codes and all
    std::string lineText_;
    std::vector<std::uint8_t> lineAttrs_;
    std::string entered_, enteredBefore_; // raw names; see enteredAgain
    bool broadcast_ = false, broadcastBefore_ = false;
    ChatEchoes echoes_;
    std::size_t written_ = 0;
    std::size_t nextReport_ = 0;
    bool spilled_ = false;
    std::string spillText_;
};

} // namespace

bool renderServerLog(std::string bytes, LogDocument& doc, Progress& progress, std::size_t maxLength,
                     const GameTable& table) {
    progress.beginStage(std::string(RenderingServerLogStatus));
    progress.setPosition(0, static_cast<std::int64_t>(bytes.size()));
    doc.setText(std::string());
    doc.textBuffer() = std::move(bytes);
    doc.attributeRuns().clear();
    ServerLogRenderer(doc, table, progress).run();
    doc.attributeRuns().shrinkToFit();
    if (doc.textBuffer().size() > maxLength) {
        doc.setText(std::string());
        return false;
    }
    doc.textChanged();
    doc.setSelStart(0);
    progress.beginStage(std::string(ReadyStatus));
    progress.setPosition(0, doc.length());
    return true;
}

} // namespace quorvath
