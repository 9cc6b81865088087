// The real executable, copied alone into a folder of its own, on a private X server:
// without the mouse it shows the plug-in prompt captioned with its own file name and
// ends when the prompt is answered.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "child_process.h"
#include "program_folder.h"

namespace zrv::e2e {
namespace {

using namespace std::chrono_literals;

bool MousePresent() {
    std::error_code error;
    for (const auto& node : fs::directory_iterator("/sys/class/hidraw", error)) {
        const std::string uevent = ReadFile(node.path() / "device" / "uevent");
        if (uevent.find("000018F8:00001286") != std::string::npos) return true;
    }
    return false;
}

// Runs a helper program to its end and returns its output lines.
std::vector<std::string> RunHelper(const std::string& program, const std::vector<std::string>& args,
                             const std::vector<std::string>& env) {
    ChildProcess child(program, args, env, "/");
    child.WaitForExit(10s);
    return child.Lines();
}

TEST(RealProgramTest, WithoutTheMouseTheNamedPromptEndsTheProgram) {
    if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
    if (MousePresent()) GTEST_SKIP() << "a real mouse is plugged in";

    ProgramFolder folder("ZRV_Vantix", true);
    const std::string config = "[Init]\nCurConfig=2\nVER_SEL=1\n";
    folder.WriteConfig(config);

    ChildProcess xvfb("/usr/bin/Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"},
                      EnvironmentWith({}), "/");
    const auto display = xvfb.WaitForFirstLine(20s);
    ASSERT_TRUE(display) << "Xvfb did not start";
    const std::string displayVar = "DISPLAY=:" + *display;

    auto program = folder.Start({}, {"QT_QPA_PLATFORM=xcb", displayVar});
    // The prompt's caption is the executable's own name.
    std::vector<std::string> windows;
    for (auto deadline = std::chrono::steady_clock::now() + 20s;
         windows.empty() && std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(100ms))
        windows = RunHelper("/usr/bin/xdotool", {"search", "--name", "^ZRV_Vantix$"}, EnvironmentWith({displayVar}));
    ASSERT_FALSE(windows.empty()) << "no prompt appeared";

    RunHelper("/usr/bin/xdotool", {"windowfocus", "--sync", windows.front(), "key", "Return"}, EnvironmentWith({displayVar}));
    EXPECT_EQ(program->WaitForExit(20s), 0);
    EXPECT_TRUE(program->Lines().empty());
    // Nothing was applied, so the settings file beside the program is as it was.
    EXPECT_EQ(ReadFile(folder.Config()), config);
}

}  // namespace
}  // namespace zrv::e2e
