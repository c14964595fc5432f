// The emulated driver device as the bridge sees it: request layouts, the
// firmware's answers, injected faults and the request log.

#include "emulator/emulated_notebook.h"
#include "tests/emulator/emulator_fixture.h"
#include "tests/support/test_platform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace emulator::test {
namespace {

using nlohmann::json;

constexpr uint32_t kDriveId = 0x000A000B;

json firmwareImage()
{
    return json::parse(R"({
      "format": 1,
      "firmware": {
        "mbif": [3, 0, 0, 65536],
        "groups": { "10": ["ALEN", "AHOU", "ADRV"] },
        "methods": {
          "ALEN": { "id": 655361, "name": "Alarm Enable", "attributes": [0, 0], "value": 1 },
          "AHOU": { "id": 655369, "name": "Alarm Hour", "attributes": [7, 9], "range": [0, 1, 24], "value": 6 },
          "ADRV": { "id": 655371, "name": "Alarm Drive",
                    "choices": ["Primary Master", "Primary Slave", "Secondary Master", "Secondary Slave"], "value": 2 },
          "AMIN": { "id": 655370, "name": "Alarm Minute", "range": [5, 5, 3] }
        }
      }
    })");
}

class AcpiFaceTest : public EmulatorTest
{
protected:
    void SetUp() override
    {
        EmulatorTest::SetUp();
        writeImage(firmwareImage());
    }

    void setFaults(const json &faults)
    {
        json image = readImage();
        image["firmware"]["faults"] = faults;
        writeImage(image);
    }
};

TEST_F(AcpiFaceTest, HandshakeAnswersFourZeroBytesAndOtherCodesFail)
{
    ASSERT_TRUE(acpiOpen());
    uint32_t out = 0xFFFFFFFF;
    uint32_t returned = 0;
    ASSERT_TRUE(acpiControl(kHandshake, nullptr, 0, &out, 4, returned));
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(returned, 4u);
    const Bytes request = plainRequest("MBIF");
    Bytes result(4096);
    EXPECT_FALSE(acpiControl(0x00222408, request.data(), 20, result.data(), 4096, returned));
}

TEST_F(AcpiFaceTest, SupportGroupAndDescriptionsAnswerAsWritten)
{
    std::vector<Element> mbif = evaluated(plainRequest("MBIF"));
    ASSERT_EQ(mbif.size(), 4u);
    EXPECT_EQ(mbif[0].integer(), 3u);
    EXPECT_EQ(mbif[3].integer(), 65536u);

    std::vector<Element> group = evaluated(integerRequest("GGRP", 10));
    ASSERT_EQ(group.size(), 3u);
    EXPECT_EQ(group[1].text(), "AHOU");
    EXPECT_TRUE(evaluated(integerRequest("GGRP", 11)).empty());

    std::vector<Element> hour = evaluated(plainRequest("AHOU"));
    ASSERT_EQ(hour.size(), 7u);
    EXPECT_EQ(hour[0].integer(), kHourId);
    EXPECT_EQ(hour[1].text(), "Alarm Hour");
    EXPECT_EQ(hour[2].integer(), 7u);
    EXPECT_EQ(hour[3].integer(), 9u);
    EXPECT_EQ(hour[6].integer(), 24u);

    std::vector<Element> drive = evaluated(plainRequest("ADRV"));
    ASSERT_EQ(drive.size(), 9u);
    EXPECT_EQ(drive[2].integer(), 0u) << "attributes default to 0";
    EXPECT_EQ(drive[4].integer(), 4u);
    EXPECT_EQ(drive[8].text(), "Secondary Slave");
}

TEST_F(AcpiFaceTest, LongNamesAndManyChoicesAreAnsweredUncut)
{
    json image = readImage();
    json choices = json::array();
    for (int i = 0; i < 40; ++i) {
        // Appended piece by piece: GCC 12 warns falsely about "text" + string.
        std::string choice = "Choice number ";
        choice += std::to_string(i);
        choice += " with a long name";
        choices.push_back(choice);
    }
    image["firmware"]["methods"]["ADRV"]["choices"] = choices;
    image["firmware"]["methods"]["ADRV"]["name"] = std::string(200, 'n');
    writeImage(image);
    std::vector<Element> drive = evaluated(plainRequest("ADRV"));
    ASSERT_EQ(drive.size(), 45u);
    EXPECT_EQ(drive[1].text().size(), 200u);
    EXPECT_EQ(drive[44].text(), "Choice number 39 with a long name");
}

TEST_F(AcpiFaceTest, UnknownMethodsAndMissingSupportInfoFail)
{
    Bytes result;
    uint32_t returned = 0;
    EXPECT_FALSE(evaluate(plainRequest("XXXX"), result, returned));
    json image = readImage();
    image["firmware"].erase("mbif");
    writeImage(image);
    EXPECT_FALSE(evaluate(plainRequest("MBIF"), result, returned));
}

TEST_F(AcpiFaceTest, GetItemMatchesAllThirtyTwoBitsOfTheId)
{
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(6)));
    EXPECT_EQ(getItem(kHourId & 0xFFFF), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(getItem(0x000B0009), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(getItem(0x000A000A), std::make_pair(int64_t(1), int64_t(0))) << "value defaults to 0";
}

TEST_F(AcpiFaceTest, SetItemStoresOnlyOfferedValues)
{
    EXPECT_EQ(setItem(kHourId, 23), std::make_pair(int64_t(1), int64_t(23)));
    EXPECT_EQ(setItem(kHourId, 24), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(setItem(kDriveId, 3), std::make_pair(int64_t(1), int64_t(3)));
    EXPECT_EQ(setItem(kDriveId, 4), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(setItem(0x000A000A, 15), std::make_pair(int64_t(1), int64_t(15)));
    EXPECT_EQ(setItem(0x000A000A, 12), std::make_pair(int64_t(0), int64_t(0))) << "off the step";
    EXPECT_EQ(setItem(0x000A000A, 20), std::make_pair(int64_t(0), int64_t(0))) << "past the count";
    EXPECT_EQ(setItem(0x000A000A, 0), std::make_pair(int64_t(0), int64_t(0)))
        << "below the minimum";
    EXPECT_EQ(setItem(0x000A0001, 77), std::make_pair(int64_t(1), int64_t(77))) << "no limits";
    EXPECT_EQ(setItem(kHourId, 5, 0), std::make_pair(int64_t(0), int64_t(0))) << "third word not 1";
    EXPECT_EQ(setItem(kHourId & 0xFFFF, 5), std::make_pair(int64_t(0), int64_t(0)));

    const json methods = readImage()["firmware"]["methods"];
    EXPECT_EQ(methods["AHOU"]["value"], 23);
    EXPECT_EQ(methods["ADRV"]["value"], 3);
    EXPECT_EQ(methods["AMIN"]["value"], 15);
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(23)));
}

TEST_F(AcpiFaceTest, MalformedRequestsFail)
{
    Bytes result;
    uint32_t returned = 0;
    Bytes shortRequest = plainRequest("MBIF");
    shortRequest.pop_back();
    EXPECT_FALSE(evaluate(shortRequest, result, returned));
    Bytes badKind = plainRequest("MBIF");
    badKind[0] = 3;
    EXPECT_FALSE(evaluate(badKind, result, returned));
    Bytes badType = integerRequest("GGRP", 10);
    badType[16] = 2;
    EXPECT_FALSE(evaluate(badType, result, returned));
    Bytes badBlockSize = bufferRequest("GITM", words({kHourId}));
    badBlockSize[12] = 12;
    EXPECT_FALSE(evaluate(badBlockSize, result, returned));
    Bytes overlong = bufferRequest("SITM", words({kHourId, 1, 1}));
    overlong[18] = 40;
    EXPECT_FALSE(evaluate(overlong, result, returned));
    EXPECT_FALSE(evaluate(plainRequest("GITM"), result, returned)) << "GITM needs a buffer";
    EXPECT_FALSE(acpiControl(kEvaluate, nullptr, 0, result.data(), 4096, returned));
}

TEST_F(AcpiFaceTest, NativeLayoutIsServedOnlyWhereAddressesAreThirtyTwoBits)
{
    const Bytes block = words({0x00040000, 10});
    const auto address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block.data()));
    const Bytes request = words({2, 0x50524747 /* GGRP */, 1, 8, address});
    Bytes result(4096);
    uint32_t returned = 0;
    const bool answered = acpiControl(kEvaluate, request.data(), 20, result.data(), 4096, returned);
    if (sizeof(void *) != 4) {
        EXPECT_FALSE(answered);
        return;
    }
    ASSERT_TRUE(answered);
    EXPECT_EQ(elementsOf(result, returned).size(), 3u);
    const std::filesystem::path log = folder() / "native.log";
    testsupport::setEnvironment("VESPERIN_EMULATOR_LOG", log.string());
    const Bytes item = words({0x00040002, kHourId});
    const auto itemAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(item.data()));
    const Bytes get = words({4, 0x4D544947 /* GITM */, 1, 8, itemAddress});
    ASSERT_TRUE(acpiControl(kEvaluate, get.data(), 20, result.data(), 4096, returned));
    EXPECT_EQ(elementsOf(result, returned)[0].data, words({1, 6}));
    char addressHex[9];
    std::snprintf(addressHex, sizeof addressHex, "%02x%02x%02x%02x", itemAddress & 0xFF,
                  itemAddress >> 8 & 0xFF, itemAddress >> 16 & 0xFF, itemAddress >> 24);
    std::string line;
    std::getline(std::ifstream(log) >> std::ws, line);
    EXPECT_EQ(line, std::string("00222404 040000004749544d0100000008000000") + addressHex +
                        " 020004000900" + "0a00");
}

TEST_F(AcpiFaceTest, AResultLargerThanTheOutputBufferFails)
{
    const Bytes request = integerRequest("GGRP", 10);
    Bytes result(4096);
    uint32_t returned = 0;
    ASSERT_TRUE(acpiControl(kEvaluate, request.data(), 24, result.data(), 4096, returned));
    const uint32_t needed = returned;
    returned = 0;
    EXPECT_TRUE(acpiControl(kEvaluate, request.data(), 24, result.data(), needed, returned));
    EXPECT_FALSE(acpiControl(kEvaluate, request.data(), 24, result.data(), needed - 1, returned));
}

TEST_F(AcpiFaceTest, FaultsApplyInOrderAndCountTheirUse)
{
    setFaults(json::parse(R"([
      { "method": "GITM", "item": 11, "effect": "refuse", "times": 2 },
      { "method": "GITM", "effect": "fail", "times": 1 },
      { "method": "MBIF", "effect": "fail" }
    ])"));
    EXPECT_EQ(getItem(kDriveId), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(-1), int64_t(-1))) << "second entry";
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(6))) << "used up";
    EXPECT_EQ(getItem(kDriveId), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(getItem(kDriveId), std::make_pair(int64_t(1), int64_t(2)));
    Bytes result;
    uint32_t returned = 0;
    EXPECT_FALSE(evaluate(plainRequest("MBIF"), result, returned));
    EXPECT_FALSE(evaluate(plainRequest("MBIF"), result, returned));

    const json faults = readImage()["firmware"]["faults"];
    EXPECT_EQ(faults[0]["used"], 2);
    EXPECT_EQ(faults[1]["used"], 1);
    EXPECT_EQ(faults[2]["used"], 2);
}

TEST_F(AcpiFaceTest, RefusedSetStoresNothing)
{
    setFaults(json::parse(R"([{ "method": "SITM", "item": 9, "effect": "refuse" }])"));
    EXPECT_EQ(setItem(kHourId, 7), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(setItem(kDriveId, 1), std::make_pair(int64_t(1), int64_t(1)));
    EXPECT_EQ(readImage()["firmware"]["methods"]["AHOU"]["value"], 6);
}

TEST_F(AcpiFaceTest, TruncateCutsTheCountAndFillsThePastWithGarbage)
{
    setFaults(
        json::parse(R"([{ "method": "GITM", "effect": "truncate", "bytes": 18, "times": 1 }])"));
    Bytes result;
    uint32_t returned = 0;
    ASSERT_TRUE(evaluate(bufferRequest("GITM", words({kHourId})), result, returned));
    EXPECT_EQ(returned, 18u);
    EXPECT_EQ(result[16], 1) << "the bytes before the cut are the answer";
    for (size_t i = 18; i < result.size(); ++i)
        ASSERT_EQ(result[i], 0xA5) << "at byte " << i;
    ASSERT_TRUE(evaluate(bufferRequest("GITM", words({kHourId})), result, returned));
    EXPECT_EQ(returned, 24u);
}

TEST_F(AcpiFaceTest, LogHasOneLinePerRequestWhateverItsOutcome)
{
    const std::filesystem::path log = folder() / "requests.log";
    testsupport::setEnvironment("VESPERIN_EMULATOR_LOG", log.string());
    Bytes result;
    uint32_t returned = 0;
    ASSERT_TRUE(evaluate(integerRequest("GGRP", 10), result, returned));
    EXPECT_FALSE(evaluate(plainRequest("XXXX"), result, returned));
    uint32_t out = 0;
    ASSERT_TRUE(acpiControl(kHandshake, nullptr, 0, &out, 4, returned));

    std::ifstream stream(log);
    std::string line;
    ASSERT_TRUE(std::getline(stream, line));
    EXPECT_EQ(line, "00222404 02000000474752500100000008000000000004000a000000");
    ASSERT_TRUE(std::getline(stream, line));
    EXPECT_EQ(line, "00222404 0100000058585858000000000000000000000000");
    ASSERT_TRUE(std::getline(stream, line));
    EXPECT_EQ(line, "0022240c ");
    EXPECT_FALSE(std::getline(stream, line));
}

TEST_F(AcpiFaceTest, RequestsThatChangeNothingTakeNoLockButChangesStillDo)
{
    // A lock file that cannot be opened, as in a folder the user cannot
    // write (a folder in its place stops every user, the administrator too).
    std::filesystem::create_directory(imageFile().string() + ".lock");
    const std::string before = readText();

    Bytes result;
    uint32_t returned = 0;
    EXPECT_TRUE(acpiOpen());
    EXPECT_TRUE(evaluate(plainRequest("MBIF"), result, returned));
    EXPECT_TRUE(evaluate(integerRequest("GGRP", 10), result, returned));
    EXPECT_TRUE(evaluate(plainRequest("AHOU"), result, returned));
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(6)));
    uint32_t handshake = 7;
    EXPECT_TRUE(acpiControl(kHandshake, nullptr, 0, &handshake, 4, returned));

    // A stored value and a counted fault are changes: without the lock they
    // fail and the image stays as it was.
    EXPECT_EQ(setItem(kHourId, 7), std::make_pair(int64_t(-1), int64_t(-1)));
    EXPECT_EQ(readText(), before);
    std::filesystem::remove(imageFile().string() + ".lock");
    setFaults(json::parse(R"([{ "method": "MBIF", "effect": "fail" }])"));
    const std::string faulted = readText();
    std::filesystem::create_directory(imageFile().string() + ".lock");
    EXPECT_FALSE(evaluate(plainRequest("MBIF"), result, returned));
    EXPECT_EQ(readText(), faulted);
    EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(6)));
}

#ifndef _WIN32
TEST_F(AcpiFaceTest, ANativeArgumentBlockIsReadNoFurtherThanTheRequestSays)
{
    if (sizeof(void *) != 4)
        GTEST_SKIP() << "only a 32-bit process is handed native-layout addresses";
    // An 8-byte block at the very end of readable memory whose own length
    // claims 65535 data bytes: reading by that length runs into the page
    // that cannot be read.
    const long page = sysconf(_SC_PAGESIZE);
    void *memory =
        mmap(nullptr, size_t(page) * 2, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    auto *pages = static_cast<uint8_t *>(memory);
    ASSERT_EQ(mprotect(pages + page, size_t(page), PROT_NONE), 0);
    uint8_t *block = pages + page - 8;
    const Bytes claim = words({0xFFFF0002, kHourId});
    std::copy(claim.begin(), claim.end(), block);

    const std::filesystem::path log = folder() / "native.log";
    testsupport::setEnvironment("VESPERIN_EMULATOR_LOG", log.string());
    const auto address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block));
    const Bytes request = words({4, 0x4D544947 /* GITM */, 1, 8, address});
    Bytes result(4096);
    uint32_t returned = 0;
    EXPECT_FALSE(acpiControl(kEvaluate, request.data(), 20, result.data(), 4096, returned));
    std::string line;
    std::getline(std::ifstream(log) >> std::ws, line);
    // The log shows the eight bytes the request declared, no more.
    EXPECT_EQ(line.substr(line.rfind(' ') + 1), "0200ffff0900"
                                                "0a00");
    testsupport::unsetEnvironment("VESPERIN_EMULATOR_LOG");
    munmap(memory, size_t(page) * 2);
}
#endif

} // namespace
} // namespace emulator::test
