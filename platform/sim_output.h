// The one output of the simulated build: whole lines, flushed at once, from any thread.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace zrv {

class SimOutput {
public:
    explicit SimOutput(std::FILE* file) : file_(file) {}
    void Line(const std::string& text);

private:
    std::mutex mutex_;
    std::FILE* file_;
};

}  // namespace zrv
