#include "platform/qt_program.h"

#include <QApplication>
#include <memory>
#include <mutex>

#include "app/main_window.h"
#include "app/program_paths.h"
#include "app/texts.h"
#include "platform/clock.h"
#include "platform/qt_canvas.h"
#include "platform/qt_host.h"
#include "platform/qt_power_events.h"
#include "platform/qt_single_instance.h"
#include "platform/qt_window.h"

namespace zrv {
namespace {

// Notifications come from the HID system's own thread and may still arrive while the
// window goes away; after Close they are dropped.
class NotificationGate {
public:
    void Post(Host& host, std::function<void()> fn) {
        std::lock_guard lock(mutex_);
        if (open_) host.PostToWindowThread(std::move(fn));
    }
    void Close() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }

private:
    std::mutex mutex_;
    bool open_ = true;
};

}  // namespace

int RunDesktopProgram(int argc, char** argv, HidSystem& hid, SystemSettings& os, const DesktopHooks& hooks) {
    QApplication app(argc, argv);
    // Message boxes and hiding to the tray close windows; only ExitSequence ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QSingleInstance instance;
    if (!instance.Start()) return 0;

    {
        QtHost qtHost;
        Host& host = hooks.wrapHost ? hooks.wrapHost(qtHost) : qtHost;
        QObject::connect(&instance, &QSingleInstance::showRequested, &qtHost, [&host] { host.ShowAndRestore(); });

        ProgramState state;
        const std::string executable = QCoreApplication::applicationFilePath().toStdString();
        state.programFolder = ProgramFolderOf(executable);
        state.programName = ProgramNameOf(executable);

        SteadyClock clock;
        auto gate = std::make_shared<NotificationGate>();
        const auto images = MakeQtImageSource(PathsOf(state.programFolder).skinFolder);
        qtHost.SetImageSource(images.get());
        MainWindow window(state, hid, os, host, clock, images.get());
        qtHost.Window().Attach(&window);
        hid.SetNotificationSink([gate, &host, &window](const DeviceNotification& notification) {
            gate->Post(host, [&window, notification] { window.OnDeviceChange(notification); });
        });

        if (window.OnInitDialog() && !qtHost.WindowDestroyed()) {
            const ShellTexts& texts = TextsFor(state.uiLanguage);
            qtHost.SetTrayMenu(texts.trayShow, texts.trayExit, [&window] { window.ShowFromTray(); },
                               [&window] { window.ExitSequence(); });
            QtPowerEvents power([&window] { window.OnPowerBroadcast(); });
            if (hooks.started) hooks.started(window);
            qtHost.ShowWindow();
            QApplication::exec();
            if (hooks.stopping) hooks.stopping();
        }
        gate->Close();
        qtHost.CloseFunctionMenu();
        qtHost.Window().Attach(nullptr);
        qtHost.SetImageSource(nullptr);
    }
    if (hooks.ended) hooks.ended();
    return 0;
}

}  // namespace zrv
