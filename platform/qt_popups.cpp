#include "platform/qt_popups.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "skin/mask_region.h"

namespace zrv {
namespace {

constexpr Qt::WindowFlags kPopupFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;

Point ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

Size MaskSizeOf(const ImageSource& images, std::string_view mask) {
    const auto image = images.LoadSkinImage(mask);
    return image ? image->GetSize() : Size{};
}

void ShowCanvas(QWidget& widget, const QtCanvas& canvas) {
    QPainter painter(&widget);
    painter.drawImage(0, 0, canvas.Image());
}

void PreparePopup(QWidget& popup) {
    popup.setAttribute(Qt::WA_OpaquePaintEvent);
    popup.setAttribute(Qt::WA_NoSystemBackground);
    popup.setAttribute(Qt::WA_ShowWithoutActivating);
    popup.setMouseTracking(true);
}

}  // namespace

QtFunctionMenu::QtFunctionMenu(const ImageSource& images, FunctionMenuRequest request, PopupMemory& memory,
                               QWidget* parent)
    : QWidget(parent, kPopupFlags), images_(images), request_(std::move(request)), memory_(memory) {
    PreparePopup(*this);
    setWindowTitle(QStringLiteral("MainMenuDlg"));
    geometry_ = MenuGeometry(MaskSizeOf(images_, kMenuMaskImage));
    setGeometry(request_.anchor.x, request_.anchor.y, kMenuWindowSize.width, kMenuWindowSize.height);
    setMask(QRegion(0, 0, geometry_.itemWidth, geometry_.visibleHeight));
}

QtFunctionMenu::~QtFunctionMenu() = default;

void QtFunctionMenu::paintEvent(QPaintEvent*) {
    ListPaint list;
    list.geometry = geometry_;
    list.rowCount = kMenuRows;
    list.hoverRow = hover_ >= 1 && hover_ <= kMenuRows ? hover_ : kNoRow;
    list.pressed = pressed_;
    list.uiLanguage = request_.uiLanguage;
    for (int row = 1; row <= kMenuRows; ++row) list.texts.push_back(MenuRowText(request_.texts, row));
    PaintList(images_, kMenuImages, canvas_, list);
    ShowCanvas(*this, canvas_);
}

// The second-level list follows the hovered row: rows 7..10 open theirs, any change closes
// the one before.
void QtFunctionMenu::RebuildSubMenu() {
    if (sub_) {
        sub_->hide();
        sub_->deleteLater();
        sub_ = nullptr;
    }
    if (!HasSubMenu(hover_)) return;
    sub_ = new QtSubMenu(images_, hover_, *this, request_, memory_);
    if (sub_->Geometry().visibleHeight > 0) sub_->show();
}

void QtFunctionMenu::mouseMoveEvent(QMouseEvent* event) {
    const int row = RowAt(ClientPoint(event), geometry_, kMenuHitRows);
    if (row == hover_) return;
    hover_ = row;
    update();
    RebuildSubMenu();
}

void QtFunctionMenu::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void QtFunctionMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = false;
    update();
    const int32_t code = MenuRowCode(hover_);
    if (code == 0) return;  // rows with a second-level list, or none: the list stays
    if (request_.choose) request_.choose(code);
    hide();
    deleteLater();
}

void QtFunctionMenu::CloseAfterChoice() {
    hide();
    deleteLater();
}

QtSubMenu::QtSubMenu(const ImageSource& images, int parentRow, QtFunctionMenu& menu, const FunctionMenuRequest& request,
                     PopupMemory& memory)
    : QWidget(&menu, kPopupFlags),
      images_(images),
      parentRow_(parentRow),
      menu_(menu),
      request_(request),
      memory_(memory) {
    PreparePopup(*this);
    rows_ = SubMenuRowCount(parentRow, static_cast<int>(request.texts.userMacroNames.size()));
    geometry_ = SubMenuGeometry(MaskSizeOf(images_, kSubMenuMaskImage), rows_);
    const QPoint menuOrigin = menu.mapToGlobal(QPoint(0, 0));
    const Point origin = SubMenuOrigin({menuOrigin.x(), menuOrigin.y()}, menu.Geometry(), parentRow,
                                       static_cast<int>(request.texts.userMacroNames.size()));
    setGeometry(origin.x, origin.y, kSubMenuWindowSize.width, kSubMenuWindowSize.height);
    if (geometry_.visibleHeight > 0) setMask(QRegion(0, 0, geometry_.itemWidth, geometry_.visibleHeight));
}

void QtSubMenu::paintEvent(QPaintEvent*) {
    ListPaint list;
    list.geometry = geometry_;
    list.rowCount = rows_;
    list.hoverRow = hover_;
    list.pressed = pressed_;
    list.uiLanguage = request_.uiLanguage;
    for (int row = 1; row <= rows_; ++row) list.texts.push_back(SubMenuRowText(request_.texts, parentRow_, row));
    PaintList(images_, kSubMenuImages, canvas_, list);
    ShowCanvas(*this, canvas_);
}

void QtSubMenu::mouseMoveEvent(QMouseEvent* event) {
    const int row = RowAt(ClientPoint(event), geometry_, rows_);
    if (row == hover_) return;
    hover_ = row;
    update();
}

void QtSubMenu::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void QtSubMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = false;
    if (hover_ != kNoRow) {
        const int32_t code = SubMenuCode(parentRow_, hover_, memory_.lastSubMenuCode);
        memory_.lastSubMenuCode = code;
        if (request_.choose) request_.choose(code);
    }
    // Chosen or not, both lists close; this one goes with its parent.
    hide();
    menu_.CloseAfterChoice();
}

QtWarningDialog::QtWarningDialog(const ImageSource& images, const WarningRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), images_(images), request_(request) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setModal(true);
    // The shape is read anew at each opening.
    if (const auto mask = images_.LoadSkinImage(kWarningMaskImage)) {
        maskSize_ = mask->GetSize();
        const Region shape = BuildMaskRegion(*mask);
        setMask(shape.Empty() ? QRegion(-1, -1, 1, 1) : ToQRegion(shape));
    } else if (const auto normal = images_.LoadSkinImage(kWarningImages.normal)) {
        maskSize_ = normal->GetSize();
    }
    setGeometry(request.anchor.x, request.anchor.y, maskSize_.width, maskSize_.height);
}

void QtWarningDialog::paintEvent(QPaintEvent*) {
    PaintWarning(images_, canvas_, maskSize_, hover_, request_.buttons, request_.uiLanguage);
    ShowCanvas(*this, canvas_);
}

void QtWarningDialog::mouseMoveEvent(QMouseEvent* event) {
    const int button = WarningHit(ClientPoint(event), request_.buttons);
    if (button == hover_) return;
    hover_ = button;
    update();
}

void QtWarningDialog::reject() { done(kWarningCancel); }

void QtWarningDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (hover_ == kWarningConfirm || hover_ == kWarningCancel) done(hover_);
}

}  // namespace zrv
