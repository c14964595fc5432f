#pragma once

// The few file operations whose form differs between Windows and POSIX: an
// exclusive lock on a lock file and the replacement of a file by a fully
// written and flushed new copy (file_stamp.h reads the file). Everything
// else about the machine image is decided in shared code.

#include <memory>
#include <string>

namespace emulator {

// An exclusive lock on a lock file, held while the object lives. The lock
// file is created when missing and is never deleted, so that every process
// that shares the image locks the same file.
class ImageFileLock
{
public:
    virtual ~ImageFileLock() = default;

    // Blocks until the lock is held; empty with `error` set on failure.
    static std::unique_ptr<ImageFileLock> acquire(const std::string &lockPath, std::string &error);

protected:
    ImageFileLock() = default;
};

// Writes `contents` to a new file in the target's folder, flushes it to the
// disk and then puts it in the target's place in one step, so that readers
// see either the old file or the new one, never a half-written one. On
// POSIX the new copy gets the replaced file's permissions and, where the
// user may give it, its owner and group; a first file gets what the umask
// leaves of 0666. On Windows a replacement refused while a reader holds the target open is
// tried again for about two seconds.
bool replaceFileContents(const std::string &target, const std::string &contents,
                         std::string &error);

} // namespace emulator
