// The macros that ship with the program: the eight preset macros of constMacro.dat and
// the factory user macros of each language (defMacro.dat, and the first Macro_*.dat).
#pragma once

#include <string>
#include <vector>

#include "macro/macro_table.h"

namespace zrv::shipped {

inline constexpr uint8_t kLeftControl = 224;
inline constexpr uint8_t kLeftShift = 225;
inline constexpr uint8_t kLeftButton = 0xF0;
inline constexpr uint8_t kHome = 74;
inline constexpr uint8_t kEnd = 77;

inline Macro Make(const std::string& name, const std::vector<MacroEvent>& events, uint8_t repeatMode = 0,
                  uint16_t repeatCount = 1) {
    Macro m;
    SetMacroName(m, name);
    m.repeatMode = repeatMode;
    m.repeatCount = repeatCount;
    for (const auto& e : events) {
        SetEvent(m, m.eventCount, e);
        ++m.eventCount;
    }
    return m;
}

// Control held around one key.
inline Macro ControlChord(const std::string& name, uint8_t usage) {
    return Make(name, {{kLeftControl, 1, 20}, {usage, 1, 20}, {usage, 2, 20}, {kLeftControl, 2, 20}});
}

struct PresetName {
    const char* english;
    const char* chinese;
    uint8_t usage;  // the key held with Control
};

// Function codes 31..38 in order; the skin's function names use the same words.
inline constexpr PresetName kPresetNames[] = {
    {"Copy", "复制", 6},        // C
    {"Paste", "粘贴", 25},      // V
    {"Cut", "剪切", 27},        // X
    {"Undo", "撤销", 29},       // Z
    {"Redo", "重做", 28},       // Y
    {"Select All", "全选", 4},  // A
    {"Save", "保存", 22},       // S
    {"Find", "查找", 9},        // F
};

inline std::vector<Macro> PresetMacros() {
    std::vector<Macro> macros;
    for (const auto& p : kPresetNames) macros.push_back(ControlChord(p.english, p.usage));
    return macros;
}

inline std::vector<Macro> FactoryUserMacros(int uiLanguage) {
    const bool english = uiLanguage != 0;
    return {
        Make(english ? "Double Click" : "双击",
             {{kLeftButton, 1, 30}, {kLeftButton, 2, 60}, {kLeftButton, 1, 30}, {kLeftButton, 2, 30}}),
        Make(english ? "Select Line" : "选中整行",
             {{kHome, 1, 20}, {kHome, 2, 20}, {kLeftShift, 1, 20}, {kEnd, 1, 20}, {kEnd, 2, 20}, {kLeftShift, 2, 20}}),
        Make(english ? "Rapid Fire" : "连发", {{kLeftButton, 1, 25}, {kLeftButton, 2, 40}}, 1, 10),
    };
}

}  // namespace zrv::shipped
