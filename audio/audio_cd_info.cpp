#include "audio/audio_cd_info.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <optional>

namespace {

const std::string TimeFormatTmsf = std::string("set cd time format ") + " " + "tmsf wait";
const std::string TimeFormatMs = std::string("set cd time format ") + " " + "ms";

// A cleaned reply as a whole decimal number of type T, or nothing.
template <typename T> std::optional<T> replyNumber(const std::string &reply)
{
    const std::string text = KeepPrintable(reply);
    T number{};
    const char *const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

AudioCDInfo::AudioCDInfo(std::string_view drives, int32_t count, std::unique_ptr<MciDevice> mci)
    : m_mci(std::move(mci))
{
    const size_t kept =
        std::min({drives.size(), static_cast<size_t>(std::max(count, 0)), MaxDrives});
    Drives.assign(drives.substr(0, kept));
    // Without a drive there is nothing to open; every later query then fails
    // as it does on a drive that did not open.
    if (static_cast<size_t>(DriveIndex) < Drives.size())
        SendMci(std::string("open ") + Drives[static_cast<size_t>(DriveIndex)] +
                ":\\ type cdaudio alias cd");
    SendMci(TimeFormatTmsf);
}

bool AudioCDInfo::IsMediaPresent()
{
    std::string reply;
    if (SendMci("status cd media present", reply) != 0)
        return false;
    return KeepPrintable(reply) == "true";
}

void AudioCDInfo::ReadTrackList()
{
    if (!IsMediaPresent())
        return;
    TrackLengths.clear();
    TrackCount = 0;

    std::string reply;
    SendMci("status cd number of tracks wait", reply);
    const auto count = replyNumber<int32_t>(reply);
    if (!count) {
        abandonTrackList();
        return;
    }
    const int32_t tracks = std::clamp(*count, 0, MaxTracks);

    SendMci(TimeFormatMs);
    TrackLengths.reserve(static_cast<size_t>(tracks));
    for (int32_t track = 1; track <= tracks; ++track) {
        SendMci("status cd length track " + std::to_string(track), reply);
        const auto length = replyNumber<uint32_t>(reply);
        if (!length) {
            abandonTrackList();
            return;
        }
        TrackLengths.push_back(*length);
    }
    TrackCount = tracks;
    SendMci(TimeFormatTmsf);
}

bool AudioCDInfo::PlayTracks(int32_t fromTrack, int32_t toTrack)
{
    // The disc is asked for twice before each play.
    if (!IsMediaPresent() || !IsMediaPresent())
        return false;
    std::string command = "play cd from " + std::to_string(fromTrack);
    if (toTrack != 0)
        command += " To " + std::to_string(toTrack);
    const uint32_t error = SendMci(command);
    if (error == 0)
        return true;
    if (m_errorBox)
        m_errorBox({m_mci->errorText(error), ErrorCaption, MessageBoxRequest::Icon::Error});
    return false;
}

void AudioCDInfo::StopPlaying()
{
    if (IsMediaPresent())
        SendMci("stop cd wait");
}

void AudioCDInfo::CloseDevice() noexcept
{
    // Closing never fails towards the caller.
    try {
        SendMci("stop cd wait");
        SendMci("close cd");
    } catch (const std::exception &) {
    }
}

uint32_t AudioCDInfo::SendMci(const std::string &command, std::string &reply)
{
    reply.clear();
    const uint32_t error = m_mci->sendString(command, reply);
    // The reply is what a buffer of 256 characters holds, up to its first zero.
    const size_t end = std::min(reply.find('\0'), ReplyCapacity - 1);
    if (end < reply.size())
        reply.resize(end);
    return error;
}

uint32_t AudioCDInfo::SendMci(const std::string &command)
{
    std::string reply;
    return SendMci(command, reply);
}

void AudioCDInfo::abandonTrackList()
{
    // A reply that is no number leaves no half-read list behind, and the
    // device goes back to the format in which play commands name tracks.
    TrackCount = 0;
    TrackLengths.clear();
    SendMci(TimeFormatTmsf);
}

std::string KeepPrintable(std::string_view reply)
{
    std::string kept;
    for (const char c : reply) {
        const auto code = static_cast<signed char>(c);
        if (code > 32 && code < 123)
            kept += c;
    }
    return kept;
}

std::string FormatTrackLength(uint32_t milliseconds)
{
    const uint32_t seconds = milliseconds / 1000 + (milliseconds % 1000 != 0 ? 1 : 0);
    const uint32_t hours = seconds / 3600;
    const uint32_t minutes = (seconds % 3600) / 60;
    const uint32_t rest = seconds % 60;
    char text[32];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%.2u:%.2u:%.2u", hours, minutes, rest);
    else if (minutes > 0)
        std::snprintf(text, sizeof text, "%.2u:%.2u", minutes, rest);
    else if (rest > 0)
        std::snprintf(text, sizeof text, "%.2u", rest);
    else
        return "0";
    return text;
}
