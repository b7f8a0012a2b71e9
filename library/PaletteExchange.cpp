// The palette file formats by name: which one a file is, and the writer or reader of each.
#include "library/PaletteExchange.h"

#include "library/ExchangeText.h"

using namespace exchange;

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
        return ExportCss(palettes, format == ExchangeFormat::CssOklch);
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

ImportResult ImportPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont) {
    switch (format) {
    case ExchangeFormat::Gpl:
        return ImportGpl(bytes, defaultFont);
    case ExchangeFormat::Ase:
        return ImportAse(bytes, defaultFont);
    case ExchangeFormat::Json:
        return ImportJson(bytes, defaultFont);
    case ExchangeFormat::Css:
    case ExchangeFormat::CssOklch:
        break;
    }
    return Problem(L"Palettes can be written as CSS but not read from it.");
}
