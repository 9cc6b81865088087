// One 200-event macro played by the button-action thread to a recording mouse: how far
// each gap between consecutive reports is from the requested pause, and how far the
// whole macro is from the sum of its pauses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <vector>

#include "device/device_threads.h"
#include "device/discovery.h"
#include "macro/macro_table.h"
#include "platform/recording_hid.h"

namespace zrv {
namespace {

constexpr int kEvents = 200;

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_MacroPlaybackTiming(benchmark::State& state) {
    using namespace std::chrono_literals;
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link;
    Discover(link, hid);
    AppliedState applied;
    LiveProfile profile;
    ProfileSettings p = FactoryProfile;
    p.K[0] = 41;  // UI button 0: event code 0xF1
    profile.Set(p);
    HandOver handOver;
    SteadyClock clock;
    Host host;  // quiet
    std::atomic<int32_t> curConfig{1};
    const std::string configPath = (std::filesystem::temp_directory_path() / "zrv_macro_bench.ini").string();

    // Keys down and up in turn, pauses of 0 (so 15) to 19 ms: each event sends one report.
    MacroTable macros;
    Macro& m = macros.slot[0];
    m.eventCount = kEvents;
    std::vector<double> pauses;
    for (int e = 0; e < kEvents; ++e) {
        const auto delay = static_cast<uint16_t>(e % 3 == 0 ? 0 : 15 + e % 5);
        SetEvent(m, e, {static_cast<uint8_t>(4 + (e / 2) % 26), static_cast<uint8_t>(e % 2 + 1), delay});
        pauses.push_back(std::max<double>(delay, 15));
    }
    double sumOfPauses = 0;
    for (double pause : pauses) sumOfPauses += pause;

    DeviceThreads threads(DeviceThreadContext{link, applied, profile, handOver, clock, host, configPath, curConfig,
                                              &macros});
    std::vector<double> errors;
    double wholeError = 0;
    for (auto _ : state) {
        const size_t before = hid.Reports().size();
        hid.PushInput({0x06, 0xF1, 0x01});
        // The events, then the two release reports.
        if (!hid.WaitForReports(before + kEvents + 2, 30s)) {
            state.SkipWithError("the macro did not finish");
            break;
        }
        const auto reports = hid.Reports();
        errors.clear();
        for (int e = 0; e + 1 < kEvents; ++e) {
            const double gap = Ms(reports[before + e + 1].time - reports[before + e].time);
            errors.push_back(std::abs(gap - pauses[e]));
        }
        // The last pause ends where ReleaseAll begins its first 10 ms wait.
        const double whole = Ms(reports[before + kEvents].time - reports[before].time);
        wholeError = whole - (sumOfPauses + 10);
        while (handOver.actionPending) std::this_thread::sleep_for(1ms);
    }
    std::sort(errors.begin(), errors.end());
    if (!errors.empty()) {
        state.counters["gap_err_p50_ms"] = errors[errors.size() / 2];
        state.counters["gap_err_p99_ms"] = errors[static_cast<size_t>(std::ceil(errors.size() * 0.99)) - 1];
        state.counters["gap_err_max_ms"] = errors.back();
        state.counters["gaps_over_1ms"] =
            static_cast<double>(std::count_if(errors.begin(), errors.end(), [](double e) { return e > 1.0; }));
    }
    state.counters["whole_err_ms"] = wholeError;
    state.counters["sum_of_pauses_ms"] = sumOfPauses;
    std::filesystem::remove(configPath);
}
BENCHMARK(BM_MacroPlaybackTiming)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zrv
