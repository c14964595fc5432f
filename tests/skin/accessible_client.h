#pragma once

#include "skin/sk_accessible.h"

#include <oleacc.h>

#include <string>

namespace skintest {

// What an assistive technology client reads through the system's accessibility interface.
class AccessibleClient
{
public:
    explicit AccessibleClient(HWND window)
    {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                   SkAccessible::kIAccessibleId,
                                   reinterpret_cast<void **>(&m_object));
    }
    AccessibleClient(const AccessibleClient &) = delete;
    AccessibleClient &operator=(const AccessibleClient &) = delete;
    ~AccessibleClient()
    {
        if (m_object)
            m_object->Release();
    }
    bool valid() const { return m_object != nullptr; }
    long role() const
    {
        VARIANT role;
        VariantInit(&role);
        m_object->get_accRole(self(), &role);
        return role.vt == VT_I4 ? role.lVal : -1;
    }
    std::string name() const
    {
        BSTR name = nullptr;
        if (m_object->get_accName(self(), &name) != S_OK || !name)
            return "<none>";
        char text[256] = {};
        WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
        SysFreeString(name);
        return text;
    }
    // What the name question itself answers: S_OK with a name, S_FALSE for none.
    HRESULT nameResult() const
    {
        BSTR name = nullptr;
        const HRESULT result = m_object->get_accName(self(), &name);
        SysFreeString(name);
        return result;
    }
    long state() const
    {
        VARIANT state;
        VariantInit(&state);
        m_object->get_accState(self(), &state);
        return state.vt == VT_I4 ? state.lVal : 0;
    }
    bool has(long bit) const { return (state() & bit) != 0; }
    HRESULT press() const { return m_object->accDoDefaultAction(self()); }

private:
    static VARIANT self()
    {
        VARIANT child;
        child.vt = VT_I4;
        child.lVal = CHILDID_SELF;
        return child;
    }
    IAccessible *m_object = nullptr;
};

} // namespace skintest
