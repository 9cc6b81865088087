// A test double of the HID system: interfaces given by the test, every feature report
// recorded with its time, input reports fed by the test.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace zrv {

class RecordingHidSystem : public HidSystem {
public:
    struct Interface {
        std::string path;
        std::optional<HidInterfaceInfo> info;  // nullopt: the query fails
        bool openable = true;
    };
    struct Report {
        std::string path;
        std::vector<uint8_t> bytes;
        std::chrono::steady_clock::time_point time;
    };

    explicit RecordingHidSystem(std::vector<Interface> interfaces = {});

    // The mouse's two interfaces with 8-byte reports, after one unrelated device.
    static std::vector<Interface> MouseInterfaces(uint16_t inputLength = 8, uint16_t featureLength = 8);

    std::vector<std::string> ListInterfaces() override;
    std::optional<HidInterfaceInfo> QueryInterface(const std::string& path) override;
    std::unique_ptr<HidHandle> Open(const std::string& path, HidAccess access) override;
    void RegisterNotifications() override { ++registrations; }

    // Queues one input report for the next Read on any handle of this system.
    void PushInput(std::vector<uint8_t> report);
    // The mouse (18F8:1286) leaves: its interfaces are no longer listed, every Read fails
    // from now on, and the notification sink gets a removal for each of its paths.
    // Reports sent afterwards are still recorded (the attempt is what a test looks at).
    void Unplug();
    std::vector<Report> Reports() const;
    // Feature reports as upper-case hex lines, "07 10 01 01 ...".
    std::vector<std::string> ReportLines() const;
    static std::string Hex(const std::vector<uint8_t>& bytes);
    // Waits until at least n reports were sent; false after the timeout.
    bool WaitForReports(size_t n, std::chrono::milliseconds timeout) const;

    // Called with "FEATURE <hex>" for every report, so a test can merge it into one log.
    void SetObserver(std::function<void(const std::string&)> observer) { observer_ = std::move(observer); }

    std::vector<std::pair<std::string, HidAccess>> opened;
    int registrations = 0;

private:
    class Handle;
    friend class Handle;

    std::vector<Interface> interfaces_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<std::vector<uint8_t>> input_;
    std::vector<Report> reports_;
    bool unplugged_ = false;
    std::function<void(const std::string&)> observer_;
};

}  // namespace zrv
