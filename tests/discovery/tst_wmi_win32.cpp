// The WMI client and the drive discovery over the system's real COM and WMI.
// Wine's WMI runs every query the discovery sends, over real COM, but its
// machine has no IDE controller, no port resources and no CD-ROM drive, so
// each query answers an empty result set. A Windows notebook with a CD drive
// answers rows; these tests pin down the empty case as Wine gives it.

#include "discovery/ide_devices.h"
#include "discovery/registry_reader.h"
#include "discovery/wbem_services.h"
#include "discovery/wmi_provider.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const std::string PortQuery = IDEDevices::portQuery(496);
const std::string ControllerQuery = IDEDevices::controllerQuery("PCIIDE\\IDECHANNEL\\4&1&0");
const std::string CdromQuery = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";

bool allZero(const std::array<char, 1024> &text)
{
    for (char c : text) {
        if (c != '\0')
            return false;
    }
    return true;
}

TEST(WmiOverCom, EachQueryRunsAndFindsNoRows)
{
    // A machine with a CD drive answers rows that this test does not expect.
    if (testsupport::machineHasCdromDrive())
        GTEST_SKIP() << "this machine has a CD-ROM drive";
    const auto wbem = WbemServices::create();
    WMIProvider wmi(*wbem);
    ASSERT_TRUE(wmi.Initialize()) << wmi.message();
    EXPECT_TRUE(allZero(wmi.Message));

    for (const std::string &query :
         {PortQuery, IDEDevices::portQuery(368), ControllerQuery, CdromQuery}) {
        // The query itself is accepted: ExecQuery gives an enumerator...
        ASSERT_EQ(wbem->execQuery(u"WQL", wmi.widen(query),
                                  WMIProvider::WbemFlagForwardOnlyReturnImmediately),
                  0)
            << query;
        // ...whose first Next says there is no row.
        uint32_t returned = 7;
        EXPECT_EQ(wbem->next(WMIProvider::WbemInfinite, returned), WMIProvider::WbemSFalse)
            << query;
        EXPECT_EQ(returned, 0u) << query;
        wbem->releaseEnumerator();

        // Through the client the empty answer is a failed query with its text.
        EXPECT_FALSE(wmi.RunQuery(wmi.widen(query))) << query;
        EXPECT_EQ(wmi.message(), "CreateInstanceEnum failed by WBEM_S_FALSE...") << query;
        wmi.CloseQuery();
    }
    wmi.TearDown();
}

TEST(WmiOverCom, MalformedQueryIsRefused)
{
    const auto wbem = WbemServices::create();
    WMIProvider wmi(*wbem);
    ASSERT_TRUE(wmi.Initialize());
    EXPECT_FALSE(wmi.RunQuery(u"SELECT FROM WHERE"));
    EXPECT_FALSE(wmi.message().empty());
    EXPECT_NE(wmi.message(), "CreateInstanceEnum failed by WBEM_S_FALSE...");
}

TEST(WmiOverCom, DiscoveryOnAWorkerThreadFindsNoIdeDevice)
{
    // A machine with a CD drive answers rows that this test does not expect.
    if (testsupport::machineHasCdromDrive())
        GTEST_SKIP() << "this machine has a CD-ROM drive";
    // As the program does it: a thread of its own joins the multithreaded
    // apartment for the discovery.
    IDEDevices devices;
    int32_t result = -1;
    std::thread worker([&] { result = devices.Discover(); });
    worker.join();

    // No port resource has an associated channel, so no device id is found.
    EXPECT_EQ(result, IDEDevices::NoIdeDevices);
    EXPECT_EQ(devices.message(), "No IDE devices found.");
    EXPECT_EQ(devices.Count, 0);
    for (size_t slot = 0; slot < IDEDevices::SlotCount; ++slot) {
        EXPECT_EQ(devices.Kind[slot], 0) << slot;
        EXPECT_EQ(devices.Letter[slot], '\0') << slot;
        EXPECT_EQ(devices.Position[slot], IDEDevices::PositionUnknown) << slot;
    }
}

TEST(RegistryOfTheSystem, ReadsStringValuesOnly)
{
    const auto registry = RegistryReader::create();
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const auto version = registry->readLocalMachineString(key, "CurrentVersion");
    ASSERT_TRUE(version.has_value());
    EXPECT_NE(version->find('.'), std::string::npos) << *version;
    // A number kept as a DWORD is not a string value.
    EXPECT_FALSE(registry->readLocalMachineString(key, "CurrentMajorVersionNumber").has_value());
    EXPECT_FALSE(registry->readLocalMachineString(key, "NoSuchValue").has_value());
    // A device instance that does not exist has no location.
    EXPECT_EQ(IDEDevices::ReadLocationNumber("IDE\\NO_SUCH_DEVICE\\0&0&0.0.0"), -1);
}

} // namespace
