// Proves that the bridge allocates nothing on the heap: every global
// operator new of this test program counts while the bridge runs, except
// inside the test device, which stands for the driver.

#include "bridge/alarm_bridge.h"

#include "tests/bridge/fake_acpi_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
int allocations = 0;

void *allocate(size_t size)
{
    if (counting)
        ++allocations;
    if (void *p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

} // namespace

void *operator new(size_t size)
{
    return allocate(size);
}

void *operator new[](size_t size)
{
    return allocate(size);
}

void *operator new(size_t size, const std::nothrow_t &) noexcept
{
    if (counting)
        ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}

void *operator new[](size_t size, const std::nothrow_t &) noexcept
{
    if (counting)
        ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete[](void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, size_t) noexcept
{
    std::free(p);
}

void operator delete[](void *p, size_t) noexcept
{
    std::free(p);
}

namespace {

// The test device, with counting paused while it answers.
class UncountedDevice : public fake::FakeAcpiDevice
{
public:
    bool open() override
    {
        const bool was = counting;
        counting = false;
        const bool ok = FakeAcpiDevice::open();
        counting = was;
        return ok;
    }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        const bool was = counting;
        counting = false;
        const bool ok = FakeAcpiDevice::control(code, in, inSize, out, outSize, returned);
        counting = was;
        return ok;
    }
};

TEST(NoAllocation, EveryExportRunsWithoutTheHeap)
{
    UncountedDevice device;
    device.firmware = fake::standardFirmware();
    AlarmBridge bridge(device);

    allocations = 0;
    counting = true;
    const bool started = bridge.init();
    uint32_t supported = 0;
    const bool asked = bridge.isSupport(&supported);
    char text[1024];
    uint32_t first = 0, second = 0, third = 0;
    uint32_t total = 0;
    for (uint32_t kind = 0; kind <= 6; ++kind)
        total += bridge.getInfo(kind, text, sizeof(text), &first, &second, &third);
    uint32_t status = 0;
    bridge.getStatus(&status);
    bridge.setStatus(1);
    TimeSetting time{};
    bridge.getTimeSetting(&time);
    bridge.setTimeSetting(&time);
    PlayStatus play{};
    bridge.getPlayStatus(&play);
    bridge.setPlayStatus(&play);
    counting = false;

    // Something really ran: the device was asked and answered.
    EXPECT_TRUE(started);
    EXPECT_TRUE(asked);
    EXPECT_EQ(supported, 1u);
    EXPECT_GT(total, 0u);
    EXPECT_EQ(time.hour, 6u);
    EXPECT_GT(device.log.size(), 40u);
    EXPECT_EQ(allocations, 0);
}

TEST(NoAllocation, TheCounterSeesAllocations)
{
    allocations = 0;
    counting = true;
    auto *probe = new int(3);
    counting = false;
    delete probe;
    EXPECT_EQ(allocations, 1);
}

} // namespace
