// Owning handle template and its aliases: every GDI object, icon, menu, file and kernel handle
// the program creates is held by one of these and released exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits> class UniqueAny {
public:
    using Pointer = typename Traits::Pointer;

    UniqueAny() = default;
    explicit UniqueAny(Pointer value) : value(value) {}
    UniqueAny(UniqueAny&& other) noexcept : value(other.Release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    ~UniqueAny() { Reset(); }

    Pointer Get() const { return value; }
    explicit operator bool() const { return value != Traits::Invalid(); }

    void Reset(Pointer replacement = Traits::Invalid()) {
        if (value != Traits::Invalid()) {
            Traits::Close(value);
        }
        value = replacement;
    }

    Pointer Release() { return std::exchange(value, Traits::Invalid()); }

private:
    Pointer value = Traits::Invalid();
};

template <typename T> struct GdiObjectTraits {
    using Pointer = T;
    static Pointer Invalid() { return nullptr; }
    static void Close(Pointer h) { DeleteObject(h); }
};

#define HUEWRIGHT_HANDLE_TRAITS(Name, Type, InvalidValue, CloseCall)                                         \
    struct Name {                                                                                            \
        using Pointer = Type;                                                                                \
        static Pointer Invalid() { return InvalidValue; }                                                    \
        static void Close(Pointer h) { CloseCall(h); }                                                       \
    }

HUEWRIGHT_HANDLE_TRAITS(DcTraits, HDC, nullptr, DeleteDC);
HUEWRIGHT_HANDLE_TRAITS(IconTraits, HICON, nullptr, DestroyIcon);
HUEWRIGHT_HANDLE_TRAITS(CursorTraits, HCURSOR, nullptr, DestroyCursor);
HUEWRIGHT_HANDLE_TRAITS(MenuTraits, HMENU, nullptr, DestroyMenu);
HUEWRIGHT_HANDLE_TRAITS(KernelHandleTraits, HANDLE, nullptr, CloseHandle);
HUEWRIGHT_HANDLE_TRAITS(FileTraits, HANDLE, INVALID_HANDLE_VALUE, CloseHandle);
HUEWRIGHT_HANDLE_TRAITS(GlobalTraits, HGLOBAL, nullptr, GlobalFree);
HUEWRIGHT_HANDLE_TRAITS(KeyTraits, HKEY, nullptr, RegCloseKey);
HUEWRIGHT_HANDLE_TRAITS(WindowTraits, HWND, nullptr, DestroyWindow);

#undef HUEWRIGHT_HANDLE_TRAITS

using UniqueBrush = UniqueAny<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueAny<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueAny<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueAny<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueAny<GdiObjectTraits<HRGN>>;
using UniqueDc = UniqueAny<DcTraits>;
using UniqueIcon = UniqueAny<IconTraits>;
using UniqueCursor = UniqueAny<CursorTraits>;
using UniqueMenu = UniqueAny<MenuTraits>;
using UniqueHandle = UniqueAny<KernelHandleTraits>;
using UniqueFile = UniqueAny<FileTraits>;
using UniqueGlobal = UniqueAny<GlobalTraits>;
using UniqueKey = UniqueAny<KeyTraits>;
using UniqueWindow = UniqueAny<WindowTraits>;
