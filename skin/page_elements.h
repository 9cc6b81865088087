// Each page's own element rules, run after the hover copy.
#pragma once

#include "skin/page_painter.h"

namespace zrv {

void PaintMainElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                       const SkinLayout& layout);
void PaintAdvancedElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                           const SkinLayout& layout);
void PaintColorElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                        const SkinLayout& layout, const ImageSource& images);

// Width of the FIRE_TIME slider fill: width × FIRE_TIME / 300 in unsigned 32-bit.
constexpr int32_t SliderWidth(int32_t elementWidth, int32_t fireTime) {
    return static_cast<int32_t>(static_cast<uint32_t>(elementWidth) * static_cast<uint32_t>(fireTime) / 300u);
}

}  // namespace zrv
