// Feature report 7: one send operation per command.
#pragma once

#include <cstdint>

#include "device/device_link.h"
#include "platform/clock.h"

namespace zrv {

inline constexpr uint8_t kFeatureReportId = 7;
inline constexpr uint8_t kInputReportId = 6;

void SetDpiLevel(DeviceLink& link, int32_t currentLevel, int levelIndex, uint8_t dpiCode, uint8_t enableMask);
void SetButtonFunction(DeviceLink& link, uint8_t mouseButton, uint8_t mouseFunction);
void SetWheelMode(DeviceLink& link, int32_t wheelStatus);
void SetFireInterval(DeviceLink& link, int32_t milliseconds);
void SetLighting(DeviceLink& link, uint8_t lightingCode);
void SendConsumerKey(DeviceLink& link, uint16_t usage);
void HostExit(DeviceLink& link);

// Updates the held keys or buttons and sends PressKeys or PressButtons.
void SendMacroEvent(DeviceLink& link, uint8_t code, uint8_t action);
// Releases every held button, then every held key, 10 ms apart.
void ReleaseAll(DeviceLink& link, Clock& clock);

}  // namespace zrv
