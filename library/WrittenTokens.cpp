// Design tokens as our export writes them, matched against its fixed layout, which takes a fraction
// of building the tree the general reader needs; any other file goes to that reader whole, so that
// the palettes and every fault are the general reader's.
#include "library/JsonReader.h"
#include "library/TokenLayout.h"

#include <unordered_map>

namespace exchange {

namespace {

class WrittenTokensReader {
public:
    WrittenTokensReader(std::string_view text, const LogFontImage& defaultFont)
        : text(WithoutBom(text)), reader(this->text), defaultFont(defaultFont) {}

    std::optional<std::vector<PaletteRecord>> Read();

private:
    bool ReadPalette();
    bool ReadColor(Color& color);
    bool ReadFont(LogFontImage& font);
    bool Text(std::string_view& value) { return reader.Peek() == '"' && reader.String(value); }

    std::string_view text;
    JsonReader reader;
    const LogFontImage& defaultFont;
    std::vector<PaletteRecord> palettes;
    std::string key;
    std::string family;
    std::u16string name;
    // ParseFontDesc goes through swscanf, and a file holds few distinct fonts: each is parsed once.
    std::unordered_map<std::string, std::optional<FontNumbers>, TextHash, std::equal_to<>> parsedFonts;
};

std::optional<std::vector<PaletteRecord>> WrittenTokensReader::Read() {
    palettes.reserve(reader.Size() / 1400);
    if (!reader.Literally("{")) {
        return std::nullopt;
    }
    for (bool first = true; reader.Literally(first ? "\n  " : ",\n  "); first = false) {
        if (!ReadPalette()) {
            return std::nullopt;
        }
    }
    // The general reader says that a file without palettes holds no color tokens.
    if (palettes.empty() || !reader.Literally("\n}") || !reader.AtEnd()) {
        return std::nullopt;
    }
    return std::move(palettes);
}

// A group named by its slug, as any group with the eight tokens is one palette; the general reader
// passes over names that begin with "$".
bool WrittenTokensReader::ReadPalette() {
    std::string_view value;
    if (!Text(value) || value.starts_with('$')) {
        return false;
    }
    key = value;
    if (!reader.Literally(kGroupOpen) || !Text(value) || !ToUtf16(value.empty() ? key : value, name)) {
        return false;
    }
    Color colors[8];
    for (std::size_t c = 0; c < 8; ++c) {
        if (!reader.Literally(kColorTokenStart) || !reader.Literally(kTokenNames[c]) ||
            !reader.Literally(kColorValueStart) || !ReadColor(colors[c])) {
            return false;
        }
    }
    LogFontImage font;
    if (!ReadFont(font)) {
        return false;
    }
    palettes.push_back(RecordFromColors(name, colors, font));
    return true;
}

// The components as the export writes each byte, which the general reader reads back to that byte,
// and the hex that agrees with them; the general reader goes by the components alone, so any other
// pair is left to it.
bool WrittenTokensReader::ReadColor(Color& color) {
    std::string_view components[3];
    for (std::size_t c = 0; c < 3; ++c) {
        if (c > 0 && !reader.Literally(kComponentSeparator)) {
            return false;
        }
        const std::size_t start = reader.Position();
        std::size_t end = start;
        while (end < text.size() && end - start < 8 &&
               ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) {
            ++end;
        }
        components[c] = text.substr(start, end - start);
        reader.Rewind(end);
    }
    const std::size_t hex = reader.Position() + kHexStart.size();
    if (!reader.Literally(kHexStart) || text.size() - hex < 7 || text[hex] != '#') {
        return false;
    }
    int bytes[3] = {};
    for (std::size_t c = 0; c < 3; ++c) {
        int high = 0;
        int low = 0;
        if (!HexDigit(text[hex + 1 + 2 * c], high) || !HexDigit(text[hex + 2 + 2 * c], low)) {
            return false;
        }
        bytes[c] = high * 16 + low;
        if (components[c] != ComponentText(static_cast<std::uint8_t>(bytes[c]))) {
            return false;
        }
    }
    reader.Rewind(hex + 7);
    color = MakeColor(bytes[0], bytes[1], bytes[2]);
    return reader.Literally(kColorTokenEnd);
}

// The typography token and our extension, read as the general reader reads them.
bool WrittenTokensReader::ReadFont(LogFontImage& font) {
    TypographyValues values;
    std::string_view value;
    if (!reader.Literally(kFontStart) || !Text(value)) {
        return false;
    }
    family = value;
    values.family = family;
    std::string_view size;
    std::string_view weight;
    if (!reader.Literally(kFontSizeStart) || !reader.Number(size) || !reader.Literally(kFontWeightStart) ||
        !reader.Number(weight) || !reader.Literally(kExtensionStart) || !reader.Literally(kTokensExtension) ||
        !reader.Literally(kItalicStart)) {
        return false;
    }
    values.size = size;
    values.sizeUnit = "px";
    values.weight = weight;
    if (reader.Literally("true")) {
        values.italic = true;
    } else if (reader.Literally("false")) {
        values.italic = false;
    } else {
        return false;
    }
    if (!reader.Literally(kFontNumbersStart) || !Text(value) || !reader.Literally(kGroupEnd)) {
        return false;
    }
    auto parsed = parsedFonts.find(value);
    if (parsed == parsedFonts.end()) {
        parsed = parsedFonts.emplace(value, ParseFontDesc(std::wstring(value.begin(), value.end()))).first;
    }
    values.numbers = parsed->second;
    font = FontFromTypography(values, defaultFont);
    return true;
}

} // namespace

std::optional<std::vector<PaletteRecord>> ImportWrittenTokens(std::string_view bytes,
                                                              const LogFontImage& font) {
    return WrittenTokensReader(bytes, font).Read();
}

ImportResult ImportTokens(std::string_view bytes, const LogFontImage& font) {
    if (auto palettes = ImportWrittenTokens(bytes, font)) {
        return {std::move(*palettes), {}};
    }
    return ImportTokensOfAnyLayout(bytes, font);
}

} // namespace exchange
