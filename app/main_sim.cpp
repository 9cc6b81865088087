// ZRV_Vantix-sim: the same program on a simulated mouse. Standard input drives the mouse
// ("INPUT 06 F5 01 00 00 00 00 00", "UNPLUG"; end of input unplugs), standard output
// shows every effect, one line each.
#include <unistd.h>

#include <cstring>
#include <memory>

#include "platform/qt_program.h"
#include "platform/sim_hid.h"
#include "platform/sim_host.h"
#include "platform/sim_input.h"
#include "platform/sim_output.h"
#include "platform/sim_system_settings.h"

int main(int argc, char** argv) {
    bool unplugged = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--unplugged") == 0) unplugged = true;

    zrv::SimOutput out(stdout);
    zrv::SimHidSystem hid(out, !unplugged);
    zrv::SimSystemSettings os(out);
    std::unique_ptr<zrv::PrintingHost> printing;
    std::unique_ptr<zrv::SimInputReader> input;

    zrv::DesktopHooks hooks;
    // A box no one can see is answered at once.
    hooks.wrapHost = [&](zrv::Host& qtHost) -> zrv::Host& {
        printing = std::make_unique<zrv::PrintingHost>(qtHost, out, isatty(STDIN_FILENO) != 0);
        return *printing;
    };
    hooks.started = [&](zrv::MainWindow&) {
        input = std::make_unique<zrv::SimInputReader>(
            STDIN_FILENO,
            [&hid](const zrv::SimCommand& command) {
                if (command.kind == zrv::SimCommand::Kind::Unplug)
                    hid.Unplug();
                else
                    hid.QueueInput(command.bytes);
            },
            [&hid] { hid.Unplug(); });
    };
    hooks.stopping = [&] { input.reset(); };
    hooks.ended = [&] { out.Line("EXIT"); };
    return zrv::RunDesktopProgram(argc, argv, hid, os, hooks);
}
