// The one owner of the mouse's two interfaces, their report lengths and the report buffers.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/hid.h"

namespace zrv {

inline constexpr uint16_t kVendorId = 0x18F8;
inline constexpr uint16_t kProductId = 0x1286;
inline constexpr size_t kReportBufferSize = 256;

// A handle slot shared between threads. (libstdc++'s atomic<shared_ptr> does the same
// job but its internal lock is invisible to ThreadSanitizer.)
class SharedHandle {
public:
    std::shared_ptr<HidHandle> load() const {
        std::lock_guard lock(mutex_);
        return handle_;
    }
    SharedHandle& operator=(std::shared_ptr<HidHandle> handle) {
        std::lock_guard lock(mutex_);
        handle_ = std::move(handle);
        return *this;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<HidHandle> handle_;
};

// The report lengths of one interface. The reader takes its length on every pass, also
// while no handle is open yet, so Discover's store must not race with that read.
struct ReportLengths {
    std::atomic<uint16_t> inputReportLength{0};
    std::atomic<uint16_t> featureReportLength{0};

    ReportLengths& operator=(const HidInterfaceInfo& info) {
        inputReportLength = info.inputReportLength;
        featureReportLength = info.featureReportLength;
        return *this;
    }
};

struct DeviceLink {
    // Stored by Discover on the window thread while the device threads already run;
    // the lengths are set before their handle is stored, so a thread that loads a
    // handle also sees its lengths.
    SharedHandle readHandle;   // usage page 0xFF00, usage 1
    SharedHandle writeHandle;  // usage page 0xFF01, usage 1
    ReportLengths readCaps;
    ReportLengths writeCaps;
    std::string devicePath;
    std::atomic<bool> connected{false};

    // Every feature report is composed here; bytes a command does not write keep what
    // the previous report left. featureMutex keeps one report whole between compose and send.
    std::mutex featureMutex;
    std::array<uint8_t, kReportBufferSize> featureReport{};
    std::array<uint8_t, kReportBufferSize> inputBuffer{};

    // Injection state of the key and button commands; used by the button-action thread only.
    std::array<uint8_t, 6> keySlots{};
    uint8_t buttonState = 0xFF;  // active low: bit 0 primary, 1 secondary, 2 middle
};

}  // namespace zrv
