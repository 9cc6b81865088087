// The desktop host on Qt: the window, message boxes, the tray icon and started programs.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/host.h"

class QMenu;
class QSystemTrayIcon;

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
};

// The first of the usual calculators found on PATH; empty when there is none.
QString FindCalculator();

}  // namespace zrv
