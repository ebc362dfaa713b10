#include "core/common/progress.h"
#include "core/common/settings_store.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace quorvath
