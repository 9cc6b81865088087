// Finding and opening the mouse's two interfaces.
#pragma once

#include "device/device_link.h"
#include "platform/hid.h"

namespace zrv {

inline constexpr int kMaxInterfaceIndex = 100;

struct DiscoveryResult {
    bool found = false;       // an interface with the mouse's identifiers was seen
    bool openedAny = false;   // at least one of the two handles opened
};

// Scans at most 100 interfaces; stores handles, lengths and the device path in link.
// An interface whose report length exceeds the buffers is refused and stays closed.
DiscoveryResult Discover(DeviceLink& link, HidSystem& hid);

// True for a device-interface notification naming the saved path, letter case ignored.
bool IsMouseNotification(const DeviceLink& link, const DeviceNotification& notification);

}  // namespace zrv
