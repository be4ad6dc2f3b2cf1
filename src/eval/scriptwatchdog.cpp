#include "scriptwatchdog.h"

namespace Eval {

ScriptWatchdog::ScriptWatchdog(std::function<void()> expired)
    : m_expired(std::move(expired))
    , m_thread([this] { watch(); })
{ }

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wakeUp.notify_one();
    m_thread.join();
}

void ScriptWatchdog::arm(Clock::time_point deadline)
{
    std::lock_guard lock(m_mutex);
    m_deadline = deadline;
    if (deadline < m_sleepingUntil)
        m_wakeUp.notify_one();
}

void ScriptWatchdog::disarm()
{
    std::lock_guard lock(m_mutex);
    m_deadline.reset();
}

// A later deadline armed during a sleep is picked up when the sleep ends.
void ScriptWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (m_deadline && Clock::now() >= *m_deadline) {
            m_deadline.reset();
            m_expired();
            continue;
        }
        m_sleepingUntil = m_deadline.value_or(Clock::time_point::max());
        if (m_deadline)
            m_wakeUp.wait_until(lock, m_sleepingUntil);
        else
            m_wakeUp.wait(lock);
    }
}

} // namespace Eval
