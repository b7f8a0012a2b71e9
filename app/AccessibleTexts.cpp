#include "app/AccessibleTexts.h"

#include "color/NamedColors.h"
#include "color/SelectorAxes.h"

#include <array>
#include <cmath>
#include <cwchar>

namespace {

struct ModeWords {
    const wchar_t* component;
    const wchar_t* across;
    const wchar_t* down;
};

// Indexed by the mode index: the slider's component and the field's horizontal and vertical axes.
constexpr std::array<ModeWords, SelectorModeCount> kModeWords = {{
    {L"Red", L"blue", L"green"},
    {L"Green", L"blue", L"red"},
    {L"Blue", L"red", L"green"},
    {L"Hue", L"saturation", L"brightness"},
    {L"Saturation", L"hue", L"brightness"},
    {L"Brightness", L"hue", L"saturation"},
}};

const ModeWords& WordsOf(int modeIndex) {
    return kModeWords[IsValidModeIndex(modeIndex) ? modeIndex : ModeHue];
}

std::wstring HexText(Color color) {
    wchar_t text[8];
    swprintf(text, std::size(text), L"#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

std::wstring Rounded(double value) {
    return std::to_wstring(static_cast<long>(std::lround(value)));
}

} // namespace

std::wstring NamedColorText(Color color) {
    return HexText(color) + L", near " + std::wstring(NearestColorName(color));
}

std::wstring FieldAccessibleName(int modeIndex) {
    const ModeWords& words = WordsOf(modeIndex);
    return std::wstring(L"Color field: ") + words.across + L" across, " + words.down + L" down";
}

std::wstring FieldAccessibleValue(int modeIndex, Color color) {
    std::wstring components;
    if (IsRgbMode(modeIndex)) {
        components = L"red " + std::to_wstring(RedOf(color)) + L", green " + std::to_wstring(GreenOf(color)) +
                     L", blue " + std::to_wstring(BlueOf(color));
    } else {
        double hue = 0, saturation = 0, brightness = 0;
        ColorMath::RgbToHsb(RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0, hue,
                            saturation, brightness);
        components = L"hue " + Rounded(hue) + L"°, saturation " + Rounded(saturation * 100) +
                     L" %, brightness " + Rounded(brightness * 100) + L" %";
    }
    return HexText(color) + L", " + components + L", near " + std::wstring(NearestColorName(color));
}

std::wstring SliderAccessibleName(int modeIndex) {
    return WordsOf(modeIndex).component;
}

std::wstring SliderAccessibleValue(int modeIndex, int componentValue) {
    if (IsRgbMode(modeIndex)) {
        return std::to_wstring(componentValue);
    }
    if (modeIndex == ModeHue) {
        return Rounded(componentValue / 10.0) + L"°";
    }
    return Rounded(componentValue / 10.0) + L" %";
}

std::wstring BoxAccessibleValue(Color background, Color text, const BoxText& textStyle) {
    const BoxContrast contrast = BoxContrastOf(text, background, textStyle);
    std::wstring ratioText = FormatContrastRatio(contrast.ratio);
    ratioText.resize(ratioText.size() - 2); // without the ":1"
    const wchar_t* verdict = contrast.passesAAA  ? L"passes AAA"
                             : contrast.passesAA ? L"passes AA"
                                                 : L"fails AA";
    return L"background " + HexText(background) + L", text " + HexText(text) + L", contrast " + ratioText +
           L" to 1, " + verdict;
}
