#include "skin/sk_accessible.h"

#include "skin/ole_accessibility.h"
#include "skin/sk_control.h"

#include <oleacc.h>

#include <string>

namespace {

BSTR toBstr(const std::string &text)
{
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = OleAccessibility::sysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result && length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The accessible object of one skinned control's window. It holds the window handle, not the
// control, and finds the control again on every question, so a client that keeps the object
// after the control is gone gets an error instead of a dangling pointer.
class ControlAccessible final : public IAccessible
{
public:
    explicit ControlAccessible(HWND window) : m_window(window) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == SkAccessible::kIAccessibleId) {
            *object = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&m_refs));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: the object is used through its own interface only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        if (!parent)
            return E_POINTER;
        return OleAccessibility::accessibleObjectFromWindow(
            m_window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
            reinterpret_cast<void **>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch **child) override
    {
        if (child)
            *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        SkControl *control = find(child, name);
        if (!control)
            return E_INVALIDARG;
        const std::string text = control->accessibleText();
        if (text.empty()) {
            // No name at all, which is not the same as an empty one.
            *name = nullptr;
            return S_FALSE;
        }
        *name = toBstr(text);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR *value) override { return none(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR *text) override
    {
        return none(text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        SkControl *control = find(child, role);
        if (!control)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = control->accessibleRole();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        SkControl *control = find(child, state);
        if (!control)
            return E_INVALIDARG;
        long bits = 0;
        // The focus goes only to an enabled tab stop: a press of any other
        // control leaves it where it was.
        if (!control->Enabled())
            bits |= STATE_SYSTEM_UNAVAILABLE;
        else if (GetWindowLongA(m_window, GWL_STYLE) & WS_TABSTOP)
            bits |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == m_window)
            bits |= STATE_SYSTEM_FOCUSED;
        // Out of sight also when the window that holds it is, as a closed dialog is.
        if (!IsWindowVisible(m_window))
            bits |= STATE_SYSTEM_INVISIBLE;
        if (control->isPressed())
            bits |= STATE_SYSTEM_PRESSED;
        if (control->isHot())
            bits |= STATE_SYSTEM_HOTTRACKED;
        if (control->accessibleMixed())
            bits |= STATE_SYSTEM_MIXED;
        else if (control->accessibleCheckable() && control->GetChecked())
            bits |= STATE_SYSTEM_CHECKED;
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR *text) override { return none(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT, long *topic) override
    {
        if (topic)
            *topic = 0;
        return none(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR *text) override
    {
        return none(text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        if (!focus)
            return E_POINTER;
        // What VariantInit does, without oleaut32 for it.
        focus->vt = VT_EMPTY;
        if (GetFocus() == m_window) {
            focus->vt = VT_I4;
            focus->lVal = CHILDID_SELF;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        if (!selection)
            return E_POINTER;
        selection->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        SkControl *control = find(child, action);
        if (!control)
            return E_INVALIDARG;
        const bool toggles = control->accessibleRole() == SkAccessible::kCheckButton;
        *action = OleAccessibility::sysAllocString(
            toggles
                ? (control->GetChecked() ? L"Uncheck" : L"Check")
                : (control->accessibleRole() == SkAccessible::kRadioButton ? L"Check" : L"Press"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        if (!isSelf(child) || !IsWindow(m_window))
            return E_INVALIDARG;
        RECT rect;
        GetWindowRect(m_window, &rect);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT *end) override
    {
        if (end)
            end->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *child) override
    {
        if (!child)
            return E_POINTER;
        child->vt = VT_EMPTY;
        RECT rect;
        GetWindowRect(m_window, &rect);
        if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
            return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        SkControl *control = find(child, &child);
        if (!control)
            return E_INVALIDARG;
        // A control the user could not click does nothing.
        if (!control->Enabled() || !IsWindowVisible(m_window))
            return S_FALSE;
        // The click comes after this call has returned (see DefaultActionMessage).
        return PostMessageA(m_window, SkAccessible::DefaultActionMessage, 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    template <typename Out> SkControl *find(const VARIANT &child, Out *out) const
    {
        if (!out || !isSelf(child))
            return nullptr;
        return dynamic_cast<SkControl *>(SkWindow::FromHandle(m_window));
    }
    static HRESULT none(BSTR *text)
    {
        if (!text)
            return E_POINTER;
        *text = nullptr;
        return S_FALSE;
    }

    LONG m_refs = 1;
    HWND m_window;
};

} // namespace

namespace SkAccessible {

LRESULT answer(SkControl &control, WPARAM wParam, LPARAM lParam,
               const std::function<LRESULT()> &fallback)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return fallback();
    auto *object = new ControlAccessible(control.Handle());
    const LRESULT result =
        OleAccessibility::lresultFromObject(SkAccessible::kIAccessibleId, wParam, object);
    object->Release();
    return result;
}

void notifyStateChange(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void notifyNameChange(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace SkAccessible
