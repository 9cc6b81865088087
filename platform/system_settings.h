// Operating-system pointer settings that an apply changes.
#pragma once

namespace zrv {

class SystemSettings {
public:
    virtual ~SystemSettings() = default;
    // Probes: true when the setting can be read here.
    virtual bool GetPointerSpeed(int& speed) = 0;
    virtual void SetPointerSpeed(int speed) = 0;  // 1..20, 10 the default
    virtual bool GetWheelScrollLines(int& lines) = 0;
    virtual void SetWheelScrollLines(int lines) = 0;
};

}  // namespace zrv
