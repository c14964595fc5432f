#pragma once

// The stamp of a file as one open of it sees it: which file it is (its
// volume and index, so that a file put in its place by a rename differs),
// its size and its modification time, to the finest step the system keeps.

#include <cstdint>
#include <optional>
#include <string>

namespace emulator {

struct FileStamp
{
    uint64_t volume = 0;
    uint64_t index = 0;
    uint64_t size = 0;
    int64_t modified = 0;
    // Windows only: the creation time, which a file put in place by a rename
    // brings along, so that the path alone tells a replaced file.
    int64_t created = 0;
    // The file was last changed at least SettledAfterSeconds before it was
    // opened. Only then does a later change in place, even one of the same
    // size, give another modification time: file systems keep the time in
    // steps (Linux in the kernel's ticks, FAT in two seconds), and a change
    // made within the step of the last one keeps the time as it was.
    bool settled = false;

    bool sameFile(const FileStamp &other) const
    {
        return volume == other.volume && index == other.index && size == other.size &&
               modified == other.modified && created == other.created;
    }
};

constexpr int SettledAfterSeconds = 2;

enum class StampedRead
{
    Failed,
    Unchanged,
    Read
};

// Opens the file at `path` and takes its stamp. When `known` is settled and
// names the same file, the file is not read (Unchanged); otherwise its contents are read
// through the same open (Read). Either way `stamp` is the file's stamp. The
// stamp and the contents come from one open file, so a writer that replaces
// the file meanwhile is seen at the next call. Failed, with `error` set
// ("cannot be opened", "cannot be read"), when the file cannot be opened or
// read. On Windows the file is opened shared for reading, writing and
// deleting, and held only while it is read: Windows refuses to replace an
// open file, so a writer in another process waits that long.
StampedRead readFileUnlessUnchanged(const std::string &path, const std::optional<FileStamp> &known,
                                    FileStamp &stamp, std::string &contents, std::string &error);

} // namespace emulator
