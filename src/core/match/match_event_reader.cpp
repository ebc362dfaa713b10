#include "core/match/match_event_reader.h"

#include "core/common/file_errors.h"
#include "core/common/progress.h"
#include "core/match/console_log_parser.h"
#include "core/match/server_log_parser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace quorvath {

namespace {

constexpr std::size_t kPieceBytes = 1u << 20;

} // namespace

MatchEventReader::MatchEventReader(LogKind kind, const GameTable& table, MatchEventSink& sink) {
    if (isServerLog(kind))
        server_ = std::make_unique<ServerLogParser>(table, sink);
    else
        console_ = std::make_unique<ConsoleLogParser>(table, sink);
}

MatchEventReader::~MatchEventReader() = default;

void MatchEventReader::feed(std::string_view piece) {
    if (!carried_.empty()) {
        const std::size_t lf = piece.find('\n');
        carried_.append(piece.substr(0, lf));
        if (lf == std::string_view::npos)
            return;
        parse(carried_);
        carried_.clear();
        piece.remove_prefix(lf + 1);
    }
    std::size_t from = 0;
    for (std::size_t lf; (lf = piece.find('\n', from)) != std::string_view::npos; from = lf + 1)
        parse(piece.substr(from, lf - from));
    carried_.assign(piece.substr(from));
}

void MatchEventReader::finish() {
    if (!carried_.empty())
        parse(carried_);
    carried_.clear();
    if (console_)
        console_->finish();
}

void MatchEventReader::parse(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (console_)
        console_->parseLine(line);
    else
        server_->parseLine(line);
}

bool MatchEventReader::headshotsMarked() const {
    return console_ ? console_->headshotsSeen() : server_->hitsSeen();
}

bool MatchEventReader::read(std::string_view bytes, Progress& progress) {
    const auto length = static_cast<std::int64_t>(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); at += kPieceBytes) {
        if (progress.stopRequested())
            return false;
        progress.setPosition(static_cast<std::int64_t>(at), length);
        feed(bytes.substr(at, kPieceBytes));
    }
    finish();
    progress.setPosition(length, length);
    return true;
}

std::optional<std::string> MatchEventReader::readFile(const std::string& path, Progress& progress) {
    if (auto error = checkIsFile(path))
        return error;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return cannotReadMessage(path, std::strerror(errno));
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    std::vector<char> piece(kPieceBytes);
    std::int64_t done = 0;
    for (std::size_t got; !progress.stopRequested() &&
                          (got = std::fread(piece.data(), 1, piece.size(), file)) > 0;) {
        feed({piece.data(), got});
        done += static_cast<std::int64_t>(got);
        progress.setPosition(done, ec ? done : size);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed)
        return cannotReadMessage(path, std::strerror(error));
    if (!progress.stopRequested())
        finish();
    return std::nullopt;
}

} // namespace quorvath
