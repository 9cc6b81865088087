#include "platform/sim_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <sstream>

namespace zrv {

std::optional<SimCommand> ParseSimCommand(std::string_view line) {
    std::istringstream words{std::string(line)};
    std::string word;
    if (!(words >> word)) return std::nullopt;
    if (word == "UNPLUG") return SimCommand{SimCommand::Kind::Unplug, {}};
    if (word != "INPUT") return std::nullopt;
    SimCommand command;
    while (words >> word) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
        if (error != std::errc() || end != word.data() + word.size() || value > 0xFF) return std::nullopt;
        command.bytes.push_back(static_cast<uint8_t>(value));
    }
    if (command.bytes.empty()) return std::nullopt;
    return command;
}

SimInputReader::SimInputReader(int fd, std::function<void(const SimCommand&)> onCommand, std::function<void()> onEnd)
    : fd_(fd), onCommand_(std::move(onCommand)), onEnd_(std::move(onEnd)) {
    if (pipe(stopPipe_) != 0) stopPipe_[0] = stopPipe_[1] = -1;
    thread_ = std::thread([this] { Run(); });
}

SimInputReader::~SimInputReader() {
    if (stopPipe_[1] >= 0) {
        const char byte = 0;
        [[maybe_unused]] ssize_t written = write(stopPipe_[1], &byte, 1);
    }
    thread_.join();
    if (stopPipe_[0] >= 0) close(stopPipe_[0]);
    if (stopPipe_[1] >= 0) close(stopPipe_[1]);
}

void SimInputReader::Run() {
    std::string pending;
    char chunk[512];
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, stopPipe_[0] >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents) return;
        const ssize_t n = read(fd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(chunk, static_cast<size_t>(n));
        for (size_t newline; (newline = pending.find('\n')) != std::string::npos;) {
            if (auto command = ParseSimCommand(std::string_view(pending).substr(0, newline))) onCommand_(*command);
            pending.erase(0, newline + 1);
        }
    }
    // A last line without its newline still counts.
    if (auto command = ParseSimCommand(pending)) onCommand_(*command);
    if (onEnd_) onEnd_();
}

}  // namespace zrv
