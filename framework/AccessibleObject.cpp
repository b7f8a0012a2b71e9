#include "framework/AccessibleObject.h"

#include "framework/ComGuard.h"
#include "framework/SystemLibrary.h"

#include <atomic>

namespace {

// Spelled out: with a static link, oleacc's exported IID_IAccessible is a code thunk, not the IID.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Loaded when a reader first asks: a program nobody reads does not pay for it at start.
const SystemLibrary& Oleacc() {
    static const SystemLibrary oleacc(L"oleacc.dll");
    return oleacc;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, LONG child) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

} // namespace

// The source is the control; it is cut off when the control's window goes, and every later call then
// fails as a call on a gone object does.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(AccessibleSource& source, HWND window) : source(&source), window(window) {}

    void Disconnect() { source = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch: readers use the IAccessible methods directly.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override {
        return Guarded(L"IAccessible::get_accParent", [&]() -> HRESULT {
            if (!parent) {
                return E_POINTER;
            }
            *parent = nullptr;
            if (!source) {
                return CO_E_OBJNOTCONNECTED;
            }
            auto* fromWindow =
                Oleacc().Find<decltype(AccessibleObjectFromWindow)>("AccessibleObjectFromWindow");
            return fromWindow ? fromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                           reinterpret_cast<void**>(parent))
                              : E_FAIL;
        });
    }
    STDMETHODIMP get_accChildCount(long* count) override {
        return Guarded(L"IAccessible::get_accChildCount", [&]() -> HRESULT {
            if (!count) {
                return E_POINTER;
            }
            if (!source) {
                return CO_E_OBJNOTCONNECTED;
            }
            *count = source->ChildCount();
            return S_OK;
        });
    }
    // The parts are simple elements, reached through their child ids, not objects of their own.
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        return ChildOf(child) < 0 ? E_INVALIDARG : S_FALSE;
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* out) override {
        return Text(L"IAccessible::get_accName", child, out, &AccessibleFacts::name);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override {
        return Text(L"IAccessible::get_accValue", child, out, &AccessibleFacts::value);
    }
    STDMETHODIMP get_accDescription(VARIANT, BSTR* out) override { return ReturnText({}, out); }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override {
        return Guarded(L"IAccessible::get_accRole", [&]() -> HRESULT {
            AccessibleFacts facts;
            HRESULT known = FactsOf(child, out, facts);
            if (known == S_OK) {
                SetChild(out, facts.role);
            }
            return known;
        });
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override {
        return Guarded(L"IAccessible::get_accState", [&]() -> HRESULT {
            AccessibleFacts facts;
            HRESULT known = FactsOf(child, out, facts);
            if (known == S_OK) {
                SetChild(out, StateOf(ChildOf(child), facts.state));
            }
            return known;
        });
    }
    STDMETHODIMP get_accHelp(VARIANT, BSTR* out) override { return ReturnText({}, out); }
    STDMETHODIMP get_accHelpTopic(BSTR*, VARIANT, long*) override { return DISP_E_MEMBERNOTFOUND; }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR* out) override { return ReturnText({}, out); }
    STDMETHODIMP get_accFocus(VARIANT* out) override {
        if (!out) {
            return E_POINTER;
        }
        VariantInit(out);
        if (!source) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (GetFocus() == window) {
            SetChild(out, CHILDID_SELF);
        }
        return out->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    STDMETHODIMP get_accSelection(VARIANT* out) override {
        if (!out) {
            return E_POINTER;
        }
        VariantInit(out);
        return S_FALSE;
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Text(L"IAccessible::get_accDefaultAction", child, out, &AccessibleFacts::defaultAction);
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override {
        if (!source) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (ChildOf(child) != CHILDID_SELF || flags != SELFLAG_TAKEFOCUS) {
            return DISP_E_MEMBERNOTFOUND;
        }
        SetFocus(window);
        return S_OK;
    }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return Guarded(L"IAccessible::accLocation", [&]() -> HRESULT {
            LONG id = 0;
            const HRESULT known = ElementOf(child, left && top && width && height, id);
            if (known != S_OK) {
                return known;
            }
            RECT rect{};
            if (id == CHILDID_SELF) {
                GetWindowRect(window, &rect);
            } else {
                rect = source->ChildLocation(id);
            }
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
    }
    STDMETHODIMP accNavigate(long, VARIANT, VARIANT* out) override {
        if (out) {
            VariantInit(out);
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* out) override {
        return Guarded(L"IAccessible::accHitTest", [&]() -> HRESULT {
            if (!out) {
                return E_POINTER;
            }
            VariantInit(out);
            if (!source) {
                return CO_E_OBJNOTCONNECTED;
            }
            RECT rect{};
            const POINT point{x, y};
            if (!GetWindowRect(window, &rect) || !PtInRect(&rect, point)) {
                return S_FALSE;
            }
            LONG hit = CHILDID_SELF;
            for (LONG part = 1; part <= source->ChildCount(); ++part) {
                RECT partRect = source->ChildLocation(part);
                if (PtInRect(&partRect, point)) {
                    hit = part;
                }
            }
            SetChild(out, hit);
            return S_OK;
        });
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        return Guarded(L"IAccessible::accDoDefaultAction", [&]() -> HRESULT {
            LONG id = 0;
            const HRESULT known = ElementOf(child, true, id);
            if (known != S_OK) {
                return known;
            }
            return source->DoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND;
        });
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    // The child id a reader asks about, -1 when it names no element of this control.
    LONG ChildOf(const VARIANT& child) const {
        if (child.vt != VT_I4 || !source || child.lVal < 0 || child.lVal > source->ChildCount()) {
            return -1;
        }
        return child.lVal;
    }

    // S_OK with the element's id when the call can be answered: there is somewhere to answer to, the
    // control is still there, and the child names one of its elements.
    HRESULT ElementOf(const VARIANT& child, bool hasOut, LONG& id) const {
        if (!hasOut) {
            return E_POINTER;
        }
        if (!source) {
            return CO_E_OBJNOTCONNECTED;
        }
        id = ChildOf(child);
        return id < 0 ? E_INVALIDARG : S_OK;
    }

    template <typename Out> HRESULT FactsOf(const VARIANT& child, Out* out, AccessibleFacts& facts) {
        LONG id = 0;
        const HRESULT known = ElementOf(child, out != nullptr, id);
        if (known == S_OK) {
            facts = source->Facts(id);
        }
        return known;
    }

    HRESULT Text(const wchar_t* method, const VARIANT& child, BSTR* out,
                 std::wstring AccessibleFacts::*field) {
        return Guarded(method, [&]() -> HRESULT {
            AccessibleFacts facts;
            HRESULT known = FactsOf(child, out, facts);
            return known == S_OK ? ReturnText(facts.*field, out) : known;
        });
    }

    LONG StateOf(LONG child, LONG state) const {
        if (!IsWindowVisible(window)) {
            state |= STATE_SYSTEM_INVISIBLE;
        }
        if (!IsWindowEnabled(window)) {
            state |= STATE_SYSTEM_UNAVAILABLE;
        }
        if (child == CHILDID_SELF && (state & STATE_SYSTEM_FOCUSABLE) && GetFocus() == window) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        return state;
    }

    std::atomic<ULONG> references{1};
    AccessibleSource* source;
    HWND window;
};

ControlAccessibility::~ControlAccessibility() {
    Disconnect();
}

std::optional<LRESULT> ControlAccessibility::OnMessage(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
    if (message == WM_GETOBJECT) {
        return OnGetObject(window, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        Disconnect();
    }
    return std::nullopt;
}

LRESULT ControlAccessibility::OnGetObject(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    auto* resultFromObject = Oleacc().Find<decltype(LresultFromObject)>("LresultFromObject");
    if (!resultFromObject) {
        return 0;
    }
    if (!object) {
        own = new AccessibleObject(source, window);
        object.reset(own);
    }
    // The result holds a reference of its own; a failure is a negative HRESULT, which says nothing
    // to the reader either way.
    const LRESULT result = resultFromObject(kIidAccessible, flags, object.get());
    return result < 0 ? 0 : result;
}

void ControlAccessibility::FrameDrawn(HWND window) {
    if (valueChanged) {
        valueChanged = false;
        Tell(window, EVENT_OBJECT_VALUECHANGE);
    }
}

void ControlAccessibility::Tell(HWND window, DWORD event) {
    NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

void ControlAccessibility::Disconnect() {
    if (!object) {
        return;
    }
    own->Disconnect();
    CoDisconnectObject(object.get(), 0);
    object.reset();
    own = nullptr;
}
