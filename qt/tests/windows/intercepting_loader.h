#pragma once

#include "app/binding/library_loader.h"
#include "bridge/vesperlink.h"

#include <string>
#include <vector>

// Loads the real Vesperlink and binds its real exports, except that the time
// setting and status calls pass through here: the test sees every write, and
// can add bits to the days the firmware reports, which the real firmware
// never sets.
class InterceptingLoader : public LibraryLoader
{
public:
    InterceptingLoader();
    ~InterceptingLoader() override;

    Handle load(const std::string &path) override;
    EntryPoint resolve(Handle library, const char *name) override;
    void unload(Handle library) override;

    // Bits added to every `days` read from the library.
    uint32_t extraDays = 0;
    // The records written, in order.
    std::vector<TimeSetting> timeWrites;
    std::vector<uint32_t> statusWrites;
    // The writes in the order they happened: "status" and "time".
    std::vector<std::string> writeOrder;

private:
    static uint8_t getTimeSetting(TimeSetting *setting);
    static uint8_t setTimeSetting(const TimeSetting *setting);
    static uint8_t setStatus(uint32_t status);

    VPGetTimeSettingFunc m_getTimeSetting = nullptr;
    VPSetTimeSettingFunc m_setTimeSetting = nullptr;
    VPSetStatusFunc m_setStatus = nullptr;
};
