#pragma once
// Helpers shared by the test folders.

#include <filesystem>
#include <string>

namespace quorvath::test {

// A fresh empty folder under the system temp folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// A file of the project (e.g. "samples/demo.log").
std::filesystem::path sourcePath(const std::string& relative);

} // namespace quorvath::test
