// The control font of each interface language: every painted label, popup text and child
// control uses it. On Linux the fonts stand in for Consolas (height 14) and 宋体 (height 12);
// the skin's element sizes are chosen so that labels fit at these pixel sizes.
#pragma once

#include <string_view>

namespace zrv {

struct ControlFont {
    std::string_view family;
    int pixelSize;
};

inline constexpr ControlFont kEnglishControlFont{"DejaVu Sans Mono", 14};
inline constexpr ControlFont kChineseControlFont{"WenQuanYi Micro Hei", 12};

constexpr ControlFont ControlFontFor(int uiLanguage) {
    return uiLanguage == 0 ? kChineseControlFont : kEnglishControlFont;
}

}  // namespace zrv
