// The input-report reader and the button-action thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "config/live_profile.h"
#include "device/apply.h"
#include "device/device_link.h"
#include "platform/clock.h"
#include "platform/host.h"

namespace zrv {

struct Macro;
struct MacroTable;

// Hand-over between the reader and the button-action thread.
struct HandOver {
    std::atomic<bool> actionPending{false};
    std::atomic<bool> stopRequested{false};
    std::atomic<uint8_t> pendingButton{0};
    std::atomic<uint8_t> pendingLevel{0};
};

struct DeviceThreadContext {
    DeviceLink& link;
    AppliedState& applied;
    LiveProfile& profile;
    HandOver& handOver;
    Clock& clock;
    Host& host;  // repaint requests and started programs
    std::string configPath;
    const std::atomic<int32_t>& curConfig;
    MacroTable* macros = nullptr;  // played by macro button functions
};

// Starts both threads; they tolerate handles that are not open yet and poll every 2 ms.
// The destructor stops and joins them: it cancels the blocked read, and a playing macro
// ends after its current event (long pauses are cut short) with its keys released.
class DeviceThreads {
public:
    explicit DeviceThreads(DeviceThreadContext context);
    ~DeviceThreads();
    DeviceThreads(const DeviceThreads&) = delete;
    DeviceThreads& operator=(const DeviceThreads&) = delete;

private:
    void ReaderLoop();
    void HandleInputReport(uint8_t code, uint8_t value);
    void ActionLoop();
    void FollowMouse(int uiButton, uint8_t level);
    void PerformFunction(int uiButton);
    void PlayMacro(const Macro& macro, int passes);
    // False when the program is ending.
    bool SleepUntilOrQuit(Clock::TimePoint deadline);

    DeviceThreadContext c_;
    std::atomic<bool> quit_{false};
    std::thread reader_;
    std::thread action_;
};

}  // namespace zrv
