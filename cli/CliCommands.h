// The subcommands of huewright-cli, and what they share: how arguments are read, and how a usage
// error or a file that cannot be read is reported.
#pragma once

#include "cli/CliArguments.h"

#include <iosfwd>
#include <span>
#include <string>

struct CliStreams {
    std::ostream& out;
    std::ostream& err;
};

struct CliCommand {
    const char* name;
    const char* help;
    CliOptionKinds options;
    // Runs with the arguments parsed; --help never reaches it.
    int (*run)(const CliArguments& args, CliStreams io);
};

extern const CliCommand kListCommand;
extern const CliCommand kExportCommand;
extern const CliCommand kImportCommand;
extern const CliCommand kCheckCommand;

// The sentence on standard error, with where to read more; returns the usage error's status.
int ReportUsageError(CliStreams io, const std::string& command, const std::string& sentence);
// The sentence on standard error; returns the status of a file that cannot be read.
int ReportFileError(CliStreams io, const std::string& sentence);
