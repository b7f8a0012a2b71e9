#include "cli/CliPalettes.h"

#include "cli/CliFiles.h"
#include "library/ExchangeText.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

bool PaletteFile::ReadLibrary(const std::string& path, std::string& problem) {
    OpenedLibrary opened;
    std::string reason;
    if (!OpenLibraryToRead(path, opened, reason)) {
        problem = Quoted(path) + " could not be read: " + reason + ".";
        return false;
    }
    if (library.OpenPaletteLibrary(std::move(opened.file), nullptr, *opened.backup, 0, BuiltInBoxFont(),
                                   BuiltInBoxFont()) != 0) {
        problem = Quoted(path) + " could not be read as a palette library.";
        return false;
    }
    isLibrary = true;
    return true;
}

bool IsLibraryFileName(const std::string& path) {
    return LowerExtension(path) == ".dat";
}

bool PaletteFile::Read(const std::string& path, std::string& problem) {
    if (IsLibraryFileName(path)) {
        return ReadLibrary(path, problem);
    }
    const std::string name = FileNameOf(path);
    const auto format = ExchangeFormatOf(std::wstring(name.begin(), name.end()));
    if (!format) {
        problem = Quoted(path) +
                  " is neither a palette library (.dat) nor a palette file (.gpl, .ase, .json, "
                  ".tokens.json, .tokens).";
        return false;
    }
    std::string bytes, reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        problem = Quoted(path) + " could not be read: " + reason + ".";
        return false;
    }
    ImportResult result =
        ImportPalettes(bytes, *format, BuiltInBoxFont(), exchange::TextOf(FileNameOf(path)));
    if (!result.problem.empty()) {
        problem = "Nothing was read from " + Quoted(path) + ". " + Utf8(result.problem);
        return false;
    }
    imported = std::move(result.palettes);
    return true;
}

std::string NameText(const PaletteRecord& record) {
    std::string out;
    exchange::AppendLineText(out, RecordName(record));
    return out;
}

std::string ColorsText(const PaletteRecord& record) {
    const PaletteColors colors = RecordColors(record);
    std::string out;
    for (std::size_t box = 0; box < 4; ++box) {
        for (Color color : {colors.box[box], colors.text[box]}) {
            out += out.empty() ? "" : " ";
            exchange::AppendHexColor(out, color);
        }
    }
    return out;
}

std::string FontText(const LogFontImage& font) {
    std::string out;
    exchange::AppendLineText(out, exchange::FaceOf(font));
    return out + ", " + std::to_string(PointSizeOf(font.numbers.height, 96)) + " pt";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Utf8(const std::wstring& text) {
    std::string out;
    exchange::ForEachCodePoint(std::u16string(text.begin(), text.end()),
                               [&](std::uint32_t point) { exchange::AppendCodePoint(out, point); });
    return out;
}
