#include "framework/ContrastTheme.h"

#include <windows.h>

namespace {

bool ReadContrastTheme() {
    HIGHCONTRASTW contrast{sizeof(contrast)};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
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
