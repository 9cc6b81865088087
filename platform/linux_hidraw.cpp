#include "platform/linux_hidraw.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "platform/hid_descriptor.h"

namespace zrv {
namespace {

constexpr std::string_view kNodePrefix = "hidraw";
constexpr size_t kMaxDescriptorSize = 4096;  // HID_MAX_DESCRIPTOR_SIZE
constexpr size_t kMaxUeventSize = 64 * 1024;

// N of a node name "hidrawN"; nullopt for any other name.
std::optional<unsigned> NodeNumber(std::string_view name) {
    if (name.size() <= kNodePrefix.size() || name.substr(0, kNodePrefix.size()) != kNodePrefix) return std::nullopt;
    const std::string_view digits = name.substr(kNodePrefix.size());
    if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

// The whole file, or nullopt when it cannot be read or is longer than limit.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || content.size() + static_cast<size_t>(n) > limit) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    return content;
}

std::optional<uint32_t> ParseHex(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

struct HidId {
    uint16_t vendor = 0;
    uint16_t product = 0;
};

// HID_ID=BBBB:VVVVVVVV:PPPPPPPP (bus, vendor, product in hex) from a uevent file.
std::optional<HidId> ParseUeventHidId(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        const size_t eol = uevent.find('\n');
        const std::string_view line = uevent.substr(0, eol);
        uevent = eol == std::string_view::npos ? std::string_view{} : uevent.substr(eol + 1);
        if (line.substr(0, kKey.size()) != kKey) continue;
        const std::string_view value = line.substr(kKey.size());
        const size_t c1 = value.find(':');
        const size_t c2 = c1 == std::string_view::npos ? c1 : value.find(':', c1 + 1);
        if (c2 == std::string_view::npos) return std::nullopt;
        const auto bus = ParseHex(value.substr(0, c1));
        const auto vendor = ParseHex(value.substr(c1 + 1, c2 - c1 - 1));
        const auto product = ParseHex(value.substr(c2 + 1));
        if (!bus || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
        return HidId{static_cast<uint16_t>(*vendor), static_cast<uint16_t>(*product)};
    }
    return std::nullopt;
}

class HidrawHandle : public HidHandle {
public:
    HidrawHandle(int fd, int cancelFd) : fd_(fd), cancelFd_(cancelFd) {}
    ~HidrawHandle() override {
        ::close(fd_);
        ::close(cancelFd_);
    }
    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    bool SetFeature(const uint8_t* data, size_t length) override {
        if (length == 0 || length > _IOC_SIZEMASK) return false;
        // The request is read-write: the driver (or a FUSE server) may write back into it.
        std::vector<uint8_t> report(data, data + length);
        int result;
        do {
            result = ::ioctl(fd_, HIDIOCSFEATURE(length), report.data());
        } while (result < 0 && errno == EINTR);
        return result >= 0;
    }

    bool Read(uint8_t* buffer, size_t length) override {
        for (;;) {
            pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (fds[1].revents != 0) return false;
            if ((fds[0].revents & POLLIN) == 0) return false;  // POLLERR/POLLHUP: the device is gone
            const ssize_t n = ::read(fd_, buffer, length);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (n <= 0) return false;
            // A short report leaves no bytes of an earlier one behind.
            std::memset(buffer + n, 0, length - static_cast<size_t>(n));
            return true;
        }
    }

    // The eventfd stays signalled, so every later Read fails at once too.
    void Cancel() override {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(cancelFd_, &one, sizeof one);
    }

private:
    int fd_;
    int cancelFd_;
};

}  // namespace

HidrawSystem::HidrawSystem(std::string sysfsRoot, std::string devRoot)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}

HidrawSystem::~HidrawSystem() {
    if (watcher_.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(stopFd_, &one, sizeof one);
        watcher_.join();
    }
    if (stopFd_ >= 0) ::close(stopFd_);
}

std::vector<std::string> HidrawSystem::ListInterfaces() {
    std::vector<unsigned> numbers;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(sysfsRoot_ + "/class/hidraw", ec), end; !ec && it != end;
         it.increment(ec)) {
        if (const auto number = NodeNumber(it->path().filename().string())) numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<std::string> paths;
    paths.reserve(numbers.size());
    for (unsigned number : numbers) paths.push_back(devRoot_ + "/hidraw" + std::to_string(number));
    return paths;
}

std::optional<HidInterfaceInfo> HidrawSystem::QueryInterface(const std::string& path) {
    const std::string prefix = devRoot_ + "/";
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::string name = path.substr(prefix.size());
    if (!NodeNumber(name)) return std::nullopt;

    const std::string device = sysfsRoot_ + "/class/hidraw/" + name + "/device/";
    const auto uevent = ReadSmallFile(device + "uevent", kMaxUeventSize);
    if (!uevent) return std::nullopt;
    const auto id = ParseUeventHidId(*uevent);
    if (!id) return std::nullopt;
    const auto descriptor = ReadSmallFile(device + "report_descriptor", kMaxDescriptorSize);
    if (!descriptor) return std::nullopt;
    const auto caps = ParseHidReportDescriptor(
        std::span(reinterpret_cast<const uint8_t*>(descriptor->data()), descriptor->size()));
    if (!caps) return std::nullopt;

    HidInterfaceInfo info;
    info.vendor = id->vendor;
    info.product = id->product;
    info.usagePage = caps->usagePage;
    info.usage = caps->usage;
    info.inputReportLength = caps->inputReportLength;
    info.featureReportLength = caps->featureReportLength;
    return info;
}

std::unique_ptr<HidHandle> HidrawSystem::Open(const std::string& path, HidAccess access) {
    const auto info = QueryInterface(path);
    if (!info || info->inputReportLength > kHidrawMaxReportLength ||
        info->featureReportLength > kHidrawMaxReportLength)
        return nullptr;
    // HIDIOCSFEATURE does not look at the open mode, so write access alone is enough to send.
    const int flags = (access == HidAccess::Read ? O_RDONLY : O_WRONLY) | O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) return nullptr;
    const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancelFd < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<HidrawHandle>(fd, cancelFd);
}

void HidrawSystem::RegisterNotifications() {
    std::lock_guard lock(watchMutex_);
    if (watcher_.joinable()) return;
    const int inotifyFd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (inotifyFd < 0) return;
    if (::inotify_add_watch(inotifyFd, devRoot_.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        ::close(inotifyFd);
        return;
    }
    if (stopFd_ < 0) stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd_ < 0) {
        ::close(inotifyFd);
        return;
    }
    watcher_ = std::thread(&HidrawSystem::WatchLoop, this, inotifyFd);
}

void HidrawSystem::WatchLoop(int inotifyFd) {
    alignas(inotify_event) char buffer[4096];
    bool watching = true;
    while (watching) {
        pollfd fds[2] = {{inotifyFd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0 || (fds[0].revents & POLLIN) == 0) break;
        const ssize_t n = ::read(inotifyFd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) break;
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_IGNORED) watching = false;  // devRoot itself went away
            if (event->len == 0 || !NodeNumber(event->name)) continue;
            DeviceNotification notification;
            notification.kind = DeviceNotification::Kind::DeviceInterface;
            notification.event = (event->mask & (IN_CREATE | IN_MOVED_TO)) ? DeviceNotification::Event::Arrival
                                                                          : DeviceNotification::Event::Removal;
            notification.path = devRoot_ + "/" + event->name;
            if (sink_) sink_(notification);
        }
    }
    ::close(inotifyFd);
}

}  // namespace zrv
