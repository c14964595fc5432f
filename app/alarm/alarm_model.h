#pragma once

#include "app/binding/acpi_bridge.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// One field of a record as the firmware holds it: its value when the firmware
// gave it, nothing when it would not.
using HeldValue = std::optional<uint32_t>;

// The time setting as the firmware holds it. The library reads the seven day
// items as one field, known by its Saturday read.
struct HeldTime
{
    HeldValue days;
    HeldValue hour;
    HeldValue minute;

    // The whole record, when every field of it is known.
    std::optional<TimeSetting> setting() const;
};

// The play status as the firmware holds it.
struct HeldPlay
{
    HeldValue drive;
    HeldValue track;
    HeldValue repeatMode;
    HeldValue duration;
    HeldValue volume;

    std::optional<PlayStatus> status() const;
};

// The alarm as the firmware holds it, field by field, known or unknown. It is
// the one place that reads and writes the firmware's records: every write is
// followed by a read of the record written, so what it holds is what the
// firmware holds after a write the firmware took in full, in part or not at
// all. The panel and the tooltip show it; the dialogs start their edits from
// it and write through it. Observers hear of every load.
class AlarmModel
{
public:
    // The parts of the alarm that are loaded and shown together: the status
    // with the time setting, and the play status.
    enum class Part
    {
        Time,
        Play,
    };

    explicit AlarmModel(AcpiBridge &bridge) : m_bridge(bridge) {}
    AlarmModel(const AlarmModel &) = delete;
    AlarmModel &operator=(const AlarmModel &) = delete;

    AcpiBridge &bridge() const { return m_bridge; }

    // Reads the status; answers whether the firmware gave it.
    bool loadStatus();
    // Reads the time setting.
    void loadTime();
    // Reads the play status.
    void loadPlay();

    const HeldValue &status() const { return m_status; }
    const HeldTime &time() const { return m_time; }
    const HeldPlay &play() const { return m_play; }

    // What the bridge answered to the writes of the status and time.
    enum class AlarmWrite
    {
        Done,
        StatusRefused, // nothing more was written
        TimeRefused,
    };
    // Writes the status and, when `setting` is given (the alarm is on), the
    // time setting, then reads both back, whatever the bridge answered.
    AlarmWrite writeAlarm(bool disabled, const TimeSetting *setting);
    // Writes the play status and reads it back; answers the bridge's result.
    bool writePlay(const PlayStatus &status);
    // The library reports a record written even when the firmware refused
    // some of its items: only these tell whether it holds what was written.

    // Whether the firmware is known to hold exactly this.
    bool holdsStatus(bool disabled) const;
    bool holdsTime(const TimeSetting &setting) const;
    bool holdsPlay(const PlayStatus &status) const;

    // Runs `observer` after every load of a part, by the model or through it.
    void observe(std::function<void(Part)> observer);

private:
    void changed(Part part);

    AcpiBridge &m_bridge;
    HeldValue m_status;
    HeldTime m_time;
    HeldPlay m_play;
    std::vector<std::function<void(Part)>> m_observers;
};
