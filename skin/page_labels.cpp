#include <string>

#include "skin/page_painter.h"

namespace zrv {
namespace {

void DrawCentred(Canvas& backBuffer, const SkinButton& element, const std::string& text, Rgb color) {
    if (text.empty()) return;
    const Size size = backBuffer.MeasureText(text);
    backBuffer.DrawText(element.x + (element.width - size.width) / 2, element.y + (element.height - size.height) / 2,
                        text, color);
}

// Name shown for a button's function code: the user macro's name for 41..52.
std::string FunctionText(const PaintInputs& inputs, const SkinLayout& layout, int32_t code) {
    if (code >= 41 && code <= 52) return inputs.userMacroNames[static_cast<size_t>(code - 41)];
    if (code < 0 || code >= kFunctionNameCount) return {};
    return layout.FunctionNames[static_cast<size_t>(code)];
}

std::string AppliedDpiText(const PaintInputs& inputs) {
    const int32_t level = inputs.profile.DPI_LEVEL;
    const uint8_t code = level >= 0 && level < kDpiLevelCount ? inputs.appliedDpiCodes[static_cast<size_t>(level)] : 0;
    return std::to_string(DpiValueOfCode(code));
}

// The four advanced labels that show state instead of the layout's text.
void ReplaceAdvancedLabel(const PaintInputs& inputs, int j, std::string& label) {
    switch (j) {
    case 4:
        if (inputs.uiLanguage != 0)
            label = inputs.recordingActive ? "Stop" : "Record";
        else
            label = inputs.recordingActive ? "停止" : "录制";
        break;
    case 33: label = std::to_string(inputs.profile.FIRE_TIME) + "ms"; break;
    case 43: label = "[↓]" + std::to_string(inputs.downCount); break;
    case 44: label = "[↑]" + std::to_string(inputs.upCount); break;
    default: break;
    }
}

}  // namespace

void PaintLabels(Canvas& backBuffer, const PaintInputs& inputs, SkinLayout& layout, int count) {
    const int page = inputs.currentPage == kAdvancedPage || inputs.currentPage == kColorPage ? inputs.currentPage
                                                                                             : kMainPage;
    backBuffer.SetControlFont(inputs.uiLanguage);

    for (int k = 0; k < count; ++k) {
        const int j = k - 20;
        if (page == kMainPage && k >= 25 && k <= 30) {
            const SkinButton& element = layout.MainButtons[static_cast<size_t>(k)];
            const std::string text = FunctionText(inputs, layout, inputs.profile.K[static_cast<size_t>(k - 25)]);
            if (text.empty()) continue;
            const Size size = backBuffer.MeasureText(text);
            backBuffer.DrawText(element.x + 5, element.y + (element.height - size.height) / 2, text,
                                k == inputs.mainHover ? kHoverLabelColor : kLabelColor);
        } else if (k < 20 || page == kMainPage) {
            // MainButtons 54 and above carry no painted label.
            if (k >= 54) continue;
            const SkinButton& element = layout.MainButtons[static_cast<size_t>(k)];
            DrawCentred(backBuffer, element, element.label, kLabelColor);
        } else if (page == kColorPage) {
            if (j >= kColorButtonCount) continue;
            const SkinButton& element = layout.ColorButtons[static_cast<size_t>(j)];
            DrawCentred(backBuffer, element, j == 9 ? AppliedDpiText(inputs) : element.label, kLabelColor);
        } else {
            if (j >= kAdvancedButtonCount) continue;
            SkinButton& element = layout.AdvancedButtons[static_cast<size_t>(j)];
            ReplaceAdvancedLabel(inputs, j, element.label);
            DrawCentred(backBuffer, element, element.label, j == inputs.advancedHover ? kHoverLabelColor : kLabelColor);
        }
    }
}

}  // namespace zrv
