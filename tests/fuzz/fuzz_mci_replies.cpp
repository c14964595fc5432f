// Feeds arbitrary MCI replies to the CD player's track list and checks the
// list against a plain model of how a reply becomes a number: the text up to
// its first zero and at most 255 characters, only the characters '!' to 'z'
// kept, then one whole decimal number (a count may carry a minus sign, a
// length may not) that fits its type. The count is believed up to 99 tracks;
// a reply that is no number leaves an empty list.
//
// Each input runs twice, with different digits after the zero that ends a
// reply: a reader that looks past the zero sees them, and the two runs
// differ.

#include "audio/audio_cd_info.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Reply
{
    uint32_t error = 0;
    std::string text;
};

const std::string MediaQuery = "status cd media present";
const std::string CountQuery = "status cd number of tracks wait";
const std::string LengthQuery = "status cd length track ";
const std::string TmsfFormat = "set cd time format  tmsf wait";

// The replies in order: media present, number of tracks, then the length of
// track 1, 2, ... Other commands succeed with no reply; a reply the input
// does not hold fails as a drive that is not ready.
class FuzzMci final : public MciDevice
{
public:
    FuzzMci(const std::vector<Reply> &replies, char fill, std::vector<std::string> &commands)
        : m_replies(replies), m_fill(fill), m_commands(commands)
    {
    }

    uint32_t sendString(const std::string &command, std::string &reply) override
    {
        m_commands.push_back(command);
        reply.clear();
        const std::optional<size_t> slot = slotOf(command);
        if (!slot)
            return 0;
        if (*slot >= m_replies.size())
            return 263;
        reply = m_replies[*slot].text;
        // What a buffer holds past the reply's zero is garbage.
        reply += '\0';
        reply.append(40, m_fill);
        return m_replies[*slot].error;
    }

    std::string errorText(uint32_t) override { return {}; }

private:
    static std::optional<size_t> slotOf(const std::string &command)
    {
        if (command == MediaQuery)
            return 0;
        if (command == CountQuery)
            return 1;
        if (command.rfind(LengthQuery, 0) == 0)
            return 1 + std::stoul(command.substr(LengthQuery.size()));
        return std::nullopt;
    }

    const std::vector<Reply> &m_replies;
    char m_fill;
    std::vector<std::string> &m_commands;
};

struct Outcome
{
    int32_t trackCount = 0;
    std::vector<uint32_t> lengths;
    std::vector<std::string> commands;
    bool operator==(const Outcome &) const = default;
};

Outcome run(const std::vector<Reply> &replies, char fill)
{
    Outcome outcome;
    AudioCDInfo player("D", 1, std::make_unique<FuzzMci>(replies, fill, outcome.commands));
    // A list that is left alone stays as it was.
    player.TrackCount = 3;
    player.TrackLengths = {1, 2, 3};
    player.ReadTrackList();
    outcome.trackCount = player.TrackCount;
    outcome.lengths = player.TrackLengths;
    return outcome;
}

// ---- The model ------------------------------------------------------------

std::string cleaned(const std::string &reply)
{
    std::string kept;
    for (size_t i = 0; i < reply.size() && i < 255 && reply[i] != '\0'; ++i) {
        if (reply[i] >= '!' && reply[i] <= 'z')
            kept += reply[i];
    }
    return kept;
}

// A whole decimal number within [minimum, maximum].
std::optional<int64_t> decimal(const std::string &text, bool sign, int64_t minimum,
                               int64_t maximum)
{
    size_t at = 0;
    const bool negative = sign && !text.empty() && text[0] == '-';
    if (negative)
        ++at;
    if (at == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
        value = value * 10 + (text[at] - '0');
        if (value > maximum + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

Outcome expected(const std::vector<Reply> &replies, const Outcome &ran)
{
    Outcome model;
    model.commands = ran.commands; // checked on their own below
    const auto reply = [&](size_t slot) {
        return slot < replies.size() ? replies[slot] : Reply{263, {}};
    };
    if (reply(0).error != 0 || cleaned(reply(0).text) != "true") {
        model.trackCount = 3;
        model.lengths = {1, 2, 3};
        return model;
    }
    const auto count = decimal(cleaned(reply(1).text), true, INT32_MIN, INT32_MAX);
    if (!count)
        return model;
    const int64_t tracks = *count < 0 ? 0 : (*count > 99 ? 99 : *count);
    for (int64_t track = 1; track <= tracks; ++track) {
        const auto length =
            decimal(cleaned(reply(1 + static_cast<size_t>(track)).text), false, 0, UINT32_MAX);
        if (!length) {
            model.lengths.clear();
            return model;
        }
        model.lengths.push_back(static_cast<uint32_t>(*length));
    }
    model.trackCount = static_cast<int32_t>(tracks);
    return model;
}

// A read list asks for the lengths in order and leaves the device in the
// format that play commands need.
void checkCommands(const Outcome &ran)
{
    const auto &commands = ran.commands;
    size_t lengthQueries = 0;
    for (const std::string &command : commands) {
        if (command.rfind(LengthQuery, 0) == 0 &&
            command != LengthQuery + std::to_string(++lengthQueries))
            __builtin_trap();
    }
    const bool asked = commands.size() > 3 && commands[3] == CountQuery;
    if (!asked)
        return;
    if (lengthQueries > 99 || lengthQueries < ran.lengths.size() || commands.back() != TmsfFormat)
        __builtin_trap();
}

// A length as text reads back as its whole seconds, rounded up.
void checkFormattedLength(uint32_t milliseconds)
{
    const std::string text = FormatTrackLength(milliseconds);
    const uint64_t seconds = (uint64_t(milliseconds) + 999) / 1000;
    unsigned parts[3] = {};
    int read = std::sscanf(text.c_str(), "%u:%u:%u", &parts[0], &parts[1], &parts[2]);
    uint64_t total = 0;
    for (int i = 0; i < read; ++i)
        total = total * 60 + parts[i];
    if (total != seconds || (seconds == 0 && text != "0"))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<Reply> replies;
    while (input.remaining_bytes() > 0 && replies.size() < 110) {
        Reply reply;
        const uint8_t flags = input.ConsumeIntegral<uint8_t>();
        reply.error = (flags & 1) != 0 ? 263 : 0;
        // The drive's own answer to the media query, so that most inputs
        // reach the list.
        if ((flags & 2) != 0)
            reply.text = "true\r\n";
        reply.text += input.ConsumeRandomLengthString(300);
        replies.push_back(reply);
    }

    const Outcome first = run(replies, '7');
    if (!(run(replies, '8') == first))
        __builtin_trap(); // something was read past a reply's end
    if (first.trackCount < 0 || first.trackCount > 99 ||
        first.lengths.size() != static_cast<size_t>(first.trackCount))
        __builtin_trap();
    if (!(expected(replies, first) == first))
        __builtin_trap();
    checkCommands(first);
    for (const uint32_t length : first.lengths)
        checkFormattedLength(length);
    return 0;
}
