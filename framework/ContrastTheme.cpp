#include "framework/ContrastTheme.h"

#include <windows.h>

#include <cwchar>

namespace {

// The flags Windows keeps for the theme in the user's settings, as decimal text; 0 without them.
DWORD StoredContrastFlags() {
    wchar_t text[16] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return 0;
    }
    return static_cast<DWORD>(wcstoul(text, nullptr, 10));
}

// The system's answer, or else the flags stored with the user's settings: Wine answers
// SPI_GETHIGHCONTRAST with the theme always off, and has no SPI_SETHIGHCONTRAST.
bool ReadContrastTheme() {
    HIGHCONTRASTW contrast{sizeof(contrast)};
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON)) {
        return true;
    }
    return (StoredContrastFlags() & HCF_HIGHCONTRASTON) != 0;
}

// Read once and kept: buttons ask on every paint, and under Wine each reading is a server request.
bool& Current() {
    static bool on = ReadContrastTheme();
    return on;
}

} // namespace

bool ContrastThemeOn() {
    return Current();
}

bool RereadContrastTheme() {
    const bool on = ReadContrastTheme();
    const bool changed = on != Current();
    Current() = on;
    return changed;
}
