// One apply: 13 reports to a recording mouse plus the settings-file writes, on settings
// files of growing size, so the cost of the file stays visible.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "config/settings.h"
#include "device/apply.h"
#include "device/discovery.h"
#include "platform/recording_hid.h"
#include "platform/recording_system_settings.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

void BM_ApplyProfile(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "zrv_apply_bench";
    fs::create_directories(dir);
    const std::string config = (dir / "config.ini").string();
    {
        std::ofstream out(config, std::ios::trunc);
        out << "[Init]\nCurConfig=1\nVER_SEL=1\n";
    }
    for (int n = 1; n <= 6; ++n) SaveProfile(config, n, FactoryProfile);
    // Extra sections stand for a file that grew with exported profiles and comments.
    {
        std::ofstream out(config, std::ios::app);
        for (int64_t s = 0; s < state.range(0); ++s) {
            out << "; exported profile " << s << "\n[Extra" << s << "]\n";
            for (int k = 0; k < 22; ++k) out << "KEY" << k << "=" << k << "\n";
        }
    }

    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link;
    Discover(link, hid);
    RecordingSystemSettings os{[](const std::string&) {}};
    AppliedState applied;
    const ApplyContext context{link, os, applied, config, 1, nullptr};
    // Two profiles in turn, so every apply really rewrites the file (an unchanged key is
    // not written again).
    ProfileSettings other = FactoryProfile;
    other.FIRE_TIME = 300;
    bool flip = false;
    for (auto _ : state) {
        ApplyProfile(flip ? other : FactoryProfile, context);
        flip = !flip;
    }
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(config));
    fs::remove_all(dir);
}
BENCHMARK(BM_ApplyProfile)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zrv
