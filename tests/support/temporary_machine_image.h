#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder for one test's machine image, named after the test, with the
// emulated notebook pointed at the image in it. Without a file there the
// emulated notebook creates its default machine. The folder and the
// environment variable are removed again on destruction.
class TemporaryMachineImage
{
public:
    explicit TemporaryMachineImage(const std::string &prefix);
    ~TemporaryMachineImage();

    TemporaryMachineImage(const TemporaryMachineImage &) = delete;
    TemporaryMachineImage &operator=(const TemporaryMachineImage &) = delete;

    const std::filesystem::path &path() const { return m_image; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_image;
};

} // namespace testsupport
