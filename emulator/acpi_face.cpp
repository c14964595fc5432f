// The emulated ACPI driver device: the handshake and the evaluation
// requests, answered by the firmware of the current machine image.

#include "emulator/acpi_request.h"
#include "emulator/emulated_firmware.h"
#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"
#include "emulator/request_log.h"

#include <algorithm>
#include <cstring>

namespace emulator {
namespace {

constexpr uint32_t kEvaluate = 0x00222404;
constexpr uint32_t kHandshake = 0x0022240C;
constexpr uint8_t kGarbage = 0xA5;

bool handshake(void *out, uint32_t outSize, uint32_t &returned)
{
    if (!ImageStore::current().read() || out == nullptr || outSize < 4)
        return false;
    std::memset(out, 0, 4);
    returned = 4;
    return true;
}

// Copies an answer into the caller's buffer. A cut answer reports fewer
// bytes, and the bytes past the cut are overwritten so that a reader that
// ignores the count reads garbage.
bool deliver(const FirmwareAnswer &answer, void *out, uint32_t outSize, uint32_t &returned)
{
    if (answer.result.size() > outSize || (out == nullptr && !answer.result.empty()))
        return false;
    auto *bytes = static_cast<uint8_t *>(out);
    std::copy(answer.result.begin(), answer.result.end(), bytes);
    uint32_t count = static_cast<uint32_t>(answer.result.size());
    if (answer.cutTo) {
        count = std::min(count, *answer.cutTo);
        std::fill(bytes + count, bytes + outSize, kGarbage);
    }
    returned = count;
    return true;
}

bool evaluate(const AcpiRequest &request, void *out, uint32_t outSize, uint32_t &returned)
{
    const ImageStore store = ImageStore::current();
    // A request that changes nothing (a read, a description, a request no
    // fault counts) is answered from the image as it is, without the lock,
    // so that an image in a folder the user cannot write is still served.
    {
        const std::shared_ptr<const nlohmann::json> current = store.read();
        if (!current)
            return false;
        EmulatedFirmware firmware(*current);
        std::optional<FirmwareAnswer> answer = firmware.evaluate(request);
        if (!firmware.changed())
            return answer && deliver(*answer, out, outSize, returned);
    }
    // A change is made again under the lock, on the image as it is then:
    // another process may have changed it since it was read above.
    std::optional<FirmwareAnswer> answer;
    const bool stored = store.update([&](nlohmann::json &image) {
        EmulatedFirmware firmware(image);
        answer = firmware.evaluate(request);
        return firmware.changed();
    });
    return stored && answer && deliver(*answer, out, outSize, returned);
}

} // namespace

bool acpiOpen()
{
    return ImageStore::current().read() != nullptr;
}

bool acpiControl(uint32_t controlCode, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned)
{
    const auto *input = static_cast<const uint8_t *>(in);
    std::vector<uint8_t> nativeBlock;
    std::optional<AcpiRequest> request;
    if (controlCode == kEvaluate)
        request = AcpiRequest::parse(input, inSize, nativeBlock);
    RequestLog::append(RequestLog::line(controlCode, input, inSize, nativeBlock));
    if (controlCode == kHandshake)
        return handshake(out, outSize, returned);
    return request && evaluate(*request, out, outSize, returned);
}

} // namespace emulator
