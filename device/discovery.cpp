#include "device/discovery.h"

#include <algorithm>
#include <cctype>

namespace zrv {
namespace {

bool FitsBuffers(const HidInterfaceInfo& info) {
    return info.inputReportLength <= kReportBufferSize && info.featureReportLength <= kReportBufferSize;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

DiscoveryResult Discover(DeviceLink& link, HidSystem& hid) {
    DiscoveryResult result;
    bool readSet = false;
    bool writeSet = false;
    const std::vector<std::string> paths = hid.ListInterfaces();
    const size_t count = std::min<size_t>(paths.size(), kMaxInterfaceIndex);
    for (size_t i = 0; i < count && !(readSet && writeSet); ++i) {
        const auto info = hid.QueryInterface(paths[i]);
        if (!info || info->vendor != kVendorId || info->product != kProductId) continue;

        result.found = true;
        link.devicePath = paths[i];
        hid.RegisterNotifications();

        // A report longer than the buffers would overrun them: such an interface stays closed.
        if (info->usagePage == 0xFF00 && info->usage == 1) {
            link.readCaps = *info;
            link.readHandle = FitsBuffers(*info) ? std::shared_ptr<HidHandle>(hid.Open(paths[i], HidAccess::Read)) : nullptr;
            readSet = true;
        } else if (info->usagePage == 0xFF01 && info->usage == 1) {
            link.writeCaps = *info;
            link.writeHandle = FitsBuffers(*info) ? std::shared_ptr<HidHandle>(hid.Open(paths[i], HidAccess::Write)) : nullptr;
            writeSet = true;
        }
    }
    result.openedAny = link.readHandle.load() != nullptr || link.writeHandle.load() != nullptr;
    return result;
}

bool IsMouseNotification(const DeviceLink& link, const DeviceNotification& notification) {
    return notification.kind == DeviceNotification::Kind::DeviceInterface && !link.devicePath.empty() &&
           EqualIgnoringCase(notification.path, link.devicePath);
}

}  // namespace zrv
