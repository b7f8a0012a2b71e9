// Writes palettes as CSS custom properties, GIMP palettes, Adobe Swatch Exchange and JSON, and reads
// the last three back into records.
#include "library/PaletteExchange.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::u16string_view kImportedName = u"Imported palette";
constexpr std::u16string_view kFirstColorSuffix = u" box 1";
constexpr std::string_view kColorRoles[8] = {"box 1", "text 1", "box 2", "text 2",
                                             "box 3", "text 3", "box 4", "text 4"};
constexpr std::string_view kJsonFormatName = "huewright-palettes";
constexpr int kMaxJsonDepth = 64;
constexpr std::size_t kMaxFaceLength = 31;

// The default palette in record order, for the colors a short run in a file leaves out.
constexpr std::array<Color, 8> kDefaultColors = [] {
    std::array<Color, 8> colors{};
    for (std::size_t box = 0; box < 4; ++box) {
        colors[2 * box] = kDefaultPalette.box[box];
        colors[2 * box + 1] = kDefaultPalette.text[box];
    }
    return colors;
}();

ImportResult Problem(std::wstring problem) {
    return {{}, std::move(problem)};
}

// ---- Text encodings

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point of the UTF-8 sequence at `at`, which moves past it; -1 for a malformed, overlong,
// surrogate or out-of-range sequence.
std::int32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = 0;
    std::int32_t point = 0;
    std::int32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, point = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3, point = lead & 0x07, least = 0x10000;
    } else {
        return -1;
    }
    for (int i = 0; i < length; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            return -1;
        }
        point = point << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return -1;
    }
    return point;
}

void AppendCodePoint(std::string& out, std::uint32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | point >> 6);
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | point >> 12);
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | point >> 18);
        out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// False, with `out` unfinished, when the bytes are not UTF-8.
bool ToUtf16(std::string_view text, std::u16string& out) {
    out.resize(text.size()); // never more units than bytes
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::int32_t point = NextCodePoint(text, at);
        if (point < 0) {
            return false;
        }
        if (point < 0x10000) {
            out[units++] = static_cast<char16_t>(point);
        } else {
            out[units++] = static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out[units++] = static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    out.resize(units);
    return true;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080u;

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        // Runs of ASCII, which most names are, go by eight bytes at a time without decoding.
        std::size_t ascii = at;
        while (text.size() - ascii >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + ascii, 8);
            if (word & kHighBits) {
                break;
            }
            ascii += 8;
        }
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) {
            ++ascii;
        }
        at = ascii;
        if (at < text.size() && NextCodePoint(text, at) < 0) {
            return false;
        }
    }
    return true;
}

// Calls `put` with each code point; a lone surrogate, which UTF-8 cannot carry, gives U+FFFD.
template <typename Put> void ForEachCodePoint(std::u16string_view text, Put put) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t point = text[i];
        if (IsHighSurrogate(point) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point)) {
            point = 0xFFFD;
        }
        put(point);
    }
}

bool IsValidUtf16(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            return false;
        }
    }
    return true;
}

bool IsControl(std::uint32_t point) {
    return point < 0x20 || point == 0x7F;
}

// UTF-8 on one line: control characters become spaces.
void AppendLineText(std::string& out, std::u16string_view text) {
    ForEachCodePoint(text,
                     [&out](std::uint32_t point) { AppendCodePoint(out, IsControl(point) ? ' ' : point); });
}

std::string_view WithoutBom(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
}

// ---- Names

std::u16string_view TrimSpaces(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// At most `limit` units without outer spaces, never keeping the first half of a surrogate pair alone.
std::u16string_view CutName(std::u16string_view name, std::size_t limit) {
    name = TrimSpaces(name);
    if (name.size() > limit) {
        name = TrimSpaces(name.substr(0, IsHighSurrogate(name[limit - 1]) ? limit - 1 : limit));
    }
    return name;
}

// An imported name is one line of at most 63 characters without outer spaces, so that every format
// carries it unchanged and a file written from imported palettes reads back the same.
std::u16string CleanName(std::u16string name) {
    for (char16_t& unit : name) {
        if (IsControl(unit)) {
            unit = u' ';
        }
    }
    const std::u16string_view clean = CutName(name, kMaxNameLength);
    if (clean.empty()) {
        return std::u16string(kImportedName);
    }
    return clean.size() == name.size() ? name : std::u16string(clean);
}

// The first of several palettes that share a clean name keeps it as it is; the others are numbered
// from 2, the name cut to leave room for the number.
std::u16string Numbered(std::u16string_view base, int number) {
    if (number == 1) {
        return std::u16string(base);
    }
    const std::string suffix = ' ' + std::to_string(number);
    std::u16string name(CutName(base, kMaxNameLength - suffix.size()));
    name.append(suffix.begin(), suffix.end());
    return name;
}

// A palette from up to eight colors in record order; the default palette gives the ones left out.
PaletteRecord RecordFromColors(std::u16string name, std::span<const Color> colors, const LogFontImage& font) {
    PaletteRecord record = MakeRecord(CleanName(std::move(name)), kDefaultPalette, font);
    std::copy_n(colors.begin(), std::min<std::size_t>(colors.size(), 8), record.colors);
    return record;
}

// Palettes of eight colors each, named `base`, `base 2`, ...; `number` counts the palettes that
// already have that name.
void AppendRuns(std::vector<PaletteRecord>& palettes, std::span<const Color> colors, std::u16string_view base,
                int& number, const LogFontImage& font) {
    const std::u16string name = CleanName(std::u16string(base));
    for (std::size_t start = 0; start < colors.size(); start += 8) {
        palettes.push_back(RecordFromColors(Numbered(name, ++number), colors.subspan(start), font));
    }
}

// At most 31 characters, as a LOGFONTW holds, even from a record whose face has no terminator.
std::u16string_view FaceOf(const LogFontImage& font) {
    const char16_t* end =
        std::find(std::begin(font.faceName), std::begin(font.faceName) + kMaxFaceLength, u'\0');
    return {std::begin(font.faceName), end};
}

// ---- Writing

void AppendHexColor(std::string& out, Color color) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const int components[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
    char text[7] = {'#'};
    for (int i = 0; i < 3; ++i) {
        text[1 + 2 * i] = kDigits[components[i] >> 4];
        text[2 + 2 * i] = kDigits[components[i] & 15];
    }
    out.append(text, sizeof(text));
}

// The name lower-cased, each run of other characters than ASCII letters and digits one "-".
std::string Slug(std::u16string_view name) {
    std::string slug;
    bool gap = false;
    for (char16_t unit : name) {
        if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        }
        if ((unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9')) {
            if (gap && !slug.empty()) {
                slug += '-';
            }
            slug += static_cast<char>(unit);
            gap = false;
        } else {
            gap = true;
        }
    }
    return slug.empty() ? "palette" : slug;
}

// Gives each slug once: a repeat takes the first free "-2", "-3", ...; `lastNumbers` keeps each
// base's last suffix so that many palettes of one name do not search from 2 every time.
class SlugSet {
public:
    std::string Unique(std::string base) {
        if (taken.insert(base).second) {
            return base;
        }
        int& number = lastNumbers[base];
        number = std::max(number, 1);
        std::string slug;
        do {
            slug = base + '-' + std::to_string(++number);
        } while (!taken.insert(slug).second);
        return slug;
    }

private:
    std::unordered_set<std::string> taken;
    std::unordered_map<std::string, int> lastNumbers;
};

std::string ExportCss(std::span<const PaletteRecord> palettes) {
    std::string out = ":root {\n";
    SlugSet slugs;
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const std::u16string name = RecordName(palettes[i]);
        std::string comment;
        AppendLineText(comment, name);
        for (std::size_t at = 0; (at = comment.find("*/", at)) != std::string::npos;) {
            comment.replace(at, 2, "* /");
        }
        out += i == 0 ? "  /* " : "\n  /* ";
        out += comment;
        out += " */\n";
        const std::string slug = slugs.Unique(Slug(name));
        for (std::size_t c = 0; c < 8; ++c) {
            out += "  --";
            out += slug;
            out += '-';
            for (char letter : kColorRoles[c]) {
                out += letter == ' ' ? '-' : letter;
            }
            out += ": ";
            AppendHexColor(out, palettes[i].colors[c]);
            out += ";\n";
        }
    }
    out += "}\n";
    return out;
}

// Right-aligned in three characters.
void PutComponent(char* at, int value) {
    at[0] = value >= 100 ? static_cast<char>('0' + value / 100) : ' ';
    at[1] = value >= 10 ? static_cast<char>('0' + value / 10 % 10) : ' ';
    at[2] = static_cast<char>('0' + value % 10);
}

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

// Big-endian numbers into a buffer with room for them; each returns the end of what it wrote.
char* Put16(char* at, std::uint32_t value) {
    at[0] = static_cast<char>(value >> 8 & 0xFF);
    at[1] = static_cast<char>(value & 0xFF);
    return at + 2;
}

char* Put32(char* at, std::uint32_t value) {
    return Put16(Put16(at, value >> 16), value & 0xFFFF);
}

// The length in UTF-16 units with the terminating zero, then the units and the zero.
template <typename Text> char* PutAseName(char* at, Text name) {
    at = Put16(at, static_cast<std::uint32_t>(name.size() + 1));
    for (auto unit : name) {
        at = Put16(at, static_cast<char16_t>(unit));
    }
    return Put16(at, 0);
}

constexpr std::uint16_t kAseGroupStart = 0xC001;
constexpr std::uint16_t kAseGroupEnd = 0xC002;
constexpr std::uint16_t kAseColor = 0x0001;
constexpr std::uint16_t kAseNormalColor = 2;

std::string ExportAse(std::span<const PaletteRecord> palettes) {
    char header[12] = {'A', 'S', 'E', 'F'};
    Put32(Put16(Put16(header + 4, 1), 0), static_cast<std::uint32_t>(palettes.size() * 10));
    std::string out(header, sizeof(header));
    out.reserve(out.size() + palettes.size() * 460);
    // A palette's ten blocks: a group start of at most 138 bytes, eight colors of 38 or 40, the end.
    char blocks[512];
    for (const PaletteRecord& palette : palettes) {
        const std::u16string name = RecordName(palette);
        char* at =
            Put32(Put16(blocks, kAseGroupStart), static_cast<std::uint32_t>(2 + 2 * (name.size() + 1)));
        at = PutAseName(at, name);
        for (std::size_t c = 0; c < 8; ++c) {
            const std::string_view role = kColorRoles[c];
            at = Put32(Put16(at, kAseColor),
                       static_cast<std::uint32_t>(2 + 2 * (role.size() + 1) + 4 + 12 + 2));
            at = PutAseName(at, role);
            at = std::copy_n("RGB ", 4, at);
            const Color color = palette.colors[c];
            for (int component : {RedOf(color), GreenOf(color), BlueOf(color)}) {
                at = Put32(at, std::bit_cast<std::uint32_t>(static_cast<float>(component) / 255.0f));
            }
            at = Put16(at, kAseNormalColor);
        }
        at = Put32(Put16(at, kAseGroupEnd), 0);
        out.append(blocks, static_cast<std::size_t>(at - blocks));
    }
    return out;
}

// RFC 8259 string: quote, backslash and control characters escaped, the rest as UTF-8.
void AppendJsonString(std::string& out, std::u16string_view text) {
    out += '"';
    ForEachCodePoint(text, [&out](std::uint32_t point) {
        if (point == '"' || point == '\\') {
            out += '\\';
            out += static_cast<char>(point);
        } else if (point < 0x20) {
            static constexpr char kDigits[] = "0123456789abcdef";
            out += "\\u00";
            out += kDigits[point >> 4];
            out += kDigits[point & 15];
        } else {
            AppendCodePoint(out, point);
        }
    });
    out += '"';
}

std::string ExportJson(std::span<const PaletteRecord> palettes) {
    std::string out = "{\n  \"format\": \"huewright-palettes\",\n  \"version\": 1,\n  \"palettes\": [";
    out.reserve(out.size() + palettes.size() * 512);
    // FormatFontDesc goes through swprintf, and a library holds few distinct fonts: each is formatted
    // once, keyed by the bytes of its numbers.
    std::unordered_map<std::string, std::string> fontTexts;
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const PaletteRecord& palette = palettes[i];
        out += i == 0 ? "\n    {\n      \"name\": " : ",\n    {\n      \"name\": ";
        AppendJsonString(out, RecordName(palette));
        out += ",\n      \"boxes\": [";
        for (std::size_t box = 0; box < 4; ++box) {
            out += box == 0 ? "\n        {\"background\": \"" : ",\n        {\"background\": \"";
            AppendHexColor(out, palette.colors[2 * box]);
            out += "\", \"text\": \"";
            AppendHexColor(out, palette.colors[2 * box + 1]);
            out += "\"}";
        }
        out += "\n      ],\n      \"font\": {\"face\": ";
        AppendJsonString(out, FaceOf(palette.font));
        out += ", \"numbers\": \"";
        const FontNumbers& numbers = palette.font.numbers;
        auto [known, added] =
            fontTexts.try_emplace(std::string(reinterpret_cast<const char*>(&numbers), sizeof(numbers)));
        if (added) {
            const std::wstring text = FormatFontDesc(numbers);
            known->second.assign(text.begin(), text.end()); // digits, '-' and ':' only
        }
        out += known->second;
        out += "\"}\n    }";
    }
    out += palettes.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

// ---- Reading GIMP palettes

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

// ---- Reading Adobe Swatch Exchange

std::uint32_t Big16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

std::uint32_t Big32(std::string_view bytes, std::size_t at) {
    return Big16(bytes, at) << 16 | Big16(bytes, at + 2);
}

ImportResult DamagedSwatches(std::wstring_view reason) {
    return Problem(L"The swatch file is damaged: " + std::wstring(reason) + L".");
}

// A block's name at `at`, which moves past it; the name ends at its first zero unit.
bool ReadAseName(std::string_view block, std::size_t& at, std::u16string& name) {
    if (block.size() - at < 2) {
        return false;
    }
    const std::size_t units = Big16(block, at);
    at += 2;
    if (units * 2 > block.size() - at) {
        return false;
    }
    name.clear();
    for (std::size_t i = 0; i < units && Big16(block, at + 2 * i) != 0; ++i) {
        name += static_cast<char16_t>(Big16(block, at + 2 * i));
    }
    at += units * 2;
    return true;
}

// A value from 0 to 1 as 0..255, rounded.
int UnitToByte(float value) {
    return static_cast<int>(value * 255.0f + 0.5f);
}

struct AseModel {
    std::string_view name;
    std::size_t values;
};

constexpr AseModel kAseModels[] = {{"RGB ", 3}, {"Gray", 1}, {"CMYK", 4}, {"LAB ", 3}};

ImportResult ImportAse(std::string_view bytes, const LogFontImage& font) {
    if (bytes.size() < 12 || !bytes.starts_with("ASEF")) {
        return Problem(L"The file is not an Adobe swatch exchange file.");
    }
    if (Big16(bytes, 4) != 1 || Big16(bytes, 6) != 0) {
        return Problem(L"The swatch file is of a version other than 1.0.");
    }
    const std::uint32_t blocks = Big32(bytes, 8);
    std::vector<PaletteRecord> palettes;
    // Ten blocks a palette in the files we write; at least 18 bytes a palette in any file.
    palettes.reserve(std::min<std::size_t>(blocks / 10, bytes.size() / 18));
    std::optional<std::u16string> group;
    std::vector<Color> colors; // since the last group start or end
    int ungroupedCount = 0;
    bool anyColor = false;
    std::u16string name;
    auto endRun = [&] {
        int groupCount = 0;
        AppendRuns(palettes, colors, group ? *group : kImportedName, group ? groupCount : ungroupedCount,
                   font);
        colors.clear();
    };
    std::size_t at = 12;
    for (std::uint32_t i = 0; i < blocks; ++i) {
        if (bytes.size() - at < 6 || Big32(bytes, at + 2) > bytes.size() - at - 6) {
            return DamagedSwatches(L"a block runs past the end of the file");
        }
        const std::uint32_t type = Big16(bytes, at);
        const std::string_view block = bytes.substr(at + 6, Big32(bytes, at + 2));
        at += 6 + block.size();
        std::size_t in = 0;
        if (type == kAseGroupStart || type == kAseGroupEnd) {
            endRun();
            group.reset();
        }
        if (type == kAseGroupStart) {
            if (!ReadAseName(block, in, name)) {
                return DamagedSwatches(L"a name runs past the end of its block");
            }
            if (!IsValidUtf16(name)) {
                return DamagedSwatches(L"a group name is not valid text");
            }
            group = name;
        }
        if (type != kAseColor) {
            continue; // group ends and blocks of other types hold nothing to read
        }
        if (!ReadAseName(block, in, name)) {
            return DamagedSwatches(L"a name runs past the end of its block");
        }
        const std::string_view modelName = block.substr(in, 4);
        const auto* model = std::find_if(std::begin(kAseModels), std::end(kAseModels),
                                         [&](const AseModel& known) { return known.name == modelName; });
        if (model == std::end(kAseModels)) {
            return DamagedSwatches(L"a color has an unknown color model");
        }
        if (model->name == "LAB ") {
            return Problem(L"The swatch file holds Lab colors, which cannot be imported.");
        }
        in += 4;
        if (block.size() - in < 4 * model->values + 2) {
            return DamagedSwatches(L"a color runs past the end of its block");
        }
        float values[4] = {};
        for (std::size_t v = 0; v < model->values; ++v) {
            values[v] = std::bit_cast<float>(Big32(block, in + 4 * v));
            if (!std::isfinite(values[v])) {
                return DamagedSwatches(L"a color value is not a number");
            }
            values[v] = std::clamp(values[v], 0.0f, 1.0f);
        }
        if (model->values == 3) {
            colors.push_back(MakeColor(UnitToByte(values[0]), UnitToByte(values[1]), UnitToByte(values[2])));
        } else if (model->values == 1) {
            const int gray = UnitToByte(values[0]);
            colors.push_back(MakeColor(gray, gray, gray));
        } else {
            const float white = 1.0f - values[3];
            colors.push_back(MakeColor(UnitToByte((1.0f - values[0]) * white),
                                       UnitToByte((1.0f - values[1]) * white),
                                       UnitToByte((1.0f - values[2]) * white)));
        }
        anyColor = true;
    }
    endRun();
    if (!anyColor) {
        return Problem(L"The file holds no colors.");
    }
    return {std::move(palettes), {}};
}

// ---- Reading JSON

// By table: colors are random hex digits, on which comparisons mispredict.
constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i) {
        values['0' + i] = static_cast<signed char>(i);
    }
    for (int i = 0; i < 6; ++i) {
        values['a' + i] = values['A' + i] = static_cast<signed char>(10 + i);
    }
    return values;
}();

bool HexDigit(char c, int& value) {
    value = kHexValues[static_cast<unsigned char>(c)];
    return value >= 0;
}

// The bytes a string copies as they are: ASCII other than controls, quote and backslash.
constexpr std::array<bool, 256> kPlainStringBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) {
        plain[c] = c != '"' && c != '\\';
    }
    return plain;
}();

// A recursive-descent reader of RFC 8259 text that the palette reader pulls values from. It stops
// at the first fault and keeps the byte where it lies.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text(text) {}

    std::size_t Size() const { return text.size(); }
    bool Failed() const { return failed; }
    std::size_t FaultAt() const { return faultAt; }

    // The next value's first character, or '\0' at the end.
    char Peek() {
        SkipSpace();
        return at < text.size() ? text[at] : '\0';
    }

    // Each reader below returns false, keeping the fault, when the text is damaged there.
    bool String(std::string& value);
    bool Number(std::string_view& number);
    bool Skip();
    // A container: Begin, then More before each member or item until it returns false; an object's
    // members start with Key.
    bool Begin(char open);
    bool More(char close, bool first);
    bool Key(std::string& key);
    bool AtEnd() {
        SkipSpace();
        return at == text.size() || Fail();
    }

private:
    bool Fail() {
        if (!failed) {
            failed = true;
            faultAt = at;
        }
        return false;
    }
    void SkipSpace() {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) {
            ++at;
        }
    }
    bool Next(char c) {
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool Digits() {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        return at > start;
    }
    bool Literal(std::string_view word) {
        if (!text.substr(at).starts_with(word)) {
            return Fail();
        }
        at += word.size();
        return true;
    }
    std::int32_t Hex4();
    bool Escape(std::string& value);

    std::string_view text;
    std::size_t at = 0;
    int depth = 0;
    bool failed = false;
    std::size_t faultAt = 0;
    std::string skipped;
};

bool JsonReader::String(std::string& value) {
    value.clear();
    if (Peek() != '"') {
        return Fail();
    }
    ++at;
    while (true) {
        const std::size_t run = at;
        while (at < text.size() && kPlainStringBytes[static_cast<unsigned char>(text[at])]) {
            ++at;
        }
        value.append(text, run, at - run);
        if (at == text.size()) {
            return Fail();
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"') {
            ++at;
            return true;
        }
        if (c < 0x20) {
            return Fail();
        }
        if (c == '\\') {
            if (!Escape(value)) {
                return false;
            }
            continue;
        }
        const std::size_t start = at;
        if (NextCodePoint(text, at) < 0) {
            at = start;
            return Fail();
        }
        value.append(text, start, at - start);
    }
}

std::int32_t JsonReader::Hex4() {
    if (text.size() - at < 4) {
        return -1;
    }
    std::int32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        int digit = 0;
        if (!HexDigit(text[at + i], digit)) {
            return -1;
        }
        value = value * 16 + digit;
    }
    at += 4;
    return value;
}

bool JsonReader::Escape(std::string& value) {
    ++at;
    if (at == text.size()) {
        return Fail();
    }
    static constexpr std::string_view kEscapes = "\"\\/bfnrt";
    static constexpr std::string_view kMeanings = "\"\\/\b\f\n\r\t";
    const std::size_t escape = kEscapes.find(text[at]);
    if (escape != std::string_view::npos) {
        value += kMeanings[escape];
        ++at;
        return true;
    }
    if (text[at] != 'u') {
        return Fail();
    }
    ++at;
    std::int32_t point = Hex4();
    if (point < 0 || IsLowSurrogate(point)) {
        return Fail();
    }
    if (IsHighSurrogate(point)) {
        const std::int32_t low = Next('\\') && Next('u') ? Hex4() : -1;
        if (low < 0 || !IsLowSurrogate(low)) {
            return Fail();
        }
        point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendCodePoint(value, static_cast<std::uint32_t>(point));
    return true;
}

bool JsonReader::Number(std::string_view& number) {
    SkipSpace();
    const std::size_t start = at;
    Next('-');
    if (!Next('0') && !Digits()) {
        return Fail();
    }
    if (Next('.') && !Digits()) {
        return Fail();
    }
    if (Next('e') || Next('E')) {
        if (!Next('+')) {
            Next('-');
        }
        if (!Digits()) {
            return Fail();
        }
    }
    number = text.substr(start, at - start);
    return true;
}

bool JsonReader::Begin(char open) {
    SkipSpace();
    if (!Next(open) || ++depth > kMaxJsonDepth) {
        return Fail();
    }
    return true;
}

bool JsonReader::More(char close, bool first) {
    SkipSpace();
    if (Next(close)) {
        --depth;
        return false;
    }
    return first || Next(',') || Fail();
}

bool JsonReader::Key(std::string& key) {
    if (!String(key)) {
        return false;
    }
    SkipSpace();
    return Next(':') || Fail();
}

bool JsonReader::Skip() {
    std::string_view number;
    switch (Peek()) {
    case '{':
    case '[': {
        const char close = text[at] == '{' ? '}' : ']';
        if (!Begin(text[at])) {
            return false;
        }
        for (bool first = true; More(close, first); first = false) {
            if ((close == '}' && !Key(skipped)) || !Skip()) {
                return false;
            }
        }
        return !failed;
    }
    case '"':
        return String(skipped);
    case 't':
        return Literal("true");
    case 'f':
        return Literal("false");
    case 'n':
        return Literal("null");
    default:
        return Number(number);
    }
}

// "#rrggbb" or "#rgb".
std::optional<Color> ParseHexColor(std::string_view text) {
    if ((text.size() != 7 && text.size() != 4) || text[0] != '#') {
        return std::nullopt;
    }
    int digits[6] = {};
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!HexDigit(text[i], digits[i - 1])) {
            return std::nullopt;
        }
    }
    if (text.size() == 4) {
        return MakeColor(digits[0] * 17, digits[1] * 17, digits[2] * 17);
    }
    return MakeColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
}

// Palettes from the file object, a bare array of palette objects or one palette object.
class JsonPaletteReader {
public:
    JsonPaletteReader(std::string_view text, const LogFontImage& defaultFont)
        : reader(WithoutBom(text)), defaultFont(defaultFont) {}

    ImportResult Read();

private:
    struct Draft {
        std::u16string name;
        std::array<Color, 8> colors = kDefaultColors;
        int boxes = 0;
        LogFontImage font;
    };

    bool ReadFile();
    bool ReadPalettes();
    bool ReadPalette();
    bool ReadMember(Draft& draft);
    bool ReadBoxes(Draft& draft);
    bool ReadBox(Draft& draft);
    bool ReadColor(Color& color);
    bool ReadFont(LogFontImage& font);
    // "Palette <number> <what>."
    bool Fault(std::wstring_view what) {
        problem = L"Palette " + std::to_wstring(number) + L" " + std::wstring(what) + L".";
        return false;
    }

    JsonReader reader;
    const LogFontImage& defaultFont;
    std::vector<PaletteRecord> palettes;
    std::wstring problem;
    std::string key;
    std::string value;
    std::u16string wide;
    // ParseFontDesc goes through swscanf, and a file holds few distinct fonts: each is parsed once.
    std::unordered_map<std::string, FontNumbers> parsedFonts;
    int number = 0; // the palette being read, from 1
};

ImportResult JsonPaletteReader::Read() {
    // Our files take over 300 bytes a palette; a denser file only grows the vector as usual.
    palettes.reserve(reader.Size() / 300);
    const bool read = ReadFile() && reader.AtEnd();
    if (reader.Failed()) {
        return Problem(L"The JSON text is damaged near byte " + std::to_wstring(reader.FaultAt() + 1) + L".");
    }
    if (!read) {
        return Problem(problem);
    }
    if (palettes.empty()) {
        return Problem(L"The file holds no palettes.");
    }
    return {std::move(palettes), {}};
}

bool JsonPaletteReader::ReadFile() {
    if (reader.Peek() == '[') {
        return ReadPalettes();
    }
    if (reader.Peek() != '{') {
        return reader.Skip();
    }
    Draft single;
    single.font = defaultFont;
    bool listed = false;
    if (!reader.Begin('{')) {
        return false;
    }
    for (bool first = true; reader.More('}', first); first = false) {
        if (!reader.Key(key)) {
            return false;
        }
        if (key == "palettes") {
            listed = true;
            number = 0;
            if (!ReadPalettes()) {
                return false;
            }
        } else if (key == "format") {
            if (reader.Peek() != '"' || !reader.String(value) || value != kJsonFormatName) {
                problem = L"The file is not a Huewright palette file.";
                return false;
            }
        } else if (key == "version") {
            const char lead = reader.Peek();
            const bool isNumber = lead == '-' || (lead >= '0' && lead <= '9');
            std::string_view version;
            if (!isNumber || !reader.Number(version) || version != "1") {
                problem = L"The file is of a Huewright palette version other than 1.";
                return false;
            }
        } else {
            // Members of a file that is one palette object.
            number = 1;
            if (!ReadMember(single)) {
                return false;
            }
        }
    }
    if (reader.Failed()) {
        return false;
    }
    if (!listed && single.boxes > 0) {
        palettes.push_back(RecordFromColors(std::move(single.name), single.colors, single.font));
    }
    return true;
}

bool JsonPaletteReader::ReadPalettes() {
    if (reader.Peek() != '[') {
        problem = L"The palettes are not a list.";
        return false;
    }
    reader.Begin('[');
    for (bool first = true; reader.More(']', first); first = false) {
        if (!ReadPalette()) {
            return false;
        }
    }
    return !reader.Failed();
}

bool JsonPaletteReader::ReadPalette() {
    ++number;
    if (reader.Peek() != '{') {
        return Fault(L"is not an object");
    }
    Draft draft;
    draft.font = defaultFont;
    reader.Begin('{');
    for (bool first = true; reader.More('}', first); first = false) {
        if (!reader.Key(key) || !ReadMember(draft)) {
            return false;
        }
    }
    if (reader.Failed()) {
        return false;
    }
    if (draft.boxes == 0) {
        return Fault(L"has no boxes");
    }
    palettes.push_back(RecordFromColors(std::move(draft.name), draft.colors, draft.font));
    return true;
}

// The member whose key was read last.
bool JsonPaletteReader::ReadMember(Draft& draft) {
    if (key == "name") {
        if (reader.Peek() != '"') {
            return Fault(L"has a name that is not text");
        }
        return reader.String(value) && ToUtf16(value, draft.name);
    }
    if (key == "boxes") {
        return ReadBoxes(draft);
    }
    if (key == "font") {
        return ReadFont(draft.font);
    }
    return reader.Skip();
}

bool JsonPaletteReader::ReadBoxes(Draft& draft) {
    if (reader.Peek() != '[') {
        return Fault(L"has boxes that are not a list");
    }
    reader.Begin('[');
    draft.boxes = 0;
    for (bool first = true; reader.More(']', first); first = false) {
        if (draft.boxes == 4) {
            return Fault(L"has more than four boxes");
        }
        if (!ReadBox(draft)) {
            return false;
        }
        ++draft.boxes;
    }
    return !reader.Failed();
}

bool JsonPaletteReader::ReadBox(Draft& draft) {
    if (reader.Peek() != '{') {
        return Fault(L"has a box that is not an object");
    }
    int found = 0;
    reader.Begin('{');
    for (bool first = true; reader.More('}', first); first = false) {
        if (!reader.Key(key)) {
            return false;
        }
        const bool background = key == "background";
        if (background || key == "text") {
            found |= background ? 1 : 2;
            if (!ReadColor(draft.colors[2 * draft.boxes + (background ? 0 : 1)])) {
                return false;
            }
        } else if (!reader.Skip()) {
            return false;
        }
    }
    return !reader.Failed() && (found == 3 || Fault(L"has a box without a background or a text color"));
}

bool JsonPaletteReader::ReadColor(Color& color) {
    const bool isText = reader.Peek() == '"';
    if (isText && !reader.String(value)) {
        return false;
    }
    const std::optional<Color> parsed = isText ? ParseHexColor(value) : std::nullopt;
    if (!parsed) {
        return Fault(L"has a color that is not written #rrggbb or #rgb");
    }
    color = *parsed;
    return true;
}

// Both the face and the numbers: a font half given is a damaged one, not the default.
bool JsonPaletteReader::ReadFont(LogFontImage& font) {
    if (reader.Peek() != '{') {
        return Fault(L"has a damaged font");
    }
    LogFontImage read{};
    bool hasFace = false;
    bool hasNumbers = false;
    reader.Begin('{');
    for (bool first = true; reader.More('}', first); first = false) {
        if (!reader.Key(key)) {
            return false;
        }
        if (key != "face" && key != "numbers") {
            if (!reader.Skip()) {
                return false;
            }
            continue;
        }
        if (reader.Peek() != '"') {
            return Fault(L"has a damaged font");
        }
        if (!reader.String(value)) {
            return false;
        }
        if (key == "face") {
            ToUtf16(value, wide);
            const bool valid =
                wide.size() <= kMaxFaceLength && std::none_of(wide.begin(), wide.end(), IsControl);
            if (!valid) {
                return Fault(L"has a damaged font");
            }
            std::copy(wide.begin(), wide.end(), read.faceName);
            hasFace = true;
        } else {
            auto known = parsedFonts.find(value);
            if (known == parsedFonts.end()) {
                ToUtf16(value, wide);
                const std::optional<FontNumbers> numbers =
                    ParseFontDesc(std::wstring(wide.begin(), wide.end()));
                if (!numbers) {
                    return Fault(L"has a damaged font");
                }
                known = parsedFonts.emplace(value, *numbers).first;
            }
            read.numbers = known->second;
            hasNumbers = true;
        }
    }
    if (reader.Failed()) {
        return false;
    }
    if (!hasFace || !hasNumbers) {
        return Fault(L"has a damaged font");
    }
    font = read;
    return true;
}

} // namespace

std::optional<ExchangeFormat> ExchangeFormatOf(std::wstring_view fileName) {
    static constexpr std::pair<std::wstring_view, ExchangeFormat> kExtensions[] = {
        {L"css", ExchangeFormat::Css},
        {L"gpl", ExchangeFormat::Gpl},
        {L"ase", ExchangeFormat::Ase},
        {L"json", ExchangeFormat::Json},
    };
    const std::size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring_view::npos) {
        return std::nullopt;
    }
    std::wstring extension(fileName.substr(dot + 1));
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    for (const auto& [name, format] : kExtensions) {
        if (extension == name) {
            return format;
        }
    }
    return std::nullopt;
}

std::string ExportPalettes(std::span<const PaletteRecord> palettes, ExchangeFormat format) {
    switch (format) {
    case ExchangeFormat::Css:
        return ExportCss(palettes);
    case ExchangeFormat::Gpl:
        return ExportGpl(palettes);
    case ExchangeFormat::Ase:
        return ExportAse(palettes);
    case ExchangeFormat::Json:
        return ExportJson(palettes);
    }
    return {};
}

ImportResult ImportPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont) {
    switch (format) {
    case ExchangeFormat::Gpl:
        return ImportGpl(bytes, defaultFont);
    case ExchangeFormat::Ase:
        return ImportAse(bytes, defaultFont);
    case ExchangeFormat::Json:
        return JsonPaletteReader(bytes, defaultFont).Read();
    case ExchangeFormat::Css:
        break;
    }
    return Problem(L"Palettes can be written as CSS but not read from it.");
}
