// The system's file and font dialogs, from comdlg32 loaded the first time one of them opens: the
// main window comes up without it. Each returns what the system's call returns; when the library
// or its function is missing the call fails as a cancelled dialog does, with the reason in
// GetLastError.
#pragma once

#include <windows.h>

#include <commdlg.h>

bool ShowOpenFileDialog(OPENFILENAMEW& dialog);
bool ShowSaveFileDialog(OPENFILENAMEW& dialog);
bool ShowFontDialog(CHOOSEFONTW& dialog);
