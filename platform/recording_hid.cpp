#include "platform/recording_hid.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zrv {

class RecordingHidSystem::Handle : public HidHandle {
public:
    Handle(RecordingHidSystem& system, std::string path) : system_(system), path_(std::move(path)) {}

    bool SetFeature(const uint8_t* data, size_t length) override {
        std::lock_guard lock(system_.mutex_);
        system_.reports_.push_back({path_, {data, data + length}, std::chrono::steady_clock::now()});
        if (system_.observer_) system_.observer_("FEATURE " + Hex(system_.reports_.back().bytes));
        system_.changed_.notify_all();
        return !system_.unplugged_;
    }

    bool Read(uint8_t* buffer, size_t length) override {
        std::unique_lock lock(system_.mutex_);
        system_.changed_.wait(lock, [&] { return cancelled_ || system_.unplugged_ || !system_.input_.empty(); });
        if (cancelled_ || system_.unplugged_) return false;
        auto report = std::move(system_.input_.front());
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
    RecordingHidSystem& system_;
    std::string path_;
    bool cancelled_ = false;
};

RecordingHidSystem::RecordingHidSystem(std::vector<Interface> interfaces) : interfaces_(std::move(interfaces)) {}

std::vector<RecordingHidSystem::Interface> RecordingHidSystem::MouseInterfaces(uint16_t inputLength,
                                                                               uint16_t featureLength) {
    return {
        {"/dev/hidraw0", HidInterfaceInfo{0x046D, 0xC31C, 0x0001, 0x0006, 9, 0}, true},
        {"/dev/hidraw1", HidInterfaceInfo{0x18F8, 0x1286, 0xFF00, 0x0001, inputLength, 0}, true},
        {"/dev/hidraw2", HidInterfaceInfo{0x18F8, 0x1286, 0xFF01, 0x0001, 0, featureLength}, true},
    };
}

std::vector<std::string> RecordingHidSystem::ListInterfaces() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const auto& i : interfaces_) paths.push_back(i.path);
    return paths;
}

std::optional<HidInterfaceInfo> RecordingHidSystem::QueryInterface(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (const auto& i : interfaces_)
        if (i.path == path) return i.info;
    return std::nullopt;
}

std::unique_ptr<HidHandle> RecordingHidSystem::Open(const std::string& path, HidAccess access) {
    std::lock_guard lock(mutex_);
    for (const auto& i : interfaces_) {
        if (i.path != path || !i.openable) continue;
        opened.emplace_back(path, access);
        return std::make_unique<Handle>(*this, path);
    }
    return nullptr;
}

void RecordingHidSystem::PushInput(std::vector<uint8_t> report) {
    std::lock_guard lock(mutex_);
    input_.push_back(std::move(report));
    changed_.notify_all();
}

void RecordingHidSystem::Unplug() {
    std::vector<std::string> removed;
    {
        std::lock_guard lock(mutex_);
        if (unplugged_) return;
        unplugged_ = true;
        const auto isMouse = [](const Interface& i) { return i.info && i.info->vendor == 0x18F8 && i.info->product == 0x1286; };
        for (const auto& i : interfaces_)
            if (isMouse(i)) removed.push_back(i.path);
        std::erase_if(interfaces_, isMouse);
        changed_.notify_all();
    }
    if (!sink_) return;
    for (const auto& path : removed)
        sink_(DeviceNotification{DeviceNotification::Kind::DeviceInterface, DeviceNotification::Event::Removal, path});
}

std::vector<RecordingHidSystem::Report> RecordingHidSystem::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

std::string RecordingHidSystem::Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char byte[4];
    for (uint8_t b : bytes) {
        std::snprintf(byte, sizeof byte, "%02X", b);
        if (!text.empty()) text += ' ';
        text += byte;
    }
    return text;
}

std::vector<std::string> RecordingHidSystem::ReportLines() const {
    std::vector<std::string> lines;
    for (const auto& r : Reports()) lines.push_back(Hex(r.bytes));
    return lines;
}

bool RecordingHidSystem::WaitForReports(size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return reports_.size() >= n; });
}

}  // namespace zrv
