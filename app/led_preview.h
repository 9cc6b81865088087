// The color page's lighting preview: a thread that blinks the lamp through the four level
// colours (or shows it steady or dark, as the applied lighting mode says) while the page is shown.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "app/program_state.h"
#include "platform/host.h"

namespace zrv {

inline constexpr std::chrono::milliseconds kPreviewBlinkFast{800};   // lighting mode 1
inline constexpr std::chrono::milliseconds kPreviewBlink{1200};      // every other mode
inline constexpr std::chrono::milliseconds kPreviewLevelHold{2000};  // after a level change

// Sleeps for the given time; false when the program is ending and the thread should stop.
using PreviewWait = std::function<bool(std::chrono::milliseconds)>;

class LedPreview {
public:
    // Without `wait` the thread sleeps on a condition that Stop() cuts short.
    LedPreview(ProgramState& state, Host& host, PreviewWait wait = {});
    ~LedPreview();
    LedPreview(const LedPreview&) = delete;
    LedPreview& operator=(const LedPreview&) = delete;

    // Window thread, on entering the color page: starts the thread unless one still runs.
    // The running flag is set here, before the start, and cleared only by the thread.
    void StartUnlessRunning();
    // At shutdown: ends a running thread within its current wait and joins it.
    void Stop();

private:
    void Run();
    bool Wait(std::chrono::milliseconds duration);

    ProgramState& state_;
    Host& host_;
    PreviewWait wait_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
};

}  // namespace zrv
