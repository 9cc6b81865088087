// What the program asks of the desktop: its window, message boxes, the tray and
// started programs. The Qt implementation lives beside this; the simulated mouse's
// build prints each effect.
#pragma once

#include <functional>
#include <string>

namespace zrv {

class Host {
public:
    virtual ~Host() = default;
    virtual void SetWindowTitle(const std::string& title) = 0;
    // Modal, OK button only.
    virtual void MessageBox(const std::string& caption, const std::string& text) = 0;
    virtual void AddTrayIcon(const std::string& tip) = 0;
    virtual void DeleteTrayIcon() = 0;
    // Ends the window's life and so the program.
    virtual void DestroyWindow() = 0;
    // Shows and restores the window, also from the tray.
    virtual void ShowAndRestore() = 0;
    // Safe from any thread.
    virtual void RequestRepaint() = 0;
    // Runs fn on the window thread; safe from any thread.
    virtual void PostToWindowThread(std::function<void()> fn) = 0;
    virtual void StartCalculator() = 0;
    virtual void StartTerminal() = 0;
};

}  // namespace zrv
