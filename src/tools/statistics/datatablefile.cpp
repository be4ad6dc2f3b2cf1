#include "tools/statistics/datatablefile.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace Statistics {

namespace {

const QByteArray FormatLine = QByteArrayLiteral("青枫计算器 数据统计 1");
const QByteArray OneVariableLine = QByteArrayLiteral("#单变量");
const QByteArray TwoVariablesLine = QByteArrayLiteral("#双变量");

QByteArray CellText(const DataTable &table, qsizetype row, int column)
{
    QString text = table.text(row, column);
    if (table.IsBad(row, column)) {
        text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        // A blank bad cell would read back as an empty one.
        if (text.trimmed().isEmpty())
            text = QStringLiteral("?");
    }
    return text.toUtf8();
}

void AppendTable(QByteArray &content, const QByteArray &heading, const DataTable &table)
{
    content += heading + '\n';
    for (qsizetype row = 0; row < table.rowCount(); ++row)
        content += CellText(table, row, 0) + '\t' + CellText(table, row, 1) + '\n';
}

} // namespace

QByteArray DataTablesText(const DataTables &tables)
{
    QByteArray content = FormatLine + '\n';
    AppendTable(content, OneVariableLine, tables.oneVariable);
    AppendTable(content, TwoVariablesLine, tables.twoVariables);
    return content;
}

std::optional<DataTables> ParseDataTablesText(const QByteArray &content)
{
    DataTables tables;
    DataTable *table = nullptr;
    qsizetype row = 0;
    qsizetype start = 0;
    bool first = true;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        const QByteArray line = content.mid(start, end - start);
        start = end + 1;
        if (first) {
            if (line != FormatLine)
                return std::nullopt;
            first = false;
        } else if (line == OneVariableLine || line == TwoVariablesLine) {
            table = line == OneVariableLine ? &tables.oneVariable : &tables.twoVariables;
            row = 0;
        } else {
            const qsizetype tab = line.indexOf('\t');
            if (!table || tab < 0 || line.indexOf('\t', tab + 1) >= 0 || row >= DataTable::MaxRows)
                return std::nullopt;
            table->SetCell(row, 0, QString::fromUtf8(line.left(tab)));
            table->SetCell(row, 1, QString::fromUtf8(line.mid(tab + 1)));
            ++row;
        }
    }
    if (first)
        return std::nullopt;
    return tables;
}

DataTablesFile::DataTablesFile(const QString &path)
    : m_path(path)
{ }

DataTables DataTablesFile::Load()
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        m_mayWrite = false;
        return {};
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_mayWrite = false;
        return {};
    }
    std::optional<DataTables> tables = ParseDataTablesText(content);
    if (!tables) {
        m_moveAsideFirst = true;
        return {};
    }
    return std::move(*tables);
}

bool DataTablesFile::Save(const DataTables &tables)
{
    if (m_path.isEmpty() || !m_mayWrite)
        return false;
    if (m_moveAsideFirst) {
        const QString aside = m_path + QStringLiteral(".bad");
        QFile::remove(aside);
        if (!QFile::rename(m_path, aside) && QFile::exists(m_path)) {
            m_mayWrite = false;
            return false;
        }
        m_moveAsideFirst = false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DataTablesText(tables));
    return file.commit();
}

} // namespace Statistics
