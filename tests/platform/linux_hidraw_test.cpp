#include "platform/linux_hidraw.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/platform/temp_tree.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

const Bytes kBootKeyboard = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15,
                             0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08,
                             0x81, 0x01, 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19,
                             0x00, 0x29, 0x65, 0x81, 0x00, 0xC0};
const Bytes kMouseRead = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x09, 0x01, 0x15, 0x00,
                          0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0};
const Bytes kMouseWrite = {0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x09, 0x01, 0x15, 0x00,
                           0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0};
// Feature report 7 of 299 bytes: 300 with the ID, more than the link's buffers hold.
const Bytes kMouseWriteTooLong = {0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x09, 0x01,
                                  0x75, 0x08, 0x96, 0x2B, 0x01, 0xB1, 0x02, 0xC0};

const std::string kMouseUevent = "DRIVER=hid-generic\nHID_ID=0003:000018F8:00001286\nHID_NAME=Mouse\n";

struct Node {
    std::string name;
    std::optional<std::string> uevent;
    std::optional<Bytes> descriptor;
};

// <root>/sys/class/hidraw/<name>/device/{uevent,report_descriptor} and <root>/dev/<name>.
struct FakeSystem {
    TempTree tree;
    std::string sysfs = tree.path + "/sys";
    std::string dev = tree.path + "/dev";

    explicit FakeSystem(const std::vector<Node>& nodes) {
        fs::create_directories(sysfs + "/class/hidraw");
        fs::create_directories(dev);
        for (const Node& node : nodes) {
            const std::string device = sysfs + "/class/hidraw/" + node.name + "/device/";
            fs::create_directories(device);
            if (node.uevent) std::ofstream(device + "uevent") << *node.uevent;
            if (node.descriptor)
                std::ofstream(device + "report_descriptor", std::ios::binary)
                    .write(reinterpret_cast<const char*>(node.descriptor->data()),
                           static_cast<std::streamsize>(node.descriptor->size()));
            std::ofstream(dev + "/" + node.name);
        }
    }
};

std::vector<Node> TypicalNodes() {
    return {
        {"hidraw0", "HID_ID=0003:0000046D:0000C31C\n", kBootKeyboard},
        {"hidraw1", kMouseUevent, kMouseRead},
        {"hidraw2", kMouseUevent, kMouseWrite},
        {"hidraw3", "HID_ID=0003:000018F8\n", kMouseRead},                 // broken identifiers
        {"hidraw4", kMouseUevent, std::nullopt},                           // no descriptor
        {"hidraw5", kMouseUevent, Bytes(kMouseRead.begin(), kMouseRead.end() - 3)},  // cut descriptor
        {"hidraw6", "HID_ID=0003:000118F8:00001286\n", kMouseRead},        // vendor beyond 16 bits
        {"hidraw10", kMouseUevent, kMouseWriteTooLong},
    };
}

TEST(HidrawSystem, ListsNodesInNumericOrder) {
    FakeSystem system(TypicalNodes());
    fs::create_directories(system.sysfs + "/class/hidraw/not-a-node");
    HidrawSystem hid(system.sysfs, system.dev);
    const std::vector<std::string> expected = {
        system.dev + "/hidraw0", system.dev + "/hidraw1", system.dev + "/hidraw2", system.dev + "/hidraw3",
        system.dev + "/hidraw4", system.dev + "/hidraw5", system.dev + "/hidraw6", system.dev + "/hidraw10"};
    EXPECT_EQ(hid.ListInterfaces(), expected);
}

TEST(HidrawSystem, ListsNothingWithoutTheHidrawClass) {
    TempTree tree;
    HidrawSystem hid(tree.path + "/sys", tree.path + "/dev");
    EXPECT_TRUE(hid.ListInterfaces().empty());
}

TEST(HidrawSystem, QueriesIdentifiersUsagesAndLengths) {
    struct Case {
        std::string node;
        std::optional<HidInterfaceInfo> expected;  // vendor, product, page, usage, input, feature
    };
    const std::vector<Case> cases = {
        {"hidraw0", HidInterfaceInfo{0x046D, 0xC31C, 0x01, 0x06, 9, 0}},
        {"hidraw1", HidInterfaceInfo{0x18F8, 0x1286, 0xFF00, 0x01, 8, 0}},
        {"hidraw2", HidInterfaceInfo{0x18F8, 0x1286, 0xFF01, 0x01, 0, 8}},
        {"hidraw3", std::nullopt},
        {"hidraw4", std::nullopt},
        {"hidraw5", std::nullopt},
        {"hidraw6", std::nullopt},
        {"hidraw10", HidInterfaceInfo{0x18F8, 0x1286, 0xFF01, 0x01, 0, 300}},
        {"hidraw7", std::nullopt},  // not in sysfs
    };
    FakeSystem system(TypicalNodes());
    HidrawSystem hid(system.sysfs, system.dev);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        const auto info = hid.QueryInterface(system.dev + "/" + c.node);
        ASSERT_EQ(info.has_value(), c.expected.has_value());
        if (!info) continue;
        EXPECT_EQ(info->vendor, c.expected->vendor);
        EXPECT_EQ(info->product, c.expected->product);
        EXPECT_EQ(info->usagePage, c.expected->usagePage);
        EXPECT_EQ(info->usage, c.expected->usage);
        EXPECT_EQ(info->inputReportLength, c.expected->inputReportLength);
        EXPECT_EQ(info->featureReportLength, c.expected->featureReportLength);
    }
    // A path outside the device root or not naming a hidraw node is not an interface.
    EXPECT_FALSE(hid.QueryInterface(system.tree.path + "/hidraw1").has_value());
    EXPECT_FALSE(hid.QueryInterface(system.dev + "/hidraw1x").has_value());
    EXPECT_FALSE(hid.QueryInterface(system.dev + "/hidraw").has_value());
    EXPECT_FALSE(hid.QueryInterface(system.dev + "/../dev/hidraw1").has_value());
}

TEST(HidrawSystem, OpensOnlyDescribedNodesThatFitTheBuffers) {
    FakeSystem system(TypicalNodes());
    HidrawSystem hid(system.sysfs, system.dev);
    EXPECT_NE(hid.Open(system.dev + "/hidraw1", HidAccess::Read), nullptr);
    EXPECT_NE(hid.Open(system.dev + "/hidraw2", HidAccess::Write), nullptr);
    EXPECT_EQ(hid.Open(system.dev + "/hidraw10", HidAccess::Write), nullptr);  // 300-byte feature report
    EXPECT_EQ(hid.Open(system.dev + "/hidraw3", HidAccess::Read), nullptr);    // cannot be described
    fs::remove(system.dev + "/hidraw2");
    EXPECT_EQ(hid.Open(system.dev + "/hidraw2", HidAccess::Write), nullptr);  // node gone
}

// A FIFO stands in for the node: reads, short reports, the writer going away, Cancel.
class HidrawReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string fifo = system.dev + "/hidraw1";
        fs::remove(fifo);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);  // does not wait for a reader
        ASSERT_GE(writer, 0);
        handle = hid.Open(fifo, HidAccess::Read);
        ASSERT_NE(handle, nullptr);
    }
    void TearDown() override { CloseWriter(); }
    void Send(const Bytes& report) {
        ASSERT_EQ(::write(writer, report.data(), report.size()), static_cast<ssize_t>(report.size()));
    }
    void StartRead() {
        pending = std::async(std::launch::async, [this] { return handle->Read(buffer.data(), buffer.size()); });
    }
    // What the Read returned, or nullopt when it was still waiting after limit; it is then ended
    // by taking the device away, so that a broken Read fails the test instead of hanging it.
    std::optional<bool> FinishRead(std::chrono::milliseconds limit) {
        if (pending.wait_for(limit) == std::future_status::ready) return pending.get();
        CloseWriter();
        pending.get();
        return std::nullopt;
    }
    void CloseWriter() {
        if (writer >= 0) ::close(writer);
        writer = -1;
    }

    FakeSystem system{{{"hidraw1", kMouseUevent, kMouseRead}}};
    HidrawSystem hid{system.sysfs, system.dev};
    int writer = -1;
    std::unique_ptr<HidHandle> handle;
    Bytes buffer = Bytes(8, 0xEE);
    std::future<bool> pending;  // TearDown closes the writer before this waits for the Read
};

TEST_F(HidrawReadTest, ReadsOneReportAndClearsTheRestOfTheBuffer) {
    Send({0x06, 0xF5, 0x01});
    StartRead();
    EXPECT_EQ(FinishRead(5s), std::optional<bool>(true));
    EXPECT_EQ(buffer, (Bytes{0x06, 0xF5, 0x01, 0, 0, 0, 0, 0}));
}

TEST_F(HidrawReadTest, BlockedReadWakesForAReportOrForCancel) {
    StartRead();
    EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
    Send({0x06, 0xF1, 0x80, 0, 0, 0, 0, 0});
    EXPECT_EQ(FinishRead(5s), std::optional<bool>(true));
    EXPECT_EQ(buffer[1], 0xF1);

    StartRead();
    EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
    handle->Cancel();
    EXPECT_EQ(FinishRead(5s), std::optional<bool>(false));
    // Cancelled stays cancelled, even with a report waiting.
    Send({0x06, 0xF2, 0x01});
    StartRead();
    EXPECT_EQ(FinishRead(5s), std::optional<bool>(false));
}

TEST_F(HidrawReadTest, ReadFailsWhenTheDeviceGoesAway) {
    StartRead();
    EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
    CloseWriter();
    ASSERT_EQ(pending.wait_for(5s), std::future_status::ready);
    EXPECT_FALSE(pending.get());
}

class NotificationLog {
public:
    void Add(const DeviceNotification& n) {
        std::lock_guard lock(mutex_);
        seen_.push_back(n);
        changed_.notify_all();
    }
    // The notifications once there are count of them, or what there is after five seconds.
    std::vector<DeviceNotification> WaitFor(size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 5s, [&] { return seen_.size() >= count; });
        return seen_;
    }

    size_t Count() {
        std::lock_guard lock(mutex_);
        return seen_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<DeviceNotification> seen_;
};

TEST(HidrawSystem, ReportsNodeArrivalAndRemoval) {
    FakeSystem system({});
    NotificationLog log;
    {
        HidrawSystem hid(system.sysfs, system.dev);
        hid.SetNotificationSink([&](const DeviceNotification& n) { log.Add(n); });
        hid.RegisterNotifications();
        hid.RegisterNotifications();  // a second watch would double every notification

        const std::string node = system.dev + "/hidraw7";
        std::ofstream(system.dev + "/event3");  // not a hidraw node: no notification
        std::ofstream{node};
        ASSERT_EQ(log.WaitFor(1).size(), 1u);
        fs::create_directory(system.dev + "/hidraw-by-id");
        fs::remove(node);
        const auto seen = log.WaitFor(2);
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].kind, DeviceNotification::Kind::DeviceInterface);
        EXPECT_EQ(seen[0].event, DeviceNotification::Event::Arrival);
        EXPECT_EQ(seen[0].path, node);
        EXPECT_EQ(seen[1].kind, DeviceNotification::Kind::DeviceInterface);
        EXPECT_EQ(seen[1].event, DeviceNotification::Event::Removal);
        EXPECT_EQ(seen[1].path, node);
    }  // the destructor stops the watcher
    std::ofstream(system.dev + "/hidraw8");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(log.Count(), 2u);
}

}  // namespace
}  // namespace zrv
