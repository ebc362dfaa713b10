// The site's folder: made when missing, a page written only when its bytes
// change and then whole (no temporary file left), a new one in place, and a
// folder that cannot be written named in the message; the manifest vouches
// only for what it saw.

#include "core/web/site_folder.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using quorvath::test::readFile;
using quorvath::test::TempDir;
using quorvath::test::writeFile;
using quorvath::web::SiteFolder;

TEST(SiteFolder, WritesOnlyWhatChanged) {
    TempDir dir;
    const fs::path site = dir.file("a") / "b";
    {
        SiteFolder folder(site.string());
        ASSERT_FALSE(folder.error());
        EXPECT_TRUE(folder.put("index.html", "one"));
        EXPECT_TRUE(folder.put("style.css", "css"));
        EXPECT_EQ(folder.pagesWritten(), 2);
    }
    const auto written = fs::last_write_time(site / "index.html");
    fs::last_write_time(site / "index.html", written - std::chrono::hours(1));
    SiteFolder again(site.string());
    EXPECT_TRUE(again.put("index.html", "one")); // the same bytes: left alone
    EXPECT_TRUE(again.put("style.css", "css!")); // the same size would do as well
    EXPECT_TRUE(again.put("player-1.html", "new"));
    EXPECT_EQ(again.pagesWritten(), 2);
    EXPECT_EQ(again.pagesUnchanged(), 1);
    EXPECT_EQ(fs::last_write_time(site / "index.html"), written - std::chrono::hours(1));
    EXPECT_EQ(readFile(site / "style.css"), "css!");
    EXPECT_EQ(readFile(site / "player-1.html"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(site), fs::directory_iterator()), 3);
}

TEST(SiteFolder, SameSizeOtherBytesAreWritten) {
    TempDir dir;
    SiteFolder folder(dir.path().string());
    folder.put("index.html", "abc");
    folder.put("index.html", "abd");
    EXPECT_EQ(readFile(dir.file("index.html")), "abd");
    EXPECT_EQ(folder.pagesWritten(), 2);
}

TEST(SiteFolder, CountsItsPagesAndStopsBeforeAPageWhenAsked) {
    TempDir dir;
    quorvath::Progress progress;
    SiteFolder folder(dir.path().string());
    folder.reportTo(progress);
    EXPECT_TRUE(folder.put("match-1.html", "first"));
    EXPECT_EQ(progress.length(), 0); // not known before the writer says
    folder.expectPages(3);           // more
    EXPECT_EQ(progress.length(), 4);
    EXPECT_TRUE(folder.put("index.html", "one"));
    EXPECT_TRUE(folder.put("style.css", "css"));
    EXPECT_EQ(progress.position(), 2); // counted as each page begins
    progress.requestStop();
    EXPECT_FALSE(folder.put("player-1.html", "x"));
    EXPECT_TRUE(folder.stopped());
    ASSERT_TRUE(folder.error());
    EXPECT_NE(folder.error()->find(dir.path().string()), std::string::npos) << *folder.error();
    EXPECT_FALSE(fs::exists(dir.file("player-1.html")));
    EXPECT_EQ(folder.pagesWritten(), 3); // the pages put before the stop are whole
    EXPECT_EQ(readFile(dir.file("style.css")), "css");
}

TEST(SiteFolder, AFolderThatCannotBeUsedIsNamed) {
    TempDir dir;
    writeFile(dir.file("taken"), "a file");
    SiteFolder onFile(dir.file("taken").string());
    ASSERT_TRUE(onFile.error());
    EXPECT_NE(onFile.error()->find("\"" + dir.file("taken").string() + "\""), std::string::npos)
        << *onFile.error();
    EXPECT_FALSE(onFile.put("index.html", "x"));

    SiteFolder below(dir.file("taken").string() + "/site");
    ASSERT_TRUE(below.error());
    EXPECT_NE(below.error()->find("taken/site"), std::string::npos) << *below.error();

    fs::create_directory(dir.file("page-is-folder"));
    fs::create_directory(dir.file("page-is-folder") / "index.html");
    SiteFolder blocked(dir.file("page-is-folder").string());
    EXPECT_FALSE(blocked.put("index.html", "x"));
    ASSERT_TRUE(blocked.error());
    EXPECT_NE(blocked.error()->find("page-is-folder\" cannot be written: the page \"index.html\""),
              std::string::npos)
        << *blocked.error();
    EXPECT_EQ(
        std::distance(fs::directory_iterator(dir.file("page-is-folder")), fs::directory_iterator()),
        1); // no temporary file left
}

// A page not there yet is made in place; a link to nowhere in its stead is
// replaced by the page, and a page below a missing folder is named.
TEST(SiteFolder, ANewPageIsMadeWhateverStandsInItsWay) {
    TempDir dir;
    fs::create_symlink(dir.file("nowhere"), dir.file("index.html"));
    SiteFolder folder(dir.path().string());
    EXPECT_TRUE(folder.put("index.html", "one"));
    EXPECT_FALSE(fs::is_symlink(dir.file("index.html")));
    EXPECT_EQ(readFile(dir.file("index.html")), "one");
    EXPECT_FALSE(fs::exists(dir.file("nowhere")));
    EXPECT_FALSE(folder.put("maps/map-1.html", "x"));
    ASSERT_TRUE(folder.error());
    EXPECT_NE(folder.error()->find("the page \"maps/map-1.html\""), std::string::npos)
        << *folder.error();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace

// A kept manifest skips, unrendered, a page whose key and file agree with it;
// another key, a file of another size, other templates or a write that did
// not store the manifest render it again.
TEST(SiteFolder, TheManifestSkipsOnlyPagesItVouchesFor) {
    TempDir dir;
    int rendered = 0;
    const auto write = [&](const std::string& identity, const std::string& key,
                           const std::string& bytes) {
        SiteFolder folder(dir.path().string());
        folder.keepManifest(identity);
        EXPECT_TRUE(folder.putPage("match-1.html", key, [&] {
            ++rendered;
            return bytes;
        }));
        EXPECT_TRUE(folder.finish());
    };
    const struct {
        std::string identity, key, bytes;
        int rendered;
    } steps[] = {
        {"t1", "k1", "one", 1}, {"t1", "k1", "one", 0}, {"t1", "k2", "two", 1},
        {"t2", "k2", "two", 1}, {"t2", "k2", "two", 0},
    };
    for (const auto& step : steps) {
        rendered = 0;
        write(step.identity, step.key, step.bytes);
        EXPECT_EQ(rendered, step.rendered) << step.identity << step.key;
        EXPECT_EQ(readFile(dir.file("match-1.html")), step.bytes);
    }
    writeFile(dir.file("match-1.html"), "edited");
    write("t2", "k2", "two");
    EXPECT_EQ(rendered, 1);
    {
        SiteFolder unkept(dir.path().string()); // a page changed, no manifest stored
        EXPECT_TRUE(unkept.put("match-1.html", "six"));
    }
    EXPECT_FALSE(fs::exists(dir.file(SiteFolder::kManifestName)));
    rendered = 0;
    write("t2", "k2", "two");
    EXPECT_EQ(rendered, 1);
    EXPECT_EQ(readFile(dir.file("match-1.html")), "two");
}

// Pages kept unread, as many as a history's old matches: kept while each is
// in the manifest and the folder, none once one is not; a damaged line of the
// manifest vouches for no page from it on.
TEST(SiteFolder, KeepsManyPagesOnlyWhenEveryOneIsThere) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 1; i <= 4100; ++i)
        names.push_back("match-" + std::to_string(i) + ".html");
    {
        SiteFolder folder(dir.path().string());
        folder.keepManifest("t");
        for (const std::string& name : names)
            EXPECT_TRUE(folder.putPage(name, "k", [&] { return name; }));
        EXPECT_TRUE(folder.finish());
    }
    const auto keeps = [&] {
        SiteFolder folder(dir.path().string());
        folder.keepManifest("t");
        const bool kept = folder.keepPages(names);
        EXPECT_TRUE(folder.finish());
        return kept;
    };
    EXPECT_TRUE(keeps());
    EXPECT_TRUE(keeps()); // the manifest stored again holds them still
    const std::string manifest = readFile(dir.file(SiteFolder::kManifestName));
    std::string damaged = manifest;
    const std::size_t line = damaged.find("match-2500.html");
    ASSERT_NE(line, std::string::npos);
    damaged.insert(damaged.find('\n', line), "x");
    writeFile(dir.file(SiteFolder::kManifestName), damaged);
    {
        SiteFolder folder(dir.path().string());
        folder.keepManifest("t");
        EXPECT_FALSE(folder.keepPages(names));
        EXPECT_FALSE(folder.keepPages({"match-2500.html"}));
    }
    writeFile(dir.file(SiteFolder::kManifestName), manifest);
    fs::remove(dir.file(names.back()));
    EXPECT_FALSE(keeps());
}
