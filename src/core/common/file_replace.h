#pragma once
// Replacing a file whole: the new bytes go to a new file beside it, which is
// then renamed over it, so the old file stays whole until the new one is
// complete, and a failed write leaves nothing behind.

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

} // namespace quorvath
