#include "emulator/emulated_firmware.h"

#include "emulator/acpi_result.h"
#include "emulator/firmware_faults.h"

#include <string>

namespace emulator {
namespace {

using nlohmann::json;
using Bytes = std::vector<uint8_t>;

uint32_t wordAt(const Bytes &bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
           uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

// The answer of the item methods: one 8-byte buffer, a status word whose bit
// 0 tells success, and the value.
Bytes itemAnswer(uint32_t status, uint32_t value)
{
    Bytes data;
    for (uint32_t word : {status, value}) {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<uint8_t>(word >> shift));
    }
    AcpiResult result;
    result.addBuffer(data);
    return result.bytes();
}

std::optional<Bytes> finished(const AcpiResult &result)
{
    return result.valid() ? std::optional<Bytes>(result.bytes()) : std::nullopt;
}

bool isItemMethod(const std::string &name)
{
    return name == "GITM" || name == "SITM";
}

// Whether an item offers `value`: a ranged item offers minimum + step * j
// for j below count, a choice item the indexes of its choices, any other
// item every value.
bool offers(const json &method, uint32_t value)
{
    if (method.contains("range")) {
        const uint64_t minimum = method["range"][0].get<uint32_t>();
        const uint64_t step = method["range"][1].get<uint32_t>();
        const uint64_t count = method["range"][2].get<uint32_t>();
        if (count == 0 || value < minimum)
            return false;
        const uint64_t offset = value - minimum;
        if (step == 0)
            return offset == 0;
        if (offset % step != 0 || offset / step >= count)
            return false;
    }
    return !method.contains("choices") || value < method["choices"].size();
}

// The method of `firmware` whose id equals all 32 bits of `id`; the first
// in name order when the image gives several the same id.
template <typename Json> Json *methodIn(Json &firmware, uint32_t id)
{
    if (!firmware.contains("methods"))
        return nullptr;
    for (Json &method : firmware["methods"]) {
        if (method["id"].template get<uint32_t>() == id)
            return &method;
    }
    return nullptr;
}

} // namespace

EmulatedFirmware::EmulatedFirmware(json &image)
    : m_firmware(image["firmware"]), m_writable(&image["firmware"])
{
}

EmulatedFirmware::EmulatedFirmware(const json &image)
    : m_firmware(image.at("firmware")), m_writable(nullptr)
{
}

std::optional<FirmwareAnswer> EmulatedFirmware::evaluate(const AcpiRequest &request)
{
    if (!m_writable && FirmwareFaults::anyApplies(m_firmware, request)) {
        m_changed = true;
        return std::nullopt;
    }
    const json *fault = m_writable ? FirmwareFaults::apply(*m_writable, request) : nullptr;
    m_changed = m_changed || fault != nullptr;
    const std::string effect = fault ? (*fault)["effect"].get<std::string>() : std::string();
    if (effect == "fail")
        return std::nullopt;
    FirmwareAnswer answered;
    if (effect == "refuse" && isItemMethod(request.method)) {
        answered.result = itemAnswer(0, 0);
        return answered;
    }
    std::optional<Bytes> result = answer(request);
    if (!result)
        return std::nullopt;
    answered.result = std::move(*result);
    if (effect == "truncate")
        answered.cutTo = (*fault)["bytes"].get<uint32_t>();
    return answered;
}

std::optional<Bytes> EmulatedFirmware::answer(const AcpiRequest &request)
{
    if (request.method == "MBIF")
        return supportInfo();
    if (request.method == "GGRP")
        return group(request);
    if (request.method == "GITM")
        return getItem(request);
    if (request.method == "SITM")
        return setItem(request);
    if (!m_firmware.contains("methods"))
        return std::nullopt;
    const json &methods = m_firmware["methods"];
    const auto method = methods.find(request.method);
    if (method == methods.end())
        return std::nullopt;
    return describe(*method);
}

std::optional<Bytes> EmulatedFirmware::supportInfo() const
{
    if (!m_firmware.contains("mbif"))
        return std::nullopt;
    AcpiResult result;
    for (const json &value : m_firmware["mbif"])
        result.addInteger(value.get<uint32_t>());
    return finished(result);
}

std::optional<Bytes> EmulatedFirmware::group(const AcpiRequest &request) const
{
    if (request.argument != AcpiRequest::Argument::Integer)
        return std::nullopt;
    AcpiResult result;
    const std::string key = std::to_string(request.integer);
    if (m_firmware.contains("groups") && m_firmware["groups"].contains(key)) {
        for (const json &name : m_firmware["groups"][key])
            result.addString(name.get<std::string>());
    }
    return finished(result);
}

std::optional<Bytes> EmulatedFirmware::getItem(const AcpiRequest &request) const
{
    if (request.argument != AcpiRequest::Argument::Buffer)
        return std::nullopt;
    if (request.buffer.size() < 4)
        return itemAnswer(0, 0);
    const json *method = methodWithId(wordAt(request.buffer, 0));
    if (!method)
        return itemAnswer(0, 0);
    return itemAnswer(1, method->value("value", uint32_t(0)));
}

std::optional<Bytes> EmulatedFirmware::setItem(const AcpiRequest &request)
{
    if (request.argument != AcpiRequest::Argument::Buffer)
        return std::nullopt;
    if (request.buffer.size() < 12 || wordAt(request.buffer, 8) != 1)
        return itemAnswer(0, 0);
    const uint32_t id = wordAt(request.buffer, 0);
    const uint32_t value = wordAt(request.buffer, 4);
    const json *method = methodWithId(id);
    if (!method || !offers(*method, value))
        return itemAnswer(0, 0);
    m_changed = true;
    if (!m_writable)
        return std::nullopt;
    (*methodIn(*m_writable, id))["value"] = value;
    return itemAnswer(1, value);
}

std::optional<Bytes> EmulatedFirmware::describe(const json &method) const
{
    AcpiResult result;
    result.addInteger(method["id"].get<uint32_t>());
    result.addString(method["name"].get<std::string>());
    const json attributes = method.value("attributes", json::array({0, 0}));
    result.addInteger(attributes[0].get<uint32_t>());
    result.addInteger(attributes[1].get<uint32_t>());
    if (method.contains("range")) {
        for (const json &value : method["range"])
            result.addInteger(value.get<uint32_t>());
    }
    if (method.contains("choices")) {
        result.addInteger(static_cast<uint32_t>(method["choices"].size()));
        for (const json &choice : method["choices"])
            result.addString(choice.get<std::string>());
    }
    return finished(result);
}

const json *EmulatedFirmware::methodWithId(uint32_t id) const
{
    return methodIn(m_firmware, id);
}

} // namespace emulator
