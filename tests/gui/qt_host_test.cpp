#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/qt_host.h"
#include "platform/qt_single_instance.h"
#include "platform/qt_window.h"
#include "test_app.h"

namespace zrv {
namespace {

// Runs the event loop until done() or two seconds passed.
bool SpinUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(2000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class QtHostTest : public testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    }
    QTemporaryDir runtime_;
};

TEST_F(QtHostTest, SecondInstanceAsksTheFirstToShowItself) {
    const QString name = QStringLiteral("zrv_gui_test_instance");
    auto first = std::make_unique<QSingleInstance>(name);
    ASSERT_TRUE(first->Start());
    int showRequests = 0;
    QObject::connect(first.get(), &QSingleInstance::showRequested, [&] { ++showRequests; });

    QSingleInstance second(name);
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(SpinUntil([&] { return showRequests == 1; }));

    // Another name is another program.
    QSingleInstance other(QStringLiteral("zrv_gui_test_other"));
    EXPECT_TRUE(other.Start());

    // Once the first is gone, the next one to start is the first again, despite the
    // socket file a crashed instance would leave.
    first.reset();
    QSingleInstance third(name);
    EXPECT_TRUE(third.Start());
    EXPECT_EQ(showRequests, 1);
}

TEST_F(QtHostTest, WithoutALockFileTheProgramStillStarts) {
    const QString name = QStringLiteral("zrv_gui_test_nolock");
    // A folder where the lock file belongs: it cannot be opened.
    ASSERT_TRUE(QDir().mkpath(QSingleInstance::BasePath(name) + ".lock"));
    QSingleInstance first(name);
    EXPECT_TRUE(first.Start());
}

TEST_F(QtHostTest, RuntimeFolderHoldsTheLockAndSocket) {
    EXPECT_EQ(QSingleInstance::BasePath(QStringLiteral("CZRV_VantixApp")), runtime_.path() + "/CZRV_VantixApp");
    qputenv("XDG_RUNTIME_DIR", "");
    EXPECT_TRUE(QSingleInstance::BasePath(QStringLiteral("CZRV_VantixApp")).endsWith(
        "/CZRV_VantixApp-" + QString::number(getuid())));
}

TEST_F(QtHostTest, PostedWorkRunsOnTheWindowThread) {
    QtHost host;
    std::atomic<bool> ran{false};
    std::thread::id ranOn;
    std::thread worker([&] {
        host.PostToWindowThread([&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        });
    });
    worker.join();
    EXPECT_FALSE(ran);  // queued, not run on the caller's thread
    ASSERT_TRUE(SpinUntil([&] { return ran.load(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(QtHostTest, ClosingHidesTheWindowAndDestroyEndsTheLoop) {
    QtHost host;
    host.SetWindowTitle("Halvex Gaming Mouse");
    host.ShowWindow();
    ASSERT_TRUE(SpinUntil([&] { return host.Window().isVisible(); }));
    host.Window().close();
    EXPECT_TRUE(SpinUntil([&] { return !host.Window().isVisible(); }));
    EXPECT_FALSE(host.WindowDestroyed());
    host.ShowAndRestore();
    EXPECT_TRUE(host.Window().isVisible());
    EXPECT_FALSE(host.Window().windowState() & Qt::WindowMinimized);

    QTimer::singleShot(0, [&] { host.DestroyWindow(); });
    QTimer guard;
    guard.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(host.WindowDestroyed());
    EXPECT_FALSE(host.Window().isVisible());
}

}  // namespace
}  // namespace zrv
