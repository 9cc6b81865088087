#include "skin/popup.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "paint_recording_canvas.h"
#include "skin/page_painter.h"

namespace zrv {
namespace {

TEST(PopupGeometryTest, RowsComeFromTheMaskHeight) {
    EXPECT_EQ(MenuGeometry({40, 300}), (PopupGeometry{40, 30, 301}));
    EXPECT_EQ(MenuGeometry({280, 261}), (PopupGeometry{280, 26, 261}));
    EXPECT_EQ(SubMenuGeometry({280, 313}, 6), (PopupGeometry{280, 26, 157}));
    // Without rows the list is invisible.
    EXPECT_EQ(SubMenuGeometry({280, 313}, 0), (PopupGeometry{280, 26, 0}));
}

TEST(PopupGeometryTest, RowUnderThePoint) {
    const PopupGeometry g = MenuGeometry({40, 300});
    struct Case {
        Point p;
        int rows;
        int expected;
    };
    const Case cases[] = {
        {{0, 0}, 10, 1},      {{39, 29}, 10, 1},   {{0, 30}, 10, 2},         {{20, 299}, 10, 10},
        {{20, 300}, 10, kNoRow}, {{20, 300}, 12, 11}, {{40, 10}, 10, kNoRow},  {{-1, 10}, 10, kNoRow},
        {{5, -1}, 10, kNoRow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p.x) + "," + std::to_string(c.p.y));
        EXPECT_EQ(RowAt(c.p, g, c.rows), c.expected);
    }
}

TEST(PopupListsTest, SecondLevelListsByParentRow) {
    struct Case {
        int parentRow;
        int userMacros;
        int rows;
        int32_t offsetRows;
        int32_t firstCode;
    };
    const Case cases[] = {
        {7, 0, 6, 1, 11},
        {8, 0, 10, -2, 21},
        {10, 0, 8, 2, 31},
        // Three user macros: three rows, opened (9 - 3) rows below the list's top.
        {9, 3, 3, 6, 41},
        {9, 12, 12, -3, 41},
        {9, 0, 0, 9, 41},
    };
    const int32_t rowHeight = 26;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parentRow);
        EXPECT_EQ(SubMenuRowCount(c.parentRow, c.userMacros), c.rows);
        EXPECT_EQ(SubMenuOffset(c.parentRow, c.userMacros, rowHeight), c.offsetRows * rowHeight);
        EXPECT_EQ(SubMenuCode(c.parentRow, 1, 99), c.firstCode);
    }
    EXPECT_EQ(SubMenuCode(9, 2, 0), 42);
    EXPECT_EQ(SubMenuCode(10, 8, 0), 38);
    // A parent row without a list keeps the last code.
    EXPECT_EQ(SubMenuCode(3, 1, 17), 17);
    for (int row : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) EXPECT_EQ(SubMenuRowCount(row, 5) > 0, row >= 7) << row;

    const PopupGeometry menu = MenuGeometry({280, 261});
    EXPECT_EQ(SubMenuOrigin({100, 200}, menu, 9, 3), (Point{380, 200 + 6 * 26}));
    EXPECT_EQ(SubMenuOrigin({100, 200}, menu, 8, 3), (Point{380, 200 - 2 * 26}));
}

TEST(PopupListsTest, DirectRowsAndTexts) {
    for (int row = 0; row <= 11; ++row) EXPECT_EQ(MenuRowCode(row), row >= 1 && row <= 6 ? row : 0) << row;
    PopupTexts texts;
    for (int i = 1; i < kFunctionNameCount; ++i) texts.functionNames[static_cast<size_t>(i)] = "F" + std::to_string(i);
    texts.userMacroNames = {"alpha", "beta", "gamma"};
    EXPECT_EQ(MenuRowText(texts, 1), "F1");
    EXPECT_EQ(MenuRowText(texts, 10), "F10");
    EXPECT_EQ(MenuRowText(texts, 11), "");
    EXPECT_EQ(SubMenuRowText(texts, 7, 1), "F11");
    EXPECT_EQ(SubMenuRowText(texts, 8, 10), "F30");
    EXPECT_EQ(SubMenuRowText(texts, 10, 8), "F38");
    EXPECT_EQ(SubMenuRowText(texts, 10, 9), "");
    EXPECT_EQ(SubMenuRowText(texts, 9, 2), "beta");
    EXPECT_EQ(SubMenuRowText(texts, 9, 4), "");
}

TEST(PopupWarningTest, ConfirmAndCancelRectanglesIncludeTheirLastPixel) {
    std::array<SkinButton, kWarningButtonCount> buttons{};
    buttons[0] = {10, 100, 50, 20, "OK"};
    buttons[1] = {80, 100, 50, 20, "Cancel"};
    buttons[2] = {0, 0, 440, 90, "message"};
    struct Case {
        Point p;
        int expected;
    };
    const Case cases[] = {
        {{10, 100}, kWarningConfirm}, {{59, 119}, kWarningConfirm}, {{60, 119}, kNoRow},
        {{80, 100}, kWarningCancel},  {{129, 119}, kWarningCancel}, {{129, 120}, kNoRow},
        {{5, 5}, kNoRow},  // the message area is not a button
    };
    for (const Case& c : cases) EXPECT_EQ(WarningHit(c.p, buttons), c.expected) << c.p.x << "," << c.p.y;
}

TEST(PopupWarningTest, HandEditedExtremeRectanglesHitOnlyTheirOwnPixels) {
    // Values a hand-edited layout can hold after clamping to 32 bits: an empty or negative
    // rectangle at the lower limit is never hit, one reaching the upper limit still is.
    std::array<SkinButton, kWarningButtonCount> buttons{};
    buttons[0] = {INT32_MIN, 0, 0, 500, "OK"};
    buttons[1] = {INT32_MIN + 5, 0, -100, 500, "Cancel"};
    EXPECT_EQ(WarningHit({10, 10}, buttons), kNoRow);
    buttons[0] = {INT32_MAX - 10, 0, 100, 500, "OK"};
    EXPECT_EQ(WarningHit({INT32_MAX - 1, 10}, buttons), kWarningConfirm);
    EXPECT_EQ(WarningHit({10, 10}, buttons), kNoRow);
}

TEST(PopupPaintTest, ListShowsTheHoveredRowFromOverOrDownAndCentresTexts) {
    FakeImageSource images({280, 261});
    struct Case {
        bool pressed;
        const char* stateImage;
    };
    for (const Case& c : {Case{false, "menu_over.jpg"}, Case{true, "menu_down.jpg"}}) {
        SCOPED_TRACE(c.stateImage);
        RecordingCanvas canvas;
        ListPaint list;
        list.geometry = MenuGeometry({280, 261});
        list.rowCount = 10;
        list.hoverRow = 3;
        list.pressed = c.pressed;
        list.uiLanguage = 1;
        for (int i = 1; i <= 10; ++i) list.texts.push_back(i == 5 ? "" : "Row" + std::to_string(i));
        PaintList(images, kMenuImages, canvas, list);

        ASSERT_FALSE(canvas.ops.empty());
        EXPECT_EQ(canvas.ops.front().rect, (Rect{0, 0, 280, 261}));
        EXPECT_EQ(canvas.CopyCount("menu_normal.jpg", {0, 0, 280, 261}), 1);
        EXPECT_EQ(canvas.CopyCount(c.stateImage, {0, 2 * 26, 280, 26}), 1);
        const auto texts = canvas.Of(PaintOp::kText);
        ASSERT_EQ(texts.size(), 9u);  // the empty row draws nothing
        // "Row3": 4 characters of 7 pixels, 14 high, centred in row 3.
        const PaintOp* row3 = canvas.TextOp("Row3");
        ASSERT_NE(row3, nullptr);
        EXPECT_EQ(row3->rect.x, (280 - 28) / 2);
        EXPECT_EQ(row3->rect.y, 2 * 26 + (26 - 14) / 2);
        EXPECT_EQ(row3->color, kHoverLabelColor);
        EXPECT_EQ(canvas.TextOp("Row4")->color, kLabelColor);
    }
}

TEST(PopupPaintTest, NoHoveredRowCopiesNoStateAndMissingImagesAreLeftOut) {
    FakeImageSource images({280, 313});
    images.missing = {"advanced menu_normal.jpg"};
    RecordingCanvas canvas;
    ListPaint list;
    list.geometry = SubMenuGeometry({280, 313}, 2);
    list.rowCount = 2;
    list.texts = {"a", "b"};
    PaintList(images, kSubMenuImages, canvas, list);
    EXPECT_TRUE(canvas.Of(PaintOp::kCopy).empty());
    EXPECT_EQ(canvas.Of(PaintOp::kText).size(), 2u);
}

TEST(PopupPaintTest, WarningDrawsTheHoveredButtonAndRedLabels) {
    FakeImageSource images({440, 150});
    std::array<SkinButton, kWarningButtonCount> buttons{};
    buttons[0] = {100, 110, 80, 24, "OK"};
    buttons[1] = {260, 110, 80, 24, "Cancel"};
    buttons[2] = {20, 20, 400, 60, "Careful"};
    for (int hover : {kNoRow, kWarningConfirm, kWarningCancel}) {
        SCOPED_TRACE(hover);
        RecordingCanvas canvas;
        PaintWarning(images, canvas, {440, 150}, hover, buttons, 1);
        EXPECT_EQ(canvas.CopyCount("warning_normal.jpg", {0, 0, 440, 150}), 1);
        EXPECT_EQ(canvas.CopyCount("warning_over.jpg", ElementRect(buttons[0])), hover == kWarningConfirm ? 1 : 0);
        EXPECT_EQ(canvas.CopyCount("warning_over.jpg", ElementRect(buttons[1])), hover == kWarningCancel ? 1 : 0);
        const auto texts = canvas.Of(PaintOp::kText);
        ASSERT_EQ(texts.size(), 3u);
        for (const PaintOp& t : texts) EXPECT_EQ(t.color, kHoverLabelColor);
        EXPECT_EQ(canvas.TextOp("Cancel")->rect.x, 260 + (80 - 42) / 2);
    }
}

}  // namespace
}  // namespace zrv
