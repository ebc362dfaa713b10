#include "cli/output_options.h"

#include "core/common/windows1252.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace quorvath::cli {

std::optional<Encoding> encodingNamed(std::string_view name) {
    if (name == "utf-8" || name == "UTF-8" || name == "utf8")
        return Encoding::Utf8;
    if (name == "cp1252" || name == "windows-1252")
        return Encoding::Cp1252;
    return std::nullopt;
}

std::optional<OutputFormat> outputFormatNamed(std::string_view name) {
    if (name == "text")
        return OutputFormat::Text;
    if (name == "csv")
        return OutputFormat::Csv;
    if (name == "json")
        return OutputFormat::Json;
    return std::nullopt;
}

Encoding localeEncoding() {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    return codeset && std::strcmp(codeset, "UTF-8") == 0 ? Encoding::Utf8 : Encoding::Cp1252;
}

std::string nameFromCommandLine(const std::string& typed, Encoding encoding) {
    return encoding == Encoding::Utf8 ? windows1252FromUtf8(typed) : typed;
}

std::string textForTerminal(const std::string& windows1252, Encoding encoding) {
    return encoding == Encoding::Utf8 ? utf8FromWindows1252(windows1252) : windows1252;
}

} // namespace quorvath::cli
