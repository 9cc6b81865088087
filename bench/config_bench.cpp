// Cost of the settings file: saving and loading a profile in a realistic config.ini, and
// in the same file grown by many extra sections. Saves change a value each time, so every
// iteration really writes (temporary file, flush to disk, rename).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ini.h"
#include "config/settings.h"

namespace {

using namespace zrv;

std::string SectionText(const std::string& name, const ProfileSettings& p) {
    std::string s = "[" + name + "]\r\n";
    auto line = [&](const std::string& k, long v) { s += k + "=" + std::to_string(v) + "\r\n"; };
    for (int i = 0; i < 6; ++i) line("K" + std::to_string(i), p.K[i]);
    line("DPI_LEVEL", p.DPI_LEVEL);
    line("WHEEL_STATUS", p.WHEEL_STATUS);
    line("MACRO_MODE2", p.MACRO_MODE2);
    for (int i = 0; i < 4; ++i) {
        line("DPI_SET" + std::to_string(i), p.DPI_SET[i]);
        line("DPI_SET_EN" + std::to_string(i), p.DPI_SET_EN[i]);
    }
    line("LED_STATUS", p.LED_STATUS);
    line("DPI_SPEED", p.DPI_SPEED);
    line("WHEEL_SPEED", p.WHEEL_SPEED);
    line("USB_SPEED", p.USB_SPEED);
    line("FIRE_TIME", p.FIRE_TIME);
    return s + "\r\n";
}

// [Init], Config0..Config7, the factory sections, then `extra` more profile-sized sections.
// The profile the benchmarks use (Config3) sits before the extra ones, as in a real file
// that has had exchange sections or notes appended.
class ConfigFile {
public:
    explicit ConfigFile(int extra) {
        const char* dir = std::getenv("ZRV_BENCH_DIR");
        folder_ = dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path();
        path_ = (folder_ / ("zrv_config_bench_" + std::to_string(extra) + ".ini")).string();
        std::string text = "[Init]\r\nCurConfig=3\r\nVER_SEL=1\r\n\r\n";
        for (int n = 0; n <= 7; ++n) text += SectionText("Config" + std::to_string(n), FactoryProfile);
        for (int n = 2; n <= 5; ++n) text += SectionText("CfgReset" + std::to_string(n), FactoryProfile);
        text += SectionText("CfgReset_EN5", FactoryProfile);
        for (int i = 0; i < extra; ++i) text += SectionText("Extra" + std::to_string(i), FactoryProfile);
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << text;
        bytes_ = text.size();
    }
    ~ConfigFile() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }
    size_t Bytes() const { return bytes_; }

private:
    std::filesystem::path folder_;
    std::string path_;
    size_t bytes_ = 0;
};

void BM_SaveProfile(benchmark::State& state) {
    ConfigFile file(static_cast<int>(state.range(0)));
    ProfileSettings p = FactoryProfile;
    for (auto _ : state) {
        p.FIRE_TIME = (p.FIRE_TIME + 1) % 301;
        SaveProfile(file.Path(), 3, p);
    }
    state.counters["file_bytes"] = static_cast<double>(file.Bytes());
}

void BM_SaveProfileKeyByKey(benchmark::State& state) {
    // What saving costs when each of the 22 keys is its own file write.
    ConfigFile file(static_cast<int>(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < 22; ++i) WriteIniString(file.Path(), "Config3", "KEY" + std::to_string(i), std::to_string(round));
    }
    state.counters["file_bytes"] = static_cast<double>(file.Bytes());
}

void BM_LoadProfile(benchmark::State& state) {
    ConfigFile file(static_cast<int>(state.range(0)));
    ProfileSettings p;
    for (auto _ : state) {
        LoadProfile(file.Path(), 3, false, 1, p);
        benchmark::DoNotOptimize(p);
    }
    state.counters["file_bytes"] = static_cast<double>(file.Bytes());
}

void BM_SaveDpiLevel(benchmark::State& state) {
    // The button-action thread's write when the mouse changes level.
    ConfigFile file(static_cast<int>(state.range(0)));
    ProfileSettings p = FactoryProfile;
    for (auto _ : state) {
        p.DPI_LEVEL = (p.DPI_LEVEL + 1) % 4;
        SaveDpiLevel(file.Path(), 3, p);
    }
}

void BM_ReadSingleKey(benchmark::State& state) {
    ConfigFile file(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ReadIniString(file.Path(), "Init", "CurConfig", 5));
}

BENCHMARK(BM_SaveProfile)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveProfileKeyByKey)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadProfile)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveDpiLevel)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadSingleKey)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
