#include "device/device_threads.h"

#include <chrono>

namespace zrv {

using std::chrono::milliseconds;

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
    while (!quit_) {
        // Input reports are handled once macros can be played; until then only wait.
        c_.clock.SleepFor(milliseconds(2));
    }
}

void DeviceThreads::ActionLoop() {
    while (!quit_) {
        c_.handOver.stopRequested = false;
        c_.clock.SleepFor(milliseconds(2));
    }
}

}  // namespace zrv
