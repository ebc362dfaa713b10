#pragma once
// Windows-1252 <-> Unicode. The log is held as Windows-1252 bytes; the
// windows convert only what they draw or what the user typed.

#include <string>
#include <string_view>

namespace quorvath {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same C1 code point.
char16_t unicodeFromWindows1252(unsigned char byte);

// UTF-8 text as Windows-1252 bytes; characters the code page lacks become '?'.
std::string windows1252FromUtf8(std::string_view utf8);
// Whether every byte is plain ASCII (below 0x80), the same in UTF-8.
bool isPlainAscii(std::string_view bytes);
// Windows-1252 bytes as UTF-8.
std::string utf8FromWindows1252(std::string_view bytes);
// The same, appended to `out`.
void appendUtf8FromWindows1252(std::string& out, std::string_view bytes);

} // namespace quorvath
