// The "Set copy-color format" dialog: picks one of the four predefined copy-format templates or a
// custom one. It only reports the choice; the caller decides what to keep.
#pragma once

#include "framework/Dialog.h"
#include "widgets/CxShadeButton.h"

#include <array>
#include <string>

class CCopyColorFormat : public Dialog {
public:
    CCopyColorFormat(int colorFormat, std::wstring colorFormatStr);
    ~CCopyColorFormat() override;

    // After DoModal returned IDOK: the chosen number (0..4, or 5 when no choice was selected) and
    // the template that goes with it; otherwise the values given to the constructor.
    int ColorFormat() const { return colorFormat; }
    const std::wstring& ColorFormatStr() const { return colorFormatStr; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int colorFormat;
    std::wstring colorFormatStr;
    std::array<CxShadeButton, 5> choices;
    CxShadeButton okButton;
    CxShadeButton cancelButton;
};
