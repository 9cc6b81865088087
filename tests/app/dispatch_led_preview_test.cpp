#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "app/led_preview.h"

namespace zrv {
namespace {

using namespace std::chrono_literals;

class RepaintCountingHost : public Host {
public:
    void RequestRepaint() override { repaints++; }
    std::atomic<int> repaints{0};
};

// One step of the animation as the thread's wait sees it.
struct Step {
    int waitMs;
    int dark;
    int color;
    bool operator==(const Step&) const = default;
};

void PrintTo(const Step& s, std::ostream* os) { *os << "{" << s.waitMs << "," << s.dark << "," << s.color << "}"; }

void WaitUntilStopped(const ProgramState& state) {
    for (int i = 0; i < 500 && state.ledPreviewRunning; ++i) std::this_thread::sleep_for(2ms);
}

TEST(LedPreviewTest, CyclesByTheAppliedLightingMode) {
    struct Case {
        const char* name;
        uint8_t ledMode;
        int levelChangeAfter;  // DPI_LEVEL becomes 3 after this many waits; -1 never
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"blinking through the level colours", 0, -1,
         {{1200, 1, 2}, {1200, 0, 2}, {1200, 1, 3}, {1200, 0, 3}, {1200, 1, 0}}},
        {"fast", 1, -1, {{800, 1, 2}, {800, 0, 2}, {800, 1, 3}, {800, 0, 3}, {800, 1, 0}}},
        {"steady", 2, -1, {{1200, 0, 1}, {1200, 0, 1}, {1200, 0, 1}, {1200, 0, 1}, {1200, 0, 1}}},
        {"dark", 3, -1, {{1200, 1, 1}, {1200, 1, 1}, {1200, 1, 1}, {1200, 1, 1}, {1200, 1, 1}}},
        // A level change first shows the new level's colour, held for 2 s.
        {"level change", 0, 1, {{1200, 1, 2}, {2000, 0, 3}, {1200, 0, 3}, {1200, 1, 0}, {1200, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState state;
        RepaintCountingHost host;
        ProfileSettings profile = FactoryProfile;
        profile.DPI_LEVEL = 1;
        state.profile.Set(profile);
        state.applied.ledMode = c.ledMode;
        state.currentPage = kColorPage;
        std::vector<Step> steps;
        LedPreview preview(state, host, [&](std::chrono::milliseconds d) {
            steps.push_back({static_cast<int>(d.count()), state.ledPreviewDark, state.ledPreviewColor});
            if (static_cast<int>(steps.size()) == c.levelChangeAfter)
                state.profile.Update([](ProfileSettings& p) { p.DPI_LEVEL = 3; });
            // Leaving the page ends the animation after the running period.
            if (steps.size() == c.steps.size()) state.currentPage = kMainPage;
            return true;
        });
        preview.StartUnlessRunning();
        WaitUntilStopped(state);
        preview.Stop();
        EXPECT_FALSE(state.ledPreviewRunning);
        EXPECT_EQ(steps, c.steps);
        EXPECT_GE(host.repaints, static_cast<int>(c.steps.size()));
    }
}

TEST(LedPreviewTest, NotOnTheColorPageItEndsAtOnce) {
    ProgramState state;
    RepaintCountingHost host;
    int waits = 0;
    LedPreview preview(state, host, [&](std::chrono::milliseconds) { return ++waits, true; });
    preview.StartUnlessRunning();
    WaitUntilStopped(state);
    preview.Stop();
    EXPECT_EQ(waits, 0);
    EXPECT_FALSE(state.ledPreviewRunning);
}

TEST(LedPreviewTest, EnteringTwiceQuicklyStartsOneThread) {
    ProgramState state;
    RepaintCountingHost host;
    state.currentPage = kColorPage;
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    std::set<std::thread::id> threads;
    LedPreview preview(state, host, [&](std::chrono::milliseconds) {
        std::unique_lock lock(mutex);
        threads.insert(std::this_thread::get_id());
        released.wait(lock, [&] { return release; });
        return true;
    });
    preview.StartUnlessRunning();
    preview.StartUnlessRunning();
    EXPECT_TRUE(state.ledPreviewRunning);
    // The first cycle reaches its wait, then the page is left.
    for (int i = 0; i < 500; ++i) {
        {
            std::lock_guard lock(mutex);
            if (!threads.empty()) break;
        }
        std::this_thread::sleep_for(2ms);
    }
    state.currentPage = kMainPage;
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    released.notify_all();
    WaitUntilStopped(state);
    preview.Stop();
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_FALSE(state.ledPreviewRunning);
}

TEST(LedPreviewTest, StopEndsAWaitingThreadPromptly) {
    ProgramState state;
    RepaintCountingHost host;
    state.currentPage = kColorPage;
    LedPreview preview(state, host);
    preview.StartUnlessRunning();
    std::this_thread::sleep_for(20ms);
    const auto start = std::chrono::steady_clock::now();
    preview.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(state.ledPreviewRunning);
    // After the stop nothing starts again.
    preview.StartUnlessRunning();
    EXPECT_FALSE(state.ledPreviewRunning);
}

}  // namespace
}  // namespace zrv
