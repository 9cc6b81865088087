// The desktop host on Qt: the window, message boxes, the tray icon and started programs.
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/qt_popups.h"

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace zrv {

class QtWindow;

class QtHost : public QObject, public Host {
    Q_OBJECT
public:
    QtHost();
    ~QtHost() override;

    void SetWindowTitle(const std::string& title) override;
    void MessageBox(const std::string& caption, const std::string& text) override;
    void AddTrayIcon(const std::string& tip) override;
    void DeleteTrayIcon() override;
    void DestroyWindow() override;
    void ShowAndRestore() override;
    void RequestRepaint() override;
    void PostToWindowThread(std::function<void()> fn) override;
    void StartCalculator() override;
    void StartTerminal() override;

    void SetWindowShape(const Region& shape, Size size) override;
    void SetControlFont(int uiLanguage) override;
    void InvalidateWindow() override;
    void InvalidateRegion(const Region& region) override;
    void UpdateWindow() override;
    void StartWindowDrag(Point p) override;
    void MinimizeWindow() override;
    void HideWindow() override;
    Point WindowOrigin() const override;
    void OpenUrl(const std::string& url) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    void CreateMacroControls(const MacroControlRects& rects) override;
    void DestroyMacroControls() override;
    int ShowWarning(const WarningRequest& request) override;
    void OpenFunctionMenu(const FunctionMenuRequest& request) override;
    void CloseFunctionMenu() override;

    // The skin's images for the popups; kept by the caller for the host's life.
    void SetImageSource(const ImageSource* images) { images_ = images; }
    QtFunctionMenu* FunctionMenu() const { return menu_; }
    // The advanced page's controls while it is shown, in creation order.
    const std::vector<QPointer<QWidget>>& MacroControls() const { return controls_; }

    // The tray menu's two items; onShow and onExit run on the window thread.
    void SetTrayMenu(const std::string& showText, const std::string& exitText, std::function<void()> onShow,
                     std::function<void()> onExit);
    void ShowWindow();
    bool WindowDestroyed() const { return destroyed_; }
    bool TrayIconShown() const;
    QtWindow& Window() { return *window_; }

private:
    void HideToTray();

    std::unique_ptr<QtWindow> window_;
    std::unique_ptr<QMenu> trayMenu_;  // outlives the icon that shows it
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::string trayTip_;
    bool destroyed_ = false;
    const ImageSource* images_ = nullptr;
    PopupMemory popupMemory_;
    QPointer<QtFunctionMenu> menu_;
    std::vector<QPointer<QWidget>> controls_;
    QFont controlFont_;
};

// The first of the usual calculators found on PATH; empty when there is none.
QString FindCalculator();

}  // namespace zrv
