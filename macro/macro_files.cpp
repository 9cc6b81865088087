#include "macro/macro_files.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "config/ini.h"
#include "macro/key_codes.h"

namespace zrv {
namespace {

constexpr std::string_view kSection = "Macros";
constexpr size_t kCountBuffer = 3;  // at most two digits are seen: "123" reads as 12
constexpr size_t kValueBuffer = kMacroValueChars + 1;
constexpr int kHeaderBytes = 44;    // name, repeatMode, repeatCount, eventCount

void AppendField(std::string& out, uint8_t byte) {
    out += static_cast<char>('0' + byte / 100);
    out += static_cast<char>('0' + byte / 10 % 10);
    out += static_cast<char>('0' + byte % 10);
}

uint8_t ReadField(std::string_view value, size_t index) {
    const size_t start = index * 3;
    if (start >= value.size()) return 0;
    return static_cast<uint8_t>(ParseIntLikeWtoi(value.substr(start, 3)));
}

// Fields are counted in characters: each non-ASCII character of a damaged value stands
// as one non-digit, so the fields after it keep their places.
std::string OneBytePerCharacter(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out += c;
        else if ((b & 0xC0) != 0x80) out += '?';  // a lead byte; its continuation bytes are dropped
    }
    return out;
}

// Reads up to `capacity` macros into slots first.. and returns the count as the file gives it.
int16_t LoadInto(MacroTable& table, const std::string& path, int first, int capacity, const MacroMessage& message) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && message) message(kMissingFileMessage);
    const IniSnapshot file(path);
    const auto count = static_cast<int16_t>(ParseIntLikeWtoi(file.Read(kSection, "macroNum", kCountBuffer)));
    // A file may name more macros than the region holds; the surplus is never read, so
    // no slot outside the region is written.
    const int n = std::clamp<int>(count, 0, capacity);
    for (int i = 0; i < n; ++i) {
        Macro macro = DecodeMacro(file.Read(kSection, std::to_string(i), kValueBuffer));
        EditMacro(table, first + i, [&](Macro& slot) { slot = macro; });
    }
    return count;
}

}  // namespace

std::string EncodeMacro(const Macro& macro) {
    std::string out;
    out.reserve(kMacroValueChars);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&macro);
    for (int i = 0; i < kHeaderBytes; ++i) AppendField(out, bytes[i]);
    for (int k = 0; k < kMacroEventSlots; ++k) {
        const MacroEvent e = GetEvent(macro, k);
        AppendField(out, UsageToVirtualKey(e.code));
        AppendField(out, e.action);
        AppendField(out, static_cast<uint8_t>(e.delay & 0xFF));
        AppendField(out, static_cast<uint8_t>(e.delay >> 8));
    }
    return out;
}

Macro DecodeMacro(std::string_view text) {
    const std::string characters = OneBytePerCharacter(text);
    const std::string_view value = characters;
    Macro macro;
    auto* bytes = reinterpret_cast<uint8_t*>(&macro);
    for (int i = 0; i < kHeaderBytes; ++i) bytes[i] = ReadField(value, i);
    for (int k = 0; k < kMacroEventSlots; ++k) {
        const size_t f = kHeaderBytes + 4 * k;
        MacroEvent e;
        e.code = VirtualKeyToUsage(ReadField(value, f));
        e.action = ReadField(value, f + 1);
        e.delay = static_cast<uint16_t>(ReadField(value, f + 2) | (ReadField(value, f + 3) << 8));
        SetEvent(macro, k, e);
    }
    return macro;
}

void LoadUserMacros(MacroTable& table, const std::string& path, const MacroMessage& message) {
    const int16_t count = LoadInto(table, path, 0, kUserMacroSlots, message);
    // The editor treats the first userCount slots as in use, so the count is held to the region.
    table.userCount = static_cast<int16_t>(std::clamp<int>(count, 0, kUserMacroSlots));
    table.currentMacro = table.userCount > 0 ? table.userCount - 1 : 0;
}

void LoadPresetMacros(MacroTable& table, const std::string& path, const MacroMessage& message) {
    const int16_t count = LoadInto(table, path, kPresetFirstSlot, kPresetMacroSlots, message);
    table.presetCount = static_cast<int16_t>(std::clamp<int>(count, 0, kPresetMacroSlots));
}

void SaveUserMacros(const MacroTable& table, const std::string& path) {
    const int count = std::clamp<int>(table.userCount, 0, kUserMacroSlots);
    std::vector<std::pair<std::string, std::string>> keys;
    keys.reserve(count + 1);
    keys.emplace_back("macroNum", std::to_string(table.userCount));
    for (int i = 0; i < count; ++i) keys.emplace_back(std::to_string(i), EncodeMacro(SnapshotMacro(table, i)));
    WriteIniStrings(path, kSection, keys);
}

std::string MacroFilePathFor(const std::string& programFolder, int uiLanguage) {
    return programFolder + (uiLanguage != 0 ? "/Macro_EN.dat" : "/Macro_CN.dat");
}

std::string DefaultMacroFilePath(const std::string& skinFolder, int uiLanguage) {
    return skinFolder + (uiLanguage != 0 ? "/INI_EN/defMacro.dat" : "/INI_CN/defMacro.dat");
}

std::string PresetMacroFilePath(const std::string& programFolder) { return programFolder + "/constMacro.dat"; }

int32_t InitialEventRow(const MacroTable& table) {
    const int32_t m = table.currentMacro;
    if (m < 0 || m >= kMacroSlots) return 0;
    const int events = table.slot[m].eventCount;
    return events > 0 ? 2 * events - 2 : 0;
}

int32_t MacroStartUp(MacroTable& table, const std::string& programFolder, int uiLanguage,
                     std::string& macroFilePath, const MacroMessage& message) {
    macroFilePath = MacroFilePathFor(programFolder, uiLanguage);
    LoadUserMacros(table, macroFilePath, message);
    LoadPresetMacros(table, PresetMacroFilePath(programFolder), message);
    return InitialEventRow(table);
}

void ResetUserMacros(MacroTable& table, const std::string& skinFolder, const std::string& programFolder,
                     int uiLanguage, const MacroMessage& message, const std::function<void()>& refresh) {
    LoadUserMacros(table, DefaultMacroFilePath(skinFolder, uiLanguage), message);
    if (refresh) refresh();
    SaveUserMacros(table, MacroFilePathFor(programFolder, uiLanguage));
}

}  // namespace zrv
