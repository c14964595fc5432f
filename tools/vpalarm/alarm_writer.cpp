#include "tools/vpalarm/alarm_writer.h"

#include <vector>

namespace {

struct FieldCheck
{
    const char *name;
    bool readBack;
    uint32_t held;
    uint32_t wanted;
};

// The first field the firmware did not keep, or an empty text.
std::string firstMismatch(const std::vector<FieldCheck> &checks)
{
    for (const FieldCheck &c : checks) {
        if (!c.readBack)
            return std::string("the ") + c.name + " could not be read back";
        if (c.held != c.wanted)
            return std::string("the firmware did not keep the ") + c.name + " (it holds " +
                   std::to_string(c.held) + ", not " + std::to_string(c.wanted) + ")";
    }
    return {};
}

// A field that a whole-record write would send unchanged must have been read,
// or the write would put an unknown value in its place.
std::string unreadKept(const std::vector<std::pair<const char *, bool>> &fields)
{
    for (const auto &[name, read] : fields) {
        if (!read)
            return std::string("the ") + name + " could not be read, so it cannot be kept";
    }
    return {};
}

} // namespace

WriteOutcome writeAlarm(AcpiBridge &bridge, const AlarmReading &before, const SetRequest &request)
{
    WriteOutcome outcome;
    const SetRequest &r = request;

    std::string unread;
    if (r.changesTime())
        unread = unreadKept({{"alarm hour", r.hour || before.hourRead},
                             {"alarm minute", r.minute || before.minuteRead},
                             {"alarm days", r.days || before.daysRead}});
    if (unread.empty() && r.changesPlay())
        unread = unreadKept({{"drive", r.drive || before.driveRead},
                             {"track", r.track || before.trackRead},
                             {"repeat mode", r.repeatMode || before.repeatRead},
                             {"duration", r.duration || before.durationRead},
                             {"volume", r.volume || before.volumeRead}});
    if (!unread.empty()) {
        outcome.error = unread;
        return outcome;
    }

    const TimeSetting time{r.days.value_or(before.time.days), r.hour.value_or(before.time.hour),
                           r.minute.value_or(before.time.minute)};
    const PlayStatus play{r.drive.value_or(before.play.drive), r.track.value_or(before.play.track),
                          r.repeatMode.value_or(before.play.repeatMode),
                          r.duration.value_or(before.play.duration),
                          r.volume.value_or(before.play.volume)};

    if (r.on && !bridge.SetStatus(!*r.on)) {
        outcome.error = "the firmware refused the alarm switch";
        outcome.after = readAlarm(bridge);
        return outcome;
    }
    // The whole-record writes report success whatever the firmware did; the
    // read-back below is what tells.
    if (r.changesTime())
        bridge.SetTimeSetting(&time);
    if (r.changesPlay())
        bridge.SetPlayStatus(&play);

    const AlarmReading &a = outcome.after = readAlarm(bridge);
    std::vector<FieldCheck> checks;
    if (r.on)
        checks.push_back({"alarm switch", a.statusRead, a.status != 0 ? 1u : 0u, *r.on ? 1u : 0u});
    if (r.changesTime()) {
        checks.push_back({"alarm hour", a.hourRead, a.time.hour, time.hour});
        checks.push_back({"alarm minute", a.minuteRead, a.time.minute, time.minute});
        checks.push_back({"alarm days", a.daysRead, a.time.days, time.days & 0x7Fu});
    }
    if (r.changesPlay()) {
        checks.push_back({"drive", a.driveRead, a.play.drive, play.drive});
        checks.push_back({"track", a.trackRead, a.play.track, play.track});
        checks.push_back({"repeat mode", a.repeatRead, a.play.repeatMode, play.repeatMode});
        checks.push_back({"duration", a.durationRead, a.play.duration, play.duration});
        checks.push_back({"volume", a.volumeRead, a.play.volume, play.volume});
    }
    outcome.error = firstMismatch(checks);
    outcome.stored = outcome.error.empty();
    return outcome;
}
