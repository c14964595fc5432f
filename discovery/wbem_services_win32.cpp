#include "discovery/wbem_services.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

namespace {

// A system string that frees itself.
class SystemString
{
public:
    explicit SystemString(const std::u16string &text)
    {
        const std::wstring wide(text.begin(), text.end());
        m_text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    ~SystemString() { SysFreeString(m_text); }
    SystemString(const SystemString &) = delete;
    SystemString &operator=(const SystemString &) = delete;
    BSTR get() const { return m_text; }

private:
    BSTR m_text = nullptr;
};

template <typename Interface> void release(Interface *&object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}

std::string toAnsi(const wchar_t *text, UINT length)
{
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), size, nullptr,
                        nullptr);
    return ansi;
}

class Win32WbemServices final : public WbemServices
{
public:
    ~Win32WbemServices() override
    {
        release(m_current);
        release(m_enumerator);
        release(m_services);
        release(m_locator);
    }

    int32_t initializeCom() override { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void uninitializeCom() override { CoUninitialize(); }

    int32_t initializeSecurity() override
    {
        return CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    }

    int32_t createLocator() override
    {
        release(m_locator);
        return CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void **>(&m_locator));
    }
    void releaseLocator() override { release(m_locator); }

    int32_t connectServer(const std::u16string &path) override
    {
        if (!m_locator)
            return E_POINTER;
        release(m_services);
        const SystemString namespacePath(path);
        return m_locator->ConnectServer(namespacePath.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                        nullptr, &m_services);
    }
    void releaseServices() override { release(m_services); }

    int32_t setProxyBlanket() override
    {
        if (!m_services)
            return E_POINTER;
        return CoSetProxyBlanket(m_services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                 RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                 EOAC_NONE);
    }

    int32_t execQuery(const std::u16string &language, const std::u16string &query,
                      int32_t flags) override
    {
        if (!m_services)
            return E_POINTER;
        release(m_enumerator);
        const SystemString languageText(language);
        const SystemString queryText(query);
        return m_services->ExecQuery(languageText.get(), queryText.get(), flags, nullptr,
                                     &m_enumerator);
    }
    void releaseEnumerator() override { release(m_enumerator); }

    int32_t next(int32_t timeout, uint32_t &returned) override
    {
        returned = 0;
        if (!m_enumerator)
            return E_POINTER;
        release(m_current);
        ULONG count = 0;
        const HRESULT hr = m_enumerator->Next(timeout, 1, &m_current, &count);
        returned = count == 1 && m_current ? 1 : 0;
        return hr;
    }
    void releaseCurrent() override { release(m_current); }

    int32_t get(const std::u16string &name, WbemValue &value) override
    {
        value = WbemValue{};
        if (!m_current)
            return E_POINTER;
        const std::wstring wideName(name.begin(), name.end());
        VARIANT variant;
        VariantInit(&variant);
        CIMTYPE type = 0;
        const HRESULT hr = m_current->Get(wideName.c_str(), 0, &variant, &type, nullptr);
        if (FAILED(hr))
            return hr;
        value.cimType = static_cast<uint32_t>(type);
        if (V_VT(&variant) == VT_BSTR) {
            value.isNull = false;
            value.text = toAnsi(V_BSTR(&variant), SysStringLen(V_BSTR(&variant)));
            // A string held in another CIM type reads as its number, like
            // any other value of that type.
            if (type != CIM_STRING) {
                VARIANT number;
                VariantInit(&number);
                if (SUCCEEDED(VariantChangeType(&number, &variant, 0, VT_I4)))
                    value.integer = V_I4(&number);
                else
                    value.isNull = true;
                VariantClear(&number);
            }
        } else if (V_VT(&variant) != VT_NULL && V_VT(&variant) != VT_EMPTY) {
            // Every other value is read as a signed 32-bit integer; one that
            // cannot be (an array, an object) has no text.
            VARIANT number;
            VariantInit(&number);
            if (SUCCEEDED(VariantChangeType(&number, &variant, 0, VT_I4))) {
                value.isNull = false;
                value.integer = V_I4(&number);
            }
            VariantClear(&number);
        }
        VariantClear(&variant);
        return hr;
    }

    std::u16string toWide(std::string_view ansi) const override
    {
        if (ansi.empty())
            return {};
        const int size =
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
        if (size <= 0)
            return {};
        std::wstring wide(static_cast<size_t>(size), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                            size);
        return std::u16string(wide.begin(), wide.end());
    }

private:
    IWbemLocator *m_locator = nullptr;
    IWbemServices *m_services = nullptr;
    IEnumWbemClassObject *m_enumerator = nullptr;
    IWbemClassObject *m_current = nullptr;
};

} // namespace

std::unique_ptr<WbemServices> WbemServices::create()
{
    return std::make_unique<Win32WbemServices>();
}
