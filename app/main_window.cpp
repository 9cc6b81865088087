#include "app/main_window.h"

#include <chrono>

#include "app/program_paths.h"
#include "app/texts.h"
#include "config/settings.h"
#include "device/apply.h"
#include "device/discovery.h"
#include "macro/macro_files.h"
#include "skin/mask_region.h"
#include "skin/page_painter.h"

namespace zrv {

MainWindow::MainWindow(ProgramState& state, HidSystem& hid, SystemSettings& os, Host& host, Clock& clock,
                       const ImageSource* images)
    : state_(state),
      hid_(hid),
      os_(os),
      host_(host),
      clock_(clock),
      images_(images),
      preview_(state, host),
      dispatcher_(state, host, preview_,
                  DispatchActions{[this] { Apply(); }, [this] { ResetUserMacrosToFactory(); },
                                  [this] { HideToTray(); }}) {}

// The threads hold references to the state and the host; they end first.
MainWindow::~MainWindow() {
    preview_.Stop();
    threads_.reset();
}

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
    state_.buttonMenuOpen = false;
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

// The macro editor's four control objects need nothing until the advanced page creates
// their windows, so only the layout is read here.
bool MainWindow::LoadSkinLayouts() {
    const SkinLoadActions actions{
        [this](std::string_view message) { host_.MessageBox(state_.programName, std::string(message)); },
        [this] { ExitSequence(); }};
    return LoadSkinLayout(state_.skinFolder, state_.uiLanguage, state_.layout, actions);
}

void MainWindow::CreateControlFonts() { host_.SetControlFont(state_.uiLanguage); }

// Without a mask the window takes the size of the main page's image, unshaped.
void MainWindow::ShapeWindow() {
    if (!images_) return;
    if (const auto mask = images_->LoadSkinImage(kMainMaskImage)) {
        state_.maskSize = mask->GetSize();
        state_.windowShape = BuildMaskRegion(*mask);
    } else if (const auto page = images_->LoadSkinImage(kPageImages[kMainPage].normal)) {
        state_.maskSize = page->GetSize();
        state_.windowShape = Region::FromRect({0, 0, state_.maskSize.width, state_.maskSize.height});
    } else {
        return;
    }
    state_.repaintRegion = BuildRepaintRegion(state_.windowShape, state_.layout);
    host_.SetWindowShape(state_.windowShape, state_.maskSize);
}
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
    // A macro still playing would send its events and releases after HostExit; stopping
    // the threads first lets it release its keys and keeps HostExit the last report.
    threads_.reset();
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

void MainWindow::HideToTray() {
    host_.MinimizeWindow();
    host_.HideWindow();
    host_.AddTrayIcon(windowTitle_);
}

PaintInputs MainWindow::GatherPaintInputs() const {
    PaintInputs in;
    in.currentPage = state_.currentPage;
    in.mainHover = state_.hover.main;
    in.advancedHover = state_.hover.advanced;
    in.colorHover = state_.hover.color;
    in.buttonPressed = state_.buttonPressed;
    in.profile = state_.profile.Get();
    in.currentProfile = state_.curConfig;
    for (size_t i = 0; i < in.appliedDpiCodes.size(); ++i) in.appliedDpiCodes[i] = state_.applied.dpiCode[i];
    {
        std::lock_guard lock(state_.macros.mutex);
        const MacroTable& macros = state_.macros;
        // A code names its slot whatever the count says, as the record is played whatever it holds.
        for (int i = 0; i < kUserMacroCount; ++i)
            in.userMacroNames[static_cast<size_t>(i)] = MacroName(macros.slot[static_cast<size_t>(i)]);
        if (macros.currentMacro >= 0 && macros.currentMacro < kUserMacroSlots)
            in.currentMacroRepeatMode = macros.slot[static_cast<size_t>(macros.currentMacro)].repeatMode;
    }
    in.ledPreviewDark = state_.ledPreviewDark;
    in.ledPreviewColor = state_.ledPreviewColor;
    in.uiLanguage = state_.uiLanguage;
    in.maskSize = state_.maskSize;
    return in;
}

void MainWindow::Paint(Canvas& backBuffer) {
    if (!images_) return;
    PaintPage(*images_, backBuffer, GatherPaintInputs(), state_.layout);
}

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
