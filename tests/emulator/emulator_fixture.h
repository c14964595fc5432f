#pragma once

// Shared ground for the emulated notebook's tests: a machine image in a
// fresh temporary folder, named through VESPERIN_EMULATOR_IMAGE, and the
// driver's request and result layouts built and read byte by byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace emulator::test {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kEvaluate = 0x00222404;
constexpr uint32_t kHandshake = 0x0022240C;

class EmulatorTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path imageFile() const { return m_folder / "notebook.json"; }
    std::filesystem::path folder() const { return m_folder; }
    void writeImage(const nlohmann::json &image) const;
    void writeText(const std::string &text) const;
    std::string readText() const;
    nlohmann::json readImage() const;

private:
    std::filesystem::path m_folder;
};

// Request layouts of the evaluation control code: without argument, and
// with an integer or a byte-buffer argument in the 64-bit-host layout.
Bytes plainRequest(const std::string &method);
Bytes integerRequest(const std::string &method, uint32_t value);
Bytes bufferRequest(const std::string &method, const Bytes &data);
Bytes words(std::initializer_list<uint32_t> values);

// One element of a result: its type and data bytes.
struct Element
{
    uint16_t type = 0;
    Bytes data;
    uint32_t integer() const;
    std::string text() const;
};

// The elements of a result of `size` bytes; fails the test when the result
// is shorter than its element count says.
std::vector<Element> elementsOf(const Bytes &result, uint32_t size);

// Sends one evaluation request with a 4096-byte result buffer.
bool evaluate(const Bytes &request, Bytes &result, uint32_t &returned);
std::vector<Element> evaluated(const Bytes &request);

// An image with the hour item (id kHourId, value 6) and a fault that counts
// every MBIF request, so that each MBIF request is a change of the image.
constexpr uint32_t kHourId = 0x000A0009;
nlohmann::json countingImage();

// The item answer {status, value} of GITM and SITM; {-1, -1} on failure.
std::pair<int64_t, int64_t> getItem(uint32_t id);
std::pair<int64_t, int64_t> setItem(uint32_t id, uint32_t value, uint32_t flag = 1);

} // namespace emulator::test
