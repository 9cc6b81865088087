// HID interfaces on Linux: hidraw nodes, described through sysfs, watched with inotify.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/hid.h"

namespace zrv {

// The report buffers of the device link hold this many bytes.
inline constexpr size_t kHidrawMaxReportLength = 256;

class HidrawSystem : public HidSystem {
public:
    // The roots are parameters so that tests can stand up their own sysfs and /dev trees.
    explicit HidrawSystem(std::string sysfsRoot = "/sys", std::string devRoot = "/dev");
    ~HidrawSystem() override;
    HidrawSystem(const HidrawSystem&) = delete;
    HidrawSystem& operator=(const HidrawSystem&) = delete;

    // <devRoot>/hidrawN for every <sysfsRoot>/class/hidraw/hidrawN, in numeric order.
    std::vector<std::string> ListInterfaces() override;
    // From .../hidrawN/device/uevent (HID_ID) and .../hidrawN/device/report_descriptor.
    // Reports the lengths as they are, even above kHidrawMaxReportLength.
    std::optional<HidInterfaceInfo> QueryInterface(const std::string& path) override;
    // Refuses (nullptr) a node whose report lengths cannot be read or exceed
    // kHidrawMaxReportLength, so that no report can outgrow the link's buffers.
    std::unique_ptr<HidHandle> Open(const std::string& path, HidAccess access) override;
    // Watches devRoot for hidrawN nodes being created and deleted, on a thread of its own;
    // the sink is called on that thread, so set it before this. The destructor ends the thread.
    void RegisterNotifications() override;

private:
    void WatchLoop(int inotifyFd);

    std::string sysfsRoot_;
    std::string devRoot_;
    std::mutex watchMutex_;
    std::thread watcher_;
    int stopFd_ = -1;  // eventfd that ends the watcher
};

}  // namespace zrv
