#include "skin/page_painter.h"

#include "skin/page_elements.h"

namespace zrv {
namespace {

int PageOf(const PaintInputs& inputs) {
    return inputs.currentPage == kAdvancedPage || inputs.currentPage == kColorPage ? inputs.currentPage : kMainPage;
}

// The hover index when it names an element of a table of `count` entries.
template <size_t N>
const SkinButton* Hovered(const std::array<SkinButton, N>& table, int hover) {
    return hover >= 0 && hover < static_cast<int>(N) && hover != kNoElement ? &table[static_cast<size_t>(hover)]
                                                                            : nullptr;
}

}  // namespace

int LabelCount(int page) {
    switch (page) {
    case kAdvancedPage: return 72;
    case kColorPage: return 33;
    default: return 54;
    }
}

int TabIndex(int page) {
    switch (page) {
    case kAdvancedPage: return kAdvancedTab;
    case kColorPage: return kColorTab;
    default: return kMainTab;
    }
}

void PaintPage(const ImageSource& images, Canvas& backBuffer, const PaintInputs& inputs, SkinLayout& layout) {
    const int page = PageOf(inputs);
    const StateImageNames& names = kPageImages[page];
    PageSurfaces surfaces{images.LoadSkinImage(names.normal), images.LoadSkinImage(names.over),
                          images.LoadSkinImage(names.down)};

    backBuffer.Begin(inputs.maskSize);
    if (surfaces.normal)
        backBuffer.CopyElementState(*surfaces.normal, {0, 0, inputs.maskSize.width, inputs.maskSize.height});
    PaintPageElements(surfaces, backBuffer, inputs, layout, images);
    PaintCommonElements(surfaces, backBuffer, inputs, layout, TabIndex(page));
    PaintLabels(backBuffer, inputs, layout, LabelCount(page));
    backBuffer.End();
}

void PaintPageElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                       const SkinLayout& layout, const ImageSource& images) {
    const int page = PageOf(inputs);
    const SkinButton* hovered = nullptr;
    int hover = kNoElement;
    switch (page) {
    case kAdvancedPage:
        hover = inputs.advancedHover;
        hovered = Hovered(layout.AdvancedButtons, hover);
        break;
    case kColorPage:
        hover = inputs.colorHover;
        hovered = Hovered(layout.ColorButtons, hover);
        break;
    default:
        hover = inputs.mainHover;
        hovered = Hovered(layout.MainButtons, hover);
        break;
    }
    if (hovered) {
        // The slider never shows pressed: its fill comes from the slider rule alone.
        if (inputs.buttonPressed) {
            if (!(page == kAdvancedPage && hover == 30)) CopyElement(backBuffer, surfaces.down, *hovered);
        } else {
            CopyElement(backBuffer, surfaces.over, *hovered);
        }
    }

    switch (page) {
    case kAdvancedPage: PaintAdvancedElements(surfaces, backBuffer, inputs, layout); break;
    case kColorPage: PaintColorElements(surfaces, backBuffer, inputs, layout, images); break;
    default: PaintMainElements(surfaces, backBuffer, inputs, layout); break;
    }
}

void PaintCommonElements(const PageSurfaces& surfaces, Canvas& backBuffer, const PaintInputs& inputs,
                         const SkinLayout& layout, int tabIndex) {
    for (int i = 0; i < 20; ++i) {
        const SkinButton& element = layout.MainButtons[static_cast<size_t>(i)];
        if (i == int64_t{inputs.currentProfile} + 3) {
            CopyElement(backBuffer, surfaces.down, element);
        } else if (i == inputs.mainHover) {
            CopyElement(backBuffer, inputs.buttonPressed ? surfaces.down : surfaces.over, element);
        } else if (i == tabIndex) {
            CopyElement(backBuffer, surfaces.down, element);
        } else if (i == 17 && inputs.uiLanguage == 0) {
            CopyElement(backBuffer, surfaces.down, element);
        } else if (i == 18 && inputs.uiLanguage == 1) {
            CopyElement(backBuffer, surfaces.down, element);
        }
    }
}

}  // namespace zrv
