// One stored palette as it lies in the library file: 260 bytes, little-endian, no padding. The
// font is the byte image of a Windows LOGFONTW, so a record reads and writes as one block.
#pragma once

#include "library/PaletteColors.h"
#include "widgets/FontDescription.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

inline constexpr std::uint32_t PaletteRecordMagic = 0xEBAD0132;
inline constexpr std::uint32_t CompactRecordMagic = 0xEFAB0123;
inline constexpr std::size_t kRecordSize = 260;
inline constexpr std::size_t kCompactRecordSize = 40;
inline constexpr std::size_t kNamedRecordSize = 168;
inline constexpr std::size_t kMaxNameLength = 63;

// The 92 bytes of a LOGFONTW: its thirteen numbers, then the face name.
struct LogFontImage {
    FontNumbers numbers;
    char16_t faceName[32];

    bool operator==(const LogFontImage&) const = default;
};

struct PaletteRecord {
    std::uint32_t magic;
    std::uint32_t reserved;
    char16_t name[64];
    // Box 1, text 1, box 2, text 2, ... box 4, text 4.
    Color colors[8];
    LogFontImage font;
};

static_assert(std::endian::native == std::endian::little, "records are stored as they lie in memory");
static_assert(sizeof(LogFontImage) == 92 && offsetof(LogFontImage, faceName) == 28);
static_assert(sizeof(PaletteRecord) == kRecordSize && std::is_trivially_copyable_v<PaletteRecord>);
static_assert(offsetof(PaletteRecord, name) == 8 && offsetof(PaletteRecord, colors) == 136 &&
              offsetof(PaletteRecord, font) == 168);

inline bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

inline bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The name up to its terminator, or all 64 code units when there is none.
std::u16string RecordName(const PaletteRecord& record);
std::u16string_view RecordNameView(const PaletteRecord& record);
PaletteColors RecordColors(const PaletteRecord& record);
// The box font a new workspace starts with: Georgia, 36 points at 96 pixels per inch, bold italic.
LogFontImage BuiltInBoxFont();
// At most `limit` UTF-16 units, one fewer where the last would be the first half of a surrogate pair.
std::u16string_view CutName(std::u16string_view name, std::size_t limit = kMaxNameLength);
// The name cut to 63 units as CutName cuts it, the rest of the name field zero.
void SetRecordName(PaletteRecord& record, std::u16string_view name);
// A current-format record; the name is cut as SetRecordName cuts it.
PaletteRecord MakeRecord(std::u16string_view name, const PaletteColors& colors, const LogFontImage& font);
