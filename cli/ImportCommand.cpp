#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "cli/CliPalettes.h"
#include "library/PaletteLibrary.h"
#include "library/PaletteOperations.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace {

// A library is empty or starts with a record: a current or compact one with its marker, a named one
// with the zero bytes of its binary fields, which no text file holds. What cannot be read here is
// left for the library's own loading to report.
bool LooksLikeLibrary(LibraryFile& file) {
    std::uint64_t length = 0;
    if (file.Length(length) != 0 || length == 0) {
        return true;
    }
    std::string start(static_cast<std::size_t>(std::min<std::uint64_t>(length, kNamedRecordSize)), '\0');
    if (file.ReadAt(0, start.data(), start.size()) != 0) {
        return true;
    }
    std::uint32_t marker = 0;
    std::memcpy(&marker, start.data(), std::min(start.size(), sizeof(marker)));
    return marker == PaletteRecordMagic || marker == CompactRecordMagic ||
           (start.size() == kNamedRecordSize && start.find('\0') != std::string::npos);
}

constexpr const char* kHelp =
    "Usage: huewright-cli import --into LIBRARY FILE...\n"
    "\n"
    "Appends the palettes of each FILE to the palette library LIBRARY, which is created when missing,\n"
    "as Huewright's import does: the library is backed up to LIBRARY._backup first, and a rewrite\n"
    "cut short is rolled back from LIBRARY._journal. A library in the older formats is converted.\n"
    "Nothing is written when Huewright holds the library open, or when any FILE cannot be read.\n";

int RunImport(const CliArguments& args, CliStreams io) {
    const auto into = args.Value("--into");
    if (!into) {
        return ReportUsageError(io, "import", "Give the library with --into.");
    }
    if (args.plain.empty()) {
        return ReportUsageError(io, "import", "Give at least one FILE to import.");
    }
    std::vector<PaletteRecord> imported;
    for (const std::string& path : args.plain) {
        PaletteFile file;
        std::string problem;
        if (!file.Read(path, problem)) {
            return ReportFileError(io, problem);
        }
        imported.insert(imported.end(), file.Palettes().begin(), file.Palettes().end());
    }

    OpenedLibrary opened;
    std::string reason;
    switch (OpenLibraryToWrite(*into, opened, reason)) {
    case OpenForWriting::InUse:
        return ReportFileError(io, FileNameOf(*into) + " is in use by Huewright; close it and try again.");
    case OpenForWriting::Failed:
        return ReportFileError(io, Quoted(*into) + " could not be opened: " + reason + ".");
    case OpenForWriting::Opened:
        break;
    }
    if (!LooksLikeLibrary(*opened.file)) {
        return ReportFileError(io, Quoted(*into) + " is not a palette library; nothing was imported.");
    }
    PaletteLibrary library;
    const LogFontImage font = BuiltInBoxFont();
    if (library.OpenPaletteLibrary(std::move(opened.file), std::move(opened.journal), *opened.backup, 0, font,
                                   font) != 0 ||
        !library.Writable()) {
        return ReportFileError(io, Quoted(*into) +
                                       " could not be read as a palette library; nothing was imported.");
    }
    if (const std::string& keptAs = library.JournalSetAside(); !keptAs.empty()) {
        io.err << "huewright-cli: " << Quoted(*into)
               << " is not the file that an unfinished change was recorded for, so it was left as it is; the "
                  "palettes that change had replaced are kept in "
               << Quoted(*into + "._journal" + keptAs) << ".\n";
    }
    const ImportOutcome outcome = AppendImportedRecords(library, imported);
    if (outcome.error) {
        return ReportFileError(io, Quoted(*into) + " could not be written; nothing was imported.");
    }
    io.out << "Imported " << outcome.imported << (outcome.imported == 1 ? " palette" : " palettes")
           << " into " << Quoted(*into);
    if (outcome.renamed > 0) {
        io.out << ", " << outcome.renamed << " renamed";
    }
    io.out << ".\n";
    return kExitSuccess;
}

} // namespace

const CliCommand kImportCommand{"import", kHelp, {{"--into"}, {}}, RunImport};
