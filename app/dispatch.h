// Input on the main window: hit-testing of the skin's element tables, the pages and what
// each element does on press and release, dragging the frameless window, the key filter
// and the system menu's commands. Everything reaches the desktop through Host.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/led_preview.h"
#include "app/program_state.h"
#include "platform/host.h"
#include "skin/popup.h"
#include "skin/skin_layout.h"

namespace zrv {

// Last hit-tested index (inclusive) of each table.
inline constexpr int kMainPageHitLast = 114;
inline constexpr int kCommonHitLast = 19;
inline constexpr int kColorHitLast = 4;
inline constexpr int kAdvancedHitLast = 37;

// Keys the window swallows (Windows virtual-key codes, which the platform translates to).
inline constexpr int kKeyReturn = 0x0D;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyF10 = 0x79;

// System-menu commands.
inline constexpr int kAboutCommand = 16;
inline constexpr int kSysCommandMinimize = 0xF020;
inline constexpr int kSysCommandClose = 0xF060;
inline constexpr const char* kAboutMenuText = "&About ZRV_Vantix...";
inline constexpr const char* kAboutTitle = "About ZRV_Vantix";
inline constexpr const char* kAboutText = "ZRV_Vantix Version 1.0";

inline constexpr const char* kMakerWebSite = "https://www.norvane.example/";

// Profile exchange files: the slot their profile lives in and the file dialog's filter.
inline constexpr int kExchangeProfile = 7;
inline constexpr int kLastAppliedProfile = 6;
inline constexpr const char* kProfileFileFilter = "All Files (*.ini)";

// First entry i in 0..last whose rectangle holds p (left and top inside, right and bottom
// outside), else kNoElement.
template <size_t N>
int HitTest(const std::array<SkinButton, N>& table, int last, Point p) {
    for (int i = 0; i <= last && i < static_cast<int>(N); ++i) {
        const SkinButton& b = table[static_cast<size_t>(i)];
        if (p.x >= b.x && p.y >= b.y && int64_t{p.x} < int64_t{b.x} + b.width && int64_t{p.y} < int64_t{b.y} + b.height)
            return i;
    }
    return kNoElement;
}

// The three tables at p: MainButtons up to 114 on the main page and 19 elsewhere, ColorButtons
// up to 4 and AdvancedButtons up to 37 on every page.
HoverIndices HitTestAll(const SkinLayout& layout, int page, Point p);

// What the dispatch asks of the rest of the window.
struct DispatchActions {
    std::function<void()> apply;       // ApplyProfile of the live profile
    std::function<void()> resetMacros; // Reset's macro step
    std::function<void()> hideToTray;  // minimise, hide, tray icon
};

class Dispatcher {
public:
    Dispatcher(ProgramState& state, Host& host, LedPreview& preview, DispatchActions actions);

    void OnMouseMove(Point p);
    void OnButtonDown(Point p);
    void OnButtonUp(Point p);
    // True when the key is swallowed: Escape, Enter and F10 never reach the window.
    bool FilterKey(int key) const;
    // About box (16), minimise, close (hides to the tray); others do nothing.
    void OnSystemCommand(int command);

private:
    void UpdateHover(Point p);
    void PressMain(Point p);
    void PressAdvanced(Point p);
    void PressColor(Point p);
    void ShowAdvancedPage();
    void ShowColorPage();
    void ShowMainPage();
    void LeaveAdvancedPage();
    void OpenFunctionMenu(int entry);
    void ChooseFunction(int32_t code);
    void LoadLiveProfile(const std::string& path, int n);
    void ImportProfile();
    void ExportProfile();
    void ResetToFactory();
    void Repaint();

    // Work of the macro editor and the language switch joins here.
    void MacroCommand(int /*advancedEntry*/) {}
    void SwitchLanguage(int /*uiLanguage*/) {}
    void FillMacroNameList() {}

    ProgramState& state_;
    Host& host_;
    LedPreview& preview_;
    DispatchActions actions_;
};

}  // namespace zrv
