#include "tests/emulator/emulator_fixture.h"

#include "emulator/emulated_notebook.h"
#include "tests/support/test_platform.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace emulator::test {

void EmulatorTest::SetUp()
{
    static std::atomic<int> counter{0};
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = std::filesystem::temp_directory_path() /
               ("vesperin-emulator-" + std::to_string(testsupport::processId()) + "-" +
                info->name() + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    testsupport::setEnvironment("VESPERIN_EMULATOR_IMAGE", imageFile().string());
    testsupport::unsetEnvironment("VESPERIN_EMULATOR_LOG");
}

void EmulatorTest::TearDown()
{
    std::string reply;
    mciSendString("close cd", reply);
    testsupport::unsetEnvironment("VESPERIN_EMULATOR_IMAGE");
    testsupport::unsetEnvironment("VESPERIN_EMULATOR_LOG");
    std::filesystem::remove_all(m_folder);
}

void EmulatorTest::writeImage(const nlohmann::json &image) const
{
    writeText(image.dump(2));
}

void EmulatorTest::writeText(const std::string &text) const
{
    std::ofstream(imageFile(), std::ios::binary) << text;
}

std::string EmulatorTest::readText() const
{
    std::ifstream stream(imageFile(), std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

nlohmann::json EmulatorTest::readImage() const
{
    return nlohmann::json::parse(readText());
}

Bytes words(std::initializer_list<uint32_t> values)
{
    Bytes bytes;
    for (uint32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    return bytes;
}

namespace {

uint32_t nameWord(const std::string &method)
{
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i)
        word = word << 8 | static_cast<uint8_t>(method.at(i));
    return word;
}

} // namespace

Bytes plainRequest(const std::string &method)
{
    return words({1, nameWord(method), 0, 0, 0});
}

Bytes integerRequest(const std::string &method, uint32_t value)
{
    return words({2, nameWord(method), 1, 8, 0x00040000, value});
}

Bytes bufferRequest(const std::string &method, const Bytes &data)
{
    const uint32_t blockSize = data.size() <= 4 ? 8 : static_cast<uint32_t>(data.size()) + 4;
    Bytes request =
        words({4, nameWord(method), 1, blockSize, 2u | static_cast<uint32_t>(data.size()) << 16});
    request.insert(request.end(), data.begin(), data.end());
    request.resize(16 + blockSize, 0);
    return request;
}

uint32_t Element::integer() const
{
    EXPECT_EQ(data.size(), 4u);
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i)
        value |= uint32_t(data[i]) << (8 * i);
    return value;
}

std::string Element::text() const
{
    EXPECT_FALSE(data.empty());
    EXPECT_EQ(data.empty() ? 0 : data.back(), 0);
    return data.empty() ? std::string() : std::string(data.begin(), data.end() - 1);
}

std::vector<Element> elementsOf(const Bytes &result, uint32_t size)
{
    std::vector<Element> elements;
    if (size < 12 || size > result.size()) {
        ADD_FAILURE() << "result of " << size << " bytes";
        return elements;
    }
    const uint32_t count =
        result[8] | result[9] << 8 | result[10] << 16 | uint32_t(result[11]) << 24;
    size_t offset = 12;
    for (uint32_t i = 0; i < count; ++i) {
        if (offset + 4 > size) {
            ADD_FAILURE() << "element " << i << " lies past the result";
            return elements;
        }
        Element element;
        element.type = static_cast<uint16_t>(result[offset] | result[offset + 1] << 8);
        const size_t length = result[offset + 2] | result[offset + 3] << 8;
        const size_t next = offset + (length <= 4 ? 8 : length + 4);
        if (next > size) {
            ADD_FAILURE() << "element " << i << " lies past the result";
            return elements;
        }
        element.data.assign(result.begin() + offset + 4, result.begin() + offset + 4 + length);
        elements.push_back(element);
        offset = next;
    }
    EXPECT_EQ(offset, size) << "bytes after the last element";
    return elements;
}

bool evaluate(const Bytes &request, Bytes &result, uint32_t &returned)
{
    result.assign(4096, 0);
    returned = 0;
    return acpiControl(kEvaluate, request.data(), static_cast<uint32_t>(request.size()),
                       result.data(), static_cast<uint32_t>(result.size()), returned);
}

std::vector<Element> evaluated(const Bytes &request)
{
    Bytes result;
    uint32_t returned = 0;
    if (!evaluate(request, result, returned)) {
        ADD_FAILURE() << "the request failed";
        return {};
    }
    return elementsOf(result, returned);
}

namespace {

std::pair<int64_t, int64_t> itemAnswer(const Bytes &request)
{
    Bytes result;
    uint32_t returned = 0;
    if (!evaluate(request, result, returned))
        return {-1, -1};
    const std::vector<Element> elements = elementsOf(result, returned);
    if (elements.size() != 1 || elements[0].data.size() != 8) {
        ADD_FAILURE() << "not one 8-byte buffer";
        return {-1, -1};
    }
    const Bytes &data = elements[0].data;
    const auto wordAt = [&](size_t at) {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    };
    return {wordAt(0), wordAt(4)};
}

} // namespace

nlohmann::json countingImage()
{
    return nlohmann::json::parse(R"({
  "format": 1,
  "firmware": {
    "mbif": [3, 0, 0, 65536],
    "methods": {
      "AHOU": { "id": 655369, "name": "Alarm Hour", "attributes": [7, 9], "range": [0, 1, 24], "value": 6 }
    },
    "faults": [{ "method": "MBIF", "effect": "truncate", "bytes": 4096 }]
  }
})");
}

std::pair<int64_t, int64_t> getItem(uint32_t id)
{
    return itemAnswer(bufferRequest("GITM", words({id})));
}

std::pair<int64_t, int64_t> setItem(uint32_t id, uint32_t value, uint32_t flag)
{
    return itemAnswer(bufferRequest("SITM", words({id, value, flag})));
}

} // namespace emulator::test
