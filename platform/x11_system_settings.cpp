#include "platform/x11_system_settings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "config/ini.h"

namespace zrv {
namespace {

struct Display_ {
    Display* display = XOpenDisplay(nullptr);
    ~Display_() {
        if (display) XCloseDisplay(display);
    }
};

// Sets the float property on one device; false when the device lacks it.
bool SetAccelSpeed(Display* display, int device, Atom property, Atom floatAtom, float value) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XIGetProperty(display, device, property, 0, 1, False, AnyPropertyType, &type, &format, &items, &after,
                      &data) != Success)
        return false;
    const bool present = type == floatAtom && format == 32 && items >= 1;
    if (data) XFree(data);
    if (!present) return false;
    // Format-32 properties travel as longs in Xlib.
    long word = 0;
    std::memcpy(&word, &value, sizeof value);
    XIChangeProperty(display, device, property, floatAtom, 32, PropModeReplace,
                     reinterpret_cast<unsigned char*>(&word), 1);
    return true;
}

}  // namespace

double LibinputAccelOfSpeed(int speed) {
    const int s = std::clamp(speed, 1, 20);
    return s <= 10 ? (s - 10) / 9.0 : (s - 10) / 10.0;
}

std::string KdeGlobalsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/kdeglobals";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/kdeglobals";
    return {};
}

bool X11SystemSettings::GetPointerSpeed(int& speed) {
    Display_ d;
    if (!d.display) return false;
    // X keeps no speed of 1..20; the probe only says a setting can be made.
    speed = 10;
    return true;
}

void X11SystemSettings::SetPointerSpeed(int speed) {
    Display_ d;
    if (!d.display) return;
    int opcode = 0, event = 0, error = 0;
    int major = 2, minor = 0;
    const bool xi2 = XQueryExtension(d.display, "XInputExtension", &opcode, &event, &error) &&
                     XIQueryVersion(d.display, &major, &minor) == Success;
    bool anyWithout = !xi2;
    if (xi2) {
        const Atom property = XInternAtom(d.display, "libinput Accel Speed", True);
        const Atom floatAtom = XInternAtom(d.display, "FLOAT", True);
        int count = 0;
        XIDeviceInfo* devices = property != None && floatAtom != None
                                    ? XIQueryDevice(d.display, XIAllDevices, &count)
                                    : nullptr;
        for (int i = 0; i < count; ++i) {
            if (devices[i].use != XISlavePointer) continue;
            anyWithout |= !SetAccelSpeed(d.display, devices[i].deviceid, property, floatAtom,
                                         static_cast<float>(LibinputAccelOfSpeed(speed)));
        }
        if (devices) XIFreeDeviceInfo(devices);
        if (!devices) anyWithout = true;
    }
    // Devices without libinput follow the core pointer, whose acceleration grows with the
    // speed (10 gives X's default 2/1).
    if (anyWithout) XChangePointerControl(d.display, True, False, std::clamp(speed, 1, 20), 5, 0);
    XFlush(d.display);
}

bool X11SystemSettings::GetWheelScrollLines(int& lines) {
    const std::string path = KdeGlobalsPath();
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
    const std::string text = ReadIniString(path, "KDE", "WheelScrollLines", 16);
    lines = text.empty() ? 3 : ParseIntLikeWtoi(text);
    return true;
}

void X11SystemSettings::SetWheelScrollLines(int lines) {
    const std::string path = KdeGlobalsPath();
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
    WriteIniString(path, "KDE", "WheelScrollLines", std::to_string(lines));
}

}  // namespace zrv
