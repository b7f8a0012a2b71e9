// Text onto the clipboard, for the copy commands and the boxes' click-to-copy.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard content with `text`, as CF_TEXT in the ANSI code page and as
// CF_UNICODETEXT. Says so in a message box when another program holds the clipboard.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
