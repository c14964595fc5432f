// vpalarm as a user runs it: the real program and the real Vesperlink beside
// it, on a machine image of the emulated notebook written by each test.

#include "tests/support/temporary_machine_image.h"
#include "tests/vpalarm/run_program.h"
#include "tools/vpalarm/set_request.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using testsupport::ProgramRun;

// The default image's item numbers: the switch 1, the days 2 to 8, then
// hour, minute, drive, track, repeat mode, duration and volume.
constexpr int ItemAlarmEnabled = 1, ItemHour = 9, ItemMinute = 10, ItemVolume = 15;

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Vpalarm : public ::testing::Test
{
protected:
    ProgramRun run(const std::vector<std::string> &arguments)
    {
        return testsupport::runProgram(VPALARM_PATH, arguments);
    }

    // What the firmware holds, read by vpalarm itself.
    json shown()
    {
        const ProgramRun shown = run({"--json"});
        EXPECT_EQ(shown.exitCode, 0) << shown.output;
        return json::parse(shown.output, nullptr, false);
    }

    // The default machine with `faults` added to its firmware.
    void addFaults(const json &faults)
    {
        ASSERT_EQ(run({}).exitCode, 0); // makes the default image
        json machine = json::parse(fileText(image()));
        machine["firmware"]["faults"] = faults;
        std::ofstream(image(), std::ios::binary | std::ios::trunc) << machine.dump();
    }

    std::string image() const { return m_image.path().string(); }

    testsupport::TemporaryMachineImage m_image{"tst_vpalarm"};
};

TEST_F(Vpalarm, ShowsEveryFieldAsThePanelDoesAndTheFirmwaresLists)
{
    const ProgramRun text = run({});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    for (const char *line :
         {"Alarm:         on\n", "Alarm Time:    06:30 AM\n",
          "Alarm Day(s):  Mon. Tue. Wed. Thu. Fri. \n", "CD-ROM:        Secondary Master\n",
          "Track:         1\n", "Repeat:        Single\n", "Duration:      10 mins\n",
          "Volume:        8\n", "Next:          Rings ",
          "drives:      0 Primary Master, 1 Primary Slave, 2 Secondary Master, 3 Secondary Slave",
          "repeat:      0 None, 1 Single, 2 All", "durations:   0 10 mins, 1 20 mins",
          "volumes:     0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n"})
        EXPECT_NE(text.output.find(line), std::string::npos) << line << "\n" << text.output;

    const json j = shown();
    ASSERT_TRUE(j.is_object());
    EXPECT_EQ(j["on"], true);
    EXPECT_EQ(j["hour"], 6);
    EXPECT_EQ(j["minute"], 30);
    EXPECT_EQ(j["time"], "06:30 AM");
    EXPECT_EQ(j["days"], json({"Mon", "Tue", "Wed", "Thu", "Fri"}));
    EXPECT_EQ(j["drive"], json({{"value", 2}, {"name", "Secondary Master"}}));
    EXPECT_EQ(j["track"], 1);
    EXPECT_EQ(j["repeat"]["name"], "Single");
    EXPECT_EQ(j["duration"]["name"], "10 mins");
    EXPECT_EQ(j["volume"], 8);
    EXPECT_EQ(j["next_ring"].get<std::string>().rfind("Rings ", 0), 0u);
    EXPECT_EQ(j["choices"]["drives"].size(), 4u);
    EXPECT_EQ(j["choices"]["volumes"].size(), 16u);
}

TEST_F(Vpalarm, SetStoresEveryFieldByNameOrValueAndSaysWhatWasStored)
{
    const ProgramRun set = run({"set", "--off", "--time", "6:45", "PM", "--days", "fri-sun",
                                "--drive", "primary slave", "--track", "12", "--repeat", "2",
                                "--duration", "1 Hour", "--volume", "15"});
    ASSERT_EQ(set.exitCode, 0) << set.output;
    EXPECT_NE(set.output.find("Stored."), std::string::npos) << set.output;
    EXPECT_NE(set.output.find("Alarm Time:    06:45 PM"), std::string::npos) << set.output;

    const json j = shown();
    EXPECT_EQ(j["on"], false);
    EXPECT_EQ(j["hour"], 18);
    EXPECT_EQ(j["minute"], 45);
    EXPECT_EQ(j["days"], json({"Sun", "Fri", "Sat"}));
    EXPECT_EQ(j["drive"]["value"], 1);
    EXPECT_EQ(j["track"], 12);
    EXPECT_EQ(j["repeat"]["name"], "All");
    EXPECT_EQ(j["duration"]["name"], "1 hour");
    EXPECT_EQ(j["volume"], 15);
    EXPECT_EQ(j["next_ring"], "The alarm is off");

    // Fields not named keep what the firmware holds; 24-hour time and none.
    ASSERT_EQ(run({"set", "--on", "--time", "00:05", "--days", "none"}).exitCode, 0);
    const json after = shown();
    EXPECT_EQ(after["on"], true);
    EXPECT_EQ(after["time"], "12:05 AM");
    EXPECT_EQ(after["days"], json::array());
    EXPECT_EQ(after["next_ring"], "No day is set");
    EXPECT_EQ(after["volume"], 15);
    EXPECT_EQ(after["drive"]["value"], 1);

    // With --json, what was stored comes as the same JSON object.
    const ProgramRun asJson = run({"--json", "set", "--volume", "3"});
    ASSERT_EQ(asJson.exitCode, 0) << asJson.output;
    const json stored = json::parse(asJson.output, nullptr, false);
    ASSERT_TRUE(stored.is_object()) << asJson.output;
    EXPECT_EQ(stored["volume"], 3);
}

TEST_F(Vpalarm, AValueNotOnOfferOrAMalformedArgumentWritesNothing)
{
    ASSERT_EQ(run({}).exitCode, 0);
    const std::string before = fileText(image());
    const std::string longText(200, '7');
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"set", "--time", "7:00", "--volume", "16"}, "--volume \"16\""},
        {{"set", "--repeat", "Twice"}, "--repeat \"Twice\""},
        {{"set", "--drive", "4"}, "--drive \"4\""},
        {{"set", "--duration", "10 mins ", "--track", "0"}, "--track \"0\""},
        {{"set", "--time", "24:00"}, "--time \"24:00\""},
        {{"set", "--time", "13:00", "PM"}, "--time \"13:00 PM\""},
        {{"set", "--time", "7:5"}, "--time \"7:5\""},
        {{"set", "--days", "mon-"}, "--days \"mon-\""},
        {{"set", "--days", "mon,,tue"}, "--days"},
        {{"set", "--on", "--off"}, "--on and --off"},
        {{"set", "--volume"}, "--volume needs a value"},
        {{"set", "--colour", "red"}, "unknown argument \"--colour\""},
        {{"set"}, "set needs at least one"},
        {{"set", "--track", longText}, "too long"},
        {{"show"}, "unknown argument \"show\""},
    };
    for (const auto &[arguments, message] : cases) {
        const ProgramRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.back() << "\n" << r.output;
        EXPECT_NE(r.output.find(message), std::string::npos) << message << "\n" << r.output;
    }
    EXPECT_EQ(fileText(image()), before);
}

TEST_F(Vpalarm, AWriteTheFirmwareRefusesOrDoesNotKeepNamesTheField)
{
    addFaults({{{"method", "SITM"}, {"item", ItemHour}, {"effect", "refuse"}},
               {{"method", "SITM"}, {"item", ItemAlarmEnabled}, {"effect", "refuse"}}});
    // The time setting's write reports success; the read-back tells.
    ProgramRun r = run({"set", "--time", "07:00"});
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find("did not keep the alarm hour (it holds 6, not 7)"), std::string::npos)
        << r.output;
    r = run({"set", "--off"});
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find("refused the alarm switch"), std::string::npos) << r.output;
    EXPECT_EQ(shown()["on"], true);
}

TEST_F(Vpalarm, AFieldThatCannotBeReadIsToldFromOneReadAsZero)
{
    // The minute answers too few bytes, the volume is refused: neither is
    // shown as a value, and neither may be written over blindly.
    addFaults({{{"method", "GITM"}, {"item", ItemMinute}, {"effect", "truncate"}, {"bytes", 4}},
               {{"method", "GITM"}, {"item", ItemVolume}, {"effect", "refuse"}}});
    const ProgramRun text = run({});
    ASSERT_EQ(text.exitCode, 0) << text.output;
    EXPECT_NE(text.output.find("Alarm Time:    (not read)"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("Volume:        (not read)"), std::string::npos) << text.output;
    const json j = shown();
    EXPECT_TRUE(j["minute"].is_null());
    EXPECT_TRUE(j["volume"].is_null());
    EXPECT_EQ(j["hour"], 6);
    EXPECT_TRUE(j["next_ring"].is_null());

    const auto refused = [&](const std::vector<std::string> &arguments, const char *message) {
        const ProgramRun r = run(arguments);
        EXPECT_EQ(r.exitCode, 3) << r.output;
        EXPECT_NE(r.output.find(message), std::string::npos) << message << "\n" << r.output;
    };
    refused({"set", "--track", "2"}, "the volume could not be read, so it cannot be kept");
    refused({"set", "--days", "sun"}, "the alarm minute could not be read, so it cannot be kept");
    // Every field given: written, but the volume is not read back.
    refused({"set", "--volume", "3", "--drive", "0", "--track", "2", "--repeat", "0", "--duration",
             "0"},
            "the volume could not be read back");
    EXPECT_EQ(shown()["track"], 2);
}

TEST_F(Vpalarm, TheBridgeFailingToStartGivesItsTextAndExitOne)
{
    // A machine image that cannot be read keeps the driver device closed.
    std::ofstream(image(), std::ios::binary) << "{ not json";
    const ProgramRun r = run({"set", "--on"});
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("Initiating failed..."), std::string::npos) << r.output;
    EXPECT_EQ(fileText(image()), "{ not json");
}

TEST_F(Vpalarm, HelpListsTheOptionsAndExitCodes)
{
    const ProgramRun r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char *part : {"--on", "--off", "--time HH:MM", "H:MM AM|PM", "--days", "mon-fri",
                             "--drive", "--track", "--repeat", "--duration", "--volume", "--json",
                             "0  done", "1  the bridge", "2  a malformed", "3  the firmware"})
        EXPECT_NE(r.output.find(part), std::string::npos) << part;
}

TEST(VpalarmParsing, TimesInBothFormsAndDayLists)
{
    EXPECT_EQ(parseTime("06:30"), std::pair(6u, 30u));
    EXPECT_EQ(parseTime("23:59"), std::pair(23u, 59u));
    EXPECT_EQ(parseTime("12:00 AM"), std::pair(0u, 0u));
    EXPECT_EQ(parseTime("12:00pm"), std::pair(12u, 0u));
    EXPECT_EQ(parseTime("6:30 PM"), std::pair(18u, 30u));
    for (const char *bad : {"", ":", "6", "6:3", "6:300", "-1:00", "0:00 AM", "13:00 AM", "6:60",
                            "6.30", "6:30 XM", "+6:30", "006:30"})
        EXPECT_FALSE(parseTime(bad).has_value()) << bad;

    EXPECT_EQ(parseDays("mon,tue"), 0x06u);
    EXPECT_EQ(parseDays("mon-fri"), 0x3Eu);
    EXPECT_EQ(parseDays("Fri-Mon"), 0x63u);
    EXPECT_EQ(parseDays("sun-sat"), 0x7Fu);
    EXPECT_EQ(parseDays("none"), 0u);
    for (const char *bad : {"", "monday", "mon,", "mon-", "-fri", "mon-tue-wed", "none,mon"})
        EXPECT_FALSE(parseDays(bad).has_value()) << bad;
}

} // namespace
