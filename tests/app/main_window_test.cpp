#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "config/ini.h"
#include "config/settings.h"
#include "macro/macro_table.h"
#include "platform/recording_hid.h"
#include "platform/recording_system_settings.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

// Every effect of the program on the desktop, the mouse and the pointer settings, in one log.
class EventLog {
public:
    void Add(const std::string& line) {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(lines_, {});
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class LoggingHost : public Host {
public:
    explicit LoggingHost(EventLog& log) : log_(log) {}
    void SetWindowTitle(const std::string& title) override { log_.Add("TITLE " + title); }
    void MessageBox(const std::string& caption, const std::string& text) override {
        log_.Add("MESSAGE " + caption + " | " + text);
    }
    void AddTrayIcon(const std::string& tip) override { log_.Add("TRAY ADD " + tip); }
    void DeleteTrayIcon() override { log_.Add("TRAY DELETE"); }
    void DestroyWindow() override { log_.Add("DESTROY"); }
    void ShowAndRestore() override { log_.Add("SHOW"); }
    void RequestRepaint() override { log_.Add("REPAINT"); }
    void StartCalculator() override { log_.Add("START calc"); }
    void StartTerminal() override { log_.Add("START terminal"); }

private:
    EventLog& log_;
};

// Real time for the device threads; the window thread's waits are logged.
class LoggingClock : public Clock {
public:
    explicit LoggingClock(EventLog& log) : log_(log), windowThread_(std::this_thread::get_id()) {}
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint deadline) override {
        if (std::this_thread::get_id() == windowThread_)
            log_.Add("SLEEP " + std::to_string(std::chrono::ceil<std::chrono::milliseconds>(deadline - Now()).count()));
        std::this_thread::sleep_until(deadline);
    }

private:
    EventLog& log_;
    std::thread::id windowThread_;
};

std::vector<RecordingHidSystem::Interface> Unopenable(std::vector<RecordingHidSystem::Interface> interfaces) {
    for (auto& i : interfaces) i.openable = false;
    return interfaces;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("zrv_app_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        for (const char* file : {"Macro_CN.dat", "Macro_EN.dat", "constMacro.dat"})
            fs::copy_file(fs::path(ZRV_SOURCE_DIR) / "data" / file, folder_ / file);
        // The layout files; without them start-up ends at "找不到配置文件".
        fs::copy(fs::path(ZRV_SOURCE_DIR) / "data" / "skins", folder_ / "skins", fs::copy_options::recursive);
        state_.programFolder = folder_.string();
        state_.programName = "ZRV_Vantix";
    }
    void TearDown() override {
        window_.reset();
        fs::remove_all(folder_);
    }

    std::string ConfigPath() const { return (folder_ / "config.ini").string(); }

    void WriteConfig(int curConfig, int language, const ProfileSettings& profile) {
        WriteCurrentProfileNumber(ConfigPath(), curConfig);
        WriteIniString(ConfigPath(), "Init", "VER_SEL", std::to_string(language));
        SaveProfile(ConfigPath(), curConfig, profile);
    }

    bool Start(std::vector<RecordingHidSystem::Interface> interfaces) {
        hid_ = std::make_unique<RecordingHidSystem>(std::move(interfaces));
        hid_->SetObserver([this](const std::string& line) { log_.Add(line); });
        window_ = std::make_unique<MainWindow>(state_, *hid_, os_, host_, clock_);
        return window_->OnInitDialog();
    }

    fs::path folder_;
    EventLog log_;
    ProgramState state_;
    RecordingSystemSettings os_{[this](const std::string& line) { log_.Add(line); }};
    LoggingHost host_{log_};
    LoggingClock clock_{log_};
    std::unique_ptr<RecordingHidSystem> hid_;
    std::unique_ptr<MainWindow> window_;
};

const std::vector<std::string> kFactoryApply = {
    "FEATURE 07 10 01 01 00 00 00 00", "FEATURE 07 10 02 02 00 00 00 00", "FEATURE 07 10 03 03 00 00 00 00",
    "FEATURE 07 10 05 05 00 00 00 00", "FEATURE 07 10 04 04 00 00 00 00", "FEATURE 07 10 06 06 00 00 00 00",
    "FEATURE 07 11 00 00 00 00 00 00", "FEATURE 07 09 40 58 0F 00 00 00", "FEATURE 07 09 40 79 0F 00 00 00",
    "FEATURE 07 09 40 BA 0F 00 00 00", "FEATURE 07 09 40 EB 0F 00 00 00", "FEATURE 07 13 7F 10 0F 00 00 00",
    "REPAINT",                         "POINTER 8",                       "WHEEL 3",
    "FEATURE 07 12 00 06 00 00 00 00",
};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(MainWindowTest, StartupAppliesTheProfileThenAddsTheTrayIcon) {
    WriteConfig(1, 0, FactoryProfile);
    ASSERT_TRUE(Start(RecordingHidSystem::MouseInterfaces()));
    EXPECT_EQ(log_.Take(), Concat({{"TITLE Norvane.电竞游戏鼠标", "SLEEP 5"},
                                   kFactoryApply,
                                   {"TRAY ADD Norvane.电竞游戏鼠标"}}));
    EXPECT_TRUE(state_.link.connected);
    EXPECT_EQ(state_.curConfig, 1);
    EXPECT_EQ(state_.configPath, ConfigPath());
    EXPECT_EQ(state_.skinFolder, (folder_ / "skins").string());
    EXPECT_GE(hid_->registrations, 1);
    // The apply stored the last-applied copy.
    EXPECT_EQ(ReadIniString(ConfigPath(), "Config6", "FIRE_TIME", 5), "50");
}

TEST_F(MainWindowTest, MissingMouseShowsThePlugInPromptAndEnds) {
    struct Case {
        const char* verSel;
        const char* title;
        const char* message;
    };
    const Case cases[] = {
        {"0", "Norvane.电竞游戏鼠标", "请插入【Norvane】USB鼠标"},
        {"1", "Halvex Gaming Mouse", "Please plug-in【Norvane】USB Mouse"},
        {"256", "Norvane.电竞游戏鼠标", "请插入【Norvane】USB鼠标"},  // only the low 8 bits count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verSel);
        WriteIniString(ConfigPath(), "Init", "VER_SEL", c.verSel);
        log_.Take();
        auto interfaces = RecordingHidSystem::MouseInterfaces();
        interfaces.resize(1);  // only the unrelated keyboard
        EXPECT_FALSE(Start(interfaces));
        // No tray icon was ever added, HostExit has no handle to go to, the speed is reset.
        EXPECT_EQ(log_.Take(), (std::vector<std::string>{std::string("TITLE ") + c.title,
                                                         std::string("MESSAGE ZRV_Vantix | ") + c.message,
                                                         "TRAY DELETE", "POINTER 10", "DESTROY"}));
        EXPECT_FALSE(state_.link.connected);
        window_.reset();
    }
}

TEST_F(MainWindowTest, MouseThatCannotBeOpenedNamesTheUdevRule) {
    WriteConfig(1, 1, FactoryProfile);
    EXPECT_FALSE(Start(Unopenable(RecordingHidSystem::MouseInterfaces())));
    const auto log = log_.Take();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_NE(log[1].find("MESSAGE ZRV_Vantix | "), std::string::npos);
    EXPECT_NE(log[1].find("70-zrv-vantix.rules"), std::string::npos);
    EXPECT_NE(log[1].find("/etc/udev/rules.d/"), std::string::npos);
    EXPECT_EQ(std::vector<std::string>(log.begin() + 2, log.end()),
              (std::vector<std::string>{"TRAY DELETE", "POINTER 10", "DESTROY"}));
}

TEST_F(MainWindowTest, OnlyTheMouseLeavingEndsTheProgram) {
    using Kind = DeviceNotification::Kind;
    using Event = DeviceNotification::Event;
    struct Case {
        const char* name;
        DeviceNotification notification;
        bool ends;
    };
    const Case cases[] = {
        {"another device removed", {Kind::DeviceInterface, Event::Removal, "/dev/hidraw0"}, false},
        {"the mouse's path as another kind", {Kind::Other, Event::Removal, "/dev/hidraw2"}, false},
        {"the mouse arrives while connected", {Kind::DeviceInterface, Event::Arrival, "/dev/hidraw2"}, false},
        {"a prefix of the mouse's path", {Kind::DeviceInterface, Event::Removal, "/dev/hidraw"}, false},
        {"the mouse removed, other letter case", {Kind::DeviceInterface, Event::Removal, "/DEV/HIDRAW2"}, true},
    };
    WriteConfig(1, 0, FactoryProfile);
    ASSERT_TRUE(Start(RecordingHidSystem::MouseInterfaces()));
    log_.Take();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window_->OnDeviceChange(c.notification);
        if (c.ends)
            EXPECT_EQ(log_.Take(), (std::vector<std::string>{"TRAY DELETE", "FEATURE 07 20 00 00 00 00 00 00",
                                                             "POINTER 10", "DESTROY"}));
        else
            EXPECT_TRUE(log_.Take().empty());
        EXPECT_EQ(state_.link.connected, !c.ends);
    }
    // The exit routine runs once, whatever comes after it.
    window_->OnDeviceChange({Kind::DeviceInterface, Event::Removal, "/dev/hidraw2"});
    window_->ExitSequence();
    window_->OnPowerBroadcast();
    EXPECT_TRUE(log_.Take().empty());
}

TEST_F(MainWindowTest, HostExitIsTheLastReportEvenWhileAMacroPlays) {
    ProfileSettings profile = FactoryProfile;
    profile.K[3] = 41;  // user macro 0 on the mouse's button 5
    WriteConfig(1, 0, profile);
    ASSERT_TRUE(Start(RecordingHidSystem::MouseInterfaces()));
    // Key A down, then a long pause: the exit comes while the macro is still playing.
    EditMacro(state_.macros, 0, [](Macro& m) {
        m = Macro{};
        m.eventCount = 2;
        SetEvent(m, 0, {4, 1, 5000});
        SetEvent(m, 1, {4, 2, 0});
    });
    const size_t applied = hid_->Reports().size();
    log_.Take();
    hid_->PushInput({0x06, 0xF5, 0x01, 0, 0, 0, 0, 0});
    ASSERT_TRUE(hid_->WaitForReports(applied + 1, std::chrono::seconds(5)));
    window_->ExitSequence();
    window_.reset();
    // The macro's keys are let go before the mouse is told the program is gone.
    EXPECT_EQ(log_.Take(), (std::vector<std::string>{
                               "FEATURE 07 15 04 00 00 00 00 00", "TRAY DELETE", "FEATURE 07 16 04 FF 00 00 00 00",
                               "FEATURE 07 15 00 00 00 00 00 00", "FEATURE 07 20 00 00 00 00 00 00",
                               "POINTER 10", "DESTROY"}));
}

TEST_F(MainWindowTest, PowerEventReappliesTheLiveProfile) {
    WriteConfig(1, 0, FactoryProfile);
    ASSERT_TRUE(Start(RecordingHidSystem::MouseInterfaces()));
    log_.Take();
    state_.profile.Update([](ProfileSettings& p) { p.FIRE_TIME = 80; });  // an unapplied edit goes too
    window_->OnPowerBroadcast();
    auto expected = kFactoryApply;
    expected.back() = "FEATURE 07 12 00 0A 00 00 00 00";
    EXPECT_EQ(log_.Take(), expected);
}

TEST_F(MainWindowTest, WithoutConfigFileStartsInChineseOnProfileZero) {
    ASSERT_TRUE(Start(RecordingHidSystem::MouseInterfaces()));
    EXPECT_EQ(log_.Take(),
              (std::vector<std::string>{
                  "TITLE Norvane.电竞游戏鼠标", "SLEEP 5", "FEATURE 07 10 01 00 00 00 00 00",
                  "FEATURE 07 10 02 00 00 00 00 00", "FEATURE 07 10 03 00 00 00 00 00",
                  "FEATURE 07 10 05 00 00 00 00 00", "FEATURE 07 10 04 00 00 00 00 00",
                  "FEATURE 07 10 06 00 00 00 00 00", "FEATURE 07 11 00 00 00 00 00 00",
                  "FEATURE 07 09 40 18 00 00 00 00", "FEATURE 07 09 40 19 00 00 00 00",
                  "FEATURE 07 09 40 1A 00 00 00 00", "FEATURE 07 09 40 1B 00 00 00 00",
                  "FEATURE 07 13 7F 10 00 00 00 00", "REPAINT", "POINTER 1", "WHEEL 1",
                  "FEATURE 07 12 00 00 00 00 00 00", "TRAY ADD Norvane.电竞游戏鼠标"}));
    EXPECT_EQ(state_.curConfig, 0);
    EXPECT_EQ(state_.uiLanguage, 0);
    // The apply created the file with the current and the last-applied sections.
    EXPECT_EQ(ReadIniString(ConfigPath(), "Init", "CurConfig", 5), "0");
    EXPECT_EQ(ReadIniString(ConfigPath(), "Config0", "K0", 5), "0");
    EXPECT_EQ(ReadIniString(ConfigPath(), "Config6", "K0", 5), "0");
}

}  // namespace
}  // namespace zrv
