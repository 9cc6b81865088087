// Commands of the simulated mouse, read line by line from a file descriptor on a thread:
// "INPUT 06 F5 01 00 00 00 00 00" queues an input report, "UNPLUG" removes the mouse.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zrv {

struct SimCommand {
    enum class Kind { Input, Unplug } kind = Kind::Input;
    std::vector<uint8_t> bytes;  // the report of an INPUT line
};

// nullopt for a line that is no command (blank, unknown word, bad hex byte).
std::optional<SimCommand> ParseSimCommand(std::string_view line);

class SimInputReader {
public:
    // onCommand runs on the reader's thread for every command; onEnd once at end of input.
    SimInputReader(int fd, std::function<void(const SimCommand&)> onCommand, std::function<void()> onEnd);
    // Stops reading without calling onEnd when input has not ended yet.
    ~SimInputReader();
    SimInputReader(const SimInputReader&) = delete;
    SimInputReader& operator=(const SimInputReader&) = delete;

private:
    void Run();

    int fd_;
    int stopPipe_[2] = {-1, -1};
    std::function<void(const SimCommand&)> onCommand_;
    std::function<void()> onEnd_;
    std::thread thread_;
};

}  // namespace zrv
