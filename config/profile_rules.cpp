#include "config/profile_rules.h"

#include <algorithm>

namespace zrv {

namespace {

bool ValidButton(int button) { return button >= 0 && button < kButtonCount; }
bool ValidLevel(int level) { return level >= 0 && level < kDpiLevelCount; }

}  // namespace

void SetButtonFunctionKeepingPrimary(ProfileSettings& profile, int button, int32_t code) {
    if (!ValidButton(button)) return;
    profile.K[button] = code;
    if (std::find(profile.K.begin(), profile.K.end(), kPrimaryClickCode) != profile.K.end()) return;
    const int keeper = button < kButtonCount - 1 ? button + 1 : button;
    profile.K[keeper] = kPrimaryClickCode;
}

bool NeedsPrimaryClickWarning(const ProfileSettings& profile, int button) {
    for (int i = 0; i < kButtonCount; ++i)
        if (i != button && profile.K[i] == kPrimaryClickCode) return false;
    return true;
}

void ToggleDpiLevelEnabled(ProfileSettings& profile, int level) {
    if (!ValidLevel(level)) return;
    if (!profile.DPI_SET_EN[level]) {
        profile.DPI_SET_EN[level] = 1;
        return;
    }
    profile.DPI_SET_EN[level] = 0;
    if (level != profile.DPI_LEVEL) return;
    for (int step = 1; step < kDpiLevelCount; ++step) {
        const int next = (level + step) % kDpiLevelCount;
        if (profile.DPI_SET_EN[next]) {
            profile.DPI_LEVEL = next;
            return;
        }
    }
    profile.DPI_SET_EN[level] = 1;
}

bool SelectDpiLevel(ProfileSettings& profile, int level) {
    if (!ValidLevel(level) || !profile.DPI_SET_EN[level]) return false;
    profile.DPI_LEVEL = level;
    return true;
}

void SetDpiFromGridCell(ProfileSettings& profile, int cell) {
    if (cell < 0 || cell >= kDpiLevelCount * kDpiGridColumns) return;
    profile.DPI_SET[cell / kDpiGridColumns] = static_cast<uint8_t>(cell % kDpiGridColumns);
}

int32_t FireTimeFromSlider(int32_t offset, int32_t width) {
    // The hit test keeps offset inside [0, width); clamping keeps a stray caller in range too.
    if (width <= 0) return 0;
    const uint64_t inside = static_cast<uint64_t>(std::clamp(offset, 0, width - 1));
    return static_cast<int32_t>(inside * kMaxFireTime / static_cast<uint64_t>(width));
}

int32_t StepFireTime(int32_t fireTime, int step) {
    const int64_t next = static_cast<int64_t>(fireTime) + step;
    return static_cast<int32_t>(std::clamp<int64_t>(next, 0, kMaxFireTime));
}

}  // namespace zrv
