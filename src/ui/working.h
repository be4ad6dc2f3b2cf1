#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Ui {

// Worked steps as plain data, built by a tool's logic and shown on request: a short-division
// ladder, a table with a header, or lines of text, in titled blocks.

// The short division of the textbooks: the numbers on the first row, each divisor left of its
// row, the quotients (or numbers brought down) below. rows.size() == divisors.size() + 1 and
// every row has the same number of cells. With remainders (dividing a number by a base), each
// stands right of the quotient it leaves: remainders[i] beside rows[i + 1].
struct ShortDivision
{
    QStringList divisors;
    QList<QStringList> rows;
    QStringList remainders;
};

struct WorkingBlock
{
    QString title; // may be empty
    std::optional<ShortDivision> ladder; // drawn above the rows
    QStringList header; // a table's header; empty for lines of text
    QList<QStringList> rows; // table rows, or lines of one cell each
};

using Working = QList<WorkingBlock>;

// The working as plain text with the same lines: a ladder as columns of digits with its
// brackets drawn in line characters, a table's cells separated by tabs.
QString WorkingText(const Working &working);

// Text of the school notation: digits as superscripts ("2³") and a base as a subscript ("₍₂₎").
QString Superscript(int number);
QString Subscript(int number);

} // namespace Ui
