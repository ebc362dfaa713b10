#pragma once
// The log's Windows-1252 text as HTML: UTF-8, with the characters HTML gives
// a meaning escaped, so that no name can open an element or an attribute.

#include <string>
#include <string_view>

namespace quorvath::web {

// `text` as HTML text: UTF-8, & < > " ' escaped; any "^" code kept as written.
std::string escapedHtml(std::string_view text);

// A player's name as the log view draws it: each "^0".."^7" starts a span in
// that code's colour, every code ("^" and the character after it) leaves the
// text, and the text is escaped as above.
std::string nameHtml(std::string_view name);

// The name without its codes, escaped: for titles and alternative texts.
std::string plainNameHtml(std::string_view name);

} // namespace quorvath::web
