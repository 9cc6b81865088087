// Painting of the main window's three pages: each paint recomposes the whole page in the
// back buffer from the page's state images, the layout and the state in PaintInputs.
//
// The layout is taken by non-const reference: the paint of the advanced page replaces the
// labels of AdvancedButtons 4, 33, 43 and 44, and they stay replaced until the next layout
// load. Nothing else is written.
//
// Values only a hand-edited settings file can hold are ignored rather than drawn over other
// elements: DPI_SET above 11 fills all twelve segments; DPI_LEVEL outside 0..3, DPI_SPEED or
// WHEEL_SPEED above 9 and LED_STATUS above 3 draw no down element (the color page then shows
// 200 DPI); function codes outside 0..54 show no name.
//
// What the window does around PaintPage: first, when CloseMenuRequest is set, clear it and
// destroy the function popup; when minimised, draw the icon and skip PaintPage; afterwards,
// show the back buffer from (0, 0) at MaskSize in one copy.
#pragma once

#include <array>
#include <memory>

#include "skin/canvas.h"
#include "skin/paint_inputs.h"
#include "skin/skin_image.h"
#include "skin/skin_layout.h"

namespace zrv {

// Fill colour of the DPI bars per level.
inline constexpr std::array<Rgb, 4> DpiLevelColors{{{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}}};
inline constexpr Rgb kLabelColor{255, 255, 255};
inline constexpr Rgb kHoverLabelColor{255, 0, 0};

// The page's three state images; a missing one is null and its layer is left out.
struct PageSurfaces {
    std::shared_ptr<const SkinImage> normal;
    std::shared_ptr<const SkinImage> over;
    std::shared_ptr<const SkinImage> down;
};

inline constexpr int kMainTab = 9;
inline constexpr int kAdvancedTab = 10;
inline constexpr int kColorTab = 11;

// Loads the page's images, then Begin(MaskSize), the normal image, PaintPageElements,
// PaintCommonElements, PaintLabels, End.
void PaintPage(const ImageSource& images, Canvas& backBuffer, const PaintInputs& inputs, SkinLayout& layout);

// The hover copy and the page's own rules (later copies cover earlier ones). The color
// page's lamp loads its two extra images from `images` only when it needs them.
void PaintPageElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                       const SkinLayout& layout, const ImageSource& images);

// MainButtons 0..19: for each, the first rule that holds makes at most one copy.
void PaintCommonElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                         const SkinLayout& layout, int tabIndex);

// Labels k = 0..count-1 in the control font of the language.
void PaintLabels(Canvas& backBuffer, const PaintInputs& inputs, SkinLayout& layout, int count);

inline Rect ElementRect(const SkinButton& b) { return {b.x, b.y, b.width, b.height}; }
// CopyElementState of the element's rectangle from a state image; a missing image draws nothing.
inline void CopyElement(Canvas& backBuffer, const std::shared_ptr<const SkinImage>& from, const SkinButton& element) {
    if (from) backBuffer.CopyElementState(*from, ElementRect(element));
}

// Label counts per page: 54 main, 72 advanced, 33 color.
int LabelCount(int page);
int TabIndex(int page);

}  // namespace zrv
