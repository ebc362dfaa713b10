#include "core/web/site_templates.h"

#include "core/common/file_errors.h"
#include "core/web/builtin_templates.h"
#include "core/web/compiled_templates.h"
#include "core/web/page_data.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace quorvath::web {

namespace {

constexpr std::uint64_t kMaxTemplateBytes = 16u << 20;
constexpr std::size_t kFileCount = std::size(kTemplateFiles);

std::string identityOf(const std::array<std::string, kFileCount>& texts) {
    mustache::data all{mustache::data::type::list};
    for (const std::string& text : texts)
        all.push_back(text);
    return pageKey(all);
}

constexpr std::size_t kPartials[] = {3, 4, 9}; // header, footer, matchtable

// `page` with its {{> header}}, {{> footer}} and {{> matchtable}} tags
// replaced by those texts, as rendering would put them in (mustache.hpp
// neither indents a partial nor drops a standalone tag's line): a partial
// handed over at render time is parsed again for every page. Left as it is
// where the texts change delimiters or hold comments, as a partial parsed on
// its own reads those differently.
std::string withPartials(const std::string& page,
                         const std::array<std::string, kFileCount>& texts) {
    const auto plain = [](const std::string& text) {
        return text.find("{{=") == std::string::npos && text.find("{{!") == std::string::npos;
    };
    if (!plain(page))
        return page;
    for (std::size_t partial : kPartials)
        if (!plain(texts[partial]))
            return page;
    std::string out;
    std::size_t at = 0;
    for (std::size_t tag; (tag = page.find("{{>", at)) != std::string::npos;) {
        const std::size_t end = page.find("}}", tag);
        if (end == std::string::npos)
            break;
        std::string name = page.substr(tag + 3, end - tag - 3);
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        const std::string* text = name == "header"       ? &texts[3]
                                  : name == "footer"     ? &texts[4]
                                  : name == "matchtable" ? &texts[9]
                                                         : nullptr;
        out.append(page, at, tag - at);
        if (text)
            out += *text;
        else
            out.append(page, tag, end + 2 - tag);
        at = end + 2;
    }
    return out.append(page, at, std::string::npos);
}

// The texts in kTemplateFiles order, parsed; a message naming the file that
// does not parse.
std::variant<std::unique_ptr<SiteTemplates::Compiled>, std::string>
compile(const std::array<std::string, kFileCount>& texts, const std::string& folder) {
    const auto parsed = [&](std::size_t i) -> std::variant<mustache::mustache, std::string> {
        mustache::mustache m(texts[i]);
        if (m.is_valid() &&
            std::find(std::begin(kPartials), std::end(kPartials), i) == std::end(kPartials))
            m = mustache::mustache(withPartials(texts[i], texts));
        if (m.is_valid())
            return m;
        return "The template " + quotedPath(folder + std::string(kTemplateFiles[i])) +
               " cannot be used: " + m.error_message() + ".";
    };
    // The partials are parsed on their own too, so their errors name them.
    for (std::size_t partial : kPartials) {
        auto checked = parsed(partial);
        if (auto* error = std::get_if<std::string>(&checked))
            return *error;
    }
    constexpr std::size_t kPages[] = {0, 1, 2, 6, 7, 8};
    std::vector<mustache::mustache> pages;
    for (std::size_t page : kPages) {
        auto checked = parsed(page);
        if (auto* error = std::get_if<std::string>(&checked))
            return *error;
        pages.push_back(std::move(std::get<0>(checked)));
    }
    return std::make_unique<SiteTemplates::Compiled>(
        SiteTemplates::Compiled{std::move(pages[0]), std::move(pages[1]), std::move(pages[2]),
                                std::move(pages[3]), std::move(pages[4]), std::move(pages[5]),
                                texts[3], texts[4], texts[9], texts[5], identityOf(texts)});
}

} // namespace

SiteTemplates::SiteTemplates(std::unique_ptr<Compiled> compiled) : compiled_(std::move(compiled)) {}
SiteTemplates::~SiteTemplates() = default;
SiteTemplates::SiteTemplates(SiteTemplates&&) noexcept = default;
SiteTemplates& SiteTemplates::operator=(SiteTemplates&&) noexcept = default;

SiteTemplates SiteTemplates::builtIn() {
    std::array<std::string, kFileCount> texts;
    for (std::size_t i = 0; i < kFileCount; ++i)
        texts[i] = builtInTemplate(kTemplateFiles[i]);
    auto compiled = compile(texts, "built-in/");
    return SiteTemplates(std::move(std::get<0>(compiled))); // checked by the tests
}

std::variant<SiteTemplates, std::string> SiteTemplates::fromFolder(const std::string& folder) {
    const std::string prefix = (std::filesystem::path(folder) / "").string();
    std::array<std::string, kFileCount> texts;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const std::string path = prefix + std::string(kTemplateFiles[i]);
        if (auto error = readWholeFile(path, kMaxTemplateBytes,
                                       tooLargeMessage(path, "over 16 MiB."), texts[i]))
            return *error;
    }
    auto compiled = compile(texts, prefix);
    if (auto* error = std::get_if<std::string>(&compiled))
        return *error;
    return SiteTemplates(std::move(std::get<0>(compiled)));
}

} // namespace quorvath::web
