#include "cli/output_options.h"

#include "core/common/windows1252.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace quorvath::cli {

bool takeOutputOption(const std::vector<std::string>& args, std::size_t& i, OutputOptions& output,
                      std::string& error) {
    const std::string& arg = args[i];
    if (arg != "--encoding" && arg != "--format")
        return false;
    if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (arg == "--encoding") {
        if (value == "utf-8" || value == "UTF-8" || value == "utf8")
            output.encoding = Encoding::Utf8;
        else if (value == "cp1252" || value == "windows-1252")
            output.encoding = Encoding::Cp1252;
        else
            error = "--encoding takes utf-8 or cp1252, not " + value;
    } else if (value == "text") {
        output.format = OutputFormat::Text;
    } else if (value == "csv") {
        output.format = OutputFormat::Csv;
    } else if (value == "json") {
        output.format = OutputFormat::Json;
    } else {
        error = "--format takes text, csv or json, not " + value;
    }
    return true;
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
