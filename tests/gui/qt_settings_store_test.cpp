#include "gui/qt_settings_store.h"
#include "gui/ui_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(QtSettingsStoreTest, StringValuesUnderGeneralInAReadableIniFile) {
    test::ensureApp();
    test::TempDir dir;
    const std::string ini = dir.file("Quorvath.ini").string();
    {
        QtSettingsStore store(QString::fromStdString(ini));
        EXPECT_EQ(store.get("Nick", "none"), "none");
        store.set("Nick", "Bob, the 2nd");
        store.set("SofDir", "c:\\games\\sof2\\games.log");
        store.set("TextColor", "49152");
    }
    QtSettingsStore again(QString::fromStdString(ini));
    EXPECT_EQ(again.get("Nick", ""), "Bob, the 2nd");
    EXPECT_EQ(again.get("SofDir", ""), "c:\\games\\sof2\\games.log");
    EXPECT_EQ(colourSetting(again, "TextColor", 0), 49152);
    const std::string file = test::readFile(ini);
    EXPECT_EQ(file.rfind("[General]", 0), 0u) << file;
    EXPECT_NE(file.find("TextColor=49152"), std::string::npos) << file;
}

} // namespace
} // namespace quorvath
