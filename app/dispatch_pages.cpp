// The press tables of the three pages.
#include "app/dispatch.h"
#include "app/dispatch_table.h"
#include "config/profile_rules.h"
#include "config/settings.h"

namespace zrv {
namespace {

enum class MainPress { kSave, kAdvanced, kColor, kImport, kExport, kFunctionMenu, kWheelOff, kWheelOn,
                       kToggleLevel, kSelectLevel, kDpiCell, kDrag };
constexpr RangeAction<MainPress> kMainPressTable[] = {
    {0, 0, MainPress::kSave},          {10, 10, MainPress::kAdvanced},    {11, 11, MainPress::kColor},
    {14, 14, MainPress::kImport},      {15, 15, MainPress::kExport},      {25, 30, MainPress::kFunctionMenu},
    {41, 41, MainPress::kWheelOff},    {42, 42, MainPress::kWheelOn},     {46, 49, MainPress::kToggleLevel},
    {54, 57, MainPress::kSelectLevel}, {66, 113, MainPress::kDpiCell},    {kNoElement, kNoElement, MainPress::kDrag},
};

enum class AdvancedPress { kMacroCommand, kMacroMode, kPointerSpeed, kWheelSpeed, kFireSlider, kFireUp, kFireDown };
constexpr RangeAction<AdvancedPress> kAdvancedPressTable[] = {
    {0, 6, AdvancedPress::kMacroCommand}, {7, 7, AdvancedPress::kMacroMode},   {8, 17, AdvancedPress::kPointerSpeed},
    {18, 27, AdvancedPress::kWheelSpeed}, {30, 30, AdvancedPress::kFireSlider}, {31, 31, AdvancedPress::kFireUp},
    {32, 32, AdvancedPress::kFireDown},
};

constexpr int kMainTabEntry = 9;
constexpr int kAdvancedTabEntry = 10;
constexpr int kColorTabEntry = 11;
constexpr int kLevelToggleFirst = 46;
constexpr int kLevelSelectFirst = 54;
constexpr int kDpiGridFirst = 66;
constexpr int kPointerSpeedFirst = 8;
constexpr int kWheelSpeedFirst = 18;
constexpr int kFireSliderEntry = 30;
constexpr int kLedModes = 4;  // ColorButtons 0..3

}  // namespace

void Dispatcher::PressMain(Point p) {
    if (state_.buttonMenuOpen) {
        host_.CloseFunctionMenu();
        state_.buttonMenuOpen = false;
    }
    const int entry = state_.hover.main;
    const MainPress* action = Lookup(kMainPressTable, entry);
    if (!action) return;
    auto edit = [this](auto change) {
        state_.profile.Update(change);
        Repaint();
    };
    switch (*action) {
    case MainPress::kSave:
        // Stored only; nothing reaches the mouse until it is applied.
        SaveProfile(state_.configPath, state_.curConfig, state_.profile.Get());
        Repaint();
        break;
    case MainPress::kAdvanced: ShowAdvancedPage(); break;
    case MainPress::kColor: ShowColorPage(); break;
    case MainPress::kImport: ImportProfile(); break;
    case MainPress::kExport: ExportProfile(); break;
    case MainPress::kFunctionMenu: OpenFunctionMenu(entry); break;
    case MainPress::kWheelOff: edit([](ProfileSettings& s) { s.WHEEL_STATUS = 0; }); break;
    case MainPress::kWheelOn: edit([](ProfileSettings& s) { s.WHEEL_STATUS = 1; }); break;
    case MainPress::kToggleLevel:
        edit([&](ProfileSettings& s) { ToggleDpiLevelEnabled(s, entry - kLevelToggleFirst); });
        break;
    case MainPress::kSelectLevel:
        edit([&](ProfileSettings& s) { SelectDpiLevel(s, entry - kLevelSelectFirst); });
        break;
    case MainPress::kDpiCell: edit([&](ProfileSettings& s) { SetDpiFromGridCell(s, entry - kDpiGridFirst); }); break;
    case MainPress::kDrag: host_.StartWindowDrag(p); break;
    }
}

void Dispatcher::PressAdvanced(Point p) {
    if (state_.hover.main == kMainTabEntry) {
        LeaveAdvancedPage();
        ShowMainPage();
        return;
    }
    if (state_.hover.main == kColorTabEntry) {
        LeaveAdvancedPage();
        ShowColorPage();
        return;
    }
    const int entry = state_.hover.advanced;
    if (entry == kNoElement) {
        if (state_.hover.main == kNoElement) host_.StartWindowDrag(p);
        return;
    }
    const AdvancedPress* action = Lookup(kAdvancedPressTable, entry);
    if (!action) return;
    auto edit = [this](auto change) {
        state_.profile.Update(change);
        Repaint();
    };
    switch (*action) {
    case AdvancedPress::kMacroCommand: MacroCommand(entry); break;
    case AdvancedPress::kMacroMode: edit([](ProfileSettings& s) { s.MACRO_MODE2 = s.MACRO_MODE2 == 0 ? 1 : 0; }); break;
    case AdvancedPress::kPointerSpeed: edit([&](ProfileSettings& s) { s.DPI_SPEED = static_cast<uint8_t>(entry - kPointerSpeedFirst); }); break;
    case AdvancedPress::kWheelSpeed: edit([&](ProfileSettings& s) { s.WHEEL_SPEED = static_cast<uint8_t>(entry - kWheelSpeedFirst); }); break;
    case AdvancedPress::kFireSlider: {
        const SkinButton& slider = state_.layout.AdvancedButtons[kFireSliderEntry];
        edit([&](ProfileSettings& s) { s.FIRE_TIME = FireTimeFromSlider(p.x - slider.x, slider.width); });
        break;
    }
    case AdvancedPress::kFireUp: edit([](ProfileSettings& s) { s.FIRE_TIME = StepFireTime(s.FIRE_TIME, 1); }); break;
    case AdvancedPress::kFireDown: edit([](ProfileSettings& s) { s.FIRE_TIME = StepFireTime(s.FIRE_TIME, -1); }); break;
    }
}

void Dispatcher::PressColor(Point p) {
    if (state_.hover.main == kMainTabEntry) {
        ShowMainPage();
        return;
    }
    if (state_.hover.main == kAdvancedTabEntry) {
        ShowAdvancedPage();
        return;
    }
    const int entry = state_.hover.color;
    if (entry >= 0 && entry < kLedModes) {
        state_.profile.Update([&](ProfileSettings& s) { s.LED_STATUS = static_cast<uint8_t>(entry); });
        Repaint();
    } else if (entry == kNoElement && state_.hover.main == kNoElement) {
        host_.StartWindowDrag(p);
    }
}

}  // namespace zrv
