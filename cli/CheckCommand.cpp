#include "cli/Cli.h"
#include "cli/CliCommands.h"
#include "cli/CliPalettes.h"
#include "app/PaletteChecks.h"
#include "color/ContrastFixes.h"
#include "library/ExchangeText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace {

constexpr const char* kHelp =
    "Usage: huewright-cli check FILE [--target aa|aaa|apca] [--cvd] [--json]\n"
    "\n"
    "Judges each palette's four boxes as Huewright's palette inspector does: each box's text color on\n"
    "its background, by the WCAG 2 contrast ratio and the APCA lightness contrast (Lc).\n"
    "\n"
    "  --target aa     4.5:1, or 3:1 for large text (the default)\n"
    "  --target aaa    7:1, or 4.5:1 for large text\n"
    "  --target apca   |Lc| of at least 75, 60 for large text, or 45 for headings\n"
    "  --cvd           also list the boxes whose backgrounds look alike to people with protanopia,\n"
    "                  deuteranopia, tritanopia or achromatopsia (for information: they do not fail)\n"
    "  --json          every figure as JSON instead of the table\n"
    "\n"
    "Text sizes: box 1's text is the palette's font at 96 pixels per inch; it is large text at 18\n"
    "points or more, or 14 points or more when bold (weight 700 or more), and for APCA a heading at\n"
    "27 points or more, or 18 points or more when bold. Boxes 2 to 4 are drawn in the same face and\n"
    "weight at the system's default size, well under 14 points, so they are always normal text.\n"
    "\n"
    "Exit status: 0 when every palette passes, 1 when any fails, 2 for a usage error or a file that\n"
    "cannot be read.\n";

struct TargetName {
    const char* name;
    const char* shown;
    ContrastTarget target;
};

constexpr TargetName kTargets[] = {{"aa", "AA", ContrastTarget::AA},
                                   {"aaa", "AAA", ContrastTarget::AAA},
                                   {"apca", "APCA", ContrastTarget::Apca}};

std::array<BoxText, 4> BoxTextsOf(const LogFontImage& font) {
    const bool bold = font.numbers.weight >= 700;
    const double points = std::abs(static_cast<double>(font.numbers.height)) * 72.0 / 96.0;
    return {BoxText{points, bold}, BoxText{0.0, bold}, BoxText{0.0, bold}, BoxText{0.0, bold}};
}

std::string Number(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string Hex(Color color) {
    std::string out;
    exchange::AppendHexColor(out, color);
    return out;
}

struct Judged {
    PaletteChecks checks;
    std::array<bool, 4> passes;
    bool allPass;
};

Judged Judge(const PaletteRecord& record, ContrastTarget target, bool cvd) {
    const PaletteColors colors = RecordColors(record);
    const std::array<BoxText, 4> texts = BoxTextsOf(record.font);
    Judged judged{{}, {}, true};
    if (cvd) {
        judged.checks = CheckPalette(colors, texts);
    } else {
        judged.checks.boxes = CheckBoxContrasts(colors, texts);
    }
    // The palette inspector's own verdict, which tells body text, large text and APCA's headings apart.
    for (std::size_t box = 0; box < 4; ++box) {
        judged.passes[box] = PassesTarget(colors.text[box], colors.box[box],
                                          TextSizeOf(texts[box].pointSize, texts[box].bold), target);
        judged.allPass = judged.allPass && judged.passes[box];
    }
    return judged;
}

// Each pair of boxes whose backgrounds the simulation makes hard to tell apart, as box numbers.
template <typename Put> void ForEachLookAlike(const SimulatedPalette& simulated, Put put) {
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t j = i + 1; j < 4; ++j) {
            if (simulated.hardToTell[i][j]) {
                put(i + 1, j + 1);
            }
        }
    }
}

void PrintTable(std::ostream& out, std::size_t number, const PaletteRecord& record, const Judged& judged,
                const TargetName& target, bool cvd) {
    const PaletteColors colors = RecordColors(record);
    out << number << " " << Quoted(NameText(record)) << ": " << (judged.allPass ? "passes " : "fails ")
        << target.shown << "\n";
    for (std::size_t box = 0; box < 4; ++box) {
        const BoxContrast& contrast = judged.checks.boxes[box];
        out << "  box " << box + 1 << "  " << Hex(colors.text[box]) << " on " << Hex(colors.box[box]) << "  "
            << Utf8(FormatContrastRatio(contrast.ratio)) << "  "
            << Utf8(FormatLightnessContrast(contrast.lightnessContrast)) << "  "
            << (contrast.largeText ? "large " : "normal") << "  " << (judged.passes[box] ? "pass" : "FAIL")
            << "\n";
    }
    if (!cvd) {
        return;
    }
    for (int kind = 0; kind < kVisionDeficiencyCount; ++kind) {
        std::string pairs;
        ForEachLookAlike(judged.checks.simulations[kind], [&](std::size_t a, std::size_t b) {
            pairs += (pairs.empty() ? "" : ", ") + std::string("box ") + std::to_string(a) + " and box " +
                     std::to_string(b);
        });
        out << "  " << Utf8(VisionDeficiencyName(static_cast<VisionDeficiency>(kind))) << ": "
            << (pairs.empty() ? "no look-alike backgrounds" : "look alike: " + pairs) << "\n";
    }
}

void PrintJson(std::ostream& out, std::size_t number, const PaletteRecord& record, const Judged& judged,
               bool cvd) {
    const PaletteColors colors = RecordColors(record);
    std::string json = "    {\"number\": " + std::to_string(number) + ", \"name\": ";
    exchange::AppendJsonString(json, RecordName(record));
    json += std::string(", \"passes\": ") + (judged.allPass ? "true" : "false") + ", \"boxes\": [";
    for (std::size_t box = 0; box < 4; ++box) {
        const BoxContrast& contrast = judged.checks.boxes[box];
        json += std::string(box ? "," : "") + "\n      {\"box\": " + std::to_string(box + 1) +
                ", \"text\": \"" + Hex(colors.text[box]) + "\", \"background\": \"" + Hex(colors.box[box]) +
                "\", \"largeText\": " + (contrast.largeText ? "true" : "false") +
                ", \"contrastRatio\": " + Number(contrast.ratio, "%.4f") +
                ", \"lightnessContrast\": " + Number(contrast.lightnessContrast, "%.2f") +
                ", \"passesAA\": " + (contrast.passesAA ? "true" : "false") +
                ", \"passesAAA\": " + (contrast.passesAAA ? "true" : "false") +
                ", \"passes\": " + (judged.passes[box] ? "true" : "false") + "}";
    }
    json += "]";
    if (cvd) {
        json += ", \"lookAlikes\": {";
        for (int kind = 0; kind < kVisionDeficiencyCount; ++kind) {
            std::string name = Utf8(VisionDeficiencyName(static_cast<VisionDeficiency>(kind)));
            name[0] = static_cast<char>(name[0] - 'A' + 'a');
            json += std::string(kind ? ", " : "") + "\"" + name + "\": [";
            bool first = true;
            ForEachLookAlike(judged.checks.simulations[kind], [&](std::size_t a, std::size_t b) {
                json +=
                    std::string(first ? "" : ", ") + "[" + std::to_string(a) + ", " + std::to_string(b) + "]";
                first = false;
            });
            json += "]";
        }
        json += "}";
    }
    out << json << "}";
}

int RunCheck(const CliArguments& args, CliStreams io) {
    if (args.plain.size() != 1) {
        return ReportUsageError(io, "check", "Give exactly one FILE.");
    }
    const std::string targetName = args.Value("--target").value_or("aa");
    const TargetName* target = nullptr;
    for (const TargetName& candidate : kTargets) {
        target = targetName == candidate.name ? &candidate : target;
    }
    if (!target) {
        return ReportUsageError(io, "check", "There is no target \"" + targetName + "\".");
    }
    PaletteFile file;
    std::string problem;
    if (!file.Read(args.plain[0], problem)) {
        return ReportFileError(io, problem);
    }
    const std::span<const PaletteRecord> palettes = file.Palettes();
    const bool json = args.Has("--json"), cvd = args.Has("--cvd");
    std::size_t failing = 0;
    if (json) {
        io.out << "{\"target\": \"" << target->name << "\", \"palettes\": [";
    }
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const Judged judged = Judge(palettes[i], target->target, cvd);
        failing += judged.allPass ? 0 : 1;
        if (json) {
            io.out << (i ? ",\n" : "\n");
            PrintJson(io.out, i + 1, palettes[i], judged, cvd);
        } else {
            PrintTable(io.out, i + 1, palettes[i], judged, *target, cvd);
        }
    }
    if (json) {
        io.out << "\n  ], \"failing\": " << failing << "}\n";
    } else {
        io.out << failing << " of " << palettes.size()
               << (palettes.size() == 1 ? " palette fails " : " palettes fail ") << target->shown << ".\n";
    }
    if (!io.out.flush()) {
        return ReportFileError(io, "The report could not be written.");
    }
    return failing ? kExitCheckFailed : kExitSuccess;
}

} // namespace

const CliCommand kCheckCommand{"check", kHelp, {{"--target"}, {"--cvd", "--json"}}, RunCheck};
