#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <thread>

extern char** environ;

namespace zrv::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& executable, const std::vector<std::string>& args,
                           const std::vector<std::string>& env, const std::string& cwd) {
    int inPipe[2], outPipe[2];
    if (pipe2(inPipe, O_CLOEXEC) != 0) return;
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        close(inPipe[0]);
        close(inPipe[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inPipe[0], 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    std::vector<std::string> argv{executable};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envCopy = env;
    auto argp = Pointers(argv);
    auto envp = Pointers(envCopy);
    pid_t pid = -1;
    if (posix_spawn(&pid, executable.c_str(), &actions, nullptr, argp.data(), envp.data()) == 0) pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(inPipe[0]);
    close(outPipe[1]);
    in_ = inPipe[1];
    out_ = outPipe[0];
    // A child that died must not kill the test with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
}

// A polite end first, so that a server can remove its lock files.
ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
}

void ChildProcess::WriteLine(const std::string& line) {
    if (in_ < 0) return;
    const std::string text = line + "\n";
    [[maybe_unused]] ssize_t written = write(in_, text.data(), text.size());
}

void ChildProcess::CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
}

bool ChildProcess::ReadSome(std::chrono::milliseconds timeout) {
    if (outputEnded_ || out_ < 0) return false;
    pollfd fd{out_, POLLIN, 0};
    const int ready = poll(&fd, 1, static_cast<int>(timeout.count()));
    if (ready <= 0) return true;
    char buffer[4096];
    const ssize_t n = read(out_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
        outputEnded_ = true;
        return false;
    }
    output_.append(buffer, static_cast<size_t>(n));
    return true;
}

std::vector<std::string> ChildProcess::Lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(output_.substr(0, output_.rfind('\n') + 1));
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

bool ChildProcess::WaitForLine(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (const auto& line : Lines())
            if (line == text) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !ReadSome(std::min(left, std::chrono::milliseconds(100)))) return false;
    }
}

std::optional<std::string> ChildProcess::WaitForFirstLine(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const auto lines = Lines(); !lines.empty()) return lines.front();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !ReadSome(std::min(left, std::chrono::milliseconds(100)))) return std::nullopt;
    }
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline && ReadSome(std::chrono::milliseconds(100))) {
    }
    while (pid_ > 0 && Clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            while (ReadSome(std::chrono::milliseconds(0))) {
            }
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    return std::nullopt;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& assignments) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& a : assignments) replaced |= a.substr(0, a.find('=')) == name;
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), assignments.begin(), assignments.end());
    return env;
}

}  // namespace zrv::e2e
