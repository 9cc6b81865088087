#include "app/main_window.h"

#include <chrono>

#include "app/program_paths.h"
#include "app/texts.h"
#include "config/settings.h"
#include "device/apply.h"
#include "device/discovery.h"
#include "macro/macro_files.h"

namespace zrv {

MainWindow::MainWindow(ProgramState& state, HidSystem& hid, SystemSettings& os, Host& host, Clock& clock)
    : state_(state), hid_(hid), os_(os), host_(host), clock_(clock) {}

// The device threads hold references to the state and the host; they end first.
MainWindow::~MainWindow() { threads_.reset(); }

bool MainWindow::OnInitDialog() {
    // The threads run before the settings are read and the mouse is opened.
    state_.handOver.actionPending = false;
    state_.handOver.stopRequested = false;
    threads_ = std::make_unique<DeviceThreads>(DeviceThreadContext{
        state_.link, state_.applied, state_.profile, state_.handOver, clock_, host_,
        PathsOf(state_.programFolder).configPath, state_.curConfig, &state_.macros});

    // System menu with the About entry and the window icon join here.

    const ProgramPaths paths = PathsOf(state_.programFolder);
    state_.configPath = paths.configPath;
    state_.curConfig = ReadCurrentProfileNumber(state_.configPath);
    state_.uiLanguage = ReadLanguage(state_.configPath);
    ProfileSettings profile;
    LoadProfile(state_.configPath, state_.curConfig, false, state_.uiLanguage, profile);
    state_.profile.Set(profile);

    const ShellTexts& texts = TextsFor(state_.uiLanguage);
    windowTitle_ = texts.windowTitle;
    host_.SetWindowTitle(windowTitle_);

    state_.skinFolder = paths.skinFolder;
    if (!LoadSkinLayouts()) return false;
    CreateControlFonts();
    ShapeWindow();
    StartMacros();
    buttonMenuOpen_ = false;
    LoadMenus();

    const DiscoveryResult found = Discover(state_.link, hid_);
    state_.link.connected = found.found;
    if (!found.found) {
        host_.MessageBox(state_.programName, WithProductName(texts.plugInFormat));
        ExitSequence();
        return false;
    }
    // Without access rights to the device nodes nothing would reach the mouse; say why.
    if (!found.openedAny) {
        host_.MessageBox(state_.programName, WithProductName(texts.openFailedFormat));
        ExitSequence();
        return false;
    }

    clock_.SleepFor(std::chrono::milliseconds(5));
    Apply();
    host_.AddTrayIcon(windowTitle_);
    state_.currentPage = 0;
    return true;
}

bool MainWindow::LoadSkinLayouts() { return true; }
void MainWindow::CreateControlFonts() {}
void MainWindow::ShapeWindow() {}
void MainWindow::StartMacros() {
    state_.selectedEventRow = MacroStartUp(state_.macros, state_.programFolder, state_.uiLanguage,
                                           state_.macroFilePath,
                                           [this](const std::string& text) { host_.MessageBox(state_.programName, text); });
}
void MainWindow::LoadMenus() {}

void MainWindow::Apply() {
    ApplyContext context{state_.link, os_, state_.applied, state_.configPath, state_.curConfig,
                         [this] { host_.RequestRepaint(); }};
    ApplyProfile(state_.profile.Get(), context);
}

void MainWindow::ExitSequence() {
    if (exited_) return;
    exited_ = true;
    host_.DeleteTrayIcon();
    ShutdownLink(state_.link, os_);
    host_.DestroyWindow();
}

void MainWindow::OnDeviceChange(const DeviceNotification& notification) {
    if (exited_) return;
    if (!IsMouseNotification(state_.link, notification)) return;
    if (notification.event == DeviceNotification::Event::Arrival) {
        // Nothing is applied: the mouse keeps what it was last told.
        if (!state_.link.connected) state_.link.connected = Discover(state_.link, hid_).found;
    } else {
        state_.link.connected = false;
        ExitSequence();
    }
}

void MainWindow::OnPowerBroadcast() {
    if (exited_) return;
    Apply();
}

void MainWindow::ShowFromTray() { host_.ShowAndRestore(); }

void MainWindow::ResetUserMacrosToFactory() {
    ResetUserMacros(
        state_.macros, state_.skinFolder, state_.programFolder, state_.uiLanguage,
        [this](const std::string& text) { host_.MessageBox(state_.programName, text); },
        [this] {
            // The advanced page's lists are rebuilt from the table when it is shown.
            if (state_.currentPage == 1) host_.RequestRepaint();
        });
}

}  // namespace zrv
