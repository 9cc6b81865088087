// The simulated-mouse executable's skinned window on a private X server, driven by real
// pointer input through xdotool.
#include <gtest/gtest.h>

#include <thread>

#include "child_process.h"
#include "program_folder.h"

namespace zrv::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kTimeout = 20s;

const char kConfig[] =
    "[Init]\nCurConfig=1\nVER_SEL=1\n"
    "[Config1]\nK0=1\nK1=2\nK2=3\nK3=5\nK4=4\nK5=6\nDPI_LEVEL=0\nWHEEL_STATUS=0\nMACRO_MODE2=0\n"
    "DPI_SET0=4\nDPI_SET_EN0=1\nDPI_SET1=6\nDPI_SET_EN1=1\nDPI_SET2=8\nDPI_SET_EN2=1\nDPI_SET3=10\n"
    "DPI_SET_EN3=1\nLED_STATUS=0\nDPI_SPEED=4\nWHEEL_SPEED=2\nUSB_SPEED=2\nFIRE_TIME=50\n";

// The apply of kConfig; the level-0 DPI report is the fourth from the end of the features.
std::vector<std::string> ApplyWithLevel0(const std::string& level0) {
    return {"FEATURE 07 10 01 01 00 00 00 00", "FEATURE 07 10 02 02 00 00 00 00", "FEATURE 07 10 03 03 00 00 00 00",
            "FEATURE 07 10 05 05 00 00 00 00", "FEATURE 07 10 04 04 00 00 00 00", "FEATURE 07 10 06 06 00 00 00 00",
            "FEATURE 07 11 00 00 00 00 00 00", level0,                            "FEATURE 07 09 40 79 0F 00 00 00",
            "FEATURE 07 09 40 BA 0F 00 00 00", "FEATURE 07 09 40 EB 0F 00 00 00", "FEATURE 07 13 7F 10 0F 00 00 00",
            "POINTER 8",                       "WHEEL 3",                         "FEATURE 07 12 00 06 00 00 00 00"};
}

// Centre of a BUTTONPOS element of the English main layout.
std::pair<int, int> Centre(int index) {
    const std::string text = ReadFile(fs::path(ZRV_SOURCE_DIR) / "data/skins/INI_EN/skin_main_en.ini");
    const std::string key = "\n" + std::to_string(index) + "=";
    const size_t at = text.find(key, text.find("[BUTTONPOS]"));
    std::vector<int> fields;
    size_t pos = text.find(',', at) + 1;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', pos);
        fields.push_back(std::stoi(text.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    return {fields[0] + fields[2] / 2, fields[1] + fields[3] / 2};
}

std::vector<std::string> Xdotool(const std::vector<std::string>& args, const std::string& display) {
    ChildProcess child("/usr/bin/xdotool", args, EnvironmentWith({display}), "/");
    child.WaitForExit(10s);
    return child.Lines();
}

TEST(WindowE2eTest, PressOnADpiStepAndReleaseOverApplySendsTheNewStep) {
    if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool"))
        GTEST_SKIP() << "Xvfb or xdotool missing: install them (scripts/deps.sh) to run this test";

    ProgramFolder folder("ZRV_Vantix-sim", true);
    folder.WriteConfig(kConfig);
    ChildProcess xvfb("/usr/bin/Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"},
                      EnvironmentWith({}), "/");
    const auto number = xvfb.WaitForFirstLine(kTimeout);
    ASSERT_TRUE(number) << "Xvfb did not start";
    const std::string display = "DISPLAY=:" + *number;

    auto program = folder.Start({}, {"QT_QPA_PLATFORM=xcb", display});
    ASSERT_TRUE(program->WaitForLine("TRAY ADD Halvex Gaming Mouse", kTimeout));
    std::vector<std::string> windows;
    for (auto deadline = std::chrono::steady_clock::now() + kTimeout;
         windows.empty() && std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(100ms))
        windows = Xdotool({"search", "--onlyvisible", "--name", "^Halvex Gaming Mouse$"}, display);
    ASSERT_FALSE(windows.empty()) << "the window did not appear";

    // The window opens at the screen's top-left corner, so client and screen pixels agree.
    const auto [cellX, cellY] = Centre(66 + 5);  // level 0, sixth step: 1200 DPI, code 06
    const auto [applyX, applyY] = Centre(3);
    Xdotool({"mousemove", "--sync", std::to_string(cellX), std::to_string(cellY), "sleep", "0.2", "mousedown", "1",
         "sleep", "0.2", "mousemove", "--sync", std::to_string(applyX), std::to_string(applyY), "sleep", "0.2",
         "mouseup", "1"},
        display);

    const std::string newStep = "FEATURE 07 09 40 68 0F 00 00 00";
    ASSERT_TRUE(program->WaitForLine(newStep, kTimeout)) << "no apply with the new step";
    program->WriteLine("UNPLUG");
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);

    std::vector<std::string> expected = ApplyWithLevel0("FEATURE 07 09 40 58 0F 00 00 00");
    expected.push_back("TRAY ADD Halvex Gaming Mouse");
    for (const std::string& line : ApplyWithLevel0(newStep)) expected.push_back(line);
    for (const char* line : {"TRAY DELETE", "FEATURE 07 20 00 00 00 00 00 00", "POINTER 10", "EXIT"})
        expected.push_back(line);
    EXPECT_EQ(program->Lines(), expected);
    // The apply stored the new step in the profile's own slot.
    EXPECT_NE(ReadFile(folder.Config()).find("DPI_SET0=5"), std::string::npos);
}

}  // namespace
}  // namespace zrv::e2e
