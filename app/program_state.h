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

namespace zrv {

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
    uint8_t currentPage = 0;
};

}  // namespace zrv
