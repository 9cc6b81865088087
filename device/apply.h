// Applying a profile to the mouse and the operating system, and the end of the link.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "config/profile.h"
#include "device/device_link.h"
#include "platform/system_settings.h"

namespace zrv {

// What the mouse was last told; read by the button-action thread and the painting.
struct AppliedState {
    std::atomic<uint8_t> ledMode{0};
    std::array<std::atomic<uint8_t>, 4> dpiCode{};
    std::array<std::atomic<bool>, 6> reportsDpiLevel{};
    std::array<std::atomic<bool>, 6> cyclesReportRate{};
};

struct ApplyContext {
    DeviceLink& link;
    SystemSettings& os;
    AppliedState& applied;
    std::string configPath;
    int32_t curConfig = 0;
    std::function<void()> repaint;
};

// The 13 reports, the pointer speed and wheel lines, and the settings writes, in order.
void ApplyProfile(const ProfileSettings& profile, const ApplyContext& context);
// HostExit when the write handle is open, then the pointer speed back to 10.
void ShutdownLink(DeviceLink& link, SystemSettings& os);

}  // namespace zrv
