// What the program asks of the desktop: its window, message boxes, the tray and
// started programs. The Qt implementation lives beside this; the simulated mouse's
// build prints each effect.
//
// Every operation has a default that does nothing, so a test double implements only
// what it watches (and a plain Host is a quiet one).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "skin/mask_region.h"
#include "skin/popup.h"
#include "skin/skin_layout.h"

namespace zrv {

// A file chosen by the user; the filter is in Qt's form ("All Files (*.ini)").
struct FileDialogRequest {
    bool save = false;
    std::string folder;
    std::string filter;
    std::string defaultSuffix;  // save only, without the dot
};

// The advanced page's four controls, in the order they are created: repeat box, name
// box, name list, event list.
using MacroControlRects = std::array<SkinRect, 4>;

class Host {
public:
    virtual ~Host() = default;
    virtual void SetWindowTitle(const std::string& /*title*/) {}
    // Modal, OK button only.
    virtual void MessageBox(const std::string& /*caption*/, const std::string& /*text*/) {}
    virtual void AddTrayIcon(const std::string& /*tip*/) {}
    virtual void DeleteTrayIcon() {}
    // Ends the window's life and so the program.
    virtual void DestroyWindow() {}
    // Shows and restores the window, also from the tray.
    virtual void ShowAndRestore() {}
    // Safe from any thread.
    virtual void RequestRepaint() {}
    // Runs fn on the window thread; safe from any thread. By default: at once, here.
    virtual void PostToWindowThread(std::function<void()> fn) { fn(); }
    virtual void StartCalculator() {}
    virtual void StartTerminal() {}

    // The window's size and shape (input and output only inside it).
    virtual void SetWindowShape(const Region& /*shape*/, Size /*size*/) {}
    // The control font of the language for child controls and popups.
    virtual void SetControlFont(int /*uiLanguage*/) {}
    // Window thread only: mark the whole client area, or a region of it, for repainting;
    // UpdateWindow paints what is marked at once.
    virtual void InvalidateWindow() {}
    virtual void InvalidateRegion(const Region& /*region*/) {}
    virtual void UpdateWindow() {}
    // The window follows the pointer while the button is held; p is the press in client pixels.
    virtual void StartWindowDrag(Point /*p*/) {}
    virtual void MinimizeWindow() {}
    virtual void HideWindow() {}
    // Top-left corner of the client area on the screen.
    virtual Point WindowOrigin() const { return {}; }
    virtual void OpenUrl(const std::string& /*url*/) {}
    // nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& /*request*/) { return std::nullopt; }
    virtual void CreateMacroControls(const MacroControlRects& /*rects*/) {}
    virtual void DestroyMacroControls() {}
    // The primary-click warning, modal: 1 go on, 2 cancel.
    virtual int ShowWarning(const WarningRequest& /*request*/) { return kWarningConfirm; }
    // The function list, modeless; closing one that is not open does nothing.
    virtual void OpenFunctionMenu(const FunctionMenuRequest& /*request*/) {}
    virtual void CloseFunctionMenu() {}
};

}  // namespace zrv
