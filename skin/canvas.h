// The drawing surface a paint composes into (the back buffer), written against by the
// painters and implemented by the platform.
#pragma once

#include <string_view>

#include "skin/skin_image.h"

namespace zrv {

class Canvas {
public:
    virtual ~Canvas() = default;

    // Starts a paint: the surface becomes `size`, all black.
    virtual void Begin(Size size) = 0;
    // Ends a paint; the composed surface is then shown in one copy by the window.
    virtual void End() = 0;

    // Copies rectangle r of source onto the same rectangle of the surface, one to one.
    // Parts outside the source or the surface draw nothing.
    virtual void CopyElementState(const SkinImage& source, Rect r) = 0;
    virtual void FillRect(Rect r, Rgb color) = 0;

    // The control font of the language (0 Chinese, anything else English) for the texts after.
    virtual void SetControlFont(int uiLanguage) = 0;
    // Width and height of the text cell in the control font.
    virtual Size MeasureText(std::string_view text) = 0;
    // (x, y) is the top-left of the text cell; the background stays (transparent mode).
    virtual void DrawText(int32_t x, int32_t y, std::string_view text, Rgb color) = 0;
};

}  // namespace zrv
