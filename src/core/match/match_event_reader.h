#pragma once
// MatchEventReader: the one way into a log's match events. It reads a log of
// any kind as its file holds it (colour codes and all: names and teams are
// read from the colour structure), line by line through the parser of its
// kind, and hands every event to a sink: the Accurate tally, a history, a
// test's own; a MatchEventFanOut feeds several.
//
//   MatchEventReader reader(kind, stockGameTable(), sink);
//   if (auto error = reader.readFile(path, progress)) ...   // or read(bytes, progress)
//
// One thread; the sink is called on it, in log order.

#include "core/match/game_table.h"
#include "core/match/log_kind.h"
#include "core/match/match_event.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

class ConsoleLogParser;
class Progress;
class ServerLogParser;

class MatchEventReader {
public:
    MatchEventReader(LogKind kind, const GameTable& table, MatchEventSink& sink);
    ~MatchEventReader();
    MatchEventReader(const MatchEventReader&) = delete;
    MatchEventReader& operator=(const MatchEventReader&) = delete;

    // The whole of `bytes`, a piece at a time; false when a stop was requested
    // on `progress` (looked at between pieces) before the end.
    bool read(std::string_view bytes, Progress& progress);
    // The same on the file at `path`, read a piece at a time: the message
    // naming the file when it cannot be read. A stop leaves the log unfinished.
    std::optional<std::string> readFile(const std::string& path, Progress& progress);

    // Or piece by piece, as a log grows: a line may run on into the next piece.
    void feed(std::string_view piece);
    // The last line, when the log does not end with a line end, and the
    // events held back for a cut name.
    void finish();

    // Whether the log, once read, marks head shots (a server that logs hits,
    // a console with the head-shot mark).
    bool headshotsMarked() const;

private:
    void parse(std::string_view line);

    std::unique_ptr<ConsoleLogParser> console_;
    std::unique_ptr<ServerLogParser> server_;
    std::string carried_;
};

} // namespace quorvath
