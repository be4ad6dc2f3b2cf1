#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Eval {

struct HistoryEntry
{
    QString expression;
    QString result;
    bool operator==(const HistoryEntry &other) const
    {
        return expression == other.expression && result == other.result;
    }
    bool operator!=(const HistoryEntry &other) const { return !(*this == other); }
};

// The computations of a calculator ("四则运算", "科学计算"), newest first, kept in a file across
// runs. Every change is written at once, atomically. A missing, unreadable or corrupt file starts
// an empty history without a word; what a failed read could not take in is never written over: an
// unreadable file is left alone for the run, a corrupt one is first moved aside to `path` + ".bad".
class CalculationHistory
{
public:
    static constexpr int MaxEntries = 1000;

    // An empty path keeps the history in memory only.
    explicit CalculationHistory(const QString &path = QString());

    const QList<HistoryEntry> &entries() const { return m_entries; }
    // Puts the entry first; one equal to the newest is merged with it. Only the newest
    // MaxEntries are kept.
    void Add(const HistoryEntry &entry);
    void Remove(int index);
    void Clear();

private:
    void Load();
    void Save();

    QString m_path;
    QList<HistoryEntry> m_entries;
    bool m_mayWrite = true;
    bool m_moveAsideFirst = false;
};

// The history file's content for some entries, and the entries of a content: nothing when it
// is not such a content.
QByteArray HistoryText(const QList<HistoryEntry> &entries);
std::optional<QList<HistoryEntry>> ParseHistoryText(const QByteArray &content);

// Up and Down through earlier expressions, as in a shell: Older from the text being typed
// goes to the newest entry, Newer past the newest brings that text back.
class ExpressionRecall
{
public:
    // Nothing when there is no older (newer) expression.
    std::optional<QString> Older(const QList<HistoryEntry> &entries, const QString &typed);
    std::optional<QString> Newer(const QList<HistoryEntry> &entries);
    // Back to the text being typed, after a computation or a change of the history.
    void Reset() { m_index = -1; }

private:
    int m_index = -1;
    QString m_typed;
};

} // namespace Eval
