#pragma once

#include "discovery/wbem_services.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A small WMI client: joins the multithreaded apartment on the calling
// thread, connects to root\cimv2 of this machine, runs WQL queries one at a
// time and reads properties of the current row as 8-bit text. Failures are
// reported by the result and by a text in `Message`; nothing is shown and
// nothing is thrown. The client must stay on the thread that initialised it.
class WMIProvider
{
public:
    // Result codes the client tells apart.
    static constexpr int32_t RpcEChangedMode = static_cast<int32_t>(0x80010106);
    static constexpr int32_t RpcETooLate = static_cast<int32_t>(0x80010119);
    static constexpr int32_t WbemSNoError = 0;
    static constexpr int32_t WbemSFalse = 1;
    static constexpr int32_t WbemFlagForwardOnlyReturnImmediately = 0x30;
    static constexpr int32_t WbemInfinite = -1;
    static constexpr uint32_t CimString = 8;

    explicit WMIProvider(WbemServices &wbem);
    ~WMIProvider();
    WMIProvider(const WMIProvider &) = delete;
    WMIProvider &operator=(const WMIProvider &) = delete;

    bool Initialize();
    // Runs `query` and makes its first row current.
    bool RunQuery(const std::u16string &query);
    // Writes the property `name` of the current row into `buffer`, cut to
    // its capacity and always zero-terminated; empty when it cannot be read.
    void GetPropertyText(const std::u16string &name, std::span<char> buffer);
    bool NextRow();
    void CloseQuery();
    // Releases everything held and undoes COM when this client did it. The
    // destructor does the same; a second call does nothing.
    void TearDown();

    // An 8-bit query text as the 16-bit text the client runs.
    std::u16string widen(std::string_view ansi) const { return m_wbem.toWide(ansi); }

    std::string_view message() const;

    // The text of the last failure, all zero until the first.
    std::array<char, 1024> Message{};

private:
    void setMessage(std::string_view text);
    void undoCom();
    void releaseRow();

    WbemServices &m_wbem;
    bool m_ownsCom = false;
    bool m_locatorHeld = false;
    bool m_servicesHeld = false;
    bool m_enumeratorHeld = false;
    bool m_currentHeld = false;
};
