// What one request to the emulated notebook costs: the stand-in for the driver, the firmware,
// WMI and MCI that every build without the maker's driver runs on. Each request answers from the
// machine image as it is on disk, so its cost is the check that the file has not changed, or its
// reading and parsing when it has, and, for a change, the locked re-read and the replacement of
// the file. A user on
// the real driver pays none of it. Self-timing, so that it runs under Wine as natively:
// bench_emulated_request [requests].

#include "emulator/emulated_notebook.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
// Without the media control header, whose macro would rename the emulator's function.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t Evaluate = 0x00222404;
constexpr uint32_t Handshake = 0x0022240C;
// The alarm hour's identifier in the default image: group 10, item 9.
constexpr uint32_t AlarmHour = (10u << 16) | 9u;

void setImagePath(const std::string &path)
{
#ifdef _WIN32
    // The C library's copy of the environment, which the emulator reads.
    _putenv(("VESPERIN_EMULATOR_IMAGE=" + path).c_str());
    _putenv("VESPERIN_EMULATOR_LOG=");
#else
    setenv("VESPERIN_EMULATOR_IMAGE", path.c_str(), 1);
    unsetenv("VESPERIN_EMULATOR_LOG");
#endif
}

long processId()
{
#ifdef _WIN32
    return long(GetCurrentProcessId());
#else
    return long(getpid());
#endif
}

void appendWord(Bytes &bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// An evaluation in the 64-bit-host layout with one buffer argument of whole words.
Bytes bufferRequest(const char *method, std::initializer_list<uint32_t> data)
{
    uint32_t name = 0;
    for (int i = 3; i >= 0; --i)
        name = name << 8 | static_cast<uint8_t>(method[i]);
    const uint32_t size = uint32_t(data.size() * 4);
    const uint32_t blockSize = size <= 4 ? 8 : size + 4;
    Bytes request;
    for (uint32_t word : {4u, name, 1u, blockSize, 2u | size << 16})
        appendWord(request, word);
    for (uint32_t word : data)
        appendWord(request, word);
    request.resize(16 + blockSize, 0);
    return request;
}

bool control(uint32_t code, const Bytes &request)
{
    uint8_t result[4096];
    uint32_t returned = 0;
    return emulator::acpiControl(code, request.data(), uint32_t(request.size()), result,
                                 sizeof result, returned);
}

// Runs `request` `count` times; the median of runs of ten, in microseconds per request.
double microsecondsPerRequest(int count, const std::function<bool()> &request)
{
    std::vector<double> runs;
    for (int done = 0; done < count; done += 10) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 10; ++i) {
            if (!request()) {
                std::printf("a request failed\n");
                std::exit(1);
            }
        }
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        runs.push_back(took.count() / 10);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const int count = std::max(10, argc > 1 ? std::atoi(argv[1]) : 200);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("vesperin-emulated-request-" + std::to_string(processId()));
    std::filesystem::create_directories(folder);
    setImagePath((folder / "notebook.json").string());
    std::string reply;
    if (!emulator::acpiOpen()) {
        std::printf("the emulated notebook did not open\n");
        return 1;
    }
    // The default image's first CD drive.
    if (emulator::mciSendString("open D:\\ type cdaudio alias cd", reply) != 0) {
        std::printf("the emulated drive D: did not open\n");
        return 1;
    }
    const Bytes readHour = bufferRequest("GITM", {AlarmHour});
    const Bytes writeHour = bufferRequest("SITM", {AlarmHour, 6, 1});
    std::vector<emulator::WmiRow> rows;
    struct Case
    {
        const char *what;
        std::function<bool()> request;
    };
    // An image changed less than two seconds ago is read and parsed anew by every request, one
    // that has settled only when it changes: the first cases see a settled image, the last ones
    // the image that the write before them has just replaced.
    const std::filesystem::path imageFile = folder / "notebook.json";
    std::filesystem::last_write_time(imageFile, std::filesystem::last_write_time(imageFile) -
                                                    std::chrono::seconds(10));
    const Case cases[] = {
        {"handshake, a settled image", [] { return control(Handshake, {}); }},
        {"an item read (GITM), a settled image", [&] { return control(Evaluate, readHour); }},
        {"the CD-ROM drive query (WMI), a settled image",
         [&] {
             rows.clear();
             return emulator::wmiQuery("SELECT DeviceID, Drive FROM Win32_CDROMDrive", rows);
         }},
        {"an MCI status (the disc's track count), a settled image",
         [&] { return emulator::mciSendString("status cd number of tracks wait", reply) == 0; }},
        {"an item written (SITM: locked re-read, file replaced)",
         [&] { return control(Evaluate, writeHour); }},
        {"an item read (GITM), the image just changed",
         [&] { return control(Evaluate, readHour); }},
    };
    std::printf("the emulated notebook, %d requests each (median of runs of ten):\n", count);
    for (const Case &each : cases)
        std::printf("  %-56s %8.1f us\n", each.what, microsecondsPerRequest(count, each.request));
    emulator::mciSendString("close cd", reply);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
