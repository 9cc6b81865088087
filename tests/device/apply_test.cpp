#include "device/apply.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/settings.h"
#include "device/discovery.h"
#include "platform/recording_hid.h"
#include "platform/recording_system_settings.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

struct ApplyFixture : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("zrv_apply_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::vector<std::string> log;
    RecordingHidSystem hid{RecordingHidSystem::MouseInterfaces()};
    RecordingSystemSettings os{[this](const std::string& s) { log.push_back(s); }};
    DeviceLink link;
    AppliedState applied;
    int repaints = 0;

    void SetUp() override {
        fs::create_directories(dir);
        hid.SetObserver([this](const std::string& s) { log.push_back(s); });
        Discover(link, hid);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Config() const { return (dir / "config.ini").string(); }
    ApplyContext Context(int curConfig = 1) {
        return {link, os, applied, Config(), curConfig, [this] {
                    ++repaints;
                    log.push_back("REPAINT");
                }};
    }
};

TEST_F(ApplyFixture, FactoryProfileSendsTheThirteenReportsInOrder) {
    ApplyProfile(FactoryProfile, Context());
    const std::vector<std::string> expected{
        "FEATURE 07 10 01 01 00 00 00 00", "FEATURE 07 10 02 02 00 00 00 00", "FEATURE 07 10 03 03 00 00 00 00",
        "FEATURE 07 10 05 05 00 00 00 00", "FEATURE 07 10 04 04 00 00 00 00", "FEATURE 07 10 06 06 00 00 00 00",
        "FEATURE 07 11 00 00 00 00 00 00", "FEATURE 07 09 40 58 0F 00 00 00", "FEATURE 07 09 40 79 0F 00 00 00",
        "FEATURE 07 09 40 BA 0F 00 00 00", "FEATURE 07 09 40 EB 0F 00 00 00", "FEATURE 07 13 7F 10 0F 00 00 00",
        "REPAINT",                         "POINTER 8",                       "WHEEL 3",
        "FEATURE 07 12 00 06 00 00 00 00",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(applied.dpiCode[2], 0x0B);
    EXPECT_TRUE(applied.reportsDpiLevel[5]);  // factory button 5 switches the DPI level
    EXPECT_FALSE(applied.cyclesReportRate[5]);
}

TEST_F(ApplyFixture, StoresTheProfileInSlotSixAndTheCurrentSlot) {
    ProfileSettings p = FactoryProfile;
    p.FIRE_TIME = 300;
    p.K[2] = 41;
    ApplyProfile(p, Context(3));
    EXPECT_EQ(ReadCurrentProfileNumber(Config()), 3);
    for (int slot : {6, 3}) {
        ProfileSettings back;
        LoadProfile(Config(), slot, false, 0, back);
        EXPECT_EQ(back, p) << slot;
    }
}

TEST_F(ApplyFixture, FollowingFlagsComeFromTheAppliedCodes) {
    ProfileSettings p = FactoryProfile;
    p.K = {1, 15, 16, 6, 14, 28};
    p.WHEEL_SPEED = 9;
    p.DPI_SPEED = 200;
    ApplyProfile(p, Context());
    const bool dpi[] = {false, true, true, true, false, false};
    const bool rate[] = {false, false, false, false, true, false};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(applied.reportsDpiLevel[i], dpi[i]) << i;
        EXPECT_EQ(applied.cyclesReportRate[i], rate[i]) << i;
    }
    EXPECT_EQ(hid.ReportLines()[1], "07 10 02 0B 00 00 00 00");
    EXPECT_EQ(os.wheel, 10);
    EXPECT_EQ(os.pointer, 18);
}

TEST_F(ApplyFixture, AllZeroProfileSendsCodeZeroAndAnEmptyMask) {
    ApplyProfile(ProfileSettings{}, Context(0));
    const auto lines = hid.ReportLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "07 10 01 00 00 00 00 00");
    EXPECT_EQ(lines[7], "07 09 40 18 00 00 00 00");
    EXPECT_EQ(os.pointer, 1);
    EXPECT_EQ(os.wheel, 1);
}

TEST_F(ApplyFixture, FailedProbesLeaveTheSystemAlone) {
    RecordingSystemSettings closed{[this](const std::string& s) { log.push_back(s); }, false, false};
    ApplyProfile(FactoryProfile, {link, closed, applied, Config(), 1, nullptr});
    ShutdownLink(link, closed);
    for (const auto& line : log) EXPECT_EQ(line.rfind("FEATURE", 0), 0u) << line;
}

TEST_F(ApplyFixture, WithoutTheMouseTheSettingsAreStillWritten) {
    DeviceLink none;
    ApplyProfile(FactoryProfile, {none, os, applied, Config(), 2, nullptr});
    EXPECT_TRUE(hid.Reports().empty());
    EXPECT_EQ(ReadCurrentProfileNumber(Config()), 2);
    EXPECT_EQ(os.pointer, 8);
}

TEST_F(ApplyFixture, ShutdownSendsHostExitThenRestoresThePointerSpeed) {
    ApplyProfile(FactoryProfile, Context());
    log.clear();
    ShutdownLink(link, os);
    EXPECT_EQ(log, (std::vector<std::string>{"FEATURE 07 20 00 00 00 00 00 00", "POINTER 10"}));
    EXPECT_EQ(os.wheel, 3);  // the scroll lines keep the last apply

    log.clear();
    DeviceLink none;
    ShutdownLink(none, os);
    EXPECT_EQ(log, (std::vector<std::string>{"POINTER 10"}));
}

}  // namespace
}  // namespace zrv
