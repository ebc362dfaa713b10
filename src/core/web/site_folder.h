#pragma once
// The folder a site is written into. A page is written only when its bytes
// differ from the file already there, through a temporary file renamed over
// it, so a site written again costs only the pages that changed and a reader
// (or a sync) never sees half a page.

#include "core/common/progress.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvath::web {

class SiteFolder {
public:
    // The folder at `path`, created (with its parents) if missing; check
    // `error()` before writing.
    explicit SiteFolder(std::string path);

    // Why the folder cannot be used: a message naming it.
    const std::optional<std::string>& error() const { return error_; }

    // Writes `bytes` as the file `name` unless it holds them already; false
    // (and error() tells why) when it cannot.
    bool put(std::string_view name, std::string_view bytes);

    // Counts the pages put on `progress`, of the pages expected, and once
    // `progress` is asked to stop refuses the next page: the writer then ends
    // early, every page it put whole (stopped() tells it apart from a failure).
    void reportTo(Progress& progress) { progress_ = &progress; }
    // How many more pages the writer is about to put (more may follow);
    // until it says, the length is unknown (0).
    void expectPages(int pages);
    bool stopped() const { return stopped_; }

    int pagesWritten() const { return written_; }
    int pagesUnchanged() const { return unchanged_; }

private:
    std::string path_;
    std::optional<std::string> error_;
    Progress* progress_ = nullptr;
    bool stopped_ = false;
    int expected_ = 0;
    int written_ = 0;
    int unchanged_ = 0;
};

} // namespace quorvath::web
