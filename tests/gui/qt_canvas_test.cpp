// The Qt back buffer on the shipped skin: what reaches the screen after a paint.
#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/qt_canvas.h"
#include "skin/mask_region.h"
#include "skin/page_painter.h"
#include "skin/skin_layout.h"
#include "test_app.h"

namespace zrv {
namespace {

const std::string kSkins = std::string(ZRV_SOURCE_DIR) + "/data/skins";

void EnsureApp() {
    if (!QCoreApplication::instance()) TestApp();
}

Rgb At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return {static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)), static_cast<uint8_t>(qBlue(p))};
}

class ShippedSkin : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApp();
        images_ = MakeQtImageSource(kSkins);
        SkinLoadActions actions{[](std::string_view m) { ADD_FAILURE() << m; }, [] {}};
        ASSERT_TRUE(LoadSkinLayout(kSkins, 1, layout_, actions));
        mask_ = images_->LoadSkinImage(kMainMaskImage);
        ASSERT_NE(mask_, nullptr);
    }

    PaintInputs Inputs(int page) const {
        PaintInputs in;
        in.currentPage = page;
        in.profile = FactoryProfile;
        in.currentProfile = 2;
        in.uiLanguage = 1;
        in.maskSize = mask_->GetSize();
        in.appliedDpiCodes = {0x04, 0x06, 0x09, 0x0D};
        return in;
    }

    const QImage& Paint(const PaintInputs& in) {
        PaintPage(*images_, canvas_, in, layout_);
        EXPECT_EQ(canvas_.Image().size(), QSize(mask_->width, mask_->height));
        return canvas_.Image();
    }

    std::shared_ptr<const SkinImage> Image(std::string_view name) {
        auto image = images_->LoadSkinImage(name);
        EXPECT_NE(image, nullptr) << name;
        return image;
    }

    // Every pixel of the element outside its label's text cell (with a margin for glyph
    // overhang) comes from `source`; at least one of them differs from `other`, so the
    // check can tell the two apart.
    void ExpectElementFrom(const QImage& page, const SkinButton& e, const SkinImage& source, const SkinImage& other) {
        QRect cell;
        if (!e.label.empty()) {
            canvas_.SetControlFont(1);
            const Size s = canvas_.MeasureText(e.label);
            cell = QRect(e.x + (e.width - s.width) / 2, e.y + (e.height - s.height) / 2, s.width, s.height)
                       .adjusted(-2, -2, 2, 2);
        }
        int distinct = 0;
        for (int y = e.y; y < e.y + e.height; ++y)
            for (int x = e.x; x < e.x + e.width; ++x) {
                if (cell.contains(x, y)) continue;
                ASSERT_EQ(At(page, x, y), source.Pixel(x, y)) << source.name << " at " << x << "," << y;
                distinct += !(source.Pixel(x, y) == other.Pixel(x, y));
            }
        EXPECT_GT(distinct, 0) << source.name << " and " << other.name << " look the same in " << e.label;
    }

    std::unique_ptr<CachedImageSource> images_;
    SkinLayout layout_;
    std::shared_ptr<const SkinImage> mask_;
    QtCanvas canvas_;
};

TEST_F(ShippedSkin, MainPageStatesBarsAndLabels) {
    PaintInputs in = Inputs(kMainPage);
    in.mainHover = 7;
    in.buttonPressed = true;
    in.profile.DPI_SET = {0, 11, 3, 5};
    const QImage& page = Paint(in);
    auto normal = Image("main_normal.jpg"), over = Image("main_over.jpg"), down = Image("main_down.jpg");
    const auto& m = layout_.MainButtons;

    ExpectElementFrom(page, m[5], *down, *normal);   // current profile 2
    ExpectElementFrom(page, m[7], *down, *normal);   // pressed under the pointer
    ExpectElementFrom(page, m[4], *normal, *down);   // another profile
    ExpectElementFrom(page, m[9], *down, *normal);   // the main tab
    ExpectElementFrom(page, m[10], *normal, *down);

    struct Bar {
        int level;
        int segment;
        bool filled;
    };
    for (const Bar& b : {Bar{0, 0, true}, Bar{0, 1, false}, Bar{1, 11, true}, Bar{2, 3, true}, Bar{2, 4, false}}) {
        const SkinButton& e = m[66 + 12 * b.level + b.segment];
        const Rgb inside = At(page, e.x + 1, e.y + 1);
        const Rgb corner = At(page, e.x, e.y);  // the fill leaves the left and top edge
        if (b.filled) {
            EXPECT_EQ(inside, DpiLevelColors[b.level]) << b.level << "/" << b.segment;
            EXPECT_EQ(At(page, e.x + e.width - 2, e.y + e.height - 1), DpiLevelColors[b.level]);
            EXPECT_EQ(At(page, e.x + e.width - 1, e.y + 1), normal->Pixel(e.x + e.width - 1, e.y + 1));
        } else {
            EXPECT_EQ(inside, normal->Pixel(e.x + 1, e.y + 1)) << b.level << "/" << b.segment;
        }
        EXPECT_EQ(corner, normal->Pixel(e.x, e.y));
    }

    // A label was drawn in white somewhere in its element.
    const SkinButton& label = m[9];
    ASSERT_FALSE(label.label.empty());
    int changed = 0;
    for (int y = label.y; y < label.y + label.height; ++y)
        for (int x = label.x; x < label.x + label.width; ++x) changed += !(At(page, x, y) == down->Pixel(x, y));
    EXPECT_GT(changed, 5);
}

TEST_F(ShippedSkin, AdvancedPageSlider) {
    PaintInputs in = Inputs(kAdvancedPage);
    in.profile.FIRE_TIME = 150;
    const QImage& page = Paint(in);
    auto normal = Image("advanced_normal.jpg"), down = Image("advanced_down.jpg");
    const SkinButton& s = layout_.AdvancedButtons[30];
    const int32_t fill = s.width * 150 / 300;
    const int y = s.y + s.height / 2;
    int differ = 0;
    for (int x = s.x; x < s.x + s.width; ++x) {
        const SkinImage& from = x < s.x + fill ? *down : *normal;
        ASSERT_EQ(At(page, x, y), from.Pixel(x, y)) << x;
        differ += !(down->Pixel(x, y) == normal->Pixel(x, y));
    }
    EXPECT_GT(differ, s.width / 2);
    ExpectElementFrom(page, layout_.AdvancedButtons[8 + FactoryProfile.DPI_SPEED], *down, *normal);
}

TEST_F(ShippedSkin, ColorPageLampAndMode) {
    PaintInputs in = Inputs(kColorPage);
    in.ledPreviewColor = 0;
    in.profile.LED_STATUS = 1;
    const QImage& page = Paint(in);
    auto normal = Image("color_normal_pink.jpg"), down = Image("color_down_purple.jpg");
    ExpectElementFrom(page, layout_.ColorButtons[11], *Image("color_over_blue.jpg"), *normal);
    ExpectElementFrom(page, layout_.ColorButtons[1], *down, *normal);
    ExpectElementFrom(page, layout_.ColorButtons[0], *normal, *down);

    in.ledPreviewDark = 1;
    const QImage& dark = Paint(in);
    ExpectElementFrom(dark, layout_.ColorButtons[11], *Image("color_normal_gray.jpg"), *normal);
}

TEST_F(ShippedSkin, MaskRegionAsQRegion) {
    const Region shape = BuildMaskRegion(*mask_);
    ASSERT_FALSE(shape.Empty());
    const QRegion region = ToQRegion(shape);
    int64_t area = 0;
    for (const QRect& r : region) area += int64_t{r.width()} * r.height();
    EXPECT_EQ(area, shape.Area());
    for (int y = 0; y < mask_->height; y += 7)
        for (int x = 0; x < mask_->width; x += 5) {
            const Rgb c = mask_->Pixel(x, y);
            ASSERT_EQ(region.contains(QPoint(x, y)), !IsMaskBackground(c.r, c.g, c.b)) << x << "," << y;
        }
}

TEST(QtCanvas, CopiesAndFillsClipToSourceAndSurface) {
    EnsureApp();
    SkinImage source;
    source.name = "s";
    source.width = 4;
    source.height = 3;
    for (int i = 0; i < 12; ++i) source.pixels.push_back(0xFF000000u | static_cast<uint32_t>(i + 1));
    QtCanvas canvas;
    canvas.Begin({6, 5});
    canvas.CopyElementState(source, {-2, 1, 10, 10});  // only columns 0..3, rows 1..2 exist
    canvas.FillRect({5, 4, 3, 3}, {9, 8, 7});
    canvas.FillRect({1, 0, 0, 5}, {255, 255, 255});     // empty: nothing
    canvas.End();
    const QImage& image = canvas.Image();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            Rgb expected{0, 0, 0};
            if (x < 4 && y >= 1 && y <= 2) expected = source.Pixel(x, y);
            if (x == 5 && y == 4) expected = {9, 8, 7};
            EXPECT_EQ(At(image, x, y), expected) << x << "," << y;
        }

    // Texts after copies, then copies after texts, in one paint.
    canvas.Begin({40, 20});
    canvas.SetControlFont(1);
    const Size size = canvas.MeasureText("Wg");
    EXPECT_GT(size.width, 0);
    EXPECT_GE(size.height, 14);
    canvas.DrawText(2, 2, "Wg", {255, 255, 255});
    canvas.CopyElementState(source, {0, 0, 2, 2});
    canvas.End();
    EXPECT_EQ(At(canvas.Image(), 1, 1), source.Pixel(1, 1));
    int lit = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) lit += At(canvas.Image(), x, y).r > 128;
    EXPECT_GT(lit, 10);
}

TEST(QtCanvas, DecodeFailsQuietly) {
    EnsureApp();
    EXPECT_FALSE(DecodeSkinImageFile(kSkins + "/no_such_image.jpg"));
    const std::string junk = ::testing::TempDir() + "zrv_not_a.jpg";
    std::ofstream(junk) << "not a jpeg";
    EXPECT_FALSE(DecodeSkinImageFile(junk));
    auto decoded = DecodeSkinImageFile(kSkins + "/main_normal.jpg");
    ASSERT_TRUE(decoded);
    const QImage reference(QString::fromStdString(kSkins + "/main_normal.jpg"));
    EXPECT_EQ(decoded->width, reference.width());
    EXPECT_EQ(decoded->Pixel(100, 50), At(reference, 100, 50));
}

}  // namespace
}  // namespace zrv
