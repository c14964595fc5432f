#include "discovery/ide_devices.h"
#include "tests/discovery/scripted_registry_reader.h"
#include "tests/discovery/scripted_wbem_services.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

const std::string PrimaryPorts =
    "ASSOCIATORS OF {Win32_PortResource.StartingAddress=496} WHERE AssocClass = "
    "Win32_AllocatedResource";
const std::string SecondaryPorts =
    "ASSOCIATORS OF {Win32_PortResource.StartingAddress=368} WHERE AssocClass = "
    "Win32_AllocatedResource";
const std::string Drives = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";

const std::string PrimaryChannel = "PCIIDE\\IDECHANNEL\\4&1F7D&0&0";
const std::string SecondaryChannel = "PCIIDE\\IDECHANNEL\\4&1F7D&0&1";
const std::string Disk = "IDE\\DISKST380011A\\5&2AF2&0&0.0.0";
const std::string Cdrom = "IDE\\CDROMHL-DT-ST_DVD\\5&2AF2&0&1.0.0";

std::string controllerQuery(const std::string &escapedId)
{
    return "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"" + escapedId +
           "\"} WHERE AssocClass = Win32_IDEControllerDevice";
}

void addDrive(ScriptedWbemServices &wbem, const std::string &deviceId, const std::string &drive)
{
    wbem.queries[Drives].rows.push_back({{"DeviceID", ScriptedWbemServices::text(deviceId)},
                                         {"Drive", ScriptedWbemServices::text(drive)}});
}

// A disk on the primary channel and a CD-ROM drive E: on the secondary, both
// device 0.
struct TwoChannels
{
    TwoChannels()
    {
        wbem.answer(PrimaryPorts, "DeviceID", {PrimaryChannel});
        wbem.answer(SecondaryPorts, "DeviceID", {SecondaryChannel});
        wbem.answer(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&0"), "DeviceID", {Disk});
        wbem.answer(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&1"), "DeviceID", {Cdrom});
        registry.setLocation(Disk, "0");
        registry.setLocation(Cdrom, "0");
        addDrive(wbem, Cdrom, "E:");
    }

    ScriptedWbemServices wbem;
    ScriptedRegistryReader registry;
};

void expectEmptySlots(const IDEDevices &devices, size_t from)
{
    for (size_t slot = from; slot < IDEDevices::SlotCount; ++slot) {
        EXPECT_EQ(devices.Kind[slot], 0) << slot;
        EXPECT_EQ(devices.Letter[slot], '\0') << slot;
        EXPECT_EQ(devices.Position[slot], 4) << slot;
    }
}

} // namespace

TEST(IDEDevices, StartsEmpty)
{
    const IDEDevices devices;
    EXPECT_EQ(devices.Count, 0);
    EXPECT_EQ(devices.message(), "");
    expectEmptySlots(devices, 0);
}

TEST(IDEDevices, PlacesADriveOnTheSecondaryChannelBesideADisk)
{
    TwoChannels machine;
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    EXPECT_EQ(devices.Count, 2);
    EXPECT_EQ(devices.Kind[0], 0);
    EXPECT_EQ(devices.Letter[0], '\0');
    EXPECT_EQ(devices.Position[0], 0);
    EXPECT_EQ(devices.Kind[1], 5);
    EXPECT_EQ(devices.Letter[1], 'E');
    EXPECT_EQ(devices.Position[1], 2);
    expectEmptySlots(devices, 2);
    EXPECT_EQ(devices.message(), "");

    // The queries, byte for byte, with every backslash of a channel id doubled.
    const std::vector<std::string> expected = {
        PrimaryPorts,
        SecondaryPorts,
        "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&0\"} "
        "WHERE AssocClass = Win32_IDEControllerDevice",
        "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&1\"} "
        "WHERE AssocClass = Win32_IDEControllerDevice",
        Drives,
    };
    EXPECT_EQ(machine.wbem.queriesRun(), expected);
    const std::vector<std::string> reads = {
        "SYSTEM\\CurrentControlSet\\Enum\\" + Disk + "|LocationInformation",
        "SYSTEM\\CurrentControlSet\\Enum\\" + Cdrom + "|LocationInformation",
    };
    EXPECT_EQ(machine.registry.reads, reads);
    // The client is torn down with all it held, and COM undone.
    EXPECT_EQ(machine.wbem.held(), 0);
    EXPECT_EQ(machine.wbem.calls.back(), "CoUninitialize");
}

TEST(IDEDevices, ExaminesOnlyTheFirstTwoChannelIds)
{
    TwoChannels machine;
    // The primary ports already give two ids: the secondary's is never examined.
    machine.wbem.queries[PrimaryPorts] = {};
    machine.wbem.answer(PrimaryPorts, "DeviceID", {PrimaryChannel, "ACPI\\PNP0A03\\0"});
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    const auto run = machine.wbem.queriesRun();
    ASSERT_EQ(run.size(), 4u);
    EXPECT_EQ(run[2], controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&0"));
    EXPECT_EQ(run[3], Drives);
    EXPECT_EQ(devices.Count, 1);
    EXPECT_EQ(devices.Kind[0], 0);
    expectEmptySlots(devices, 1);
}

TEST(IDEDevices, AnIdWithoutPciideUsesUpAnEntry)
{
    TwoChannels machine;
    machine.wbem.queries[PrimaryPorts] = {};
    machine.wbem.answer(PrimaryPorts, "DeviceID", {"ACPI\\PNP0A03\\0"});
    machine.wbem.queries[SecondaryPorts] = {};
    machine.wbem.answer(SecondaryPorts, "DeviceID", {SecondaryChannel, PrimaryChannel});
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    const std::vector<std::string> expected = {
        PrimaryPorts, SecondaryPorts, controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&1"),
        Drives};
    EXPECT_EQ(machine.wbem.queriesRun(), expected);
    EXPECT_EQ(devices.Count, 1);
    EXPECT_EQ(devices.Kind[0], 5);
    EXPECT_EQ(devices.Letter[0], 'E');
    EXPECT_EQ(devices.Position[0], 2);
}

TEST(IDEDevices, ReportsNoDevicesOnChannelsThatAreNoIdeChannels)
{
    TwoChannels machine;
    machine.wbem.queries[PrimaryPorts] = {};
    // "pciide" in lower case does not name the controller.
    machine.wbem.answer(PrimaryPorts, "DeviceID", {"pciide\\idechannel\\0"});
    machine.wbem.queries[SecondaryPorts] = {};
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::NoIdeDevices);
    EXPECT_EQ(devices.message(), "No IDE devices found.");
    EXPECT_EQ(devices.Count, 0);
    EXPECT_EQ(machine.wbem.queriesRun().size(), 2u);
    EXPECT_EQ(machine.wbem.held(), 0);
}

TEST(IDEDevices, PositionNeedsAKnownChannelAndDeviceNumber)
{
    TwoChannels machine;
    const std::string odd = "PCIIDE\\IDECHANNEL\\4&1F7D&0&7";
    machine.wbem.queries[SecondaryPorts] = {};
    machine.wbem.answer(SecondaryPorts, "DeviceID", {odd});
    machine.wbem.answer(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&7"), "DeviceID",
                        {"IDE\\ON_ODD_CHANNEL", "IDE\\FIFTH"});
    machine.registry.setLocation("IDE\\ON_ODD_CHANNEL", "1");
    machine.registry.setLocation("IDE\\FIFTH", "0");
    machine.registry.setLocation(Disk, "2");
    machine.wbem.answer(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&1F7D&0&0"), "DeviceID",
                        {"IDE\\SLAVE", "IDE\\NO_LOCATION"});
    machine.registry.setLocation("IDE\\SLAVE", "1");
    addDrive(machine.wbem, "IDE\\FIFTH", "G:");

    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    EXPECT_EQ(devices.Count, 4);
    EXPECT_EQ(devices.Position[0], 4); // location "2"
    EXPECT_EQ(devices.Position[1], 1); // primary, device 1
    EXPECT_EQ(devices.Position[2], 4); // no location
    EXPECT_EQ(devices.Position[3], 4); // a channel id ending in neither 0 nor 1
    // The record has four slots: the fifth device gets none, nor a letter.
    EXPECT_EQ(machine.registry.reads.size(), 4u);
    for (const char letter : devices.Letter)
        EXPECT_NE(letter, 'G');
}

TEST(IDEDevices, MatchesDrivesWithoutRegardToCase)
{
    TwoChannels machine;
    machine.wbem.queries[Drives] = {};
    std::string lower = Cdrom;
    for (char &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_NE(lower, Cdrom);
    addDrive(machine.wbem, "USBSTOR\\CDROM&VEN_X\\7&2B&0", "F:");
    addDrive(machine.wbem, lower, "e:");
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    EXPECT_EQ(devices.Kind[1], 5);
    EXPECT_EQ(devices.Letter[1], 'e');
    // The drive on another controller gets no slot.
    EXPECT_EQ(devices.Kind[0], 0);
    EXPECT_EQ(devices.Letter[0], '\0');
}

TEST(IDEDevices, ADriveWithoutALetterKeepsItsSlotEmpty)
{
    TwoChannels machine;
    machine.wbem.queries[Drives] = {};
    addDrive(machine.wbem, Cdrom, "");
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::Found);
    EXPECT_EQ(devices.Kind[1], 0);
    EXPECT_EQ(devices.Letter[1], '\0');
    EXPECT_EQ(devices.Position[1], 2);
}

TEST(IDEDevices, ReportsNoDrivesButKeepsTheDevices)
{
    TwoChannels machine;
    machine.wbem.queries[Drives] = {};
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::NoCdromDrive);
    EXPECT_EQ(devices.message(), "No Win32_CDROMDrive found.");
    EXPECT_EQ(devices.Count, 2);
    EXPECT_EQ(devices.Position[1], 2);
    EXPECT_EQ(devices.Letter[0], '\0');
    EXPECT_EQ(devices.Letter[1], '\0');
    EXPECT_EQ(machine.wbem.held(), 0);
}

TEST(IDEDevices, ReportsAClientThatCannotStart)
{
    TwoChannels machine;
    machine.wbem.connectResult = static_cast<int32_t>(0x80041003);
    IDEDevices devices;
    EXPECT_EQ(devices.Discover(machine.wbem, machine.registry), IDEDevices::WmiFailed);
    EXPECT_EQ(devices.message(), "Initializing WMIProvider failed");
    EXPECT_EQ(machine.wbem.queriesRun().size(), 0u);
    EXPECT_EQ(machine.wbem.held(), 0);
}

TEST(IDEDevices, ReadsTheDeviceNumberAsAPlainDecimal)
{
    ScriptedRegistryReader registry;
    const std::pair<const char *, int32_t> cases[] = {
        {"0", 0},
        {"1", 1},
        {"+1", 1},
        {"12", 12},
        {"-3", -3},
        {"+-0", -1},
        {"+", -1},
        {"", -1},
        {" 1", -1},
        {"1 ", -1},
        {"0x1", -1},
        {"Channel 0, Target 0, Lun 0", -1},
        {"99999999999", -1},
    };
    for (const auto &[text, number] : cases) {
        registry.setLocation("IDE\\DEV", text);
        EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, "IDE\\DEV"), number) << text;
    }
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, "IDE\\MISSING"), -1);
}
