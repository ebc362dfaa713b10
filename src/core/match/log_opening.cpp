#include "core/match/log_opening.h"

#include "core/common/file_errors.h"
#include "core/log/log_file.h"
#include "core/log/log_loader.h"
#include "core/match/server_log_render.h"

namespace quorvath {

std::optional<std::string> openLog(const std::string& path, LogDocument& doc, Progress& progress,
                                   LogKindDetection& detection, std::optional<LogKind> chosen) {
    std::string bytes;
    if (auto error = readLogBytes(path, bytes))
        return error;
    if (!loadLogOfKind(std::move(bytes), doc, progress, detection, chosen))
        return tooLargeMessage(path, LogTooLongReason);
    return std::nullopt;
}

bool loadLogOfKind(std::string bytes, LogDocument& doc, Progress& progress,
                   LogKindDetection& detection, std::optional<LogKind> chosen) {
    detection = chosen ? LogKindDetection{*chosen, KindEvidence::Chosen} : detectLogKind(bytes);
    if (isServerLog(detection.kind))
        return renderServerLog(std::move(bytes), doc, progress, MaxTextLength);
    return loadLogBytes(std::move(bytes), doc, progress);
}

} // namespace quorvath
