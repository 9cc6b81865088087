#include "platform/sim_hid.h"

namespace zrv {
namespace {

std::vector<RecordingHidSystem::Interface> SimInterfaces(bool mousePresent) {
    auto interfaces = RecordingHidSystem::MouseInterfaces();
    if (!mousePresent) interfaces.resize(1);  // the unrelated device comes first
    return interfaces;
}

}  // namespace

SimHidSystem::SimHidSystem(SimOutput& out, bool mousePresent) : RecordingHidSystem(SimInterfaces(mousePresent)) {
    SetObserver([&out](const std::string& line) { out.Line(line); });
}

}  // namespace zrv
