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

ImageStore::ImageStore(std::string path)
    : m_path(std::move(path)), m_file(m_path.empty() ? m_path : linkTarget(m_path))
{
}

ImageStore ImageStore::current()
{
    return ImageStore(imagePath());
}

std::shared_ptr<const json> ImageStore::read() const
{
    if (!ensureImage())
        return nullptr;
    return load();
}

bool ImageStore::update(const std::function<bool(json &)> &change) const
{
    if (!ensureImage())
        return false;
    std::string error;
    const auto lock = ImageFileLock::acquire(m_file + ".lock", error);
    if (!lock) {
        report(error);
        return false;
    }
    const std::shared_ptr<const json> loaded = load();
    if (!loaded)
        return false;
    // The change is made on a copy: the loaded image is shared with readers.
    json image = *loaded;
    return !change(image) || write(image);
}

bool ImageStore::ensureImage() const
{
    if (m_path.empty()) {
        report("no machine image: neither VESPERIN_EMULATOR_IMAGE, XDG_STATE_HOME nor a home "
               "folder is set");
        return false;
    }
    switch (presence()) {
    case Presence::File:
        return true;
    case Presence::Missing:
        return createDefaultWhenMissing();
    case Presence::Unusable:
        break;
    }
    return false;
}

// Only a path at which nothing exists is a missing image. Whatever else
// stops the check (a permission, a loop of links) is reported as it is, so
// that a default is never written over an image that is only unreachable.
ImageStore::Presence ImageStore::presence() const
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(m_file, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return Presence::Missing;
    if (ec) {
        report("cannot be examined: " + ec.message());
        return Presence::Unusable;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        report("is a folder, not a machine image file");
        return Presence::Unusable;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        report("is not a regular file");
        return Presence::Unusable;
    }
    return Presence::File;
}

// Creation happens under the lock, so that two processes starting on a
// missing image write it once and neither replaces what the other changed.
bool ImageStore::createDefaultWhenMissing() const
{
    std::error_code ec;
    const std::filesystem::path file(m_file);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) {
        report("cannot create the folder " + file.parent_path().string() + ": " + ec.message());
        return false;
    }
    std::string error;
    const auto lock = ImageFileLock::acquire(m_file + ".lock", error);
    if (!lock) {
        report(error);
        return false;
    }
    // Another process may have made it meanwhile.
    switch (presence()) {
    case Presence::Missing:
        return write(defaultImage());
    case Presence::File:
        return true;
    case Presence::Unusable:
        break;
    }
    return false;
}

std::shared_ptr<const json> ImageStore::load() const
{
    // Parsed anew only when the file has changed since this process read
    // it; the file is the one the path leads to, as for the lock.
    std::string problem;
    std::shared_ptr<const json> image = ParsedImageCache::load(m_file, problem);
    if (!image)
        report(problem);
    return image;
}

bool ImageStore::write(const json &image) const
{
    std::string error;
    if (replaceFileContents(m_file, image.dump(2) + "\n", error))
        return true;
    report(error);
    return false;
}

void ImageStore::report(const std::string &problem) const
{
    std::cerr << "vesperin emulator: machine image " << m_path << ": " << problem << std::endl;
}

} // namespace emulator
