#include "platform/sim_host.h"

namespace zrv {

void PrintingHost::MessageBox(const std::string& caption, const std::string& text) {
    out_.Line("MESSAGE " + text);
    if (showMessages_) inner_.MessageBox(caption, text);
}

void PrintingHost::AddTrayIcon(const std::string& tip) {
    out_.Line("TRAY ADD " + tip);
    inner_.AddTrayIcon(tip);
}

void PrintingHost::DeleteTrayIcon() {
    out_.Line("TRAY DELETE");
    inner_.DeleteTrayIcon();
}

void PrintingHost::ShowAndRestore() {
    out_.Line("SHOW");
    inner_.ShowAndRestore();
}

// The simulation starts nothing: a test machine has no use for a calculator.
void PrintingHost::StartCalculator() { out_.Line("START calc"); }
void PrintingHost::StartTerminal() { out_.Line("START terminal"); }
void PrintingHost::OpenUrl(const std::string& url) { out_.Line("URL " + url); }

void PrintingHost::HideWindow() {
    out_.Line("HIDE");
    inner_.HideWindow();
}

}  // namespace zrv
