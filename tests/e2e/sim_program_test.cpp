// The simulated-mouse executable, copied alone into a folder of its own and driven through
// standard input; its whole standard output is compared.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "child_process.h"
#include "program_folder.h"

namespace zrv::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kTimeout = 20s;

const char kFactoryConfig1[] =
    "[Config1]\nK0=1\nK1=2\nK2=3\nK3=5\nK4=4\nK5=6\nDPI_LEVEL=0\nWHEEL_STATUS=0\nMACRO_MODE2=0\n"
    "DPI_SET0=4\nDPI_SET_EN0=1\nDPI_SET1=6\nDPI_SET_EN1=1\nDPI_SET2=8\nDPI_SET_EN2=1\nDPI_SET3=10\n"
    "DPI_SET_EN3=1\nLED_STATUS=0\nDPI_SPEED=4\nWHEEL_SPEED=2\nUSB_SPEED=2\nFIRE_TIME=50\n";

const std::vector<std::string> kFactoryApply = {
    "FEATURE 07 10 01 01 00 00 00 00", "FEATURE 07 10 02 02 00 00 00 00", "FEATURE 07 10 03 03 00 00 00 00",
    "FEATURE 07 10 05 05 00 00 00 00", "FEATURE 07 10 04 04 00 00 00 00", "FEATURE 07 10 06 06 00 00 00 00",
    "FEATURE 07 11 00 00 00 00 00 00", "FEATURE 07 09 40 58 0F 00 00 00", "FEATURE 07 09 40 79 0F 00 00 00",
    "FEATURE 07 09 40 BA 0F 00 00 00", "FEATURE 07 09 40 EB 0F 00 00 00", "FEATURE 07 13 7F 10 0F 00 00 00",
    "POINTER 8",                       "WHEEL 3",                         "FEATURE 07 12 00 06 00 00 00 00",
};
const std::vector<std::string> kUnplugEnd = {"TRAY DELETE", "FEATURE 07 20 00 00 00 00 00 00", "POINTER 10",
                                             "EXIT"};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(SimProgramTest, FactoryProfileIsAppliedAtStartAndUnplugEndsTheProgram) {
    ProgramFolder folder("ZRV_Vantix-sim", true);
    folder.WriteConfig(std::string("[Init]\nCurConfig=1\nVER_SEL=0\n") + kFactoryConfig1);
    auto program = folder.Start();
    ASSERT_TRUE(program->WaitForLine("TRAY ADD Norvane.电竞游戏鼠标", kTimeout));
    program->WriteLine("UNPLUG");
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);
    EXPECT_EQ(program->Lines(), Concat({kFactoryApply, {"TRAY ADD Norvane.电竞游戏鼠标"}, kUnplugEnd}));
}

TEST(SimProgramTest, EnglishTitleIsTheTrayTipAndEndOfInputUnplugs) {
    ProgramFolder folder("ZRV_Vantix-sim", true);
    folder.WriteConfig(std::string("[Init]\nCurConfig=1\nVER_SEL=1\n") + kFactoryConfig1);
    auto program = folder.Start();
    ASSERT_TRUE(program->WaitForLine("TRAY ADD Halvex Gaming Mouse", kTimeout));
    // Lines that are no command, and an input report, change nothing outside.
    program->WriteLine("HELLO");
    program->WriteLine("INPUT 06 F5 01 00 00 00 00 00");
    program->CloseInput();
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);
    EXPECT_EQ(program->Lines(), Concat({kFactoryApply, {"TRAY ADD Halvex Gaming Mouse"}, kUnplugEnd}));
}

TEST(SimProgramTest, WithoutTheMouseOnlyThePlugInPromptIsShown) {
    struct Case {
        const char* verSel;
        const char* message;
    };
    const Case cases[] = {
        {"0", "MESSAGE 请插入【Norvane】USB鼠标"},
        {"1", "MESSAGE Please plug-in【Norvane】USB Mouse"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verSel);
        ProgramFolder folder("ZRV_Vantix-sim", true);
        folder.WriteConfig(std::string("[Init]\nCurConfig=1\nVER_SEL=") + c.verSel + "\n" + kFactoryConfig1);
        auto program = folder.Start({"--unplugged"});
        EXPECT_EQ(program->WaitForExit(kTimeout), 0);
        // No write handle, so no HostExit; no tray icon was ever added.
        EXPECT_EQ(program->Lines(), (std::vector<std::string>{c.message, "TRAY DELETE", "POINTER 10", "EXIT"}));
    }
}

TEST(SimProgramTest, WithoutTheSkinFolderTheMissingLayoutEndsTheProgram) {
    ProgramFolder folder("ZRV_Vantix-sim", true, false);
    folder.WriteConfig(std::string("[Init]\nCurConfig=1\nVER_SEL=1\n") + kFactoryConfig1);
    auto program = folder.Start();
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);
    // The mouse was not opened yet: no HostExit, nothing applied, no tray icon.
    EXPECT_EQ(program->Lines(), (std::vector<std::string>{"MESSAGE 找不到配置文件", "TRAY DELETE", "POINTER 10", "EXIT"}));
}

TEST(SimProgramTest, AloneWithoutConfigFileStartsInChineseOnProfileZero) {
    ProgramFolder folder("ZRV_Vantix-sim", false);
    auto program = folder.Start();
    ASSERT_TRUE(program->WaitForLine("TRAY ADD Norvane.电竞游戏鼠标", kTimeout));
    program->CloseInput();
    EXPECT_EQ(program->WaitForExit(kTimeout), 0);
    EXPECT_EQ(program->Lines(),
              Concat({{"MESSAGE 找不到配置文件", "MESSAGE 找不到配置文件",  // the two macro files
                       "FEATURE 07 10 01 00 00 00 00 00", "FEATURE 07 10 02 00 00 00 00 00",
                       "FEATURE 07 10 03 00 00 00 00 00", "FEATURE 07 10 05 00 00 00 00 00",
                       "FEATURE 07 10 04 00 00 00 00 00", "FEATURE 07 10 06 00 00 00 00 00",
                       "FEATURE 07 11 00 00 00 00 00 00", "FEATURE 07 09 40 18 00 00 00 00",
                       "FEATURE 07 09 40 19 00 00 00 00", "FEATURE 07 09 40 1A 00 00 00 00",
                       "FEATURE 07 09 40 1B 00 00 00 00", "FEATURE 07 13 7F 10 00 00 00 00", "POINTER 1",
                       "WHEEL 1", "FEATURE 07 12 00 00 00 00 00 00", "TRAY ADD Norvane.电竞游戏鼠标"},
                      kUnplugEnd}));
    // The apply created the file beside the executable.
    const std::string config = ReadFile(folder.Config());
    EXPECT_NE(config.find("[Config0]"), std::string::npos);
    EXPECT_NE(config.find("[Config6]"), std::string::npos);
    EXPECT_NE(config.find("CurConfig=0"), std::string::npos);
}

TEST(SimProgramTest, SecondInstanceShowsTheFirstAndEndsSilently) {
    ProgramFolder folder("ZRV_Vantix-sim", true);
    folder.WriteConfig(std::string("[Init]\nCurConfig=1\nVER_SEL=0\n") + kFactoryConfig1);
    auto first = folder.Start();
    ASSERT_TRUE(first->WaitForLine("TRAY ADD Norvane.电竞游戏鼠标", kTimeout));

    auto second = folder.Start();
    EXPECT_EQ(second->WaitForExit(kTimeout), 0);
    EXPECT_TRUE(second->Lines().empty());
    EXPECT_TRUE(first->WaitForLine("SHOW", kTimeout));

    first->WriteLine("UNPLUG");
    EXPECT_EQ(first->WaitForExit(kTimeout), 0);
    EXPECT_EQ(first->Lines(), Concat({kFactoryApply, {"TRAY ADD Norvane.电竞游戏鼠标", "SHOW"}, kUnplugEnd}));

    // With the first gone the lock is free again.
    auto third = folder.Start({"--unplugged"});
    EXPECT_EQ(third->WaitForExit(kTimeout), 0);
    EXPECT_EQ(third->Lines().back(), "EXIT");
}

}  // namespace
}  // namespace zrv::e2e
