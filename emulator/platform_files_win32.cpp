#include "emulator/platform_files.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <windows.h>

namespace emulator {
namespace {

std::string systemError(const std::string &what)
{
    return what + " (Windows error " + std::to_string(GetLastError()) + ")";
}

std::wstring widePath(const std::string &path)
{
    return std::filesystem::path(path).wstring();
}

class Win32FileLock : public ImageFileLock
{
public:
    explicit Win32FileLock(HANDLE file) : m_file(file) {}
    ~Win32FileLock() override
    {
        OVERLAPPED whole = {};
        UnlockFileEx(m_file, 0, MAXDWORD, MAXDWORD, &whole);
        CloseHandle(m_file);
    }

private:
    HANDLE m_file;
};

// A name no other writer uses at the same time: the process id and a
// counter of this process.
std::string temporaryName(const std::string &target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
}

bool writeAll(HANDLE file, const std::string &contents)
{
    size_t done = 0;
    while (done < contents.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, contents.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Puts the written temporary file in the target's place in one step. Windows
// refuses to replace a file that is open, however it is shared, and a reader
// that takes no lock holds the image open only while it reads it; so a
// refusal is tried again for a while before it counts.
bool replaceTarget(const std::wstring &temporary, const std::wstring &target)
{
    constexpr int Attempts = 200;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            attempt == Attempts)
            return false;
        Sleep(attempt < 10 ? 0 : 10);
    }
}

} // namespace

std::unique_ptr<ImageFileLock> ImageFileLock::acquire(const std::string &lockPath,
                                                      std::string &error)
{
    const HANDLE file = CreateFileW(widePath(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = systemError("cannot open the lock file " + lockPath);
        return nullptr;
    }
    OVERLAPPED whole = {};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        error = systemError("cannot lock " + lockPath);
        CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<Win32FileLock>(file);
}

bool replaceFileContents(const std::string &target, const std::string &contents, std::string &error)
{
    const std::wstring temporary = widePath(temporaryName(target));
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = systemError("cannot create a temporary file beside " + target);
        return false;
    }
    const bool written = writeAll(file, contents) && FlushFileBuffers(file);
    if (!written)
        error = systemError("cannot write a temporary file beside " + target);
    CloseHandle(file);
    if (written && !replaceTarget(temporary, widePath(target)))
        error = systemError("cannot replace " + target);
    if (!error.empty()) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace emulator
