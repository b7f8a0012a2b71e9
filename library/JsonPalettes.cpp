// Palettes as JSON of our own schema: {"format": "huewright-palettes", "version": 1, "palettes": [...]},
// each with its name, four boxes and its font; read back from that object, a bare array of palettes
// or one palette.
#include "library/ExchangeText.h"

#include "library/JsonReader.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace exchange {

void AppendJsonString(std::string& out, std::u16string_view text) {
    out += '"';
    // Most names are plain ASCII, which goes across as it is.
    const auto plain = std::find_if(text.begin(), text.end(), [](char16_t unit) {
        return unit < 0x20 || unit >= 0x7F || unit == u'"' || unit == u'\\';
    });
    out.append(text.begin(), plain);
    text.remove_prefix(static_cast<std::size_t>(plain - text.begin()));
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

namespace {

// The layout of a palette in the files we write, between its values: the export writes it and the
// import matches it before reading any other layout the general way.
constexpr std::string_view kNameStart = "{\n      \"name\": ";
constexpr std::string_view kBoxesStart = ",\n      \"boxes\": [";
constexpr std::string_view kBackgroundStart = "\n        {\"background\": ";
constexpr std::string_view kTextStart = ", \"text\": ";
constexpr std::string_view kBoxEnd = "}";
constexpr std::string_view kFaceStart = "\n      ],\n      \"font\": {\"face\": ";
constexpr std::string_view kNumbersStart = ", \"numbers\": ";
constexpr std::string_view kPaletteEnd = "}\n    }";

constexpr std::string_view kJsonFormatName = "huewright-palettes";

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
    bool ReadWrittenPalette(Draft& draft);
    bool ReadMember(Draft& draft);
    bool ReadBoxes(Draft& draft);
    bool ReadBox(Draft& draft);
    bool ReadColor(Color& color);
    bool ReadFont(LogFontImage& font);
    bool TakeFace(std::string_view face, LogFontImage& font);
    bool TakeNumbers(std::string_view numbers, LogFontImage& font);
    // "Palette <number> <what>."
    bool Fault(std::wstring_view what) {
        problem = L"Palette " + std::to_wstring(number) + L" " + std::wstring(what) + L".";
        return false;
    }

    JsonReader reader;
    const LogFontImage& defaultFont;
    std::vector<PaletteRecord> palettes;
    std::wstring problem;
    std::string_view key;
    std::string_view value;
    std::u16string wide;
    // ParseFontDesc goes through swscanf, and a file holds few distinct fonts: each is parsed once.
    std::unordered_map<std::string, FontNumbers, TextHash, std::equal_to<>> parsedFonts;
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
        palettes.push_back(RecordFromColors(single.name, single.colors, single.font));
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
    const std::size_t start = reader.Position();
    if (ReadWrittenPalette(draft)) {
        palettes.push_back(RecordFromColors(draft.name, draft.colors, draft.font));
        return true;
    }
    reader.Rewind(start);
    draft = Draft{};
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
    palettes.push_back(RecordFromColors(draft.name, draft.colors, draft.font));
    return true;
}

// A palette as ExportJson writes it, matched against that fixed layout, which is most of the work of
// a general reader; a palette written any other way is read again from its start by ReadPalette.
bool JsonPaletteReader::ReadWrittenPalette(Draft& draft) {
    // A value that is no string leaves the reader unfailed, so that the general reader names it.
    auto text = [this] { return reader.Peek() == '"' && reader.String(value); };
    auto color = [this, &text](Color& color) {
        const std::optional<Color> parsed = text() ? ParseHexColor(value) : std::nullopt;
        color = parsed.value_or(0);
        return parsed.has_value();
    };
    if (!reader.Literally(kNameStart) || !text() || !ToUtf16(value, draft.name) ||
        !reader.Literally(kBoxesStart)) {
        return false;
    }
    for (int box = 0; box < 4; ++box) {
        if ((box > 0 && !reader.Literally(",")) || !reader.Literally(kBackgroundStart) ||
            !color(draft.colors[2 * box]) || !reader.Literally(kTextStart) ||
            !color(draft.colors[2 * box + 1]) || !reader.Literally(kBoxEnd)) {
            return false;
        }
    }
    draft.boxes = 4;
    return reader.Literally(kFaceStart) && text() && TakeFace(value, draft.font) &&
           reader.Literally(kNumbersStart) && text() && TakeNumbers(value, draft.font) &&
           reader.Literally(kPaletteEnd);
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
        const bool isFace = key == "face";
        if (!isFace && key != "numbers") {
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
        if (isFace ? !TakeFace(value, read) : !TakeNumbers(value, read)) {
            return Fault(L"has a damaged font");
        }
        (isFace ? hasFace : hasNumbers) = true;
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

// A face of at most 31 characters without controls.
bool JsonPaletteReader::TakeFace(std::string_view face, LogFontImage& font) {
    if (!ToUtf16(face, wide) || wide.size() > kMaxFaceLength ||
        std::any_of(wide.begin(), wide.end(), IsControl)) {
        return false;
    }
    std::fill(std::begin(font.faceName), std::end(font.faceName), u'\0');
    std::copy(wide.begin(), wide.end(), font.faceName);
    return true;
}

bool JsonPaletteReader::TakeNumbers(std::string_view numbers, LogFontImage& font) {
    auto known = parsedFonts.find(numbers);
    if (known == parsedFonts.end()) {
        ToUtf16(numbers, wide);
        const std::optional<FontNumbers> parsed = ParseFontDesc(std::wstring(wide.begin(), wide.end()));
        if (!parsed) {
            return false;
        }
        known = parsedFonts.emplace(std::string(numbers), *parsed).first;
    }
    font.numbers = known->second;
    return true;
}

// One box as the file holds it, put together in place: appending its nine pieces one by one costs
// more than their bytes.
void AppendBox(std::string& out, bool first, Color background, Color text) {
    char line[64];
    char* at = line;
    auto put = [&at](std::string_view piece) { at = std::copy(piece.begin(), piece.end(), at); };
    auto putColor = [&at](Color color) {
        *at++ = '"';
        at = PutHexColor(at, color);
        *at++ = '"';
    };
    if (!first) {
        *at++ = ',';
    }
    put(kBackgroundStart);
    putColor(background);
    put(kTextStart);
    putColor(text);
    put(kBoxEnd);
    out.append(line, static_cast<std::size_t>(at - line));
}

// The whole document into `out`, which `flush` may take and empty whenever it holds a piece's worth;
// false as soon as `flush` refuses.
template <typename Flush>
bool WriteJson(std::span<const PaletteRecord> palettes, std::string& out, Flush flush) {
    out += "{\n  \"format\": \"huewright-palettes\",\n  \"version\": 1,\n  \"palettes\": [";
    FontTexts fontTexts;
    std::u16string repaired;
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const PaletteRecord& palette = palettes[i];
        if (out.size() >= kPieceSize && !flush(out)) {
            return false;
        }
        out += i == 0 ? "\n    " : ",\n    ";
        out += kNameStart;
        AppendJsonString(out, ExportName(palette, repaired));
        out += kBoxesStart;
        for (std::size_t box = 0; box < 4; ++box) {
            AppendBox(out, box == 0, palette.colors[2 * box], palette.colors[2 * box + 1]);
        }
        out += kFaceStart;
        AppendJsonString(out, FaceOf(palette.font));
        out += kNumbersStart;
        out += '"';
        out += fontTexts.Of(palette.font.numbers);
        out += '"';
        out += kPaletteEnd;
    }
    out += palettes.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return flush(out);
}

} // namespace

std::string ExportJson(std::span<const PaletteRecord> palettes) {
    return WholeExport(palettes, 512, [](auto&&... args) { return WriteJson(args...); });
}

bool ExportJsonInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put) {
    return ExportInPieces(palettes, put, [](auto&&... args) { return WriteJson(args...); });
}

ImportResult ImportJson(std::string_view bytes, const LogFontImage& font) {
    return JsonPaletteReader(bytes, font).Read();
}

} // namespace exchange
