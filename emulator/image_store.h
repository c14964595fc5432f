#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace emulator {

// The machine image on disk. Every read sees the file as it is now; every
// change is made under the exclusive lock of `<image>.lock`, on a copy read
// anew under that lock, and written back through a flushed temporary file
// that replaces the image in one step. An image that cannot be read or is
// invalid is never written; each failure writes one line on standard error
// naming the file and the problem.
//
// An image path that is a symbolic link is followed once, when the store is
// made: the file it names is the one read, locked (through its own lock
// file) and replaced, so the link stays a link and every process sharing the
// file locks the same lock file, whichever path it came by. A replacement
// keeps the image's permissions and, where the user may give it, its owner.
class ImageStore
{
public:
    // The store of the image at `path`; an empty path fails every call.
    explicit ImageStore(std::string path);

    // The store of the image the environment names.
    static ImageStore current();

    // The valid image, after creating the default one (folders included)
    // when the file does not exist; shared with the other readers of the
    // same file, so it is only read. Null on failure, and when something
    // other than a file (a folder) is at the path or the path cannot be
    // examined; those are never replaced by a default.
    std::shared_ptr<const nlohmann::json> read() const;

    // Runs `change` on the image under the lock and writes the image back
    // when `change` returns true. False when the image could not be read,
    // was invalid or could not be written.
    bool update(const std::function<bool(nlohmann::json &)> &change) const;

    const std::string &path() const { return m_path; }

private:
    enum class Presence { Missing, File, Unusable };

    bool ensureImage() const;
    Presence presence() const;
    bool createDefaultWhenMissing() const;
    std::shared_ptr<const nlohmann::json> load() const;
    bool write(const nlohmann::json &image) const;
    void report(const std::string &problem) const;

    std::string m_path; // as given, for the messages
    std::string m_file; // the file it names, symbolic links followed
};

} // namespace emulator
