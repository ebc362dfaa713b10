#include "cli/cli_options.h"

#include <array>

namespace quorvath::cli {

namespace {

struct CommandSpec {
    const char* name;
    Command command;
    bool takesValue;
};

constexpr std::array<CommandSpec, 4> Commands = {{
    {"--help", Command::Help, false},
    {"-h", Command::Help, false},
    {"--rendered", Command::Rendered, false},
    {"--runs", Command::Runs, false},
}};

const CommandSpec* findCommand(const std::string& arg) {
    for (const CommandSpec& spec : Commands)
        if (arg == spec.name)
            return &spec;
    return nullptr;
}

} // namespace

std::variant<Options, UsageError> parseArguments(const std::vector<std::string>& args) {
    Options options;
    bool commandSeen = false;
    bool logSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const CommandSpec* spec = findCommand(arg)) {
            if (spec->command == Command::Help)
                return Options{{}, Command::Help, {}};
            if (commandSeen)
                return UsageError{"only one command may be given (" + arg + ")"};
            commandSeen = true;
            options.command = spec->command;
            if (spec->takesValue) {
                if (i + 1 >= args.size())
                    return UsageError{arg + " needs a value"};
                options.commandValue = args[++i];
            }
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
    return options;
}

const char* usageText() {
    return "Usage: quorvath-report LOG COMMAND\n"
           "Loads a Soldier of Fortune II server console log as Quorvath shows it:\n"
           "rounds separated, colour codes rendered and removed.\n"
           "\n"
           "Commands:\n"
           "  --rendered  the rendered text, bytes as held (Windows-1252, CR LF line ends)\n"
           "  --runs      one line per run of equal colour and style:\n"
           "              start TAB length TAB colour TAB style\n"
           "              (colour as a decimal 0x00BBGGRR value; style the letters of\n"
           "              \"biu\" that are set - bold, italic, underline - or \"-\")\n"
           "  --help      this text\n"
           "\n"
           "A log that cannot be read is reported on standard error (exit status 1);\n"
           "a wrong command line exits with status 2.\n";
}

} // namespace quorvath::cli
