#pragma once
// What the web report's tests check on every site: the files, that every link
// resolves inside the site, that each page is valid HTML, the pages in a real
// browser, and a log whose names try to become markup.

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <string>

namespace quorvath::test {

namespace fs = std::filesystem;

// A server game log whose names try to become markup, with colour codes and
// an ampersand; Hostile kills Image three times and is killed once back.
inline constexpr const char* kHostileLog =
    "  0:00 InitGame: \\sv_hostname\\Test\\mapname\\mp_shop\\g_gametype\\dm\\version\\SOF2MP "
    "V1.03\n"
    "  0:00 ClientConnect: 0 - 10.0.0.2:20100 [GUID0]\n"
    "  0:00 ClientUserinfoChanged: 0 "
    "n\\<script>alert(1)</script>\\t\\0\\identity\\NPC_Sergeant/sergeant_m\n"
    "  0:00 ClientBegin: 0\n"
    "  0:00 ClientConnect: 1 - 10.0.0.3:20100 [GUID1]\n"
    "  0:00 ClientUserinfoChanged: 1 n\\\"><img src=x>\\t\\0\\identity\\NPC_Sergeant/sergeant_m\n"
    "  0:00 ClientBegin: 1\n"
    "  0:00 ClientConnect: 2 - 10.0.0.4:20100 [GUID2]\n"
    "  0:00 ClientUserinfoChanged: 2 n\\^1Red^7 & Co\\t\\0\\identity\\NPC_Sergeant/sergeant_m\n"
    "  0:00 ClientBegin: 2\n"
    "  0:01 Kill: 0 1 8: <script>alert(1)</script> killed \"><img src=x> by MOD_MP5\n"
    "  0:02 Kill: 0 1 8: <script>alert(1)</script> killed \"><img src=x> by MOD_MP5\n"
    "  0:03 Kill: 0 1 2: <script>alert(1)</script> killed \"><img src=x> by MOD_M1911A1_PISTOL\n"
    "  0:04 Kill: 1 0 8: \"><img src=x> killed <script>alert(1)</script> by MOD_MP5\n"
    "  0:05 Kill: 2 0 8: ^1Red^7 & Co killed <script>alert(1)</script> by MOD_MP5\n"
    "  0:06 Kill: 1022 2 10: <world> killed ^1Red^7 & Co by MOD_FALLING\n"
    "  0:07 Exit: Fraglimit hit.\n"
    "  0:07 ShutdownGame:\n";

inline const std::string kScriptText = "&lt;script&gt;alert(1)&lt;/script&gt;";
inline const std::string kImageText = "&quot;&gt;&lt;img src=x&gt;";

inline std::map<std::string, std::string> siteFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

// Every href and src of every page names a file of the site, no page
// reaches outside it, and none is over 300 KB (a phone loads it quickly).
inline void expectSelfContained(const std::map<std::string, std::string>& files) {
    static const std::regex link(R"re((?:href|src)\s*=\s*"([^"]*)")re");
    for (const auto& [name, bytes] : files) {
        EXPECT_LE(bytes.size(), 300u * 1024) << name;
        EXPECT_EQ(bytes.find("http://"), std::string::npos) << name;
        EXPECT_EQ(bytes.find("https://"), std::string::npos) << name;
        for (std::sregex_iterator i(bytes.begin(), bytes.end(), link), end; i != end; ++i)
            EXPECT_TRUE(files.count((*i)[1].str())) << name << " links to " << (*i)[1].str();
    }
}

// Chromium reserves far more address space than it uses: under a limit on it
// (`ulimit -v`, as some test harnesses set) it cannot start at all.
inline bool addressSpaceLimited() {
    rlimit limit{};
    return getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
}

// Skips the rest of a test that needs the browser where it cannot start.
#define QUORVATH_SKIP_WITHOUT_BROWSER()                                                            \
    if (quorvath::test::addressSpaceLimited())                                                     \
    GTEST_SKIP() << "chromium cannot start under this process's address-space limit"

struct Browser {
    TempDir profile;
    // Chromium headless, its own profile so that runs in parallel keep apart.
    std::string command(const std::string& what) const {
        return "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
               "--user-data-dir=\"" +
               profile.file("profile").string() + "\" " + what + " 2>/dev/null";
    }
    // The page's DOM after its scripts ran, in a window `size` wide and high;
    // where chromium cannot start, the page as written, so that the figures
    // are still checked.
    std::string dom(const fs::path& page, const char* size = "1280,900") const {
        if (addressSpaceLimited())
            return readFile(page);
        const fs::path out = profile.file("dom.html");
        const std::string run =
            command("--window-size=" + std::string(size) + " --dump-dom \"file://" + page.string() +
                    "\" >\"" + out.string() + "\"");
        EXPECT_EQ(std::system(run.c_str()), 0) << run;
        return readFile(out);
    }
    void screenshot(const fs::path& page, const char* size, const fs::path& png) const {
        const std::string run = command("--window-size=" + std::string(size) + " --screenshot=\"" +
                                        png.string() + "\" \"file://" + page.string() + "\"");
        EXPECT_EQ(std::system(run.c_str()), 0) << run;
        EXPECT_GT(fs::file_size(png), 10000u) << png;
    }
};

// Every page passes Debian's HTML validator, tidy, without a warning (an empty
// element is valid HTML: the chart's colour keys are empty spans).
inline void expectValidHtml(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".html")
            continue;
        const std::string run =
            "tidy -q -e --drop-empty-elements no \"" + entry.path().string() + "\" 2>&1";
        EXPECT_EQ(std::system((run + " >/dev/null").c_str()), 0)
            << entry.path().filename() << ": see " << run;
    }
}

} // namespace quorvath::test
