#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace emulator {

// The machine image as its file holds it now, parsed and validated anew only
// when the file has changed since this process last read it: the last valid
// image is kept with the stamp of the file it came from (file_stamp.h), and
// every call opens the file and compares its stamp. Shared by the threads of
// the process: a caller gets the kept image itself, never to be changed, so
// that the many requests that only read it copy none of it. An image that
// cannot be read or is invalid is never kept.
class ParsedImageCache
{
public:
    // The valid image at `path`; null, with `problem` set to what is wrong
    // with the file, on failure.
    static std::shared_ptr<const nlohmann::json> load(const std::string &path,
                                                      std::string &problem);
};

} // namespace emulator
