#include "framework/MessageBoxes.h"

bool MessageBoxes::AskYesNo(HWND owner, const std::wstring& text) {
    return MessageBoxW(owner, text.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void MessageBoxes::ShowNotice(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kCaption, MB_OK);
}

void MessageBoxes::ShowRefusal(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kCaption, MB_OK | MB_ICONSTOP);
}

void MessageBoxes::ShowWarning(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kWarningCaption, MB_OK | MB_ICONEXCLAMATION);
}

bool MessageBoxes::ConfirmDelete(HWND owner, const std::wstring& text) {
    return MessageBoxW(owner, text.c_str(), kConfirmDeleteCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
