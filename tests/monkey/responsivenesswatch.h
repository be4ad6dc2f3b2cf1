#pragma once

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Measures how responsive the thread of the windows is, from a thread of its own: it posts an
// event to the window thread, waits until that thread has handled it, pauses briefly and posts
// the next. The time between posting and handling is an unresponsive gap.
class ResponsivenessWatch : public QObject
{
public:
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::milliseconds;

    // `handled` runs in the window thread for every gap; `stuck` runs in the watching thread
    // once an event has waited `stuckAfter`, and again every second while it still waits.
    ResponsivenessWatch(
            Milliseconds stuckAfter,
            std::function<void(Clock::time_point posted, Clock::time_point handled)> handled,
            std::function<void(Milliseconds waited)> stuck);
    ~ResponsivenessWatch() override;
    Q_DISABLE_COPY(ResponsivenessWatch)

protected:
    bool event(QEvent *event) override;

private:
    void Watch();

    const Milliseconds m_stuckAfter;
    const std::function<void(Clock::time_point, Clock::time_point)> m_handled;
    const std::function<void(Milliseconds)> m_stuck;
    std::mutex m_mutex;
    std::condition_variable m_wakeUp;
    bool m_waiting = false;
    bool m_stopping = false;
    Clock::time_point m_posted;
    std::thread m_thread;
};
