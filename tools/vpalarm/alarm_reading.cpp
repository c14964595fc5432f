#include "tools/vpalarm/alarm_reading.h"

namespace {

constexpr uint32_t PatternA = 0xA5A5A5A5u;
constexpr uint32_t PatternB = 0x5A5A5A5Au;

template <typename Record> Record filled(uint32_t pattern);

template <> TimeSetting filled<TimeSetting>(uint32_t pattern)
{
    return {pattern, pattern, pattern};
}

template <> PlayStatus filled<PlayStatus>(uint32_t pattern)
{
    return {pattern, pattern, pattern, pattern, pattern};
}

} // namespace

AlarmReading readAlarm(AcpiBridge &bridge)
{
    AlarmReading reading;

    uint32_t statusA = PatternA, statusB = PatternB;
    const bool statusOkA = bridge.GetStatus(&statusA);
    const bool statusOkB = bridge.GetStatus(&statusB);
    reading.statusRead = statusOkA && statusOkB && statusA == statusB;
    reading.status = reading.statusRead ? statusA : 0;

    TimeSetting timeA = filled<TimeSetting>(PatternA), timeB = filled<TimeSetting>(PatternB);
    const bool timeOkA = bridge.GetTimeSetting(&timeA);
    const bool timeOkB = bridge.GetTimeSetting(&timeB);
    reading.hourRead = timeA.hour == timeB.hour;
    reading.minuteRead = timeA.minute == timeB.minute;
    // A day whose read fails counts as 0 and only the Saturday read decides
    // the result: the days stand as read only when both reads succeeded and
    // agree.
    reading.daysRead = timeOkA && timeOkB && timeA.days == timeB.days;
    reading.time.hour = reading.hourRead ? timeA.hour : 0;
    reading.time.minute = reading.minuteRead ? timeA.minute : 0;
    reading.time.days = reading.daysRead ? (timeA.days & 0x7Fu) : 0;

    PlayStatus playA = filled<PlayStatus>(PatternA), playB = filled<PlayStatus>(PatternB);
    bridge.GetPlayStatus(&playA);
    bridge.GetPlayStatus(&playB);
    reading.driveRead = playA.drive == playB.drive;
    reading.trackRead = playA.track == playB.track;
    reading.repeatRead = playA.repeatMode == playB.repeatMode;
    reading.durationRead = playA.duration == playB.duration;
    reading.volumeRead = playA.volume == playB.volume;
    reading.play.drive = reading.driveRead ? playA.drive : 0;
    reading.play.track = reading.trackRead ? playA.track : 0;
    reading.play.repeatMode = reading.repeatRead ? playA.repeatMode : 0;
    reading.play.duration = reading.durationRead ? playA.duration : 0;
    reading.play.volume = reading.volumeRead ? playA.volume : 0;
    return reading;
}
