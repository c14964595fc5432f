#include "discovery/wmi_provider.h"

#include "discovery/fixed_text.h"

namespace {

constexpr int32_t EInvalidArg = static_cast<int32_t>(0x80070057);
constexpr int32_t EOutOfMemory = static_cast<int32_t>(0x8007000E);
constexpr int32_t EUnexpected = static_cast<int32_t>(0x8000FFFF);

constexpr int32_t WbemEFailed = static_cast<int32_t>(0x80041001);
constexpr int32_t WbemENotFound = static_cast<int32_t>(0x80041002);
constexpr int32_t WbemEAccessDenied = static_cast<int32_t>(0x80041003);
constexpr int32_t WbemEOutOfMemory = static_cast<int32_t>(0x80041006);
constexpr int32_t WbemEInvalidParameter = static_cast<int32_t>(0x80041008);
constexpr int32_t WbemEInvalidClass = static_cast<int32_t>(0x80041010);
constexpr int32_t WbemETransportFailure = static_cast<int32_t>(0x80041015);
constexpr int32_t WbemEInvalidQuery = static_cast<int32_t>(0x80041017);
constexpr int32_t WbemEInvalidQueryType = static_cast<int32_t>(0x80041018);
constexpr int32_t WbemEUnexpected = static_cast<int32_t>(0x8004101D);
constexpr int32_t WbemEShuttingDown = static_cast<int32_t>(0x80041033);
constexpr int32_t WbemSTimedOut = 0x40004;

bool succeeded(int32_t hr)
{
    return hr >= 0;
}

std::string_view coInitializeText(int32_t hr)
{
    switch (hr) {
    case EInvalidArg:
        return "CoInitializeEx failed by E_INVALIDARG...";
    case EOutOfMemory:
        return "CoInitializeEx failed by E_OUTOFMEMORY...";
    case EUnexpected:
        return "CoInitializeEx failed by E_UNEXPECTED...";
    default:
        return "CoInitializeEx failed by unknown error...";
    }
}

std::string_view execQueryText(int32_t hr)
{
    switch (hr) {
    case WbemEAccessDenied:
        return "CreateInstanceEnum failed by WBEM_E_ACCESS_DENIED...";
    case WbemEFailed:
        return "CreateInstanceEnum failed by WBEM_E_FAILED...";
    case WbemEInvalidParameter:
        return "CreateInstanceEnum failed by WBEM_E_INVALID_PARAMETER...";
    case WbemEInvalidQuery:
        return "CreateInstanceEnum failed by WBEM_E_INVALID_QUERY...";
    case WbemEInvalidQueryType:
        return "CreateInstanceEnum failed by WBEM_E_INVALID_QUERY_TYPE...";
    case WbemEOutOfMemory:
        return "CreateInstanceEnum failed by WBEM_E_OUT_OF_MEMORY...";
    case WbemEShuttingDown:
        return "CreateInstanceEnum failed by WBEM_E_SHUTTING_DOWN...";
    case WbemETransportFailure:
        return "CreateInstanceEnum failed by WBEM_E_TRANSPORT_FAILURE...";
    case WbemENotFound:
        return "CreateInstanceEnum failed by WBEM_E_NOT_FOUND...";
    case WbemEInvalidClass:
        return "CreateInstanceEnum failed by WBEM_E_INVALID_CLASS...";
    default:
        return "CreateInstanceEnum failed by unknown error...";
    }
}

// The text for the code of a first fetch that brought no row; empty for a
// code that leaves the earlier text standing.
std::string_view firstRowText(int32_t hr)
{
    switch (hr) {
    case WbemEUnexpected:
        return "CreateInstanceEnum failed by WBEM_E_UNEXPECTED...";
    case WbemEOutOfMemory:
        return "CreateInstanceEnum failed by WBEM_E_OUT_OF_MEMORY...";
    case WbemEInvalidParameter:
        return "CreateInstanceEnum failed by WBEM_E_INVALID_PARAMETER...";
    case WbemETransportFailure:
        return "CreateInstanceEnum failed by WBEM_E_TRANSPORT_FAILURE...";
    case WMIProvider::WbemSFalse:
        return "CreateInstanceEnum failed by WBEM_S_FALSE...";
    case WbemSTimedOut:
        return "CreateInstanceEnum failed by WBEM_S_TIMEDOUT...";
    case WMIProvider::WbemSNoError:
        return "CreateInstanceEnum failed by WBEM_S_NO_ERROR...";
    default:
        return {};
    }
}

} // namespace

WMIProvider::WMIProvider(WbemServices &wbem) : m_wbem(wbem) {}

WMIProvider::~WMIProvider()
{
    TearDown();
}

bool WMIProvider::Initialize()
{
    m_ownsCom = false;
    const int32_t hr = m_wbem.initializeCom();
    // A thread that already lives in a single-threaded apartment keeps it;
    // then COM is not ours to undo.
    if (!succeeded(hr) && hr != RpcEChangedMode) {
        setMessage(coInitializeText(hr));
        return false;
    }
    if (hr != RpcEChangedMode)
        m_ownsCom = true;

    // Security that the process has already set stands as it is.
    const int32_t security = m_wbem.initializeSecurity();
    if (!succeeded(security) && security != RpcETooLate) {
        setMessage("CoInitializeSecurity failed...");
        undoCom();
        return false;
    }
    if (!succeeded(m_wbem.createLocator())) {
        setMessage("CoCreateInstance failed...");
        undoCom();
        return false;
    }
    m_locatorHeld = true;
    if (!succeeded(m_wbem.connectServer(u"\\\\.\\root\\cimv2"))) {
        setMessage("ConnectServer failed...");
        m_wbem.releaseLocator();
        m_locatorHeld = false;
        undoCom();
        return false;
    }
    m_servicesHeld = true;
    if (!succeeded(m_wbem.setProxyBlanket())) {
        setMessage("CoSetProxyBlanket failed...");
        m_wbem.releaseServices();
        m_servicesHeld = false;
        m_wbem.releaseLocator();
        m_locatorHeld = false;
        undoCom();
        return false;
    }
    return true;
}

bool WMIProvider::RunQuery(const std::u16string &query)
{
    // One query at a time: whatever an earlier one left open goes first.
    CloseQuery();
    if (!m_servicesHeld) {
        setMessage(execQueryText(WbemEFailed));
        return false;
    }
    const int32_t hr = m_wbem.execQuery(u"WQL", query, WbemFlagForwardOnlyReturnImmediately);
    if (!succeeded(hr)) {
        setMessage(execQueryText(hr));
        return false;
    }
    m_enumeratorHeld = true;

    uint32_t returned = 0;
    const int32_t next = m_wbem.next(WbemInfinite, returned);
    if (returned == 1)
        m_currentHeld = true;
    if (succeeded(next) && returned == 1)
        return true;

    const std::string_view text = firstRowText(next);
    if (!text.empty())
        setMessage(text);
    // The caller closes only a query that ran, so a failed one is closed here.
    CloseQuery();
    return false;
}

void WMIProvider::GetPropertyText(const std::u16string &name, std::span<char> buffer)
{
    copyFixedText({}, buffer);
    if (!m_currentHeld)
        return;
    WbemValue value;
    if (!succeeded(m_wbem.get(name, value)) || value.isNull)
        return;
    if (value.cimType == CimString)
        copyFixedText(value.text, buffer);
    else
        copyFixedText(std::to_string(value.integer), buffer);
}

bool WMIProvider::NextRow()
{
    releaseRow();
    if (!m_enumeratorHeld)
        return false;
    uint32_t returned = 0;
    const int32_t hr = m_wbem.next(WbemInfinite, returned);
    if (returned == 1)
        m_currentHeld = true;
    return hr == WbemSNoError && returned == 1;
}

void WMIProvider::CloseQuery()
{
    releaseRow();
    if (m_enumeratorHeld) {
        m_wbem.releaseEnumerator();
        m_enumeratorHeld = false;
    }
}

void WMIProvider::TearDown()
{
    CloseQuery();
    if (m_servicesHeld) {
        m_wbem.releaseServices();
        m_servicesHeld = false;
    }
    if (m_locatorHeld) {
        m_wbem.releaseLocator();
        m_locatorHeld = false;
    }
    undoCom();
}

std::string_view WMIProvider::message() const
{
    return fixedText(Message);
}

void WMIProvider::setMessage(std::string_view text)
{
    copyFixedText(text, Message);
}

void WMIProvider::undoCom()
{
    // Cleared at once, so that a later teardown does not undo it again.
    if (m_ownsCom) {
        m_wbem.uninitializeCom();
        m_ownsCom = false;
    }
}

void WMIProvider::releaseRow()
{
    if (m_currentHeld) {
        m_wbem.releaseCurrent();
        m_currentHeld = false;
    }
}
