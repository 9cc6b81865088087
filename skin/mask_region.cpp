#include "skin/mask_region.h"

#include <algorithm>
#include <iterator>

namespace zrv {
namespace {

using Span = Region::Span;

// XOR of two normalised span lists: walk the sorted edges of both; a column is inside the
// result when it is inside exactly one of them.
std::vector<Span> XorSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
    std::vector<int32_t> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const Span& s : a) {
        edges.push_back(s.left);
        edges.push_back(s.right);
    }
    std::vector<int32_t> other;
    other.reserve(2 * b.size());
    for (const Span& s : b) {
        other.push_back(s.left);
        other.push_back(s.right);
    }
    std::vector<int32_t> merged;
    merged.reserve(edges.size() + other.size());
    std::merge(edges.begin(), edges.end(), other.begin(), other.end(), std::back_inserter(merged));
    // Each edge toggles inside/outside; equal edges cancel in pairs.
    std::vector<Span> out;
    bool inside = false;
    int32_t start = 0;
    for (size_t i = 0; i < merged.size();) {
        const int32_t x = merged[i];
        size_t n = 0;
        while (i < merged.size() && merged[i] == x) {
            ++i;
            ++n;
        }
        if (n % 2 == 0) continue;
        if (!inside) {
            start = x;
        } else if (!out.empty() && out.back().right == start) {
            out.back().right = x;
        } else {
            out.push_back({start, x});
        }
        inside = !inside;
    }
    return out;
}

}  // namespace

Region Region::FromRect(Rect r) {
    Region region;
    region.XorRect(r);
    return region;
}

bool Region::Contains(int32_t x, int32_t y) const {
    auto band = std::upper_bound(bands_.begin(), bands_.end(), y, [](int32_t v, const Band& b) { return v < b.bottom; });
    if (band == bands_.end() || band->top > y) return false;
    auto span = std::upper_bound(band->spans.begin(), band->spans.end(), x,
                                 [](int32_t v, const Span& s) { return v < s.right; });
    return span != band->spans.end() && span->left <= x;
}

int64_t Region::Area() const {
    int64_t area = 0;
    for (const Band& band : bands_) {
        int64_t width = 0;
        for (const Span& s : band.spans) width += int64_t{s.right} - s.left;
        area += width * (int64_t{band.bottom} - band.top);
    }
    return area;
}

void Region::Append(Band band) {
    if (band.spans.empty() || band.top >= band.bottom) return;
    if (!bands_.empty() && bands_.back().bottom == band.top && bands_.back().spans == band.spans) {
        bands_.back().bottom = band.bottom;
        return;
    }
    bands_.push_back(std::move(band));
}

void Region::AppendRow(int32_t y, std::vector<Span> spans) { Append({y, y + 1, std::move(spans)}); }

void Region::XorRect(Rect r) {
    if (r.width <= 0 || r.height <= 0) return;
    const auto clamp = [](int64_t v) { return static_cast<int32_t>(std::min<int64_t>(v, INT32_MAX)); };
    const int32_t right = clamp(int64_t{r.x} + r.width);
    const int32_t bottom = clamp(int64_t{r.y} + r.height);
    const std::vector<Span> rectSpans{{r.x, right}};

    std::vector<Band> old = std::move(bands_);
    bands_.clear();
    bands_.reserve(old.size() + 3);
    int32_t y = r.y;  // rows of the rectangle from y on are not yet written
    for (Band& band : old) {
        if (band.bottom <= r.y || band.top >= bottom) {
            if (band.top >= bottom && y < bottom) {
                Append({y, bottom, rectSpans});
                y = bottom;
            }
            Append(std::move(band));
            continue;
        }
        if (band.top < r.y) Append({band.top, r.y, band.spans});
        if (y < band.top) Append({y, band.top, rectSpans});
        const int32_t overlapTop = std::max(band.top, r.y);
        const int32_t overlapBottom = std::min(band.bottom, bottom);
        Append({overlapTop, overlapBottom, XorSpans(band.spans, rectSpans)});
        y = overlapBottom;
        if (band.bottom > bottom) Append({bottom, band.bottom, std::move(band.spans)});
    }
    if (y < bottom) Append({y, bottom, rectSpans});
}

std::vector<Rect> Region::ToRects() const {
    std::vector<Rect> rects;
    for (const Band& band : bands_)
        for (const Span& s : band.spans) rects.push_back({s.left, band.top, s.right - s.left, band.bottom - band.top});
    return rects;
}

Region BuildMaskRegion(const SkinImage& mask) {
    Region region;
    for (int32_t y = 0; y < mask.height; ++y) {
        const uint32_t* line = mask.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(mask.width);
        std::vector<Region::Span> spans;
        int32_t x = 0;
        while (x < mask.width) {
            while (x < mask.width && IsMaskBackground(uint8_t(line[x] >> 16), uint8_t(line[x] >> 8), uint8_t(line[x])))
                ++x;
            if (x == mask.width) break;
            const int32_t start = x;
            while (x < mask.width &&
                   !IsMaskBackground(uint8_t(line[x] >> 16), uint8_t(line[x] >> 8), uint8_t(line[x])))
                ++x;
            spans.push_back({start, x});
        }
        region.AppendRow(y, std::move(spans));
    }
    return region;
}

Region BuildRepaintRegion(const Region& windowShape, const SkinLayout& layout) {
    Region region = windowShape;
    region.XorRect(ToRect(layout.NameBoxRect));
    region.XorRect(ToRect(layout.EventListRect));
    region.XorRect(ToRect(layout.MacroListRect));
    return region;
}

}  // namespace zrv
