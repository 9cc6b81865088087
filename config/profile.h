// The live settings record, its value tables and the factory values.
#pragma once

#include <array>
#include <cstdint>

namespace zrv {

// Field names are the settings-file keys.
struct ProfileSettings {
    std::array<int32_t, 6> K{};        // function code per UI button 0..5
    int32_t DPI_LEVEL = 0;
    int32_t WHEEL_STATUS = 0;
    int32_t MACRO_MODE2 = 0;
    std::array<uint8_t, 4> DPI_SET{};  // index into DpiTable per level
    std::array<uint8_t, 4> DPI_SET_EN{};
    uint8_t LED_STATUS = 0;
    uint8_t DPI_SPEED = 0;             // pointer speed index, not the mouse's DPI
    uint8_t WHEEL_SPEED = 0;           // scroll lines minus one
    uint8_t USB_SPEED = 0;             // report-rate step, follows the mouse
    int32_t FIRE_TIME = 0;             // auto-fire interval in ms

    bool operator==(const ProfileSettings&) const = default;
};

inline constexpr int kButtonCount = 6;
inline constexpr int kDpiLevelCount = 4;

// UI button index -> the mouse's own button number.
inline constexpr std::array<uint8_t, 6> DeviceButtonTable{1, 2, 3, 5, 4, 6};

struct DpiEntry {
    int dpi;
    uint8_t code;
};
inline constexpr std::array<DpiEntry, 12> DpiTable{{
    {200, 0x01}, {400, 0x02}, {600, 0x03}, {800, 0x04}, {1000, 0x05}, {1200, 0x06},
    {1600, 0x07}, {2000, 0x09}, {2400, 0x0B}, {3200, 0x0D}, {4000, 0x0E}, {4800, 0x0F},
}};

inline constexpr std::array<uint8_t, 4> LedModeTable{0, 3, 6, 7};

// DPI_SPEED 9 and above share the last entry.
inline constexpr std::array<int, 10> PointerSpeedTable{1, 2, 4, 6, 8, 10, 12, 14, 16, 18};

// Entry 10 exists but no function code reaches it.
inline constexpr std::array<uint16_t, 11> ConsumerKeyTable{
    0x0223, 0x0183, 0x018A, 0x00E9, 0x00EA, 0x00B6, 0x00B5, 0x00E2, 0x00CD, 0x0192, 0x00B7,
};

inline constexpr ProfileSettings FactoryProfile = [] {
    ProfileSettings p;
    p.K = {1, 2, 3, 5, 4, 6};
    p.WHEEL_STATUS = 0;
    p.DPI_LEVEL = 0;
    p.DPI_SET = {4, 6, 8, 10};
    p.DPI_SET_EN = {1, 1, 1, 1};
    p.LED_STATUS = 0;
    p.DPI_SPEED = 4;
    p.WHEEL_SPEED = 2;
    p.USB_SPEED = 2;
    p.FIRE_TIME = 50;
    return p;
}();

// Function code -> the code sent with SetButtonFunction.
constexpr uint8_t MouseFunctionCode(int32_t code) {
    if (code < 0) return static_cast<uint8_t>(code);
    if (code <= 6) return static_cast<uint8_t>(code);
    if (code >= 11 && code <= 17) return static_cast<uint8_t>(code - 4);
    return 0;
}
constexpr bool FollowsDpiLevel(int32_t code) { return code == 6 || code == 15 || code == 16; }
constexpr bool CyclesReportRate(int32_t code) { return code == 14; }

// Indices outside the table have no device code; 0 tells the caller so.
constexpr uint8_t DpiCode(uint8_t index) { return index < DpiTable.size() ? DpiTable[index].code : 0; }
constexpr int DpiValue(uint8_t index) { return index < DpiTable.size() ? DpiTable[index].dpi : 0; }
// A code not in the table (or none applied yet) shows as 200.
constexpr int DpiValueOfCode(uint8_t code) {
    for (const auto& e : DpiTable)
        if (e.code == code) return e.dpi;
    return 200;
}
// LED_STATUS outside 0..3 comes only from a hand-edited file; it is sent as mode 0.
constexpr uint8_t LedCode(uint8_t status) { return status < LedModeTable.size() ? LedModeTable[status] : 0; }
constexpr int PointerSpeed(uint8_t dpiSpeed) {
    return PointerSpeedTable[dpiSpeed < PointerSpeedTable.size() ? dpiSpeed : PointerSpeedTable.size() - 1];
}
constexpr int ScrollLines(uint8_t wheelSpeed) { return static_cast<uint8_t>(wheelSpeed + 1); }
constexpr uint8_t ButtonEventCode(int uiButton) { return static_cast<uint8_t>(0xF0 + DeviceButtonTable[uiButton]); }

}  // namespace zrv
