#pragma once

#include "bridge/acpi_device.h"
#include "bridge/acpi_request.h"

#include <cstdint>

// Evaluates named firmware methods through the ACPI driver device: each
// evaluation is one control request, built on the stack, whose raw result
// lands in the caller's buffer. The caller's size goes in as the buffer's
// size and comes out as the number of bytes the driver returned.
class AcpiChannel
{
public:
    static constexpr uint32_t EvaluateCode = 0x00222404;
    static constexpr uint32_t HandshakeCode = 0x0022240C;

    explicit AcpiChannel(AcpiDevice &device) : m_device(device) {}

    // Opens the device and sends the handshake, whose answer does not matter.
    bool open();

    // Asks the device whether this process runs under WOW64 and keeps the
    // answer for the layout of later requests.
    bool detectWow64();
    bool wow64() const { return m_wow64; }

    // A 64-bit process always sends the 64-bit-host layout: its addresses do
    // not fit the native layout's 32-bit word, and its host is 64-bit by
    // definition. A 32-bit process sends it only under WOW64.
    RequestLayout layout() const;

    bool eval(const char *name, uint8_t *result, uint32_t &size);
    bool evalInt(const char *name, uint32_t value, uint8_t *result, uint32_t &size);
    // Refuses argument data longer than AcpiRequest::MaxArgumentData bytes.
    bool evalBuffer(const char *name, const void *data, uint32_t length, uint8_t *result,
                    uint32_t &size);

private:
    bool send(const AcpiRequest &request, uint8_t *result, uint32_t &size);

    AcpiDevice &m_device;
    bool m_open = false;
    bool m_wow64 = false;
};
