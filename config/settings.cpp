#include "config/settings.h"

#include <string>
#include <utility>
#include <vector>

#include "config/ini.h"

namespace zrv {

namespace {

constexpr size_t kShortBuffer = 5;
constexpr size_t kDpiBuffer = 10;

std::string ProfileSection(int n) { return "Config" + std::to_string(n); }

std::string FactorySection(int n, int uiLanguage) {
    if (n == 5 && uiLanguage == 1) return "CfgReset_EN5";
    return "CfgReset" + std::to_string(n);
}

std::string Indexed(const char* key, int i) { return key + std::to_string(i); }

using KeyValues = std::vector<std::pair<std::string, std::string>>;

}  // namespace

void LoadProfile(const std::string& path, int n, bool factory, int uiLanguage, ProfileSettings& profile) {
    // One parse serves all 22 reads, and the record comes from one version of the file.
    const std::string section = factory ? FactorySection(n, uiLanguage) : ProfileSection(n);
    const IniSnapshot file(path, section);
    auto read = [&](const std::string& key, size_t buffer) { return ParseIntLikeWtoi(file.Read(section, key, buffer)); };
    auto low8 = [](int32_t v) { return static_cast<uint8_t>(v); };

    for (int i = 0; i < kButtonCount; ++i) profile.K[i] = read(Indexed("K", i), kShortBuffer);
    profile.WHEEL_STATUS = read("WHEEL_STATUS", kShortBuffer);
    profile.MACRO_MODE2 = read("MACRO_MODE2", kShortBuffer);
    profile.DPI_LEVEL = read("DPI_LEVEL", kShortBuffer);
    for (int i = 0; i < kDpiLevelCount; ++i) {
        profile.DPI_SET[i] = low8(read(Indexed("DPI_SET", i), kDpiBuffer));
        profile.DPI_SET_EN[i] = read(Indexed("DPI_SET_EN", i), kDpiBuffer) != 0 ? 1 : 0;
    }
    profile.LED_STATUS = low8(read("LED_STATUS", kShortBuffer));
    profile.DPI_SPEED = low8(read("DPI_SPEED", kShortBuffer));
    profile.WHEEL_SPEED = low8(read("WHEEL_SPEED", kShortBuffer));
    profile.USB_SPEED = low8(read("USB_SPEED", kShortBuffer));
    profile.FIRE_TIME = read("FIRE_TIME", kShortBuffer);
}

void SaveProfile(const std::string& path, int n, const ProfileSettings& profile) {
    KeyValues keys;
    keys.reserve(22);
    auto add = [&](std::string key, int32_t value) { keys.emplace_back(std::move(key), std::to_string(value)); };
    for (int i = 0; i < kButtonCount; ++i) add(Indexed("K", i), profile.K[i]);
    add("DPI_LEVEL", profile.DPI_LEVEL);
    add("WHEEL_STATUS", profile.WHEEL_STATUS);
    add("MACRO_MODE2", profile.MACRO_MODE2);
    for (int i = 0; i < kDpiLevelCount; ++i) {
        add(Indexed("DPI_SET", i), profile.DPI_SET[i]);
        add(Indexed("DPI_SET_EN", i), profile.DPI_SET_EN[i] != 0 ? 1 : 0);
    }
    add("LED_STATUS", profile.LED_STATUS);
    add("DPI_SPEED", profile.DPI_SPEED);
    add("WHEEL_SPEED", profile.WHEEL_SPEED);
    add("USB_SPEED", profile.USB_SPEED);
    add("FIRE_TIME", profile.FIRE_TIME);
    // One file write for the whole record instead of one per key.
    WriteIniStrings(path, ProfileSection(n), keys);
}

void SaveDpiLevel(const std::string& path, int n, const ProfileSettings& profile) {
    WriteIniString(path, ProfileSection(n), "DPI_LEVEL", std::to_string(profile.DPI_LEVEL));
}

void SaveReportRate(const std::string& path, int n, const ProfileSettings& profile) {
    WriteIniString(path, ProfileSection(n), "USB_SPEED", std::to_string(profile.USB_SPEED));
}

int32_t ReadCurrentProfileNumber(const std::string& path) {
    return ParseIntLikeWtoi(ReadIniString(path, "Init", "CurConfig", kShortBuffer));
}

void WriteCurrentProfileNumber(const std::string& path, int32_t n) {
    WriteIniString(path, "Init", "CurConfig", std::to_string(n));
}

int ReadLanguage(const std::string& path) {
    return static_cast<uint8_t>(ParseIntLikeWtoi(ReadIniString(path, "Init", "VER_SEL", kShortBuffer)));
}

void WriteLanguage(const std::string& path, int language) {
    WriteIniString(path, "Init", "VER_SEL", std::to_string(language));
}

void ResetToFactory(const std::string& path, int32_t curConfig, int uiLanguage, ProfileSettings& profile,
                    const ResetHooks& hooks) {
    const int32_t macroMode = profile.MACRO_MODE2;
    profile = FactoryProfile;
    profile.MACRO_MODE2 = macroMode;
    SaveProfile(path, 1, profile);
    for (int n = 5; n >= 2; --n) {
        LoadProfile(path, n, true, uiLanguage, profile);
        SaveProfile(path, n, profile);
    }
    LoadProfile(path, curConfig, false, uiLanguage, profile);
    if (hooks.resetMacros) hooks.resetMacros();
    if (hooks.apply) hooks.apply();
}

}  // namespace zrv
