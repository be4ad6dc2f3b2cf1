#pragma once

#include "tools/statistics/accuratesum.h"
#include "ui/keepgoing.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace Statistics {

// "数据统计": the data a student types or pastes, as a table of rows with two cells each (a value
// and its 频数, or x and y). A cell is empty, a number, or text that is not a number, which is
// kept as typed so that the student sees and mends it.

// A cell's number as typed: a decimal with an optional sign, point and exponent, full-width
// forms and a leading "+" or a minus sign "−" read as their ASCII twins, blanks around it
// ignored. The decimal is kept to about 32 significant digits (hi + lo), so that "10000000.1"
// stays exactly a tenth above ten million where a double alone is 9e-10 off. Nothing for any
// other text, and for a number beyond the range of doubles.
std::optional<DoubleDouble> ReadDataNumber(QStringView text);

// The shortest text that reads back as the number's double, as a cell shows it ("0.1", "1e+20").
QString DataNumberText(double value);

// One column of cells; a number's hi is NaN in an empty or bad cell.
struct DataColumn
{
    std::vector<DoubleDouble> numbers;
    QHash<qsizetype, QString> badTexts; // by row
};

// Rows read from pasted text.
struct PastedData
{
    DataColumn columns[2];
    qsizetype rowCount = 0;
    int columnCount = 0; // 1 or 2: the most cells a row had, at most 2
    bool headerSkipped = false; // a first line of names ("x  y", "身高") was left out
    std::vector<qsizetype> widerRows; // rows (from 0) with more than two cells, the rest left out
    bool truncated = false; // more than MaxRows rows: the rest left out
};

class DataTable
{
public:
    static constexpr qsizetype MaxRows = 1000000;
    static constexpr int ColumnCount = 2;

    // Rows up to the last one holding anything.
    qsizetype rowCount() const { return m_rowCount; }
    bool IsEmpty(qsizetype row, int column) const;
    bool IsBad(qsizetype row, int column) const;
    // The cell's number; nothing for an empty or bad cell.
    std::optional<DoubleDouble> number(qsizetype row, int column) const;
    // What the cell shows: a number's text, a bad cell's own text, or nothing.
    QString text(qsizetype row, int column) const;

    // Reads the typed text into the cell (blank text empties it). False, and nothing changes,
    // for a row at or beyond MaxRows.
    bool SetCell(qsizetype row, int column, const QString &text);
    // The pasted cells over those from (row, column) on, as a spreadsheet pastes; rows that
    // would pass MaxRows are left out. The number of rows left out.
    qsizetype Paste(qsizetype row, int column, const PastedData &pasted);
    void RemoveRows(qsizetype first, qsizetype count);
    void Clear();

private:
    void Resize(qsizetype rows);
    void TrimEmptyRows();

    DataColumn m_columns[ColumnCount];
    qsizetype m_rowCount = 0;
};

// Reads pasted text or a text file: one row per line (blank lines skipped), cells separated
// by tabs, commas (also "，" and "、": a comma is never a decimal point here), semicolons, or,
// where a line has none of these, by blanks. Nothing when keepGoing stops it.
std::optional<PastedData> ParseDataText(const QString &text, const Ui::KeepGoing &keepGoing = {});

// "第12行", "第3、5、9行", "第3、5、9、12、20行等共87行", for rows counted from 0.
QString RowsText(const std::vector<qsizetype> &rows);

} // namespace Statistics
