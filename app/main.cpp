// ZRV_Vantix: the mouse through hidraw, pointer settings through X11, the Qt desktop.
#include "platform/linux_hidraw.h"
#include "platform/qt_program.h"
#include "platform/x11_system_settings.h"

int main(int argc, char** argv) {
    zrv::HidrawSystem hid;
    zrv::X11SystemSettings os;
    return zrv::RunDesktopProgram(argc, argv, hid, os);
}
