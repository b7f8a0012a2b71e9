// Reads a window's text from a process of its own, as a screen reader or a test tool would, and
// writes it to a file as UTF-16: read_window_text HWND_IN_HEX OUTPUT_FILE
#include <windows.h>

#include <cwchar>
#include <fstream>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 2;
    }
    auto window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[1], nullptr, 16)));
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(text.data()),
              static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
    return out ? 0 : 1;
}
