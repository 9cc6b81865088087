#include "device/device_threads.h"

#include <algorithm>
#include <chrono>

#include "config/profile.h"
#include "config/settings.h"
#include "device/protocol.h"
#include "macro/macro_table.h"

namespace zrv {

using std::chrono::milliseconds;

namespace {

constexpr milliseconds kPollInterval{2};
constexpr milliseconds kMinimumPause{15};
// A long pause is slept in slices so that the program can end without waiting it out.
constexpr milliseconds kQuitCheckInterval{50};
constexpr uint8_t kReleaseValue = 0x80;
constexpr int kHeldPasses = 10000;

constexpr int kFirstUserMacroCode = 41;
constexpr int kLastUserMacroCode = 52;
constexpr int kFirstPresetMacroCode = 31;
constexpr int kLastPresetMacroCode = 38;
constexpr int kFirstConsumerKeyCode = 21;
constexpr int kLastConsumerKeyCode = 30;
constexpr int kCalculatorCode = 39;
constexpr int kTerminalCode = 40;

int UiButtonOfEvent(uint8_t eventCode) {
    for (int i = 0; i < kButtonCount; ++i)
        if (ButtonEventCode(i) == eventCode) return i;
    return -1;
}

}  // namespace

DeviceThreads::DeviceThreads(DeviceThreadContext context) : c_(std::move(context)) {
    c_.handOver.actionPending = false;
    c_.handOver.stopRequested = false;
    reader_ = std::thread([this] { ReaderLoop(); });
    action_ = std::thread([this] { ActionLoop(); });
}

DeviceThreads::~DeviceThreads() {
    quit_ = true;
    if (auto handle = c_.link.readHandle.load()) handle->Cancel();
    reader_.join();
    action_.join();
}

void DeviceThreads::ReaderLoop() {
    auto& buffer = c_.link.inputBuffer;
    while (!quit_) {
        const auto handle = c_.link.readHandle.load();
        const size_t length = std::clamp<size_t>(c_.link.readCaps.inputReportLength, 3, buffer.size());
        buffer.fill(0);
        if (!handle || !handle->Read(buffer.data(), length)) {
            // Not open yet, unplugged or cancelled: poll.
            if (!quit_) c_.clock.SleepFor(kPollInterval);
            continue;
        }
        if (buffer[0] == kInputReportId) HandleInputReport(buffer[1], buffer[2]);
    }
}

void DeviceThreads::HandleInputReport(uint8_t code, uint8_t value) {
    auto& h = c_.handOver;
    const bool heldMode = c_.profile.Update([](ProfileSettings& p) { return p.MACRO_MODE2 != 0; });
    if (code > 0xF0) {
        if (value != kReleaseValue) {
            if (!h.actionPending.load(std::memory_order_acquire)) {
                h.pendingButton.store(code, std::memory_order_relaxed);
                h.pendingLevel.store(value, std::memory_order_relaxed);
                h.actionPending.store(true, std::memory_order_release);
            } else if (!heldMode) {
                h.stopRequested = true;
            }
        } else if (heldMode) {
            h.stopRequested = true;
        }
    } else if (h.actionPending.load(std::memory_order_acquire)) {
        h.stopRequested = true;
    }
}

void DeviceThreads::ActionLoop() {
    auto& h = c_.handOver;
    while (!quit_) {
        if (!h.actionPending.load(std::memory_order_acquire)) {
            h.stopRequested = false;
            c_.clock.SleepFor(kPollInterval);
            continue;
        }
        const uint8_t button = h.pendingButton.load(std::memory_order_relaxed);
        const uint8_t level = h.pendingLevel.load(std::memory_order_relaxed);
        const int i = UiButtonOfEvent(button);
        if (i >= 0) {
            FollowMouse(i, level);
            PerformFunction(i);
        }
        h.stopRequested = false;
        h.actionPending.store(false, std::memory_order_release);
        if (!quit_) c_.clock.SleepFor(kPollInterval);
    }
}

void DeviceThreads::FollowMouse(int uiButton, uint8_t level) {
    if (c_.applied.reportsDpiLevel[uiButton]) {
        const auto profile = c_.profile.Update([&](ProfileSettings& p) {
            p.DPI_LEVEL = level;
            return p;
        });
        c_.host.RequestRepaint();
        SaveDpiLevel(c_.configPath, c_.curConfig, profile);
    }
    if (c_.applied.cyclesReportRate[uiButton]) {
        const auto profile = c_.profile.Update([](ProfileSettings& p) {
            p.USB_SPEED = p.USB_SPEED >= 3 ? 0 : static_cast<uint8_t>(p.USB_SPEED + 1);
            return p;
        });
        c_.host.RequestRepaint();
        SaveReportRate(c_.configPath, c_.curConfig, profile);
    }
}

void DeviceThreads::PerformFunction(int uiButton) {
    const auto profile = c_.profile.Get();
    const int32_t code = profile.K[uiButton];
    if (code >= kFirstUserMacroCode && code <= kLastUserMacroCode) {
        if (!c_.macros) return;
        const Macro macro = SnapshotMacro(*c_.macros, code - kFirstUserMacroCode);
        int passes = 1;
        if (profile.MACRO_MODE2 != 0) passes = kHeldPasses;
        else if (macro.repeatMode != 0) passes = macro.repeatCount;
        PlayMacro(macro, passes);
    } else if (code >= kFirstPresetMacroCode && code <= kLastPresetMacroCode) {
        if (!c_.macros) return;
        PlayMacro(SnapshotMacro(*c_.macros, kPresetFirstSlot + (code - kFirstPresetMacroCode)), 1);
    } else if (code >= kFirstConsumerKeyCode && code <= kLastConsumerKeyCode) {
        SendConsumerKey(c_.link, ConsumerKeyTable[code - kFirstConsumerKeyCode]);
    } else if (code == kCalculatorCode) {
        Host& host = c_.host;
        host.PostToWindowThread([&host] { host.StartCalculator(); });
    } else if (code == kTerminalCode) {
        Host& host = c_.host;
        host.PostToWindowThread([&host] { host.StartTerminal(); });
    }
}

void DeviceThreads::PlayMacro(const Macro& macro, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        // Each pause ends at the previous deadline plus the pause, so time spent sending
        // and oversleeping does not add up over the events; but never sooner than 15 ms
        // after the event was sent, even when a late wake-up has to be caught up.
        auto deadline = c_.clock.Now();
        for (int e = 0; e < macro.eventCount; ++e) {
            const MacroEvent event = GetEvent(macro, e);
            SendMacroEvent(c_.link, event.code, event.action);
            deadline = std::max(deadline + std::max(milliseconds(event.delay), kMinimumPause),
                                c_.clock.Now() + kMinimumPause);
            if (!SleepUntilOrQuit(deadline)) break;
        }
        // Also on quitting: no key or button stays held down on the mouse.
        ReleaseAll(c_.link, c_.clock);
        if (quit_ || c_.handOver.stopRequested) return;
    }
}

bool DeviceThreads::SleepUntilOrQuit(Clock::TimePoint deadline) {
    while (!quit_) {
        const auto now = c_.clock.Now();
        if (now >= deadline) return true;
        c_.clock.SleepUntil(std::min(deadline, now + kQuitCheckInterval));
    }
    return false;
}

}  // namespace zrv
