// Pointer speed through X11 (libinput acceleration, or the core pointer control), and
// wheel scroll lines where the desktop keeps such a setting (KDE Plasma).
#pragma once

#include <string>

#include "platform/system_settings.h"

namespace zrv {

// Speed 1..20 (10 the default) onto libinput's acceleration -1..1, linear on each side of 10.
double LibinputAccelOfSpeed(int speed);

// The file that holds KDE's WheelScrollLines: $XDG_CONFIG_HOME/kdeglobals, or
// ~/.config/kdeglobals; empty when neither folder is known.
std::string KdeGlobalsPath();

class X11SystemSettings : public SystemSettings {
public:
    bool GetPointerSpeed(int& speed) override;
    void SetPointerSpeed(int speed) override;
    bool GetWheelScrollLines(int& lines) override;
    void SetWheelScrollLines(int lines) override;
};

}  // namespace zrv
