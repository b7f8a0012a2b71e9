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
        {L"css", ExchangeFormat::Css},   {L"gpl", ExchangeFormat::Gpl},       {L"ase", ExchangeFormat::Ase},
        {L"json", ExchangeFormat::Json}, {L"tokens", ExchangeFormat::Tokens},
    };
    std::wstring name(fileName);
    for (wchar_t& c : name) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    // Design tokens keep the older ".tokens" before ".json".
    if (name.ends_with(L".tokens.json")) {
        return ExchangeFormat::Tokens;
    }
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) {
        return std::nullopt;
    }
    const std::wstring_view extension = std::wstring_view(name).substr(dot + 1);
    for (const auto& [known, format] : kExtensions) {
        if (extension == known) {
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
    case ExchangeFormat::Tokens:
        return ExportTokens(palettes);
    case ExchangeFormat::Tailwind:
    case ExchangeFormat::TailwindScales:
        return ExportTailwind(palettes, format == ExchangeFormat::TailwindScales);
    }
    return {};
}

bool ExportPalettesInPieces(std::span<const PaletteRecord> palettes, ExchangeFormat format,
                            const ExportPieces& put) {
    switch (format) {
    case ExchangeFormat::Json:
        return ExportJsonInPieces(palettes, put);
    case ExchangeFormat::Tokens:
        return ExportTokensInPieces(palettes, put);
    default: {
        std::string whole = ExportPalettes(palettes, format);
        return put(whole);
    }
    }
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
    case ExchangeFormat::Tokens:
        return ImportTokens(bytes, defaultFont);
    case ExchangeFormat::Css:
    case ExchangeFormat::CssOklch:
    case ExchangeFormat::Tailwind:
    case ExchangeFormat::CssScales:
    case ExchangeFormat::CssOklchScales:
    case ExchangeFormat::TailwindScales:
        break;
    }
    return Problem(L"Palettes can be written as CSS but not read from it.");
}

} // namespace

ImportResult ImportPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont,
                            std::u16string_view fileName) {
    ImportResult result = ReadPalettes(bytes, format, defaultFont);
    // Design tokens are often saved as plain .json; such a file is no palette file of ours.
    if (format == ExchangeFormat::Json && !result.problem.empty() && bytes.find("\"$value\"") != bytes.npos) {
        ImportResult tokens = ImportTokens(bytes, defaultFont);
        if (tokens.problem.empty()) {
            result = std::move(tokens);
            format = ExchangeFormat::Tokens;
        }
    }
    std::u16string_view base = fileName.substr(0, fileName.rfind(u'.'));
    // "brand.tokens.json" is named "brand".
    if (format == ExchangeFormat::Tokens && base.size() > 7 && base.ends_with(u".tokens")) {
        base.remove_suffix(7);
    }
    NameUnnamed(result.palettes, base);
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
