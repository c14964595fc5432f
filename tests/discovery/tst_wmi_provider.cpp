#include "discovery/wmi_provider.h"
#include "tests/discovery/scripted_wbem_services.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int32_t code(uint32_t value)
{
    return static_cast<int32_t>(value);
}

const std::string Query = "SELECT DeviceID FROM Win32_CDROMDrive";

long countOf(const std::vector<std::string> &calls, const std::string &call)
{
    return std::count(calls.begin(), calls.end(), call);
}

struct CodeText
{
    uint32_t code;
    const char *text;
};

} // namespace

TEST(WMIProvider, ConnectsAndTearsDownWhatItTook)
{
    ScriptedWbemServices wbem;
    {
        WMIProvider wmi(wbem);
        EXPECT_EQ(wmi.message(), "");
        ASSERT_TRUE(wmi.Initialize());
        EXPECT_EQ(wbem.held(), 2);
    }
    const std::vector<std::string> expected = {
        "CoInitializeEx",    "CoInitializeSecurity",
        "CoCreateInstance",  "ConnectServer \\\\.\\root\\cimv2",
        "CoSetProxyBlanket", "CoUninitialize"};
    EXPECT_EQ(wbem.calls, expected);
    EXPECT_EQ(wbem.held(), 0);
    EXPECT_EQ(wbem.releasedTwice, 0);
}

TEST(WMIProvider, KeepsComOfAThreadThatAlreadyHasIt)
{
    // S_FALSE: already in the multithreaded apartment, and counted again.
    ScriptedWbemServices again;
    again.comResult = 1;
    {
        WMIProvider wmi(again);
        EXPECT_TRUE(wmi.Initialize());
    }
    EXPECT_EQ(countOf(again.calls, "CoUninitialize"), 1);

    // RPC_E_CHANGED_MODE: a single-threaded apartment that is not ours to end.
    ScriptedWbemServices sta;
    sta.comResult = WMIProvider::RpcEChangedMode;
    {
        WMIProvider wmi(sta);
        EXPECT_TRUE(wmi.Initialize());
    }
    EXPECT_EQ(countOf(sta.calls, "CoUninitialize"), 0);
    EXPECT_EQ(sta.held(), 0);
}

TEST(WMIProvider, ReportsEveryComStartFailure)
{
    const CodeText cases[] = {
        {0x80070057, "CoInitializeEx failed by E_INVALIDARG..."},
        {0x8007000E, "CoInitializeEx failed by E_OUTOFMEMORY..."},
        {0x8000FFFF, "CoInitializeEx failed by E_UNEXPECTED..."},
        {0x80004005, "CoInitializeEx failed by unknown error..."},
    };
    for (const auto &c : cases) {
        ScriptedWbemServices wbem;
        wbem.comResult = code(c.code);
        {
            WMIProvider wmi(wbem);
            EXPECT_FALSE(wmi.Initialize());
            EXPECT_EQ(wmi.message(), c.text);
        }
        EXPECT_EQ(wbem.calls, std::vector<std::string>{"CoInitializeEx"}) << c.text;
    }
}

TEST(WMIProvider, GoesOnWhenSecurityIsAlreadySet)
{
    ScriptedWbemServices wbem;
    wbem.securityResult = WMIProvider::RpcETooLate;
    WMIProvider wmi(wbem);
    EXPECT_TRUE(wmi.Initialize());
    EXPECT_EQ(wmi.message(), "");
}

TEST(WMIProvider, UndoesEachStepOfAFailedConnection)
{
    struct Step
    {
        int32_t ScriptedWbemServices::*result;
        const char *text;
    };
    const Step steps[] = {
        {&ScriptedWbemServices::securityResult, "CoInitializeSecurity failed..."},
        {&ScriptedWbemServices::locatorResult, "CoCreateInstance failed..."},
        {&ScriptedWbemServices::connectResult, "ConnectServer failed..."},
        {&ScriptedWbemServices::blanketResult, "CoSetProxyBlanket failed..."},
    };
    for (const auto &step : steps) {
        ScriptedWbemServices wbem;
        wbem.*step.result = code(0x80004005);
        {
            WMIProvider wmi(wbem);
            EXPECT_FALSE(wmi.Initialize());
            EXPECT_EQ(wmi.message(), step.text);
            // Nothing stays held, and COM is already undone before teardown.
            EXPECT_EQ(wbem.held(), 0) << step.text;
            EXPECT_EQ(wbem.calls.back(), "CoUninitialize") << step.text;
        }
        EXPECT_EQ(countOf(wbem.calls, "CoUninitialize"), 1) << step.text;
        EXPECT_EQ(wbem.releasedTwice, 0) << step.text;
    }
}

TEST(WMIProvider, RunsAQueryAndWalksItsRows)
{
    ScriptedWbemServices wbem;
    wbem.answer(Query, "DeviceID", {"first", "second"});
    WMIProvider wmi(wbem);
    ASSERT_TRUE(wmi.Initialize());
    ASSERT_TRUE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
    // Forward only, returning at once, waiting without end for each row.
    EXPECT_EQ(wbem.calls[5], "ExecQuery WQL 48 " + Query);
    EXPECT_EQ(wbem.calls[6], "Next -1");

    std::array<char, 16> buffer{};
    wmi.GetPropertyText(u"DeviceID", buffer);
    EXPECT_STREQ(buffer.data(), "first");
    ASSERT_TRUE(wmi.NextRow());
    wmi.GetPropertyText(u"DeviceID", buffer);
    EXPECT_STREQ(buffer.data(), "second");
    EXPECT_FALSE(wmi.NextRow());
    wmi.CloseQuery();
    EXPECT_EQ(wbem.held(), 2);
    EXPECT_EQ(wmi.message(), "");
    EXPECT_EQ(countOf(wbem.calls, "leak"), 0);
}

TEST(WMIProvider, ReportsEveryQueryFailure)
{
    const CodeText cases[] = {
        {0x80041003, "CreateInstanceEnum failed by WBEM_E_ACCESS_DENIED..."},
        {0x80041001, "CreateInstanceEnum failed by WBEM_E_FAILED..."},
        {0x80041008, "CreateInstanceEnum failed by WBEM_E_INVALID_PARAMETER..."},
        {0x80041017, "CreateInstanceEnum failed by WBEM_E_INVALID_QUERY..."},
        {0x80041018, "CreateInstanceEnum failed by WBEM_E_INVALID_QUERY_TYPE..."},
        {0x80041006, "CreateInstanceEnum failed by WBEM_E_OUT_OF_MEMORY..."},
        {0x80041033, "CreateInstanceEnum failed by WBEM_E_SHUTTING_DOWN..."},
        {0x80041015, "CreateInstanceEnum failed by WBEM_E_TRANSPORT_FAILURE..."},
        {0x80041002, "CreateInstanceEnum failed by WBEM_E_NOT_FOUND..."},
        {0x80041010, "CreateInstanceEnum failed by WBEM_E_INVALID_CLASS..."},
        {0x8004100A, "CreateInstanceEnum failed by unknown error..."},
    };
    for (const auto &c : cases) {
        ScriptedWbemServices wbem;
        wbem.queries[Query].execResult = code(c.code);
        WMIProvider wmi(wbem);
        ASSERT_TRUE(wmi.Initialize());
        EXPECT_FALSE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
        EXPECT_EQ(wmi.message(), c.text);
        EXPECT_EQ(wbem.held(), 2) << c.text;
    }
}

TEST(WMIProvider, ReportsAFirstRowThatDoesNotCome)
{
    const CodeText cases[] = {
        {0x8004101D, "CreateInstanceEnum failed by WBEM_E_UNEXPECTED..."},
        {0x80041006, "CreateInstanceEnum failed by WBEM_E_OUT_OF_MEMORY..."},
        {0x80041008, "CreateInstanceEnum failed by WBEM_E_INVALID_PARAMETER..."},
        {0x80041015, "CreateInstanceEnum failed by WBEM_E_TRANSPORT_FAILURE..."},
        {1, "CreateInstanceEnum failed by WBEM_S_FALSE..."},
        {0x40004, "CreateInstanceEnum failed by WBEM_S_TIMEDOUT..."},
        {0, "CreateInstanceEnum failed by WBEM_S_NO_ERROR..."},
    };
    for (const auto &c : cases) {
        ScriptedWbemServices wbem;
        wbem.queries[Query].firstNextResult = code(c.code);
        WMIProvider wmi(wbem);
        ASSERT_TRUE(wmi.Initialize());
        EXPECT_FALSE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
        EXPECT_EQ(wmi.message(), c.text);
        // The enumerator of a query that found nothing is not left behind.
        EXPECT_EQ(wbem.held(), 2) << c.text;
    }
}

TEST(WMIProvider, LeavesTheEarlierTextForAnUnlistedFirstRowCode)
{
    ScriptedWbemServices wbem;
    wbem.queries["empty"] = {};
    wbem.queries[Query].firstNextResult = code(0x80041002);
    WMIProvider wmi(wbem);
    ASSERT_TRUE(wmi.Initialize());
    EXPECT_FALSE(wmi.RunQuery(u"empty"));
    EXPECT_FALSE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
    EXPECT_EQ(wmi.message(), "CreateInstanceEnum failed by WBEM_S_FALSE...");
}

TEST(WMIProvider, ConvertsPropertiesToBoundedText)
{
    ScriptedWbemServices wbem;
    wbem.queries[Query].rows.push_back({{"Long", ScriptedWbemServices::text("ABCDEFGHIJ")},
                                        {"Minus", ScriptedWbemServices::integer(-1)},
                                        {"Null", WbemValue{8, true, {}, 0}},
                                        {"Min", ScriptedWbemServices::integer(INT32_MIN)}});
    WMIProvider wmi(wbem);
    ASSERT_TRUE(wmi.Initialize());
    ASSERT_TRUE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));

    std::array<char, 8> buffer{};
    buffer.fill('#');
    wmi.GetPropertyText(u"Long", buffer);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string("ABCDEFG\0", 8));
    wmi.GetPropertyText(u"Minus", buffer);
    EXPECT_STREQ(buffer.data(), "-1");
    wmi.GetPropertyText(u"Null", buffer);
    EXPECT_STREQ(buffer.data(), "");
    wmi.GetPropertyText(u"Missing", buffer);
    EXPECT_STREQ(buffer.data(), "");

    std::array<char, 12> wide{};
    wmi.GetPropertyText(u"Min", wide);
    EXPECT_STREQ(wide.data(), "-2147483648");

    std::array<char, 1> tiny{'#'};
    wmi.GetPropertyText(u"Long", tiny);
    EXPECT_EQ(tiny[0], '\0');
    // A capacity of nothing is written to not at all.
    wmi.GetPropertyText(u"Long", std::span<char>());
}

TEST(WMIProvider, ReadsNothingWithoutACurrentRow)
{
    ScriptedWbemServices wbem;
    wbem.answer(Query, "DeviceID", {"only"});
    WMIProvider wmi(wbem);
    ASSERT_TRUE(wmi.Initialize());
    ASSERT_TRUE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
    EXPECT_FALSE(wmi.NextRow());
    std::array<char, 8> buffer{'#'};
    wmi.GetPropertyText(u"DeviceID", buffer);
    EXPECT_STREQ(buffer.data(), "");
    // A query closed early and one left open both release their interfaces.
    ASSERT_TRUE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
    ASSERT_TRUE(wmi.RunQuery(u"SELECT DeviceID FROM Win32_CDROMDrive"));
    wmi.TearDown();
    EXPECT_EQ(wbem.held(), 0);
    EXPECT_EQ(wbem.releasedTwice, 0);
    EXPECT_EQ(countOf(wbem.calls, "leak"), 0);
}
