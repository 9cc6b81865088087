#include "device/protocol.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/discovery.h"
#include "platform/recording_hid.h"

namespace zrv {
namespace {

struct ManualClock : Clock {
    TimePoint now{};
    std::vector<std::chrono::milliseconds> sleeps;
    TimePoint Now() override { return now; }
    void SleepUntil(TimePoint deadline) override {
        sleeps.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now));
        now = deadline;
    }
};

struct Linked {
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link;
    Linked() { Discover(link, hid); }
    std::string Last() { return hid.ReportLines().back(); }
};

TEST(Protocol, CommandsAreByteExactAndKeepWhatThePreviousReportLeft) {
    struct Case {
        const char* name;
        std::function<void(DeviceLink&)> send;
        const char* expected;
    };
    // Each case runs after the previous one on the same buffer.
    const Case cases[] = {
        {"dpi level", [](DeviceLink& l) { SetDpiLevel(l, 1, 2, 0x0B, 0x0F); }, "07 09 41 BA 0F 00 00 00"},
        {"button", [](DeviceLink& l) { SetButtonFunction(l, 5, 0x0B); }, "07 10 05 0B 0F 00 00 00"},
        {"wheel", [](DeviceLink& l) { SetWheelMode(l, 0x101); }, "07 11 01 00 0F 00 00 00"},
        {"lighting", [](DeviceLink& l) { SetLighting(l, 6); }, "07 13 7F 16 0F 00 00 00"},
        {"consumer", [](DeviceLink& l) { SendConsumerKey(l, 0x0223); }, "07 17 02 23 0F 00 00 00"},
        {"fire 300", [](DeviceLink& l) { SetFireInterval(l, 300); }, "07 12 00 25 00 00 00 00"},
        {"fire 50", [](DeviceLink& l) { SetFireInterval(l, 50); }, "07 12 00 06 00 00 00 00"},
        {"fire 7", [](DeviceLink& l) { SetFireInterval(l, 7); }, "07 12 00 00 00 00 00 00"},
        {"fire 8", [](DeviceLink& l) { SetFireInterval(l, 8); }, "07 12 00 01 00 00 00 00"},
        {"fire 4000", [](DeviceLink& l) { SetFireInterval(l, 4000); }, "07 12 01 F4 00 00 00 00"},
        {"dpi none enabled", [](DeviceLink& l) { SetDpiLevel(l, 0, 0, 0x01, 0x00); }, "07 09 40 18 00 00 00 00"},
        {"host exit", [](DeviceLink& l) { SetLighting(l, 0); HostExit(l); }, "07 20 00 00 00 00 00 00"},
    };
    Linked m;
    for (const auto& c : cases) {
        c.send(m.link);
        EXPECT_EQ(m.Last(), c.expected) << c.name;
    }
}

TEST(Protocol, HostExitKeepsTheTailOfThePreviousReport) {
    Linked m;
    SetDpiLevel(m.link, 0, 3, 0x0E, 0x0F);
    HostExit(m.link);
    EXPECT_EQ(m.Last(), "07 20 00 00 0F 00 00 00");
}

TEST(Protocol, ReportsUseTheDevicesFeatureLength) {
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces(8, 33)};
    DeviceLink link;
    Discover(link, hid);
    SetWheelMode(link, 1);
    ASSERT_EQ(hid.Reports().size(), 1u);
    EXPECT_EQ(hid.Reports()[0].bytes.size(), 33u);
    EXPECT_EQ(hid.Reports()[0].path, "/dev/hidraw2");
}

TEST(Protocol, NothingIsSentWithoutAWriteHandle) {
    DeviceLink link;
    SetWheelMode(link, 1);
    HostExit(link);
    SendMacroEvent(link, 0x04, 1);
    EXPECT_EQ(link.featureReport[1], 0);  // never composed
}

TEST(Protocol, KeySlots) {
    struct Step {
        uint8_t code;
        uint8_t action;
        const char* expected;
    };
    const Step steps[] = {
        {0x04, 1, "07 15 04 00 00 00 00 00"},
        {0x05, 1, "07 15 04 05 00 00 00 00"},
        {0x04, 1, "07 15 04 05 04 00 00 00"},  // the same key twice takes two slots
        {0x04, 2, "07 15 05 04 00 00 00 00"},  // one release frees the first
        {0x09, 2, "07 15 05 04 00 00 00 00"},  // not held: resent unchanged
        {0x06, 1, "07 15 05 04 06 00 00 00"},
        {0x07, 1, "07 15 05 04 06 07 00 00"},
        {0x08, 1, "07 15 05 04 06 07 08 00"},
        {0x0A, 1, "07 15 05 04 06 07 08 0A"},
        {0x0B, 1, "07 15 05 04 06 07 08 0A"},  // a seventh key is dropped
        {0x0A, 2, "07 15 05 04 06 07 08 00"},
        {0x05, 3, "07 15 05 04 06 07 08 00"},  // an unknown action changes nothing
    };
    Linked m;
    for (const auto& s : steps) {
        SendMacroEvent(m.link, s.code, s.action);
        EXPECT_EQ(m.Last(), s.expected) << int(s.code) << "/" << int(s.action);
    }
}

TEST(Protocol, ButtonStateIsActiveLowAndLeavesByte2) {
    struct Step {
        uint8_t code;
        uint8_t action;
        uint8_t state;
    };
    const Step steps[] = {
        {0xF0, 1, 0xFE}, {0xF2, 1, 0xFA}, {0xF1, 1, 0xF8}, {0xF0, 2, 0xF9},
        {0xF3, 1, 0xF9},  // a mouse code without a button
        {0xF1, 7, 0xF9}, {0xF1, 2, 0xFB}, {0xF2, 2, 0xFF},
    };
    Linked m;
    SetButtonFunction(m.link, 6, 0x33);  // leaves 0x06 in byte 2
    for (const auto& s : steps) {
        SendMacroEvent(m.link, s.code, s.action);
        const auto bytes = m.hid.Reports().back().bytes;
        EXPECT_EQ(bytes[1], 0x16);
        EXPECT_EQ(bytes[2], 0x06) << "byte 2 is not the command's";
        EXPECT_EQ(bytes[3], s.state) << std::hex << int(s.code);
    }
}

TEST(Protocol, ReleaseAllReleasesButtonsThenKeys) {
    Linked m;
    ManualClock clock;
    SendMacroEvent(m.link, 0xF0, 1);
    SendMacroEvent(m.link, 0x04, 1);
    const size_t before = m.hid.Reports().size();
    ReleaseAll(m.link, clock);
    const auto lines = m.hid.ReportLines();
    ASSERT_EQ(lines.size(), before + 2);
    EXPECT_EQ(lines[before], "07 16 04 FF 00 00 00 00");
    EXPECT_EQ(lines[before + 1], "07 15 00 00 00 00 00 00");
    EXPECT_EQ(clock.sleeps, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(10),
                                                                     std::chrono::milliseconds(10)}));
}

}  // namespace
}  // namespace zrv
