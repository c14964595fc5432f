#include "tests/support/temporary_machine_image.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

namespace testsupport {

namespace {
const char ImageVariable[] = "VESPERIN_EMULATOR_IMAGE";
}

TemporaryMachineImage::TemporaryMachineImage(const std::string &prefix)
{
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info ? info->name() : "fixture";
    m_folder = std::filesystem::temp_directory_path() /
               (prefix + "-" + std::to_string(processId()) + "-" + test);
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    m_image = m_folder / "notebook.json";
    setEnvironment(ImageVariable, m_image.string());
}

TemporaryMachineImage::~TemporaryMachineImage()
{
    unsetEnvironment(ImageVariable);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

} // namespace testsupport
