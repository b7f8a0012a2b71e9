#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/BackgroundWriter.h"
#include "cli/OutputFile.h"
#include "cli/CliPalettes.h"
#include "library/PaletteExchange.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace {

constexpr const char* kHelp =
    "Usage: huewright-cli export FILE --format FORMAT [--scales] [--palette NAME|NUMBER]... [-o OUT]\n"
    "\n"
    "Writes the palettes of FILE in FORMAT, the same bytes as Huewright's export:\n"
    "  css          CSS custom properties, #rrggbb\n"
    "  css-oklch    CSS custom properties, oklch()\n"
    "  gpl          GIMP palette\n"
    "  ase          Adobe Swatch Exchange (binary: needs -o)\n"
    "  json         JSON, with names and fonts\n"
    "  tokens       design tokens (DTCG 2025.10, .tokens.json): a group of eight sRGB colors and a\n"
    "               typography token for the font per palette\n"
    "  tailwind     Tailwind CSS v4 theme: an @theme block of --color-* variables in oklch() and a\n"
    "               --font-* variable per palette\n"
    "\n"
    "  --scales                with css, css-oklch and tailwind: each color's tonal scale after\n"
    "                          it, --<palette>-box-1-50 ... --<palette>-box-1-950 (in tailwind\n"
    "                          --color-<palette>-box-1-50 ...)\n"
    "  --palette NAME|NUMBER   only this palette, by its exact name or its number in the list;\n"
    "                          give it again for more, in the order wanted\n"
    "  -o OUT                  write to the file OUT instead of standard output\n";

struct FormatName {
    const char* name;
    ExchangeFormat format;
    bool text;
};

constexpr FormatName kFormats[] = {
    {"css", ExchangeFormat::Css, true},          {"css-oklch", ExchangeFormat::CssOklch, true},
    {"gpl", ExchangeFormat::Gpl, true},          {"ase", ExchangeFormat::Ase, false},
    {"json", ExchangeFormat::Json, true},        {"tokens", ExchangeFormat::Tokens, true},
    {"tailwind", ExchangeFormat::Tailwind, true}};

std::optional<FormatName> FormatNamed(const std::string& name) {
    for (const FormatName& format : kFormats) {
        if (name == format.name) {
            return format;
        }
    }
    return std::nullopt;
}

// A number from 1 to the count picks by place; anything else is a name.
// The format that writes each color's tonal scale after it, where the format has one.
std::optional<ExchangeFormat> ScalesVariantOf(ExchangeFormat format) {
    switch (format) {
    case ExchangeFormat::Css:
        return ExchangeFormat::CssScales;
    case ExchangeFormat::CssOklch:
        return ExchangeFormat::CssOklchScales;
    case ExchangeFormat::Tailwind:
        return ExchangeFormat::TailwindScales;
    default:
        return std::nullopt;
    }
}

std::optional<std::size_t> PaletteIndex(std::span<const PaletteRecord> palettes, const std::string& wanted) {
    if (!wanted.empty() &&
        std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        wanted.size() < 10) {
        const std::size_t number = std::stoul(wanted);
        if (number >= 1 && number <= palettes.size()) {
            return number - 1;
        }
    }
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        if (NameText(palettes[i]) == wanted) {
            return i;
        }
    }
    return std::nullopt;
}

// Made on this thread and written on another, so that the two overlap.
bool ExportThrough(std::span<const PaletteRecord> palettes, ExchangeFormat format,
                   BackgroundWriter::Write write) {
    BackgroundWriter writer(std::move(write));
    const bool made =
        ExportPalettesInPieces(palettes, format, [&writer](std::string& piece) { return writer.Put(piece); });
    return writer.Finish() && made;
}

int RunExport(const CliArguments& args, CliStreams io) {
    if (args.plain.size() != 1) {
        return ReportUsageError(io, "export", "Give exactly one FILE.");
    }
    const auto formatName = args.Value("--format");
    if (!formatName) {
        return ReportUsageError(io, "export", "Give the format with --format.");
    }
    const auto format = FormatNamed(*formatName);
    if (!format) {
        return ReportUsageError(io, "export", "There is no format \"" + *formatName + "\".");
    }
    ExchangeFormat exchangeFormat = format->format;
    if (args.Has("--scales")) {
        const auto withScales = ScalesVariantOf(exchangeFormat);
        if (!withScales) {
            return ReportUsageError(io, "export",
                                    "Only the css, css-oklch and tailwind formats have --scales.");
        }
        exchangeFormat = *withScales;
    }
    const auto out = args.Value("-o");
    if (!format->text && !out) {
        return ReportUsageError(io, "export",
                                std::string("The ") + format->name + " format is binary: give -o OUT.");
    }
    const std::string& path = args.plain[0];
    PaletteFile file;
    std::string problem;
    if (!file.Read(path, problem)) {
        return ReportFileError(io, problem);
    }
    std::span<const PaletteRecord> palettes = file.Palettes();
    std::vector<PaletteRecord> chosen;
    if (const auto found = args.values.find("--palette"); found != args.values.end()) {
        for (const std::string& wanted : found->second) {
            const auto index = PaletteIndex(palettes, wanted);
            if (!index) {
                return ReportUsageError(
                    io, "export", "There is no palette " + Quoted(wanted) + " in " + Quoted(path) + ".");
            }
            chosen.push_back(palettes[*index]);
        }
        palettes = chosen;
    }
    if (!out) {
        const bool written = ExportThrough(palettes, exchangeFormat, [&io](std::string_view piece) {
            return static_cast<bool>(io.out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
        });
        return written && io.out.flush() ? kExitSuccess
                                         : ReportFileError(io, "The export could not be written.");
    }
    OutputFile output(*out);
    std::string reason;
    const bool written = ExportThrough(palettes, exchangeFormat,
                                       [&](std::string_view piece) { return output.Write(piece, reason); });
    if (!written || !output.Finish(reason)) {
        return ReportFileError(io, Quoted(*out) + " could not be written: " + reason + ".");
    }
    return kExitSuccess;
}

} // namespace

const CliCommand kExportCommand{"export", kHelp, {{"--format", "--palette", "-o"}, {"--scales"}}, RunExport};
