#include "device/device_threads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "config/ini.h"
#include "device/discovery.h"
#include "macro/macro_table.h"
#include "platform/recording_hid.h"

namespace zrv {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// Time that jumps to each deadline; a hook runs on every sleep (on the sleeping thread)
// so a test can act at an exact point of a macro.
class VirtualClock : public Clock {
public:
    TimePoint Now() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void SleepUntil(TimePoint deadline) override {
        {
            std::lock_guard lock(mutex_);
            if (deadline > now_) now_ = deadline;
        }
        if (onSleep) onSleep();
        std::this_thread::sleep_for(50us);  // let the other threads run
    }
    // A sleep that ends late, as a busy system's may.
    void Overshoot(milliseconds late) {
        std::lock_guard lock(mutex_);
        now_ += late;
    }
    std::function<void()> onSleep;  // set before the threads start

private:
    std::mutex mutex_;
    TimePoint now_{};
};

class FakeHost : public Host {
public:
    void RequestRepaint() override { ++repaints; }
    void StartCalculator() override { ++calculators; }
    void StartTerminal() override { ++terminals; }
    std::atomic<int> repaints{0}, calculators{0}, terminals{0};
};

// Counts reads, so a test knows when the reader has handled every queued report: it has
// begun the read after the last one.
class CountingHandle : public HidHandle {
public:
    explicit CountingHandle(std::shared_ptr<HidHandle> inner) : inner_(std::move(inner)) {}
    bool SetFeature(const uint8_t* data, size_t length) override { return inner_->SetFeature(data, length); }
    bool Read(uint8_t* buffer, size_t length) override {
        ++readsBegun;
        const bool ok = inner_->Read(buffer, length);
        if (ok) ++readsDone;
        return ok;
    }
    void Cancel() override { inner_->Cancel(); }
    std::atomic<int> readsBegun{0};
    std::atomic<int> readsDone{0};

private:
    std::shared_ptr<HidHandle> inner_;
};

template <class F>
bool WaitUntil(F done, milliseconds timeout = 10s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(100us);
    }
    return true;
}

constexpr const char* kKeyDown = "07 15 04 00 00 00 00 00";
constexpr const char* kKeyUp = "07 15 00 00 00 00 00 00";
constexpr const char* kReleaseButtons = "07 16 00 FF 00 00 00 00";
constexpr const char* kReleaseKeys = "07 15 00 00 00 00 00 00";

// UI button 3 is the mouse's button 5, event code 0xF5.
constexpr int kMacroButton = 3;
const std::vector<uint8_t> kPress{0x06, 0xF5, 0x01};
const std::vector<uint8_t> kRelease{0x06, 0xF5, 0x80};

class DeviceThreadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zrv_threads_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        configPath_ = (dir_ / "config.ini").string();
        Discover(link_, hid_);
        reader_ = std::make_shared<CountingHandle>(link_.readHandle.load());
        link_.readHandle = reader_;
        hid_.SetObserver([this](const std::string& line) {
            std::lock_guard lock(mutex_);
            stamped_.push_back({clock_.Now(), line.substr(8)});  // drop "FEATURE "
        });
        // Macro 0: key A down (delay 0), key A up (delay 40).
        Macro& m = macros_.slot[0];
        m.eventCount = 2;
        SetEvent(m, 0, {4, 1, 0});
        SetEvent(m, 1, {4, 2, 40});
        macros_.userCount = 1;
        ProfileSettings p = FactoryProfile;
        p.K[kMacroButton] = 41;
        profile_.Set(p);
    }
    void TearDown() override {
        threads_.reset();
        std::filesystem::remove_all(dir_);
    }

    void Start(Clock& clock) {
        threads_ = std::make_unique<DeviceThreads>(DeviceThreadContext{
            link_, applied_, profile_, handOver_, clock, host_, configPath_, curConfig_, &macros_});
    }
    void Start() { Start(clock_); }

    void ChangeProfile(const std::function<void(ProfileSettings&)>& change) {
        profile_.Update([&](ProfileSettings& p) {
            change(p);
            return 0;
        });
    }

    // Queues the reports and waits until the reader has taken them all and the action
    // they started is over.
    void Feed(const std::vector<std::vector<uint8_t>>& reports) {
        const int last = reader_->readsDone + static_cast<int>(reports.size());
        for (const auto& r : reports) hid_.PushInput(r);
        ASSERT_TRUE(WaitUntil([&] { return reader_->readsBegun > last; }));
        ASSERT_TRUE(WaitUntil([&] { return !handOver_.actionPending; }));
    }

    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        std::vector<std::string> lines;
        for (const auto& s : stamped_) lines.push_back(s.line);
        return lines;
    }
    size_t ReportCount() {
        std::lock_guard lock(mutex_);
        return stamped_.size();
    }
    std::vector<milliseconds> Gaps() {
        std::lock_guard lock(mutex_);
        std::vector<milliseconds> gaps;
        for (size_t i = 1; i < stamped_.size(); ++i)
            gaps.push_back(std::chrono::duration_cast<milliseconds>(stamped_[i].time - stamped_[i - 1].time));
        return gaps;
    }
    static std::vector<std::string> Passes(int n) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i) lines.insert(lines.end(), {kKeyDown, kKeyUp, kReleaseButtons, kReleaseKeys});
        return lines;
    }

    struct Stamped {
        Clock::TimePoint time;
        std::string line;
    };

    std::filesystem::path dir_;
    std::string configPath_;
    RecordingHidSystem hid_{RecordingHidSystem::MouseInterfaces()};
    DeviceLink link_;
    std::shared_ptr<CountingHandle> reader_;
    AppliedState applied_;
    LiveProfile profile_;
    HandOver handOver_;
    VirtualClock clock_;
    FakeHost host_;
    std::atomic<int32_t> curConfig_{3};
    MacroTable macros_;
    std::mutex mutex_;
    std::vector<Stamped> stamped_;
    std::unique_ptr<DeviceThreads> threads_;
};

TEST_F(DeviceThreadsTest, Mode0PlaysTheRepeatCountWithTheRequestedPauses) {
    macros_.slot[0].repeatMode = 1;
    macros_.slot[0].repeatCount = 3;
    SetEvent(macros_.slot[0], 1, {4, 2, 1000});
    Start();
    Feed({kPress});
    EXPECT_EQ(Lines(), Passes(3));
    const auto gaps = Gaps();
    ASSERT_EQ(gaps.size(), 11u);
    // Delay 0 still waits 15 ms; delay 1000 waits 1000 ms; then the two 10 ms waits of
    // the release.
    EXPECT_EQ(gaps[0], 15ms);
    EXPECT_EQ(gaps[1], 1010ms);
    EXPECT_EQ(gaps[2], 10ms);
}

TEST_F(DeviceThreadsTest, ALateWakeUpStillLeaves15MsAfterTheNextEvent) {
    SetEvent(macros_.slot[0], 1, {4, 2, 0});
    bool late = false;
    clock_.onSleep = [&] {
        if (late || ReportCount() != 1) return;  // the pause after the first event
        late = true;
        clock_.Overshoot(12ms);
    };
    Start();
    Feed({kPress});
    EXPECT_EQ(Lines(), Passes(1));
    const auto gaps = Gaps();
    ASSERT_EQ(gaps.size(), 3u);
    EXPECT_EQ(gaps[0], 27ms);
    // The second event's pause is not shortened to catch up: 15 ms, then ReleaseAll's 10 ms.
    EXPECT_EQ(gaps[1], 25ms);
}

TEST_F(DeviceThreadsTest, Mode0SecondPressStopsAfterTheRunningPass) {
    macros_.slot[0].repeatMode = 1;
    macros_.slot[0].repeatCount = 3;
    bool pressed = false;
    clock_.onSleep = [&] {
        if (pressed || ReportCount() != 1) return;  // the first pause of pass 1
        pressed = true;
        hid_.PushInput(kPress);
        WaitUntil([&] { return handOver_.stopRequested.load(); });
    };
    Start();
    Feed({kPress});
    EXPECT_TRUE(pressed);
    EXPECT_EQ(Lines(), Passes(1));
}

TEST_F(DeviceThreadsTest, Mode1PlaysWhileHeldAndIgnoresOtherPresses) {
    ChangeProfile([](ProfileSettings& p) { p.MACRO_MODE2 = 1; });
    macros_.slot[0].repeatMode = 1;
    macros_.slot[0].repeatCount = 2;  // not used in this mode
    std::atomic<int> stage{0};
    clock_.onSleep = [&] {
        const size_t n = ReportCount();
        if (stage == 0 && n == 5) {  // in pass 2: another press changes nothing
            stage = 1;
            hid_.PushInput(kPress);
        } else if (stage == 1 && n == 13) {  // in pass 4: the release
            stage = 2;
            hid_.PushInput(kRelease);
            WaitUntil([&] { return handOver_.stopRequested.load(); });
        }
    };
    Start();
    hid_.PushInput(kPress);
    ASSERT_TRUE(WaitUntil([&] { return stage == 2; }));
    ASSERT_TRUE(WaitUntil([&] { return !handOver_.actionPending; }));
    EXPECT_EQ(Lines(), Passes(4));  // the pass under way at the release is completed
}

TEST_F(DeviceThreadsTest, Mode0ReleaseIsIgnored) {
    bool released = false;
    clock_.onSleep = [&] {
        if (released || ReportCount() != 1) return;
        released = true;
        hid_.PushInput(kRelease);
        WaitUntil([&] { return reader_->readsBegun >= 3; });  // press and release handled
    };
    macros_.slot[0].repeatMode = 1;
    macros_.slot[0].repeatCount = 2;
    Start();
    Feed({kPress});
    EXPECT_TRUE(released);
    EXPECT_EQ(Lines(), Passes(2));
}

TEST_F(DeviceThreadsTest, RepeatOnWithCountZeroSendsNothing) {
    macros_.slot[0].repeatMode = 1;
    macros_.slot[0].repeatCount = 0;
    applied_.reportsDpiLevel[kMacroButton] = true;  // shows that the press was handled
    Start();
    Feed({{0x06, 0xF5, 0x02}});
    EXPECT_EQ(profile_.Get().DPI_LEVEL, 2);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(DeviceThreadsTest, PresetFunction38PlaysRecord20OnceWhateverItsSettings) {
    ChangeProfile([](ProfileSettings& p) {
        p.K[0] = 38;  // UI button 0, event code 0xF1
        p.MACRO_MODE2 = 1;
    });
    Macro& preset = macros_.slot[20];
    preset.repeatMode = 1;
    preset.repeatCount = 5;
    preset.eventCount = 2;
    SetEvent(preset, 0, {0xF0, 1, 20});
    SetEvent(preset, 1, {0xF0, 2, 20});
    Start();
    Feed({{0x06, 0xF1, 0x01}});
    EXPECT_EQ(Lines(), (std::vector<std::string>{"07 16 00 FE 00 00 00 00", "07 16 00 FF 00 00 00 00",
                                                 kReleaseButtons, kReleaseKeys}));
}

TEST_F(DeviceThreadsTest, ProgramsAndConsumerKeys) {
    struct Case {
        int32_t code;
        int calculators;
        int terminals;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {39, 1, 0, {}},
        {40, 1, 1, {}},
        {21, 1, 1, {"07 17 02 23 00 00 00 00"}},
        {30, 1, 1, {"07 17 02 23 00 00 00 00", "07 17 01 92 00 00 00 00"}},
        {1, 1, 1, {"07 17 02 23 00 00 00 00", "07 17 01 92 00 00 00 00"}},  // the mouse's own
    };
    Start();
    for (const auto& c : cases) {
        ChangeProfile([&](ProfileSettings& p) { p.K[kMacroButton] = c.code; });
        Feed({kPress});
        EXPECT_EQ(host_.calculators, c.calculators) << c.code;
        EXPECT_EQ(host_.terminals, c.terminals) << c.code;
        EXPECT_EQ(Lines(), c.lines) << c.code;
    }
}

TEST_F(DeviceThreadsTest, DpiButtonFollowsTheAppliedCodeAndPlaysTheLiveOne) {
    // UI button 5 (event code 0xF6) was applied with code 6; the window has since made it Mute.
    applied_.reportsDpiLevel[5] = true;
    ChangeProfile([](ProfileSettings& p) { p.K[5] = 28; });
    Start();
    Feed({{0x06, 0xF6, 0x02}});
    EXPECT_EQ(profile_.Get().DPI_LEVEL, 2);
    EXPECT_EQ(ReadIniString(configPath_, "Config3", "DPI_LEVEL", 5), "2");
    EXPECT_GE(host_.repaints, 1);
    EXPECT_EQ(Lines(), std::vector<std::string>{"07 17 00 E2 00 00 00 00"});
}

TEST_F(DeviceThreadsTest, FourReportRatePressesComeBackToTheStart) {
    applied_.cyclesReportRate[4] = true;  // UI button 4 is the mouse's button 4, 0xF4
    ChangeProfile([](ProfileSettings& p) {
        p.K[4] = 14;
        p.USB_SPEED = 2;
    });
    Start();
    for (const char* expected : {"3", "0", "1", "2"}) {
        Feed({{0x06, 0xF4, 0x01}});
        EXPECT_EQ(ReadIniString(configPath_, "Config3", "USB_SPEED", 5), expected);
    }
    EXPECT_EQ(profile_.Get().USB_SPEED, 2);
    EXPECT_EQ(host_.repaints, 4);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(DeviceThreadsTest, OtherReportsAndUnknownButtonsDoNothing) {
    applied_.reportsDpiLevel[kMacroButton] = true;
    Start();
    Feed({{0x05, 0xF5, 0x02}, {0x06, 0xF0, 0x02}, {0x06, 0xF7, 0x01}, {0x06, 0xF9, 0x03}});
    EXPECT_EQ(profile_.Get().DPI_LEVEL, 0);
    EXPECT_EQ(host_.repaints, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(DeviceThreadsTest, EndsPromptlyInTheMiddleOfAHeldMacroAndReleasesItsKeys) {
    ChangeProfile([](ProfileSettings& p) { p.MACRO_MODE2 = 1; });
    SetEvent(macros_.slot[0], 0, {4, 1, 60000});
    SteadyClock clock;
    Start(clock);
    hid_.PushInput(kPress);
    ASSERT_TRUE(hid_.WaitForReports(1, 5s));
    const auto start = std::chrono::steady_clock::now();
    threads_.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    // PressButtons leaves byte 2 as the key report left it.
    EXPECT_EQ(Lines(), (std::vector<std::string>{kKeyDown, "07 16 04 FF 00 00 00 00", kReleaseKeys}));
}

TEST_F(DeviceThreadsTest, ReaderWaitsForAHandleAndEndsWithoutOne) {
    link_.readHandle = std::shared_ptr<HidHandle>();
    Start();
    std::this_thread::sleep_for(20ms);
    link_.readHandle = reader_;
    Feed({kPress});
    EXPECT_EQ(Lines(), Passes(1));
}

}  // namespace
}  // namespace zrv
