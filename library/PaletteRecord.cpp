#include "library/PaletteRecord.h"

#include <algorithm>

std::u16string RecordName(const PaletteRecord& record) {
    return std::u16string(RecordNameView(record));
}

std::u16string_view RecordNameView(const PaletteRecord& record) {
    const char16_t* end = std::find(std::begin(record.name), std::end(record.name), u'\0');
    return {std::begin(record.name), static_cast<std::size_t>(end - std::begin(record.name))};
}

PaletteColors RecordColors(const PaletteRecord& record) {
    PaletteColors colors;
    for (size_t box = 0; box < 4; ++box) {
        colors.box[box] = record.colors[2 * box];
        colors.text[box] = record.colors[2 * box + 1];
    }
    return colors;
}

// A pair cut in half would leave text that no UTF-8 or swatch file can carry.
std::u16string_view CutName(std::u16string_view name, std::size_t limit) {
    if (name.size() <= limit) {
        return name;
    }
    const bool splitsPair = limit > 0 && IsHighSurrogate(name[limit - 1]);
    return name.substr(0, splitsPair ? limit - 1 : limit);
}

void SetRecordName(PaletteRecord& record, std::u16string_view name) {
    name = CutName(name);
    std::fill(std::copy(name.begin(), name.end(), record.name), std::end(record.name), u'\0');
}

PaletteRecord MakeRecord(std::u16string_view name, const PaletteColors& colors, const LogFontImage& font) {
    PaletteRecord record{};
    record.magic = PaletteRecordMagic;
    SetRecordName(record, name);
    for (size_t box = 0; box < 4; ++box) {
        record.colors[2 * box] = colors.box[box];
        record.colors[2 * box + 1] = colors.text[box];
    }
    record.font = font;
    return record;
}

LogFontImage BuiltInBoxFont() {
    LogFontImage font{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 0x22}, {}};
    std::copy_n(u"Georgia", 7, font.faceName);
    return font;
}
