#pragma once
// How quorvath-report writes what it prints: the encoding of names on the
// command line and of the output, and the format of the tables.
//   --encoding utf-8|cp1252   default: the terminal's (the locale's) encoding
//   --format text|csv|json    for --players, --sheets, --ranking and --top

#include <optional>
#include <string>
#include <string_view>

namespace quorvath::cli {

// The log's own bytes are Windows-1252; a UTF-8 terminal gets them converted.
enum class Encoding { Utf8, Cp1252 };
enum class OutputFormat { Text, Csv, Json };

struct OutputOptions {
    std::optional<Encoding> encoding; // none given: the locale's
    OutputFormat format = OutputFormat::Text;
};

// The value of --encoding and of --format; nothing for a name they do not take.
std::optional<Encoding> encodingNamed(std::string_view name);
std::optional<OutputFormat> outputFormatNamed(std::string_view name);

// The locale's encoding (setlocale(LC_ALL, "") then its codeset): UTF-8 when the
// codeset is UTF-8, else the log's own Windows-1252 bytes.
Encoding localeEncoding();

// A name typed on the command line as the log holds names (Windows-1252).
std::string nameFromCommandLine(const std::string& typed, Encoding encoding);
// Windows-1252 text as the terminal shows it.
std::string textForTerminal(const std::string& windows1252, Encoding encoding);

} // namespace quorvath::cli
