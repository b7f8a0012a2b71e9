#include "app/StatusTexts.h"

#include <cwchar>

namespace {

// Four colors as "#RRGGBB" each, after a label; red is the low byte of a Color.
std::wstring FourColorsText(const wchar_t* label, const std::array<Color, 4>& colors) {
    std::wstring text = label;
    for (Color color : colors) {
        wchar_t hex[9];
        std::swprintf(hex, 9, L" #%2.2X%2.2X%2.2X", static_cast<unsigned>(RedOf(color)),
                      static_cast<unsigned>(GreenOf(color)), static_cast<unsigned>(BlueOf(color)));
        text += hex;
    }
    return text;
}

} // namespace

std::wstring ColorStatusText(const std::array<Color, 4>& wells, bool showAllColorValues) {
    if (showAllColorValues) {
        return FourColorsText(L"Shade colors:", wells);
    }
    auto red = static_cast<unsigned>(RedOf(wells[0]));
    auto green = static_cast<unsigned>(GreenOf(wells[0]));
    auto blue = static_cast<unsigned>(BlueOf(wells[0]));
    wchar_t text[64];
    std::swprintf(text, 64, L"Current selected color: #%2.2X%2.2X%2.2X  RGB:%u,%u,%u", red, green, blue, red,
                  green, blue);
    return text;
}

std::wstring BoxColorsText(const std::array<Color, 4>& boxes) {
    return FourColorsText(L"Box colors:", boxes);
}
