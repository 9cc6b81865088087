#include "platform/x11_system_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zrv {
namespace {

namespace fs = std::filesystem;

TEST(X11SystemSettingsTest, SpeedMapsLinearlyOnEachSideOfTen) {
    struct Case {
        int speed;
        double accel;
    };
    const Case cases[] = {{1, -1.0}, {10, 0.0}, {20, 1.0}, {8, -2.0 / 9}, {15, 0.5}, {0, -1.0}, {25, 1.0}};
    for (const Case& c : cases) EXPECT_NEAR(LibinputAccelOfSpeed(c.speed), c.accel, 1e-9) << c.speed;
}

class KdeWheelTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zrv_kde_" + std::to_string(getpid()));
        fs::create_directories(folder_);
        setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(folder_);
    }
    fs::path folder_;
};

TEST_F(KdeWheelTest, WithoutKdeSettingsNothingIsWritten) {
    X11SystemSettings os;
    int lines = 0;
    EXPECT_FALSE(os.GetWheelScrollLines(lines));
    os.SetWheelScrollLines(7);
    EXPECT_FALSE(fs::exists(folder_ / "kdeglobals"));
}

TEST_F(KdeWheelTest, KdeGlobalsGetsTheLinesAndKeepsTheRest) {
    std::ofstream(folder_ / "kdeglobals") << "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n";
    X11SystemSettings os;
    int lines = 0;
    ASSERT_TRUE(os.GetWheelScrollLines(lines));
    EXPECT_EQ(lines, 3);  // KDE's default when the key is absent
    os.SetWheelScrollLines(7);
    ASSERT_TRUE(os.GetWheelScrollLines(lines));
    EXPECT_EQ(lines, 7);
    std::ifstream file(folder_ / "kdeglobals");
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("ColorScheme=Breeze"), std::string::npos);
    EXPECT_NE(text.str().find("SingleClick=false"), std::string::npos);
    EXPECT_NE(text.str().find("WheelScrollLines=7"), std::string::npos);
}

}  // namespace
}  // namespace zrv
