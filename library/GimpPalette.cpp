// GIMP palettes: eight named colors a palette, "rrr ggg bbb<TAB><palette> <role>", read back in runs
// of eight, named after the palette in our own layout and otherwise after the file.
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

// A piece of the file quoted in a message: cut short, and readable whatever its bytes.
std::wstring Quoted(std::string_view text) {
    constexpr std::size_t kShown = 20;
    const std::u16string clean = CleanName(TextOf(text));
    const std::u16string_view shown = CutName(clean, kShown);
    std::wstring quoted(shown.begin(), shown.end());
    return shown.size() < clean.size() ? quoted + L"\u2026" : quoted;
}

// One color value from 0 to 255, then a blank or the end of the line; otherwise why not.
std::wstring ReadComponent(std::string_view& rest, int& value, int index, int count) {
    rest = TrimBlanks(rest);
    if (rest.empty()) {
        return L"the line ends after " + std::to_wstring(index) + L" of the " + std::to_wstring(count) +
               L" color values";
    }
    const std::string_view token = rest.substr(0, std::min(rest.find_first_of(" \t"), rest.size()));
    rest.remove_prefix(token.size());
    value = 0;
    for (char c : token) {
        if (c < '0' || c > '9' || value > 255) {
            return Quoted(token) + L" is not a color value from 0 to 255";
        }
        value = value * 10 + (c - '0');
    }
    return value > 255 ? Quoted(token) + L" is not a color value from 0 to 255" : L"";
}

// The eight names of a palette in our layout, "<palette> box 1", "<palette> text 1", ...; `prefix`
// is the palette's name once the first has been seen.
bool IsRoleName(std::string_view name, std::size_t role, std::string_view& prefix) {
    const std::string_view roleName = kColorRoles[role];
    if (name.size() <= roleName.size() || !name.ends_with(roleName) ||
        name[name.size() - roleName.size() - 1] != ' ') {
        return false;
    }
    const std::string_view start = name.substr(0, name.size() - roleName.size() - 1);
    if (role == 0) {
        prefix = start;
    }
    return start == prefix;
}

struct Run {
    std::string_view prefix;
    bool ours = true;
};

} // namespace

std::string ExportGpl(std::span<const PaletteRecord> palettes) {
    std::string out = "GIMP Palette\nName: ";
    std::u16string repaired;
    if (palettes.size() == 1) {
        AppendLineText(out, ExportName(palettes[0], repaired));
    } else {
        out += "Huewright palettes";
    }
    out += "\nColumns: 2\n#\n";
    out.reserve(out.size() + palettes.size() * 8 * 40);
    std::string name;
    for (const PaletteRecord& palette : palettes) {
        name.clear();
        AppendLineText(name, ExportName(palette, repaired));
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
bool ReadAlignedColor(std::string_view line, int (&values)[4], std::string_view& name) {
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
    std::string_view headerName; // the palette's own name, from its Name: line
    int channels = 3;
    std::vector<Color> colors;
    std::vector<Run> runs;
    // Our lines take over 16 bytes a color.
    colors.reserve(bytes.size() / 16);
    runs.reserve(bytes.size() / 128);
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
        auto damaged = [lineNumber](const std::wstring& why) {
            return Problem(L"The GIMP palette is damaged at line " + std::to_wstring(lineNumber) + L": " +
                           why + L".");
        };
        int values[4] = {};
        std::string_view fields;
        if (channels != 3 || !ReadAlignedColor(line, values, fields)) {
            const std::string_view rest = TrimBlanks(line);
            if (rest.empty() || rest.starts_with('#') || rest.starts_with("Columns:")) {
                continue;
            }
            if (rest.starts_with("Name:")) {
                headerName = TrimBlanks(rest.substr(5));
                continue;
            }
            if (rest.starts_with("Channels:")) {
                const std::string_view value = TrimBlanks(rest.substr(9));
                if (value != "RGB" && value != "RGBA") {
                    return damaged(L"the channels \"" + Quoted(value) + L"\" are not RGB or RGBA");
                }
                channels = value == "RGBA" ? 4 : 3;
                continue;
            }
            fields = rest;
            for (int v = 0; v < channels; ++v) {
                if (std::wstring why = ReadComponent(fields, values[v], v, channels); !why.empty()) {
                    return damaged(why);
                }
            }
            fields = TrimBlanks(fields);
        }
        const std::size_t role = colors.size() % 8;
        if (role == 0) {
            runs.emplace_back();
        }
        runs.back().ours = runs.back().ours && IsRoleName(fields, role, runs.back().prefix);
        colors.push_back(MakeColor(values[0], values[1], values[2]));
    }
    if (colors.empty()) {
        return Problem(L"The file holds no colors.");
    }
    // A run of eight in our layout is named after its palette; the others are left for the file.
    std::vector<PaletteRecord> palettes;
    palettes.reserve(runs.size());
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const std::span<const Color> runColors = std::span(colors).subspan(8 * run);
        const bool named = runs[run].ours && runColors.size() >= 8;
        palettes.push_back(RecordFromColors(named ? TextOf(runs[run].prefix) : u"", runColors, font));
    }
    NameUnnamed(palettes, TextOf(headerName));
    return {std::move(palettes), {}};
}

} // namespace exchange
