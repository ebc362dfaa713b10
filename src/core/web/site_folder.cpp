#include "core/web/site_folder.h"

#include "core/common/file_errors.h"
#include "core/common/file_replace.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace quorvath::web {

namespace fs = std::filesystem;

namespace {

std::string folderMessage(const std::string& path, const std::string& reason) {
    return "The folder " + quotedPath(path) + " cannot be written: " + reason + ".";
}

// Whether the file at `path`, of `size` bytes, holds exactly `bytes` (read
// only when the sizes agree).
bool holds(const fs::path& path, std::uintmax_t size, std::string_view bytes) {
    if (size != bytes.size())
        return false;
    std::ifstream in(path, std::ios::binary);
    std::string old(bytes.size(), '\0');
    return in.read(old.data(), static_cast<std::streamsize>(old.size())) && old == bytes;
}

} // namespace

SiteFolder::SiteFolder(std::string path) : path_(std::move(path)) {
    std::error_code ec;
    fs::create_directories(path_, ec);
    if (ec)
        error_ = folderMessage(path_, ec.message());
    else if (!fs::is_directory(path_, ec))
        error_ = folderMessage(path_, "it is not a folder");
}

void SiteFolder::expectPages(int pages) {
    const std::lock_guard lock(mutex_);
    expected_ = std::max(expected_, written_ + unchanged_) + pages;
    if (progress_)
        progress_->setPosition(written_ + unchanged_, expected_);
}

// Counts the page about to be put; false once the folder failed or the user stopped it.
bool SiteFolder::startPage() {
    const std::lock_guard lock(mutex_);
    if (error_)
        return false;
    if (progress_) {
        if (progress_->stopRequested()) {
            stopped_ = true;
            error_ =
                "Stopped: the folder " + quotedPath(path_) + " holds the pages written so far.";
            return false;
        }
        const int done = written_ + unchanged_;
        progress_->setPosition(done, expected_ > 0 ? std::max(expected_, done + 1) : 0);
    }
    return true;
}

bool SiteFolder::put(std::string_view name, std::string_view bytes) {
    return startPage() && write(name, bytes);
}

bool SiteFolder::write(std::string_view name, std::string_view bytes) {
    const fs::path target = fs::path(path_) / name;
    std::error_code ec;
    const auto size = fs::file_size(target, ec);
    if (!ec && holds(target, size, bytes)) {
        const std::lock_guard lock(mutex_);
        ++unchanged_;
        return true;
    }
    dropStoredManifest();
    // A new page, as every page of a new site, has no old one to keep whole
    // for a reader: made in place, it costs the file system no temporary and
    // no rename.
    auto reason = ec == std::errc::no_such_file_or_directory
                      ? makeNewFile(target, bytes, Flush::ToSystem)
                      : replaceWholeFile(target, bytes, Flush::ToSystem);
    const std::lock_guard lock(mutex_);
    if (reason) {
        error_ = folderMessage(path_, "the page \"" + std::string(name) + "\": " + *reason);
        return false;
    }
    ++written_;
    return true;
}

// A page about to change makes the stored manifest untrue until it is stored
// again: a run stopped halfway leaves none.
void SiteFolder::dropStoredManifest() {
    std::call_once(storedDropped_, [this] {
        std::error_code ignored;
        fs::remove(fs::path(path_) / kManifestName, ignored);
    });
}

void SiteFolder::keepManifest(const std::string& identity) {
    identity_ = identity;
    std::string bytes;
    const std::string header = "quorvath-pages " + identity + '\n';
    if (!readFile(kManifestName, bytes) || !bytes.starts_with(header))
        return;
    // By hand rather than by stream: a history's manifest has a line per page,
    // some hundred thousand of them, read on every write.
    std::string_view rest = std::string_view(bytes).substr(header.size());
    stored_.reserve(static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')));
    while (!rest.empty()) {
        const std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
        const std::size_t name = line.find(' '), key = line.rfind(' ');
        Entry entry;
        if (name == 0 || key == name ||
            std::from_chars(line.data() + key + 1, line.data() + line.size(), entry.size).ptr !=
                line.data() + line.size())
            return; // a damaged line: the pages after it are rendered again
        entry.key = line.substr(name + 1, key - name - 1);
        stored_.insert_or_assign(std::string(line.substr(0, name)), std::move(entry));
    }
}

bool SiteFolder::putPage(const std::string& name, const std::string& key,
                         const std::function<std::string()>& render) {
    if (!startPage())
        return false;
    if (const auto old = stored_.find(name); old != stored_.end() && old->second.key == key) {
        std::error_code ec;
        if (fs::file_size(fs::path(path_) / name, ec) == old->second.size && !ec) {
            const std::lock_guard lock(mutex_);
            ++unchanged_;
            kept_[name] = old->second;
            return true;
        }
    }
    const std::string bytes = render();
    if (!write(name, bytes))
        return false;
    const std::lock_guard lock(mutex_);
    if (!identity_.empty())
        kept_[name] = {key, bytes.size()};
    return true;
}

bool SiteFolder::keepPages(const std::vector<std::string>& names) {
    const std::unordered_set<std::string>& there = listing();
    std::vector<const std::pair<const std::string, Entry>*> found;
    found.reserve(names.size());
    for (const std::string& name : names) {
        const auto old = stored_.find(name);
        if (old == stored_.end() || !there.contains(name))
            return false;
        found.push_back(&*old);
    }
    const std::lock_guard lock(mutex_);
    for (const auto* page : found)
        kept_.insert(*page);
    unchanged_ += static_cast<int>(names.size());
    return true;
}

const std::unordered_set<std::string>& SiteFolder::listing() {
    std::call_once(listed_, [this] {
        std::error_code ec;
        for (fs::directory_iterator entry(path_, ec), end; !ec && entry != end; entry.increment(ec))
            listing_.insert(entry->path().filename().string());
    });
    return listing_;
}

bool SiteFolder::readFile(const std::string& name, std::string& bytes) const {
    return !readWholeFile((fs::path(path_) / name).string(),
                          std::numeric_limits<std::uint64_t>::max(), "", bytes);
}

bool SiteFolder::keepFile(const std::string& name, std::string_view bytes) {
    if (auto reason = replaceWholeFile(fs::path(path_) / name, bytes, Flush::ToSystem))
        error_ = folderMessage(path_, *reason);
    return !error_;
}

void SiteFolder::removeFile(const std::string& name) const {
    std::error_code ignored;
    fs::remove(fs::path(path_) / name, ignored);
}

bool SiteFolder::finish() {
    const std::lock_guard lock(mutex_);
    if (error_)
        return false;
    if (!identity_.empty())
        saveManifest();
    return !error_;
}

void SiteFolder::saveManifest() {
    std::string out = "quorvath-pages " + identity_ + '\n';
    for (const auto& [name, entry] : kept_)
        out.append(name).append(1, ' ').append(entry.key).append(1, ' ').append(
            std::to_string(entry.size)) += '\n';
    if (auto reason = replaceWholeFile(fs::path(path_) / kManifestName, out, Flush::ToSystem))
        error_ = folderMessage(path_, *reason);
}

} // namespace quorvath::web
