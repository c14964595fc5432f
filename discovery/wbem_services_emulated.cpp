#include "discovery/wbem_services.h"

#include "emulator/emulated_notebook.h"

#include <vector>

namespace {

constexpr int32_t EPointer = static_cast<int32_t>(0x80004003);
constexpr int32_t WbemSFalse = 1;
constexpr int32_t WbemEFailed = static_cast<int32_t>(0x80041001);
constexpr int32_t WbemENotFound = static_cast<int32_t>(0x80041002);
constexpr uint32_t CimString = 8;

// The emulated machine speaks 8-bit text. Each byte travels as one 16-bit
// unit and back, so UTF-8 and ASCII pass through unchanged.
std::string toNarrow(const std::u16string &text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text)
        narrow += static_cast<char>(c <= 0xFF ? c : '?');
    return narrow;
}

// COM always starts and the connection always stands: the emulated
// notebook answers or refuses each query by itself.
class EmulatedWbemServices final : public WbemServices
{
public:
    int32_t initializeCom() override { return 0; }
    void uninitializeCom() override {}
    int32_t initializeSecurity() override { return 0; }
    int32_t createLocator() override { return 0; }
    void releaseLocator() override {}
    int32_t connectServer(const std::u16string &) override
    {
        m_connected = true;
        return 0;
    }
    void releaseServices() override { m_connected = false; }
    int32_t setProxyBlanket() override { return m_connected ? 0 : EPointer; }

    int32_t execQuery(const std::u16string &, const std::u16string &query, int32_t) override
    {
        releaseEnumerator();
        if (!m_connected)
            return EPointer;
        std::vector<emulator::WmiRow> rows;
        if (!emulator::wmiQuery(toNarrow(query), rows))
            return WbemEFailed;
        m_rows = std::move(rows);
        m_open = true;
        return 0;
    }
    void releaseEnumerator() override
    {
        m_rows.clear();
        m_next = 0;
        m_open = false;
        releaseCurrent();
    }

    int32_t next(int32_t, uint32_t &returned) override
    {
        returned = 0;
        if (!m_open)
            return EPointer;
        if (m_next >= m_rows.size())
            return WbemSFalse;
        m_current = m_next++;
        m_hasCurrent = true;
        returned = 1;
        return 0;
    }
    void releaseCurrent() override { m_hasCurrent = false; }

    int32_t get(const std::u16string &name, WbemValue &value) override
    {
        value = WbemValue{};
        if (!m_hasCurrent)
            return EPointer;
        const std::string wanted = toNarrow(name);
        for (const auto &[property, text] : m_rows[m_current]) {
            if (property == wanted) {
                value.cimType = CimString;
                value.isNull = false;
                value.text = text;
                return 0;
            }
        }
        return WbemENotFound;
    }

    std::u16string toWide(std::string_view ansi) const override
    {
        std::u16string wide;
        wide.reserve(ansi.size());
        for (const char c : ansi)
            wide += static_cast<char16_t>(static_cast<unsigned char>(c));
        return wide;
    }

private:
    bool m_connected = false;
    bool m_open = false;
    bool m_hasCurrent = false;
    std::vector<emulator::WmiRow> m_rows;
    size_t m_next = 0;
    size_t m_current = 0;
};

} // namespace

std::unique_ptr<WbemServices> WbemServices::create()
{
    return std::make_unique<EmulatedWbemServices>();
}
