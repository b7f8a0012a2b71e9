#include "framework/Window.h"

#include "framework/CallbackGuard.h"
#include "framework/DcGuards.h"
#include "framework/Reflection.h"

#include <map>
#include <utility>

Window::~Window() {
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd, nullptr));
    }
}

void Window::Destroy() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

int Window::ControlId() const {
    return hwnd ? GetDlgCtrlID(hwnd) : 0;
}

// Classes are keyed by their attributes so that identical requests share one registration.
const wchar_t* Window::RegisterWindowClass(UINT classStyle, HCURSOR cursor) {
    static std::map<std::pair<UINT, HCURSOR>, std::wstring> registered;
    auto key = std::make_pair(classStyle, cursor);
    auto found = registered.find(key);
    if (found != registered.end()) {
        return found->second.c_str();
    }
    std::wstring name = L"Huewright:Window:" + std::to_wstring(registered.size());
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc)) {
        return nullptr;
    }
    return registered.emplace(key, std::move(name)).first->second.c_str();
}

bool Window::CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                         HWND parent, int id) {
    if (!className) {
        return false;
    }
    HWND created = CreateWindowExW(
        0, className, text, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    return created != nullptr;
}

bool Window::CreatePopup(const wchar_t* className, const wchar_t* text, DWORD exStyle, DWORD style,
                         const RECT& rect, HWND owner) {
    if (!className) {
        return false;
    }
    HWND created =
        CreateWindowExW(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, owner, nullptr, GetModuleHandleW(nullptr), this);
    return created != nullptr;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

// The window classes registered here have no background brush, so not erasing loses nothing.
LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return OnPaintMessage(message, wParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        DefaultProc(message, wParam, lParam);
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));
    default:
        return OnMessage(message, wParam, lParam);
    }
}

LRESULT Window::OnPaintMessage(UINT message, WPARAM wParam) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (message == WM_PRINTCLIENT) {
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    PaintDc paint(hwnd);
    Paint(paint.Get(), client);
    return 0;
}

void Window::Paint(HDC, const RECT&) {}

void Window::OnSize(int, int) {}

void Window::OnSysColorChange() {}

UINT Window::DialogCode(const MSG*) const {
    return 0;
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (ReflectToChild(message, wParam, lParam, reflected)) {
        return reflected;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ReportCallbackFailure(L"a window procedure", message);
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
    }
    return result;
}
