// The program's message boxes, each with its fixed caption, icon and buttons.
#pragma once

#include <windows.h>

#include <string>

namespace MessageBoxes {

constexpr const wchar_t* kCaption = L"Huewright";
constexpr const wchar_t* kWarningCaption = L"Huewright Warning!";
constexpr const wchar_t* kConfirmDeleteCaption = L"Confirm Delete";

// Yes/No with the question icon; true for Yes.
bool AskYesNo(HWND owner, const std::wstring& text);
// OK without an icon.
void ShowNotice(HWND owner, const std::wstring& text);
// OK with the stop icon.
void ShowRefusal(HWND owner, const std::wstring& text);
// OK with the exclamation icon under the warning caption.
void ShowWarning(HWND owner, const std::wstring& text);
// Yes/No with the question icon under the delete caption; true for Yes.
bool ConfirmDelete(HWND owner, const std::wstring& text);

} // namespace MessageBoxes
