// A Host that prints what the program asks of the desktop, then passes it on.
#pragma once

#include "platform/host.h"
#include "platform/sim_output.h"

namespace zrv {

class PrintingHost : public Host {
public:
    // showMessages false answers every message box with OK at once (no one could click it).
    PrintingHost(Host& inner, SimOutput& out, bool showMessages)
        : inner_(inner), out_(out), showMessages_(showMessages) {}

    void SetWindowTitle(const std::string& title) override { inner_.SetWindowTitle(title); }
    void MessageBox(const std::string& caption, const std::string& text) override;
    void AddTrayIcon(const std::string& tip) override;
    void DeleteTrayIcon() override;
    void DestroyWindow() override { inner_.DestroyWindow(); }
    void ShowAndRestore() override;
    void RequestRepaint() override { inner_.RequestRepaint(); }
    void PostToWindowThread(std::function<void()> fn) override { inner_.PostToWindowThread(std::move(fn)); }
    void StartCalculator() override;
    void StartTerminal() override;

private:
    Host& inner_;
    SimOutput& out_;
    bool showMessages_;
};

}  // namespace zrv
