// The palette file formats by name: which one a file is, and the writer or reader of each.
#include "library/PaletteExchange.h"

#include "library/ExchangeText.h"

#include <algorithm>

using namespace exchange;

namespace {

constexpr std::u16string_view kImportedName = u"Imported palette";

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
    case ExchangeFormat::CssOklch:
    case ExchangeFormat::CssScales:
    case ExchangeFormat::CssOklchScales:
        return ExportCss(palettes,
                         format == ExchangeFormat::CssOklch || format == ExchangeFormat::CssOklchScales,
                         format == ExchangeFormat::CssScales || format == ExchangeFormat::CssOklchScales);
    case ExchangeFormat::Gpl:
        return ExportGpl(palettes);
    case ExchangeFormat::Ase:
        return ExportAse(palettes);
    case ExchangeFormat::Json:
        return ExportJson(palettes);
    }
    return {};
}

bool ExportPalettesInPieces(std::span<const PaletteRecord> palettes, ExchangeFormat format,
                            const ExportPieces& put) {
    return format == ExchangeFormat::Json ? ExportJsonInPieces(palettes, put)
                                          : put(ExportPalettes(palettes, format));
}

namespace {

ImportResult ReadPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont) {
    switch (format) {
    case ExchangeFormat::Gpl:
        return ImportGpl(bytes, defaultFont);
    case ExchangeFormat::Ase:
        return ImportAse(bytes, defaultFont);
    case ExchangeFormat::Json:
        return ImportJson(bytes, defaultFont);
    case ExchangeFormat::Css:
    case ExchangeFormat::CssOklch:
    case ExchangeFormat::CssScales:
    case ExchangeFormat::CssOklchScales:
        break;
    }
    return Problem(L"Palettes can be written as CSS but not read from it.");
}

} // namespace

ImportResult ImportPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont,
                            std::u16string_view fileName) {
    ImportResult result = ReadPalettes(bytes, format, defaultFont);
    NameUnnamed(result.palettes, fileName.substr(0, fileName.rfind(u'.')));
    NameUnnamed(result.palettes, kImportedName);
    return result;
}

// Blank names would give files whose names readers trim away or refuse, and a lone surrogate text
// that UTF-8 and swatch readers refuse. Most names need neither, and are written from the record.
std::u16string_view ExportName(const PaletteRecord& palette, std::u16string& repaired) {
    const std::u16string_view name = RecordNameView(palette);
    if (std::ranges::all_of(name, [](char16_t unit) { return unit == u' ' || IsControl(unit); })) {
        return kUntitledName;
    }
    if (IsValidUtf16(name)) {
        return name;
    }
    repaired.assign(name);
    for (std::size_t i = 0; i < repaired.size(); ++i) {
        if (IsHighSurrogate(repaired[i]) && i + 1 < repaired.size() && IsLowSurrogate(repaired[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(repaired[i]) || IsLowSurrogate(repaired[i])) {
            repaired[i] = u'\uFFFD';
        }
    }
    return repaired;
}
