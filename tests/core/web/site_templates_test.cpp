// The template sets: the built-in one parses, a clan's folder is read whole,
// and a file that is missing or does not parse is named.

#include "core/web/site_templates.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

using quorvath::test::sourcePath;
using quorvath::test::TempDir;
using quorvath::test::writeFile;
using quorvath::web::kTemplateFiles;
using quorvath::web::SiteTemplates;

void writeSet(const TempDir& dir) {
    for (std::string_view file : kTemplateFiles)
        writeFile(dir.file(std::string(file)), "{{title}}");
}

std::string errorOf(const std::variant<SiteTemplates, std::string>& set) {
    const auto* error = std::get_if<std::string>(&set);
    return error ? *error : "";
}

TEST(SiteTemplates, TheSourceFolderIsTheBuiltInSet) {
    SiteTemplates::builtIn();
    EXPECT_EQ(errorOf(SiteTemplates::fromFolder(sourcePath("src/core/web/templates").string())),
              "");
}

TEST(SiteTemplates, AMissingOrBrokenFileIsNamed) {
    for (std::string_view file : kTemplateFiles) {
        TempDir dir;
        writeSet(dir);
        std::filesystem::remove(dir.file(std::string(file)));
        const std::string missing = errorOf(SiteTemplates::fromFolder(dir.path().string()));
        EXPECT_NE(missing.find(dir.file(std::string(file)).string()), std::string::npos) << missing;
        if (file == "style.css")
            continue; // copied as it is
        writeSet(dir);
        writeFile(dir.file(std::string(file)), "{{#players}}unclosed");
        const std::string broken = errorOf(SiteTemplates::fromFolder(dir.path().string()));
        EXPECT_NE(broken.find(dir.file(std::string(file)).string()), std::string::npos) << broken;
        EXPECT_NE(broken.find("players"), std::string::npos) << broken;
    }
}

} // namespace
