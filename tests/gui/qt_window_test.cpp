// The skinned main window on the offscreen platform: the shipped skin, a recorded mouse, and
// mouse events at the layout's element rectangles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "config/settings.h"
#include "platform/qt_canvas.h"
#include "platform/qt_host.h"
#include "platform/qt_window.h"
#include "platform/recording_hid.h"
#include "platform/recording_system_settings.h"
#include "test_app.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

void Spin() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), QPointF(widget.mapToGlobal(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class QtWindowTest : public testing::Test {
protected:
    void SetUp() override {
        TestApp();
        host_ = std::make_unique<QtHost>();
        folder_ = fs::temp_directory_path() / ("zrv_gui_window_" + std::to_string(::getpid()) + "_" +
                                               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        const fs::path data = fs::path(ZRV_SOURCE_DIR) / "data";
        for (const char* file : {"Macro_CN.dat", "Macro_EN.dat", "constMacro.dat", "config.ini"})
            fs::copy_file(data / file, folder_ / file);
        fs::copy(data / "skins", folder_ / "skins", fs::copy_options::recursive);
        WriteCurrentProfileNumber((folder_ / "config.ini").string(), 1);
        SaveProfile((folder_ / "config.ini").string(), 1, FactoryProfile);

        state_.programFolder = folder_.string();
        state_.programName = "ZRV_Vantix";
        images_ = MakeQtImageSource((folder_ / "skins").string());
        host_->SetImageSource(images_.get());
        window_ = std::make_unique<MainWindow>(state_, hid_, os_, *host_, clock_, images_.get());
        host_->Window().Attach(window_.get());
        ASSERT_TRUE(window_->OnInitDialog());
        host_->ShowWindow();
        Spin();
    }
    void TearDown() override {
        host_->CloseFunctionMenu();
        host_->Window().Attach(nullptr);
        window_.reset();
        host_.reset();
        fs::remove_all(folder_);
    }

    QtWindow& Window() { return host_->Window(); }
    const SkinButton& Main(int i) const { return state_.layout.MainButtons[static_cast<size_t>(i)]; }
    static QPoint Centre(const SkinButton& b) { return {b.x + b.width / 2, b.y + b.height / 2}; }

    void Press(QPoint p) {
        SendMouse(Window(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(Window(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(QPoint p) {
        SendMouse(Window(), QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        SendMouse(Window(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    void Click(QPoint p) {
        Press(p);
        Release(p);
        Spin();
    }

    // True when the element's pixels away from its label match the state image.
    bool ShowsState(const QImage& shown, const SkinButton& b, std::string_view stateImage) const {
        const auto image = images_->LoadSkinImage(stateImage);
        if (!image) return false;
        const QImage state = ToQImage(*image);
        int differ = 0;
        for (int y = b.y + 1; y < b.y + 4; ++y)
            for (int x = b.x + 1; x < b.x + b.width - 1; ++x) differ += shown.pixel(x, y) != state.pixel(x, y);
        return differ == 0;
    }

    fs::path folder_;
    ProgramState state_;
    RecordingHidSystem hid_{RecordingHidSystem::MouseInterfaces()};
    RecordingSystemSettings os_{[](const std::string&) {}};
    SteadyClock clock_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<CachedImageSource> images_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(QtWindowTest, TheWindowTakesTheMaskAsItsShape) {
    EXPECT_EQ(Window().size(), QSize(800, 600));
    EXPECT_EQ(Window().mask(), ToQRegion(state_.windowShape));
    EXPECT_FALSE(Window().mask().contains(QPoint(0, 0)));  // the rounded corner is cut away
    EXPECT_TRUE(Window().mask().contains(Centre(Main(3))));
}

TEST_F(QtWindowTest, ClicksChangeTheProfileAsTheTablesSay) {
    struct Case {
        int entry;
        std::function<bool(const ProfileSettings&)> holds;
    };
    const Case cases[] = {
        {42, [](const ProfileSettings& p) { return p.WHEEL_STATUS == 1; }},
        {66 + 12 * 2 + 3, [](const ProfileSettings& p) { return p.DPI_SET[2] == 3; }},
        {57, [](const ProfileSettings& p) { return p.DPI_LEVEL == 3; }},
        {46, [](const ProfileSettings& p) { return p.DPI_SET_EN[0] == 0; }},
        {41, [](const ProfileSettings& p) { return p.WHEEL_STATUS == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Click(Centre(Main(c.entry)));
        EXPECT_TRUE(c.holds(state_.profile.Get()));
    }
}

TEST_F(QtWindowTest, ReleaseOverApplySendsTheNewDpiStep) {
    const size_t before = hid_.Reports().size();
    Press(Centre(Main(66 + 7)));
    Release(Centre(Main(3)));
    Spin();
    EXPECT_EQ(state_.profile.Get().DPI_SET[0], 7);
    const auto reports = hid_.Reports();
    ASSERT_GT(reports.size(), before);
    EXPECT_EQ(state_.applied.dpiCode[0], DpiTable[7].code);
}

TEST_F(QtWindowTest, ThePressedElementShowsTheDownImage) {
    const SkinButton& apply = Main(3);
    Press(Centre(apply));
    const QImage pressed = Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(ShowsState(pressed, apply, "main_down.jpg"));
    EXPECT_FALSE(ShowsState(pressed, Main(13), "main_down.jpg"));

    // Released, still under the pointer: the hover image.
    Release(Centre(apply));
    Spin();
    const QImage hovered = Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(ShowsState(hovered, apply, "main_over.jpg"));
    EXPECT_FALSE(ShowsState(hovered, apply, "main_down.jpg"));
}

TEST_F(QtWindowTest, TheAdvancedPageHasItsFourControlsWhileShown) {
    Click(Centre(Main(10)));
    EXPECT_EQ(state_.currentPage, kAdvancedPage);
    ASSERT_EQ(host_->MacroControls().size(), 4u);
    const SkinRect& names = state_.layout.MacroListRect;
    ASSERT_TRUE(host_->MacroControls()[2]);
    EXPECT_EQ(host_->MacroControls()[2]->geometry(), QRect(names.left, names.top, names.right - names.left,
                                                         names.bottom - names.top));
    EXPECT_TRUE(host_->MacroControls()[2]->isVisible());
    // With the pointer away, the tab of the page shown is drawn down.
    SendMouse(Window(), QEvent::MouseMove, QPoint(2, 2), Qt::NoButton, Qt::NoButton);
    const QImage shown = Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(ShowsState(shown, Main(10), "advanced_down.jpg"));

    Click(Centre(Main(9)));
    EXPECT_EQ(state_.currentPage, kMainPage);
    EXPECT_TRUE(host_->MacroControls().empty());
}

TEST_F(QtWindowTest, FunctionListOpensUnderItsElementAndAChoiceStoresTheCode) {
    const SkinButton& e = Main(26);  // K1: the left button keeps the primary click, no warning
    Click(Centre(e));
    QtFunctionMenu* menu = host_->FunctionMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), Window().mapToGlobal(QPoint(e.x, e.y + e.height)));
    const PopupGeometry g = menu->Geometry();
    EXPECT_EQ(g, MenuGeometry({280, 261}));

    // Row 3 of the list: code 3.
    const QPoint row3(g.itemWidth / 2, 2 * g.rowHeight + g.rowHeight / 2);
    SendMouse(*menu, QEvent::MouseMove, row3, Qt::NoButton, Qt::NoButton);
    SendMouse(*menu, QEvent::MouseButtonPress, row3, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*menu, QEvent::MouseButtonRelease, row3, Qt::LeftButton, Qt::NoButton);
    Spin();
    EXPECT_EQ(state_.profile.Get().K[1], 3);
    EXPECT_EQ(host_->FunctionMenu(), nullptr);
}

TEST_F(QtWindowTest, SecondLevelListOfRowEightStoresItsCode) {
    Click(Centre(Main(27)));
    QtFunctionMenu* menu = host_->FunctionMenu();
    ASSERT_NE(menu, nullptr);
    const PopupGeometry g = menu->Geometry();
    const QPoint row8(g.itemWidth / 2, 7 * g.rowHeight + g.rowHeight / 2);
    SendMouse(*menu, QEvent::MouseMove, row8, Qt::NoButton, Qt::NoButton);
    Spin();
    QtSubMenu* sub = menu->SubMenu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->RowCount(), 10);
    EXPECT_EQ(sub->pos(), menu->pos() + QPoint(g.itemWidth, -2 * g.rowHeight));
    // A click on row 8 itself assigns nothing.
    SendMouse(*menu, QEvent::MouseButtonPress, row8, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*menu, QEvent::MouseButtonRelease, row8, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(state_.profile.Get().K[2], FactoryProfile.K[2]);

    const PopupGeometry sg = sub->Geometry();
    const QPoint second(sg.itemWidth / 2, sg.rowHeight + sg.rowHeight / 2);
    SendMouse(*sub, QEvent::MouseMove, second, Qt::NoButton, Qt::NoButton);
    SendMouse(*sub, QEvent::MouseButtonPress, second, Qt::LeftButton, Qt::LeftButton);
    SendMouse(*sub, QEvent::MouseButtonRelease, second, Qt::LeftButton, Qt::NoButton);
    Spin();
    EXPECT_EQ(state_.profile.Get().K[2], 22);
    EXPECT_EQ(host_->FunctionMenu(), nullptr);
}

TEST_F(QtWindowTest, ANewListOpensTheSecondLevelOfTheRowThePreviousListEndedOn) {
    for (int round = 0; round < 2; ++round) {
        Click(Centre(Main(27)));
        QtFunctionMenu* menu = host_->FunctionMenu();
        ASSERT_NE(menu, nullptr) << round;
        const PopupGeometry g = menu->Geometry();
        const QPoint row8(g.itemWidth / 2, 7 * g.rowHeight + g.rowHeight / 2);
        SendMouse(*menu, QEvent::MouseMove, row8, Qt::NoButton, Qt::NoButton);
        Spin();
        ASSERT_NE(menu->SubMenu(), nullptr) << round;
        // A press elsewhere on the main page closes the list with the pointer still on row 8.
        Click(Centre(Main(20)));
        EXPECT_EQ(host_->FunctionMenu(), nullptr) << round;
    }
}

TEST_F(QtWindowTest, WarningCancelOpensNoListAndConfirmDoes) {
    struct Case {
        int answer;
        bool byEscape;  // the Escape key instead of a click on the button
        bool menuOpen;
    };
    for (const Case& c :
         {Case{kWarningCancel, false, false}, Case{kWarningConfirm, false, true}, Case{kWarningCancel, true, false}}) {
        SCOPED_TRACE(std::to_string(c.answer) + (c.byEscape ? " by Escape" : ""));
        host_->CloseFunctionMenu();
        Spin();
        // Answer the modal warning by a click on its button once it shows; never hang.
        QTimer answer;
        answer.setInterval(50);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* warning = qobject_cast<QtWarningDialog*>(QApplication::activeModalWidget());
            if (!warning) return;
            answer.stop();
            if (c.byEscape) {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(warning, &escape);
                return;
            }
            const SkinButton& b = state_.layout.WarningButtons[static_cast<size_t>(c.answer - 1)];
            const QPoint p(b.x + b.width / 2, b.y + b.height / 2);
            EXPECT_EQ(warning->MaskSize(), (Size{440, 150}));
            SendMouse(*warning, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
            SendMouse(*warning, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        });
        answer.start();
        QTimer::singleShot(5000, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "the warning was not answered";
                modal->reject();
            }
        });
        Click(Centre(Main(25)));  // K0 holds the only primary click
        EXPECT_EQ(host_->FunctionMenu() != nullptr, c.menuOpen);
        EXPECT_EQ(state_.profile.Get().K, FactoryProfile.K);
    }
}

}  // namespace
}  // namespace zrv
