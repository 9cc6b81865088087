// Process-wide state of the program, created once at start-up.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "config/live_profile.h"
#include "device/apply.h"
#include "device/device_link.h"
#include "device/device_threads.h"
#include "macro/macro_table.h"
#include "skin/mask_region.h"
#include "skin/paint_inputs.h"
#include "skin/popup.h"
#include "skin/skin_layout.h"

namespace zrv {

// The element under the pointer in each of the three tables, kNoElement for none.
struct HoverIndices {
    int32_t main = kNoElement;
    int32_t color = kNoElement;
    int32_t advanced = kNoElement;

    bool operator==(const HoverIndices&) const = default;
};

struct ProgramState {
    std::string programFolder;  // never ends in a slash
    std::string programName;    // the executable's file name without extension: message captions
    std::string configPath;
    std::string skinFolder;
    std::string macroFilePath;
    std::atomic<int32_t> curConfig{0};
    std::atomic<int> uiLanguage{0};  // 0 Chinese, anything else English
    LiveProfile profile;
    DeviceLink link;
    AppliedState applied;
    HandOver handOver;
    MacroTable macros;
    int32_t selectedEventRow = 0;  // the macro event list's row to select after a refresh

    // The skin: layout tables, the window's size and shape, and what the advanced page repaints.
    SkinLayout layout;
    Size maskSize;
    Region windowShape;
    Region repaintRegion;

    // Input state of the window thread; the lighting preview thread reads currentPage.
    std::atomic<uint8_t> currentPage{kMainPage};
    HoverIndices hover;
    HoverIndices previousHover;
    bool buttonPressed = false;
    bool buttonMenuOpen = false;
    int32_t editedButton = 0;  // MainButtons 25..30 that opened the function list
    Point popupAnchor;

    // The color page's lamp, written by the preview thread.
    std::atomic<uint8_t> ledPreviewDark{0};
    std::atomic<uint8_t> ledPreviewColor{0};
    std::atomic<bool> ledPreviewRunning{false};
};

}  // namespace zrv
