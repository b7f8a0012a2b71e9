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

ImportResult ImportGpl(std::string_view bytes, const LogFontImage& font) {
    bytes = WithoutBom(bytes);
    if (!bytes.starts_with("GIMP Palette")) {
        return Problem(L"The file is not a GIMP palette.");
    }
    std::u16string fileName;
    std::vector<Color> colors;
    std::vector<std::u16string> runNames; // the name of each eighth color, from the first
    std::u16string colorName;
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
        const std::string_view rest = TrimBlanks(line);
        if (rest.empty() || rest.starts_with('#') || rest.starts_with("Columns:")) {
            continue;
        }
        auto damaged = [lineNumber] {
            return Problem(L"The GIMP palette is damaged at line " + std::to_wstring(lineNumber) + L".");
        };
        if (rest.starts_with("Name:")) {
            if (!ToUtf16(TrimBlanks(rest.substr(5)), fileName)) {
                return damaged();
            }
            continue;
        }
        std::string_view fields = rest;
        int red = 0, green = 0, blue = 0;
        if (!ReadComponent(fields, red) || !ReadComponent(fields, green) || !ReadComponent(fields, blue)) {
            return damaged();
        }
        // Only the first color of each palette gives a name; the others need only be valid text.
        const bool first = colors.size() % 8 == 0;
        if (first ? !ToUtf16(TrimBlanks(fields), colorName) : !IsUtf8(fields)) {
            return damaged();
        }
        if (first) {
            runNames.push_back(colorName);
        }
        colors.push_back(MakeColor(red, green, blue));
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
        std::u16string name = std::move(runNames[run]);
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
