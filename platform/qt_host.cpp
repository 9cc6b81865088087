#include "platform/qt_host.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QUrl>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>

#include "platform/qt_canvas.h"
#include "platform/qt_popups.h"
#include "platform/qt_window.h"
#include "skin/control_font.h"

namespace zrv {
namespace {

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Drawn rather than loaded, so the tray never shows an empty square when files are
// missing: a small mouse in the skin's colours.
QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        QLinearGradient body(0, 2, 0, 30);
        body.setColorAt(0, QColor(0x2A, 0x33, 0x44));
        body.setColorAt(1, QColor(0x10, 0x14, 0x1C));
        painter.setBrush(body);
        painter.setPen(QPen(QColor(0x2E, 0xC8, 0xF0), 2.2));
        painter.drawRoundedRect(QRectF(7, 2, 18, 28), 9, 9);
        painter.setPen(QPen(QColor(0x2E, 0xC8, 0xF0), 1.6));
        painter.drawLine(QPointF(16, 3), QPointF(16, 13));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xF0, 0x3C, 0xC8));
        painter.drawRoundedRect(QRectF(14, 6, 4, 6), 2, 2);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QString FindCalculator() {
    for (const char* name : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}

QtHost::QtHost() : window_(std::make_unique<QtWindow>()) {
    window_->setWindowIcon(ProgramIcon());
    connect(window_.get(), &QtWindow::closeRequested, this, [this] { HideToTray(); });
}

QtHost::~QtHost() {
    // The popups and controls are children of the window; they go with it.
    DestroyMacroControls();
}

void QtHost::SetWindowTitle(const std::string& title) { window_->setWindowTitle(Q(title)); }

void QtHost::MessageBox(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, Q(caption), Q(text), QMessageBox::Ok);
    box.exec();
}

// Adding while the icon is there changes nothing.
void QtHost::AddTrayIcon(const std::string& tip) {
    if (tray_ || !QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!tray_) trayTip_ = tip;
        return;
    }
    trayTip_ = tip;
    tray_ = std::make_unique<QSystemTrayIcon>(ProgramIcon());
    tray_->setToolTip(Q(tip));
    if (trayMenu_) tray_->setContextMenu(trayMenu_.get());
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) ShowAndRestore();
    });
    tray_->show();
}

void QtHost::DeleteTrayIcon() {
    if (tray_) tray_->hide();
    tray_.reset();
}

bool QtHost::TrayIconShown() const { return tray_ != nullptr; }

void QtHost::DestroyWindow() {
    if (destroyed_) return;
    destroyed_ = true;
    window_->hide();
    QCoreApplication::quit();
}

void QtHost::ShowAndRestore() {
    if (destroyed_) return;
    window_->show();
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->raise();
    window_->activateWindow();
}

void QtHost::ShowWindow() {
    if (!destroyed_) window_->show();
}

void QtHost::HideToTray() {
    window_->showMinimized();
    window_->hide();
    AddTrayIcon(trayTip_.empty() ? window_->windowTitle().toStdString() : trayTip_);
}

void QtHost::RequestRepaint() {
    PostToWindowThread([this] { window_->update(); });
}

void QtHost::PostToWindowThread(std::function<void()> fn) {
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void QtHost::StartCalculator() {
    const QString calculator = FindCalculator();
    if (!calculator.isEmpty()) QProcess::startDetached(calculator, {});
}

void QtHost::StartTerminal() { QProcess::startDetached(QStringLiteral("x-terminal-emulator"), {}); }

void QtHost::SetTrayMenu(const std::string& showText, const std::string& exitText, std::function<void()> onShow,
                         std::function<void()> onExit) {
    trayMenu_ = std::make_unique<QMenu>();
    connect(trayMenu_->addAction(Q(showText)), &QAction::triggered, this, [onShow] { onShow(); });
    connect(trayMenu_->addAction(Q(exitText)), &QAction::triggered, this, [onExit] { onExit(); });
    if (tray_) tray_->setContextMenu(trayMenu_.get());
}

}  // namespace zrv

namespace zrv {

void QtHost::SetWindowShape(const Region& shape, Size size) { window_->SetShape(shape, size); }

void QtHost::SetControlFont(int uiLanguage) {
    const ControlFont font = ControlFontFor(uiLanguage);
    controlFont_ = QFont(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())));
    controlFont_.setPixelSize(font.pixelSize);
}

void QtHost::InvalidateWindow() { window_->Invalidate(window_->rect()); }
void QtHost::InvalidateRegion(const Region& region) { window_->Invalidate(ToQRegion(region)); }
void QtHost::UpdateWindow() { window_->PaintPending(); }
void QtHost::StartWindowDrag(Point p) { window_->StartDrag(p); }
void QtHost::MinimizeWindow() { window_->showMinimized(); }
void QtHost::HideWindow() { window_->hide(); }

Point QtHost::WindowOrigin() const {
    const QPoint origin = window_->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y()};
}

void QtHost::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(Q(url))); }

std::optional<std::string> QtHost::ChooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(window_.get(), QString(), Q(request.folder), Q(request.filter));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(Q(request.defaultSuffix));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

// Empty stand-ins at the layout's rectangles, white on black in the control font; the macro
// editor fills them.
void QtHost::CreateMacroControls(const MacroControlRects& rects) {
    DestroyMacroControls();
    for (size_t i = 0; i < rects.size(); ++i) {
        QWidget* control = i < 2 ? static_cast<QWidget*>(new QLineEdit(window_.get()))
                                 : static_cast<QWidget*>(new QListWidget(window_.get()));
        const SkinRect& r = rects[i];
        control->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
        control->setFont(controlFont_);
        control->setStyleSheet(QStringLiteral("background-color: black; color: white; border: 1px solid #303030;"));
        control->show();
        controls_.emplace_back(control);
    }
}

void QtHost::DestroyMacroControls() {
    for (const QPointer<QWidget>& control : controls_) delete control.data();
    controls_.clear();
}

int QtHost::ShowWarning(const WarningRequest& request) {
    if (!images_) return kWarningConfirm;
    QtWarningDialog dialog(*images_, request, window_.get());
    const int result = dialog.exec();
    return result == kWarningCancel ? kWarningCancel : kWarningConfirm;
}

void QtHost::OpenFunctionMenu(const FunctionMenuRequest& request) {
    CloseFunctionMenu();
    if (!images_) return;
    menu_ = new QtFunctionMenu(*images_, request, popupMemory_, window_.get());
    menu_->show();
}

void QtHost::CloseFunctionMenu() {
    if (!menu_) return;
    menu_->hide();
    menu_->deleteLater();
    menu_ = nullptr;
}

}  // namespace zrv
