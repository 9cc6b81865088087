// The program's life on the Qt desktop, shared by the real and the simulated executable.
#pragma once

#include <functional>

#include "platform/hid.h"
#include "platform/host.h"
#include "platform/system_settings.h"

namespace zrv {

class MainWindow;

struct DesktopHooks {
    // May put a decorator around the Qt host; the program then talks only to it.
    std::function<Host&(Host& qtHost)> wrapHost;
    // After a successful start-up, before the event loop.
    std::function<void(MainWindow&)> started;
    // After the event loop, while the window still exists.
    std::function<void()> stopping;
    // Last, only in the instance that ran (not in one that handed over to the first).
    std::function<void()> ended;
};

// Single instance, start-up, the event loop and the end. Device notifications of hid
// are handled on the window thread. Returns the process's exit code.
int RunDesktopProgram(int argc, char** argv, HidSystem& hid, SystemSettings& os, const DesktopHooks& hooks = {});

}  // namespace zrv
