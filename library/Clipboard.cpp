#include "library/Clipboard.h"

#include "framework/MessageBoxes.h"
#include "framework/UniqueHandle.h"

#include <algorithm>
#include <cstring>

namespace {

// Closes the clipboard on every path once it was opened.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : opened(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (opened) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return opened; }

private:
    bool opened;
};

UniqueGlobal UnicodeBlock(const std::wstring& text) {
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (auto* units = block ? static_cast<wchar_t*>(GlobalLock(block.Get())) : nullptr) {
        std::memcpy(units, text.c_str(), size);
        GlobalUnlock(block.Get());
    }
    return block;
}

// The clipboard owns a block once it has taken it.
void Place(UINT format, UniqueGlobal block) {
    if (block && SetClipboardData(format, block.Get())) {
        block.Release();
    }
}

} // namespace

// Two bytes per code unit leave room for double-byte code pages; UTF-8, which may be the ANSI code
// page, takes three for most characters beyond Latin, so the conversion's own count can be more.
// The zero fill keeps the block terminated whatever the conversion does.
UniqueGlobal AnsiTextBlock(const std::wstring& text, UINT codePage) {
    const int needed = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    const int size = std::max(static_cast<int>(2 * text.size() + 1), needed);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (auto* bytes = block ? static_cast<char*>(GlobalLock(block.Get())) : nullptr) {
        WideCharToMultiByte(codePage, 0, text.c_str(), -1, bytes, size, nullptr, nullptr);
        GlobalUnlock(block.Get());
    }
    return block;
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    OpenedClipboard clipboard(owner);
    if (!clipboard) {
        MessageBoxes::ShowNotice(owner, L"Cannot open the Clipboard");
        return false;
    }
    EmptyClipboard();
    Place(CF_TEXT, AnsiTextBlock(text, CP_ACP));
    Place(CF_UNICODETEXT, UnicodeBlock(text));
    return true;
}

std::optional<std::wstring> PasteTextFromClipboard(HWND owner) {
    OpenedClipboard clipboard(owner);
    if (!clipboard) {
        MessageBoxes::ShowNotice(owner, L"Cannot open the Clipboard");
        return std::nullopt;
    }
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    const auto* units = block ? static_cast<const wchar_t*>(GlobalLock(block)) : nullptr;
    if (!units) {
        return std::wstring();
    }
    // Another program's block need not end in a zero.
    const auto* end = units + GlobalSize(block) / sizeof(wchar_t);
    std::wstring text(units, std::find(units, end, L'\0'));
    GlobalUnlock(block);
    return text;
}
