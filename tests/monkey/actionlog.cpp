#include "actionlog.h"

#include <algorithm>

void ActionLog::Begin(int number, int depth, const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_entries.push_back({number, depth, text, Clock::now()});
    if (m_entries.size() > Kept)
        m_entries.pop_front();
}

void ActionLog::End(int number)
{
    std::lock_guard lock(m_mutex);
    for (Entry &entry : m_entries) {
        if (entry.number == number)
            entry.end = Clock::now();
    }
}

void ActionLog::Resume(int number)
{
    std::lock_guard lock(m_mutex);
    for (Entry &entry : m_entries) {
        if (entry.number == number)
            entry.end = Clock::time_point::max();
    }
}

QStringList ActionLog::Lines() const
{
    std::lock_guard lock(m_mutex);
    return LinesLocked();
}

QStringList ActionLog::LinesIfFree() const
{
    std::unique_lock lock(m_mutex, std::try_to_lock);
    return lock.owns_lock() ? LinesLocked() : QStringList{QStringLiteral("(log busy)")};
}

QStringList ActionLog::LinesLocked() const
{
    QStringList lines;
    for (const Entry &entry : m_entries) {
        const double seconds = std::chrono::duration<double>(entry.start - m_origin).count();
        lines.append(QStringLiteral("#%1 %2%3s %4")
                             .arg(entry.number)
                             .arg(QString(entry.depth, u'>'))
                             .arg(seconds, 0, 'f', 3)
                             .arg(entry.text));
    }
    return lines;
}

QString ActionLog::During(Clock::time_point from, Clock::time_point to) const
{
    std::lock_guard lock(m_mutex);
    int deepest = 0;
    for (const Entry &entry : m_entries) {
        if (entry.start <= to && entry.end >= from)
            deepest = std::max(deepest, entry.depth);
    }
    QStringList texts;
    for (const Entry &entry : m_entries) {
        if (entry.start <= to && entry.end >= from && entry.depth == deepest)
            texts.append(QStringLiteral("#%1 %2").arg(entry.number).arg(entry.text));
    }
    return texts.join(QStringLiteral("; "));
}
