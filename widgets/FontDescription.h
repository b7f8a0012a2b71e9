// The box text font as the profile keeps it: thirteen numbers in one text and the face name beside
// them, with the rules for values that are missing or malformed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The numeric fields of a LOGFONTW, in its order.
struct FontNumbers {
    std::int32_t height, width, escapement, orientation, weight;
    std::uint8_t italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily;

    bool operator==(const FontNumbers&) const = default;
};

constexpr const wchar_t* kDefaultFontFace = L"Georgia";

// "%d:%d:...:%d", the eight byte fields as 0..255.
std::wstring FormatFontDesc(const FontNumbers& numbers);
// Nothing unless all thirteen numbers are there; the byte fields keep their low 8 bits.
std::optional<FontNumbers> ParseFontDesc(const std::wstring& text);
// The size in points of a font `height` pixels tall, either sign, at `pixelsPerInch`; 0 without a
// resolution.
int PointSizeOf(std::int32_t height, int pixelsPerInch);
// A stored face name of 1..31 characters, else the default face.
std::wstring FaceNameFromStored(const std::wstring& stored);
