#include "emulator/platform_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

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
    std::string pattern = target + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error = systemError("cannot create a temporary file beside " + target);
        return false;
    }
    const bool written = writeAll(fd, contents) && fsync(fd) == 0;
    if (!written)
        error = systemError("cannot write " + std::string(name.data()));
    if (close(fd) != 0 && written)
        error = systemError("cannot close " + std::string(name.data()));
    if (!error.empty() || std::rename(name.data(), target.c_str()) != 0) {
        if (error.empty())
            error = systemError("cannot replace " + target);
        unlink(name.data());
        return false;
    }
    return true;
}

} // namespace emulator
