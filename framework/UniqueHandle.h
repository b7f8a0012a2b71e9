// Owning handle template and its aliases: every GDI object, icon, menu, file and kernel handle
// the program creates is held by one of these and released exactly once. Each kind counts its live
// owners, since Wine reports no GDI or USER object counts to see a leak by.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

template <typename Traits> class UniqueAny {
public:
    using Pointer = typename Traits::Pointer;

    UniqueAny() = default;
    explicit UniqueAny(Pointer value) : value(value) { Count(value, 1); }
    UniqueAny(UniqueAny&& other) noexcept : value(std::exchange(other.value, Traits::Invalid())) {}
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
            Count(value, -1);
        }
        value = replacement;
        Count(value, 1);
    }

    // Hands the handle over; it no longer counts as held here.
    Pointer Release() {
        Count(value, -1);
        return std::exchange(value, Traits::Invalid());
    }

    // How many owners of this kind hold a handle right now.
    static long Live() { return live.load(std::memory_order_relaxed); }

private:
    // Always on: an atomic add (5 ns under Wine) is nothing beside the call that made the handle (a
    // brush's create and delete take 110 ns).
    static void Count(Pointer handle, long change) {
        if (handle != Traits::Invalid()) {
            live.fetch_add(change, std::memory_order_relaxed);
        }
    }

    static inline std::atomic<long> live{0};
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
HUEWRIGHT_HANDLE_TRAITS(ModuleTraits, HMODULE, nullptr, FreeLibrary);
HUEWRIGHT_HANDLE_TRAITS(ViewTraits, const void*, nullptr, UnmapViewOfFile);

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
// Loaded libraries stay for the process's life, so they are not among the counts compared below.
using UniqueModule = UniqueAny<ModuleTraits>;
using UniqueView = UniqueAny<ViewTraits>;

// The live owners of every kind at one moment, to compare before and after a long run.
struct LiveHandleCounts {
    long brushes = UniqueBrush::Live();
    long pens = UniquePen::Live();
    long fonts = UniqueFont::Live();
    long bitmaps = UniqueBitmap::Live();
    long regions = UniqueRegion::Live();
    long dcs = UniqueDc::Live();
    long icons = UniqueIcon::Live();
    long cursors = UniqueCursor::Live();
    long menus = UniqueMenu::Live();
    long windows = UniqueWindow::Live();
    long handles = UniqueHandle::Live();
    long files = UniqueFile::Live();
    long globals = UniqueGlobal::Live();
    long keys = UniqueKey::Live();

    bool operator==(const LiveHandleCounts&) const = default;
};
