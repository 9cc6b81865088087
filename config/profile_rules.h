// The rules every editor of the live record keeps: a primary click on some button, an
// enabled current DPI level, and the value ranges of the window's controls.
#pragma once

#include <cstdint>

#include "config/profile.h"

namespace zrv {

// Function code of the primary click.
inline constexpr int32_t kPrimaryClickCode = 1;
inline constexpr int32_t kMaxFireTime = 300;
inline constexpr int kDpiGridColumns = 12;

// Sets K[button] to code; if no button is left with the primary click, the next button
// (or button 5 itself when it was the one edited) gets it back.
void SetButtonFunctionKeepingPrimary(ProfileSettings& profile, int button, int32_t code);

// True when none of the other five buttons has the primary click, so changing this one
// needs the user's confirmation first.
bool NeedsPrimaryClickWarning(const ProfileSettings& profile, int button);

// Enables a disabled level; disables an enabled one, moving DPI_LEVEL cyclically to the
// next enabled level when it was the current one. The last enabled level stays enabled.
void ToggleDpiLevelEnabled(ProfileSettings& profile, int level);

// DPI_LEVEL := level when that level is enabled; returns whether it was.
bool SelectDpiLevel(ProfileSettings& profile, int level);

// Cell c of the 4 x 12 grid sets DPI_SET[c / 12] to c % 12; cells outside 0..47 do nothing.
void SetDpiFromGridCell(ProfileSettings& profile, int cell);

// Slider click at `offset` pixels from the slider's left edge: offset * 300 / width,
// rounded down, so 0 at the left edge and below 300 inside the slider.
int32_t FireTimeFromSlider(int32_t offset, int32_t width);

// One step up or down, the result kept within 0..300.
int32_t StepFireTime(int32_t fireTime, int step);

}  // namespace zrv
