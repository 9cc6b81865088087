// The skinned popups as Qt windows: the function list and its second-level list (modeless,
// frameless, rectangular) and the primary-click warning (modal, shaped by its mask). Their
// rules are in skin/popup.h; these only forward events and show what is painted.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "platform/qt_canvas.h"
#include "skin/popup.h"
#include "skin/skin_image.h"

namespace zrv {

class QtSubMenu;

class QtFunctionMenu : public QWidget {
    Q_OBJECT
public:
    // Placed at the request's anchor, 300 x 300, cut to its ten rows.
    QtFunctionMenu(const ImageSource& images, FunctionMenuRequest request, PopupMemory& memory, QWidget* parent);
    ~QtFunctionMenu() override;

    const PopupGeometry& Geometry() const { return geometry_; }
    int HoverRow() const { return hover_; }
    QtSubMenu* SubMenu() const { return sub_; }
    // After a choice in the second-level list: both lists go.
    void CloseAfterChoice();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RebuildSubMenu();

    const ImageSource& images_;
    FunctionMenuRequest request_;
    PopupMemory& memory_;
    PopupGeometry geometry_;
    int hover_ = kNoRow;
    bool pressed_ = false;
    QPointer<QtSubMenu> sub_;
    QtCanvas canvas_;
};

class QtSubMenu : public QWidget {
    Q_OBJECT
public:
    QtSubMenu(const ImageSource& images, int parentRow, QtFunctionMenu& menu, const FunctionMenuRequest& request,
              PopupMemory& memory);

    const PopupGeometry& Geometry() const { return geometry_; }
    int RowCount() const { return rows_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const ImageSource& images_;
    int parentRow_;
    QtFunctionMenu& menu_;
    const FunctionMenuRequest& request_;
    PopupMemory& memory_;
    PopupGeometry geometry_;
    int rows_ = 0;
    int hover_ = kNoRow;
    bool pressed_ = false;
    QtCanvas canvas_;
};

class QtWarningDialog : public QDialog {
    Q_OBJECT
public:
    // exec() gives 1 (confirm) or 2 (cancel).
    QtWarningDialog(const ImageSource& images, const WarningRequest& request, QWidget* parent);

    Size MaskSize() const { return maskSize_; }
    // Escape or closing the dialog cancels, as the dialog's default handling does.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const ImageSource& images_;
    WarningRequest request_;
    Size maskSize_;
    int hover_ = kNoRow;
    QtCanvas canvas_;
};

}  // namespace zrv
