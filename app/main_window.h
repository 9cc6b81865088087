// The main window's logic: start-up, the one exit routine, device and power events.
// The desktop is reached only through Host, so this runs without a display.
#pragma once

#include <memory>

#include "app/program_state.h"
#include "device/device_threads.h"
#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/host.h"
#include "platform/system_settings.h"

namespace zrv {

class MainWindow {
public:
    MainWindow(ProgramState& state, HidSystem& hid, SystemSettings& os, Host& host, Clock& clock);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The start-up steps in their fixed order. True when the window is to be shown;
    // false when initialisation ended the program through ExitSequence.
    bool OnInitDialog();
    // Tray icon away, link shut, window destroyed; only the first call acts.
    void ExitSequence();
    void OnDeviceChange(const DeviceNotification& notification);
    void OnPowerBroadcast();
    // The tray menu's "Show Window".
    void ShowFromTray();
    // Reset's macro step (ResetHooks::resetMacros): the language's factory macros replace
    // the user macros and are stored.
    void ResetUserMacrosToFactory();

    bool Exited() const { return exited_; }
    const std::string& WindowTitle() const { return windowTitle_; }

private:
    // Seams of the start-up: each returns false when it ended the program.
    bool LoadSkinLayouts();      // layout files of the pages and the warning dialog, child controls
    void CreateControlFonts();   // the control font of the language
    void ShapeWindow();          // the window's region from the mask image
    void StartMacros();          // macro file path, user and preset macros, initial event row
    void LoadMenus();            // context menu and tray menu of the language

    void Apply();

    ProgramState& state_;
    HidSystem& hid_;
    SystemSettings& os_;
    Host& host_;
    Clock& clock_;
    std::unique_ptr<DeviceThreads> threads_;
    std::string windowTitle_;
    bool buttonMenuOpen_ = false;
    bool exited_ = false;
};

}  // namespace zrv
