// When the alarm rings next, at clocks fixed by the tests, in time zones set
// in this process.

#include "app/alarm/alarm_clock.h"
#include "app/alarm/next_ring.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr uint32_t Sun = 1, Mon = 2, Tue = 4, Wed = 8, Fri = 32, Sat = 64;

void useTimeZone(const std::string &zone)
{
    testsupport::setEnvironment("TZ", zone);
    tzset();
#ifdef _WIN32
    // The Windows runtime takes a zone's name, offset and summer-time name
    // from TZ, but keeps the summer-time bias of the last zone the system
    // gave it (none, where the system's zone has no summer time). Every
    // zone here moves its clock by the hour.
    _dstbias = -3600;
#endif
}

// The moment the local clock shows this date and time (summer or standard
// time as the zone has it then).
std::time_t local(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class NextRing : public ::testing::Test
{
protected:
    void SetUp() override { useTimeZone("UTC0"); }
    void TearDown() override
    {
        testsupport::unsetEnvironment("TZ");
        tzset();
    }
};

// 2026-12-08 is a Tuesday.
TEST_F(NextRing, OffOrWithoutDaysSaysSoWhateverTheTime)
{
    const std::time_t now = local(2026, 12, 8, 12, 0);
    EXPECT_EQ(nextRingText(0, {Mon | Tue, 6, 30}, now), "The alarm is off");
    EXPECT_EQ(nextRingText(0, {0, 6, 30}, now), "The alarm is off");
    EXPECT_EQ(nextRingText(1, {0, 6, 30}, now), "No day is set");
    // Bits above Saturday are no day.
    EXPECT_EQ(nextRingText(1, {0x80, 6, 30}, now), "No day is set");
    // Any nonzero status is on.
    EXPECT_EQ(nextRingText(7, {Tue, 18, 0}, now), "Rings Tuesday at 6:00 PM, in 6 h 0 min");
    // A firmware hour or minute outside the day never rings.
    EXPECT_EQ(nextRingText(1, {Tue, 24, 0}, now), "The alarm time is not a time of day");
    EXPECT_EQ(nextRingText(1, {Tue, 6, 60}, now), "The alarm time is not a time of day");
}

TEST_F(NextRing, RingsLaterTodayInTwelveHourForm)
{
    const std::time_t now = local(2026, 12, 8, 23, 18);
    EXPECT_EQ(nextRingText(1, {Tue | Wed, 23, 59}, now),
              "Rings Tuesday at 11:59 PM, in 0 h 41 min");
    EXPECT_EQ(nextRingText(1, {Tue, 23, 30}, local(2026, 12, 8, 0, 5)),
              "Rings Tuesday at 11:30 PM, in 23 h 25 min");
    // Midnight and noon are 12 AM and 12 PM.
    EXPECT_EQ(nextRingText(1, {Wed, 0, 0}, now), "Rings Wednesday at 12:00 AM, in 0 h 42 min");
    EXPECT_EQ(nextRingText(1, {Tue, 12, 5}, local(2026, 12, 8, 11, 0)),
              "Rings Tuesday at 12:05 PM, in 1 h 5 min");
}

TEST_F(NextRing, TheWeekWrapsFromSaturdayToSunday)
{
    // Saturday 2026-12-12, 23:18: the next set day is Sunday, then Monday.
    const std::time_t saturday = local(2026, 12, 12, 23, 18);
    EXPECT_EQ(nextRingText(1, {Sun | Mon, 6, 30}, saturday),
              "Rings Sunday at 6:30 AM, in 7 h 12 min");
    EXPECT_EQ(nextRingText(1, {Mon | Fri, 6, 30}, saturday),
              "Rings Monday at 6:30 AM, in 1 d 7 h 12 min");
    // From Tuesday evening a Monday alarm is six days away.
    EXPECT_EQ(nextRingText(1, {Mon, 6, 30}, local(2026, 12, 8, 20, 0)),
              "Rings Monday at 6:30 AM, in 5 d 10 h 30 min");
}

TEST_F(NextRing, ADaySetOnlyForTodayThatHasPassedRingsInAWeek)
{
    const TimeSetting tuesday{Tue, 6, 30};
    EXPECT_EQ(nextRingText(1, tuesday, local(2026, 12, 8, 6, 31)),
              "Rings Tuesday at 6:30 AM, in 6 d 23 h 59 min");
    // At the very second it rings the ring is under way: the next is a week on.
    EXPECT_EQ(nextRingText(1, tuesday, local(2026, 12, 8, 6, 30)),
              "Rings Tuesday at 6:30 AM, in 7 d 0 h 0 min");
    // Less than a minute before, it reads one minute, never "0 h 0 min".
    EXPECT_EQ(nextRingText(1, tuesday, local(2026, 12, 8, 6, 29, 59)),
              "Rings Tuesday at 6:30 AM, in 0 h 1 min");
    EXPECT_EQ(nextRingText(1, tuesday, local(2026, 12, 8, 6, 29, 0)),
              "Rings Tuesday at 6:30 AM, in 0 h 1 min");
}

TEST_F(NextRing, TheClockSeamGivesNow)
{
    struct FixedClock : AlarmClock
    {
        std::time_t now() const override { return local(2026, 12, 12, 23, 18); }
    } fixed;
    AlarmClock::install(&fixed);
    EXPECT_EQ(nextRingText(1, {Sun, 6, 30}), "Rings Sunday at 6:30 AM, in 7 h 12 min");
    AlarmClock::install(nullptr);
    EXPECT_NE(nextRingText(1, {Sun, 6, 30}), "Rings Sunday at 6:30 AM, in 7 h 12 min");
}

// The same zone for every C runtime the program runs on: the Windows runtime
// takes a zone as a name, an offset and a summer-time name and gives it the
// United States' rules (from 2:00 on the second Sunday of March to 2:00 on
// the first Sunday of November), which the POSIX form spells out.
#ifdef _WIN32
const char UsEastern[] = "EST5EDT";
#else
const char UsEastern[] = "EST5EDT,M3.2.0,M11.1.0";
#endif

// The Saturdays before a zone's two changes of the clock in 2026, and the
// hour of the night that the autumn change passes twice.
struct ClockChanges
{
    int springMonth, springSaturday;
    int autumnMonth, autumnSaturday;
    uint32_t doubledHour;
};

// From 22:00 on each Saturday: the night before a change loses or gains an
// hour, a time the spring change skips rings on the next set day, and a
// time the autumn change shows twice rings the first time.
void expectRealTimeLeft(const ClockChanges &zone)
{
    const std::time_t spring = local(2026, zone.springMonth, zone.springSaturday, 22, 0);
    const std::time_t autumn = local(2026, zone.autumnMonth, zone.autumnSaturday, 22, 0);
    EXPECT_EQ(nextRingText(1, {Sun, 6, 30}, spring), "Rings Sunday at 6:30 AM, in 7 h 30 min");
    EXPECT_EQ(nextRingText(1, {Sun, 6, 30}, autumn), "Rings Sunday at 6:30 AM, in 9 h 30 min");
    EXPECT_EQ(nextRingText(1, {Sun | Mon, 2, 30}, spring),
              "Rings Monday at 2:30 AM, in 1 d 3 h 30 min");
    const uint32_t doubled = zone.doubledHour;
    EXPECT_EQ(nextRingText(1, {Sun, doubled, 30}, autumn),
              "Rings Sunday at " + std::to_string(doubled) + ":30 AM, in " +
                  std::to_string(doubled + 2) + " h 30 min");
    // A Sunday-only alarm at 2:30 in spring skips that Sunday and rings a week on.
    const std::optional<std::time_t> ring = nextRing({Sun, 2, 30}, spring);
    ASSERT_TRUE(ring.has_value());
    EXPECT_EQ(*ring, local(2026, zone.springMonth, zone.springSaturday + 8, 2, 30));
    // Past the change the weekday and the time of day stay the clock's.
    EXPECT_EQ(nextRingText(1, {Mon, 6, 30}, spring), "Rings Monday at 6:30 AM, in 1 d 7 h 30 min");
}

TEST_F(NextRing, DaylightSavingChangesCountRealTimeLeft)
{
    // 2:00 on Sunday 2026-03-08 and 2:00 on Sunday 2026-11-01.
    useTimeZone(UsEastern);
    expectRealTimeLeft({3, 7, 10, 31, 1});
}

// Where the C library reads the zone database, a zone by its name, whose
// clock changes at other hours and on other days.
#ifndef _WIN32
TEST_F(NextRing, DaylightSavingChangesOfANamedZone)
{
    // 2:00 on Sunday 2026-03-29 and 3:00 on Sunday 2026-10-25.
    useTimeZone("Europe/Berlin");
    expectRealTimeLeft({3, 28, 10, 24, 2});
}
#endif

} // namespace
