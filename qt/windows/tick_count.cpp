#include "qt/windows/tick_count.h"

#include <chrono>

namespace {

class SystemTickCount : public TickCount
{
public:
    uint32_t milliseconds() const override
    {
        const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
        return static_cast<uint32_t>(ms);
    }
};

const SystemTickCount systemClock;
const TickCount *installed = nullptr;

} // namespace

const TickCount &TickCount::current()
{
    return installed ? *installed : systemClock;
}

void TickCount::install(const TickCount *clock)
{
    installed = clock;
}
