#include "eval/calculationhistory.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace Eval {

namespace {

const QString ExpressionKey = QStringLiteral("expression");
const QString ResultKey = QStringLiteral("result");
const QString EntriesKey = QStringLiteral("entries");

} // namespace

QByteArray HistoryText(const QList<HistoryEntry> &entries)
{
    QJsonArray array;
    for (const HistoryEntry &entry : entries)
        array.append(QJsonObject{{ExpressionKey, entry.expression}, {ResultKey, entry.result}});
    return QJsonDocument(QJsonObject{{EntriesKey, array}}).toJson(QJsonDocument::Compact);
}

std::optional<QList<HistoryEntry>> ParseHistoryText(const QByteArray &content)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue array = document.object().value(EntriesKey);
    if (!array.isArray())
        return std::nullopt;
    QList<HistoryEntry> entries;
    for (const QJsonValue &item : array.toArray()) {
        const QJsonValue expression = item.toObject().value(ExpressionKey);
        const QJsonValue result = item.toObject().value(ResultKey);
        if (!expression.isString() || !result.isString())
            return std::nullopt;
        entries.append({expression.toString(), result.toString()});
    }
    return entries;
}

CalculationHistory::CalculationHistory(const QString &path)
    : m_path(path)
{
    if (!m_path.isEmpty())
        Load();
}

void CalculationHistory::Load()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_mayWrite = false;
        return;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_mayWrite = false;
        return;
    }
    std::optional<QList<HistoryEntry>> entries = ParseHistoryText(content);
    if (!entries) {
        m_moveAsideFirst = true;
        return;
    }
    m_entries = entries->mid(0, MaxEntries);
}

void CalculationHistory::Add(const HistoryEntry &entry)
{
    if (!m_entries.isEmpty() && m_entries.first() == entry)
        return;
    m_entries.prepend(entry);
    if (m_entries.size() > MaxEntries)
        m_entries.resize(MaxEntries);
    Save();
}

void CalculationHistory::Remove(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    Save();
}

void CalculationHistory::Clear()
{
    m_entries.clear();
    Save();
}

void CalculationHistory::Save()
{
    if (m_path.isEmpty() || !m_mayWrite)
        return;
    if (m_moveAsideFirst) {
        const QString aside = m_path + QStringLiteral(".bad");
        QFile::remove(aside);
        if (!QFile::rename(m_path, aside) && QFile::exists(m_path)) {
            m_mayWrite = false;
            return;
        }
        m_moveAsideFirst = false;
    }
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(HistoryText(m_entries));
        file.commit();
    }
}

std::optional<QString> ExpressionRecall::Older(const QList<HistoryEntry> &entries,
                                               const QString &typed)
{
    if (m_index + 1 >= entries.size())
        return std::nullopt;
    if (m_index < 0)
        m_typed = typed;
    return entries.at(++m_index).expression;
}

std::optional<QString> ExpressionRecall::Newer(const QList<HistoryEntry> &entries)
{
    if (m_index < 0)
        return std::nullopt;
    --m_index;
    if (m_index < 0 || m_index >= entries.size())
        return m_typed;
    return entries.at(m_index).expression;
}

} // namespace Eval
