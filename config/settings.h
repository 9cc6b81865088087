// The settings file config.ini: current profile number, language and profile sections.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/profile.h"

namespace zrv {

// Reads every field of the record from "Config"+n, or from the factory section
// ("CfgReset"+n, "CfgReset_EN5" for n 5 when uiLanguage is 1) when factory is true.
void LoadProfile(const std::string& path, int n, bool factory, int uiLanguage, ProfileSettings& profile);
void SaveProfile(const std::string& path, int n, const ProfileSettings& profile);
void SaveDpiLevel(const std::string& path, int n, const ProfileSettings& profile);
void SaveReportRate(const std::string& path, int n, const ProfileSettings& profile);

int32_t ReadCurrentProfileNumber(const std::string& path);
void WriteCurrentProfileNumber(const std::string& path, int32_t n);
// Low 8 bits of VER_SEL: 0 Chinese, anything else English.
int ReadLanguage(const std::string& path);
void WriteLanguage(const std::string& path, int language);

// Steps of Reset that live elsewhere: replacing the user macros and applying.
struct ResetHooks {
    std::function<void()> resetMacros;
    std::function<void()> apply;
};
void ResetToFactory(const std::string& path, int32_t curConfig, int uiLanguage, ProfileSettings& profile,
                    const ResetHooks& hooks);

}  // namespace zrv
