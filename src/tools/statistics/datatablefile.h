#pragma once

#include "tools/statistics/datatable.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace Statistics {

// The two tables of "数据统计" (单变量 and 双变量), kept in a file beside the settings so that
// they survive closing the window.
struct DataTables
{
    DataTable oneVariable;
    DataTable twoVariables;
};

// The file's content: a first line naming the format, then each table under its own line
// ("#单变量", "#双变量"), one line per row with its two cells separated by a tab (a number in its
// shortest text, a bad cell's text with its tabs and line breaks made blanks, or nothing).
QByteArray DataTablesText(const DataTables &tables);
// The tables of a content; nothing when it is not such a content (or holds more rows than a
// table may).
std::optional<DataTables> ParseDataTablesText(const QByteArray &content);

// Reads and writes that file as the calculator's history does: each save writes it whole and
// atomically; a missing file starts empty tables; an unreadable one is left alone for the run
// (nothing is saved over it); a corrupt one starts empty tables and is moved aside to
// `path` + ".bad" before the first save.
class DataTablesFile
{
public:
    // An empty path keeps nothing.
    explicit DataTablesFile(const QString &path = QString());

    DataTables Load();
    bool Save(const DataTables &tables);

private:
    QString m_path;
    bool m_mayWrite = true;
    bool m_moveAsideFirst = false;
};

} // namespace Statistics
