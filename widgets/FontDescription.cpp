#include "widgets/FontDescription.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <limits>

std::wstring FormatFontDesc(const FontNumbers& n) {
    wchar_t text[160];
    std::swprintf(text, 160, L"%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d", n.height, n.width, n.escapement,
                  n.orientation, n.weight, n.italic, n.underline, n.strikeOut, n.charSet, n.outPrecision,
                  n.clipPrecision, n.quality, n.pitchAndFamily);
    return text;
}

std::optional<FontNumbers> ParseFontDesc(const std::wstring& text) {
    int v[13] = {};
    int read = std::swscanf(text.c_str(), L"%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d:%d", &v[0], &v[1], &v[2],
                            &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12]);
    if (read < 13) {
        return std::nullopt;
    }
    auto byte = [](int value) { return static_cast<std::uint8_t>(value & 0xFF); };
    return FontNumbers{v[0],       v[1],       v[2],       v[3],        v[4],        byte(v[5]), byte(v[6]),
                       byte(v[7]), byte(v[8]), byte(v[9]), byte(v[10]), byte(v[11]), byte(v[12])};
}

// In 64 bits: a height from damaged settings can be INT_MIN, or large enough that times 72 it no
// longer fits; the result is held to what an int can say.
int PointSizeOf(std::int32_t height, int pixelsPerInch) {
    if (pixelsPerInch <= 0) {
        return 0;
    }
    const std::int64_t points = std::abs(std::int64_t{height}) * 72 / pixelsPerInch;
    return static_cast<int>(std::min<std::int64_t>(points, std::numeric_limits<int>::max()));
}

std::wstring FaceNameFromStored(const std::wstring& stored) {
    if (stored.empty() || stored.size() > 31) {
        return kDefaultFontFace;
    }
    return stored;
}
