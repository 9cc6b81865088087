#include "platform/qt_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/main_window.h"

namespace zrv {
namespace {

Point ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

}  // namespace

int VirtualKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyReturn;
    case Qt::Key_F10: return kKeyF10;
    default: return 0;
    }
}

QtWindow::QtWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    // Every paint covers the whole page, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(800, 600);
    move(0, 0);
}

void QtWindow::SetShape(const Region& shape, Size size) {
    setFixedSize(size.width, size.height);
    // An empty QRegion would lift the mask; a region outside the window hides it all.
    setMask(shape.Empty() ? QRegion(-1, -1, 1, 1) : ToQRegion(shape));
}

void QtWindow::Invalidate(const QRegion& region) {
    pending_ += region;
    update(region);
}

void QtWindow::PaintPending() {
    if (pending_.isEmpty() || !isVisible()) return;
    const QRegion region = pending_;
    pending_ = QRegion();
    repaint(region);
}

void QtWindow::paintEvent(QPaintEvent*) {
    pending_ = QRegion();
    QPainter painter(this);
    if (isMinimized()) {
        painter.fillRect(rect(), Qt::black);
        const QPixmap icon = windowIcon().pixmap(32, 32);
        painter.drawPixmap((width() - icon.width()) / 2, (height() - icon.height()) / 2, icon);
        return;
    }
    if (!main_) return;
    main_->Paint(canvas_);
    // The whole page went to the back buffer; it reaches the screen in one copy.
    painter.drawImage(0, 0, canvas_.Image());
}

void QtWindow::StartDrag(Point p) {
    if (QWindow* handle = windowHandle(); handle && handle->startSystemMove()) return;
    // Without a window manager that moves windows, follow the pointer ourselves.
    dragging_ = true;
    dragOffset_ = QPoint(p.x, p.y);
}

void QtWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        if (event->buttons() & Qt::LeftButton) move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (main_ && !main_->Exited()) main_->Input().OnMouseMove(ClientPoint(event));
}

void QtWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !main_ || main_->Exited()) return;
    main_->Input().OnButtonDown(ClientPoint(event));
}

void QtWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // The advanced page's right button belongs to its macro editor.
        if (main_ && !main_->Exited() && main_->State().currentPage != kAdvancedPage) {
            const ProgramState& state = main_->State();
            if (HitTestAll(state.layout, state.currentPage, ClientPoint(event)) == HoverIndices{})
                ShowSystemMenu(event->globalPosition().toPoint());
        }
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (dragging_) {
        // The move swallows the release, as a caption drag does.
        dragging_ = false;
        return;
    }
    if (main_ && !main_->Exited()) main_->Input().OnButtonUp(ClientPoint(event));
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::AltModifier)) {
        ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
        return;
    }
    const int key = VirtualKeyOf(event->key());
    if (main_ && key != 0 && main_->Input().FilterKey(key)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QtWindow::ShowSystemMenu(const QPoint& globalPos) {
    if (!main_) return;
    QMenu menu(this);
    QAction* minimize = menu.addAction(QStringLiteral("Minimize"));
    menu.addAction(QStringLiteral("Close"));
    menu.addSeparator();
    QAction* about = menu.addAction(QString::fromUtf8(kAboutMenuText));
    QAction* chosen = menu.exec(globalPos);
    if (!chosen || !main_) return;
    const int command = chosen == about ? kAboutCommand : chosen == minimize ? kSysCommandMinimize : kSysCommandClose;
    main_->Input().OnSystemCommand(command);
}

// Closing only hides the window to the tray; the host decides how.
void QtWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

}  // namespace zrv
