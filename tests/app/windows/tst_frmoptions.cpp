// The options dialog: what a volume text means and how the field is
// repaired, the mixer levels of the volume numbers, and how long and in
// which way a test plays.

#include "app/windows/option_rules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace OptionRules;

namespace {

ChoiceList listOf(std::initializer_list<std::pair<const char *, uint32_t>> entries)
{
    ChoiceList list;
    for (const auto &[name, value] : entries) {
        std::strncpy(list.names[list.count], name, ChoiceList::NameSize - 1);
        list.values[list.count++] = value;
    }
    return list;
}

} // namespace

TEST(OptionRules, RepairsTheVolumeText)
{
    struct Case
    {
        const char *typed;
        const char *kept; // null: the text stays
    };
    const Case cases[] = {
        {"99", "16"}, {"16", nullptr}, {"17", "16"},    {"", "8"},  {"ab", "8"},
        {"-5", "0"},  {"0", nullptr},  {"05", nullptr}, {"-", "8"}, {"5 ", "8"},
        {" 5", "8"},  {"+5", "8"},     {"5a", "8"},
    };
    for (const Case &c : cases) {
        const std::optional<std::string> repaired = repairedVolume(c.typed, 16);
        if (c.kept)
            EXPECT_EQ(repaired, std::string(c.kept)) << '"' << c.typed << '"';
        else
            EXPECT_FALSE(repaired) << '"' << c.typed << '"';
    }
    // A repaired text needs no further repair.
    for (const Case &c : cases) {
        if (const auto repaired = repairedVolume(c.typed, 16)) {
            EXPECT_FALSE(repairedVolume(*repaired, 16)) << *repaired;
        }
    }
}

TEST(OptionRules, VolumeNumbersSetTheMixerInEqualSteps)
{
    const uint32_t step = mixerStep(16);
    EXPECT_EQ(step, 4369u);
    EXPECT_EQ(mixerLevel(8, step), 34952u);
    EXPECT_EQ(mixerLevel(15, step), 65535u);
    // A typed highest number computes past full level; the mixer clamps it.
    EXPECT_EQ(mixerLevel(16, step), 69904u);
    EXPECT_EQ(mixerLevel(-3, step), 0u);
    // Without two values there is no step: the one volume is full level.
    EXPECT_EQ(mixerStep(1), 65535u);
    EXPECT_EQ(mixerStep(0), 65535u);
    EXPECT_EQ(mixerStep(-1), 65535u);
}

TEST(OptionRules, TestLengthAndWayFollowTheChosenNames)
{
    EXPECT_EQ(testSeconds("10 mins"), 600u);
    EXPECT_EQ(testSeconds("20 mins"), 1200u);
    EXPECT_EQ(testSeconds("30 mins"), 1800u);
    EXPECT_EQ(testSeconds("1 hour"), 3600u);
    // Durations compare exactly; any other name tests for ten minutes.
    EXPECT_EQ(testSeconds("20 MINS"), 600u);
    EXPECT_EQ(testSeconds("5 minutes"), 600u);
    EXPECT_EQ(testSeconds(""), 600u);

    // Repeat modes compare in lower case.
    EXPECT_EQ(testPlay("None"), TestPlay::Once);
    EXPECT_EQ(testPlay("NONE"), TestPlay::Once);
    EXPECT_EQ(testPlay("sInGlE"), TestPlay::RepeatOne);
    EXPECT_EQ(testPlay("All"), TestPlay::ToEnd);
    EXPECT_EQ(testPlay("Shuffle"), TestPlay::ToEnd);
    EXPECT_EQ(testPlay(""), TestPlay::ToEnd);
}

TEST(OptionRules, FirmwareEntriesAreFoundByValueWithinTheList)
{
    ChoiceList modes = listOf({{"None", 0}, {"Single", 1}, {"All", 2}, {"Again", 1}});
    EXPECT_EQ(entryOf(modes, 1), 1u);
    EXPECT_FALSE(entryOf(modes, 7));
    EXPECT_TRUE(validEntry(modes, 3));
    EXPECT_FALSE(validEntry(modes, 4));
    EXPECT_FALSE(validEntry(modes, -1));
    // A count past the list's room never reads past its entries.
    modes.count = 1000;
    EXPECT_FALSE(entryOf(modes, 12345));
    EXPECT_FALSE(validEntry(modes, int(ChoiceList::MaxEntries)));
    // A name that fills its whole slot is cut at the slot's end.
    std::memset(modes.names[0], 'x', ChoiceList::NameSize);
    EXPECT_EQ(entryName(modes, 0), std::string(ChoiceList::NameSize, 'x'));
    EXPECT_EQ(entryName(modes, 2), "All");
    EXPECT_EQ(entryName(modes, ChoiceList::MaxEntries), "");
}
