// Draws the skin images and writes the layout files of both languages from one table.
// Usage: zrv_skin_generator <skin folder> [<screenshot folder>]
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "config/profile.h"
#include "skin/control_font.h"
#include "skin/skin_layout.h"
#include "skin_painter.h"
#include "skin_table.h"

namespace zrv::skingen {
namespace {

bool Fail(const QString& what) {
    std::fprintf(stderr, "zrv_skin_generator: %s\n", qPrintable(what));
    return false;
}

bool SaveJpeg(const QImage& image, const QString& path) {
    // High quality keeps the mask edges clean for the 100-threshold test.
    if (!image.save(path, "JPG", 95)) return Fail("cannot write " + path);
    return true;
}

QString Value(const char* id, QRect r, const QString& label) {
    if (label.contains(',')) Fail(QStringLiteral("label with a comma: ") + label);
    return QStringLiteral("%1,%2,%3,%4,%5,%6,").arg(id).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(label);
}

bool WriteLayout(const QString& path, Sheet sheet, bool english) {
    QString text = QStringLiteral("; Written by tools/skin_generator; regenerate instead of editing.\n[BUTTONPOS]\n");
    std::vector<const Element*> list;
    for (const auto& e : Elements())
        if (e.sheet == sheet) list.push_back(&e);
    std::sort(list.begin(), list.end(), [](auto* a, auto* b) { return a->index < b->index; });
    for (const Element* e : list)
        text += QStringLiteral("%1=%2\n").arg(e->index).arg(Value(e->id, e->rect, english ? e->english : e->chinese));
    if (sheet == Sheet::Main) {
        text += QStringLiteral("[FUN_STRING]\n");
        const auto& names = FunctionNames();
        for (int code = 1; code < int(names.size()); ++code)
            text += QStringLiteral("%1=%2\n").arg(code).arg(english ? names[code].first : names[code].second);
    }
    if (sheet == Sheet::Advanced) {
        QString section;
        for (const auto& c : ControlRects()) {
            if (section != c.section) text += QStringLiteral("[%1]\n").arg(section = c.section);
            text += QStringLiteral("%1=%2\n").arg(c.key).arg(Value(c.id, c.rect, {}));
        }
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Fail("cannot write " + path);
    f.write(text.toUtf8());
    return true;
}

bool WriteLayouts(const QString& folder) {
    struct File {
        Sheet sheet;
        const SkinLayoutFile* name;
    };
    const File files[] = {{Sheet::Main, &kSkinMainFile},
                          {Sheet::Color, &kSkinColorFile},
                          {Sheet::Advanced, &kSkinAdvancedFile},
                          {Sheet::Warning, &kSkinWarningFile}};
    for (int language : {0, 1}) {
        for (const auto& f : files) {
            const QString path = QString::fromStdString(SkinLayoutPath(folder.toStdString(), *f.name, language));
            QDir().mkpath(QFileInfo(path).path());
            if (!WriteLayout(path, f.sheet, language != 0)) return false;
        }
    }
    return true;
}

bool WriteImages(const QString& folder) {
    struct Page {
        const char* name;
        Sheet sheet;
        State state;
        QColor lamp;
        bool dark;
    };
    const Page pages[] = {
        {"main_normal", Sheet::Main, State::Normal, {}, false},
        {"main_over", Sheet::Main, State::Over, {}, false},
        {"main_down", Sheet::Main, State::Down, {}, false},
        {"advanced_normal", Sheet::Advanced, State::Normal, {}, false},
        {"advanced_over", Sheet::Advanced, State::Over, {}, false},
        {"advanced_down", Sheet::Advanced, State::Down, {}, false},
        // The lamp shows the level colour each image stands for.
        {"color_normal_pink", Sheet::Color, State::Normal, {255, 0, 255}, false},
        {"color_over_red", Sheet::Color, State::Over, {255, 0, 0}, false},
        {"color_down_purple", Sheet::Color, State::Down, {128, 0, 255}, false},
        {"color_normal_gray", Sheet::Color, State::Normal, {90, 90, 90}, true},
        {"color_over_blue", Sheet::Color, State::Over, {0, 0, 255}, false},
    };
    for (const auto& pg : pages)
        if (!SaveJpeg(DrawPage(pg.sheet, pg.state, pg.lamp, pg.dark), folder + "/" + pg.name + ".jpg")) return false;
    const State states[] = {State::Normal, State::Over, State::Down};
    const char* stateNames[] = {"normal", "over", "down"};
    for (int s = 0; s < 3; ++s) {
        if (!SaveJpeg(DrawMenu(kMenuMaskSize, kMenuRowHeight, states[s], 7, 10),
                      folder + "/menu_" + stateNames[s] + ".jpg") ||
            !SaveJpeg(DrawMenu(kSubMenuMaskSize, kMenuRowHeight, states[s], 0, -1),
                      folder + "/advanced menu_" + stateNames[s] + ".jpg"))
            return false;
    }
    return SaveJpeg(DrawMask(PageOutline(), kPageSize), folder + "/main_mask.jpg") &&
           SaveJpeg(DrawPlainMask(kMenuMaskSize), folder + "/menu_mask.jpg") &&
           SaveJpeg(DrawPlainMask(kSubMenuMaskSize), folder + "/advanced menu_mask.jpg") &&
           SaveJpeg(DrawMask(WarningOutline(), kWarningSize), folder + "/warning_mask.jpg") &&
           SaveJpeg(DrawWarning(State::Normal), folder + "/warning_normal.jpg") &&
           SaveJpeg(DrawWarning(State::Over), folder + "/warning_over.jpg");
}

// A page as the program paints it, from the shipped files read back through the
// program's own layout reader, with the factory profile.
class Screenshot {
public:
    Screenshot(const QString& skins, const SkinLayout& layout, int language, int page)
        : skins_(skins), layout_(layout), language_(language), page_(page) {
        static const char* names[3][3] = {{"main_normal", "main_over", "main_down"},
                                          {"advanced_normal", "advanced_over", "advanced_down"},
                                          {"color_normal_pink", "color_over_red", "color_down_purple"}};
        image_ = Load(names[page][0]).convertToFormat(QImage::Format_ARGB32);
        down_ = Load(names[page][2]);
    }

    QImage Paint() {
        const ProfileSettings& pr = FactoryProfile;
        constexpr int kProfile = 1;
        QPainter p(&image_);
        if (page_ == 0) {
            Copy(p, down_, layout_.MainButtons[54 + pr.DPI_LEVEL]);
            for (int i = 0; i < 4; ++i) {
                for (int s = 0; s <= pr.DPI_SET[i]; ++s) {
                    const SkinButton& b = layout_.MainButtons[66 + 12 * i + s];
                    static const QColor colors[4] = {{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}};
                    p.fillRect(QRect(b.x + 1, b.y + 1, b.width - 2, b.height - 1), colors[i]);
                }
                if (pr.DPI_SET_EN[i]) Copy(p, down_, layout_.MainButtons[46 + i]);
            }
            Copy(p, down_, layout_.MainButtons[pr.WHEEL_STATUS == 0 ? 41 : 42]);
        } else if (page_ == 1) {
            Copy(p, down_, layout_.AdvancedButtons[8 + pr.DPI_SPEED]);
            Copy(p, down_, layout_.AdvancedButtons[18 + pr.WHEEL_SPEED]);
            SkinButton slider = layout_.AdvancedButtons[30];
            slider.width = slider.width * pr.FIRE_TIME / 300;
            Copy(p, down_, slider);
        } else {
            Copy(p, down_, layout_.ColorButtons[pr.LED_STATUS]);
        }
        for (int i = 0; i < 20; ++i)
            if (i == kProfile + 3 || i == 9 + page_ || i == (language_ == 0 ? 17 : 18)) Copy(p, down_, layout_.MainButtons[i]);

        const ControlFont cf = ControlFontFor(language_);
        QFont font{QString::fromUtf8(cf.family.data(), int(cf.family.size()))};
        font.setPixelSize(cf.pixelSize);
        p.setFont(font);
        const QFontMetrics fm(font);
        auto centred = [&](const SkinButton& b, const QString& text) {
            const int x = b.x + (b.width - fm.horizontalAdvance(text)) / 2;
            const int y = b.y + (b.height - fm.height()) / 2;
            p.setPen(Qt::white);
            p.drawText(QPoint(x, y + fm.ascent()), text);
        };
        const int count = page_ == 0 ? 54 : page_ == 1 ? 72 : 33;
        for (int k = 0; k < count; ++k) {
            const int j = k - 20;
            if (page_ == 0 && k >= 25 && k <= 30) {
                const SkinButton& b = layout_.MainButtons[k];
                const QString text = QString::fromStdString(layout_.FunctionNames[pr.K[k - 25]]);
                p.setPen(Qt::white);
                p.drawText(QPoint(b.x + 5, b.y + (b.height - fm.height()) / 2 + fm.ascent()), text);
            } else if (k < 20 || page_ == 0) {
                centred(layout_.MainButtons[k], QString::fromStdString(layout_.MainButtons[k].label));
            } else if (page_ == 2) {
                centred(layout_.ColorButtons[j],
                        j == 9 ? QString::number(DpiValue(pr.DPI_SET[pr.DPI_LEVEL]))
                               : QString::fromStdString(layout_.ColorButtons[j].label));
            } else {
                QString text = QString::fromStdString(layout_.AdvancedButtons[j].label);
                if (j == 4) text = language_ ? QStringLiteral("Record") : QString::fromUtf8("录制");
                if (j == 33) text = QStringLiteral("%1ms").arg(pr.FIRE_TIME);
                if (j == 43) text = QString::fromUtf8("[↓]0");
                if (j == 44) text = QString::fromUtf8("[↑]0");
                centred(layout_.AdvancedButtons[j], text);
            }
        }
        p.end();
        // Outside the window's shape nothing is shown.
        const QImage mask = Load("main_mask");
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x) {
                const QRgb m = mask.pixel(x, y);
                if (qRed(m) > 100 && qGreen(m) > 100 && qBlue(m) > 100) image_.setPixel(x, y, 0);
            }
        return image_;
    }

private:
    QImage Load(const char* name) const { return QImage(skins_ + "/" + name + ".jpg"); }
    static void Copy(QPainter& p, const QImage& from, const SkinButton& b) {
        const QRect r(b.x, b.y, b.width, b.height);
        p.drawImage(r, from, r);
    }

    QString skins_;
    const SkinLayout& layout_;
    int language_;
    int page_;
    QImage image_;
    QImage down_;
};

bool WriteScreenshots(const QString& skins, const QString& folder) {
    QDir().mkpath(folder);
    static const char* pages[] = {"main", "advanced", "color"};
    for (int language : {0, 1}) {
        SkinLayout layout;
        bool ok = true;
        SkinLoadActions actions{[&](std::string_view m) { ok = Fail(QString::fromUtf8(m.data(), int(m.size()))); },
                                [] {}};
        if (!LoadSkinLayout(skins.toStdString(), language, layout, actions) || !ok) return false;
        for (int page = 0; page < 3; ++page) {
            const QString path = QStringLiteral("%1/%2_%3.png").arg(folder, pages[page], language ? "en" : "cn");
            if (!Screenshot(skins, layout, language, page).Paint().save(path, "PNG")) return Fail("cannot write " + path);
        }
    }
    return true;
}

bool CheckFonts() {
    for (const QFont& f : {ImageFont(12)}) {
        if (QFontInfo(f).family() != f.family()) return Fail("font missing: " + f.family());
    }
    for (int language : {0, 1}) {
        const ControlFont cf = ControlFontFor(language);
        const QString family = QString::fromUtf8(cf.family.data(), int(cf.family.size()));
        if (QFontInfo(QFont(family)).family() != family) return Fail("font missing: " + family);
    }
    return true;
}

}  // namespace
}  // namespace zrv::skingen

int main(int argc, char** argv) {
    using namespace zrv::skingen;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: zrv_skin_generator <skin folder> [<screenshot folder>]\n");
        return 2;
    }
    const QString skins = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(skins);
    if (!CheckFonts() || !WriteImages(skins) || !WriteLayouts(skins)) return 1;
    if (argc == 3 && !WriteScreenshots(skins, QString::fromLocal8Bit(argv[2]))) return 1;
    return 0;
}
