#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One property value of a WBEM result row, as the platform hands it over.
struct WbemValue
{
    uint32_t cimType = 0; // the property's CIM type (8 is a string)
    bool isNull = true;   // the property has no value
    std::string text;     // a string value, already in the ANSI code page
    int32_t integer = 0;  // any other value, as a signed 32-bit integer
};

// The thread's COM and the WBEM services of root\cimv2, one call per COM or
// WBEM call that the WMI client makes. Every call answers the HRESULT of the
// call it stands for. The seam holds the interfaces it hands out (locator,
// services, enumerator, current row); the client decides when each is
// released, so that no decision lives below this line.
class WbemServices
{
public:
    virtual ~WbemServices() = default;

    // CoInitializeEx(NULL, COINIT_MULTITHREADED) and CoUninitialize.
    virtual int32_t initializeCom() = 0;
    virtual void uninitializeCom() = 0;

    // CoInitializeSecurity with default authentication and impersonation.
    virtual int32_t initializeSecurity() = 0;

    // CoCreateInstance of the in-process WBEM locator.
    virtual int32_t createLocator() = 0;
    virtual void releaseLocator() = 0;

    // ConnectServer of the locator to `path`, without user, password,
    // locale, authority or context.
    virtual int32_t connectServer(const std::u16string &path) = 0;
    virtual void releaseServices() = 0;

    // CoSetProxyBlanket on the services: NTLM, no authorisation, call level,
    // impersonation.
    virtual int32_t setProxyBlanket() = 0;

    // ExecQuery of the services; the enumerator it gives is held.
    virtual int32_t execQuery(const std::u16string &language, const std::u16string &query,
                              int32_t flags) = 0;
    virtual void releaseEnumerator() = 0;

    // Next of the enumerator for one row; a row returned becomes current.
    virtual int32_t next(int32_t timeout, uint32_t &returned) = 0;
    virtual void releaseCurrent() = 0;

    // Get of the current row with flags 0.
    virtual int32_t get(const std::u16string &name, WbemValue &value) = 0;

    // An 8-bit text in the ANSI code page as 16-bit text.
    virtual std::u16string toWide(std::string_view ansi) const = 0;

    // The platform's COM and WBEM: the real ones on Windows, the emulated
    // notebook's elsewhere.
    static std::unique_ptr<WbemServices> create();
};
