// Simulated pointer settings: both probes succeed and every change is printed.
#pragma once

#include "platform/recording_system_settings.h"
#include "platform/sim_output.h"

namespace zrv {

class SimSystemSettings : public RecordingSystemSettings {
public:
    explicit SimSystemSettings(SimOutput& out)
        : RecordingSystemSettings([&out](const std::string& line) { out.Line(line); }) {}
};

}  // namespace zrv
