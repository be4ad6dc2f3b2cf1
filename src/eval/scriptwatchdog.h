#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace Eval {

// A thread that calls a function once when an armed deadline passes before disarm().
// Arming and disarming are cheap: the thread is only woken when the new deadline is earlier
// than the one it sleeps until, so a long run of short evaluations costs no thread switches.
class ScriptWatchdog
{
public:
    using Clock = std::chrono::steady_clock;

    // `expired` runs on the watchdog thread, with the watchdog's lock held.
    explicit ScriptWatchdog(std::function<void()> expired);
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog &) = delete;
    ScriptWatchdog &operator=(const ScriptWatchdog &) = delete;

    void arm(Clock::time_point deadline);
    // After this returns, `expired` will not run for the deadline armed before.
    void disarm();

private:
    void watch();

    std::function<void()> m_expired;
    std::mutex m_mutex;
    std::condition_variable m_wakeUp;
    std::optional<Clock::time_point> m_deadline;
    Clock::time_point m_sleepingUntil = Clock::time_point::max();
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace Eval
