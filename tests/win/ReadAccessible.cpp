// Reads windows the way a screen reader does, from a process of its own: the object each window
// gives for its client area through AccessibleObjectFromWindow, and the parts of that object. Writes
// one line per element, as UTF-16: role, state, name, value, default action and the screen rectangle,
// separated by tabs, the window's own line first and its parts' lines after it, each part's line
// starting with a tab. A window written as !HWND gets its default action done instead of read.
// read_accessible OUTPUT_FILE HWND_IN_HEX...
#include <windows.h>

#include <oleacc.h>

#include <cwchar>
#include <fstream>
#include <string>

namespace {

// With a static link, oleacc's exported IID_IAccessible is a code thunk, not the IID.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::wstring Take(BSTR text) {
    std::wstring taken = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return taken;
}

std::wstring Describe(IAccessible& object, long child) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    object.get_accRole(id, &role);
    object.get_accState(id, &state);
    BSTR name = nullptr, value = nullptr, action = nullptr;
    object.get_accName(id, &name);
    object.get_accValue(id, &value);
    object.get_accDefaultAction(id, &action);
    long left = 0, top = 0, width = 0, height = 0;
    object.accLocation(&left, &top, &width, &height, id);
    wchar_t numbers[64];
    swprintf(numbers, std::size(numbers), L"%ld\t%ld\t", role.vt == VT_I4 ? role.lVal : -1L,
             state.vt == VT_I4 ? state.lVal : -1L);
    wchar_t place[64];
    swprintf(place, std::size(place), L"\t%ld,%ld,%ld,%ld", left, top, width, height);
    return numbers + Take(name) + L"\t" + Take(value) + L"\t" + Take(action) + place + L"\n";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || FAILED(CoInitialize(nullptr))) {
        return 2;
    }
    std::wstring lines;
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const bool act = argv[i][0] == L'!';
        auto window = reinterpret_cast<HWND>(
            static_cast<UINT_PTR>(std::wcstoull(argv[i] + (act ? 1 : 0), nullptr, 16)));
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                              reinterpret_cast<void**>(&object))) ||
            !object) {
            lines += L"none\n";
            status = 1;
            continue;
        }
        if (act) {
            VARIANT self;
            VariantInit(&self);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            lines += SUCCEEDED(object->accDoDefaultAction(self)) ? L"done\n" : L"refused\n";
        } else {
            lines += Describe(*object, CHILDID_SELF);
            long children = 0;
            object->get_accChildCount(&children);
            for (long child = 1; child <= children; ++child) {
                lines += L"\t" + Describe(*object, child);
            }
        }
        object->Release();
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(lines.data()),
              static_cast<std::streamsize>(lines.size() * sizeof(wchar_t)));
    CoUninitialize();
    return out ? status : 1;
}
