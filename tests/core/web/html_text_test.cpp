// Names and texts as HTML: escaped so that nothing in a name becomes markup,
// the game's colour codes drawn as the log view draws them.

#include "core/web/html_text.h"

#include <gtest/gtest.h>

namespace {

using quorvath::web::escapedHtml;
using quorvath::web::nameHtml;
using quorvath::web::plainNameHtml;

struct NameCase {
    const char* name;
    const char* html;  // nameHtml
    const char* plain; // plainNameHtml
};

constexpr NameCase kNames[] = {
    {"Quorvath", "Quorvath", "Quorvath"},
    {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;",
     "&lt;script&gt;alert(1)&lt;/script&gt;"},
    {"\"><img src=x>", "&quot;&gt;&lt;img src=x&gt;", "&quot;&gt;&lt;img src=x&gt;"},
    {"O'Neil & Co", "O&#39;Neil &amp; Co", "O&#39;Neil &amp; Co"},
    {"^1Red^7Guy",
     "<span style=\"color:#ff8080\">Red</span><span style=\"color:#ffffff\">Guy</span>", "RedGuy"},
    {"^4Blue^0Black",
     "<span style=\"color:#8080ff\">Blue</span><span style=\"color:#808080\">Black</span>",
     "BlueBlack"},
    // A code outside 0..7 leaves the colour as it was and the text all the same.
    {"^2Gr^9een", "<span style=\"color:#00ff00\">Gr</span><span style=\"color:#00ff00\">een</span>",
     "Green"},
    {"Plain^", "Plain", "Plain"},
    {"^^1x", "1x", "1x"}, // the second caret is the first one's code
    {"^3<b>", "<span style=\"color:#ffff00\">&lt;b&gt;</span>", "&lt;b&gt;"},
    {"J\xF6rg M\xFCller", "J\xC3\xB6rg M\xC3\xBCller", "J\xC3\xB6rg M\xC3\xBCller"},
    {"", "", ""},
};

TEST(HtmlText, NamesAreEscapedAndColoured) {
    for (const NameCase& c : kNames) {
        EXPECT_EQ(nameHtml(c.name), c.html) << c.name;
        EXPECT_EQ(plainNameHtml(c.name), c.plain) << c.name;
    }
}

TEST(HtmlText, TextKeepsItsCodesAndIsEscaped) {
    EXPECT_EQ(escapedHtml("^1a<b>&\"'\x80"), "^1a&lt;b&gt;&amp;&quot;&#39;\xE2\x82\xAC");
}

} // namespace
