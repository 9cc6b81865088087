// The skin's one table: every element with its rectangle, labels and look. Images and
// layout files are both drawn from it, so they cannot disagree.
#pragma once

#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace zrv::skingen {

enum class Sheet { Main, Advanced, Color, Warning };

// How an element looks in the three state images.
enum class Look {
    Caption,      // painted text on the panel; the same in every state
    Button,       // push button
    Tab,          // page tab
    Pill,         // profile and language selectors
    Minimise,
    Close,
    Logo,         // the maker's link
    Function,     // button-function field, label left-aligned, drop arrow
    Toggle,       // check-style element, down = on
    LevelSelect,  // DPI level selector; its label is never painted, so "L1".. is drawn
    DpiCell,      // one DPI bar segment
    ScaleCell,    // pointer-speed and scroll-line steps
    Slider,       // auto-fire track, the down image holds the full bar
    Value,        // value box
    Lamp,         // lighting preview
    Note,         // lit part of the mouse drawing in the over image
};

struct Element {
    Sheet sheet;
    int index;
    QRect rect;
    const char* id;  // field 0 of the layout value
    QString english;
    QString chinese;
    Look look;
    int extra = 0;  // level, column or note number, depending on the look
};

// Control rectangles of the advanced page (x, y, width, height as in the layout).
struct ControlRect {
    const char* section;
    int key;
    const char* id;
    QRect rect;
};

inline constexpr QSize kPageSize{800, 600};
inline constexpr QSize kWarningSize{440, 150};
inline constexpr int kMenuRowHeight = 26;
inline constexpr int kMenuWidth = 280;
inline constexpr QSize kMenuMaskSize{kMenuWidth, 10 * kMenuRowHeight + 1};
inline constexpr QSize kSubMenuMaskSize{kMenuWidth, 12 * kMenuRowHeight + 1};

const std::vector<Element>& Elements();
const std::vector<ControlRect>& ControlRects();
// Function names 1..54 (entry 0 unused): English, Chinese.
const std::vector<std::pair<QString, QString>>& FunctionNames();

// The main window's outline; the warning's.
QPolygon PageOutline();
QPolygon WarningOutline();

// DPI values of the grid columns.
int DpiOfColumn(int column);

}  // namespace zrv::skingen
