#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace quorvath::cli {

namespace {

constexpr const char* kRankingHelp = "the rankings of category C, e.g. --ranking \"Kills\"\n"
                                     "(an unknown category prints nothing)";
constexpr const char* kCountsHelp = "every player's counters other than 0, one per line:\n"
                                    "NAME TAB COUNTER TAB VALUE, then NAME TAB alias TAB ALIAS;\n"
                                    "first \"# not in this log: ...\" naming the counters the log\n"
                                    "cannot record";
constexpr const char* kRunsHelp = "one line per run of equal colour and style:\n"
                                  "start TAB length TAB colour TAB style\n"
                                  "(colour as a decimal 0x00BBGGRR value; style the letters of\n"
                                  "\"biu\" that are set - bold, italic, underline - or \"-\")";

// A value the option's reader refuses is a usage error naming what it takes.
template <typename Value>
CLI::Validator readableBy(std::optional<Value> (*read)(std::string_view), const char* takes) {
    return CLI::Validator(
        [read, takes](std::string& value) {
            return read(value) ? std::string() : std::string(takes) + ", not " + value;
        },
        "");
}

// A command, once at most: a flag, or an option with `value` (its placeholder).
void addCommand(CLI::Option_group& commands, Options& options, const char* name, Command command,
                const char* value, const char* help) {
    CLI::Option* option = value
                              ? commands.add_option_function<std::string>(
                                    name,
                                    [&options, command](const std::string& given) {
                                        options.command = command;
                                        options.commandValue = given;
                                    },
                                    help)
                              : commands.add_flag_callback(
                                    name, [&options, command] { options.command = command; }, help);
    option->option_text(value ? value : "")->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

} // namespace

CLI::Option_group& addStatisticsCommands(CLI::App& app, Options& options) {
    auto& commands = *app.add_option_group("Commands", "at most one; none: the summary");
    commands.require_option(0, 1);
    const auto add = [&](const char* name, Command command, const char* value, const char* help) {
        addCommand(commands, options, name, command, value, help);
    };
    add("--players", Command::Players, nullptr, "the player list, \"All Players\" first");
    add("--sheet", Command::Sheet, "P",
        "the sheet of player P (a name not in the log: \"All Players\")");
    add("--sheets", Command::Sheets, nullptr, "every sheet, \"All Players\" first");
    add("--ranking", Command::Ranking, "C", kRankingHelp);
    add("--top", Command::Top, "P", "the top victims and killers of player P");
    add("--counts", Command::Counts, nullptr, kCountsHelp);
    return commands;
}

void addEncodingOption(CLI::App& app, std::optional<Encoding>& encoding, const char* help) {
    app.add_option_function<std::string>(
           "--encoding", [&encoding](const std::string& name) { encoding = encodingNamed(name); },
           help)
        ->option_text("utf-8|cp1252")
        ->check(readableBy(&encodingNamed, "takes utf-8 or cp1252"));
}

void addOutputOptions(CLI::App& app, OutputOptions& output) {
    addEncodingOption(app, output.encoding,
                      "names on this command line and the output: UTF-8, or the\n"
                      "log's own Windows-1252 bytes (default: the locale's encoding)");
    app.add_option_function<std::string>(
           "--format",
           [&output](const std::string& name) { output.format = *outputFormatNamed(name); },
           "tables for --players, --sheets, --ranking and --top")
        ->option_text("text|csv|json")
        ->check(readableBy(&outputFormatNamed, "takes text, csv or json"));
}

void addLogOptions(CLI::App& app, Options& options) {
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.get_formatter()->column_width(26);
    app.add_option("LOG", options.logPath, "the log: a file of any of the three kinds");
    auto& commands = addStatisticsCommands(app, options);
    addCommand(commands, options, "--rendered", Command::Rendered, nullptr,
               "the rendered text, bytes as held (Windows-1252, CR LF line ends)");
    addCommand(commands, options, "--runs", Command::Runs, nullptr, kRunsHelp);

    app.add_option("--nick", options.nick, "your own player name, for the summary's sheet")
        ->option_text("NAME");
    app.add_flag("--linked", options.linked,
                 "fold every player's aliases into the master name first");
    addOutputOptions(app, options.output);
    app.add_option_function<std::string>(
           "--kind", [&options](const std::string& name) { options.kind = logKindNamed(name); },
           "read the log as K instead of telling its kind from its lines:\n"
           "player (a player's console log), game (a server's game log,\n"
           "games.log) or server (a dedicated server's console log)")
        ->option_text("K")
        ->check(readableBy(&logKindNamed, "takes player, game or server"));
    app.add_option_function<std::string>(
           "--counting",
           [&options](const std::string& name) { options.counting = countingModeNamed(name); },
           "classic (the classic phrase rules, for console logs; the\n"
           "default) or accurate (match events; always for server logs)")
        ->option_text("M")
        ->check(readableBy(&countingModeNamed, "takes classic or accurate"));
    app.add_flag("--warmup", options.includeWarmup,
                 "count the kills and deaths of a server's warm-up too");
}

void checkLogForm(const Options& options) {
    if (options.logPath.empty())
        throw CLI::RequiredError("LOG");
    if (auto mismatch = formatMismatch(options))
        throw CLI::ValidationError(*mismatch);
}

std::optional<std::string> formatMismatch(const Options& options) {
    const Command c = options.command;
    if (options.output.format == OutputFormat::Text || c == Command::Players ||
        c == Command::Sheets || c == Command::Ranking || c == Command::Top)
        return std::nullopt;
    return std::string("--format csv and json go with --players, --sheets, --ranking or --top");
}

int usageExit(CLI::App& app, const CLI::Error& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
        return app.exit(error); // the help
    // The usage of the subcommand that was being read ("history import").
    const CLI::App* command = &app;
    std::string name = app.get_name();
    for (auto subs = app.get_subcommands(); !subs.empty() && !subs.front()->get_prefix_command();
         subs = command->get_subcommands()) {
        command = subs.front();
        name += " " + command->get_name();
    }
    const std::string usage = CLI::Formatter().make_usage(command, name);
    std::fprintf(stderr, "quorvath-report: %s\n%sRun with --help for more information.\n",
                 error.what(), usage.c_str());
    return 2;
}

} // namespace quorvath::cli
