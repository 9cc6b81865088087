#include "app/led_preview.h"

namespace zrv {
namespace {

constexpr uint8_t kLedModeSteady = 2;
constexpr uint8_t kLedModeDark = 3;
constexpr uint8_t kLedModeFast = 1;
constexpr int kLevelColors = 4;

}  // namespace

LedPreview::LedPreview(ProgramState& state, Host& host, PreviewWait wait)
    : state_(state), host_(host), wait_(std::move(wait)) {}

LedPreview::~LedPreview() { Stop(); }

void LedPreview::StartUnlessRunning() {
    if (state_.ledPreviewRunning) return;
    state_.ledPreviewRunning = true;
    // A thread that cleared the flag has finished its last step; joining it is immediate.
    if (thread_.joinable()) thread_.join();
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            state_.ledPreviewRunning = false;
            return;
        }
    }
    thread_ = std::thread([this] { Run(); });
}

void LedPreview::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool LedPreview::Wait(std::chrono::milliseconds duration) {
    if (wait_) {
        if (!wait_(duration)) return false;
        std::lock_guard lock(mutex_);
        return !stopping_;
    }
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, duration, [this] { return stopping_; });
}

void LedPreview::Run() {
    auto level = [this] { return static_cast<uint8_t>(state_.profile.Get().DPI_LEVEL); };
    uint8_t lastLevel = level();
    state_.ledPreviewColor = lastLevel;
    while (state_.currentPage == kColorPage) {
        const uint8_t mode = state_.applied.ledMode;
        const uint8_t current = level();
        if (mode == kLedModeDark) {
            state_.ledPreviewDark = 1;
            state_.ledPreviewColor = current;
        } else if (mode == kLedModeSteady) {
            state_.ledPreviewDark = 0;
            state_.ledPreviewColor = current;
        } else if (current != lastLevel) {
            // After a level change the lamp first shows the new level's colour for a while.
            state_.ledPreviewColor = current;
            state_.ledPreviewDark = 0;
            host_.RequestRepaint();
            lastLevel = current;
            if (!Wait(kPreviewLevelHold)) break;
        } else if (state_.ledPreviewDark) {
            state_.ledPreviewDark = 0;
        } else {
            state_.ledPreviewDark = 1;
            state_.ledPreviewColor = static_cast<uint8_t>((state_.ledPreviewColor + 1) % kLevelColors);
        }
        host_.RequestRepaint();
        if (!Wait(mode == kLedModeFast ? kPreviewBlinkFast : kPreviewBlink)) break;
    }
    state_.ledPreviewRunning = false;
}

}  // namespace zrv
