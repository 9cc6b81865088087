// The operating system's HID interfaces, as the device link needs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zrv {

struct HidInterfaceInfo {
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t usagePage = 0;  // top-level collection
    uint16_t usage = 0;
    // As the Windows HID capabilities give them: the longest report of that kind plus
    // the report-ID byte.
    uint16_t inputReportLength = 0;
    uint16_t featureReportLength = 0;
};

class HidHandle {
public:
    virtual ~HidHandle() = default;
    // One feature report, byte 0 the report ID.
    virtual bool SetFeature(const uint8_t* data, size_t length) = 0;
    // Blocks until one input report arrives; false on failure or after Cancel().
    virtual bool Read(uint8_t* buffer, size_t length) = 0;
    // Wakes a blocked Read so that a reader can end.
    virtual void Cancel() = 0;
};

enum class HidAccess { Read, Write };

struct DeviceNotification {
    enum class Kind { DeviceInterface, Other } kind = Kind::DeviceInterface;
    enum class Event { Arrival, Removal } event = Event::Arrival;
    std::string path;
};

class HidSystem {
public:
    virtual ~HidSystem() = default;
    // Paths of the HID interfaces present now, in a stable order.
    virtual std::vector<std::string> ListInterfaces() = 0;
    // Identifiers, usages and report lengths; nullopt when they cannot be read.
    virtual std::optional<HidInterfaceInfo> QueryInterface(const std::string& path) = 0;
    // nullptr when the path cannot be opened.
    virtual std::unique_ptr<HidHandle> Open(const std::string& path, HidAccess access) = 0;
    // After this, arrivals and removals of HID interfaces reach the sink. Repeating it
    // changes nothing.
    virtual void RegisterNotifications() = 0;
    void SetNotificationSink(std::function<void(const DeviceNotification&)> sink) { sink_ = std::move(sink); }

protected:
    std::function<void(const DeviceNotification&)> sink_;
};

}  // namespace zrv
