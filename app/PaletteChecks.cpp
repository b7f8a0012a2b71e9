#include "app/PaletteChecks.h"

#include "color/ColorDifference.h"
#include "color/Contrast.h"

#include <cmath>

BoxContrast BoxContrastOf(Color text, Color background, const BoxText& textStyle) {
    BoxContrast box{};
    box.largeText = IsLargeText(textStyle.pointSize, textStyle.bold);
    box.ratio = ContrastRatio(text, background);
    box.passesAA = box.ratio >= (box.largeText ? 3.0 : 4.5);
    box.passesAAA = box.ratio >= (box.largeText ? 4.5 : 7.0);
    box.lightnessContrast = LightnessContrast(text, background);
    return box;
}

namespace {

wchar_t Digit(int value) {
    return static_cast<wchar_t>(L'0' + value % 10);
}

} // namespace

bool IsLargeText(double pointSize, bool bold) {
    return pointSize >= 18.0 || (bold && pointSize >= 14.0);
}

// A pair is marked only where the deficiency makes it hard to tell apart: backgrounds that are already
// close for everyone are not news in any simulation. Their differences are worked out once, and the
// simulated difference only for the pairs that were distinct.
std::array<BoxContrast, 4> CheckBoxContrasts(const PaletteColors& colors,
                                             const std::array<BoxText, 4>& text) {
    std::array<BoxContrast, 4> boxes{};
    for (std::size_t i = 0; i < 4; ++i) {
        boxes[i] = BoxContrastOf(colors.text[i], colors.box[i], text[i]);
    }
    return boxes;
}

PaletteChecks CheckPalette(const PaletteColors& colors, const std::array<BoxText, 4>& text) {
    PaletteChecks checks{};
    checks.boxes = CheckBoxContrasts(colors, text);
    std::array<Lab, 4> labs;
    for (int i = 0; i < 4; ++i) {
        labs[i] = ToLab(colors.box[i]);
    }
    bool distinct[4][4] = {};
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            distinct[i][j] = Ciede2000(labs[i], labs[j]) >= kHardToTellApart;
        }
    }
    for (int d = 0; d < kVisionDeficiencyCount; ++d) {
        const auto deficiency = static_cast<VisionDeficiency>(d);
        SimulatedPalette& simulated = checks.simulations[d];
        for (int i = 0; i < 4; ++i) {
            simulated.colors.box[i] = SimulateVision(colors.box[i], deficiency);
            simulated.colors.text[i] = SimulateVision(colors.text[i], deficiency);
            labs[i] = ToLab(simulated.colors.box[i]);
        }
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j) {
                const bool hard = distinct[i][j] && Ciede2000(labs[i], labs[j]) < kHardToTellApart;
                simulated.hardToTell[i][j] = hard;
                simulated.hardToTell[j][i] = hard;
            }
        }
    }
    return checks;
}

// Cut toward zero. The product ratio * 100 can round up onto the next hundredth; fma gives the sign
// of the exact difference, so the cut is corrected back.
std::wstring FormatContrastRatio(double ratio) {
    double cut = std::floor(ratio * 100.0);
    if (std::fma(ratio, 100.0, -cut) < 0.0) {
        cut -= 1.0;
    }
    const int hundredths = TruncToInt(cut);
    return std::to_wstring(hundredths / 100) + L'.' + Digit(hundredths / 10) + Digit(hundredths) + L":1";
}

// The sign is written apart from the rounded magnitude, so a value that rounds to zero reads "Lc 0.0".
std::wstring FormatLightnessContrast(double lightnessContrast) {
    const int tenths = TruncToInt(std::round(std::fabs(lightnessContrast) * 10.0));
    const bool negative = lightnessContrast < 0.0 && tenths != 0;
    return (negative ? L"Lc -" : L"Lc ") + std::to_wstring(tenths / 10) + L'.' + Digit(tenths);
}
