#include "tools/vpalarm/set_request.h"

#include <cctype>

namespace {

const char *const DayKeys[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

std::string lower(const std::string &text)
{
    std::string out = text;
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmed(const std::string &text)
{
    size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

// A decimal number of at most `digits` digits and nothing else.
std::optional<uint32_t> parseNumber(const std::string &text, size_t digits)
{
    if (text.empty() || text.size() > digits)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

std::optional<int> parseDay(const std::string &text)
{
    for (int k = 0; k < 7; ++k) {
        if (text == DayKeys[k])
            return k;
    }
    return std::nullopt;
}

bool offers(const ChoiceList &list, uint32_t value)
{
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.values[j] == value)
            return true;
    }
    return false;
}

std::string offerText(const ChoiceList &list)
{
    if (list.count == 0)
        return "nothing";
    std::string text;
    for (uint32_t j = 0; j < list.count; ++j) {
        if (j > 0)
            text += ", ";
        text += list.names[j][0] != '\0' ? list.names[j] : std::to_string(list.values[j]);
        if (list.count > 20 && j == 2 && list.names[j][0] == '\0') {
            text += ", ..., " + std::to_string(list.values[list.count - 1]);
            break;
        }
    }
    return text;
}

} // namespace

std::optional<std::pair<uint32_t, uint32_t>> parseTime(const std::string &input)
{
    std::string text = lower(trimmed(input));
    std::optional<bool> pm;
    for (const char *suffix : {"am", "pm"}) {
        if (text.size() > 2 && text.compare(text.size() - 2, 2, suffix) == 0) {
            pm = suffix[0] == 'p';
            text = trimmed(text.substr(0, text.size() - 2));
        }
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::optional<uint32_t> hour = parseNumber(text.substr(0, colon), 2);
    const std::string minuteText = text.substr(colon + 1);
    const std::optional<uint32_t> minute = parseNumber(minuteText, 2);
    if (!hour || !minute || minuteText.size() != 2 || *minute > 59)
        return std::nullopt;
    if (!pm)
        return *hour <= 23 ? std::optional(std::pair(*hour, *minute)) : std::nullopt;
    // 12 AM is midnight, 12 PM noon.
    if (*hour < 1 || *hour > 12)
        return std::nullopt;
    return std::pair(*hour % 12 + (*pm ? 12u : 0u), *minute);
}

std::optional<uint32_t> parseDays(const std::string &input)
{
    const std::string text = lower(trimmed(input));
    if (text == "none")
        return 0u;
    uint32_t days = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string part = trimmed(text.substr(start, comma - start));
        const size_t dash = part.find('-');
        if (dash == std::string::npos) {
            const std::optional<int> day = parseDay(part);
            if (!day)
                return std::nullopt;
            days |= 1u << *day;
        } else {
            const std::optional<int> from = parseDay(trimmed(part.substr(0, dash)));
            const std::optional<int> to = parseDay(trimmed(part.substr(dash + 1)));
            if (!from || !to)
                return std::nullopt;
            // A range runs through the week and may wrap: fri-mon.
            for (int k = *from;; k = (k + 1) % 7) {
                days |= 1u << k;
                if (k == *to)
                    break;
            }
        }
        start = comma + 1;
    }
    return days;
}

std::optional<uint32_t> parseChoice(const ChoiceList &list, const std::string &input)
{
    const std::string text = lower(trimmed(input));
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.names[j][0] != '\0' && lower(list.names[j]) == text)
            return list.values[j];
    }
    const std::optional<uint32_t> value = parseNumber(text, 9);
    if (value && offers(list, *value))
        return value;
    return std::nullopt;
}

SetParse parseSetArguments(const std::vector<std::string> &arguments, const FirmwareOffer &offer)
{
    SetParse result;
    SetRequest &r = result.request;
    auto fail = [&result](const std::string &message) {
        result.error = message;
        return result;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string &option = arguments[i];
        if (option.size() > MaxArgumentLength)
            return fail("argument " + std::to_string(i + 1) + " is too long");
        if (option == "--on" || option == "--off") {
            if (r.on && *r.on != (option == "--on"))
                return fail("--on and --off contradict each other");
            r.on = option == "--on";
            continue;
        }
        static const char *const valued[] = {"--time",   "--days",     "--drive", "--track",
                                             "--repeat", "--duration", "--volume"};
        bool known = false;
        for (const char *name : valued)
            known = known || option == name;
        if (!known)
            return fail("unknown argument \"" + option.substr(0, MaxArgumentLength) + "\"");
        if (i + 1 >= arguments.size())
            return fail(option + " needs a value");
        std::string value = arguments[++i];
        if (value.size() > MaxArgumentLength)
            return fail(option + ": the value is too long");
        // "--time 6:30 PM" may come as two arguments.
        if (option == "--time" && i + 1 < arguments.size()) {
            const std::string next = lower(arguments[i + 1]);
            if (next == "am" || next == "pm")
                value += " " + arguments[++i];
        }

        if (option == "--time") {
            const auto time = parseTime(value);
            if (!time)
                return fail("--time \"" + value + "\" is not HH:MM (24-hour) or H:MM AM|PM");
            if (!offers(offer.hours, time->first))
                return fail("--time: the firmware does not offer the hour " +
                            std::to_string(time->first) + " (it offers " + offerText(offer.hours) +
                            ")");
            if (!offers(offer.minutes, time->second))
                return fail("--time: the firmware does not offer the minute " +
                            std::to_string(time->second) + " (it offers " +
                            offerText(offer.minutes) + ")");
            r.hour = time->first;
            r.minute = time->second;
        } else if (option == "--days") {
            const auto days = parseDays(value);
            if (!days)
                return fail("--days \"" + value + "\" is not a list of sun, mon, tue, wed, thu, " +
                            "fri, sat (ranges such as mon-fri) or none");
            r.days = *days;
        } else if (option == "--track") {
            // The firmware numbers tracks from 0; people and the panel from 1.
            // An audio CD has at most 99 tracks.
            const auto track = parseNumber(trimmed(value), 2);
            if (!track || *track < 1)
                return fail("--track \"" + value + "\" is not a track number from 1 to 99");
            r.track = *track - 1;
        } else {
            const ChoiceList *list = nullptr;
            std::optional<uint32_t> *field = nullptr;
            if (option == "--drive")
                list = &offer.drives, field = &r.drive;
            else if (option == "--repeat")
                list = &offer.modes, field = &r.repeatMode;
            else if (option == "--duration")
                list = &offer.durations, field = &r.duration;
            else
                list = &offer.volumes, field = &r.volume;
            const auto choice = parseChoice(*list, value);
            if (!choice)
                return fail(option + " \"" + value + "\" is not on offer (the firmware offers " +
                            offerText(*list) + ")");
            *field = *choice;
        }
    }
    if (!r.on && !r.changesTime() && !r.changesPlay())
        return fail("set needs at least one of --on, --off, --time, --days, --drive, --track, "
                    "--repeat, --duration, --volume");
    return result;
}
