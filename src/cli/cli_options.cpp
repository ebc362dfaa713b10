#include "cli/cli_options.h"

#include <array>

namespace quorvath::cli {

namespace {

struct CommandRow {
    const char* name;
    Command command;
    bool takesValue;
};

constexpr std::array<CommandRow, 10> Commands = {{
    {"--help", Command::Help, false},
    {"-h", Command::Help, false},
    {"--rendered", Command::Rendered, false},
    {"--runs", Command::Runs, false},
    {"--players", Command::Players, false},
    {"--sheet", Command::Sheet, true},
    {"--sheets", Command::Sheets, false},
    {"--ranking", Command::Ranking, true},
    {"--top", Command::Top, true},
    {"--counts", Command::Counts, false},
}};

const CommandRow* findCommand(const std::string& arg) {
    for (const CommandRow& row : Commands)
        if (arg == row.name)
            return &row;
    return nullptr;
}

} // namespace

std::optional<std::string> formatMismatch(const Options& options) {
    const Command c = options.command;
    if (options.output.format == OutputFormat::Text || c == Command::Players ||
        c == Command::Sheets || c == Command::Ranking || c == Command::Top)
        return std::nullopt;
    return std::string("--format csv and json go with --players, --sheets, --ranking or --top");
}

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args) {
    Options options;
    bool commandSeen = false;
    bool logSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const CommandRow* row = findCommand(arg)) {
            if (row->command == Command::Help) {
                Options help;
                help.command = Command::Help;
                return help;
            }
            if (commandSeen)
                return UsageError{"only one command may be given (" + arg + ")"};
            commandSeen = true;
            options.command = row->command;
            if (row->takesValue) {
                if (i + 1 >= args.size())
                    return UsageError{arg + " needs a value"};
                options.commandValue = args[++i];
            }
        } else if (arg == "--nick") {
            if (i + 1 >= args.size())
                return UsageError{"--nick needs a value"};
            options.nick = args[++i];
        } else if (arg == "--linked") {
            options.linked = true;
        } else if (std::string error; takeOutputOption(args, i, options.output, error)) {
            if (!error.empty())
                return UsageError{error};
        } else if (arg == "--warmup") {
            options.includeWarmup = true;
        } else if (arg == "--kind" || arg == "--counting") {
            if (i + 1 >= args.size())
                return UsageError{arg + " needs a value"};
            const std::string& value = args[++i];
            if (arg == "--kind" && !(options.kind = logKindNamed(value)))
                return UsageError{"--kind takes player, game or server (" + value + ")"};
            if (arg == "--counting" && !(options.counting = countingModeNamed(value)))
                return UsageError{"--counting takes classic or accurate (" + value + ")"};
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{"unknown option " + arg};
        } else if (logSeen) {
            return UsageError{"only one log may be given (" + arg + ")"};
        } else {
            logSeen = true;
            options.logPath = arg;
        }
    }
    if (!logSeen)
        return UsageError{"no log file given"};
    if (auto mismatch = formatMismatch(options))
        return UsageError{*mismatch};
    return options;
}

const char* usageText() {
    return "Usage: quorvath-report LOG [--kind K] [--counting M] [--warmup] [--nick NAME]\n"
           "                       [--linked] [COMMAND]\n"
           "Loads a Soldier of Fortune II log as Quorvath shows it and prints it or its\n"
           "statistics: a player's console log with its rounds separated and its colour\n"
           "codes rendered, a server's game log or console log with its machine lines\n"
           "made readable. Report texts are the program's own: CR LF line ends.\n"
           "\n"
           "Commands:\n"
           "  (none)      the sheet of NAME (or of \"All Players\" when no player has\n"
           "              exactly that name), a blank line, the overall-score ranking\n"
           "  --players   the player list, \"All Players\" first\n"
           "  --sheet P   the sheet of player P (a name not in the log: \"All Players\")\n"
           "  --sheets    every sheet, \"All Players\" first\n"
           "  --ranking C the rankings of category C, e.g. --ranking \"Kills\"\n"
           "              (an unknown category prints nothing)\n"
           "  --top P     the top victims and killers of player P\n"
           "  --counts    every player's counters other than 0, one per line:\n"
           "              NAME TAB COUNTER TAB VALUE, then NAME TAB alias TAB ALIAS;\n"
           "              first \"# not in this log: ...\" naming the counters the log\n"
           "              cannot record\n"
           "  --rendered  the rendered text, bytes as held (Windows-1252, CR LF line ends)\n"
           "  --runs      one line per run of equal colour and style:\n"
           "              start TAB length TAB colour TAB style\n"
           "              (colour as a decimal 0x00BBGGRR value; style the letters of\n"
           "              \"biu\" that are set - bold, italic, underline - or \"-\")\n"
           "  --help      this text\n"
           "\n"
           "Modifiers:\n"
           "  --nick NAME your own player name, for the summary's sheet\n"
           "  --linked    fold every player's aliases into the master name first\n"
           "  --encoding utf-8|cp1252\n"
           "              names on this command line and the output: UTF-8, or the\n"
           "              log's own Windows-1252 bytes (default: the locale's encoding)\n"
           "  --format text|csv|json\n"
           "              tables for --players, --sheets, --ranking and --top\n"
           "  --kind K    read the log as K instead of telling its kind from its lines:\n"
           "              player (a player's console log), game (a server's game log,\n"
           "              games.log) or server (a dedicated server's console log)\n"
           "  --counting M  classic (the classic phrase rules, for console logs; the\n"
           "              default) or accurate (match events; always for server logs)\n"
           "  --warmup    count the kills and deaths of a server's warm-up too\n"
           "\n"
           "Unless the log is a player's console log counted Classic, standard error\n"
           "first names the log's kind and the counting, e.g.\n"
           "\"quorvath-report: games.log: server game log, Accurate counting\".\n"
           "\n"
           "A name (or category) that matches nothing is warned about on standard error.\n"
           "A log that cannot be read is reported on standard error (exit status 1);\n"
           "a wrong command line exits with status 2.\n"
           "\n"
           "The match history: quorvath-report history --help\n";
}

} // namespace quorvath::cli
