// Texts of the application shell in both interface languages.
#pragma once

#include <array>
#include <string>

namespace zrv {

inline constexpr const char* kProductName = "Norvane";

struct ShellTexts {
    const char* windowTitle;
    const char* plugInFormat;  // %s: the product name
    const char* openFailedFormat;  // %s: the product name
    const char* trayShow;
    const char* trayExit;
};

// Index 0 Chinese, 1 English.
inline constexpr std::array<ShellTexts, 2> ShellTextTable{{
    {"Norvane.电竞游戏鼠标", "请插入【%s】USB鼠标",
     "已找到【%s】USB鼠标，但无法打开它的接口。\n"
     "请安装 udev 规则 data/70-zrv-vantix.rules（复制为 /etc/udev/rules.d/70-zrv-vantix.rules），"
     "然后重新插拔鼠标。",
     "显示窗口   ", "关闭驱动"},
    {"Halvex Gaming Mouse", "Please plug-in【%s】USB Mouse",
     "The【%s】USB Mouse was found, but its interfaces could not be opened.\n"
     "Install the udev rule data/70-zrv-vantix.rules as /etc/udev/rules.d/70-zrv-vantix.rules, "
     "then plug the mouse in again.",
     "Show Window", "Exit Driver"},
}};

// UiLanguage 0 is Chinese; every other value is English.
inline const ShellTexts& TextsFor(int uiLanguage) { return ShellTextTable[uiLanguage == 0 ? 0 : 1]; }

// printf-style formatting of one %s with the product name.
std::string WithProductName(const char* format);

}  // namespace zrv
