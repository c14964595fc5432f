// The music selection dialog: where the stored drive is among the drives
// found, which row the stored track is, and what each way of playing covers.

#include "app/windows/music_rules.h"

#include <gtest/gtest.h>

using namespace MusicRules;

namespace {

ChoiceList drivePositions()
{
    ChoiceList list;
    for (uint32_t position = 0; position < 4; ++position)
        list.values[position] = position;
    list.count = 4;
    return list;
}

// A hard disk at the primary master, CD drive D at the secondary master and
// a CD drive without letter at the secondary slave.
IDEDevices notebookDrives()
{
    IDEDevices devices;
    devices.Count = 3;
    devices.Kind = {1, IDEDevices::DriveCdrom, 4, 0};
    devices.Letter = {0, 'D', 0, 0};
    devices.Position = {0, 2, 3, IDEDevices::PositionUnknown};
    return devices;
}

} // namespace

TEST(MusicRules, TheStoredDriveIsFoundByItsPosition)
{
    const ChoiceList drives = drivePositions();
    const IDEDevices devices = notebookDrives();
    StoredDrive found = findStoredDrive(drives, &devices, 2);
    EXPECT_EQ(found.kind, StoredDrive::Kind::Device);
    EXPECT_EQ(found.letter, 'D');
    // The hard disk sits there: a device without a letter.
    found = findStoredDrive(drives, &devices, 0);
    EXPECT_EQ(found.kind, StoredDrive::Kind::Device);
    EXPECT_EQ(found.letter, 0);
    EXPECT_EQ(findStoredDrive(drives, &devices, 1).kind, StoredDrive::Kind::NoDevice);
    EXPECT_EQ(findStoredDrive(drives, &devices, 9).kind, StoredDrive::Kind::Unlisted);
    // Without a finished search no device is anywhere.
    EXPECT_EQ(findStoredDrive(drives, nullptr, 2).kind, StoredDrive::Kind::NoDevice);

    EXPECT_EQ(positionOf(&devices, 'D'), 2u);
    EXPECT_EQ(positionOf(&devices, 'E'), 0u);
    EXPECT_EQ(positionOf(&devices, 0), 0u);
    EXPECT_EQ(positionOf(nullptr, 'D'), 0u);
}

TEST(MusicRules, ATableCountBeyondItsSlotsIsNotBelieved)
{
    IDEDevices devices = notebookDrives();
    devices.Count = 1000;
    EXPECT_EQ(usedSlots(&devices), IDEDevices::SlotCount);
    EXPECT_EQ(positionOf(&devices, 'Z'), 0u);
    devices.Count = -5;
    EXPECT_EQ(usedSlots(&devices), 0);
    EXPECT_EQ(findStoredDrive(drivePositions(), &devices, 2).kind, StoredDrive::Kind::NoDevice);
}

TEST(MusicRules, TheStoredTrackPicksItsRowOrTheFirst)
{
    EXPECT_EQ(storedRow(0, 12), 0);
    EXPECT_EQ(storedRow(11, 12), 11);
    EXPECT_EQ(storedRow(12, 12), 0);
    EXPECT_EQ(storedRow(98, 12), 0);
    EXPECT_EQ(storedRow(0xFFFFFFFFu, 12), 0);
    EXPECT_EQ(storedRow(0, 0), 0);
}

TEST(MusicRules, APlayedOnceTrackStopsAtTheNextUnlessItIsTheLast)
{
    EXPECT_EQ(playEnd(PlayTrackOnce, 3, 12), 4);
    EXPECT_EQ(playEnd(PlayTrackOnce, 12, 12), 0);
    EXPECT_EQ(playEnd(PlayTrackOnce, 20, 12), 0);
    EXPECT_EQ(playEnd(PlayToEnd, 3, 12), 0);
    EXPECT_EQ(playEnd(RepeatTrack, 3, 12), 0);
}
