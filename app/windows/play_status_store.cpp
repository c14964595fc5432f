#include "app/windows/play_status_store.h"

#include "app/binding/acpi_bridge.h"

namespace {

bool sameRecord(const PlayStatus &a, const PlayStatus &b)
{
    return a.drive == b.drive && a.track == b.track && a.repeatMode == b.repeatMode &&
           a.duration == b.duration && a.volume == b.volume;
}

} // namespace

bool PlayStatusStore::readAll(PlayStatus &status)
{
    // The library fills a field only when the firmware gave it. Two reads
    // into records filled with different patterns agree on every field only
    // when each field was given both times.
    PlayStatus zeros{};
    PlayStatus ones{~0u, ~0u, ~0u, ~0u, ~0u};
    if (!m_bridge.GetPlayStatus(&zeros) || !m_bridge.GetPlayStatus(&ones))
        return false;
    if (!sameRecord(zeros, ones))
        return false;
    status = zeros;
    return true;
}

bool PlayStatusStore::write(const PlayStatus &status)
{
    if (!m_bridge.SetPlayStatus(&status))
        return false;
    PlayStatus held{};
    return readAll(held) && sameRecord(held, status);
}
