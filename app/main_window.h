// The main window's logic: start-up, the one exit routine, device and power events.
// The desktop is reached only through Host, so this runs without a display.
#pragma once

#include <memory>

#include "app/dispatch.h"
#include "app/led_preview.h"
#include "app/program_state.h"
#include "device/device_threads.h"
#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/host.h"
#include "platform/system_settings.h"
#include "skin/canvas.h"
#include "skin/paint_inputs.h"
#include "skin/skin_image.h"

namespace zrv {

class MainWindow {
public:
    // images: the skin's images (the mask at start-up, the pages at each paint); without
    // them the window has no shape and paints nothing.
    MainWindow(ProgramState& state, HidSystem& hid, SystemSettings& os, Host& host, Clock& clock,
               const ImageSource* images = nullptr);
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

    // Minimise, hide, and the tray icon: what closing the window does.
    void HideToTray();

    // Input from the window, in client pixels.
    Dispatcher& Input() { return dispatcher_; }
    // Recomposes the current page into the back buffer.
    void Paint(Canvas& backBuffer);
    PaintInputs GatherPaintInputs() const;

    bool Exited() const { return exited_; }
    const ProgramState& State() const { return state_; }
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
    const ImageSource* images_;
    std::string windowTitle_;
    bool exited_ = false;
    LedPreview preview_;
    Dispatcher dispatcher_;
};

}  // namespace zrv
