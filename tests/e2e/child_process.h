// A spawned executable with its standard input and output on pipes, for end-to-end tests.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zrv::e2e {

class ChildProcess {
public:
    // env replaces the environment; cwd is the working folder.
    ChildProcess(const std::string& executable, const std::vector<std::string>& args,
                 const std::vector<std::string>& env, const std::string& cwd);
    ~ChildProcess();  // kills a child that is still running

    bool Started() const { return pid_ > 0; }
    void WriteLine(const std::string& line);
    void CloseInput();
    // Reads output until a whole line equal to text arrived; false on timeout or end of output.
    bool WaitForLine(const std::string& text, std::chrono::milliseconds timeout);
    // The first whole line of output; nullopt on timeout or end of output.
    std::optional<std::string> WaitForFirstLine(std::chrono::milliseconds timeout);
    // Reads the rest of the output and waits for the exit; nullopt (and the child killed)
    // when it does not end in time.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Every whole line read so far.
    std::vector<std::string> Lines() const;

private:
    // Reads what is there within the timeout; false at end of output.
    bool ReadSome(std::chrono::milliseconds timeout);

    int pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string output_;
    bool outputEnded_ = false;
};

// Every variable of this process's environment except those named, then the given ones.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& assignments);

}  // namespace zrv::e2e
