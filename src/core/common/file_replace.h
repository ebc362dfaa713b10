#pragma once
// Replacing a file whole: the new bytes go to a new file beside it, which is
// then renamed over it, so the old file stays whole until the new one is
// complete, and a failed write leaves nothing behind. A file that is not there
// yet may instead be made in place, where nothing old is to be kept.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

enum class Flush {
    ToSystem, // enough where a power cut may cost the file (pages written again)
    ToDisk,   // the user's own file: the rename never lands before its bytes
};

// Replaces (or makes) the file at `target` with `bytes`, keeping the old
// file's permissions; the reason when it cannot.
std::optional<std::string> replaceWholeFile(const std::filesystem::path& target,
                                            std::string_view bytes, Flush flush);

// Makes the file at `target` with `bytes` where there is none yet, written in
// place: no temporary file and no rename, though a reader may see it before
// it is whole, and a failed write removes it. Where one is there after all,
// it is replaced whole. The reason when it cannot.
std::optional<std::string> makeNewFile(const std::filesystem::path& target, std::string_view bytes,
                                       Flush flush);

} // namespace quorvath
