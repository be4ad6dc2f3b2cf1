#include "responsivenesswatch.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type PingEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
constexpr std::chrono::milliseconds PingPause{20};

} // namespace

ResponsivenessWatch::ResponsivenessWatch(
        Milliseconds stuckAfter,
        std::function<void(Clock::time_point posted, Clock::time_point handled)> handled,
        std::function<void(Milliseconds waited)> stuck)
    : m_stuckAfter(stuckAfter)
    , m_handled(std::move(handled))
    , m_stuck(std::move(stuck))
    , m_thread([this] { Watch(); })
{ }

ResponsivenessWatch::~ResponsivenessWatch()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wakeUp.notify_all();
    m_thread.join();
    // A ping still queued is removed with this object's posted events.
    QCoreApplication::removePostedEvents(this, PingEvent);
}

bool ResponsivenessWatch::event(QEvent *event)
{
    if (event->type() != PingEvent)
        return QObject::event(event);
    const Clock::time_point handled = Clock::now();
    Clock::time_point posted;
    {
        std::lock_guard lock(m_mutex);
        posted = m_posted;
        m_waiting = false;
    }
    m_wakeUp.notify_all();
    m_handled(posted, handled);
    return true;
}

void ResponsivenessWatch::Watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        m_posted = Clock::now();
        m_waiting = true;
        QCoreApplication::postEvent(this, new QEvent(PingEvent));
        Clock::time_point nextReport = m_posted + m_stuckAfter;
        while (m_waiting && !m_stopping) {
            if (m_wakeUp.wait_until(lock, nextReport) != std::cv_status::timeout)
                continue;
            if (!m_waiting || m_stopping)
                break;
            const auto waited = std::chrono::duration_cast<Milliseconds>(Clock::now() - m_posted);
            lock.unlock();
            m_stuck(waited);
            lock.lock();
            nextReport += std::chrono::seconds(1);
        }
        m_wakeUp.wait_for(lock, PingPause, [this] { return m_stopping; });
    }
}
