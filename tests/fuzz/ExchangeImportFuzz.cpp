// Imports arbitrary bytes as a palette file, then writes the palettes in each format and reads them
// back. Input: one byte choosing the format (0 GIMP, 1 Adobe swatch exchange, 2 JSON, 3 design
// tokens; others modulo 4), then the file's bytes.
#include "library/PaletteExchange.h"
#include "tests/fuzz/Require.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
constexpr ExchangeFormat kFormats[] = {ExchangeFormat::Gpl, ExchangeFormat::Ase, ExchangeFormat::Json,
                                       ExchangeFormat::Tokens};

void RequireWellFormed(const ImportResult& result) {
    Require(result.problem.empty() == !result.palettes.empty());
    for (const PaletteRecord& record : result.palettes) {
        Require(record.magic == PaletteRecordMagic);
        Require(std::find(std::begin(record.name), std::end(record.name), u'\0') != std::end(record.name));
    }
}

// JSON and design tokens keep whole records; the other formats keep names and colors.
bool SameAfterRoundTrip(const PaletteRecord& read, const PaletteRecord& written, ExchangeFormat format) {
    if (format == ExchangeFormat::Json || format == ExchangeFormat::Tokens) {
        return std::memcmp(&read, &written, sizeof(read)) == 0;
    }
    return RecordName(read) == RecordName(written) &&
           std::memcmp(read.colors, written.colors, sizeof(read.colors)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ImportResult result = ImportPalettes(bytes, kFormats[data[0] % 4], kDefaultFont, u"Fuzzed.gpl");
    RequireWellFormed(result);
    if (result.palettes.empty()) {
        return 0;
    }
    Require(!ExportPalettes(result.palettes, ExchangeFormat::Css).empty());
    for (ExchangeFormat format : kFormats) {
        const ImportResult again =
            ImportPalettes(ExportPalettes(result.palettes, format), format, kDefaultFont, u"Again.json");
        RequireWellFormed(again);
        Require(again.palettes.size() == result.palettes.size());
        for (std::size_t i = 0; i < again.palettes.size(); ++i) {
            Require(SameAfterRoundTrip(again.palettes[i], result.palettes[i], format));
        }
    }
    return 0;
}
