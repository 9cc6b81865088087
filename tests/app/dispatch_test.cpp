#include "app/dispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>

#include "config/ini.h"
#include "config/settings.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

// Records what the dispatch asks of the desktop; its answers to dialogs are set by the test.
class FakeHost : public Host {
public:
    void MessageBox(const std::string& caption, const std::string& text) override { Add("MESSAGE " + caption + " | " + text); }
    void AddTrayIcon(const std::string& tip) override { Add("TRAY ADD " + tip); }
    void DeleteTrayIcon() override { Add("TRAY DELETE"); }
    void DestroyWindow() override { Add("DESTROY"); }
    void ShowAndRestore() override { Add("SHOW"); }
    void RequestRepaint() override { repaintRequests++; }

    void InvalidateWindow() override { Add("INVALIDATE"); }
    void InvalidateRegion(const Region& region) override {
        Add(region.Area() > 0 ? "INVALIDATE REGION" : "INVALIDATE EMPTY REGION");
    }
    void UpdateWindow() override { Add("UPDATE"); }
    void StartWindowDrag(Point p) override { Add("DRAG " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void MinimizeWindow() override { Add("MINIMIZE"); }
    void HideWindow() override { Add("HIDE"); }
    Point WindowOrigin() const override { return {1000, 2000}; }
    void OpenUrl(const std::string& url) override { Add("URL " + url); }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        Add(std::string(request.save ? "SAVE DIALOG " : "OPEN DIALOG ") + request.filter + " " + request.defaultSuffix);
        return chosenFile;
    }
    void CreateMacroControls(const MacroControlRects& rects) override {
        controlRects = rects;
        Add("CREATE CONTROLS");
    }
    void DestroyMacroControls() override { Add("DESTROY CONTROLS"); }
    int ShowWarning(const WarningRequest& request) override {
        warningAnchor = request.anchor;
        Add("WARNING");
        return warningAnswer;
    }
    void OpenFunctionMenu(const FunctionMenuRequest& request) override {
        menu = request;
        Add("OPEN MENU");
    }
    void CloseFunctionMenu() override { Add("CLOSE MENU"); }

    void Add(const std::string& line) {
        std::lock_guard lock(mutex_);
        log.push_back(line);
    }
    // The log without repaint traffic, which most tests do not look at.
    std::vector<std::string> Effects() {
        std::lock_guard lock(mutex_);
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind("INVALIDATE", 0) != 0 && line != "UPDATE") out.push_back(line);
        log.clear();
        return out;
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(log, {});
    }

    std::vector<std::string> log;
    std::atomic<int> repaintRequests{0};
    std::optional<std::string> chosenFile;
    int warningAnswer = kWarningConfirm;
    Point warningAnchor;
    FunctionMenuRequest menu;
    MacroControlRects controlRects{};

private:
    std::mutex mutex_;
};

Point Center(const SkinButton& b) { return {b.x + b.width / 2, b.y + b.height / 2}; }

class DispatchTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zrv_dispatch_" + std::to_string(::getpid()) + "_" +
                                               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        state_.programFolder = folder_.string();
        state_.configPath = (folder_ / "config.ini").string();
        state_.curConfig = 1;
        state_.uiLanguage = 1;
        const SkinLoadActions fail{[](std::string_view m) { FAIL() << m; }, [] { FAIL() << "exit"; }};
        ASSERT_TRUE(LoadSkinLayout(std::string(ZRV_SOURCE_DIR) + "/data/skins", 1, state_.layout, fail));
        state_.repaintRegion = Region::FromRect({0, 0, 800, 600});
        state_.profile.Set(FactoryProfile);
        // Profiles on disk for the loads of the release table.
        for (int n = 1; n <= 6; ++n) {
            ProfileSettings p = FactoryProfile;
            p.FIRE_TIME = 100 + n;
            SaveProfile(state_.configPath, n, p);
        }
    }
    void TearDown() override {
        preview_.Stop();
        fs::remove_all(folder_);
    }

    const SkinButton& Main(int i) const { return state_.layout.MainButtons[static_cast<size_t>(i)]; }
    const SkinButton& Advanced(int i) const { return state_.layout.AdvancedButtons[static_cast<size_t>(i)]; }
    const SkinButton& Color(int i) const { return state_.layout.ColorButtons[static_cast<size_t>(i)]; }

    void Click(Point p) {
        dispatch_.OnMouseMove(p);
        dispatch_.OnButtonDown(p);
        dispatch_.OnButtonUp(p);
    }
    void Press(Point down, Point up) {
        dispatch_.OnMouseMove(down);
        dispatch_.OnButtonDown(down);
        dispatch_.OnMouseMove(up);
        dispatch_.OnButtonUp(up);
    }
    ProfileSettings Profile() const { return state_.profile.Get(); }
    // A point of the window that no element of any table covers.
    Point EmptySkin() const {
        for (int y = 0; y < 600; y += 3)
            for (int x = 0; x < 800; x += 3) {
                const HoverIndices h = HitTestAll(state_.layout, kMainPage, {x, y});
                if (h == HoverIndices{}) return {x, y};
            }
        ADD_FAILURE() << "no empty skin";
        return {};
    }

    fs::path folder_;
    ProgramState state_;
    FakeHost host_;
    std::vector<std::string> actions_;
    LedPreview preview_{state_, host_, [](std::chrono::milliseconds) { return false; }};
    Dispatcher dispatch_{state_, host_, preview_,
                         DispatchActions{[this] { host_.Add("APPLY"); }, [this] { host_.Add("RESET MACROS"); },
                                         [this] { host_.Add("HIDE TO TRAY"); }}};
};

TEST(HitTestTest, InclusiveLastIndexAndHalfOpenRectangles) {
    std::array<SkinButton, 4> table{};
    table[0] = {10, 10, 5, 5, ""};
    table[1] = {10, 10, 20, 20, ""};  // under entry 0: the first one wins
    table[3] = {100, 100, 1, 1, ""};
    struct Case {
        Point p;
        int last;
        int expected;
    };
    const Case cases[] = {
        {{10, 10}, 3, 0},   {{14, 14}, 3, 0},    {{15, 15}, 3, 1},   {{29, 29}, 3, 1}, {{30, 30}, 3, kNoElement},
        {{9, 10}, 3, kNoElement}, {{100, 100}, 3, 3}, {{100, 100}, 2, kNoElement}, {{101, 100}, 3, kNoElement},
        {{0, 0}, 3, kNoElement},  // the empty entry 2 at (0, 0) is never hit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p.x) + "," + std::to_string(c.p.y));
        EXPECT_EQ(HitTest(table, c.last, c.p), c.expected);
    }
}

TEST_F(DispatchTest, ShippedLayoutElementsAreHitAtTheirCentres) {
    for (int i = 0; i <= kMainPageHitLast; ++i) {
        if (Main(i).width > 0) {
            EXPECT_EQ(HitTestAll(state_.layout, kMainPage, Center(Main(i))).main, i) << i;
        }
    }
    // Only the common elements answer on the other pages.
    for (int i = 20; i <= kMainPageHitLast; ++i) {
        if (Main(i).width > 0) {
            EXPECT_EQ(HitTestAll(state_.layout, kAdvancedPage, Center(Main(i))).main, kNoElement) << i;
        }
    }
}

TEST_F(DispatchTest, MainPagePressTable) {
    struct Case {
        int entry;
        ProfileSettings before;
        ProfileSettings after;
    };
    auto with = [](auto change) {
        ProfileSettings p = FactoryProfile;
        change(p);
        return p;
    };
    const Case cases[] = {
        {41, with([](auto& p) { p.WHEEL_STATUS = 1; }), FactoryProfile},
        {42, FactoryProfile, with([](auto& p) { p.WHEEL_STATUS = 1; })},
        {56, FactoryProfile, with([](auto& p) { p.DPI_LEVEL = 2; })},
        // A disabled level cannot be selected.
        {57, with([](auto& p) { p.DPI_SET_EN[3] = 0; }), with([](auto& p) { p.DPI_SET_EN[3] = 0; })},
        {66, FactoryProfile, with([](auto& p) { p.DPI_SET[0] = 0; })},
        {66 + 12 + 11, FactoryProfile, with([](auto& p) { p.DPI_SET[1] = 11; })},
        {113, FactoryProfile, with([](auto& p) { p.DPI_SET[3] = 11; })},
        {47, FactoryProfile, with([](auto& p) { p.DPI_SET_EN[1] = 0; })},
        // Entries without a press action change nothing.
        {3, FactoryProfile, FactoryProfile},
        {20, FactoryProfile, FactoryProfile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        state_.profile.Set(c.before);
        const Point p = Center(Main(c.entry));
        dispatch_.OnMouseMove(p);
        dispatch_.OnButtonDown(p);
        EXPECT_EQ(Profile(), c.after);
        EXPECT_TRUE(state_.buttonPressed);
        dispatch_.OnMouseMove(EmptySkin());
        dispatch_.OnButtonUp(EmptySkin());
        EXPECT_FALSE(state_.buttonPressed);
        EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
    }
}

TEST_F(DispatchTest, DpiLevelEnableToggle) {
    struct Case {
        std::array<uint8_t, 4> enabled;
        int level;  // current DPI_LEVEL
        int toggled;
        std::array<uint8_t, 4> enabledAfter;
        int levelAfter;
    };
    const Case cases[] = {
        {{0, 1, 1, 1}, 1, 0, {1, 1, 1, 1}, 1},  // enabling
        {{1, 1, 1, 1}, 0, 2, {1, 1, 0, 1}, 0},  // another level than the current
        {{1, 1, 1, 1}, 1, 1, {1, 0, 1, 1}, 2},  // the current one: the next enabled level upwards
        {{1, 0, 0, 1}, 3, 3, {1, 0, 0, 0}, 0},  // wrapping from 3 to 0
        {{0, 1, 0, 1}, 1, 1, {0, 0, 0, 1}, 3},
        {{0, 0, 1, 0}, 2, 2, {0, 0, 1, 0}, 2},  // the last enabled level stays enabled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toggled);
        state_.profile.Update([&](ProfileSettings& p) {
            p.DPI_SET_EN = c.enabled;
            p.DPI_LEVEL = c.level;
        });
        Click(Center(Main(46 + c.toggled)));
        EXPECT_EQ(Profile().DPI_SET_EN, c.enabledAfter);
        EXPECT_EQ(Profile().DPI_LEVEL, c.levelAfter);
    }
}

TEST_F(DispatchTest, SaveStoresTheLiveProfileInTheCurrentSlotOnly) {
    state_.curConfig = 3;
    state_.profile.Update([](ProfileSettings& p) { p.FIRE_TIME = 222; });
    Click(Center(Main(0)));
    EXPECT_EQ(ReadIniString(state_.configPath, "Config3", "FIRE_TIME", 5), "222");
    EXPECT_EQ(ReadIniString(state_.configPath, "Config6", "FIRE_TIME", 5), "106");
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
}

TEST_F(DispatchTest, ReleaseTable) {
    struct Case {
        int entry;
        std::vector<std::string> effects;
        int32_t curConfig;
        int32_t fireTime;  // of the live profile afterwards
    };
    const Case cases[] = {
        {3, {"APPLY"}, 1, 50},
        {4, {}, 1, 101},
        {8, {}, 5, 105},
        {12, {"MINIMIZE"}, 1, 50},
        {13, {"HIDE TO TRAY"}, 1, 50},
        // Back to the last applied settings (slot 6), then to the tray.
        {2, {"HIDE TO TRAY"}, 1, 106},
        {16, {"RESET MACROS", "APPLY"}, 1, 50},
        {19, {std::string("URL ") + kMakerWebSite}, 1, 50},
        {17, {}, 1, 50},
        {18, {}, 1, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        state_.curConfig = 1;
        state_.profile.Set(FactoryProfile);
        Click(Center(Main(c.entry)));
        EXPECT_EQ(host_.Effects(), c.effects);
        EXPECT_EQ(state_.curConfig, c.curConfig);
        EXPECT_EQ(Profile().FIRE_TIME, c.fireTime);
    }
}

TEST_F(DispatchTest, HidingThroughEntryTwoKeepsOnlyTheDpiLevel) {
    state_.profile.Update([](ProfileSettings& p) {
        p.DPI_LEVEL = 3;
        p.WHEEL_STATUS = 1;
    });
    Click(Center(Main(2)));
    EXPECT_EQ(ReadIniString(state_.configPath, "Config6", "DPI_LEVEL", 5), "3");
    EXPECT_EQ(Profile().DPI_LEVEL, 3);
    EXPECT_EQ(Profile().WHEEL_STATUS, 0);
    EXPECT_EQ(state_.hover.main, kNoElement);
}

TEST_F(DispatchTest, ResetWritesTheFactoryProfilesAndAppliesTheResetProfile) {
    state_.profile.Update([](ProfileSettings& p) {
        p.FIRE_TIME = 7;
        p.MACRO_MODE2 = 1;
    });
    ProfileSettings applied;
    Dispatcher dispatch(state_, host_, preview_, {[&] { applied = state_.profile.Get(); }, {}, {}});
    dispatch.OnMouseMove(Center(Main(16)));
    dispatch.OnButtonDown(Center(Main(16)));
    dispatch.OnButtonUp(Center(Main(16)));
    EXPECT_EQ(ReadIniString(state_.configPath, "Config1", "FIRE_TIME", 5), "50");
    EXPECT_EQ(applied.FIRE_TIME, 50);
    EXPECT_EQ(applied.MACRO_MODE2, 1);  // not a factory value
    EXPECT_EQ(Profile(), applied);
}

TEST_F(DispatchTest, TheReleaseActsOnTheElementUnderThePointer) {
    // Pressed on a DPI cell, released over apply: the new DPI step is set and applied.
    Press(Center(Main(66 + 2)), Center(Main(3)));
    EXPECT_EQ(Profile().DPI_SET[0], 2);
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{"APPLY"});
    // Pressed on apply, released on empty skin: nothing.
    Press(Center(Main(3)), EmptySkin());
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
}

TEST_F(DispatchTest, EmptySkinDragsTheWindowButAnElementWithoutActionDoesNot) {
    const Point empty = EmptySkin();
    dispatch_.OnMouseMove(empty);
    dispatch_.OnButtonDown(empty);
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"DRAG " + std::to_string(empty.x) + "," + std::to_string(empty.y)}));
    EXPECT_FALSE(state_.buttonPressed);

    dispatch_.OnMouseMove(Center(Main(3)));
    dispatch_.OnButtonDown(Center(Main(3)));
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
    EXPECT_TRUE(state_.buttonPressed);

    // On the other pages a main-page element is skin like any other: it drags.
    for (uint8_t page : {kAdvancedPage, kColorPage}) {
        state_.currentPage = page;
        const Point p = Center(Main(66));
        ASSERT_EQ(HitTestAll(state_.layout, page, p), HoverIndices{});
        dispatch_.OnMouseMove(p);
        dispatch_.OnButtonDown(p);
        EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"DRAG " + std::to_string(p.x) + "," + std::to_string(p.y)}));
        EXPECT_EQ(Profile().DPI_SET[0], FactoryProfile.DPI_SET[0]);
    }
}

TEST_F(DispatchTest, PageSwitchingCreatesAndDestroysTheMacroControls) {
    struct Case {
        int tab;
        uint8_t page;
        std::vector<std::string> effects;
    };
    const Case cases[] = {
        {10, kAdvancedPage, {"CREATE CONTROLS"}},
        {9, kMainPage, {"DESTROY CONTROLS"}},
        {11, kColorPage, {}},
        {10, kAdvancedPage, {"CREATE CONTROLS"}},
        {11, kColorPage, {"DESTROY CONTROLS"}},
        {9, kMainPage, {}},
        {10, kAdvancedPage, {"CREATE CONTROLS"}},  // coming back creates them again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        Click(Center(Main(c.tab)));
        EXPECT_EQ(state_.currentPage, c.page);
        EXPECT_EQ(host_.Effects(), c.effects);
    }
    const SkinLayout& l = state_.layout;
    const MacroControlRects expected{l.RepeatBoxRect, l.NameBoxRect, l.MacroListRect, l.EventListRect};
    EXPECT_EQ(host_.controlRects, expected);
}

TEST_F(DispatchTest, EnteringTheAdvancedPageRepaintsOnlyTheRepaintRegion) {
    dispatch_.OnMouseMove(Center(Main(10)));
    host_.Take();
    dispatch_.OnButtonDown(Center(Main(10)));
    const auto log = host_.Take();
    ASSERT_GE(log.size(), 3u);
    // The press marks the whole window first; the page switch then the region and the controls.
    EXPECT_EQ(log[0], "INVALIDATE");
    EXPECT_EQ(log[1], "INVALIDATE REGION");
    EXPECT_EQ(log[2], "CREATE CONTROLS");
}

TEST_F(DispatchTest, HoverChangesRepaintAtOnce) {
    const Point empty = EmptySkin();
    dispatch_.OnMouseMove(empty);
    EXPECT_EQ(host_.Take(), std::vector<std::string>{});  // nothing changed from "none"
    dispatch_.OnMouseMove(Center(Main(3)));
    EXPECT_EQ(host_.Take(), (std::vector<std::string>{"INVALIDATE", "UPDATE"}));
    EXPECT_EQ(state_.hover.main, 3);
    dispatch_.OnMouseMove(Center(Main(3)));
    EXPECT_EQ(host_.Take(), std::vector<std::string>{});

    state_.currentPage = kAdvancedPage;
    dispatch_.OnMouseMove(Center(Advanced(8)));
    // Main left 3 and advanced entered 8: one region repaint for each table that changed.
    EXPECT_EQ(host_.Take(), (std::vector<std::string>{"INVALIDATE REGION", "UPDATE", "INVALIDATE REGION", "UPDATE"}));
    EXPECT_EQ(state_.hover.advanced, 8);
}

TEST_F(DispatchTest, AdvancedPagePressTable) {
    state_.currentPage = kAdvancedPage;
    struct Case {
        int entry;
        int32_t ProfileSettings::*field32;
        uint8_t ProfileSettings::*field8;
        int32_t before;
        int32_t after;
    };
    const Case cases[] = {
        {7, &ProfileSettings::MACRO_MODE2, nullptr, 0, 1},
        {7, &ProfileSettings::MACRO_MODE2, nullptr, 5, 0},
        {8, nullptr, &ProfileSettings::DPI_SPEED, 4, 0},
        {17, nullptr, &ProfileSettings::DPI_SPEED, 4, 9},
        {18, nullptr, &ProfileSettings::WHEEL_SPEED, 2, 0},
        {27, nullptr, &ProfileSettings::WHEEL_SPEED, 2, 9},
        {31, &ProfileSettings::FIRE_TIME, nullptr, 299, 300},
        {31, &ProfileSettings::FIRE_TIME, nullptr, 300, 300},
        {32, &ProfileSettings::FIRE_TIME, nullptr, 1, 0},
        {32, &ProfileSettings::FIRE_TIME, nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        state_.profile.Update([&](ProfileSettings& p) {
            if (c.field32) p.*c.field32 = c.before;
            if (c.field8) p.*c.field8 = static_cast<uint8_t>(c.before);
        });
        Click(Center(Advanced(c.entry)));
        const ProfileSettings p = Profile();
        EXPECT_EQ(c.field32 ? p.*c.field32 : p.*c.field8, c.after);
        EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
    }
}

TEST_F(DispatchTest, FireTimeSliderFollowsTheClickAndStaysBelow300) {
    state_.currentPage = kAdvancedPage;
    const SkinButton& s = Advanced(30);
    struct Case {
        int32_t offset;
        int32_t fireTime;
    };
    const Case cases[] = {
        {0, 0},
        {s.width / 2, static_cast<int32_t>(static_cast<uint32_t>(s.width / 2) * 300u / static_cast<uint32_t>(s.width))},
        {s.width - 1, static_cast<int32_t>(static_cast<uint32_t>(s.width - 1) * 300u / static_cast<uint32_t>(s.width))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        Click({s.x + c.offset, s.y + s.height / 2});
        EXPECT_EQ(Profile().FIRE_TIME, c.fireTime);
    }
    EXPECT_LT(Profile().FIRE_TIME, 300);
    // The right edge is outside the slider.
    EXPECT_NE(HitTestAll(state_.layout, kAdvancedPage, {s.x + s.width, s.y}).advanced, 30);
}

TEST_F(DispatchTest, ColorPagePressTable) {
    state_.currentPage = kColorPage;
    for (int mode : {3, 0, 2, 1}) {
        Click(Center(Color(mode)));
        EXPECT_EQ(Profile().LED_STATUS, mode);
    }
    // Elements past the fourth are not hit-tested: the press on them drags.
    const Point title = Center(Color(5));
    Click(title);
    EXPECT_EQ(Profile().LED_STATUS, 1);
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"DRAG " + std::to_string(title.x) + "," + std::to_string(title.y)}));
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{});
}

TEST_F(DispatchTest, FunctionPopupOpensUnderItsElementAndStoresTheChoice) {
    const SkinButton& e = Main(27);
    Click(Center(e));
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{"OPEN MENU"});
    EXPECT_TRUE(state_.buttonMenuOpen);
    EXPECT_EQ(state_.editedButton, 27);
    EXPECT_EQ(host_.menu.anchor, (Point{1000 + e.x, 2000 + e.y + e.height}));
    EXPECT_EQ(host_.menu.texts.functionNames, state_.layout.FunctionNames);
    host_.menu.choose(21);
    EXPECT_EQ(Profile().K[2], 21);
    // The next press on the main page closes it.
    Click(Center(Main(3)));
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"CLOSE MENU", "APPLY"}));
    EXPECT_FALSE(state_.buttonMenuOpen);
}

TEST_F(DispatchTest, WarningBeforeEditingTheOnlyPrimaryClick) {
    struct Case {
        int answer;
        std::vector<std::string> effects;
    };
    const Case cases[] = {
        {kWarningCancel, {"WARNING"}},
        {kWarningConfirm, {"WARNING", "OPEN MENU"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        state_.buttonMenuOpen = false;
        host_.warningAnswer = c.answer;
        Click(Center(Main(25)));  // K0 is the only primary click
        EXPECT_EQ(host_.Effects(), c.effects);
        EXPECT_EQ(state_.buttonMenuOpen, c.answer == kWarningConfirm);
        EXPECT_EQ(host_.warningAnchor, (Point{1000 + Main(25).x, 2000 + Main(25).y + Main(25).height}));
        EXPECT_EQ(Profile(), FactoryProfile);
    }
    // The choice moves the primary click to the next button.
    host_.menu.choose(3);
    EXPECT_EQ(Profile().K[0], 3);
    EXPECT_EQ(Profile().K[1], 1);
}

TEST_F(DispatchTest, ChoicesKeepAPrimaryClick) {
    struct Case {
        const char* name;
        std::array<int32_t, 6> before;
        int entry;
        int32_t code;
        std::array<int32_t, 6> after;
    };
    const Case cases[] = {
        {"another button keeps it", {1, 1, 3, 5, 4, 6}, 25, 7, {7, 1, 3, 5, 4, 6}},
        {"the next button gets it", {2, 1, 3, 5, 4, 6}, 26, 42, {2, 42, 1, 5, 4, 6}},
        // Button 5 is the last one: its new function is overwritten with the primary click.
        {"button 5 keeps it itself", {2, 3, 3, 5, 4, 1}, 30, 21, {2, 3, 3, 5, 4, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_.buttonMenuOpen = false;
        state_.profile.Update([&](ProfileSettings& p) { p.K = c.before; });
        Click(Center(Main(c.entry)));
        host_.menu.choose(c.code);
        EXPECT_EQ(Profile().K, c.after);
    }
}

TEST_F(DispatchTest, ProfileExportAndImportThroughTheFileDialog) {
    const std::string file = (folder_ / "exchange.ini").string();
    host_.chosenFile = file;
    state_.profile.Update([](ProfileSettings& p) { p.FIRE_TIME = 77; });
    Click(Center(Main(15)));
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{"SAVE DIALOG All Files (*.ini) ini"});
    EXPECT_EQ(ReadIniString(file, "Config7", "FIRE_TIME", 5), "77");

    state_.profile.Set(FactoryProfile);
    Click(Center(Main(14)));
    EXPECT_EQ(host_.Effects(), std::vector<std::string>{"OPEN DIALOG All Files (*.ini) "});
    EXPECT_EQ(Profile().FIRE_TIME, 77);
    EXPECT_EQ(state_.curConfig, 1);

    // Cancelled: nothing changes.
    host_.chosenFile.reset();
    state_.profile.Set(FactoryProfile);
    Click(Center(Main(14)));
    EXPECT_EQ(Profile(), FactoryProfile);
}

TEST_F(DispatchTest, KeysAndSystemCommands) {
    for (int key : {kKeyEscape, kKeyReturn, kKeyF10}) EXPECT_TRUE(dispatch_.FilterKey(key)) << key;
    EXPECT_FALSE(dispatch_.FilterKey('A'));
    dispatch_.OnSystemCommand(kAboutCommand);
    dispatch_.OnSystemCommand(kSysCommandMinimize);
    dispatch_.OnSystemCommand(kSysCommandClose);
    dispatch_.OnSystemCommand(0xF120);
    EXPECT_EQ(host_.Effects(), (std::vector<std::string>{"MESSAGE About ZRV_Vantix | ZRV_Vantix Version 1.0",
                                                         "MINIMIZE", "HIDE TO TRAY"}));
}

}  // namespace
}  // namespace zrv
