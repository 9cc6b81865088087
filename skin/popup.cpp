#include "skin/popup.h"

#include "skin/page_painter.h"

namespace zrv {
namespace {

// Second-level lists by function-list row: rows, offset in rows, first code - 1 and first
// function name - 1. Row 9 (user macros) depends on the macro count and is handled apart.
struct SubMenuRule {
    int parentRow;
    int rows;
    int32_t offsetRows;
    int32_t codeBase;
};
constexpr SubMenuRule kSubMenuRules[] = {
    {7, 6, 1, 10},
    {8, 10, -2, 20},
    {10, 8, 2, 30},
};
constexpr int32_t kUserMacroCodeBase = 40;
constexpr int kDirectRows = 6;

const SubMenuRule* RuleOf(int parentRow) {
    for (const SubMenuRule& rule : kSubMenuRules)
        if (rule.parentRow == parentRow) return &rule;
    return nullptr;
}

}  // namespace

PopupGeometry MenuGeometry(Size mask) {
    const int32_t rowHeight = mask.height / kMenuMaskRows;
    return {mask.width, rowHeight, kMenuRows * rowHeight + 1};
}

PopupGeometry SubMenuGeometry(Size mask, int rows) {
    const int32_t rowHeight = mask.height / kSubMenuMaskRows;
    return {mask.width, rowHeight, rows > 0 ? rows * rowHeight + 1 : 0};
}

int RowAt(Point p, const PopupGeometry& geometry, int rowCount) {
    if (geometry.rowHeight <= 0 || p.x < 0 || p.x >= geometry.itemWidth || p.y < 0) return kNoRow;
    const int row = p.y / geometry.rowHeight + 1;
    return row <= rowCount ? row : kNoRow;
}

int SubMenuRowCount(int parentRow, int userMacroCount) {
    if (parentRow == kMacroListRow) return userMacroCount;
    const SubMenuRule* rule = RuleOf(parentRow);
    return rule ? rule->rows : 0;
}

int32_t SubMenuOffset(int parentRow, int userMacroCount, int32_t rowHeight) {
    if (parentRow == kMacroListRow) return (kMacroListRow - userMacroCount) * rowHeight;
    const SubMenuRule* rule = RuleOf(parentRow);
    return rule ? rule->offsetRows * rowHeight : 0;
}

Point SubMenuOrigin(Point menuOrigin, const PopupGeometry& menu, int parentRow, int userMacroCount) {
    return {menuOrigin.x + menu.itemWidth, menuOrigin.y + SubMenuOffset(parentRow, userMacroCount, menu.rowHeight)};
}

int32_t MenuRowCode(int row) { return row >= 1 && row <= kDirectRows ? row : 0; }

int32_t SubMenuCode(int parentRow, int row, int32_t lastCode) {
    if (parentRow == kMacroListRow) return kUserMacroCodeBase + row;
    const SubMenuRule* rule = RuleOf(parentRow);
    return rule ? rule->codeBase + row : lastCode;
}

std::string MenuRowText(const PopupTexts& texts, int row) {
    return row >= 1 && row <= kMenuRows ? texts.functionNames[static_cast<size_t>(row)] : std::string();
}

std::string SubMenuRowText(const PopupTexts& texts, int parentRow, int row) {
    if (row < 1) return {};
    if (parentRow == kMacroListRow)
        return static_cast<size_t>(row) <= texts.userMacroNames.size() ? texts.userMacroNames[static_cast<size_t>(row - 1)]
                                                                       : std::string();
    const SubMenuRule* rule = RuleOf(parentRow);
    if (!rule || row > rule->rows) return {};
    return texts.functionNames[static_cast<size_t>(rule->codeBase + row)];
}

int WarningHit(Point p, const std::array<SkinButton, kWarningButtonCount>& buttons) {
    for (int i = 0; i < 2; ++i) {
        const SkinButton& b = buttons[static_cast<size_t>(i)];
        // In 64 bits: a hand-edited rectangle near the 32-bit limits must not wrap around.
        if (p.x >= b.x && p.x <= int64_t{b.x} + b.width - 1 && p.y >= b.y && p.y <= int64_t{b.y} + b.height - 1)
            return i + 1;
    }
    return kNoRow;
}

void PaintList(const ImageSource& images, const StateImageNames& names, Canvas& canvas, const ListPaint& list) {
    const PopupGeometry& g = list.geometry;
    canvas.Begin({g.itemWidth, g.visibleHeight});
    if (const auto normal = images.LoadSkinImage(names.normal)) canvas.CopyElementState(*normal, {0, 0, g.itemWidth, g.visibleHeight});
    if (list.hoverRow != kNoRow) {
        if (const auto state = images.LoadSkinImage(list.pressed ? names.down : names.over))
            canvas.CopyElementState(*state, {0, (list.hoverRow - 1) * g.rowHeight, g.itemWidth, g.rowHeight});
    }
    canvas.SetControlFont(list.uiLanguage);
    for (int i = 1; i <= list.rowCount && static_cast<size_t>(i) <= list.texts.size(); ++i) {
        const std::string& text = list.texts[static_cast<size_t>(i - 1)];
        if (text.empty()) continue;
        const Size size = canvas.MeasureText(text);
        canvas.DrawText((g.itemWidth - size.width) / 2, (i - 1) * g.rowHeight + (g.rowHeight - size.height) / 2, text,
                        i == list.hoverRow ? kHoverLabelColor : kLabelColor);
    }
    canvas.End();
}

void PaintWarning(const ImageSource& images, Canvas& canvas, Size maskSize, int hover,
                  const std::array<SkinButton, kWarningButtonCount>& buttons, int uiLanguage) {
    canvas.Begin(maskSize);
    if (const auto normal = images.LoadSkinImage(kWarningImages.normal))
        canvas.CopyElementState(*normal, {0, 0, maskSize.width, maskSize.height});
    if (hover == kWarningConfirm || hover == kWarningCancel) {
        if (const auto over = images.LoadSkinImage(kWarningImages.over))
            canvas.CopyElementState(*over, ElementRect(buttons[static_cast<size_t>(hover - 1)]));
    }
    canvas.SetControlFont(uiLanguage);
    for (const SkinButton& b : buttons) {
        if (b.label.empty()) continue;
        const Size size = canvas.MeasureText(b.label);
        canvas.DrawText(b.x + (b.width - size.width) / 2, b.y + (b.height - size.height) / 2, b.label, kHoverLabelColor);
    }
    canvas.End();
}

}  // namespace zrv
