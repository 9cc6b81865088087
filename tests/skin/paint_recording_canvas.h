// Test doubles for the painters: a canvas that records every operation and an image
// source that serves named, blank images and records what was asked for.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "skin/canvas.h"
#include "skin/skin_image.h"

namespace zrv {

struct PaintOp {
    enum Kind { kBegin, kEnd, kCopy, kFill, kFont, kText } kind;
    std::string image;  // copy: the source image's name
    Rect rect;          // copy, fill; begin: the size in width and height
    Rgb color;          // fill, text
    std::string text;
    int language = 0;   // font
};

// Text cells are 7 pixels per character and 14 high in English, 12 per character and
// 12 high in Chinese, so positions can be computed by hand.
class RecordingCanvas : public Canvas {
public:
    void Begin(Size size) override { ops.push_back({PaintOp::kBegin, {}, {0, 0, size.width, size.height}, {}, {}, 0}); }
    void End() override { ops.push_back({PaintOp::kEnd, {}, {}, {}, {}, 0}); }
    void CopyElementState(const SkinImage& source, Rect r) override {
        ops.push_back({PaintOp::kCopy, source.name, r, {}, {}, 0});
    }
    void FillRect(Rect r, Rgb color) override { ops.push_back({PaintOp::kFill, {}, r, color, {}, 0}); }
    void SetControlFont(int uiLanguage) override {
        language_ = uiLanguage;
        ops.push_back({PaintOp::kFont, {}, {}, {}, {}, uiLanguage});
    }
    Size MeasureText(std::string_view text) override {
        int32_t chars = 0;
        for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
        return language_ == 0 ? Size{12 * chars, 12} : Size{7 * chars, 14};
    }
    void DrawText(int32_t x, int32_t y, std::string_view text, Rgb color) override {
        ops.push_back({PaintOp::kText, {}, {x, y, 0, 0}, color, std::string(text), 0});
    }

    std::vector<PaintOp> Of(PaintOp::Kind kind) const {
        std::vector<PaintOp> out;
        for (const PaintOp& op : ops)
            if (op.kind == kind) out.push_back(op);
        return out;
    }
    int CopyCount(std::string_view image, Rect r) const {
        int n = 0;
        for (const PaintOp& op : ops) n += op.kind == PaintOp::kCopy && op.image == image && op.rect == r;
        return n;
    }
    int CopiesOf(Rect r) const {
        int n = 0;
        for (const PaintOp& op : ops) n += op.kind == PaintOp::kCopy && op.rect == r;
        return n;
    }
    const PaintOp* TextOp(std::string_view text) const {
        for (const PaintOp& op : ops)
            if (op.kind == PaintOp::kText && op.text == text) return &op;
        return nullptr;
    }

    std::vector<PaintOp> ops;

private:
    int language_ = 0;
};

class FakeImageSource : public ImageSource {
public:
    explicit FakeImageSource(Size size = {800, 600}) : size_(size) {}
    std::shared_ptr<const SkinImage> LoadSkinImage(std::string_view name) const override {
        loads.emplace_back(name);
        if (missing.count(std::string(name))) return nullptr;
        auto image = std::make_shared<SkinImage>();
        image->name = std::string(name);
        image->width = size_.width;
        image->height = size_.height;
        return image;
    }

    std::set<std::string> missing;
    mutable std::vector<std::string> loads;

private:
    Size size_;
};

}  // namespace zrv
