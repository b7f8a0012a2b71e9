// Whether the user has a contrast theme on (SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON). The window's
// own chrome then draws in the system colors and its textures flat; colors that are the user's work
// keep their own.
#pragma once

// As last read: the first call reads it, and RereadContrastTheme again.
bool ContrastThemeOn();
// On WM_SETTINGCHANGE and WM_SYSCOLORCHANGE; true when the answer changed.
bool RereadContrastTheme();
