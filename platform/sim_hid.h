// The simulated mouse: one unrelated device and the mouse's two interfaces with 8-byte
// reports. Every feature report sent is printed as "FEATURE 07 10 01 01 00 00 00 00".
#pragma once

#include "platform/recording_hid.h"
#include "platform/sim_output.h"

namespace zrv {

class SimHidSystem : public RecordingHidSystem {
public:
    // mousePresent false lists only the unrelated device.
    SimHidSystem(SimOutput& out, bool mousePresent);

    // One input report for the next read of the mouse.
    void QueueInput(std::vector<uint8_t> report) { PushInput(std::move(report)); }
};

}  // namespace zrv
