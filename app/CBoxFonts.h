// The box text font in the main dialog: the font holder, the "B" and "i" toggles that follow it, the
// fonts of the four boxes that follow the toggles, and the sizes of the box texts as drawn.
#pragma once

#include "app/PaletteChecks.h"
#include "widgets/CFontHelper.h"
#include "widgets/CxShadeButton.h"

#include <array>
#include <memory>

class CBoxFonts {
public:
    CBoxFonts(std::array<CxShadeButton, 4>& boxes, CxShadeButton& boldToggle, CxShadeButton& italicToggle);

    // Reads the font from the profile section; it is written back there by ReleaseFontHelper.
    void CreateFontHelper(const wchar_t* section);
    void ReleaseFontHelper() { fontHelper.reset(); }
    bool HasFontHelper() const { return fontHelper != nullptr; }
    CFontHelper& FontHelper() { return *fontHelper; }

    void SetFontToggles();
    void ApplyBoxFonts();
    void OnSelectBoxFont();
    // Called whenever a box's font changes.
    void MeasureBoxTexts();
    const std::array<BoxText, 4>& BoxTexts() const { return boxTexts; }

private:
    std::array<CxShadeButton, 4>& boxes;
    CxShadeButton& boldToggle;
    CxShadeButton& italicToggle;
    std::unique_ptr<CFontHelper> fontHelper;
    // The box texts' sizes as the boxes draw them.
    std::array<BoxText, 4> boxTexts{};
};
