#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliPalettes.h"

#include <ostream>

namespace {

constexpr const char* kHelp =
    "Usage: huewright-cli list FILE\n"
    "\n"
    "Prints one line per palette of FILE, its fields separated by tabs: the palette's number, its\n"
    "name, its eight colors as #rrggbb (box 1, text 1, box 2, text 2, ... box 4, text 4) and its\n"
    "box font's face and size in points at 96 pixels per inch.\n";

int RunList(const CliArguments& args, CliStreams io) {
    if (args.plain.size() != 1) {
        return ReportUsageError(io, "list", "Give exactly one FILE.");
    }
    PaletteFile file;
    std::string problem;
    if (!file.Read(args.plain[0], problem)) {
        return ReportFileError(io, problem);
    }
    const std::span<const PaletteRecord> palettes = file.Palettes();
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        io.out << i + 1 << '\t' << NameText(palettes[i]) << '\t' << ColorsText(palettes[i]) << '\t'
               << FontText(palettes[i].font) << '\n';
    }
    return io.out.flush() ? kExitSuccess : ReportFileError(io, "The list could not be written.");
}

} // namespace

const CliCommand kListCommand{"list", kHelp, {}, RunList};
