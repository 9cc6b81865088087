// The one application object of the gui tests. A QApplication serves both widget and
// image tests; it is never destroyed, because Qt's own statics may go first at exit.
#pragma once

#include <QApplication>

namespace zrv {

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "zrv_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return created;
    }();
    return *app;
}

}  // namespace zrv
