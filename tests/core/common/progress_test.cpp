#include "core/common/progress.h"
#include "core/common/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvath {
namespace {

TEST(ProgressCaption, RoundsHalvesToEven) {
    EXPECT_EQ(percentCaption(12.5), "12% Complete...");
    EXPECT_EQ(percentCaption(13.5), "14% Complete...");
    EXPECT_EQ(percentCaption(42.4), "42% Complete...");
    EXPECT_EQ(percentCaption(0.0), "0% Complete...");
}

TEST(ProgressCaption, ValueFollowsPositionOverLength) {
    double v = -1;
    EXPECT_FALSE(progressValue(5, 0, v)); // empty text: display left alone
    EXPECT_EQ(v, -1);
    ASSERT_TRUE(progressValue(1, 8, v));
    EXPECT_DOUBLE_EQ(v, 12.5);
}

TEST(ColourSetting, FallsBackUnlessWholeNumber) {
    MemorySettingsStore s;
    EXPECT_EQ(colourSetting(s, "TextColor", 49152), 49152);
    s.set("TextColor", "255");
    EXPECT_EQ(colourSetting(s, "TextColor", 49152), 255);
    for (const char* bad : {"", "green", "12.5", "99999999999", " 5", "5 "}) {
        s.set("TextColor", bad);
        EXPECT_EQ(colourSetting(s, "TextColor", 49152), 49152) << bad;
    }
}

// File > Recent logs: newest first, none twice, at most eight; an entry
// dropped from the list leaves the settings too.
TEST(RecentLogs, NewestFirstNoneTwiceAtMostEight) {
    using Logs = std::vector<std::string>;
    const Logs eight = {"1", "2", "3", "4", "5", "6", "7", "8"};
    const struct {
        Logs before;
        const char* opened;
        Logs after;
    } cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b", "c"}, "b", {"b", "a", "c"}},
        {{"a", "b", "c"}, "c", {"c", "a", "b"}},
        {{"a", "b"}, "a", {"a", "b"}},
        {eight, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {eight, "8", {"8", "1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        storeRecentLogs(store, eight); // every slot taken before
        storeRecentLogs(store, withRecentLog(c.before, c.opened));
        EXPECT_EQ(recentLogs(store), c.after) << c.opened;
    }
    MemorySettingsStore gaps; // slots left empty by hand are skipped
    gaps.set("RecentLog2", "b");
    gaps.set("RecentLog8", "h");
    gaps.set("RecentLog9", "beyond");
    EXPECT_EQ(recentLogs(gaps), (Logs{"b", "h"}));
}

} // namespace
} // namespace quorvath
