#include "cli/Cli.h"

#include "cli/CliCommands.h"

#include <exception>
#include <ostream>

namespace {

constexpr const char* kVersion = "huewright-cli 1.0.0";

constexpr const char* kHelp =
    "Usage: huewright-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "The Huewright palette library and its checks on the command line.\n"
    "\n"
    "Commands:\n"
    "  list     one line per palette: number, name, colors and font\n"
    "  export   palettes as CSS (hex or OKLCH), GIMP, Adobe Swatch Exchange, JSON, design tokens\n"
    "           or a Tailwind CSS v4 theme\n"
    "  import   append the palettes of files to a library\n"
    "  check    judge each palette's text contrast; exit status 1 when any fails\n"
    "\n"
    "A FILE is a palette library (.dat) or a palette file by its extension (.gpl, .ase, .json,\n"
    ".tokens.json, .tokens).\n"
    "Run \"huewright-cli COMMAND --help\" for a command's options.\n"
    "\n"
    "Exit status: 0 on success, 1 when check finds a failing palette, 2 for a usage error or a file\n"
    "that cannot be read.\n";

constexpr const CliCommand* kCommands[] = {&kListCommand, &kExportCommand, &kImportCommand, &kCheckCommand};

int RunCommand(std::span<const std::string> args, CliStreams io) {
    if (args.empty()) {
        return ReportUsageError(io, "", "No command was given.");
    }
    if (args[0] == "--help" || args[0] == "-h") {
        io.out << kHelp;
        return kExitSuccess;
    }
    if (args[0] == "--version") {
        io.out << kVersion << "\n";
        return kExitSuccess;
    }
    for (const CliCommand* command : kCommands) {
        if (args[0] != command->name) {
            continue;
        }
        CliOptionKinds known = command->options;
        known.flags.insert({"--help", "-h"});
        CliArguments parsed;
        std::string problem;
        if (!ParseCliArguments(args.subspan(1), known, parsed, problem)) {
            return ReportUsageError(io, command->name, problem);
        }
        if (parsed.Has("--help") || parsed.Has("-h")) {
            io.out << command->help;
            return kExitSuccess;
        }
        return command->run(parsed, io);
    }
    return ReportUsageError(io, "", "There is no command \"" + args[0] + "\".");
}

} // namespace

int ReportUsageError(CliStreams io, const std::string& command, const std::string& sentence) {
    io.err << "huewright-cli" << (command.empty() ? "" : " " + command) << ": " << sentence
           << " Run \"huewright-cli" << (command.empty() ? "" : " " + command)
           << " --help\" for how to use it.\n";
    return kExitError;
}

int ReportFileError(CliStreams io, const std::string& sentence) {
    io.err << "huewright-cli: " << sentence << "\n";
    return kExitError;
}

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const CliStreams io{out, err};
    // Running out of memory on a huge file is the one failure that arrives as an exception.
    try {
        return RunCommand(args, io);
    } catch (const std::exception& failure) {
        return ReportFileError(io, std::string("The command failed: ") + failure.what() + ".");
    }
}
