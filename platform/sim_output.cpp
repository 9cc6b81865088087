#include "platform/sim_output.h"

namespace zrv {

void SimOutput::Line(const std::string& text) {
    std::lock_guard lock(mutex_);
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace zrv
