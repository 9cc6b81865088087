#include "platform/sim_hid.h"

#include <algorithm>
#include <cstring>

#include "platform/recording_hid.h"

namespace zrv {

class SimHidSystem::Handle : public HidHandle {
public:
    explicit Handle(SimHidSystem& system) : system_(system) {}

    // The attempt is printed even after an unplug: the program still tries to say goodbye.
    bool SetFeature(const uint8_t* data, size_t length) override {
        system_.out_.Line("FEATURE " + RecordingHidSystem::Hex({data, data + length}));
        std::lock_guard lock(system_.mutex_);
        return !system_.unplugged_;
    }

    bool Read(uint8_t* buffer, size_t length) override {
        std::unique_lock lock(system_.mutex_);
        system_.changed_.wait(lock, [&] { return cancelled_ || system_.unplugged_ || !system_.input_.empty(); });
        if (cancelled_ || system_.unplugged_) return false;
        std::vector<uint8_t> report = std::move(system_.input_.front());
        system_.input_.pop_front();
        std::memset(buffer, 0, length);
        std::memcpy(buffer, report.data(), std::min(length, report.size()));
        return true;
    }

    void Cancel() override {
        std::lock_guard lock(system_.mutex_);
        cancelled_ = true;
        system_.changed_.notify_all();
    }

private:
    SimHidSystem& system_;
    bool cancelled_ = false;
};

SimHidSystem::SimHidSystem(SimOutput& out, bool mousePresent) : out_(out) {
    interfaces_.push_back({"/dev/hidraw0", HidInterfaceInfo{0x046D, 0xC31C, 0x0001, 0x0006, 9, 0}, false});
    if (mousePresent) {
        interfaces_.push_back({"/dev/hidraw1", HidInterfaceInfo{0x18F8, 0x1286, 0xFF00, 0x0001, kReportLength, 0}, true});
        interfaces_.push_back({"/dev/hidraw2", HidInterfaceInfo{0x18F8, 0x1286, 0xFF01, 0x0001, 0, kReportLength}, true});
    }
}

std::vector<std::string> SimHidSystem::ListInterfaces() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const auto& i : interfaces_) paths.push_back(i.path);
    return paths;
}

std::optional<HidInterfaceInfo> SimHidSystem::QueryInterface(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (const auto& i : interfaces_)
        if (i.path == path) return i.info;
    return std::nullopt;
}

std::unique_ptr<HidHandle> SimHidSystem::Open(const std::string& path, HidAccess) {
    std::lock_guard lock(mutex_);
    for (const auto& i : interfaces_)
        if (i.path == path) return std::make_unique<Handle>(*this);
    return nullptr;
}

void SimHidSystem::QueueInput(std::vector<uint8_t> report) {
    std::lock_guard lock(mutex_);
    input_.push_back(std::move(report));
    changed_.notify_all();
}

void SimHidSystem::Unplug() {
    std::vector<std::string> removed;
    {
        std::lock_guard lock(mutex_);
        if (unplugged_) return;
        unplugged_ = true;
        for (const auto& i : interfaces_)
            if (i.mouse) removed.push_back(i.path);
        std::erase_if(interfaces_, [](const Interface& i) { return i.mouse; });
        changed_.notify_all();
    }
    if (!sink_) return;
    for (const auto& path : removed)
        sink_(DeviceNotification{DeviceNotification::Kind::DeviceInterface, DeviceNotification::Event::Removal, path});
}

}  // namespace zrv
