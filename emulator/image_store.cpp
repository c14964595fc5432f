#include "emulator/image_store.h"

#include "emulator/default_image.h"
#include "emulator/image_path.h"
#include "emulator/parsed_image_cache.h"
#include "emulator/platform_files.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace emulator {

using nlohmann::json;

ImageStore::ImageStore(std::string path) : m_path(std::move(path)) {}

ImageStore ImageStore::current()
{
    return ImageStore(imagePath());
}

std::optional<json> ImageStore::read() const
{
    if (!ensureImage())
        return std::nullopt;
    return load();
}

bool ImageStore::update(const std::function<bool(json &)> &change) const
{
    if (!ensureImage())
        return false;
    std::string error;
    const auto lock = ImageFileLock::acquire(m_path + ".lock", error);
    if (!lock) {
        report(error);
        return false;
    }
    std::optional<json> image = load();
    if (!image)
        return false;
    return !change(*image) || write(*image);
}

bool ImageStore::ensureImage() const
{
    if (m_path.empty()) {
        report("no machine image: neither VESPERIN_EMULATOR_IMAGE, XDG_STATE_HOME nor a home "
               "folder is set");
        return false;
    }
    return createDefaultWhenMissing();
}

// Creation happens under the lock, so that two processes starting on a
// missing image write it once and neither replaces what the other changed.
bool ImageStore::createDefaultWhenMissing() const
{
    std::error_code ec;
    const std::filesystem::path file(m_path);
    if (std::filesystem::exists(file, ec))
        return true;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
        report("cannot create the folder " + file.parent_path().string() + ": " + ec.message());
        return false;
    }
    std::string error;
    const auto lock = ImageFileLock::acquire(m_path + ".lock", error);
    if (!lock) {
        report(error);
        return false;
    }
    if (std::filesystem::exists(file, ec))
        return true;
    return write(defaultImage());
}

std::optional<json> ImageStore::load() const
{
    // Parsed anew only when the file has changed since this process read it.
    std::string problem;
    std::optional<json> image = ParsedImageCache::load(m_path, problem);
    if (!image)
        report(problem);
    return image;
}

bool ImageStore::write(const json &image) const
{
    std::string error;
    if (replaceFileContents(m_path, image.dump(2) + "\n", error))
        return true;
    report(error);
    return false;
}

void ImageStore::report(const std::string &problem) const
{
    std::cerr << "vesperin emulator: machine image " << m_path << ": " << problem << std::endl;
}

} // namespace emulator
