#include "library/ExchangeText.h"

#include <algorithm>
#include <initializer_list>

namespace exchange {

namespace {

std::u16string_view TrimSpaces(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// At most `limit` units without outer spaces, never keeping the first half of a surrogate pair alone.
std::u16string_view TrimmedCut(std::u16string_view name, std::size_t limit) {
    return TrimSpaces(CutName(TrimSpaces(name), limit));
}

} // namespace

ImportResult Problem(std::wstring problem) {
    return {{}, std::move(problem)};
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

// Windows-1252 is Latin-1 but for 0x80..0x9F; the five bytes it leaves undefined map to the same code
// points, as Windows maps them.
std::u16string TextOf(std::string_view bytes) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string text;
    if (ToUtf16(bytes, text)) {
        return text;
    }
    text.clear();
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return text;
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

// An imported name is one line of at most 63 characters without outer spaces, so that every format
// carries it unchanged and a file written from imported palettes reads back the same.
std::u16string CleanName(std::u16string_view name) {
    std::u16string line(name);
    for (char16_t& unit : line) {
        if (IsControl(unit)) {
            unit = u' ';
        }
    }
    return std::u16string(TrimmedCut(line, kMaxNameLength));
}

// The name cut to leave room for the number.
std::u16string Numbered(std::u16string_view base, int number) {
    const std::string suffix = ' ' + std::to_string(number);
    std::u16string name(TrimmedCut(base, kMaxNameLength - suffix.size()));
    name.append(suffix.begin(), suffix.end());
    return name;
}

PaletteRecord RecordFromColors(std::u16string_view name, std::span<const Color> colors,
                               const LogFontImage& font) {
    PaletteRecord record = MakeRecord(CleanName(name), kDefaultPalette, font);
    std::copy_n(colors.begin(), std::min<std::size_t>(colors.size(), 8), record.colors);
    return record;
}

void AppendRuns(std::vector<PaletteRecord>& palettes, std::span<const Color> colors, std::u16string_view name,
                const LogFontImage& font) {
    const std::u16string clean = CleanName(name);
    const bool several = colors.size() > 8;
    for (std::size_t start = 0; start < colors.size(); start += 8) {
        const int number = static_cast<int>(start / 8 + 1);
        palettes.push_back(RecordFromColors(several && !clean.empty() ? Numbered(clean, number) : clean,
                                            colors.subspan(start), font));
    }
}

// One unnamed palette takes the name as it is; several are told apart by number, as a file that
// holds a gradient of many palettes under one name would want.
void NameUnnamed(std::span<PaletteRecord> palettes, std::u16string_view name) {
    const std::u16string clean = CleanName(name);
    const auto unnamed =
        std::ranges::count_if(palettes, [](const PaletteRecord& p) { return p.name[0] == 0; });
    if (clean.empty() || unnamed == 0) {
        return;
    }
    int number = 0;
    for (PaletteRecord& palette : palettes) {
        if (palette.name[0] == 0) {
            SetRecordName(palette, unnamed == 1 ? clean : Numbered(clean, ++number));
        }
    }
}

// At most 31 characters, as a LOGFONTW holds, even from a record whose face has no terminator.
std::u16string_view FaceOf(const LogFontImage& font) {
    const char16_t* end =
        std::find(std::begin(font.faceName), std::begin(font.faceName) + kMaxFaceLength, u'\0');
    return {std::begin(font.faceName), end};
}

char* PutHexColor(char* at, Color color) {
    static constexpr char kDigits[] = "0123456789abcdef";
    *at++ = '#';
    for (int component : {RedOf(color), GreenOf(color), BlueOf(color)}) {
        *at++ = kDigits[component >> 4];
        *at++ = kDigits[component & 15];
    }
    return at;
}

void AppendHexColor(std::string& out, Color color) {
    char text[7];
    out.append(text, static_cast<std::size_t>(PutHexColor(text, color) - text));
}

const std::string& FontTexts::Of(const FontNumbers& numbers) {
    for (const auto& [known, text] : texts) {
        if (known == numbers) {
            return text;
        }
    }
    const std::wstring wide = FormatFontDesc(numbers);
    std::string text(wide.begin(), wide.end()); // digits, '-' and ':' only
    if (texts.size() == kKept) {
        texts.pop_back();
    }
    texts.emplace(texts.begin(), numbers, std::move(text));
    return texts.front().second;
}

} // namespace exchange
