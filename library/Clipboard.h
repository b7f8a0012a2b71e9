// Text onto the clipboard, for the copy commands and the boxes' click-to-copy, and text from it for
// pasting a color.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>

// Replaces the clipboard content with `text`, as CF_TEXT in the ANSI code page and as
// CF_UNICODETEXT. Says so in a message box when another program holds the clipboard.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

// The CF_TEXT block of `text` in the given code page (the ANSI one for the clipboard).
UniqueGlobal AnsiTextBlock(const std::wstring& text, UINT codePage);

// The clipboard's CF_UNICODETEXT up to its first zero or the end of its block; an empty text when
// there is none. Nothing, after the same message as above, when another program holds the clipboard.
std::optional<std::wstring> PasteTextFromClipboard(HWND owner);
