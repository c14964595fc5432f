#include "emulator/file_stamp.h"

#include <filesystem>
#include <windows.h>

namespace emulator {
namespace {

std::string systemError(const std::string &what)
{
    return what + " (Windows error " + std::to_string(GetLastError()) + ")";
}

uint64_t joined(DWORD high, DWORD low)
{
    return uint64_t(high) << 32 | low;
}

bool readAll(HANDLE file, std::string &contents)
{
    contents.clear();
    char chunk[1 << 14];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &read, nullptr))
            return false;
        if (read == 0)
            return true;
        contents.append(chunk, read);
    }
}

// The file times' clock: 100 ns steps.
int64_t fileClockNow()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return int64_t(joined(now.dwHighDateTime, now.dwLowDateTime));
}

// Asks for the file's times and size by its path, which Wine answers without
// its server: true when they are those of `known`. The volume and index need
// an open handle; the creation time stands in for them here, since a file
// that replaces the image by a rename was created when it was written.
bool pathShowsSameFile(const std::string &path, const FileStamp &known)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(std::filesystem::path(path).wstring().c_str(), GetFileExInfoStandard,
                              &data))
        return false;
    return joined(data.nFileSizeHigh, data.nFileSizeLow) == known.size &&
           int64_t(joined(data.ftLastWriteTime.dwHighDateTime,
                          data.ftLastWriteTime.dwLowDateTime)) == known.modified &&
           int64_t(joined(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime)) ==
               known.created;
}

} // namespace

StampedRead readFileUnlessUnchanged(const std::string &path, const std::optional<FileStamp> &known,
                                    FileStamp &stamp, std::string &contents, std::string &error)
{
    if (known && known->settled && pathShowsSameFile(path, *known)) {
        stamp = *known;
        return StampedRead::Unchanged;
    }
    const int64_t openedAt = fileClockNow();
    const HANDLE file = CreateFileW(std::filesystem::path(path).wstring().c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = systemError("cannot be opened");
        return StampedRead::Failed;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    StampedRead outcome = StampedRead::Read;
    if (!GetFileInformationByHandle(file, &information)) {
        error = systemError("cannot be read");
        outcome = StampedRead::Failed;
    } else {
        stamp.volume = information.dwVolumeSerialNumber;
        stamp.index = joined(information.nFileIndexHigh, information.nFileIndexLow);
        stamp.size = joined(information.nFileSizeHigh, information.nFileSizeLow);
        stamp.modified = int64_t(joined(information.ftLastWriteTime.dwHighDateTime,
                                        information.ftLastWriteTime.dwLowDateTime));
        stamp.created = int64_t(joined(information.ftCreationTime.dwHighDateTime,
                                       information.ftCreationTime.dwLowDateTime));
        stamp.settled = openedAt - stamp.modified >= int64_t(SettledAfterSeconds) * 10000000;
        if (known && known->settled && known->sameFile(stamp))
            outcome = StampedRead::Unchanged;
        else if (!readAll(file, contents)) {
            error = systemError("cannot be read");
            outcome = StampedRead::Failed;
        }
    }
    CloseHandle(file);
    return outcome;
}

} // namespace emulator
