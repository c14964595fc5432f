#include "bridge/acpi_channel.h"

bool AcpiChannel::open()
{
    m_open = m_device.open();
    if (!m_open)
        return false;
    uint8_t word[4] = {};
    uint32_t returned = 0;
    m_device.control(HandshakeCode, nullptr, 0, word, sizeof(word), returned);
    return true;
}

bool AcpiChannel::detectWow64()
{
    m_wow64 = m_device.runsUnderWow64();
    return m_wow64;
}

RequestLayout AcpiChannel::layout() const
{
    if (sizeof(void *) == 8 || m_wow64)
        return RequestLayout::Host64;
    return RequestLayout::Native;
}

bool AcpiChannel::eval(const char *name, uint8_t *result, uint32_t &size)
{
    AcpiRequest request;
    request.buildNoArgument(name);
    return send(request, result, size);
}

bool AcpiChannel::evalInt(const char *name, uint32_t value, uint8_t *result, uint32_t &size)
{
    AcpiRequest request;
    request.buildInteger(name, value, layout());
    return send(request, result, size);
}

bool AcpiChannel::evalBuffer(const char *name, const void *data, uint32_t length, uint8_t *result,
                             uint32_t &size)
{
    AcpiRequest request;
    if (!request.buildBuffer(name, data, length, layout()))
        return false;
    return send(request, result, size);
}

bool AcpiChannel::send(const AcpiRequest &request, uint8_t *result, uint32_t &size)
{
    if (!m_open)
        return false;
    uint32_t returned = 0;
    if (!m_device.control(EvaluateCode, request.data(), request.size(), result, size, returned))
        return false;
    // A device that claims more than the buffer holds is not believed beyond
    // the buffer's end.
    size = returned < size ? returned : size;
    return true;
}
