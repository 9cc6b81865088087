#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "skin/page_painter.h"
#include "tests/skin/paint_recording_canvas.h"

namespace zrv {
namespace {

constexpr std::string_view kMainNormal = "main_normal.jpg";
constexpr std::string_view kMainOver = "main_over.jpg";
constexpr std::string_view kMainDown = "main_down.jpg";
constexpr std::string_view kAdvOver = "advanced_over.jpg";
constexpr std::string_view kAdvDown = "advanced_down.jpg";
constexpr std::string_view kColorNormal = "color_normal_pink.jpg";
constexpr std::string_view kColorOver = "color_over_red.jpg";
constexpr std::string_view kColorDown = "color_down_purple.jpg";

// Every element at its own place with its own label.
template <size_t N>
void Fill(std::array<SkinButton, N>& table, char prefix, int32_t top) {
    for (size_t i = 0; i < N; ++i)
        table[i] = {static_cast<int32_t>(i % 20) * 40, top + static_cast<int32_t>(i / 20) * 30, 31, 20,
                    std::string(1, prefix) + std::to_string(i)};
}

SkinLayout TestLayout() {
    SkinLayout layout;
    Fill(layout.MainButtons, 'M', 0);
    Fill(layout.AdvancedButtons, 'A', 200);
    Fill(layout.ColorButtons, 'C', 400);
    for (int code = 1; code < kFunctionNameCount; ++code) layout.FunctionNames[code] = "F" + std::to_string(code);
    return layout;
}

PaintInputs TestInputs(int page) {
    PaintInputs in;
    in.currentPage = page;
    in.profile = FactoryProfile;
    in.currentProfile = 1;
    in.uiLanguage = 1;
    in.maskSize = {800, 600};
    return in;
}

Rect R(const SkinButton& b) { return ElementRect(b); }

PageSurfaces Surfaces(int page) {
    static FakeImageSource source;
    const StateImageNames& n = kPageImages[page];
    return {source.LoadSkinImage(n.normal), source.LoadSkinImage(n.over), source.LoadSkinImage(n.down)};
}

TEST(PaintPage, ComposesTheWholePageInOrderAndShowsItOnce) {
    SkinLayout layout = TestLayout();
    FakeImageSource images;
    RecordingCanvas canvas;
    PaintInputs in = TestInputs(kMainPage);
    in.maskSize = {640, 480};
    PaintPage(images, canvas, in, layout);

    ASSERT_GE(canvas.ops.size(), 3u);
    EXPECT_EQ(canvas.ops.front().kind, PaintOp::kBegin);
    EXPECT_EQ(canvas.ops.front().rect, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(canvas.ops[1].kind, PaintOp::kCopy);
    EXPECT_EQ(canvas.ops[1].image, kMainNormal);
    EXPECT_EQ(canvas.ops[1].rect, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(canvas.ops.back().kind, PaintOp::kEnd);
    EXPECT_EQ(canvas.Of(PaintOp::kBegin).size(), 1u);
    // Labels come last: no copy or fill after the first text.
    const auto firstText = std::find_if(canvas.ops.begin(), canvas.ops.end(),
                                        [](const PaintOp& op) { return op.kind == PaintOp::kText; });
    ASSERT_NE(firstText, canvas.ops.end());
    EXPECT_TRUE(std::none_of(firstText, canvas.ops.end(), [](const PaintOp& op) {
        return op.kind == PaintOp::kCopy || op.kind == PaintOp::kFill;
    }));
}

TEST(PaintPage, EachPageUsesItsOwnThreeImages) {
    struct Case {
        int page;
        std::vector<std::string> loads;
    };
    const Case cases[] = {
        {kMainPage, {"main_normal.jpg", "main_over.jpg", "main_down.jpg"}},
        {kAdvancedPage, {"advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg"}},
        // The lamp at LedPreviewColor 1 needs no extra image.
        {kColorPage, {"color_normal_pink.jpg", "color_over_red.jpg", "color_down_purple.jpg"}},
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(c.page);
        in.ledPreviewColor = 1;
        PaintPage(images, canvas, in, layout);
        EXPECT_EQ(images.loads, c.loads) << "page " << c.page;
    }
}

TEST(PaintPage, MissingImagesLeaveTheirLayersOut) {
    SkinLayout layout = TestLayout();
    FakeImageSource images;
    images.missing = {"main_normal.jpg", "main_down.jpg"};
    RecordingCanvas canvas;
    PaintInputs in = TestInputs(kMainPage);
    in.mainHover = 22;
    PaintPage(images, canvas, in, layout);
    for (const PaintOp& op : canvas.Of(PaintOp::kCopy)) EXPECT_EQ(op.image, kMainOver);
    EXPECT_EQ(canvas.CopyCount(kMainOver, R(layout.MainButtons[22])), 1);
    EXPECT_FALSE(canvas.Of(PaintOp::kFill).empty());
    EXPECT_NE(canvas.TextOp("M22"), nullptr);
}

TEST(MainElements, DpiSegmentsPerLevel) {
    struct Case {
        uint8_t dpiSet;
        int segments;
    };
    const Case cases[] = {{0, 1}, {5, 6}, {11, 12}, {200, 12}};
    for (const Case& c : cases) {
        for (int level = 0; level < 4; ++level) {
            SkinLayout layout = TestLayout();
            FakeImageSource images;
            RecordingCanvas canvas;
            PaintInputs in = TestInputs(kMainPage);
            in.profile.DPI_SET = {0, 0, 0, 0};
            in.profile.DPI_SET[level] = c.dpiSet;
            PaintPageElements(Surfaces(kMainPage), canvas, in, layout, images);

            int filled = 0;
            for (int s = 0; s < 12; ++s) {
                const SkinButton& e = layout.MainButtons[66 + 12 * level + s];
                const Rect bar{e.x + 1, e.y + 1, e.width - 2, e.height - 1};
                const auto fills = canvas.Of(PaintOp::kFill);
                const bool found = std::any_of(fills.begin(), fills.end(), [&](const PaintOp& op) {
                    return op.rect == bar && op.color == DpiLevelColors[level];
                });
                filled += found;
                EXPECT_EQ(found, s < c.segments) << "DPI_SET " << int(c.dpiSet) << " level " << level << " s " << s;
            }
            EXPECT_EQ(filled, c.segments);
            // Every other level keeps its one segment.
            EXPECT_EQ(canvas.Of(PaintOp::kFill).size(), static_cast<size_t>(c.segments + 3));
        }
    }
}

TEST(MainElements, StateElementsFromDown) {
    SkinLayout layout = TestLayout();
    FakeImageSource images;
    RecordingCanvas canvas;
    PaintInputs in = TestInputs(kMainPage);
    in.profile.DPI_LEVEL = 2;
    in.profile.DPI_SET_EN = {1, 0, 1, 2};
    in.profile.WHEEL_STATUS = 7;
    PaintPageElements(Surfaces(kMainPage), canvas, in, layout, images);
    const auto& m = layout.MainButtons;
    EXPECT_EQ(canvas.CopyCount(kMainDown, R(m[56])), 1);
    EXPECT_EQ(canvas.CopiesOf(R(m[54])) + canvas.CopiesOf(R(m[55])) + canvas.CopiesOf(R(m[57])), 0);
    EXPECT_EQ(canvas.CopyCount(kMainDown, R(m[46])), 1);
    EXPECT_EQ(canvas.CopiesOf(R(m[47])), 0);
    EXPECT_EQ(canvas.CopyCount(kMainDown, R(m[48])), 1);
    EXPECT_EQ(canvas.CopiesOf(R(m[49])), 0);  // enabled means exactly 1
    EXPECT_EQ(canvas.CopyCount(kMainDown, R(m[42])), 1);
    EXPECT_EQ(canvas.CopiesOf(R(m[41])), 0);
}

TEST(MainElements, HoverCopyComesFirstAndNotesShowOverFunctions) {
    struct Case {
        int hover;
        bool pressed;
        std::string_view hoverImage;
        std::optional<int> note;
    };
    const Case cases[] = {
        {25, false, kMainOver, 115}, {30, true, kMainDown, 120}, {31, false, kMainOver, std::nullopt},
        {24, true, kMainDown, std::nullopt},
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kMainPage);
        in.mainHover = c.hover;
        in.buttonPressed = c.pressed;
        PaintPageElements(Surfaces(kMainPage), canvas, in, layout, images);
        ASSERT_FALSE(canvas.ops.empty());
        EXPECT_EQ(canvas.ops[0].image, c.hoverImage);
        EXPECT_EQ(canvas.ops[0].rect, R(layout.MainButtons[c.hover]));
        int notes = 0;
        for (int n = 115; n <= 120; ++n) notes += canvas.CopiesOf(R(layout.MainButtons[n]));
        EXPECT_EQ(notes, c.note ? 1 : 0) << c.hover;
        if (c.note) { EXPECT_EQ(canvas.CopyCount(kMainOver, R(layout.MainButtons[*c.note])), 1); }
    }
}

TEST(AdvancedElements, SliderWidthInUnsigned32Bit) {
    struct Case {
        int32_t width;
        int32_t fireTime;
        std::optional<int32_t> drawn;
    };
    const Case cases[] = {
        {201, 150, 100}, {201, 0, std::nullopt}, {201, 300, 201}, {201, 1, std::nullopt}, {300, 1, 1},
        // 50000 × 100000 wraps to 705032704 before the division.
        {50000, 100000, 2350109},
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        layout.AdvancedButtons[30].width = c.width;
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kAdvancedPage);
        in.profile.FIRE_TIME = c.fireTime;
        PaintPageElements(Surfaces(kAdvancedPage), canvas, in, layout, images);
        const SkinButton& s = layout.AdvancedButtons[30];
        int sliderCopies = 0;
        for (const PaintOp& op : canvas.Of(PaintOp::kCopy))
            if (op.rect.x == s.x && op.rect.y == s.y) {
                ++sliderCopies;
                EXPECT_EQ(op.image, kAdvDown);
                EXPECT_EQ(op.rect, (Rect{s.x, s.y, c.drawn.value_or(-1), s.height}));
            }
        EXPECT_EQ(sliderCopies, c.drawn ? 1 : 0) << c.width << " × " << c.fireTime;
    }
}

TEST(AdvancedElements, PressedSliderShowsNoDownImageButOthersDo) {
    struct Case {
        int hover;
        bool pressed;
        std::optional<std::string_view> fullCopy;
    };
    const Case cases[] = {{30, true, std::nullopt}, {30, false, kAdvOver}, {31, true, kAdvDown}};
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kAdvancedPage);
        in.advancedHover = c.hover;
        in.buttonPressed = c.pressed;
        in.profile.FIRE_TIME = 150;
        PaintPageElements(Surfaces(kAdvancedPage), canvas, in, layout, images);
        const Rect full = R(layout.AdvancedButtons[c.hover]);
        EXPECT_EQ(canvas.CopiesOf(full), c.fullCopy ? 1 : 0) << c.hover;
        if (c.fullCopy) { EXPECT_EQ(canvas.CopyCount(*c.fullCopy, full), 1); }
        // The slider rule still draws its half.
        const SkinButton& s = layout.AdvancedButtons[30];
        EXPECT_EQ(canvas.CopyCount(kAdvDown, {s.x, s.y, 15, s.height}), 1);
    }
}

TEST(AdvancedElements, StateElementsFromDown) {
    SkinLayout layout = TestLayout();
    FakeImageSource images;
    RecordingCanvas canvas;
    PaintInputs in = TestInputs(kAdvancedPage);
    in.recordingActive = true;
    in.profile.DPI_SPEED = 9;
    in.profile.WHEEL_SPEED = 0;
    in.profile.MACRO_MODE2 = 1;
    in.currentMacroRepeatMode = 1;
    PaintPageElements(Surfaces(kAdvancedPage), canvas, in, layout, images);
    const auto& a = layout.AdvancedButtons;
    for (int i : {4, 6, 7, 17, 18}) EXPECT_EQ(canvas.CopyCount(kAdvDown, R(a[i])), 1) << i;
    for (int i : {8, 16, 19, 27}) EXPECT_EQ(canvas.CopiesOf(R(a[i])), 0) << i;

    RecordingCanvas quiet;
    in.recordingActive = false;
    in.profile.MACRO_MODE2 = 0;
    in.currentMacroRepeatMode = 2;
    in.profile.DPI_SPEED = 10;  // a hand-edited value: nothing drawn, not element 18
    PaintPageElements(Surfaces(kAdvancedPage), quiet, in, layout, images);
    for (int i : {4, 6, 7}) EXPECT_EQ(quiet.CopiesOf(R(a[i])), 0) << i;
    EXPECT_EQ(quiet.CopiesOf(R(a[18])), 1);  // WHEEL_SPEED 0 only
}

TEST(ColorElements, LampImageByPreviewState) {
    struct Case {
        uint8_t dark;
        uint8_t color;
        std::optional<std::string_view> image;
    };
    const Case cases[] = {
        {1, 2, "color_normal_gray.jpg"}, {0, 0, "color_over_blue.jpg"}, {0, 1, std::nullopt},
        {0, 2, kColorOver},              {0, 3, kColorDown},           {0, 9, std::nullopt},
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kColorPage);
        in.profile.LED_STATUS = 2;
        in.ledPreviewDark = c.dark;
        in.ledPreviewColor = c.color;
        PaintPageElements(Surfaces(kColorPage), canvas, in, layout, images);
        const Rect lamp = R(layout.ColorButtons[11]);
        EXPECT_EQ(canvas.CopiesOf(lamp), c.image ? 1 : 0) << int(c.dark) << "/" << int(c.color);
        if (c.image) { EXPECT_EQ(canvas.CopyCount(*c.image, lamp), 1); }
        // The extra images are loaded only for their own copy.
        const bool extra = c.image && (*c.image == "color_normal_gray.jpg" || *c.image == "color_over_blue.jpg");
        EXPECT_EQ(images.loads.size(), extra ? 1u : 0u);
        EXPECT_EQ(canvas.CopyCount(kColorDown, R(layout.ColorButtons[2])), 1);
    }
}

// Which image each of MainButtons 0..19 is copied from (absent: none).
std::map<int, std::string> CommonCopies(const RecordingCanvas& canvas, const SkinLayout& layout) {
    std::map<int, std::string> out;
    for (const PaintOp& op : canvas.Of(PaintOp::kCopy))
        for (int i = 0; i < 20; ++i)
            if (op.rect == R(layout.MainButtons[i])) {
                EXPECT_EQ(out.count(i), 0u) << "element " << i << " copied twice";
                out[i] = op.image;
            }
    return out;
}

TEST(CommonElements, FirstRuleThatHoldsDecides) {
    const std::string down(kMainDown), over(kMainOver);
    struct Case {
        const char* what;
        int32_t profile;
        int hover;
        bool pressed;
        int language;
        std::map<int, std::string> expected;
    };
    const Case cases[] = {
        {"current profile beats hover", 1, 4, false, 1, {{4, down}, {9, down}, {18, down}}},
        {"hover on another profile", 1, 5, false, 1, {{4, down}, {5, over}, {9, down}, {18, down}}},
        {"pressed hover", 1, 5, true, 1, {{4, down}, {5, down}, {9, down}, {18, down}}},
        {"hover beats the tab", 2, 9, false, 0, {{5, down}, {9, over}, {17, down}}},
        {"hover beats the language", 3, 17, false, 0, {{6, down}, {9, down}, {17, over}}},
        {"profile 0 shows element 3", 0, kNoElement, false, 1, {{3, down}, {9, down}, {18, down}}},
        {"language 2 shows neither language", 5, kNoElement, false, 2, {{8, down}, {9, down}}},
        {"hover outside the common elements", 5, 60, true, 1, {{8, down}, {9, down}, {18, down}}},
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kMainPage);
        in.currentProfile = c.profile;
        in.mainHover = c.hover;
        in.buttonPressed = c.pressed;
        in.uiLanguage = c.language;
        PaintCommonElements(Surfaces(kMainPage), canvas, in, layout, kMainTab);
        EXPECT_EQ(CommonCopies(canvas, layout), c.expected) << c.what;
    }
}

TEST(CommonElements, TabOfEachPage) {
    for (int page : {kMainPage, kAdvancedPage, kColorPage}) {
        SkinLayout layout = TestLayout();
        FakeImageSource images;
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(page);
        PaintPage(images, canvas, in, layout);
        const std::string down(kPageImages[page].down);
        EXPECT_EQ(canvas.CopyCount(down, R(layout.MainButtons[TabIndex(page)])), 1) << page;
        for (int tab : {9, 10, 11})
            if (tab != TabIndex(page)) { EXPECT_EQ(canvas.CopiesOf(R(layout.MainButtons[tab])), 0); }
    }
}

std::vector<std::string> Texts(const RecordingCanvas& canvas) {
    std::vector<std::string> out;
    for (const PaintOp& op : canvas.Of(PaintOp::kText)) out.push_back(op.text);
    return out;
}

TEST(Labels, MainPageFunctionNamesAndColours) {
    SkinLayout layout = TestLayout();
    RecordingCanvas canvas;
    PaintInputs in = TestInputs(kMainPage);
    in.profile.K = {41, 42, 3, 99, -1, 54};
    in.userMacroNames[1] = "Combo";
    in.mainHover = 27;
    PaintLabels(canvas, in, layout, LabelCount(kMainPage));

    // 41 with an empty first user macro and the two codes without a name draw nothing.
    EXPECT_EQ(canvas.TextOp("M25"), nullptr);
    const auto& m = layout.MainButtons;
    const PaintOp* combo = canvas.TextOp("Combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->rect.x, m[26].x + 5);
    EXPECT_EQ(combo->rect.y, m[26].y + (20 - 14) / 2);
    EXPECT_EQ(combo->color, kLabelColor);
    ASSERT_NE(canvas.TextOp("F3"), nullptr);
    EXPECT_EQ(canvas.TextOp("F3")->color, kHoverLabelColor);
    ASSERT_NE(canvas.TextOp("F54"), nullptr);
    EXPECT_EQ(canvas.TextOp("F54")->color, kLabelColor);

    // Everything else 0..53 centred and white; nothing from 54 on.
    std::vector<std::string> expected = {"Combo", "F3", "F54"};
    for (int k = 0; k < 54; ++k)
        if (k < 25 || k > 30) expected.push_back("M" + std::to_string(k));
    std::vector<std::string> texts = Texts(canvas);
    std::sort(texts.begin(), texts.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(texts, expected);
    for (const PaintOp& op : canvas.Of(PaintOp::kText))
        if (op.text != "F3") { EXPECT_EQ(op.color, kLabelColor) << op.text; }
}

TEST(Labels, CentredWithTruncationTowardZero) {
    struct Case {
        int32_t width;
        int32_t height;
        std::string label;
        int32_t x;  // relative to the element
        int32_t y;
    };
    // English cells: 7 per character, 14 high.
    const Case cases[] = {
        {31, 20, "ab", 8, 3},       // 17/2 and 6/2
        {10, 10, "abc", -5, -2},    // -11/2 and -4/2: toward zero, not down
        {10, 9, "abc", -5, -2},     // -5/2 = -2
        {0, 0, "", 0, 0},           // empty: nothing drawn
    };
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        layout.MainButtons[21] = {100, 50, c.width, c.height, c.label};
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kMainPage);
        PaintLabels(canvas, in, layout, 22);
        const auto texts = canvas.Of(PaintOp::kText);
        if (c.label.empty()) {
            EXPECT_EQ(texts.size(), 21u);
            continue;
        }
        const PaintOp* op = canvas.TextOp(c.label);
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->rect.x, 100 + c.x) << c.label << " in " << c.width;
        EXPECT_EQ(op->rect.y, 50 + c.y) << c.label << " in " << c.height;
    }
}

TEST(Labels, OtherPagesDrawOnlyTheCommonMainLabels) {
    for (int page : {kAdvancedPage, kColorPage}) {
        SkinLayout layout = TestLayout();
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(page);
        in.mainHover = 5;
        in.advancedHover = 12;
        in.colorHover = 3;
        PaintLabels(canvas, in, layout, LabelCount(page));
        for (const PaintOp& op : canvas.Of(PaintOp::kText)) {
            if (op.text[0] != 'M') continue;
            EXPECT_LT(std::stoi(op.text.substr(1)), 20) << op.text;
            EXPECT_EQ(op.color, kLabelColor) << op.text;  // common labels are never red
        }
        ASSERT_NE(canvas.TextOp("M19"), nullptr);
        if (page == kAdvancedPage) {
            ASSERT_NE(canvas.TextOp("A12"), nullptr);
            EXPECT_EQ(canvas.TextOp("A12")->color, kHoverLabelColor);
            EXPECT_EQ(canvas.TextOp("A13")->color, kLabelColor);
            EXPECT_NE(canvas.TextOp("A51"), nullptr);
        } else {
            // Color labels are white even under the pointer; all 13 are drawn.
            ASSERT_NE(canvas.TextOp("C3"), nullptr);
            EXPECT_EQ(canvas.TextOp("C3")->color, kLabelColor);
            EXPECT_NE(canvas.TextOp("C12"), nullptr);
        }
    }
}

TEST(Labels, ColorPageShowsTheAppliedDpiOfTheCurrentLevel) {
    struct Case {
        int32_t level;
        uint8_t code;
        std::string text;
    };
    const Case cases[] = {{1, 0x07, "1600"}, {3, 0x0F, "4800"}, {0, 0x08, "200"}, {0, 0, "200"}, {6, 0x07, "200"}};
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kColorPage);
        in.profile.DPI_LEVEL = c.level;
        in.appliedDpiCodes = {0x01, 0x01, 0x01, 0x01};
        if (c.level >= 0 && c.level < 4) in.appliedDpiCodes[c.level] = c.code;
        in.profile.DPI_SET = {11, 11, 11, 11};  // the profile's value is not what shows
        PaintLabels(canvas, in, layout, LabelCount(kColorPage));
        const PaintOp* op = canvas.TextOp(c.text);
        ASSERT_NE(op, nullptr) << c.text;
        const SkinButton& e = layout.ColorButtons[9];
        EXPECT_EQ(op->rect.x, e.x + (e.width - 7 * int32_t(c.text.size())) / 2);
        EXPECT_EQ(canvas.TextOp("C9"), nullptr);
    }
}

TEST(Labels, AdvancedLabelsReplacedInBothLanguagesAndKept) {
    struct Case {
        int language;
        bool recording;
        std::string record;
    };
    const Case cases[] = {{1, false, "Record"}, {1, true, "Stop"}, {2, true, "Stop"}, {0, false, "录制"},
                          {0, true, "停止"}};
    for (const Case& c : cases) {
        SkinLayout layout = TestLayout();
        RecordingCanvas canvas;
        PaintInputs in = TestInputs(kAdvancedPage);
        in.uiLanguage = c.language;
        in.recordingActive = c.recording;
        in.profile.FIRE_TIME = 150;
        in.downCount = 3;
        in.upCount = 12;
        PaintLabels(canvas, in, layout, LabelCount(kAdvancedPage));
        EXPECT_EQ(layout.AdvancedButtons[4].label, c.record);
        EXPECT_EQ(layout.AdvancedButtons[33].label, "150ms");
        EXPECT_EQ(layout.AdvancedButtons[43].label, "[↓]3");
        EXPECT_EQ(layout.AdvancedButtons[44].label, "[↑]12");
        for (const std::string& text : {c.record, std::string("150ms"), std::string("[↓]3"), std::string("[↑]12")})
            EXPECT_NE(canvas.TextOp(text), nullptr) << text;
        EXPECT_EQ(canvas.TextOp("A4"), nullptr);
        EXPECT_EQ(canvas.Of(PaintOp::kFont).at(0).language, c.language);

        // Chinese cells: 12 per character, 12 high.
        const SkinButton& e = layout.AdvancedButtons[4];
        const int32_t width = c.language == 0 ? 24 : 7 * int32_t(c.record.size());
        EXPECT_EQ(canvas.TextOp(c.record)->rect.x, e.x + (e.width - width) / 2);

        // A main-page paint leaves them as they are.
        RecordingCanvas later;
        PaintInputs main = TestInputs(kMainPage);
        PaintLabels(later, main, layout, LabelCount(kMainPage));
        EXPECT_EQ(layout.AdvancedButtons[4].label, c.record);
    }
}

}  // namespace
}  // namespace zrv
