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

std::wstring Counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
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

std::wstring ExportStatusText(std::size_t count, std::wstring_view fileName) {
    return L"Exported " + Counted(count, L"palette", L"palettes") + L" to " + std::wstring(fileName);
}

std::wstring ImportStatusText(int imported, int renamed, std::wstring_view fileName) {
    std::wstring text = L"Imported " + Counted(static_cast<std::size_t>(imported), L"palette", L"palettes") +
                        L" from " + std::wstring(fileName);
    if (renamed > 0) {
        text += L", " + std::to_wstring(renamed) + L" renamed";
    }
    return text;
}
