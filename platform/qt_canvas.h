// The Qt back buffer and image decoding behind the skin painters.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <optional>
#include <string>

#include "skin/canvas.h"
#include "skin/mask_region.h"
#include "skin/skin_image.h"

namespace zrv {

// A QImage (32-bit RGB) back buffer. State copies and fills go straight to its rows; texts
// are drawn with QPainter in the control font (skin/control_font.h). Needs a
// QGuiApplication for the fonts.
class QtCanvas : public Canvas {
public:
    QtCanvas();
    ~QtCanvas() override;

    void Begin(Size size) override;
    void End() override;
    void CopyElementState(const SkinImage& source, Rect r) override;
    void FillRect(Rect r, Rgb color) override;
    void SetControlFont(int uiLanguage) override;
    Size MeasureText(std::string_view text) override;
    void DrawText(int32_t x, int32_t y, std::string_view text, Rgb color) override;

    // The composed page; valid after End() until the next Begin().
    const QImage& Image() const { return image_; }

private:
    QPainter& Painter();

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    int fontLanguage_ = -1;
};

// The JPEG (or any format Qt reads) at path as 32-bit RGB; nullopt when missing or undecodable.
std::optional<SkinImage> DecodeSkinImageFile(const std::string& path);

// Images of skinFolder decoded with Qt, cached while the files stay unchanged.
std::unique_ptr<CachedImageSource> MakeQtImageSource(const std::string& skinFolder);

// The same pixel set as a QRegion (for QWidget::setMask and update()).
QRegion ToQRegion(const Region& region);

// The image as a QImage sharing nothing with it.
QImage ToQImage(const SkinImage& image);

}  // namespace zrv
