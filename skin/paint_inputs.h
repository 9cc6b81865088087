// Everything a paint of the main window reads, gathered by the window before each paint.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/profile.h"
#include "skin/skin_image.h"

namespace zrv {

inline constexpr int kNoElement = 255;

enum Page : int { kMainPage = 0, kAdvancedPage = 1, kColorPage = 2 };

inline constexpr int kUserMacroCount = 12;  // function codes 41..52

struct PaintInputs {
    int currentPage = kMainPage;   // CurrentPage; other values paint the main page
    int mainHover = kNoElement;    // HoverIndex of MainButtons; 255 or out of the table: none
    int advancedHover = kNoElement;
    int colorHover = kNoElement;
    bool buttonPressed = false;    // ButtonPressed

    ProfileSettings profile;       // snapshot of the live profile
    int32_t currentProfile = 0;    // CurConfig (1..5; 0 when the settings file names none)
    std::array<uint8_t, 4> appliedDpiCodes{};  // device DPI code last applied per level

    bool recordingActive = false;  // RecordingActive
    int32_t downCount = 0;         // DownCount
    int32_t upCount = 0;           // UpCount
    uint8_t currentMacroRepeatMode = 0;  // repeatMode of macro CurrentMacro
    std::array<std::string, kUserMacroCount> userMacroNames{};  // UTF-8 names of user macros 0..11

    uint8_t ledPreviewDark = 0;    // LedPreviewDark: nonzero shows the grey lamp
    uint8_t ledPreviewColor = 0;   // LedPreviewColor 0..3

    int uiLanguage = 0;            // 0 Chinese, anything else English
    Size maskSize;                 // MaskSize: the painted area
};

}  // namespace zrv
