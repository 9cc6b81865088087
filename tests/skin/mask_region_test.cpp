#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "skin/mask_region.h"

namespace zrv {
namespace {

SkinImage SolidImage(int32_t width, int32_t height, Rgb color) {
    SkinImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width * height), PackPixel(color));
    return image;
}

void SetPixel(SkinImage& image, int32_t x, int32_t y, Rgb color) {
    image.pixels[static_cast<size_t>(y * image.width + x)] = PackPixel(color);
}

TEST(MaskPixel, AllThreeComponentsAboveHundredAreBackground) {
    struct Case {
        Rgb color;
        bool background;
    };
    const Case cases[] = {
        {{101, 101, 101}, true}, {{100, 255, 255}, false}, {{255, 255, 100}, false},
        {{255, 100, 255}, false}, {{255, 255, 255}, true}, {{0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsMaskBackground(c.color.r, c.color.g, c.color.b), c.background)
            << int(c.color.r) << "," << int(c.color.g) << "," << int(c.color.b);
        // The same answer through a decoded image.
        const Region region = BuildMaskRegion(SolidImage(1, 1, c.color));
        EXPECT_EQ(region.Contains(0, 0), !c.background);
    }
}

TEST(MaskRegion, AllLightMaskGivesEmptyRegion) {
    const Region region = BuildMaskRegion(SolidImage(40, 30, {200, 200, 200}));
    EXPECT_TRUE(region.Empty());
    EXPECT_EQ(region.Area(), 0);
    EXPECT_TRUE(region.ToRects().empty());
}

TEST(MaskRegion, AllDarkMaskIsOneRectangle) {
    const Region region = BuildMaskRegion(SolidImage(40, 30, {10, 10, 10}));
    EXPECT_EQ(region, Region::FromRect({0, 0, 40, 30}));
    ASSERT_EQ(region.ToRects().size(), 1u);
    EXPECT_EQ(region.ToRects()[0], (Rect{0, 0, 40, 30}));
}

// The definition: start from the whole rectangle and XOR one pixel per background pixel,
// then XOR whole rectangles pixel by pixel.
using PixelSet = std::set<std::pair<int32_t, int32_t>>;

void XorPixel(PixelSet& set, int32_t x, int32_t y) {
    if (!set.erase({x, y})) set.insert({x, y});
}

PixelSet NaiveMask(const SkinImage& mask) {
    PixelSet set;
    for (int32_t x = 0; x < mask.width; ++x)
        for (int32_t y = 0; y < mask.height; ++y) set.insert({x, y});
    for (int32_t x = 0; x < mask.width; ++x)
        for (int32_t y = 0; y < mask.height; ++y) {
            const Rgb c = mask.Pixel(x, y);
            if (IsMaskBackground(c.r, c.g, c.b)) XorPixel(set, x, y);
        }
    return set;
}

void NaiveXorRect(PixelSet& set, Rect r) {
    for (int32_t x = r.x; x < r.x + r.width; ++x)
        for (int32_t y = r.y; y < r.y + r.height; ++y) XorPixel(set, x, y);
}

void ExpectSamePixels(const Region& region, const PixelSet& expected, int32_t from, int32_t to) {
    EXPECT_EQ(region.Area(), static_cast<int64_t>(expected.size()));
    for (int32_t y = from; y < to; ++y)
        for (int32_t x = from; x < to; ++x)
            ASSERT_EQ(region.Contains(x, y), expected.count({x, y}) == 1) << "pixel " << x << "," << y;
    // The rectangles cover the same pixels, in bands as QRegion::setRects wants them.
    int64_t covered = 0;
    const std::vector<Rect> rects = region.ToRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        ASSERT_GT(r.width, 0);
        ASSERT_GT(r.height, 0);
        covered += int64_t{r.width} * r.height;
        for (int32_t y = r.y; y < r.y + r.height; ++y)
            for (int32_t x = r.x; x < r.x + r.width; ++x) ASSERT_TRUE(expected.count({x, y})) << x << "," << y;
        if (i > 0) {
            const Rect& p = rects[i - 1];
            if (p.y == r.y) {
                EXPECT_EQ(p.height, r.height);
                EXPECT_LT(p.x + p.width, r.x);  // neither overlapping nor touching
            } else {
                EXPECT_GE(r.y, p.y + p.height);
            }
        }
    }
    EXPECT_EQ(covered, static_cast<int64_t>(expected.size()));
}

TEST(MaskRegion, RowRunsEqualThePerPixelDefinitionOnRandomMasks) {
    std::mt19937 random(20240611);
    // Components around the threshold, so one component decides.
    const uint8_t levels[] = {0, 100, 101, 255};
    for (int round = 0; round < 300; ++round) {
        const int32_t width = static_cast<int32_t>(random() % 13);
        const int32_t height = static_cast<int32_t>(random() % 13);
        SkinImage mask = SolidImage(width, height, {0, 0, 0});
        const bool mostlyLight = random() % 2;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                Rgb c{levels[random() % 4], levels[random() % 4], levels[random() % 4]};
                if (mostlyLight && random() % 3 != 0) c = {255, 255, 255};
                SetPixel(mask, x, y, c);
            }
        Region region = BuildMaskRegion(mask);
        PixelSet expected = NaiveMask(mask);
        ExpectSamePixels(region, expected, -3, 16);

        for (int step = 0; step < 3; ++step) {
            const Rect r{static_cast<int32_t>(random() % 20) - 4, static_cast<int32_t>(random() % 20) - 4,
                         static_cast<int32_t>(random() % 10), static_cast<int32_t>(random() % 10)};
            region.XorRect(r);
            NaiveXorRect(expected, r);
            ExpectSamePixels(region, expected, -5, 26);
            if (HasFailure()) return;
        }
    }
}

TEST(MaskRegion, XorTwiceGivesBackTheSameRegion) {
    SkinImage mask = SolidImage(10, 10, {0, 0, 0});
    for (int i = 0; i < 10; ++i) SetPixel(mask, i, i, {255, 255, 255});
    const Region shape = BuildMaskRegion(mask);
    Region region = shape;
    region.XorRect({3, -2, 9, 7});
    EXPECT_NE(region, shape);
    region.XorRect({3, -2, 9, 7});
    EXPECT_EQ(region, shape);
}

TEST(MaskRegion, RepaintRegionCutsInsideAndAddsOutside) {
    // A 20×20 shape; the name box lies inside it, the event list reaches 5 columns past its
    // right edge, the macro list lies wholly outside.
    const Region shape = Region::FromRect({0, 0, 20, 20});
    SkinLayout layout;
    layout.NameBoxRect = {2, 2, 6, 4};       // 4×2 inside
    layout.EventListRect = {15, 10, 25, 12};  // 10×2: 5 inside, 5 outside per row
    layout.MacroListRect = {30, 30, 33, 31};
    const Region repaint = BuildRepaintRegion(shape, layout);

    EXPECT_FALSE(repaint.Contains(2, 2));
    EXPECT_FALSE(repaint.Contains(5, 3));
    EXPECT_TRUE(repaint.Contains(6, 3));
    EXPECT_FALSE(repaint.Contains(15, 10));
    EXPECT_FALSE(repaint.Contains(19, 11));
    EXPECT_TRUE(repaint.Contains(20, 10));  // outside the shape: added
    EXPECT_TRUE(repaint.Contains(24, 11));
    EXPECT_FALSE(repaint.Contains(25, 11));
    EXPECT_TRUE(repaint.Contains(30, 30));
    EXPECT_EQ(repaint.Area(), 400 - 8 - 10 + 10 + 3);
}

TEST(MaskRegion, HugeRectangleStaysCheap) {
    Region region = Region::FromRect({0, 0, 100, 100});
    region.XorRect({-1000000000, -1000000000, 2000000000, 2000000000});
    EXPECT_FALSE(region.Contains(50, 50));
    EXPECT_TRUE(region.Contains(-999999999, 999999999));
    EXPECT_LE(region.Bands().size(), 3u);
}

}  // namespace
}  // namespace zrv
