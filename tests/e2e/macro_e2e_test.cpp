// A macro button pressed on the simulated mouse: the program plays the macro back to the
// mouse as feature reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "program_folder.h"

namespace zrv::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kTimeout = 20s;

// UI button 3 (the mouse's button 5) plays user macro 1.
std::string Config(int macroMode2) {
    return "[Init]\nCurConfig=1\nVER_SEL=0\n[Config1]\nK0=1\nK1=2\nK2=3\nK3=41\nK4=4\nK5=6\nDPI_LEVEL=0\n"
           "WHEEL_STATUS=0\nMACRO_MODE2=" + std::to_string(macroMode2) +
           "\nDPI_SET0=4\nDPI_SET_EN0=1\nDPI_SET1=6\nDPI_SET_EN1=1\nDPI_SET2=8\nDPI_SET_EN2=1\nDPI_SET3=10\n"
           "DPI_SET_EN3=1\nLED_STATUS=0\nDPI_SPEED=4\nWHEEL_SPEED=2\nUSB_SPEED=2\nFIRE_TIME=50\n";
}

// One macro "E2E" as the macro file stores it: key A (virtual key 65) down and up, 20 ms
// after each, played repeatCount passes.
std::string MacroFile(int repeatCount) {
    std::vector<int> bytes(1064, 0);
    bytes[0] = 'E';
    bytes[2] = '2';
    bytes[4] = 'E';
    bytes[40] = 1;  // repeat on
    bytes[41] = repeatCount;
    bytes[43] = 2;  // events
    const int events[2][4] = {{65, 1, 20, 0}, {65, 2, 20, 0}};
    for (int k = 0; k < 2; ++k)
        for (int f = 0; f < 4; ++f) bytes[44 + 4 * k + f] = events[k][f];
    std::string value;
    char field[4];
    for (int b : bytes) {
        std::snprintf(field, sizeof field, "%03d", b);
        value += field;
    }
    return "[Macros]\nmacroNum=1\n0=" + value + "\n";
}

const std::vector<std::string> kApply = {
    "FEATURE 07 10 01 01 00 00 00 00", "FEATURE 07 10 02 02 00 00 00 00", "FEATURE 07 10 03 03 00 00 00 00",
    "FEATURE 07 10 05 00 00 00 00 00", "FEATURE 07 10 04 04 00 00 00 00", "FEATURE 07 10 06 06 00 00 00 00",
    "FEATURE 07 11 00 00 00 00 00 00", "FEATURE 07 09 40 58 0F 00 00 00", "FEATURE 07 09 40 79 0F 00 00 00",
    "FEATURE 07 09 40 BA 0F 00 00 00", "FEATURE 07 09 40 EB 0F 00 00 00", "FEATURE 07 13 7F 10 0F 00 00 00",
    "POINTER 8",                       "WHEEL 3",                         "FEATURE 07 12 00 06 00 00 00 00",
    "TRAY ADD Norvane.电竞游戏鼠标",
};
const std::vector<std::string> kPass = {"FEATURE 07 15 04 00 00 00 00 00", "FEATURE 07 15 00 00 00 00 00 00",
                                        "FEATURE 07 16 00 FF 00 00 00 00", "FEATURE 07 15 00 00 00 00 00 00"};
const std::vector<std::string> kUnplugEnd = {"TRAY DELETE", "FEATURE 07 20 00 00 00 00 00 00", "POINTER 10",
                                             "EXIT"};

void PrepareFolder(const ProgramFolder& folder, int macroMode2, int repeatCount) {
    folder.WriteConfig(Config(macroMode2));
    const fs::path bin = folder.Root() / "bin";
    std::ofstream(bin / "Macro_CN.dat") << MacroFile(repeatCount);
    fs::copy_file(fs::path(ZRV_SOURCE_DIR) / "data" / "constMacro.dat", bin / "constMacro.dat",
                  fs::copy_options::overwrite_existing);
}

bool WaitForLineCount(ChildProcess& program, size_t count, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (program.Lines().size() < count) {
        if (std::chrono::steady_clock::now() > end) return false;
        program.WaitForLine("", 100ms);  // reads what arrives meanwhile
    }
    return true;
}

TEST(MacroE2eTest, APressPlaysEveryPassWithTheReleaseAfterEach) {
    ProgramFolder folder("ZRV_Vantix-sim");
    PrepareFolder(folder, 0, 2);
    auto program = folder.Start();
    ASSERT_TRUE(program->WaitForLine(kApply.back(), kTimeout));
    program->WriteLine("INPUT 06 F5 01 00 00 00 00 00");
    program->WriteLine("INPUT 06 F5 80 00 00 00 00 00");  // a release changes nothing in this mode
    ASSERT_TRUE(WaitForLineCount(*program, kApply.size() + 2 * kPass.size(), kTimeout));
    program->WriteLine("UNPLUG");
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);
    std::vector<std::string> expected = kApply;
    for (int pass = 0; pass < 2; ++pass) expected.insert(expected.end(), kPass.begin(), kPass.end());
    expected.insert(expected.end(), kUnplugEnd.begin(), kUnplugEnd.end());
    EXPECT_EQ(program->Lines(), expected);
}

TEST(MacroE2eTest, HeldModePlaysWholePassesUntilTheRelease) {
    ProgramFolder folder("ZRV_Vantix-sim");
    PrepareFolder(folder, 1, 1);
    auto program = folder.Start();
    ASSERT_TRUE(program->WaitForLine(kApply.back(), kTimeout));
    program->WriteLine("INPUT 06 F5 01 00 00 00 00 00");
    ASSERT_TRUE(WaitForLineCount(*program, kApply.size() + 2 * kPass.size() + 1, kTimeout));
    program->WriteLine("INPUT 06 F5 80 00 00 00 00 00");
    // Once the release has ended the playback, nothing more arrives.
    size_t count = 0;
    do {
        count = program->Lines().size();
        program->WaitForLine("", 300ms);
    } while (program->Lines().size() != count);
    program->WriteLine("UNPLUG");
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);

    const auto lines = program->Lines();
    ASSERT_GE(lines.size(), kApply.size() + kUnplugEnd.size());
    const std::vector<std::string> played(lines.begin() + kApply.size(), lines.end() - kUnplugEnd.size());
    ASSERT_EQ(played.size() % kPass.size(), 0u) << "a pass was cut short";
    EXPECT_GE(played.size() / kPass.size(), 3u);
    for (size_t i = 0; i < played.size(); ++i) EXPECT_EQ(played[i], kPass[i % kPass.size()]) << i;
}

}  // namespace
}  // namespace zrv::e2e
