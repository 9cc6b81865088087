#include "app/dispatch.h"

#include "config/profile_rules.h"
#include "config/settings.h"
#include "app/dispatch_table.h"

namespace zrv {
namespace {

enum class Release { kHideReverting, kApply, kProfile, kMinimize, kHide, kReset, kChinese, kEnglish, kWebSite };

constexpr RangeAction<Release> kReleaseTable[] = {
    {2, 2, Release::kHideReverting}, {3, 3, Release::kApply},    {4, 8, Release::kProfile},
    {12, 12, Release::kMinimize},    {13, 13, Release::kHide},   {16, 16, Release::kReset},
    {17, 17, Release::kChinese},     {18, 18, Release::kEnglish}, {19, 19, Release::kWebSite},
};

constexpr int kFirstProfileEntry = 3;  // entries 4..8 are profiles 1..5
constexpr int kFirstFunctionEntry = 25;

}  // namespace

HoverIndices HitTestAll(const SkinLayout& layout, int page, Point p) {
    return {HitTest(layout.MainButtons, page == kMainPage ? kMainPageHitLast : kCommonHitLast, p),
            HitTest(layout.ColorButtons, kColorHitLast, p), HitTest(layout.AdvancedButtons, kAdvancedHitLast, p)};
}

Dispatcher::Dispatcher(ProgramState& state, Host& host, LedPreview& preview, DispatchActions actions)
    : state_(state), host_(host), preview_(preview), actions_(std::move(actions)) {}

void Dispatcher::Repaint() { host_.InvalidateWindow(); }

void Dispatcher::UpdateHover(Point p) {
    state_.hover = HitTestAll(state_.layout, state_.currentPage, p);
    const int32_t now[] = {state_.hover.main, state_.hover.color, state_.hover.advanced};
    int32_t* before[] = {&state_.previousHover.main, &state_.previousHover.color, &state_.previousHover.advanced};
    for (int t = 0; t < 3; ++t) {
        if (now[t] == *before[t]) continue;
        // The advanced page never paints over the macro editor's name box and lists.
        if (state_.currentPage == kAdvancedPage)
            host_.InvalidateRegion(state_.repaintRegion);
        else
            host_.InvalidateWindow();
        host_.UpdateWindow();
        *before[t] = now[t];
    }
}

void Dispatcher::OnMouseMove(Point p) { UpdateHover(p); }

void Dispatcher::OnButtonDown(Point p) {
    // The pointer's element is the one under the press, as the move before it would have set.
    UpdateHover(p);
    const HoverIndices& h = state_.hover;
    if (h.main != kNoElement || h.color != kNoElement || h.advanced != kNoElement) {
        state_.buttonPressed = true;
        host_.InvalidateWindow();
    }
    switch (state_.currentPage) {
    case kAdvancedPage: PressAdvanced(p); break;
    case kColorPage: PressColor(p); break;
    default: PressMain(p); break;
    }
}

void Dispatcher::OnButtonUp(Point p) {
    UpdateHover(p);
    state_.buttonPressed = false;
    host_.InvalidateWindow();
    const int entry = state_.hover.main;
    const Release* action = Lookup(kReleaseTable, entry);
    if (!action) return;
    switch (*action) {
    case Release::kHideReverting: {
        // Only the DPI level survives of what was changed since the last apply.
        state_.hover.main = kNoElement;
        SaveDpiLevel(state_.configPath, kLastAppliedProfile, state_.profile.Get());
        LoadLiveProfile(state_.configPath, kLastAppliedProfile);
        if (actions_.hideToTray) actions_.hideToTray();
        Repaint();
        break;
    }
    case Release::kApply:
        if (actions_.apply) actions_.apply();
        break;
    case Release::kProfile:
        state_.curConfig = entry - kFirstProfileEntry;
        LoadLiveProfile(state_.configPath, state_.curConfig);
        Repaint();
        break;
    case Release::kMinimize:
        state_.hover.main = kNoElement;
        host_.MinimizeWindow();
        break;
    case Release::kHide:
        state_.hover.main = kNoElement;
        if (actions_.hideToTray) actions_.hideToTray();
        break;
    case Release::kReset: ResetToFactory(); break;
    case Release::kChinese: SwitchLanguage(0); break;
    case Release::kEnglish: SwitchLanguage(1); break;
    case Release::kWebSite: host_.OpenUrl(kMakerWebSite); break;
    }
}

bool Dispatcher::FilterKey(int key) const { return key == kKeyEscape || key == kKeyReturn || key == kKeyF10; }

void Dispatcher::OnSystemCommand(int command) {
    if ((command & 0xFFF0) == kAboutCommand) {
        host_.MessageBox(kAboutTitle, kAboutText);
    } else if ((command & 0xFFF0) == kSysCommandMinimize) {
        host_.MinimizeWindow();
    } else if ((command & 0xFFF0) == kSysCommandClose) {
        if (actions_.hideToTray) actions_.hideToTray();
    }
}

void Dispatcher::ShowAdvancedPage() {
    state_.currentPage = kAdvancedPage;
    host_.InvalidateRegion(state_.repaintRegion);
    const SkinLayout& l = state_.layout;
    host_.CreateMacroControls({l.RepeatBoxRect, l.NameBoxRect, l.MacroListRect, l.EventListRect});
    host_.UpdateWindow();
    FillMacroNameList();
    host_.UpdateWindow();
}

void Dispatcher::ShowColorPage() {
    state_.currentPage = kColorPage;
    preview_.StartUnlessRunning();
    Repaint();
}

void Dispatcher::ShowMainPage() {
    state_.currentPage = kMainPage;
    Repaint();
}

void Dispatcher::LeaveAdvancedPage() { host_.DestroyMacroControls(); }

void Dispatcher::OpenFunctionMenu(int entry) {
    state_.editedButton = entry;
    const SkinButton& element = state_.layout.MainButtons[static_cast<size_t>(entry)];
    const Point origin = host_.WindowOrigin();
    state_.popupAnchor = {origin.x + element.x, origin.y + element.y + element.height};

    if (NeedsPrimaryClickWarning(state_.profile.Get(), entry - kFirstFunctionEntry)) {
        const int answer = host_.ShowWarning({state_.popupAnchor, state_.layout.WarningButtons, state_.uiLanguage});
        if (answer == kWarningCancel) return;
    }

    FunctionMenuRequest request;
    request.anchor = state_.popupAnchor;
    request.uiLanguage = state_.uiLanguage;
    request.texts.functionNames = state_.layout.FunctionNames;
    {
        std::lock_guard lock(state_.macros.mutex);
        for (int i = 0; i < state_.macros.userCount && i < kUserMacroSlots; ++i)
            request.texts.userMacroNames.push_back(MacroName(state_.macros.slot[static_cast<size_t>(i)]));
    }
    request.choose = [this](int32_t code) { ChooseFunction(code); };
    state_.buttonMenuOpen = true;
    host_.OpenFunctionMenu(request);
}

void Dispatcher::ChooseFunction(int32_t code) {
    const int button = state_.editedButton - kFirstFunctionEntry;
    state_.profile.Update([&](ProfileSettings& p) { SetButtonFunctionKeepingPrimary(p, button, code); });
    Repaint();
}

void Dispatcher::LoadLiveProfile(const std::string& path, int n) {
    ProfileSettings profile;
    LoadProfile(path, n, false, state_.uiLanguage, profile);
    state_.profile.Set(profile);
}

void Dispatcher::ImportProfile() {
    const auto path = host_.ChooseFile({false, state_.programFolder, kProfileFileFilter, ""});
    if (!path) return;
    LoadLiveProfile(*path, kExchangeProfile);
    Repaint();
}

void Dispatcher::ExportProfile() {
    const auto path = host_.ChooseFile({true, state_.programFolder, kProfileFileFilter, "ini"});
    if (!path) return;
    SaveProfile(*path, kExchangeProfile, state_.profile.Get());
    Repaint();
}

void Dispatcher::ResetToFactory() {
    ProfileSettings profile = state_.profile.Get();
    ResetHooks hooks;
    hooks.resetMacros = actions_.resetMacros;
    // The apply sends the reset profile, so it is made live first.
    hooks.apply = [&] {
        state_.profile.Set(profile);
        if (actions_.apply) actions_.apply();
    };
    zrv::ResetToFactory(state_.configPath, state_.curConfig, state_.uiLanguage, profile, hooks);
    state_.profile.Set(profile);
    Repaint();
}

}  // namespace zrv
