#include "emulator/parsed_image_cache.h"

#include "emulator/file_stamp.h"
#include "emulator/image_validator.h"
#include "emulator/process_mutex.h"

namespace emulator {
namespace {

using nlohmann::json;

struct Kept
{
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const json> image;
};

// Made when the library is loaded, before any thread asks for an image.
ProcessMutex keptLock;
std::optional<Kept> kept;

std::optional<FileStamp> keptStampOf(const std::string &path)
{
    ProcessMutex::Guard guard(keptLock);
    if (kept && kept->path == path)
        return kept->stamp;
    return std::nullopt;
}

} // namespace

std::shared_ptr<const json> ParsedImageCache::load(const std::string &path, std::string &problem)
{
    const std::optional<FileStamp> known = keptStampOf(path);
    FileStamp stamp;
    std::string text;
    switch (readFileUnlessUnchanged(path, known, stamp, text, problem)) {
    case StampedRead::Failed:
        return nullptr;
    case StampedRead::Unchanged: {
        ProcessMutex::Guard guard(keptLock);
        // Another thread may have kept a newer file meanwhile: then this one
        // reads again.
        if (kept && kept->path == path && kept->stamp.sameFile(stamp))
            return kept->image;
        return load(path, problem);
    }
    case StampedRead::Read:
        break;
    }
    auto image = std::make_shared<const json>(json::parse(text, nullptr, false));
    if (image->is_discarded()) {
        problem = "is not valid JSON";
        return nullptr;
    }
    problem = ImageValidator::problem(*image);
    if (!problem.empty())
        return nullptr;
    ProcessMutex::Guard guard(keptLock);
    if (stamp.settled)
        kept = Kept{path, stamp, image};
    else if (kept && kept->path == path)
        kept.reset();
    return image;
}

} // namespace emulator
