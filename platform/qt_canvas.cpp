#include "platform/qt_canvas.h"

#include <QColor>
#include <QString>

#include <algorithm>
#include <cstring>

#include "skin/control_font.h"

namespace zrv {
namespace {

// r clipped to (0, 0, width, height); empty when nothing is left.
Rect Clip(Rect r, int32_t width, int32_t height) {
    const int64_t left = std::max<int64_t>(r.x, 0);
    const int64_t top = std::max<int64_t>(r.y, 0);
    const int64_t right = std::min<int64_t>(int64_t{r.x} + std::max(r.width, 0), width);
    const int64_t bottom = std::min<int64_t>(int64_t{r.y} + std::max(r.height, 0), height);
    if (left >= right || top >= bottom) return {};
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
            static_cast<int32_t>(bottom - top)};
}

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QtCanvas::QtCanvas() { SetControlFont(0); }
QtCanvas::~QtCanvas() { End(); }

void QtCanvas::Begin(Size size) {
    End();
    const int w = std::max(size.width, 0);
    const int h = std::max(size.height, 0);
    if (image_.width() != w || image_.height() != h || image_.format() != QImage::Format_RGB32)
        image_ = QImage(w, h, QImage::Format_RGB32);
    image_.fill(0xFF000000u);
}

void QtCanvas::End() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& QtCanvas::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setFont(font_);
    }
    return *painter_;
}

void QtCanvas::CopyElementState(const SkinImage& source, Rect r) {
    // Rows are written directly; a painter left open by texts is closed first so it never
    // holds a stale buffer.
    End();
    r = Clip(Clip(r, source.width, source.height), image_.width(), image_.height());
    if (r.width == 0) return;
    const size_t bytes = static_cast<size_t>(r.width) * sizeof(uint32_t);
    for (int32_t y = r.y; y < r.y + r.height; ++y) {
        const uint32_t* from = source.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(source.width) + r.x;
        auto* to = reinterpret_cast<uint32_t*>(image_.scanLine(y)) + r.x;
        std::memcpy(to, from, bytes);
    }
}

void QtCanvas::FillRect(Rect r, Rgb color) {
    End();
    r = Clip(r, image_.width(), image_.height());
    if (r.width == 0) return;
    const uint32_t pixel = PackPixel(color);
    for (int32_t y = r.y; y < r.y + r.height; ++y) {
        auto* to = reinterpret_cast<uint32_t*>(image_.scanLine(y)) + r.x;
        std::fill(to, to + r.width, pixel);
    }
}

void QtCanvas::SetControlFont(int uiLanguage) {
    const int language = uiLanguage == 0 ? 0 : 1;
    if (language == fontLanguage_) return;
    const ControlFont cf = ControlFontFor(language);
    font_ = QFont(ToQString(cf.family));
    font_.setPixelSize(cf.pixelSize);
    metrics_.emplace(font_);
    fontLanguage_ = language;
    if (painter_) painter_->setFont(font_);
}

Size QtCanvas::MeasureText(std::string_view text) {
    return {metrics_->horizontalAdvance(ToQString(text)), metrics_->height()};
}

void QtCanvas::DrawText(int32_t x, int32_t y, std::string_view text, Rgb color) {
    if (text.empty() || image_.isNull()) return;
    QPainter& painter = Painter();
    painter.setPen(QColor(color.r, color.g, color.b));
    painter.drawText(x, y + metrics_->ascent(), ToQString(text));
}

std::optional<SkinImage> DecodeSkinImageFile(const std::string& path) {
    QImage decoded;
    if (!decoded.load(QString::fromStdString(path))) return std::nullopt;
    if (decoded.format() != QImage::Format_RGB32) decoded = decoded.convertToFormat(QImage::Format_RGB32);
    SkinImage image;
    image.width = decoded.width();
    image.height = decoded.height();
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                    decoded.constScanLine(y), static_cast<size_t>(image.width) * sizeof(uint32_t));
    return image;
}

std::unique_ptr<CachedImageSource> MakeQtImageSource(const std::string& skinFolder) {
    return std::make_unique<CachedImageSource>(skinFolder, DecodeSkinImageFile);
}

QRegion ToQRegion(const Region& region) {
    const std::vector<Rect> rects = region.ToRects();
    std::vector<QRect> qrects;
    qrects.reserve(rects.size());
    for (const Rect& r : rects) qrects.emplace_back(r.x, r.y, r.width, r.height);
    QRegion result;
    if (!qrects.empty()) result.setRects(qrects.data(), static_cast<int>(qrects.size()));
    return result;
}

QImage ToQImage(const SkinImage& image) {
    QImage result(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(result.scanLine(y), image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                    static_cast<size_t>(image.width) * sizeof(uint32_t));
    return result;
}

}  // namespace zrv
