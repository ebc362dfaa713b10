#include "core/web/site_folder.h"

#include "core/common/file_errors.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quorvath::web {

namespace fs = std::filesystem;

namespace {

std::string folderMessage(const std::string& path, const std::string& reason) {
    return "The folder " + quotedPath(path) + " cannot be written: " + reason + ".";
}

// Whether the file at `path` holds exactly `bytes` (read only when the sizes agree).
bool holds(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || size != bytes.size())
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
    expected_ = written_ + unchanged_ + pages;
    if (progress_)
        progress_->setPosition(written_ + unchanged_, expected_);
}

bool SiteFolder::put(std::string_view name, std::string_view bytes) {
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
    const fs::path target = fs::path(path_) / name;
    if (holds(target, bytes)) {
        ++unchanged_;
        return true;
    }
    const fs::path temporary = fs::path(path_) / ("." + std::string(name) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            error_ =
                folderMessage(path_, "the page \"" + std::string(name) + "\" could not be written");
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error_ = folderMessage(path_, ec.message());
        return false;
    }
    ++written_;
    return true;
}

} // namespace quorvath::web
