// The real backend against a hidraw node served by FUSE: ioctl, poll and read all go through
// the kernel as they would for the mouse.
#include <gtest/gtest.h>

#if ZRV_HAVE_FUSE
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "platform/linux_hidraw.h"
#include "tests/platform/fake_hidraw_fuse.h"
#include "tests/platform/temp_tree.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// Both of the mouse's reports on one node: input 6 and feature 7, 7 bytes each.
const Bytes kDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x09, 0x01, 0x75, 0x08,
                           0x95, 0x07, 0x81, 0x02, 0x85, 0x07, 0x09, 0x01, 0xB1, 0x02, 0xC0};

TEST(HidrawFuse, SendsFeatureReportsAndReadsInputReportsThroughTheKernel) {
    if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "/dev/fuse is missing or not accessible";
    TempTree tree;
    ASSERT_FALSE(tree.path.empty());
    const std::string sysfs = tree.path + "/sys";
    const std::string mount = tree.path + "/dev";
    const std::string device = sysfs + "/class/hidraw/hidraw0/device/";
    fs::create_directories(device);
    fs::create_directories(mount);
    std::ofstream(device + "uevent") << "HID_ID=0003:000018F8:00001286\n";
    std::ofstream(device + "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(kDescriptor.data()), static_cast<std::streamsize>(kDescriptor.size()));

    // Declared before the file system, so that on every way out it unmounts first: a Read
    // still waiting then fails instead of keeping the test from ending.
    std::unique_ptr<HidHandle> writer;
    std::unique_ptr<HidHandle> reader;
    Bytes buffer;
    std::future<bool> pending;
    std::string error;
    const std::unique_ptr<FakeHidrawFuse> node = FakeHidrawFuse::Mount(mount, error);
    if (!node) GTEST_SKIP() << "FUSE is not usable here: " << error;

    HidrawSystem hid(sysfs, mount);
    const std::string path = mount + "/hidraw0";
    const auto info = hid.QueryInterface(path);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->inputReportLength, 8);
    EXPECT_EQ(info->featureReportLength, 8);

    writer = hid.Open(path, HidAccess::Write);
    ASSERT_NE(writer, nullptr);
    const Bytes report = {0x07, 0x09, 0x41, 0xBA, 0x0F, 0x00, 0x00, 0x00};
    EXPECT_TRUE(writer->SetFeature(report.data(), report.size()));
    EXPECT_EQ(node->FeatureReports(), std::vector<Bytes>{report});

    reader = hid.Open(path, HidAccess::Read);
    ASSERT_NE(reader, nullptr);
    buffer.assign(info->inputReportLength, 0xEE);
    auto read = [&] { return std::async(std::launch::async, [&] { return reader->Read(buffer.data(), buffer.size()); }); };

    // A report already waiting.
    node->QueueInputReport({0x06, 0xF5, 0x01, 0, 0, 0, 0, 0});
    pending = read();
    ASSERT_EQ(pending.wait_for(5s), std::future_status::ready) << "Read did not return a waiting report";
    EXPECT_TRUE(pending.get());
    EXPECT_EQ(buffer, (Bytes{0x06, 0xF5, 0x01, 0, 0, 0, 0, 0}));

    // A report that arrives while Read waits in poll.
    pending = read();
    EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
    node->QueueInputReport({0x06, 0xF5, 0x80, 0, 0, 0, 0, 0});
    ASSERT_EQ(pending.wait_for(5s), std::future_status::ready) << "Read missed a report that arrived";
    EXPECT_TRUE(pending.get());
    EXPECT_EQ(buffer[2], 0x80);

    // Cancel ends a Read that waits for nothing.
    pending = read();
    EXPECT_EQ(pending.wait_for(100ms), std::future_status::timeout);
    reader->Cancel();
    ASSERT_EQ(pending.wait_for(5s), std::future_status::ready) << "Cancel did not wake Read";
    EXPECT_FALSE(pending.get());
}

}  // namespace
}  // namespace zrv
#endif
