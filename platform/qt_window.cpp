#include "platform/qt_window.h"

#include <QCloseEvent>

namespace zrv {

QtWindow::QtWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    resize(800, 600);
    move(0, 0);
}

// Closing only hides the window to the tray; the host decides how.
void QtWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

}  // namespace zrv
