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

    void SetWindowShape(const Region& shape, Size size) override { inner_.SetWindowShape(shape, size); }
    void SetControlFont(int uiLanguage) override { inner_.SetControlFont(uiLanguage); }
    void InvalidateWindow() override { inner_.InvalidateWindow(); }
    void InvalidateRegion(const Region& region) override { inner_.InvalidateRegion(region); }
    void UpdateWindow() override { inner_.UpdateWindow(); }
    void StartWindowDrag(Point p) override { inner_.StartWindowDrag(p); }
    void MinimizeWindow() override { inner_.MinimizeWindow(); }
    void HideWindow() override;
    Point WindowOrigin() const override { return inner_.WindowOrigin(); }
    void OpenUrl(const std::string& url) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override { return inner_.ChooseFile(request); }
    void CreateMacroControls(const MacroControlRects& rects) override { inner_.CreateMacroControls(rects); }
    void DestroyMacroControls() override { inner_.DestroyMacroControls(); }
    int ShowWarning(const WarningRequest& request) override { return inner_.ShowWarning(request); }
    void OpenFunctionMenu(const FunctionMenuRequest& request) override { inner_.OpenFunctionMenu(request); }
    void CloseFunctionMenu() override { inner_.CloseFunctionMenu(); }

private:
    Host& inner_;
    SimOutput& out_;
    bool showMessages_;
};

}  // namespace zrv
