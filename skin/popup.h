// The skinned popups of the main page: the function list, its second-level lists and the
// primary-click warning. Geometry, rows, codes and painting are here; the windows that show
// them belong to the platform.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/canvas.h"
#include "skin/skin_image.h"
#include "skin/skin_layout.h"

namespace zrv {

// A point in client or screen pixels.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const Point&) const = default;
};

inline constexpr int kNoRow = 255;
inline constexpr int kMenuRows = 10;         // the function list
inline constexpr int kMenuMaskRows = 10;     // menu_mask.jpg holds 10 rows
inline constexpr int kSubMenuMaskRows = 12;  // "advanced menu_mask.jpg" holds 12 rows
inline constexpr int kMenuHitRows = 12;      // rows tested under the pointer in the function list
inline constexpr Size kMenuWindowSize{300, 300};
inline constexpr Size kSubMenuWindowSize{300, 400};
inline constexpr int kMacroListRow = 9;      // the function list's row of the user macros
inline constexpr int kWarningConfirm = 1;
inline constexpr int kWarningCancel = 2;

struct PopupGeometry {
    int32_t itemWidth = 0;
    int32_t rowHeight = 0;
    int32_t visibleHeight = 0;  // the shown band (0, 0, itemWidth, visibleHeight)

    bool operator==(const PopupGeometry&) const = default;
};

// Function list: the mask's width, height / 10, 10 rows + 1 pixel.
PopupGeometry MenuGeometry(Size mask);
// Second-level list: height / 12 per row, `rows` rows + 1 pixel, or nothing without rows.
PopupGeometry SubMenuGeometry(Size mask, int rows);

// Row 1..rowCount under the point (row i covers y (i-1)*rowHeight .. i*rowHeight-1 over the
// full width), else kNoRow.
int RowAt(Point p, const PopupGeometry& geometry, int rowCount);

// Rows 7..10 of the function list open a second-level list.
constexpr bool HasSubMenu(int row) { return row >= 7 && row <= 10; }
// The second-level list of a function-list row: 7 → 6 rows, 8 → 10, 10 → 8, 9 → one per
// user macro; 0 for rows without one.
int SubMenuRowCount(int parentRow, int userMacroCount);
// Vertical offset of the second-level list from the function list's top.
int32_t SubMenuOffset(int parentRow, int userMacroCount, int32_t rowHeight);
// Its top-left corner on the screen: beside the function list, at the row's offset.
Point SubMenuOrigin(Point menuOrigin, const PopupGeometry& menu, int parentRow, int userMacroCount);
// Function code of a direct row (1..6), else 0.
int32_t MenuRowCode(int row);
// Function code of row `row` of the second-level list of `parentRow`; lastCode for a parent
// row without a list.
int32_t SubMenuCode(int parentRow, int row, int32_t lastCode);

// The texts the popups show.
struct PopupTexts {
    std::array<std::string, kFunctionNameCount> functionNames{};
    std::vector<std::string> userMacroNames;  // one per user macro
};
std::string MenuRowText(const PopupTexts& texts, int row);
std::string SubMenuRowText(const PopupTexts& texts, int parentRow, int row);

// Warning: 1 in the confirm element, 2 in the cancel element, else kNoRow.
int WarningHit(Point p, const std::array<SkinButton, kWarningButtonCount>& buttons);

// What the popups keep for the whole process. (Each popup compares the row under the
// pointer with its own last one, starting from none: a row remembered from the previous
// popup would leave the first row entered dark and its second-level list closed.)
struct PopupMemory {
    int32_t lastSubMenuCode = 0;  // LastSubMenuCode
};

// What a list popup shows at one paint.
struct ListPaint {
    PopupGeometry geometry;
    int rowCount = 0;
    int hoverRow = kNoRow;
    bool pressed = false;
    std::vector<std::string> texts;  // rowCount entries, row 1 first
    int uiLanguage = 0;
};

// Normal image, the hovered row's band from the down (pressed) or over image, the row texts
// centred (red under the pointer), into a back buffer of (itemWidth, visibleHeight).
void PaintList(const ImageSource& images, const StateImageNames& names, Canvas& canvas, const ListPaint& list);

// The warning at the mask's size: normal image, the hovered button from the over image, the
// three labels in red, centred.
void PaintWarning(const ImageSource& images, Canvas& canvas, Size maskSize, int hover,
                  const std::array<SkinButton, kWarningButtonCount>& buttons, int uiLanguage);

// What the function list needs from the main window.
struct FunctionMenuRequest {
    Point anchor;  // PopupAnchor: the list's top-left corner on the screen
    PopupTexts texts;
    int uiLanguage = 0;
    // Stores the chosen code for the edited button (the primary-click safeguard included)
    // and repaints the main window; the popups close themselves.
    std::function<void(int32_t code)> choose;
};

struct WarningRequest {
    Point anchor;
    std::array<SkinButton, kWarningButtonCount> buttons{};
    int uiLanguage = 0;
};

}  // namespace zrv
