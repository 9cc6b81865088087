#include "device/apply.h"

#include "config/settings.h"
#include "device/protocol.h"

namespace zrv {

void ApplyProfile(const ProfileSettings& p, const ApplyContext& c) {
    WriteCurrentProfileNumber(c.configPath, c.curConfig);
    SaveProfile(c.configPath, 6, p);

    for (int i = 0; i < kButtonCount; ++i) {
        c.applied.reportsDpiLevel[i] = FollowsDpiLevel(p.K[i]);
        c.applied.cyclesReportRate[i] = CyclesReportRate(p.K[i]);
        SetButtonFunction(c.link, DeviceButtonTable[i], MouseFunctionCode(p.K[i]));
    }
    SetWheelMode(c.link, p.WHEEL_STATUS);

    uint8_t mask = 0;
    for (int j = 0; j < kDpiLevelCount; ++j)
        if (p.DPI_SET_EN[j]) mask |= static_cast<uint8_t>(1u << j);
    for (int j = 0; j < kDpiLevelCount; ++j) {
        const uint8_t code = DpiCode(p.DPI_SET[j]);
        c.applied.dpiCode[j] = code;
        SetDpiLevel(c.link, p.DPI_LEVEL, j, code, mask);
    }

    c.applied.ledMode = p.LED_STATUS;
    SetLighting(c.link, LedCode(p.LED_STATUS));
    if (c.repaint) c.repaint();

    int probe = 20;
    if (c.os.GetPointerSpeed(probe)) c.os.SetPointerSpeed(PointerSpeed(p.DPI_SPEED));
    probe = 0;
    if (c.os.GetWheelScrollLines(probe)) c.os.SetWheelScrollLines(ScrollLines(p.WHEEL_SPEED));

    SetFireInterval(c.link, p.FIRE_TIME);
    SaveProfile(c.configPath, c.curConfig, p);
}

void ShutdownLink(DeviceLink& link, SystemSettings& os) {
    if (link.writeHandle.load()) HostExit(link);
    int probe = 20;
    if (os.GetPointerSpeed(probe)) os.SetPointerSpeed(10);
}

}  // namespace zrv
