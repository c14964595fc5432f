#pragma once

#include "audio/mci_device.h"
#include "audio/message_box_request.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Plays the tracks of an audio CD in one drive and reads the disc's table of
// tracks, through the media control interface under the fixed alias cd. Only
// one player may have its device open at a time: the owner closes the old
// one before it creates the next. Used on one thread only.
class AudioCDInfo
{
public:
    static constexpr size_t MaxDrives = 26;
    // An audio CD holds at most 99 tracks; a larger count is not believed.
    static constexpr int32_t MaxTracks = 99;
    static constexpr size_t ReplyCapacity = 256;

    // Keeps the first `count` letters of `drives` (at most 26), opens the
    // device on the first and sets the track time format.
    AudioCDInfo(std::string_view drives, int32_t count)
        : AudioCDInfo(drives, count, MciDevice::create())
    {
    }
    AudioCDInfo(std::string_view drives, int32_t count, std::unique_ptr<MciDevice> mci);
    AudioCDInfo(const AudioCDInfo &) = delete;
    AudioCDInfo &operator=(const AudioCDInfo &) = delete;

    bool IsMediaPresent();
    void ReadTrackList();
    // Plays from the start of `fromTrack` to the end of the disc when
    // `toTrack` is 0, else up to the start of `toTrack`. A refused play
    // command is shown in the error box.
    bool PlayTracks(int32_t fromTrack, int32_t toTrack);
    void StopPlaying();
    void CloseDevice() noexcept;

    // Where the play error is shown, and under which caption.
    void setErrorBox(MessageBoxCallback box) { m_errorBox = std::move(box); }
    void setErrorCaption(std::string caption) { ErrorCaption = std::move(caption); }

    std::string Drives;
    int32_t DriveIndex = 0;
    int32_t TrackCount = 0;
    std::vector<uint32_t> TrackLengths;
    std::string ErrorCaption;

private:
    uint32_t SendMci(const std::string &command, std::string &reply);
    uint32_t SendMci(const std::string &command);
    void abandonTrackList();

    std::unique_ptr<MciDevice> m_mci;
    MessageBoxCallback m_errorBox;
};

// Keeps the characters "!" to "z" of an MCI reply and drops the rest.
std::string KeepPrintable(std::string_view reply);

// A track length in milliseconds as "hh:mm:ss", "mm:ss" or "ss", rounded up
// to whole seconds; "0" for nothing.
std::string FormatTrackLength(uint32_t milliseconds);
