#include "skin/page_elements.h"

#include <algorithm>

namespace zrv {

void PaintMainElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                       const SkinLayout& layout) {
    const ProfileSettings& p = inputs.profile;
    const auto& buttons = layout.MainButtons;
    if (p.DPI_LEVEL >= 0 && p.DPI_LEVEL < kDpiLevelCount)
        CopyElement(backBuffer, surfaces.down, buttons[static_cast<size_t>(54 + p.DPI_LEVEL)]);

    for (int level = 0; level < kDpiLevelCount; ++level) {
        const int segments = std::min<int>(p.DPI_SET[static_cast<size_t>(level)], 11) + 1;
        for (int s = 0; s < segments; ++s) {
            const SkinButton& segment = buttons[static_cast<size_t>(66 + 12 * level + s)];
            backBuffer.FillRect({segment.x + 1, segment.y + 1, segment.width - 2, segment.height - 1},
                                DpiLevelColors[static_cast<size_t>(level)]);
        }
        if (p.DPI_SET_EN[static_cast<size_t>(level)] == 1)
            CopyElement(backBuffer, surfaces.down, buttons[static_cast<size_t>(46 + level)]);
    }

    CopyElement(backBuffer, surfaces.down, buttons[p.WHEEL_STATUS == 0 ? 41 : 42]);

    // The note of a function element shows while the pointer is on it.
    if (inputs.mainHover >= 25 && inputs.mainHover <= 30)
        CopyElement(backBuffer, surfaces.over, buttons[static_cast<size_t>(inputs.mainHover + 90)]);
}

void PaintAdvancedElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                           const SkinLayout& layout) {
    const ProfileSettings& p = inputs.profile;
    const auto& buttons = layout.AdvancedButtons;
    if (inputs.recordingActive) CopyElement(backBuffer, surfaces.down, buttons[4]);
    if (p.DPI_SPEED <= 9) CopyElement(backBuffer, surfaces.down, buttons[8u + p.DPI_SPEED]);
    if (p.WHEEL_SPEED <= 9) CopyElement(backBuffer, surfaces.down, buttons[18u + p.WHEEL_SPEED]);

    const SkinButton& slider = buttons[30];
    const int32_t fill = SliderWidth(slider.width, p.FIRE_TIME);
    if (surfaces.down && fill > 0)
        backBuffer.CopyElementState(*surfaces.down, {slider.x, slider.y, fill, slider.height});

    if (p.MACRO_MODE2 != 0) CopyElement(backBuffer, surfaces.down, buttons[7]);
    if (inputs.currentMacroRepeatMode == 1) CopyElement(backBuffer, surfaces.down, buttons[6]);
}

void PaintColorElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                        const SkinLayout& layout, const ImageSource& images) {
    const auto& buttons = layout.ColorButtons;
    if (inputs.profile.LED_STATUS <= 3) CopyElement(backBuffer, surfaces.down, buttons[inputs.profile.LED_STATUS]);

    const SkinButton& lamp = buttons[11];
    if (inputs.ledPreviewDark != 0) {
        CopyElement(backBuffer, images.LoadSkinImage(kColorGrayImage), lamp);
        return;
    }
    switch (inputs.ledPreviewColor) {
    case 0: CopyElement(backBuffer, images.LoadSkinImage(kColorBlueImage), lamp); break;
    case 2: CopyElement(backBuffer, surfaces.over, lamp); break;
    case 3: CopyElement(backBuffer, surfaces.down, lamp); break;
    default: break;  // 1: the normal image's lamp
    }
}

}  // namespace zrv
