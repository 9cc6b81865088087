#include "skin_painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace zrv::skingen {
namespace {

const QColor kBgTop(11, 14, 20);
const QColor kBgBottom(18, 23, 34);
const QColor kHeader(8, 10, 15);
const QColor kPanel(20, 26, 36);
const QColor kPanelBorder(36, 48, 63);
const QColor kCyan(25, 211, 255);
const QColor kMagenta(255, 47, 208);
const QColor kDim(111, 125, 147);
const QColor kAmber(255, 159, 26);
// The DPI bar colours of the four levels (the painter fills the bars with the same).
const QColor kLevelColors[4] = {{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}};

QLinearGradient Vertical(const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void Chamfered(QPainter& p, const QRectF& r, qreal c, const QBrush& fill, const QPen& pen) {
    QPolygonF poly({{r.left() + c, r.top()}, {r.right(), r.top()}, {r.right(), r.bottom() - c},
                    {r.right() - c, r.bottom()}, {r.left(), r.bottom()}, {r.left(), r.top() + c}});
    p.setBrush(fill);
    p.setPen(pen);
    p.drawPolygon(poly);
}

// Top view of the mouse fitted into b.
QPainterPath BodyPath(const QRectF& b) {
    const qreal cx = b.center().x(), w = b.width(), h = b.height();
    QPainterPath path;
    path.moveTo(cx, b.top());
    path.cubicTo(cx - w * 0.36, b.top(), b.left(), b.top() + h * 0.14, b.left(), b.top() + h * 0.40);
    path.lineTo(b.left(), b.top() + h * 0.72);
    path.cubicTo(b.left(), b.top() + h * 0.95, cx - w * 0.30, b.bottom(), cx, b.bottom());
    path.cubicTo(cx + w * 0.30, b.bottom(), b.right(), b.top() + h * 0.95, b.right(), b.top() + h * 0.72);
    path.lineTo(b.right(), b.top() + h * 0.40);
    path.cubicTo(b.right(), b.top() + h * 0.14, cx + w * 0.36, b.top(), cx, b.top());
    path.closeSubpath();
    return path;
}

const QRectF kMainMouse(78, 148, 152, 376);

std::vector<const Element*> SheetElements(Sheet sheet) {
    std::vector<const Element*> list;
    for (const auto& e : Elements())
        if (e.sheet == sheet || (sheet != Sheet::Warning && e.sheet == Sheet::Main && e.index < 20)) list.push_back(&e);
    return list;
}

const Element* Find(Sheet sheet, int index) {
    for (const auto& e : Elements())
        if (e.sheet == sheet && e.index == index) return &e;
    return nullptr;
}

// A soft light fading from `alpha` at the centre to nothing at `radius`.
QRadialGradient Glow(QPointF centre, qreal radius, QColor color, int alpha) {
    QRadialGradient glow(centre, radius);
    QColor inner = color;
    inner.setAlpha(alpha);
    color.setAlpha(0);
    glow.setColorAt(0, inner);
    glow.setColorAt(1, color);
    return glow;
}

void DrawText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, QColor color,
              Qt::Alignment align = Qt::AlignCenter) {
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, align, text);
}

void Panel(QPainter& p, const QRect& r) {
    Chamfered(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 10, Vertical(r, kPanel, kPanel.darker(115)),
              QPen(kPanelBorder, 1));
    p.setPen(Qt::NoPen);
    p.setBrush(kCyan);
    p.drawRect(QRect(r.left() + 12, r.top(), 36, 2));
    p.setBrush(kMagenta);
    p.drawRect(QRect(r.left() + 50, r.top(), 10, 2));
}

void Frame(QPainter& p, const QPolygon& outline, QSize size) {
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(QRectF(QPointF(0, 0), size), kBgTop, kBgBottom));
    p.drawPolygon(outline);
    // Faint diagonal texture.
    p.save();
    QPainterPath clip;
    clip.addPolygon(outline);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 6), 1));
    for (int x = -size.height(); x < size.width(); x += 14) p.drawLine(x, size.height(), x + size.height(), 0);
    p.restore();
    QLinearGradient edge(0, 0, size.width(), size.height());
    edge.setColorAt(0, kCyan);
    edge.setColorAt(0.55, QColor(60, 90, 140));
    edge.setColorAt(1, kMagenta);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 2));
    QPolygonF inner;
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    for (QPoint pt : outline) {
        QPointF d = QPointF(pt) - c;
        inner << c + QPointF(d.x() * (1 - 2.0 / size.width()), d.y() * (1 - 2.0 / size.height()));
    }
    p.drawPolygon(inner);
}

void MainChrome(QPainter& p) {
    Frame(p, PageOutline(), kPageSize);
    // Header strip and bottom bar.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kHeader.red(), kHeader.green(), kHeader.blue(), 170));
    p.drawRect(QRect(8, 52, 784, 1));
    p.setBrush(QColor(255, 255, 255, 10));
    p.drawRect(QRect(20, 98, 760, 1));
    p.drawRect(QRect(20, 542, 760, 1));
    p.setBrush(kCyan);
    p.drawRect(QRect(20, 52, 120, 2));
    p.setBrush(kMagenta);
    p.drawRect(QRect(660, 52, 120, 2));
}

void MouseBase(QPainter& p) {
    QPainterPath body = BodyPath(kMainMouse);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 211, 255, 18));
    p.drawPath(BodyPath(kMainMouse.adjusted(-8, -8, 8, 8)));
    QLinearGradient g(kMainMouse.topLeft(), kMainMouse.topRight());
    g.setColorAt(0, QColor(30, 36, 48));
    g.setColorAt(0.5, QColor(44, 52, 68));
    g.setColorAt(1, QColor(26, 31, 42));
    p.setBrush(g);
    p.setPen(QPen(QColor(70, 84, 106), 1.5));
    p.drawPath(body);
    // Cable.
    p.setPen(QPen(QColor(70, 84, 106), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(154, 148), QPointF(154, 140));
    // Seams between the two main buttons and under them.
    p.setPen(QPen(QColor(10, 12, 18), 2));
    p.drawLine(QPointF(154, 150), QPointF(154, 168));
    p.drawLine(QPointF(154, 266), QPointF(154, 292));
    p.drawLine(QPointF(84, 292), QPointF(224, 292));
    // Palm logo.
    p.setPen(QPen(QColor(60, 72, 92), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(154, 420), 16, 16);
    p.drawLine(QPointF(146, 428), QPointF(162, 412));
}

// One button of the mouse drawing, lit or not, drawn inside its note rectangle.
void MousePart(QPainter& p, int button, bool lit) {
    const Element* note = Find(Sheet::Main, 115 + button);
    const QRectF r = QRectF(note->rect).adjusted(2, 2, -2, -2);
    QPainterPath shape;
    if (button <= 1) {
        QPainterPath box;
        box.addRect(r);
        shape = BodyPath(kMainMouse.adjusted(4, 4, -4, -4)).intersected(box);
    } else {
        shape.addRoundedRect(r, 5, 5);
    }
    p.save();
    p.setClipRect(note->rect);
    if (lit) {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, kCyan);
        g.setColorAt(1, QColor(10, 120, 200));
        p.setBrush(g);
        p.setPen(QPen(QColor(190, 245, 255), 1.5));
    } else {
        p.setBrush(QColor(36, 44, 58));
        p.setPen(QPen(QColor(74, 90, 114), 1.2));
    }
    p.drawPath(shape);
    if (button == 2) {  // wheel ribs
        p.setPen(QPen(lit ? QColor(230, 250, 255) : QColor(20, 24, 32), 1));
        for (int y = int(r.top()) + 6; y < r.bottom() - 4; y += 6) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
    QRectF badge = button <= 1 ? QRectF(r.center().x() - 9, r.center().y() - 9, 18, 18) : r;
    if (button <= 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(lit ? QColor(255, 255, 255) : QColor(20, 26, 36));
        p.drawEllipse(badge);
    }
    DrawText(p, badge, QString::number(button + 1), ImageFont(button <= 1 ? 12 : 10, true),
             lit ? (button <= 1 ? QColor(8, 60, 90) : QColor(255, 255, 255)) : kDim);
    p.restore();
}

void Lamp(QPainter& p, const QRect& rect, QColor color, bool dark, bool halo = true) {
    p.save();
    p.setClipRect(rect);
    const QPointF c = QRectF(rect).center();
    if (!dark && halo) {
        p.setPen(Qt::NoPen);
        p.setBrush(Glow(c, rect.height() * 0.55, color, 110));
        p.drawRect(rect);
    }
    const qreal bodyWidth = std::min(180.0, rect.height() / 2.0);
    const QRectF body(c.x() - bodyWidth / 2, rect.top() + 24, bodyWidth, rect.height() - 48);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(24, 28, 38));
    g.setColorAt(0.5, QColor(40, 46, 60));
    g.setColorAt(1, QColor(22, 26, 35));
    p.setBrush(g);
    p.setPen(QPen(QColor(70, 84, 106), 2));
    QPainterPath path = BodyPath(body);
    p.drawPath(path);
    const QColor light = dark ? QColor(48, 52, 60) : color;
    const QColor core = dark ? QColor(60, 64, 72) : color.lighter(160);
    // Light strips along both flanks, the wheel and the palm logo.
    QPainterPath strip = BodyPath(body.adjusted(10, 10, -10, -10));
    QPainterPath lower;
    lower.addRect(QRectF(body.left(), body.top() + body.height() * 0.45, body.width(), body.height()));
    strip = strip.intersected(lower);
    p.setBrush(Qt::NoBrush);
    if (!dark) {
        QColor glow = light;
        glow.setAlpha(90);
        p.setPen(QPen(glow, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(strip);
    }
    p.setPen(QPen(light, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    p.setPen(QPen(QColor(10, 12, 18), 3));
    p.drawLine(QPointF(c.x(), body.top() + 4), QPointF(c.x(), body.top() + body.height() * 0.34));
    const QRectF wheel(c.x() - 9, body.top() + body.height() * 0.10, 18, 56);
    p.setPen(QPen(core, 1));
    p.setBrush(light);
    p.drawRoundedRect(wheel, 7, 7);
    const QPointF logo(c.x(), body.top() + body.height() * 0.66);
    if (!dark) {
        p.setPen(Qt::NoPen);
        p.setBrush(Glow(logo, 40, light, 160));
        p.drawEllipse(logo, 40, 40);
    }
    p.setPen(QPen(core, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(logo, 20, 20);
    p.drawLine(logo + QPointF(-10, 10), logo + QPointF(10, -10));
    p.restore();
}

void Chevron(QPainter& p, QPointF at, QColor color, bool down) {
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (down)
        p.drawPolyline(QPolygonF({at + QPointF(-5, -2), at + QPointF(0, 3), at + QPointF(5, -2)}));
    else
        p.drawPolyline(QPolygonF({at + QPointF(-2, -5), at + QPointF(3, 0), at + QPointF(-2, 5)}));
}

void ButtonFace(QPainter& p, const QRectF& r, State s, qreal radius) {
    switch (s) {
    case State::Normal:
        p.setBrush(Vertical(r, QColor(30, 38, 51), QColor(20, 26, 36)));
        p.setPen(QPen(QColor(48, 62, 82), 1));
        break;
    case State::Over:
        p.setBrush(Vertical(r, QColor(30, 54, 74), QColor(20, 36, 52)));
        p.setPen(QPen(kCyan, 1));
        break;
    case State::Down:
        p.setBrush(Vertical(r, QColor(14, 150, 186), QColor(8, 96, 128)));
        p.setPen(QPen(QColor(120, 235, 255), 1));
        break;
    }
    p.drawRoundedRect(r, radius, radius);
}

void DrawElement(QPainter& p, const Element& e, State s) {
    const QRectF r = QRectF(e.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    p.save();
    p.setClipRect(e.rect);
    switch (e.look) {
    case Look::Caption:
    case Look::Note:
    case Look::Lamp:
        break;
    case Look::Button:
        ButtonFace(p, r, s, 4);
        break;
    case Look::Pill:
        ButtonFace(p, r, s, r.height() / 2);
        break;
    case Look::Tab: {
        if (s != State::Normal) {
            p.setPen(Qt::NoPen);
            p.setBrush(Vertical(r, QColor(25, 211, 255, 0), QColor(25, 211, 255, s == State::Down ? 70 : 36)));
            p.drawRect(r);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(s == State::Down ? kCyan : s == State::Over ? QColor(25, 211, 255, 150) : QColor(48, 62, 82));
        const int bar = s == State::Down ? 3 : (s == State::Over ? 2 : 1);
        p.drawRect(QRect(e.rect.left() + 6, e.rect.bottom() + 1 - bar, e.rect.width() - 12, bar));
        break;
    }
    case Look::Minimise:
    case Look::Close: {
        const bool close = e.look == Look::Close;
        if (s != State::Normal) {
            p.setPen(Qt::NoPen);
            QColor bg = close ? QColor(200, 40, 56) : QColor(36, 50, 70);
            p.setBrush(s == State::Down ? bg.darker(130) : bg);
            p.drawRoundedRect(r, 4, 4);
        }
        p.setPen(QPen(s == State::Normal ? QColor(170, 182, 200) : QColor(255, 255, 255), 2, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        if (close) {
            p.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
            p.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
        } else {
            p.drawLine(c + QPointF(-6, 4), c + QPointF(6, 4));
        }
        break;
    }
    case Look::Logo: {
        QColor text = s == State::Normal ? QColor(232, 240, 255) : s == State::Over ? kCyan : kMagenta;
        p.setPen(Qt::NoPen);
        p.setBrush(kCyan);
        p.drawPolygon(QPolygonF({r.topLeft() + QPointF(2, 26), r.topLeft() + QPointF(14, 6),
                                 r.topLeft() + QPointF(20, 6), r.topLeft() + QPointF(8, 26)}));
        p.setBrush(kMagenta);
        p.drawPolygon(QPolygonF({r.topLeft() + QPointF(12, 26), r.topLeft() + QPointF(24, 6),
                                 r.topLeft() + QPointF(30, 6), r.topLeft() + QPointF(18, 26)}));
        QFont f = ImageFont(22, true);
        f.setItalic(true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        DrawText(p, r.adjusted(36, 0, 0, 0), QStringLiteral("NORVANE"), f, text, Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }
    case Look::Function: {
        QColor fill = s == State::Down ? QColor(13, 58, 74) : s == State::Over ? QColor(18, 30, 42) : QColor(15, 20, 28);
        QColor border = s == State::Normal ? QColor(42, 54, 70) : kCyan;
        p.setBrush(fill);
        p.setPen(QPen(border, 1));
        p.drawRoundedRect(r, 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(s == State::Normal ? QColor(42, 54, 70) : kCyan);
        p.drawRect(QRectF(r.left() + 1, r.top() + 4, 2, r.height() - 8));
        Chevron(p, QPointF(r.right() - 12, r.center().y()), s == State::Normal ? kDim : kCyan, true);
        break;
    }
    case Look::Toggle: {
        ButtonFace(p, r, s, 3);
        // Indicator lamp at the left edge.
        p.setPen(Qt::NoPen);
        p.setBrush(s == State::Down ? QColor(200, 255, 255) : QColor(60, 74, 94));
        p.drawRect(QRectF(r.left() + 3, r.top() + 4, 3, r.height() - 8));
        break;
    }
    case Look::LevelSelect: {
        const QColor level = kLevelColors[e.extra];
        QColor fill = s == State::Down ? level.darker(170) : s == State::Over ? QColor(30, 40, 54) : QColor(18, 23, 32);
        p.setBrush(fill);
        p.setPen(QPen(s == State::Normal ? QColor(48, 62, 82) : level.lighter(140), 1));
        p.drawRoundedRect(r, 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(level.lighter(s == State::Down ? 150 : 110));
        p.drawEllipse(QPointF(r.left() + 9, r.center().y()), 4, 4);
        DrawText(p, r.adjusted(14, 0, 0, 0), QStringLiteral("L%1").arg(e.extra + 1), ImageFont(12, true),
                 s == State::Normal ? QColor(170, 182, 200) : QColor(255, 255, 255));
        break;
    }
    case Look::DpiCell: {
        // Border on top, left and right only: the bar fill covers the rest.
        QColor fill = s == State::Down ? QColor(29, 51, 70) : s == State::Over ? QColor(21, 32, 44) : QColor(14, 18, 25);
        QColor border = s == State::Normal ? QColor(37, 47, 60) : kCyan;
        p.setPen(Qt::NoPen);
        p.setBrush(border);
        p.drawRect(e.rect);
        p.setBrush(fill);
        p.drawRect(QRect(e.rect.left() + 1, e.rect.top() + 1, e.rect.width() - 2, e.rect.height() - 1));
        p.setBrush(QColor(255, 255, 255, s == State::Normal ? 8 : 20));
        p.drawRect(QRect(e.rect.left() + 1, e.rect.top() + 1, e.rect.width() - 2, e.rect.height() / 2 - 1));
        break;
    }
    case Look::ScaleCell: {
        QColor fill = s == State::Down ? QColor(14, 150, 186) : s == State::Over ? QColor(30, 54, 74) : QColor(20, 26, 36);
        p.setBrush(fill);
        p.setPen(QPen(s == State::Normal ? QColor(48, 62, 82) : QColor(120, 235, 255), 1));
        p.drawRect(r);
        // A rising step marker under the number.
        const qreal h = 2 + e.extra * 0.5;
        p.setPen(Qt::NoPen);
        p.setBrush(s == State::Down ? QColor(220, 250, 255) : QColor(60, 74, 94));
        p.drawRect(QRectF(r.left() + 4, r.bottom() - 1 - h, r.width() - 8, h));
        break;
    }
    case Look::Slider: {
        if (s == State::Down) {
            QLinearGradient g(r.topLeft(), r.topRight());
            g.setColorAt(0, kCyan);
            g.setColorAt(1, kMagenta);
            p.setBrush(g);
            p.setPen(QPen(QColor(220, 250, 255), 1));
            p.drawRoundedRect(r, 3, 3);
        } else {
            p.setBrush(QColor(12, 15, 21));
            p.setPen(QPen(s == State::Over ? kCyan : QColor(48, 62, 82), 1));
            p.drawRoundedRect(r, 3, 3);
            p.setPen(QPen(QColor(40, 50, 64), 1));
            for (int t = 1; t < 10; ++t) {
                const qreal x = r.left() + r.width() * t / 10.0;
                p.drawLine(QPointF(x, r.bottom() - 5), QPointF(x, r.bottom() - 2));
            }
        }
        break;
    }
    case Look::Value:
        p.setBrush(QColor(9, 12, 17));
        p.setPen(QPen(QColor(42, 54, 70), 1));
        p.drawRoundedRect(r, 3, 3);
        break;
    }
    p.restore();
}

void MainPageArt(QPainter& p) {
    Panel(p, {24, 106, 262, 434});
    Panel(p, {296, 106, 480, 214});
    Panel(p, {296, 326, 480, 156});
    Panel(p, {296, 490, 480, 50});
    MouseBase(p);
    // DPI values of the grid columns: the grid's labels are never painted.
    for (int c = 0; c < 12; ++c) {
        const Element* cell = Find(Sheet::Main, 66 + c);
        DrawText(p, QRectF(cell->rect.left() - 2, 356, cell->rect.width() + 4, 20), QString::number(DpiOfColumn(c)),
                 ImageFont(10), kDim);
    }
}

}  // namespace

QFont ImageFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

QImage DrawPage(Sheet sheet, State state, QColor lampColor, bool lampDark) {
    QImage img(kPageSize, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    MainChrome(p);
    switch (sheet) {
    case Sheet::Main:
        MainPageArt(p);
        break;
    case Sheet::Advanced:
        Panel(p, {24, 106, 408, 434});
        Panel(p, {442, 106, 334, 434});
        for (const auto& c : ControlRects()) {  // under the child controls
            p.setPen(QPen(QColor(42, 54, 70), 1));
            p.setBrush(QColor(0, 0, 0));
            p.drawRect(QRectF(c.rect).adjusted(-1.5, -1.5, 0.5, 0.5));
        }
        // Slow and fast ends of the two scales.
        for (int y : {170, 240}) {
            DrawText(p, QRectF(454, y, 80, 14), QStringLiteral("−"), ImageFont(11), kDim, Qt::AlignLeft | Qt::AlignVCenter);
            DrawText(p, QRectF(682, y, 80, 14), QStringLiteral("+"), ImageFont(11), kDim, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (const Element* slider = Find(Sheet::Advanced, 30)) {
            const QRectF under(slider->rect.left(), slider->rect.bottom() + 3, slider->rect.width(), 14);
            DrawText(p, under, QStringLiteral("0 ms"), ImageFont(10), kDim, Qt::AlignLeft | Qt::AlignVCenter);
            DrawText(p, under, QStringLiteral("300 ms"), ImageFont(10), kDim, Qt::AlignRight | Qt::AlignVCenter);
        }
        // A quiet emblem in the free corner.
        p.setOpacity(0.3);
        Lamp(p, QRect(530, 336, 160, 196), kCyan, false, false);
        p.setOpacity(1);
        break;
    case Sheet::Color:
        Panel(p, {24, 106, 274, 434});
        Panel(p, {308, 106, 468, 434});
        // Level colour legend under the lamp.
        for (int l = 0; l < 4; ++l) {
            const QRectF sw(420 + l * 64, 522, 14, 10);
            p.setPen(Qt::NoPen);
            p.setBrush(kLevelColors[l]);
            p.drawRoundedRect(sw, 2, 2);
            DrawText(p, QRectF(sw.right() + 4, 518, 40, 18), QStringLiteral("L%1").arg(l + 1), ImageFont(10), kDim,
                     Qt::AlignLeft | Qt::AlignVCenter);
        }
        break;
    case Sheet::Warning:
        break;
    }
    for (const Element* e : SheetElements(sheet)) {
        DrawElement(p, *e, state);
        if (e->look == Look::Lamp) Lamp(p, e->rect, lampColor, lampDark);
        if (e->look == Look::Note) MousePart(p, e->extra, state == State::Over);
    }
    return img;
}

QImage DrawWarning(State state) {
    QImage img(kWarningSize, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Frame(p, WarningOutline(), kWarningSize);
    const QPointF tip(38, 36);
    p.setPen(QPen(kAmber, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 159, 26, 40));
    p.drawPolygon(QPolygonF({tip, tip + QPointF(16, 28), tip + QPointF(-16, 28)}));
    DrawText(p, QRectF(tip.x() - 8, tip.y() + 8, 16, 20), QStringLiteral("!"), ImageFont(15, true), kAmber);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 12));
    p.drawRect(QRect(20, 86, 400, 1));
    for (const auto& e : Elements())
        if (e.sheet == Sheet::Warning) DrawElement(p, e, state);
    return img;
}

QImage DrawMask(const QPolygon& outline, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(outline);
    return img;
}

QImage DrawPlainMask(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

QImage DrawMenu(QSize size, int rowHeight, State state, int firstArrowRow, int lastArrowRow) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(13, 17, 24));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 1; row * rowHeight <= size.height(); ++row) {
        const QRect band(0, (row - 1) * rowHeight, size.width(), rowHeight);
        const QRectF inner = QRectF(band).adjusted(1, 1, -1, 0);
        p.setPen(Qt::NoPen);
        switch (state) {
        case State::Normal:
            p.setBrush(Vertical(inner, QColor(22, 28, 38), QColor(16, 21, 29)));
            break;
        case State::Over:
            p.setBrush(Vertical(inner, QColor(16, 66, 86), QColor(10, 42, 57)));
            break;
        case State::Down:
            p.setBrush(Vertical(inner, QColor(18, 130, 164), QColor(10, 90, 118)));
            break;
        }
        p.drawRect(inner);
        if (state != State::Normal) {
            p.setBrush(state == State::Down ? kMagenta : kCyan);
            p.drawRect(QRectF(1, band.top() + 1, 3, rowHeight - 1));
        }
        if (row >= firstArrowRow && row <= lastArrowRow)
            Chevron(p, QPointF(size.width() - 14, band.center().y() + 0.5), state == State::Normal ? kDim : QColor(255, 255, 255), false);
        // Each row's top line doubles as the bottom edge of the row above.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(48, 62, 82));
        p.drawRect(QRect(0, band.top(), size.width(), 1));
    }
    p.setBrush(QColor(48, 62, 82));
    p.drawRect(QRect(0, 0, 1, size.height()));
    p.drawRect(QRect(size.width() - 1, 0, 1, size.height()));
    p.drawRect(QRect(0, size.height() - 1, size.width(), 1));
    return img;
}

}  // namespace zrv::skingen
