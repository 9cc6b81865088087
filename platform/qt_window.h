// The skinned main window: frameless, shaped by the mask, painted from the back buffer the
// page painter composes, and every pointer and key event handed to the dispatch.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "platform/qt_canvas.h"
#include "skin/mask_region.h"
#include "skin/popup.h"

namespace zrv {

class MainWindow;

class QtWindow : public QWidget {
    Q_OBJECT
public:
    QtWindow();

    // Input and painting go to `window` from now on; null detaches.
    void Attach(MainWindow* window) { main_ = window; }
    // Size and shape; an empty shape shows nothing.
    void SetShape(const Region& shape, Size size);
    void Invalidate(const QRegion& region);
    // Paints what was invalidated, at once.
    void PaintPending();
    // The window follows the pointer until the button is released; p is the press in client pixels.
    void StartDrag(Point p);
    // The page as the last paint composed it.
    const QImage& BackBuffer() const { return canvas_.Image(); }

Q_SIGNALS:
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A frameless window has no system menu of its own: a right-click on empty skin or
    // Alt+Space opens this one.
    void ShowSystemMenu(const QPoint& globalPos);

    MainWindow* main_ = nullptr;
    QtCanvas canvas_;
    QRegion pending_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

// Windows virtual-key code of a Qt key for the key filter; 0 for keys it does not know.
int VirtualKeyOf(int qtKey);

}  // namespace zrv
