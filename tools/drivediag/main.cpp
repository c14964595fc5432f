// drivediag: prints what the drive discovery finds on this machine and the
// tracks of each CD drive's disc, the first things a support request needs.

#include "audio/audio_cd_info.h"
#include "discovery/ide_devices.h"

#include <cstdio>
#include <string>

namespace {

const char *kindName(int32_t kind)
{
    return kind == IDEDevices::DriveCdrom ? "CD-ROM" : "other";
}

void printSlots(const IDEDevices &devices)
{
    std::printf("IDE devices: %d\n", static_cast<int>(devices.Count));
    for (int32_t slot = 0; slot < IDEDevices::SlotCount; ++slot) {
        const char letter = devices.Letter[static_cast<size_t>(slot)];
        std::printf("  slot %d: kind %d (%s), letter %s%s, position %d\n", static_cast<int>(slot),
                    static_cast<int>(devices.Kind[static_cast<size_t>(slot)]),
                    kindName(devices.Kind[static_cast<size_t>(slot)]),
                    letter ? std::string(1, letter).c_str() : "-", letter ? ":" : "",
                    static_cast<int>(devices.Position[static_cast<size_t>(slot)]));
    }
}

void printDisc(char letter)
{
    std::printf("Drive %c:\n", letter);
    AudioCDInfo player(std::string(1, letter), 1);
    player.setErrorBox([](const MessageBoxRequest &box) {
        std::fprintf(stderr, "message: %s\n", box.text.c_str());
    });
    if (!player.IsMediaPresent()) {
        std::printf("  no audio disc\n");
    } else {
        player.ReadTrackList();
        std::printf("  tracks: %d\n", static_cast<int>(player.TrackCount));
        for (size_t track = 0; track < player.TrackLengths.size(); ++track)
            std::printf("  %2u  %-10s (%lu ms)\n", static_cast<unsigned>(track + 1),
                        FormatTrackLength(player.TrackLengths[track]).c_str(),
                        static_cast<unsigned long>(player.TrackLengths[track]));
    }
    player.CloseDevice();
}

} // namespace

int main()
{
    IDEDevices devices;
    const int32_t result = devices.Discover();
    std::printf("Discovery result: %d\n", static_cast<int>(result));
    std::printf("Failure text: %s\n",
                devices.message().empty() ? "(none)" : std::string(devices.message()).c_str());
    printSlots(devices);
    for (int32_t slot = 0; slot < IDEDevices::SlotCount; ++slot) {
        const auto index = static_cast<size_t>(slot);
        if (devices.Kind[index] == IDEDevices::DriveCdrom && devices.Letter[index] != '\0')
            printDisc(devices.Letter[index]);
    }
    return result == IDEDevices::Found ? 0 : 1;
}
