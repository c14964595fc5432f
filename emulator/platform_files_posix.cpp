#include "emulator/platform_files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace emulator {
namespace {

std::string systemError(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

class PosixFileLock : public ImageFileLock
{
public:
    explicit PosixFileLock(int fd) : m_fd(fd) {}
    ~PosixFileLock() override
    {
        flock(m_fd, LOCK_UN);
        close(m_fd);
    }

private:
    int m_fd;
};

bool writeAll(int fd, const std::string &contents)
{
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A new file beside the target, open for writing, with a name no other
// writer uses at the same time (the process id and a counter of this
// process). It is made for its owner alone when it is to take the place of
// a file whose permissions it then gets; a first image gets what the umask
// leaves of 0666, as any file the user makes.
int createTemporary(const std::string &target, bool replacing, std::string &name)
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        name = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// The replaced file's owner and group where this user may give them (the
// administrator may; anyone may keep a group they belong to), then its
// permissions, which a change of owner may have cleared bits of.
bool keepOwnerAndMode(int fd, const struct stat &replaced)
{
    if (fchown(fd, replaced.st_uid, replaced.st_gid) != 0)
        (void)!fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
    return fchmod(fd, replaced.st_mode & 07777) == 0;
}

} // namespace

std::unique_ptr<ImageFileLock> ImageFileLock::acquire(const std::string &lockPath,
                                                      std::string &error)
{
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = systemError("cannot open the lock file " + lockPath);
        return nullptr;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = systemError("cannot lock " + lockPath);
            close(fd);
            return nullptr;
        }
    }
    return std::make_unique<PosixFileLock>(fd);
}

bool replaceFileContents(const std::string &target, const std::string &contents, std::string &error)
{
    struct stat replaced {};
    const bool replacing = stat(target.c_str(), &replaced) == 0;
    std::string name;
    const int fd = createTemporary(target, replacing, name);
    if (fd < 0) {
        error = systemError("cannot create a temporary file beside " + target);
        return false;
    }
    if (replacing && !keepOwnerAndMode(fd, replaced))
        error = systemError("cannot give " + name + " the permissions of " + target);
    const bool written = error.empty() && writeAll(fd, contents) && fsync(fd) == 0;
    if (!written && error.empty())
        error = systemError("cannot write " + name);
    if (close(fd) != 0 && written)
        error = systemError("cannot close " + name);
    if (!error.empty() || std::rename(name.c_str(), target.c_str()) != 0) {
        if (error.empty())
            error = systemError("cannot replace " + target);
        unlink(name.c_str());
        return false;
    }
    return true;
}

} // namespace emulator
