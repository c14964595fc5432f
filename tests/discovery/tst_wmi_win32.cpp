// The WMI client and the drive discovery over the system's real COM and WMI.
// Every Windows, and Wine, answers rows for the operating system and its
// processes, which the client reads through the real seam and its own
// property conversion. The discovery's own queries find rows only where
// there are IDE channels and CD drives: Wine's machine has none, so there
// each answers an empty result set; a Windows machine may answer rows, or,
// for an object it does not have, that the object is not found.

#include "discovery/drive_search.h"
#include "discovery/ide_devices.h"
#include "discovery/registry_reader.h"
#include "discovery/wbem_services.h"
#include "discovery/wmi_provider.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string PortQuery = IDEDevices::portQuery(496);
const std::string ControllerQuery = IDEDevices::controllerQuery("PCIIDE\\IDECHANNEL\\4&1&0");
const std::string CdromQuery = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";
// WBEM_E_NOT_FOUND: the object a query names does not exist.
constexpr int32_t WbemENotFound = static_cast<int32_t>(0x80041002);

bool allZero(const std::array<char, 1024> &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\0'; });
}

std::string lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string property(WMIProvider &wmi, const std::u16string &name)
{
    std::array<char, 512> buffer{};
    wmi.GetPropertyText(name, buffer);
    return buffer.data();
}

std::string ownProcessQuery()
{
    return "SELECT ProcessId, Name FROM Win32_Process WHERE ProcessId = " +
           std::to_string(GetCurrentProcessId());
}

// The calling thread's apartment as COM tells it. CoGetApartmentType came
// with Windows 7, so it is looked up when needed; XP and Vista lack it.
struct Apartment
{
    HRESULT result = E_FAIL;
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;

    bool multithreaded() const
    {
        return result == S_OK && type == APTTYPE_MTA && qualifier == APTTYPEQUALIFIER_NONE;
    }
    // The first thread of the process to join a single-threaded apartment
    // is told as the main one.
    bool singleThreaded() const
    {
        return result == S_OK && (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    }
    // No apartment of its own: COM is not initialised on the thread, or
    // only the process's implicit multithreaded apartment stands behind it.
    bool none() const
    {
        return result == CO_E_NOTINITIALIZED || (result == S_OK && type == APTTYPE_MTA &&
                                                 qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA);
    }
};

using GetApartmentType = HRESULT(WINAPI *)(APTTYPE *, APTTYPEQUALIFIER *);

GetApartmentType apartmentTypeQuery()
{
    const HMODULE ole32 = GetModuleHandleA("ole32.dll");
    if (!ole32)
        return nullptr;
    // Through a plain function pointer type, so the compiler does not
    // compare the two signatures.
    return reinterpret_cast<GetApartmentType>(
        reinterpret_cast<void (*)()>(GetProcAddress(ole32, "CoGetApartmentType")));
}

Apartment currentApartment()
{
    Apartment apartment;
    if (const GetApartmentType query = apartmentTypeQuery())
        apartment.result = query(&apartment.type, &apartment.qualifier);
    return apartment;
}

#define SKIP_WITHOUT_APARTMENT_TYPE()                                                              \
    if (!apartmentTypeQuery())                                                                     \
    GTEST_SKIP() << "this system has no CoGetApartmentType (Windows before 7)"

// The real COM and WMI, with the thread's apartment noted at each query.
class ApartmentNotingServices final : public WbemServices
{
public:
    int32_t initializeCom() override { return m_real->initializeCom(); }
    void uninitializeCom() override { m_real->uninitializeCom(); }
    int32_t initializeSecurity() override { return m_real->initializeSecurity(); }
    int32_t createLocator() override { return m_real->createLocator(); }
    void releaseLocator() override { m_real->releaseLocator(); }
    int32_t connectServer(const std::u16string &path) override
    {
        return m_real->connectServer(path);
    }
    void releaseServices() override { m_real->releaseServices(); }
    int32_t setProxyBlanket() override { return m_real->setProxyBlanket(); }
    int32_t execQuery(const std::u16string &language, const std::u16string &query,
                      int32_t flags) override
    {
        apartments.push_back(currentApartment());
        return m_real->execQuery(language, query, flags);
    }
    void releaseEnumerator() override { m_real->releaseEnumerator(); }
    int32_t next(int32_t timeout, uint32_t &returned) override
    {
        return m_real->next(timeout, returned);
    }
    void releaseCurrent() override { m_real->releaseCurrent(); }
    int32_t get(const std::u16string &name, WbemValue &value) override
    {
        return m_real->get(name, value);
    }
    std::u16string toWide(std::string_view ansi) const override { return m_real->toWide(ansi); }

    std::vector<Apartment> apartments;

private:
    std::unique_ptr<WbemServices> m_real = WbemServices::create();
};

TEST(WmiRows, OperatingSystemPropertiesReadAsText)
{
    const auto wbem = WbemServices::create();
    WMIProvider wmi(*wbem);
    ASSERT_TRUE(wmi.Initialize()) << wmi.message();
    ASSERT_TRUE(wmi.RunQuery(u"SELECT Caption, SystemDirectory FROM Win32_OperatingSystem"))
        << wmi.message();

    // Strings come across as the system's own text, in the ANSI code page.
    const std::string caption = property(wmi, u"Caption");
    EXPECT_EQ(caption.rfind("Microsoft Windows", 0), 0u) << caption;
    std::array<char, MAX_PATH> systemDirectory{};
    ASSERT_NE(GetSystemDirectoryA(systemDirectory.data(), MAX_PATH), 0u);
    EXPECT_EQ(lower(property(wmi, u"SystemDirectory")), lower(systemDirectory.data()));

    // A buffer shorter than the value gets its start and a zero, and not a
    // byte more.
    std::array<char, 16> guarded;
    guarded.fill('#');
    wmi.GetPropertyText(u"Caption", std::span<char>(guarded.data(), 10));
    EXPECT_EQ(std::string(guarded.data()), caption.substr(0, 9));
    EXPECT_TRUE(std::all_of(guarded.begin() + 10, guarded.end(), [](char c) { return c == '#'; }));

    // A property the row does not have reads as empty text.
    EXPECT_EQ(property(wmi, u"NoSuchProperty"), "");
    // There is one operating system.
    EXPECT_FALSE(wmi.NextRow());
    EXPECT_EQ(property(wmi, u"Caption"), "");
}

TEST(WmiRows, OwnProcessIdReadsAsItsNumber)
{
    const auto wbem = WbemServices::create();
    WMIProvider wmi(*wbem);
    ASSERT_TRUE(wmi.Initialize()) << wmi.message();
    const std::string pid = std::to_string(GetCurrentProcessId());

    // A 32-bit unsigned property comes across as its decimal number.
    ASSERT_TRUE(wmi.RunQuery(wmi.widen(ownProcessQuery()))) << wmi.message();
    EXPECT_EQ(property(wmi, u"ProcessId"), pid);
    EXPECT_EQ(lower(property(wmi, u"Name")), "tst_wmi_win32.exe");
    EXPECT_FALSE(wmi.NextRow());

    // Walking every process row by row meets this one once.
    ASSERT_TRUE(wmi.RunQuery(u"SELECT ProcessId FROM Win32_Process")) << wmi.message();
    int rows = 0;
    int own = 0;
    do {
        ++rows;
        own += property(wmi, u"ProcessId") == pid;
    } while (wmi.NextRow() && rows < 100000);
    EXPECT_GT(rows, 1);
    EXPECT_EQ(own, 1);
    wmi.TearDown();
}

// What a WMI client does on the calling thread, from its start to its
// teardown: the apartment it leaves the thread in at each end, and the own
// process id it reads meanwhile.
struct ClientRun
{
    bool initialized = false;
    Apartment during;
    Apartment after;
    std::string pid;
};

ClientRun runClient()
{
    ClientRun run;
    const auto wbem = WbemServices::create();
    WMIProvider wmi(*wbem);
    run.initialized = wmi.Initialize();
    run.during = currentApartment();
    if (wmi.RunQuery(wmi.widen(ownProcessQuery())))
        run.pid = property(wmi, u"ProcessId");
    wmi.TearDown();
    run.after = currentApartment();
    return run;
}

TEST(WmiApartment, ClientJoinsTheMultithreadedApartmentAndLeavesIt)
{
    SKIP_WITHOUT_APARTMENT_TYPE();
    Apartment before;
    ClientRun run;
    std::thread thread([&] {
        before = currentApartment();
        run = runClient();
    });
    thread.join();
    EXPECT_TRUE(before.none()) << before.result;
    ASSERT_TRUE(run.initialized);
    EXPECT_TRUE(run.during.multithreaded()) << run.during.result << " " << run.during.type;
    EXPECT_EQ(run.pid, std::to_string(GetCurrentProcessId()));
    // The client undid the COM it initialised.
    EXPECT_TRUE(run.after.none()) << run.after.result << " " << run.after.type;
}

TEST(WmiApartment, ThreadInASingleThreadedApartmentKeepsItAndStillReadsRows)
{
    SKIP_WITHOUT_APARTMENT_TYPE();
    HRESULT joined = E_FAIL;
    ClientRun run;
    int32_t discovered = -1;
    std::thread thread([&] {
        joined = CoInitialize(nullptr);
        // CoInitializeEx answers RPC_E_CHANGED_MODE here: the client works
        // in the thread's apartment and leaves it standing.
        run = runClient();
        // The whole discovery runs there too.
        IDEDevices devices;
        discovered = devices.Discover();
        if (SUCCEEDED(joined))
            CoUninitialize();
    });
    thread.join();
    ASSERT_EQ(joined, S_OK);
    ASSERT_TRUE(run.initialized);
    EXPECT_TRUE(run.during.singleThreaded()) << run.during.result << " " << run.during.type;
    EXPECT_EQ(run.pid, std::to_string(GetCurrentProcessId()));
    // The teardown did not undo the COM the thread itself initialised.
    EXPECT_TRUE(run.after.singleThreaded()) << run.after.result;
    EXPECT_NE(discovered, IDEDevices::WmiFailed);
    if (testsupport::runsUnderWine()) {
        EXPECT_EQ(discovered, IDEDevices::NoIdeDevices);
    }
}

TEST(WmiApartment, DriveSearchWorkerQueriesFromTheMultithreadedApartment)
{
    SKIP_WITHOUT_APARTMENT_TYPE();
    // The program's own search, on its own worker, with the real COM and
    // WMI and the real registry; only the apartment is noted on the way.
    // Shared with the job, which may outlive a test that gives up on it.
    const auto apartments = std::make_shared<std::vector<Apartment>>();
    const DriveSearch::Discovery noting = [apartments](IDEDevices &devices) {
        ApartmentNotingServices wbem;
        const auto registry = RegistryReader::create();
        const int32_t result = devices.Discover(wbem, *registry);
        *apartments = wbem.apartments;
        return result;
    };
    DriveSearch::install(&noting);
    DriveSearch search;
    DriveSearch::install(nullptr);
    // Bounded, so a hanging search fails the test rather than the run.
    for (int waited = 0; search.running() && waited < 120000; waited += 10)
        Sleep(10);
    ASSERT_FALSE(search.running());

    ASSERT_FALSE(apartments->empty());
    for (const Apartment &apartment : *apartments)
        EXPECT_TRUE(apartment.multithreaded()) << apartment.result << " " << apartment.type;
    const auto devices = search.takeDevices();
    ASSERT_NE(devices, nullptr);
    EXPECT_NE(devices->message(), "Initializing WMIProvider failed");
    if (testsupport::runsUnderWine()) {
        EXPECT_EQ(devices->message(), "No IDE devices found.");
    }
}

TEST(WmiOverCom, EachDiscoveryQueryRuns)
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
        // ...whose first Next brings a row, or says there is none. An empty
        // result set is WBEM_S_FALSE on both systems. An ASSOCIATORS OF
        // query whose object does not exist (no port range at that address,
        // no controller of that id) differs: Windows answers it with
        // WBEM_E_NOT_FOUND, as WMI documents for an object that cannot be
        // found, while Wine, which has no port resources and no IDE
        // controller at all, answers an empty result set. Windows answers a
        // row for each legacy IDE channel's port range on a machine that
        // has them.
        uint32_t returned = 7;
        const int32_t next = wbem->next(WMIProvider::WbemInfinite, returned);
        const bool row = next == WMIProvider::WbemSNoError && returned == 1;
        const bool notFound = next == WbemENotFound;
        if (!row) {
            const bool associators = query != CdromQuery;
            EXPECT_TRUE(next == WMIProvider::WbemSFalse || (associators && notFound))
                << query << ": 0x" << std::hex << static_cast<uint32_t>(next);
            EXPECT_EQ(returned, 0u) << query;
        }
        if (testsupport::runsUnderWine()) {
            EXPECT_EQ(next, WMIProvider::WbemSFalse) << query;
        }
        if (query == CdromQuery) {
            EXPECT_FALSE(row) << query;
        }
        wbem->releaseEnumerator();

        // Through the client an empty answer is a failed query with its
        // text; a missing object fails it too.
        EXPECT_EQ(wmi.RunQuery(wmi.widen(query)), row) << query;
        if (next == WMIProvider::WbemSFalse) {
            EXPECT_EQ(wmi.message(), "CreateInstanceEnum failed by WBEM_S_FALSE...") << query;
        }
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

TEST(WmiOverCom, DiscoveryOnAWorkerThreadFindsNoCdromDrive)
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

    // Wine has no IDE channel, so no device id is found. A Windows machine
    // with IDE channels finds their devices and then no CD-ROM drive.
    if (testsupport::runsUnderWine() || result != IDEDevices::NoCdromDrive) {
        EXPECT_EQ(result, IDEDevices::NoIdeDevices);
        EXPECT_EQ(devices.message(), "No IDE devices found.");
        EXPECT_EQ(devices.Count, 0);
        for (size_t slot = 0; slot < IDEDevices::SlotCount; ++slot) {
            EXPECT_EQ(devices.Kind[slot], 0) << slot;
            EXPECT_EQ(devices.Position[slot], IDEDevices::PositionUnknown) << slot;
        }
    } else {
        EXPECT_EQ(devices.message(), "No Win32_CDROMDrive found.");
    }
    for (size_t slot = 0; slot < IDEDevices::SlotCount; ++slot)
        EXPECT_EQ(devices.Letter[slot], '\0') << slot;
}

} // namespace
