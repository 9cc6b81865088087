// Time for the device threads, replaceable in tests.
#pragma once

#include <chrono>
#include <thread>

namespace zrv {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() = 0;
    virtual void SleepUntil(TimePoint deadline) = 0;
    void SleepFor(std::chrono::milliseconds duration) { SleepUntil(Now() + duration); }
};

class SteadyClock final : public Clock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint deadline) override { std::this_thread::sleep_until(deadline); }
};

}  // namespace zrv
