// Window shapes: the pixel set of a mask image as row spans, and the main window's repaint
// region with the macro editor's controls cut out.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/skin_image.h"
#include "skin/skin_layout.h"

namespace zrv {

// Light mask pixels are cut away: all three components strictly above 100.
constexpr bool IsMaskBackground(uint8_t r, uint8_t g, uint8_t b) { return r > 100 && g > 100 && b > 100; }

// A set of pixels kept in bands: a band is a run of rows [top, bottom) sharing the same sorted,
// disjoint, non-touching half-open column spans. Bands are non-empty, ascend in y, and two
// touching bands never have equal spans, so two regions with the same pixels compare equal.
// Bands keep huge rectangles (a hand-edited layout) as cheap as small ones.
class Region {
public:
    struct Span {
        int32_t left = 0;   // first column inside
        int32_t right = 0;  // first column after

        bool operator==(const Span&) const = default;
    };
    struct Band {
        int32_t top = 0;
        int32_t bottom = 0;  // first row after
        std::vector<Span> spans;

        bool operator==(const Band&) const = default;
    };

    Region() = default;
    static Region FromRect(Rect r);

    bool Contains(int32_t x, int32_t y) const;
    bool Empty() const { return bands_.empty(); }
    int64_t Area() const;
    // Symmetric difference with a rectangle: pixels inside both leave, pixels of the
    // rectangle outside the region join. An empty rectangle changes nothing.
    void XorRect(Rect r);
    // Rectangles covering exactly the region, in bands: consecutive rows with equal spans
    // become one band; within a band the rectangles share top and height, ascend in x and
    // never touch. Bands ascend in y. (This is the order QRegion::setRects wants.)
    std::vector<Rect> ToRects() const;

    const std::vector<Band>& Bands() const { return bands_; }
    // Appends row y below every stored row; spans sorted, disjoint and non-touching.
    void AppendRow(int32_t y, std::vector<Span> spans);

    bool operator==(const Region&) const = default;

private:
    void Append(Band band);

    std::vector<Band> bands_;
};

// The window pixels of a mask (those that are not background), built row by row.
Region BuildMaskRegion(const SkinImage& mask);

inline Rect ToRect(const SkinRect& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The shape XORed with NameBoxRect, EventListRect and MacroListRect in that order: rectangles
// inside the shape are cut out, parts reaching outside it are added.
Region BuildRepaintRegion(const Region& windowShape, const SkinLayout& layout);

}  // namespace zrv
