// The shipped skin, read the way the program reads it: what a broken skin would show.
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <gtest/gtest.h>

#include "tests/gui/test_app.h"

#include <array>
#include <string>
#include <vector>

#include "skin/control_font.h"
#include "skin/skin_layout.h"

namespace zrv {
namespace {

const std::string kSkins = std::string(ZRV_SOURCE_DIR) + "/data/skins";

QApplication& App() { return TestApp(); }

QImage Load(const std::string& name) { return QImage(QString::fromStdString(kSkins + "/" + name)); }

bool IsBackground(QRgb c) { return qRed(c) > 100 && qGreen(c) > 100 && qBlue(c) > 100; }

QRect Rect(const SkinButton& b) { return QRect(b.x, b.y, b.width, b.height); }
QRect Rect(const SkinRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

struct Named {
    std::string name;
    QRect rect;
    std::string label;
};

SkinLayout LoadLayout(int language) {
    SkinLayout layout;
    std::vector<std::string> messages;
    SkinLoadActions actions{[&](std::string_view m) { messages.emplace_back(m); }, [] {}};
    EXPECT_TRUE(LoadSkinLayout(kSkins, language, layout, actions));
    EXPECT_TRUE(messages.empty()) << messages.front();
    return layout;
}

// Elements the program acts on or paints, per page, by table index.
struct PageRoles {
    const char* page;
    std::vector<int> main;  // MainButtons
    std::vector<int> own;   // the page's own table
};

std::vector<int> Range(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}
std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> v;
    for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

const std::vector<int> kCommon = Join({{0}, Range(2, 19)});

class SkinData : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        App();
        language_ = GetParam();
        layout_ = LoadLayout(language_);
        const ControlFont cf = ControlFontFor(language_);
        font_ = QFont(QString::fromUtf8(cf.family.data(), int(cf.family.size())));
        font_.setPixelSize(cf.pixelSize);
        ASSERT_EQ(QFontInfo(font_).family(), font_.family()) << "control font not installed";
        mask_ = Load("main_mask.jpg");
        ASSERT_FALSE(mask_.isNull());
    }

    bool InsideWindow(const QRect& r, const QImage& mask) const {
        if (r.isEmpty() || !QRect(QPoint(0, 0), mask.size()).contains(r)) return false;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (IsBackground(mask.pixel(x, y))) return false;
        return true;
    }

    // Every element of one page as the program sees it: MainButtons, then the page's table.
    std::vector<Named> PageElements(int page) const {
        std::vector<Named> v;
        const int mainLast = page == 0 ? kMainButtonCount - 1 : 19;
        for (int i = 0; i <= mainLast; ++i)
            v.push_back({"main " + std::to_string(i), Rect(layout_.MainButtons[i]), layout_.MainButtons[i].label});
        if (page == 1) {
            for (int i = 0; i < kAdvancedButtonCount; ++i)
                v.push_back({"advanced " + std::to_string(i), Rect(layout_.AdvancedButtons[i]), layout_.AdvancedButtons[i].label});
            v.push_back({"repeat box", Rect(layout_.RepeatBoxRect), ""});
            v.push_back({"name box", Rect(layout_.NameBoxRect), ""});
            v.push_back({"macro list", Rect(layout_.MacroListRect), ""});
            v.push_back({"event list", Rect(layout_.EventListRect), ""});
        }
        if (page == 2)
            for (int i = 0; i < kColorButtonCount; ++i)
                v.push_back({"color " + std::to_string(i), Rect(layout_.ColorButtons[i]), layout_.ColorButtons[i].label});
        return v;
    }

    bool Fits(const std::string& text, const QRect& r, int leftInset = -1) const {
        const QFontMetrics fm(font_);
        const int w = fm.horizontalAdvance(QString::fromStdString(text));
        const bool wide = leftInset < 0 ? w <= r.width() : leftInset + w <= r.width();
        return wide && fm.height() <= r.height();
    }

    int language_ = 0;
    SkinLayout layout_;
    QFont font_;
    QImage mask_;
};

TEST_P(SkinData, ElementsWithARoleArePlacedInsideTheWindowShape) {
    const PageRoles roles[] = {
        {"main", Join({kCommon, Range(25, 30), {41, 42}, Range(46, 49), Range(54, 57), Range(66, 113), Range(115, 120)}), {}},
        {"advanced", kCommon, Join({Range(0, 27), Range(30, 33), {43, 44}})},
        {"color", kCommon, {0, 1, 2, 3, 9, 11}},
    };
    for (int page = 0; page < 3; ++page) {
        for (int i : roles[page].main)
            EXPECT_TRUE(InsideWindow(Rect(layout_.MainButtons[i]), mask_)) << roles[page].page << " main " << i;
        for (int i : roles[page].own) {
            const SkinButton& b = page == 1 ? layout_.AdvancedButtons[i] : layout_.ColorButtons[i];
            EXPECT_TRUE(InsideWindow(Rect(b), mask_)) << roles[page].page << " " << i;
        }
        // Whatever else a page places must lie inside the shape too.
        for (const auto& e : PageElements(page))
            if (!e.rect.isEmpty()) {
                EXPECT_TRUE(InsideWindow(e.rect, mask_)) << e.name;
            }
    }
    for (const SkinRect& r : {layout_.RepeatBoxRect, layout_.NameBoxRect, layout_.MacroListRect, layout_.EventListRect})
        EXPECT_TRUE(InsideWindow(Rect(r), mask_));
    const QImage warningMask = Load("warning_mask.jpg");
    for (const auto& b : layout_.WarningButtons) EXPECT_TRUE(InsideWindow(Rect(b), warningMask)) << b.label;
}

TEST_P(SkinData, ElementsOfOnePageDoNotOverlap) {
    for (int page = 0; page < 3; ++page) {
        std::vector<Named> list;
        for (auto& e : PageElements(page)) {
            const bool note = page == 0 && e.name >= "main 115" && e.name <= "main 120" && e.name.size() == 8;
            if (!e.rect.isEmpty() && !note) list.push_back(e);
        }
        for (size_t a = 0; a < list.size(); ++a)
            for (size_t b = a + 1; b < list.size(); ++b)
                EXPECT_FALSE(list[a].rect.intersects(list[b].rect)) << list[a].name << " and " << list[b].name;
    }
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            EXPECT_FALSE(Rect(layout_.WarningButtons[a]).intersects(Rect(layout_.WarningButtons[b])));
    for (int a = 115; a <= 120; ++a)
        for (int b = a + 1; b <= 120; ++b)
            EXPECT_FALSE(Rect(layout_.MainButtons[a]).intersects(Rect(layout_.MainButtons[b]))) << a << " " << b;
}

TEST_P(SkinData, LabelsFitAtTheControlFont) {
    for (int page = 0; page < 3; ++page)
        for (const auto& e : PageElements(page))
            if (!e.label.empty()) {
                EXPECT_TRUE(Fits(e.label, e.rect)) << e.name << " '" << e.label << "'";
            }
    for (const auto& b : layout_.WarningButtons) EXPECT_TRUE(Fits(b.label, Rect(b))) << b.label;
    EXPECT_FALSE(layout_.WarningButtons[2].label.empty());

    // Texts the painter puts in place of the labels.
    const bool en = language_ != 0;
    struct Replaced {
        QRect rect;
        std::string text;
    };
    const Replaced replaced[] = {
        {Rect(layout_.AdvancedButtons[4]), en ? "Record" : "录制"},
        {Rect(layout_.AdvancedButtons[4]), en ? "Stop" : "停止"},
        {Rect(layout_.AdvancedButtons[33]), "300ms"},
        {Rect(layout_.AdvancedButtons[43]), "[↓]254"},
        {Rect(layout_.AdvancedButtons[44]), "[↑]254"},
        {Rect(layout_.ColorButtons[9]), "4800"},
    };
    for (const auto& r : replaced) EXPECT_TRUE(Fits(r.text, r.rect)) << r.text;

    // Function names, and the longest user macro name, in the six fields (left-aligned, 5 pixels in).
    std::vector<std::string> names(layout_.FunctionNames.begin() + 1, layout_.FunctionNames.end());
    std::string longMacro;
    for (int i = 0; i < 19; ++i) longMacro += en ? "W" : "鼠";
    names.push_back(longMacro);
    for (int k = 25; k <= 30; ++k)
        for (const auto& n : names) EXPECT_TRUE(Fits(n, Rect(layout_.MainButtons[k]), 5)) << k << " '" << n << "'";

    // The same names in the popups' rows.
    const QImage menu = Load("menu_mask.jpg"), sub = Load("advanced menu_mask.jpg");
    for (const auto& n : names) {
        EXPECT_TRUE(Fits(n, QRect(0, 0, menu.width(), menu.height() / 10))) << n;
        EXPECT_TRUE(Fits(n, QRect(0, 0, sub.width(), sub.height() / 12))) << n;
    }
}

TEST_P(SkinData, EveryFunctionCodeHasAName) {
    for (int code = 1; code < kFunctionNameCount; ++code) EXPECT_FALSE(layout_.FunctionNames[code].empty()) << code;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SkinData, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "Chinese" : "English"; });

TEST(SkinImages, ExistDecodeAndHaveTheirSizes) {
    App();
    const QImage mask = Load("main_mask.jpg");
    ASSERT_FALSE(mask.isNull());
    struct Case {
        std::string name;
        QSize size;
    };
    const QImage menu = Load("menu_mask.jpg"), sub = Load("advanced menu_mask.jpg"), warning = Load("warning_mask.jpg");
    ASSERT_FALSE(menu.isNull());
    ASSERT_FALSE(sub.isNull());
    ASSERT_FALSE(warning.isNull());
    std::vector<Case> cases;
    for (const char* n : {"main_normal", "main_over", "main_down", "advanced_normal", "advanced_over", "advanced_down",
                          "color_normal_pink", "color_over_red", "color_down_purple", "color_normal_gray", "color_over_blue"})
        cases.push_back({std::string(n) + ".jpg", mask.size()});
    for (const char* s : {"normal", "over", "down"}) {
        cases.push_back({std::string("menu_") + s + ".jpg", menu.size()});
        cases.push_back({std::string("advanced menu_") + s + ".jpg", sub.size()});
    }
    cases.push_back({"warning_normal.jpg", warning.size()});
    cases.push_back({"warning_over.jpg", warning.size()});
    for (const auto& c : cases) {
        const QImage img = Load(c.name);
        ASSERT_FALSE(img.isNull()) << c.name;
        EXPECT_EQ(img.size(), c.size) << c.name;
    }
    // Rows of the popups: whole rows, and a visible height that stays inside the images.
    EXPECT_GE(menu.height(), 10 * (menu.height() / 10) + 1);
    EXPECT_GE(sub.height(), 12 * (sub.height() / 12) + 1);
    EXPECT_GE(menu.height() / 10, QFontMetrics(QFont("DejaVu Sans Mono")).height());
}

// A shaped outline with clean edges: no speck or one-pixel spur where the JPEG blurred the
// mask across the threshold, the corners cut away, the middle window.
TEST(SkinImages, MasksGiveCleanShapes) {
    App();
    for (const char* name : {"main_mask.jpg", "warning_mask.jpg"}) {
        const QImage mask = Load(name);
        ASSERT_FALSE(mask.isNull()) << name;
        auto window = [&](int x, int y) { return !IsBackground(mask.pixel(x, y)); };
        int windowPixels = 0, specks = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                windowPixels += window(x, y);
                if (x == 0 || y == 0 || x == mask.width() - 1 || y == mask.height() - 1) continue;
                const bool w = window(x, y);
                const int agree = (window(x - 1, y) == w) + (window(x + 1, y) == w) + (window(x, y - 1) == w) +
                                  (window(x, y + 1) == w);
                specks += agree < 2;
            }
        EXPECT_EQ(specks, 0) << name;
        EXPECT_TRUE(IsBackground(mask.pixel(0, 0))) << name;
        EXPECT_TRUE(IsBackground(mask.pixel(mask.width() - 1, mask.height() - 1))) << name;
        EXPECT_FALSE(IsBackground(mask.pixel(mask.width() / 2, mask.height() / 2))) << name;
        EXPECT_GT(windowPixels, mask.width() * mask.height() * 9 / 10) << name;
        EXPECT_LT(windowPixels, mask.width() * mask.height()) << name;
    }
}

double MeanDifference(const QImage& a, const QImage& b, const QRect& r) {
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * r.width() * r.height());
}

// Hover and pressed states must be visible on every element that reacts.
TEST(SkinImages, ReactingElementsChangeInOverAndDown) {
    App();
    const SkinLayout layout = LoadLayout(1);
    struct Page {
        std::string prefix;
        std::string normal, over, down;
        std::vector<QRect> rects;
    };
    std::vector<QRect> common;
    for (int i : kCommon) common.push_back(Rect(layout.MainButtons[i]));
    Page pages[3] = {{"main", "main_normal", "main_over", "main_down", common},
                     {"advanced", "advanced_normal", "advanced_over", "advanced_down", common},
                     {"color", "color_normal_pink", "color_over_red", "color_down_purple", common}};
    for (int i : Join({Range(25, 30), {41, 42}, Range(46, 49), Range(54, 57), Range(66, 113)}))
        pages[0].rects.push_back(Rect(layout.MainButtons[i]));
    for (int i : Join({Range(0, 27), {30, 31, 32}})) pages[1].rects.push_back(Rect(layout.AdvancedButtons[i]));
    for (int i : {0, 1, 2, 3}) pages[2].rects.push_back(Rect(layout.ColorButtons[i]));
    for (const auto& p : pages) {
        const QImage n = Load(p.normal + ".jpg"), o = Load(p.over + ".jpg"), d = Load(p.down + ".jpg");
        for (const QRect& r : p.rects) {
            EXPECT_GT(MeanDifference(n, o, r), 3.0) << p.prefix << " over " << r.x() << "," << r.y();
            EXPECT_GT(MeanDifference(n, d, r), 3.0) << p.prefix << " down " << r.x() << "," << r.y();
        }
    }
    const QImage mn = Load("main_normal.jpg"), mo = Load("main_over.jpg");
    for (int i = 115; i <= 120; ++i) EXPECT_GT(MeanDifference(mn, mo, Rect(layout.MainButtons[i])), 10.0) << i;
    const QImage wn = Load("warning_normal.jpg"), wo = Load("warning_over.jpg");
    for (int i = 0; i < 2; ++i) EXPECT_GT(MeanDifference(wn, wo, Rect(layout.WarningButtons[i])), 3.0) << i;
}

// The lamp of each colour image shows the colour it stands for: measured as what the image
// adds to the dark (gray) lamp.
TEST(SkinImages, LampImagesShowTheirLevelColours) {
    App();
    const SkinLayout layout = LoadLayout(1);
    const QRect lamp = Rect(layout.ColorButtons[11]);
    auto mean = [&](const char* name) {
        const QImage img = Load(name);
        EXPECT_FALSE(img.isNull()) << name;
        std::array<double, 3> m{};
        for (int y = lamp.top(); y <= lamp.bottom() && !img.isNull(); ++y)
            for (int x = lamp.left(); x <= lamp.right(); ++x) {
                const QRgb p = img.pixel(x, y);
                m[0] += qRed(p), m[1] += qGreen(p), m[2] += qBlue(p);
            }
        for (double& v : m) v /= lamp.width() * lamp.height();
        return m;
    };
    const auto dark = mean("color_normal_gray.jpg");
    struct Case {
        const char* name;
        bool (*ok)(double r, double g, double b);
    };
    const Case cases[] = {
        {"color_over_blue.jpg", [](double r, double g, double b) { return b > r + 5 && b > g + 5; }},
        {"color_normal_pink.jpg", [](double r, double g, double b) { return r > g + 5 && b > g + 5 && std::abs(r - b) < 5; }},
        {"color_over_red.jpg", [](double r, double g, double b) { return r > b + 5 && r > g + 5; }},
        {"color_down_purple.jpg", [](double r, double g, double b) { return b > r + 3 && r > g + 3; }},
    };
    for (const auto& c : cases) {
        const auto m = mean(c.name);
        const double r = m[0] - dark[0], g = m[1] - dark[1], b = m[2] - dark[2];
        EXPECT_TRUE(c.ok(r, g, b)) << c.name << " adds " << r << " " << g << " " << b;
    }
}

}  // namespace
}  // namespace zrv
