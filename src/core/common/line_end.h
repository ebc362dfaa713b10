#pragma once
// Report texts (sheets, rankings, top lists) end their lines in CR LF, as the
// game's own logs do, so a report pasted next to the log reads the same.

namespace quorvath {

inline constexpr const char* kCrLf = "\r\n";

} // namespace quorvath
