#include "skin_table.h"

#include "tools/macro_data/shipped_macros.h"

#include "config/profile.h"

namespace zrv::skingen {
namespace {

using S = Sheet;
using L = Look;

std::vector<Element> Build() {
    std::vector<Element> e;
    auto add = [&](Sheet s, int i, QRect r, const char* id, const char* en, const char* cn, Look look,
                   int extra = 0) { e.push_back({s, i, r, id, QString::fromUtf8(en), QString::fromUtf8(cn), look, extra}); };

    // Common elements (MainButtons 0..19), the same on every page.
    add(S::Main, 0, {496, 548, 88, 28}, "save", "Save", "保存", L::Button);
    add(S::Main, 2, {590, 548, 88, 28}, "cancel", "Cancel", "取消", L::Button);
    add(S::Main, 3, {684, 548, 88, 28}, "apply", "Apply", "应用", L::Button);
    for (int p = 0; p < 5; ++p) {
        static const char* ids[] = {"prof1", "prof2", "prof3", "prof4", "prof5"};
        static const char* en[] = {"Profile 1", "Profile 2", "Profile 3", "Profile 4", "Profile 5"};
        static const char* cn[] = {"配置 1", "配置 2", "配置 3", "配置 4", "配置 5"};
        add(S::Main, 4 + p, {28 + p * 104, 64, 98, 26}, ids[p], en[p], cn[p], L::Pill);
    }
    add(S::Main, 9, {230, 14, 120, 30}, "tab_main", "MAIN", "主页", L::Tab);
    add(S::Main, 10, {356, 14, 120, 30}, "tab_advanced", "ADVANCED", "高级设置", L::Tab);
    add(S::Main, 11, {482, 14, 120, 30}, "tab_color", "LIGHTING", "灯光设置", L::Tab);
    add(S::Main, 12, {720, 14, 28, 26}, "minimise", "", "", L::Minimise);
    add(S::Main, 13, {752, 14, 28, 26}, "close", "", "", L::Close);
    add(S::Main, 14, {28, 548, 96, 28}, "import", "Import", "导入配置", L::Button);
    add(S::Main, 15, {130, 548, 96, 28}, "export", "Export", "导出配置", L::Button);
    add(S::Main, 16, {232, 548, 96, 28}, "reset", "Reset", "恢复出厂", L::Button);
    add(S::Main, 17, {620, 18, 42, 22}, "lang_cn", "中文", "中文", L::Pill);
    add(S::Main, 18, {666, 18, 42, 22}, "lang_en", "EN", "EN", L::Pill);
    add(S::Main, 19, {28, 12, 160, 34}, "maker_link", "", "", L::Logo);

    // Main page.
    add(S::Main, 20, {36, 114, 236, 22}, "title_mouse", "Mouse buttons", "按键示意", L::Caption);
    add(S::Main, 21, {308, 114, 240, 22}, "title_functions", "Button functions", "按键功能", L::Caption);
    add(S::Main, 22, {308, 332, 160, 22}, "title_dpi", "DPI levels", "DPI 档位", L::Caption);
    add(S::Main, 23, {306, 356, 48, 20}, "head_level", "Level", "档位", L::Caption);
    add(S::Main, 24, {358, 356, 46, 20}, "head_enable", "On", "启用", L::Caption);
    {
        static const char* ids[] = {"name_left", "name_right", "name_middle", "name_forward", "name_back", "name_top"};
        static const char* en[] = {"1 Left", "2 Right", "3 Middle", "4 Forward", "5 Back", "6 Top"};
        static const char* cn[] = {"1 左键", "2 右键", "3 中键", "4 前进键", "5 后退键", "6 顶部键"};
        for (int b = 0; b < 6; ++b) {
            const int y = 142 + b * 29;
            add(S::Main, 25 + b, {446, y, 318, 24}, "function", "", "", L::Function, b);
            add(S::Main, 31 + b, {308, y, 130, 24}, ids[b], en[b], cn[b], L::Caption);
        }
    }
    add(S::Main, 38, {308, 500, 120, 24}, "title_wheel", "Wheel", "滚轮模式", L::Caption);
    add(S::Main, 41, {440, 500, 130, 24}, "wheel_a", "Mode A", "模式 A", L::Toggle);
    add(S::Main, 42, {580, 500, 130, 24}, "wheel_b", "Mode B", "模式 B", L::Toggle);
    for (int level = 0; level < kDpiLevelCount; ++level) {
        const int y = 380 + level * 24;
        add(S::Main, 46 + level, {358, y, 46, 20}, "level_on", "On", "启用", L::Toggle, level);
        add(S::Main, 54 + level, {306, y, 48, 20}, "level_select", "", "", L::LevelSelect, level);
        for (int c = 0; c < 12; ++c)
            add(S::Main, 66 + 12 * level + c, {410 + c * 30, y, 28, 20}, "dpi", "", "", L::DpiCell, c);
    }
    // The lit buttons of the mouse drawing, shown while a function field is under the pointer.
    const QRect notes[6] = {{84, 156, 62, 134}, {162, 156, 62, 134}, {146, 170, 16, 52},
                            {62, 300, 24, 40},  {62, 346, 24, 40},   {146, 230, 16, 32}};
    for (int b = 0; b < 6; ++b) add(S::Main, 115 + b, notes[b], "note", "", "", L::Note, b);

    // Advanced page.
    add(S::Advanced, 38, {36, 114, 200, 22}, "title_macro", "Macro editor", "宏编辑", L::Caption);
    add(S::Advanced, 39, {36, 144, 60, 24}, "name", "Name", "名称", L::Caption);
    add(S::Advanced, 2, {306, 144, 58, 24}, "add", "Add", "添加", L::Button);
    add(S::Advanced, 3, {368, 144, 58, 24}, "delete", "Delete", "删除", L::Button);
    add(S::Advanced, 4, {36, 446, 72, 24}, "record", "Record", "录制", L::Button);
    add(S::Advanced, 5, {114, 446, 72, 24}, "save", "Save", "保存", L::Button);
    add(S::Advanced, 43, {196, 446, 110, 24}, "down_count", "[↓]0", "[↓]0", L::Value);
    add(S::Advanced, 44, {314, 446, 110, 24}, "up_count", "[↑]0", "[↑]0", L::Value);
    add(S::Advanced, 6, {36, 478, 90, 24}, "repeat", "Repeat", "循环", L::Toggle);
    add(S::Advanced, 40, {196, 478, 50, 24}, "times", "times", "次", L::Caption);
    add(S::Advanced, 7, {252, 478, 174, 24}, "hold_repeat", "Hold to repeat", "按住连续执行", L::Toggle);
    add(S::Advanced, 0, {36, 510, 120, 24}, "macro_import", "Import macros", "导入宏", L::Button);
    add(S::Advanced, 1, {162, 510, 120, 24}, "macro_export", "Export macros", "导出宏", L::Button);
    add(S::Advanced, 41, {454, 114, 240, 22}, "title_pointer", "Pointer speed", "指针速度", L::Caption);
    add(S::Advanced, 42, {454, 184, 240, 22}, "title_scroll", "Scroll lines", "滚轮行数", L::Caption);
    for (int i = 0; i < 10; ++i) {
        static const char* n[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        add(S::Advanced, 8 + i, {454 + i * 31, 142, 29, 24}, "speed", n[i], n[i], L::ScaleCell, i);
        add(S::Advanced, 18 + i, {454 + i * 31, 212, 29, 24}, "lines", n[i], n[i], L::ScaleCell, i);
    }
    add(S::Advanced, 45, {454, 254, 240, 22}, "title_fire", "Auto-fire interval", "连发间隔", L::Caption);
    add(S::Advanced, 32, {454, 282, 28, 24}, "fire_minus", "-", "-", L::Button);
    add(S::Advanced, 30, {488, 282, 180, 24}, "fire_slider", "", "", L::Slider);
    add(S::Advanced, 31, {674, 282, 28, 24}, "fire_plus", "+", "+", L::Button);
    add(S::Advanced, 33, {708, 282, 60, 24}, "fire_value", "50ms", "50ms", L::Value);

    // Color page.
    add(S::Color, 5, {36, 114, 200, 22}, "title_mode", "Lighting mode", "灯光模式", L::Caption);
    {
        static const char* ids[] = {"led_slow", "led_fast", "led_steady", "led_off"};
        static const char* en[] = {"Slow cycle", "Fast cycle", "Steady", "Off"};
        static const char* cn[] = {"慢速循环", "快速循环", "常亮", "关闭"};
        for (int m = 0; m < 4; ++m) add(S::Color, m, {36, 146 + m * 40, 220, 30}, ids[m], en[m], cn[m], L::Button);
    }
    add(S::Color, 7, {36, 330, 110, 24}, "title_dpi", "Current DPI", "当前 DPI", L::Caption);
    add(S::Color, 9, {150, 330, 86, 24}, "dpi_value", "", "", L::Value);
    add(S::Color, 8, {36, 370, 250, 24}, "hint", "Apply to send to the mouse", "点击应用后生效", L::Caption);
    add(S::Color, 6, {320, 114, 200, 22}, "title_preview", "Preview", "效果预览", L::Caption);
    add(S::Color, 11, {320, 144, 440, 384}, "lamp", "", "", L::Lamp);

    // Warning popup; its labels are painted red.
    add(S::Warning, 0, {112, 102, 100, 28}, "confirm", "OK", "确定", L::Button);
    add(S::Warning, 1, {228, 102, 100, 28}, "cancel", "Cancel", "取消", L::Button);
    add(S::Warning, 2, {64, 42, 360, 26}, "message", "No other button has Left Click. Go on?",
        "其他按键都没有左键功能，是否继续？", L::Caption);
    return e;
}

}  // namespace

const std::vector<Element>& Elements() {
    static const std::vector<Element> elements = Build();
    return elements;
}

const std::vector<ControlRect>& ControlRects() {
    static const std::vector<ControlRect> rects = {
        {"EDIT", 3, "repeat_box", {132, 478, 60, 24}},
        {"EDIT", 4, "name_box", {100, 144, 200, 24}},
        {"MACRODISPLAY", 1, "macro_list", {36, 178, 150, 262}},
        {"MACRODISPLAY", 2, "event_list", {196, 178, 230, 262}},
    };
    return rects;
}

const std::vector<std::pair<QString, QString>>& FunctionNames() {
    static const std::vector<std::pair<QString, QString>> names = [] {
        std::vector<std::pair<QString, QString>> n(55);
        auto set = [&](int code, const char* en, const char* cn) { n[code] = {QString::fromUtf8(en), QString::fromUtf8(cn)}; };
        set(1, "Left Click", "左键");
        set(2, "Right Click", "右键");
        set(3, "Middle Click", "中键");
        set(4, "Back", "后退");
        set(5, "Forward", "前进");
        set(6, "DPI Switch", "DPI 切换");
        // Rows 7..10 of the function list open the four groups.
        set(7, "Mouse Functions", "鼠标功能");
        set(8, "Multimedia", "多媒体");
        set(9, "User Macros", "用户宏");
        set(10, "Preset Macros", "预设宏");
        set(11, "Mouse Function 7", "鼠标功能 7");
        set(12, "Mouse Function 8", "鼠标功能 8");
        set(13, "Mouse Function 9", "鼠标功能 9");
        set(14, "Report Rate Switch", "回报率切换");
        set(15, "DPI Up", "DPI 加");
        set(16, "DPI Down", "DPI 减");
        set(17, "Mouse Function 13", "鼠标功能 13");
        for (int c : {18, 19, 20, 53, 54}) set(c, "Unassigned", "未定义");
        set(21, "Home Page", "主页");
        set(22, "Media Player", "媒体播放器");
        set(23, "Email", "邮件");
        set(24, "Volume Up", "音量加");
        set(25, "Volume Down", "音量减");
        set(26, "Previous Track", "上一曲");
        set(27, "Next Track", "下一曲");
        set(28, "Mute", "静音");
        set(29, "Play/Pause", "播放/暂停");
        set(30, "Calculator Key", "计算器键");
        // The preset macros' own names, so the list and constMacro.dat agree.
        for (int i = 0; i < 8; ++i)
            n[31 + i] = {QString::fromUtf8(shipped::kPresetNames[i].english),
                         QString::fromUtf8(shipped::kPresetNames[i].chinese)};
        set(39, "Open Calculator", "打开计算器");
        set(40, "Command Prompt", "命令提示符");
        for (int i = 0; i < 12; ++i)
            n[41 + i] = {QStringLiteral("User Macro %1").arg(i + 1), QString::fromUtf8("用户宏 %1").arg(i + 1)};
        return n;
    }();
    return names;
}

QPolygon PageOutline() {
    // Chamfered corners and a notch under the bottom bar: a gaming silhouette, not a box.
    return QPolygon({{22, 0}, {300, 0}, {316, 6}, {484, 6}, {500, 0}, {778, 0}, {800, 22}, {800, 560},
                     {760, 600}, {490, 600}, {474, 588}, {326, 588}, {310, 600}, {40, 600}, {0, 560}, {0, 22}});
}

QPolygon WarningOutline() {
    const int w = kWarningSize.width(), h = kWarningSize.height();
    return QPolygon({{14, 0}, {w - 14, 0}, {w, 14}, {w, h - 14}, {w - 14, h}, {14, h}, {0, h - 14}, {0, 14}});
}

int DpiOfColumn(int column) { return DpiTable[column].dpi; }

}  // namespace zrv::skingen
