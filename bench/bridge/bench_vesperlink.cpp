// Vesperlink against the emulated notebook: one whole start as the program
// makes it, and each export on its own. Every benchmark also reports how many
// device requests one call made.

#include "bridge/alarm_bridge.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The platform device (the emulated notebook), counting its requests.
class CountingDevice final : public AcpiDevice
{
public:
    uint64_t requests = 0;

    bool open() override { return AcpiDevice::system().open(); }
    bool runsUnderWow64() override { return AcpiDevice::system().runsUnderWow64(); }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        ++requests;
        return AcpiDevice::system().control(code, in, inSize, out, outSize, returned);
    }
};

// A private machine image, created with the emulator's defaults, so that no
// benchmark touches the user's own. Its folder goes when the program ends.
class TemporaryImage
{
public:
    TemporaryImage()
        : m_dir(std::filesystem::temp_directory_path() /
                ("vesperlink-bench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_dir);
        setenv("VESPERIN_EMULATOR_IMAGE", (m_dir / "notebook.json").c_str(), 1);
    }

    ~TemporaryImage()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

private:
    std::filesystem::path m_dir;
};

void useTemporaryImage()
{
    static TemporaryImage image;
}

// A started bridge: opened, support asked, catalogue read.
struct Started
{
    CountingDevice device;
    AlarmBridge bridge{device};
    bool ready = false;

    Started()
    {
        useTemporaryImage();
        uint32_t supported = 0;
        ready = bridge.init() && bridge.isSupport(&supported) && supported == 1;
        device.requests = 0;
    }
};

void report(benchmark::State &state, const CountingDevice &device)
{
    state.counters["requests"] =
        benchmark::Counter(double(device.requests), benchmark::Counter::kAvgIterations);
}

void BM_FullStart(benchmark::State &state)
{
    useTemporaryImage();
    CountingDevice device;
    for (auto _ : state) {
        AlarmBridge bridge(device);
        uint32_t supported = 0;
        char text[1024];
        uint32_t first = 0, second = 0, third = 0;
        bool ok = bridge.init() && bridge.isSupport(&supported) && supported == 1;
        for (uint32_t kind : {3u, 1u, 0u, 2u})
            bridge.getInfo(kind, text, sizeof(text), &first, &second, &third);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the emulated notebook did not start");
    }
    report(state, device);
}
BENCHMARK(BM_FullStart);

void BM_IsSupport(benchmark::State &state)
{
    Started s;
    for (auto _ : state) {
        uint32_t supported = 0;
        benchmark::DoNotOptimize(s.bridge.isSupport(&supported));
    }
    report(state, s.device);
}
BENCHMARK(BM_IsSupport);

void BM_GetInfo(benchmark::State &state)
{
    Started s;
    char text[1024];
    for (auto _ : state) {
        uint32_t first = 0, second = 0, third = 0;
        benchmark::DoNotOptimize(s.bridge.getInfo(0, text, sizeof(text), &first, &second, &third));
    }
    report(state, s.device);
}
BENCHMARK(BM_GetInfo);

void BM_GetStatus(benchmark::State &state)
{
    Started s;
    for (auto _ : state) {
        uint32_t status = 0;
        benchmark::DoNotOptimize(s.bridge.getStatus(&status));
    }
    report(state, s.device);
}
BENCHMARK(BM_GetStatus);

void BM_SetStatus(benchmark::State &state)
{
    Started s;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.bridge.setStatus(1));
    report(state, s.device);
}
BENCHMARK(BM_SetStatus);

void BM_GetTimeSetting(benchmark::State &state)
{
    Started s;
    for (auto _ : state) {
        TimeSetting time{};
        benchmark::DoNotOptimize(s.bridge.getTimeSetting(&time));
    }
    report(state, s.device);
}
BENCHMARK(BM_GetTimeSetting);

void BM_SetTimeSetting(benchmark::State &state)
{
    Started s;
    TimeSetting time{};
    s.bridge.getTimeSetting(&time);
    s.device.requests = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.bridge.setTimeSetting(&time));
    report(state, s.device);
}
BENCHMARK(BM_SetTimeSetting);

void BM_GetPlayStatus(benchmark::State &state)
{
    Started s;
    for (auto _ : state) {
        PlayStatus play{};
        benchmark::DoNotOptimize(s.bridge.getPlayStatus(&play));
    }
    report(state, s.device);
}
BENCHMARK(BM_GetPlayStatus);

void BM_SetPlayStatus(benchmark::State &state)
{
    Started s;
    PlayStatus play{};
    s.bridge.getPlayStatus(&play);
    s.device.requests = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.bridge.setPlayStatus(&play));
    report(state, s.device);
}
BENCHMARK(BM_SetPlayStatus);

} // namespace

BENCHMARK_MAIN();
