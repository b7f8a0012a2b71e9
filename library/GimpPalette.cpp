// GIMP palettes: eight named colors a palette, "rrr ggg bbb<TAB><palette> <role>", read back in runs
// of eight, named after each run's first color.
#include "library/ExchangeText.h"

#include <algorithm>

namespace exchange {

namespace {

// Right-aligned in three characters.
void PutComponent(char* at, int value) {
    at[0] = value >= 100 ? static_cast<char>('0' + value / 100) : ' ';
    at[1] = value >= 10 ? static_cast<char>('0' + value / 10 % 10) : ' ';
    at[2] = static_cast<char>('0' + value % 10);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// One color value: one to three decimal digits up to 255, then a blank or the end of the line.
bool ReadComponent(std::string_view& rest, int& value) {
    while (!rest.empty() && IsBlank(rest.front())) {
        rest.remove_prefix(1);
    }
    std::size_t digits = 0;
    value = 0;
    while (digits < rest.size() && digits < 4 && rest[digits] >= '0' && rest[digits] <= '9') {
        value = value * 10 + (rest[digits++] - '0');
    }
    rest.remove_prefix(digits);
    const bool ended = rest.empty() || IsBlank(rest[0]);
    return digits > 0 && digits <= 3 && value <= 255 && ended;
}

constexpr std::u16string_view kFirstColorSuffix = u" box 1";

} // namespace

std::string ExportGpl(std::span<const PaletteRecord> palettes) {
    std::string out = "GIMP Palette\nName: ";
    if (palettes.size() == 1) {
        AppendLineText(out, RecordName(palettes[0]));
    } else {
        out += "Huewright palettes";
    }
    out += "\nColumns: 2\n#\n";
    out.reserve(out.size() + palettes.size() * 8 * 40);
    std::string name;
    for (const PaletteRecord& palette : palettes) {
        name.clear();
        AppendLineText(name, RecordName(palette));
        // Eight lines of "rrr ggg bbb\t<name> <role>\n", written in place; the roles take 44 bytes.
        const std::size_t start = out.size();
        out.resize(start + 8 * (12 + name.size() + 2) + 44);
        char* at = out.data() + start;
        for (std::size_t c = 0; c < 8; ++c) {
            const Color color = palette.colors[c];
            PutComponent(at, RedOf(color));
            PutComponent(at + 4, GreenOf(color));
            PutComponent(at + 8, BlueOf(color));
            at[3] = at[7] = ' ';
            at[11] = '\t';
            at = std::copy(name.begin(), name.end(), at + 12);
            *at++ = ' ';
            at = std::copy(kColorRoles[c].begin(), kColorRoles[c].end(), at);
            *at++ = '\n';
        }
    }
    return out;
}

// "rrr ggg bbb<TAB>", the way GIMP and ExportGpl write a color: three right-aligned fields read in
// place, which spares most lines the general reading; `name` is what follows the tab.
bool ReadAlignedColor(std::string_view line, int (&values)[3], std::string_view& name) {
    if (line.size() < 12 || line[3] != ' ' || line[7] != ' ' || line[11] != '\t') {
        return false;
    }
    auto digit = [](char c) { return static_cast<unsigned>(c - '0') <= 9; };
    bool aligned = true;
    for (int i = 0; i < 3; ++i) {
        const char* field = line.data() + 4 * i;
        // A digit may follow a space, never the other way round.
        aligned &= (field[0] == ' ' || digit(field[0])) &&
                   (field[1] == ' ' ? field[0] == ' ' : digit(field[1])) && digit(field[2]);
        values[i] = (field[0] == ' ' ? 0 : (field[0] - '0') * 100) +
                    (field[1] == ' ' ? 0 : (field[1] - '0') * 10) + (field[2] - '0');
    }
    name = TrimBlanks(line.substr(12));
    return aligned && values[0] <= 255 && values[1] <= 255 && values[2] <= 255;
}

ImportResult ImportGpl(std::string_view bytes, const LogFontImage& font) {
    bytes = WithoutBom(bytes);
    if (!bytes.starts_with("GIMP Palette")) {
        return Problem(L"The file is not a GIMP palette.");
    }
    std::u16string fileName;
    std::vector<Color> colors;
    std::vector<std::string_view> runNames; // the name of each eighth color, from the first
    // Our lines take over 16 bytes a color.
    colors.reserve(bytes.size() / 16);
    runNames.reserve(bytes.size() / 128);
    std::size_t lineNumber = 1;
    for (std::size_t at = bytes.find('\n'); at < bytes.size();) {
        ++at;
        ++lineNumber;
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::string_view line = bytes.substr(at, end - at);
        at = end;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        auto damaged = [lineNumber] {
            return Problem(L"The GIMP palette is damaged at line " + std::to_wstring(lineNumber) + L".");
        };
        int values[3] = {};
        std::string_view fields;
        if (!ReadAlignedColor(line, values, fields)) {
            const std::string_view rest = TrimBlanks(line);
            if (rest.empty() || rest.starts_with('#') || rest.starts_with("Columns:")) {
                continue;
            }
            if (rest.starts_with("Name:")) {
                if (!ToUtf16(TrimBlanks(rest.substr(5)), fileName)) {
                    return damaged();
                }
                continue;
            }
            fields = rest;
            if (!ReadComponent(fields, values[0]) || !ReadComponent(fields, values[1]) ||
                !ReadComponent(fields, values[2])) {
                return damaged();
            }
        }
        // Only the first color of each palette gives a name; every name must be valid text.
        if (!IsUtf8(fields)) {
            return damaged();
        }
        if (colors.size() % 8 == 0) {
            runNames.push_back(TrimBlanks(fields));
        }
        colors.push_back(MakeColor(values[0], values[1], values[2]));
    }
    if (colors.empty()) {
        return Problem(L"The file holds no colors.");
    }
    // A palette is named after its first color, "<palette> box 1" in our files; a palette whose
    // first color has no name takes the file's.
    const std::u16string fallback = CleanName(fileName);
    std::vector<PaletteRecord> palettes;
    palettes.reserve(runNames.size());
    int fallbackCount = 0;
    for (std::size_t run = 0; run < runNames.size(); ++run) {
        std::u16string name;
        ToUtf16(runNames[run], name);
        if (name.ends_with(kFirstColorSuffix)) {
            name.resize(name.size() - kFirstColorSuffix.size());
        } else if (name.empty()) {
            name = Numbered(fallback, ++fallbackCount);
        }
        palettes.push_back(RecordFromColors(std::move(name), std::span(colors).subspan(8 * run), font));
    }
    return {std::move(palettes), {}};
}

} // namespace exchange
