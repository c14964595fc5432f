// The registry reader over the system's real registry, on values the test
// writes itself under a key of its own in HKEY_CURRENT_USER (which any user
// may write), so that nothing depends on what the machine holds.

#include "discovery/ide_devices.h"
#include "discovery/registry_reader.h"
#include "discovery/registry_string_win32.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

namespace {

// A key HKEY_CURRENT_USER\Software\Vesperin-test-<pid> with the values the
// tests write, deleted with everything in it at the end.
class ScratchKey : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                  KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
    }

    void TearDown() override
    {
        RegCloseKey(m_key);
        // With the keys below it, which RegDeleteKeyA leaves.
        EXPECT_EQ(SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
        HKEY gone = nullptr;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &gone),
                  ERROR_SUCCESS);
    }

    // A string stored with its terminating zero, as most writers store it.
    void writeString(const char *name, const std::string &text, DWORD type = REG_SZ,
                     const std::string &subKey = {})
    {
        writeBytes(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1), subKey);
    }
    // Any bytes, a string without its zero among them.
    void writeBytes(const char *name, DWORD type, const void *data, DWORD size,
                    const std::string &subKey = {})
    {
        HKEY key = m_key;
        if (!subKey.empty()) {
            ASSERT_EQ(RegCreateKeyExA(m_key, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                      &key, nullptr),
                      ERROR_SUCCESS);
        }
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size),
                  ERROR_SUCCESS)
            << name;
        if (key != m_key)
            RegCloseKey(key);
    }

    std::optional<std::string> read(const char *name) const
    {
        return registrystring::read(HKEY_CURRENT_USER, path, name);
    }

    const std::string path = "Software\\Vesperin-test-" + std::to_string(GetCurrentProcessId());

private:
    HKEY m_key = nullptr;
};

TEST_F(ScratchKey, ReadsStringsAndNothingElse)
{
    writeString("Text", "Location 1 (IDE Channel)");
    writeString("Expandable", "%SystemRoot%\\x", REG_EXPAND_SZ);
    const DWORD number = 1;
    writeBytes("Number", REG_DWORD, &number, sizeof number);
    writeString("Empty", "");

    EXPECT_EQ(read("Text"), "Location 1 (IDE Channel)");
    // An expandable string is read as it is stored, unexpanded.
    EXPECT_EQ(read("Expandable"), "%SystemRoot%\\x");
    EXPECT_EQ(read("Empty"), "");
    // A number kept as a DWORD is not a string value, however it reads.
    EXPECT_FALSE(read("Number").has_value());
    EXPECT_FALSE(read("NoSuchValue").has_value());
    EXPECT_FALSE(registrystring::read(HKEY_CURRENT_USER, path + "\\NoSuchKey", "Text"));
}

TEST_F(ScratchKey, StringWithoutItsZeroReadsNoFurther)
{
    // Four bytes and no terminating zero: nothing after them is read.
    writeBytes("Bare", REG_SZ, "1234", 4);
    EXPECT_EQ(read("Bare"), "1234");
    // A zero inside the stored bytes ends the string there.
    const char inner[] = {'1', '2', '\0', '3', '4'};
    writeBytes("Inner", REG_SZ, inner, sizeof inner);
    EXPECT_EQ(read("Inner"), "12");
}

TEST_F(ScratchKey, ValueLongerThanTheBufferIsRefused)
{
    const DWORD capacity = registrystring::ValueCapacity;
    // The longest string that fits: its characters and its zero fill the
    // buffer exactly.
    const std::string longest(capacity - 1, 'a');
    writeString("Longest", longest);
    EXPECT_EQ(read("Longest"), longest);
    // Stored without its zero, a string as long as the buffer fills it
    // exactly. Wine's RegQueryValueExA wants room for a zero it adds and
    // answers ERROR_MORE_DATA, so the value is refused there; wherever it
    // is read, it is read whole.
    const std::string bare(capacity, 'b');
    writeBytes("BareFull", REG_SZ, bare.data(), capacity);
    const auto full = read("BareFull");
    if (full) {
        EXPECT_EQ(*full, bare);
    }

    // One character more, and far more: no part of them is taken for the
    // value (a cut string could read as another device number).
    writeString("OneTooLong", std::string(capacity, 'c'));
    EXPECT_FALSE(read("OneTooLong").has_value());
    writeString("FarTooLong", std::string(4 * capacity, 'd'));
    EXPECT_FALSE(read("FarTooLong").has_value());
}

// The machine's registry as the discovery asks it, answered from below the
// scratch key instead of HKEY_LOCAL_MACHINE.
class ScratchRegistry final : public RegistryReader
{
public:
    explicit ScratchRegistry(std::string root) : m_root(std::move(root)) {}
    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        return registrystring::read(HKEY_CURRENT_USER, m_root + "\\" + subKey, valueName);
    }

private:
    std::string m_root;
};

TEST_F(ScratchKey, DeviceNumberComesFromTheInstancesLocation)
{
    const std::string enumKey = "SYSTEM\\CurrentControlSet\\Enum\\";
    const char *const cdrom = "IDE\\CdRomVESPERIN\\5&1&0&0.1.0";
    const char *const disk = "IDE\\DiskVESPERIN\\5&1&0&0.0.0";
    const char *const worded = "IDE\\CdRomVESPERIN\\5&2&0&1.0.0";
    const char *const numeric = "IDE\\CdRomVESPERIN\\5&3&0&1.1.0";
    writeString("LocationInformation", "1", REG_SZ, enumKey + cdrom);
    writeString("LocationInformation", "0", REG_SZ, enumKey + disk);
    writeString("LocationInformation", "Channel 1, Target 0", REG_SZ, enumKey + worded);
    const DWORD one = 1;
    writeBytes("LocationInformation", REG_DWORD, &one, sizeof one, enumKey + numeric);

    ScratchRegistry registry(path);
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, cdrom), 1);
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, disk), 0);
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, worded), -1);
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, numeric), -1);
    EXPECT_EQ(IDEDevices::ReadLocationNumber(registry, "IDE\\NoSuchDevice\\0"), -1);
}

TEST(RegistryOfTheMachine, MissingDeviceHasNoLocation)
{
    const auto registry = RegistryReader::create();
    EXPECT_FALSE(registry->readLocalMachineString("SOFTWARE\\Vesperin-no-such-key", "Value"));
    // A device instance that does not exist has no location.
    EXPECT_EQ(IDEDevices::ReadLocationNumber("IDE\\NO_SUCH_DEVICE\\0&0&0.0.0"), -1);
}

} // namespace
