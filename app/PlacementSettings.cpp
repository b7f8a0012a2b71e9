#include "app/PlacementSettings.h"

#include "framework/Profile.h"

#include <array>
#include <string>

namespace {

constexpr std::array<const wchar_t*, 4> kBoxNames = {L"colorWBox1", L"colorWBox2", L"colorWBox3",
                                                     L"colorWBox4"};
constexpr std::array<const wchar_t*, 4> kTextNames = {L"colorWTxt1", L"colorWTxt2", L"colorWTxt3",
                                                      L"colorWTxt4"};

int AsInt(Color color) {
    return static_cast<int>(color);
}

Color ReadColor(const wchar_t* section, const wchar_t* name, Color fallback) {
    return ColorFromStored(Profile::GetInt(section, name, AsInt(fallback)), fallback);
}

} // namespace

PlacementSettings::PlacementSettings(SettingsValues& settings)
    : settings(settings), placement{sizeof(WINDOWPLACEMENT)} {}

// The window values, the options and the format number default to what the program holds now.
void PlacementSettings::LoadSettings(const wchar_t* section) {
    RECT& normal = placement.rcNormalPosition;
    normal.left = Profile::GetInt(section, L"left", normal.left);
    normal.right = Profile::GetInt(section, L"right", normal.right);
    normal.top = Profile::GetInt(section, L"top", normal.top);
    normal.bottom = Profile::GetInt(section, L"bottom", normal.bottom);
    SettingsValues defaults;
    for (size_t i = 0; i < 4; ++i) {
        settings.colors.box[i] = ReadColor(section, kBoxNames[i], defaults.colors.box[i]);
    }
    for (size_t i = 0; i < 4; ++i) {
        settings.colors.text[i] = ReadColor(section, kTextNames[i], defaults.colors.text[i]);
    }
    settings.curPalette = Profile::GetInt(section, L"curPalette", defaults.curPalette);
    settings.curColor = ReadColor(section, L"curColor", defaults.curColor);
    settings.dontShowTooltips = Profile::GetInt(section, L"dontShowTooltips", settings.dontShowTooltips);
    settings.showAllColors = Profile::GetInt(section, L"showAllColors", settings.showAllColors);
    settings.colorFormat = Profile::GetInt(section, L"colorFormat", settings.colorFormat);
    settings.colorFormatStr =
        CopyFormatFromStored(Profile::GetString(section, L"colorFormatStr", kNoPathFound));
    settings.checker = CheckerStateFromStored(Profile::GetString(section, L"inspector", L""));
}

void PlacementSettings::SaveSettings(const wchar_t* section) {
    const RECT& normal = placement.rcNormalPosition;
    Profile::WriteInt(section, L"left", normal.left);
    Profile::WriteInt(section, L"right", normal.right);
    Profile::WriteInt(section, L"top", normal.top);
    Profile::WriteInt(section, L"bottom", normal.bottom);
    for (size_t i = 0; i < 4; ++i) {
        Profile::WriteInt(section, kBoxNames[i], AsInt(settings.colors.box[i]));
    }
    for (size_t i = 0; i < 4; ++i) {
        Profile::WriteInt(section, kTextNames[i], AsInt(settings.colors.text[i]));
    }
    Profile::WriteInt(section, L"curPalette", settings.curPalette);
    Profile::WriteInt(section, L"dontShowTooltips", settings.dontShowTooltips);
    Profile::WriteInt(section, L"showAllColors", settings.showAllColors);
    Profile::WriteInt(section, L"curColor", AsInt(settings.curColor));
    Profile::WriteInt(section, L"colorFormat", settings.colorFormat);
    Profile::WriteString(section, L"colorFormatStr", settings.colorFormatStr);
    // A user who never opened the checker finds the settings exactly as before it existed.
    if (settings.checker != CheckerState{}) {
        Profile::WriteString(section, L"inspector", FormatCheckerState(settings.checker));
    }
}

// The stored right and bottom never change the size: it always comes from the dialog template.
bool PlacementSettings::LoadSettingsAndPlace(const wchar_t* section, HWND dialog) {
    LoadSettings(section);
    RECT window{};
    GetWindowRect(dialog, &window);
    RECT& normal = placement.rcNormalPosition;
    auto placed =
        PlacementFromStored(normal.left, normal.top, window.right - window.left, window.bottom - window.top,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!placed) {
        return false;
    }
    normal = RECT{placed->left, placed->top, placed->right, placed->bottom};
    placement.length = sizeof(placement);
    placement.flags = 0;
    // The dialog is still hidden and stays so: it is shown once, whole, when its start-up is done.
    placement.showCmd = SW_HIDE;
    return SetWindowPlacement(dialog, &placement) != FALSE;
}

void PlacementSettings::SaveSettingsAndPlacement(const wchar_t* section, HWND dialog) {
    placement.length = sizeof(placement);
    GetWindowPlacement(dialog, &placement);
    SaveSettings(section);
}
