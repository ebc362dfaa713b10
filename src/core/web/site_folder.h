#pragma once
// The folder a site is written into. A page is written only when its bytes
// differ from the file already there, through a temporary file renamed over
// it, so a site written again costs only the pages that changed and a reader
// (or a sync) never sees half of a page that was there (a new page is made in
// place). A folder that keeps a manifest (one line per page: its name, the
// key of what it is made from, its size) skips, unrendered, a page whose key
// and file agree with it. Two threads may put or keep pages at once; the rest
// is for one thread at a time.

#include "core/common/progress.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

    // Keeps the manifest (kManifestName) of pages put by putPage, valid for
    // `identity` (what renders them: the templates and the page format).
    void keepManifest(const std::string& identity);
    // The page `name`, made from inputs hashed as `key`: left alone when the
    // manifest holds that key for it and its file that size, else put as
    // `render` gives it. False when the folder failed or was stopped.
    bool putPage(const std::string& name, const std::string& key,
                 const std::function<std::string()>& render);
    // Keeps the pages `names` as the manifest holds them, unrendered and
    // unread, when it holds every one of them and each is in the folder; else
    // keeps none of them and says false. Such pages (a history's old matches,
    // a hundred thousand and more) are looked up in one listing of the
    // folder, which reads no file's size: asking each page's would cost a
    // rewrite seconds where the file system has let go of them.
    bool keepPages(const std::vector<std::string>& names);
    // Stores the manifest once every page is put; false when one could not be.
    bool finish();

    // A file of the writer's own beside the pages (not one of them): read
    // (false when it cannot be), replaced whole, removed.
    bool readFile(const std::string& name, std::string& bytes) const;
    bool keepFile(const std::string& name, std::string_view bytes);
    void removeFile(const std::string& name) const;

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

    static constexpr const char* kManifestName = ".quorvath-pages";

private:
    struct Entry {
        std::string key;
        std::uintmax_t size = 0;
    };

    bool startPage();
    const std::unordered_set<std::string>& listing();
    bool write(std::string_view name, std::string_view bytes);
    void dropStoredManifest();
    void saveManifest();

    std::string path_;
    std::string identity_;                          // empty: no manifest kept
    std::unordered_map<std::string, Entry> stored_; // the manifest as the folder held it
    std::unordered_map<std::string, Entry> kept_;   // as it will be stored
    std::once_flag storedDropped_; // the folder's manifest removed before a page changed
    std::once_flag listed_;
    std::unordered_set<std::string> listing_; // the folder's names, once keepPages asks
    std::mutex mutex_; // putPage and put from two threads: what they count and keep
    std::optional<std::string> error_;
    Progress* progress_ = nullptr;
    bool stopped_ = false;
    int expected_ = 0;
    int written_ = 0;
    int unchanged_ = 0;
};

} // namespace quorvath::web
