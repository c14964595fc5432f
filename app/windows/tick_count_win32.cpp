#include "app/windows/tick_count.h"

#include <windows.h>

namespace {

class SystemTickCount : public TickCount
{
public:
    uint32_t milliseconds() const override { return GetTickCount(); }
};

const TickCount *installed = nullptr;

} // namespace

const TickCount &TickCount::current()
{
    static const SystemTickCount system;
    return installed ? *installed : system;
}

void TickCount::install(const TickCount *clock)
{
    installed = clock;
}
