// A test double of the operating-system pointer settings: records every change.
#pragma once

#include <functional>
#include <string>

#include "platform/system_settings.h"

namespace zrv {

class RecordingSystemSettings : public SystemSettings {
public:
    explicit RecordingSystemSettings(std::function<void(const std::string&)> log, bool pointerProbe = true,
                                     bool wheelProbe = true)
        : log_(std::move(log)), pointerProbe_(pointerProbe), wheelProbe_(wheelProbe) {}

    bool GetPointerSpeed(int& speed) override {
        if (pointerProbe_) speed = pointer;
        return pointerProbe_;
    }
    void SetPointerSpeed(int speed) override {
        pointer = speed;
        log_("POINTER " + std::to_string(speed));
    }
    bool GetWheelScrollLines(int& lines) override {
        if (wheelProbe_) lines = wheel;
        return wheelProbe_;
    }
    void SetWheelScrollLines(int lines) override {
        wheel = lines;
        log_("WHEEL " + std::to_string(lines));
    }

    int pointer = 10;
    int wheel = 3;

private:
    std::function<void(const std::string&)> log_;
    bool pointerProbe_;
    bool wheelProbe_;
};

}  // namespace zrv
