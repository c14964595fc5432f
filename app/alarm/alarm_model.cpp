#include "app/alarm/alarm_model.h"

namespace {

// The library fills a field only when the firmware gave it and answers a
// read by its last item only. Two reads into records filled with different
// patterns agree on a field only when the firmware gave it both times.
constexpr uint32_t PatternA = 0u;
constexpr uint32_t PatternB = ~0u;
constexpr uint32_t DayBits = 0x7Fu;

HeldValue agreed(uint32_t a, uint32_t b)
{
    return a == b ? HeldValue(a) : std::nullopt;
}

} // namespace

std::optional<TimeSetting> HeldTime::setting() const
{
    if (!days || !hour || !minute)
        return std::nullopt;
    return TimeSetting{*days, *hour, *minute};
}

std::optional<PlayStatus> HeldPlay::status() const
{
    if (!drive || !track || !repeatMode || !duration || !volume)
        return std::nullopt;
    return PlayStatus{*drive, *track, *repeatMode, *duration, *volume};
}

bool AlarmModel::loadStatus()
{
    uint32_t a = PatternA;
    uint32_t b = PatternB;
    const bool readA = m_bridge.GetStatus(&a);
    const bool readB = m_bridge.GetStatus(&b);
    m_status = readA && readB ? agreed(a, b) : std::nullopt;
    changed(Part::Time);
    return m_status.has_value();
}

void AlarmModel::loadTime()
{
    TimeSetting a{PatternA, PatternA, PatternA};
    TimeSetting b{PatternB, PatternB, PatternB};
    const bool readA = m_bridge.GetTimeSetting(&a);
    const bool readB = m_bridge.GetTimeSetting(&b);
    // A day item the firmware refuses counts as off in the library, which
    // then answers by the Saturday read alone: the days stand as read only
    // when both reads succeeded. Bits above Saturday are no day.
    m_time.days = readA && readB ? agreed(a.days & DayBits, b.days & DayBits) : std::nullopt;
    m_time.hour = agreed(a.hour, b.hour);
    m_time.minute = agreed(a.minute, b.minute);
    changed(Part::Time);
}

void AlarmModel::loadPlay()
{
    PlayStatus a{PatternA, PatternA, PatternA, PatternA, PatternA};
    PlayStatus b{PatternB, PatternB, PatternB, PatternB, PatternB};
    const bool readA = m_bridge.GetPlayStatus(&a);
    const bool readB = m_bridge.GetPlayStatus(&b);
    m_play.drive = agreed(a.drive, b.drive);
    m_play.track = agreed(a.track, b.track);
    m_play.repeatMode = agreed(a.repeatMode, b.repeatMode);
    m_play.duration = agreed(a.duration, b.duration);
    // The volume is the last item: the result of each read is its own.
    m_play.volume = readA && readB ? agreed(a.volume, b.volume) : std::nullopt;
    changed(Part::Play);
}

AlarmModel::AlarmWrite AlarmModel::writeAlarm(bool disabled, const TimeSetting *setting)
{
    AlarmWrite result = AlarmWrite::Done;
    if (!m_bridge.SetStatus(disabled))
        result = AlarmWrite::StatusRefused;
    else if (setting && !m_bridge.SetTimeSetting(setting))
        result = AlarmWrite::TimeRefused;
    // Even a refused write may have changed some items.
    loadStatus();
    loadTime();
    return result;
}

bool AlarmModel::writePlay(const PlayStatus &status)
{
    const bool written = m_bridge.SetPlayStatus(&status);
    loadPlay();
    return written;
}

bool AlarmModel::holdsStatus(bool disabled) const
{
    // Any nonzero status is on, as the firmware keeps it.
    return m_status && (*m_status == 0) == disabled;
}

bool AlarmModel::holdsTime(const TimeSetting &setting) const
{
    const std::optional<TimeSetting> held = m_time.setting();
    return held && held->days == (setting.days & DayBits) && held->hour == setting.hour &&
           held->minute == setting.minute;
}

bool AlarmModel::holdsPlay(const PlayStatus &status) const
{
    const std::optional<PlayStatus> held = m_play.status();
    return held && held->drive == status.drive && held->track == status.track &&
           held->repeatMode == status.repeatMode && held->duration == status.duration &&
           held->volume == status.volume;
}

void AlarmModel::observe(std::function<void(Part)> observer)
{
    m_observers.push_back(std::move(observer));
}

void AlarmModel::changed(Part part)
{
    for (const auto &observer : m_observers)
        observer(part);
}
