// Macro files: INI text with one section "Macros", a count `macroNum` and one line of
// 1064 three-digit fields per macro.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "macro/macro_table.h"

namespace zrv {

inline constexpr const char* kMissingFileMessage = "找不到配置文件";
inline constexpr size_t kMacroValueChars = 1064 * 3;

// The 3192-digit value of one macro; key codes are written as virtual-key codes.
std::string EncodeMacro(const Macro& macro);
// Field by field; missing or unreadable fields read as 0, each field keeps its low 8 bits.
Macro DecodeMacro(std::string_view value);

// Fills slots 0..N-1 (N cut to 12), sets userCount and currentMacro. A missing file shows
// "找不到配置文件" and then loads nothing.
void LoadUserMacros(MacroTable& table, const std::string& path, const MacroMessage& message);
// Fills slots 13..13+N-1 (N cut to 13) and sets presetCount.
void LoadPresetMacros(MacroTable& table, const std::string& path, const MacroMessage& message);
// Writes macroNum and the user macros; keys an earlier, longer save left stay in the file.
void SaveUserMacros(const MacroTable& table, const std::string& path);

// programFolder + "/Macro_EN.dat" when uiLanguage is nonzero, else "/Macro_CN.dat".
std::string MacroFilePathFor(const std::string& programFolder, int uiLanguage);
// skinFolder + "/INI_EN/defMacro.dat" or "/INI_CN/defMacro.dat".
std::string DefaultMacroFilePath(const std::string& skinFolder, int uiLanguage);
std::string PresetMacroFilePath(const std::string& programFolder);

// The event list row first selected: 2 * eventCount - 2 of the current macro, or 0.
int32_t InitialEventRow(const MacroTable& table);

// Start-up: sets macroFilePath, loads the user and preset macros and returns the event
// list's initial selected row.
int32_t MacroStartUp(MacroTable& table, const std::string& programFolder, int uiLanguage,
                     std::string& macroFilePath, const MacroMessage& message);

// Reset's macro step: the factory user macros of the language replace the user macros
// (refresh then runs, for the advanced page if it is shown) and are stored in the
// language's macro file.
void ResetUserMacros(MacroTable& table, const std::string& skinFolder, const std::string& programFolder,
                     int uiLanguage, const MacroMessage& message, const std::function<void()>& refresh = {});

}  // namespace zrv
