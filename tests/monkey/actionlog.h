#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <mutex>

// The monkey's last actions, readable from any thread: the watching thread reads them when
// the window thread hangs, a crash handler when the process dies.
class ActionLog
{
public:
    using Clock = std::chrono::steady_clock;

    explicit ActionLog(Clock::time_point origin)
        : m_origin(origin)
    { }

    // Starts action `number`; the one started last at a lower depth is still on the stack.
    void Begin(int number, int depth, const QString &text);
    void End(int number);
    // The action runs again until End: a later keystroke of the same typing.
    void Resume(int number);
    // One line per action kept, oldest first: number, depth, start time, text.
    QStringList Lines() const;
    // The same, or nothing when the log is being written (for crash handlers).
    QStringList LinesIfFree() const;
    // The deepest actions that ran during [from, to], as one line.
    QString During(Clock::time_point from, Clock::time_point to) const;

private:
    struct Entry
    {
        int number = 0;
        int depth = 0;
        QString text;
        Clock::time_point start;
        Clock::time_point end = Clock::time_point::max(); // max while it runs
    };
    QStringList LinesLocked() const;

    static constexpr std::size_t Kept = 40;
    const Clock::time_point m_origin;
    mutable std::mutex m_mutex;
    std::deque<Entry> m_entries;
};
