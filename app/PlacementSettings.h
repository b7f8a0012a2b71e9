// The settings kept in the profile section "Settings": read once when the main dialog starts (which
// also puts the window back where it was) and written once when it closes.
#pragma once

#include "app/SettingsValues.h"

#include <windows.h>

class PlacementSettings {
public:
    // Reads into and writes from `settings`, the values the program holds while it runs.
    explicit PlacementSettings(SettingsValues& settings);

    void LoadSettings(const wchar_t* section);
    void SaveSettings(const wchar_t* section);
    // Loads, then moves the dialog to the stored origin with its own size; false when the stored
    // position lies entirely off the primary screen and the dialog stays where it is.
    bool LoadSettingsAndPlace(const wchar_t* section, HWND dialog);
    void SaveSettingsAndPlacement(const wchar_t* section, HWND dialog);

private:
    SettingsValues& settings;
    WINDOWPLACEMENT placement;
};
