#include "device/discovery.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/device_threads.h"
#include "platform/recording_hid.h"

namespace zrv {
namespace {

using Interface = RecordingHidSystem::Interface;

HidInterfaceInfo Mouse(uint16_t page, uint16_t input = 8, uint16_t feature = 8) {
    return {kVendorId, kProductId, page, 1, input, feature};
}
const HidInterfaceInfo kKeyboard{0x046D, 0xC31C, 1, 6, 9, 0};

TEST(Discover, OpensBothInterfacesAfterAnUnrelatedDevice) {
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link;
    const auto result = Discover(link, hid);
    EXPECT_TRUE(result.found);
    EXPECT_TRUE(result.openedAny);
    ASSERT_EQ(hid.opened.size(), 2u);
    EXPECT_EQ(hid.opened[0], std::make_pair(std::string("/dev/hidraw1"), HidAccess::Read));
    EXPECT_EQ(hid.opened[1], std::make_pair(std::string("/dev/hidraw2"), HidAccess::Write));
    EXPECT_EQ(link.devicePath, "/dev/hidraw2");
    EXPECT_EQ(link.readCaps.inputReportLength, 8);
    EXPECT_EQ(link.writeCaps.featureReportLength, 8);
    EXPECT_EQ(hid.registrations, 2);
}

TEST(Discover, NoMouseOpensNothingAndRegistersNothing) {
    RecordingHidSystem hid{{{"/dev/hidraw0", kKeyboard}, {"/dev/hidraw1", std::nullopt}}};
    DeviceLink link;
    const auto result = Discover(link, hid);
    EXPECT_FALSE(result.found);
    EXPECT_FALSE(result.openedAny);
    EXPECT_TRUE(hid.opened.empty());
    EXPECT_EQ(hid.registrations, 0);
    EXPECT_EQ(link.devicePath, "");
}

TEST(Discover, OnlyTheInputInterfaceStillCountsAsFound) {
    RecordingHidSystem hid{{{"/dev/hidraw3", Mouse(0xFF00)}, {"/dev/hidraw4", kKeyboard}}};
    DeviceLink link;
    const auto result = Discover(link, hid);
    EXPECT_TRUE(result.found);
    EXPECT_NE(link.readHandle.load(), nullptr);
    EXPECT_EQ(link.writeHandle.load(), nullptr);
    EXPECT_EQ(link.devicePath, "/dev/hidraw3");  // a later unrelated device does not change it
}

TEST(Discover, InterfacesThatCannotBeOpenedAreReported) {
    RecordingHidSystem hid{{{"/dev/hidraw1", Mouse(0xFF00), false}, {"/dev/hidraw2", Mouse(0xFF01), false}}};
    DeviceLink link;
    const auto result = Discover(link, hid);
    EXPECT_TRUE(result.found);
    EXPECT_FALSE(result.openedAny);
}

TEST(Discover, ReportsLongerThanTheBuffersAreRefused) {
    RecordingHidSystem hid{{{"/dev/hidraw1", Mouse(0xFF00, 257)}, {"/dev/hidraw2", Mouse(0xFF01, 0, 256)}}};
    DeviceLink link;
    Discover(link, hid);
    EXPECT_EQ(link.readHandle.load(), nullptr);
    EXPECT_NE(link.writeHandle.load(), nullptr);
}

TEST(Discover, TwoMiceStopAsSoonAsBothKindsAreSet) {
    RecordingHidSystem hid{{{"/a/1", Mouse(0xFF00)},
                            {"/a/2", Mouse(0xFF00)},
                            {"/a/3", Mouse(0xFF01)},
                            {"/a/4", Mouse(0xFF01)}}};
    DeviceLink link;
    Discover(link, hid);
    ASSERT_EQ(hid.opened.size(), 3u);
    EXPECT_EQ(hid.opened[1].first, "/a/2");  // the later read interface replaces the first
    EXPECT_EQ(hid.opened[2].first, "/a/3");
    EXPECT_EQ(link.devicePath, "/a/3");
}

TEST(Discover, ScansAtMostAHundredInterfaces) {
    std::vector<Interface> list;
    for (int i = 0; i < 100; ++i) list.push_back({"/k/" + std::to_string(i), kKeyboard});
    list.push_back({"/m/0", Mouse(0xFF00)});
    RecordingHidSystem hid{list};
    DeviceLink link;
    EXPECT_FALSE(Discover(link, hid).found);
}

// The device threads start before the mouse is opened and poll the link meanwhile; the
// lengths Discover stores must reach them whole (ThreadSanitizer checks this).
TEST(Discover, WhileTheDeviceThreadsAlreadyPoll) {
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link;
    AppliedState applied;
    LiveProfile profile;
    HandOver handOver;
    SteadyClock clock;
    Host host;
    const std::atomic<int32_t> curConfig{1};
    ProfileSettings p = FactoryProfile;
    p.K[3] = 24;  // volume up: one consumer-key report per press
    profile.Set(p);
    DeviceThreads threads({link, applied, profile, handOver, clock, host, "", curConfig, nullptr});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(Discover(link, hid).found);
    hid.PushInput({0x06, 0xF5, 0x01, 0, 0, 0, 0, 0});
    ASSERT_TRUE(hid.WaitForReports(1, std::chrono::seconds(5)));
    EXPECT_EQ(hid.ReportLines()[0], "07 17 00 E9 00 00 00 00");
}

TEST(IsMouseNotification, MatchesTheSavedPathIgnoringCase) {
    DeviceLink link;
    link.devicePath = "/dev/HIDRAW2";
    using K = DeviceNotification::Kind;
    using E = DeviceNotification::Event;
    struct Case {
        DeviceNotification n;
        bool expected;
    };
    const Case cases[] = {
        {{K::DeviceInterface, E::Removal, "/dev/hidraw2"}, true},
        {{K::DeviceInterface, E::Arrival, "/dev/HIDRAW2"}, true},
        {{K::DeviceInterface, E::Removal, "/dev/hidraw3"}, false},
        {{K::Other, E::Removal, "/dev/hidraw2"}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsMouseNotification(link, c.n), c.expected) << c.n.path;
    EXPECT_FALSE(IsMouseNotification(DeviceLink{}, {K::DeviceInterface, E::Removal, ""}));
}

}  // namespace
}  // namespace zrv
