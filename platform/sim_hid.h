// A simulated HID system holding one unrelated device and the mouse's two interfaces.
// Every feature report sent is printed as "FEATURE 07 10 01 01 00 00 00 00".
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "platform/sim_output.h"

namespace zrv {

class SimHidSystem : public HidSystem {
public:
    struct Interface {
        std::string path;
        HidInterfaceInfo info;
        bool mouse;
    };
    static constexpr uint16_t kReportLength = 8;

    // mousePresent false lists only the unrelated device.
    SimHidSystem(SimOutput& out, bool mousePresent);

    std::vector<std::string> ListInterfaces() override;
    std::optional<HidInterfaceInfo> QueryInterface(const std::string& path) override;
    std::unique_ptr<HidHandle> Open(const std::string& path, HidAccess access) override;
    void RegisterNotifications() override {}

    // One input report for the next read of the mouse.
    void QueueInput(std::vector<uint8_t> report);
    // The mouse leaves: its interfaces are no longer listed, reads fail, and the
    // notification sink gets a removal for each of its paths.
    void Unplug();

private:
    class Handle;

    SimOutput& out_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Interface> interfaces_;
    std::deque<std::vector<uint8_t>> input_;
    bool unplugged_ = false;
};

}  // namespace zrv
