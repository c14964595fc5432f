#include "emulator/file_stamp.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace emulator {
namespace {

bool readAll(int fd, std::string &contents)
{
    contents.clear();
    char chunk[1 << 14];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        contents.append(chunk, size_t(n));
    }
}

// The file times' clock, in nanoseconds.
int64_t fileClockNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

StampedRead readFileUnlessUnchanged(const std::string &path, const std::optional<FileStamp> &known,
                                    FileStamp &stamp, std::string &contents, std::string &error)
{
    const int64_t openedAt = fileClockNow();
    // A rename over the file leaves this reader the file it opened.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot be opened";
        return StampedRead::Failed;
    }
    struct stat status
    {
    };
    StampedRead outcome = StampedRead::Read;
    if (fstat(fd, &status) != 0) {
        error = "cannot be read";
        outcome = StampedRead::Failed;
    } else {
        stamp.volume = uint64_t(status.st_dev);
        stamp.index = uint64_t(status.st_ino);
        stamp.size = uint64_t(status.st_size);
        stamp.modified = int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
        stamp.settled = openedAt - stamp.modified >= int64_t(SettledAfterSeconds) * 1000000000;
        if (known && known->settled && known->sameFile(stamp))
            outcome = StampedRead::Unchanged;
        else if (!readAll(fd, contents)) {
            error = "cannot be read";
            outcome = StampedRead::Failed;
        }
    }
    close(fd);
    return outcome;
}

} // namespace emulator
