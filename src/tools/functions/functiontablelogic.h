#pragma once

#include "ui/keepgoing.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// A function of x tabulated over an arithmetic sequence of x values given as texts: the first
// term, the last term (an upper bound) and the common difference.
namespace Functions::FunctionTable {

// The engine's result text of the expression at x: a number's text, "1.#INF", "-1.#INF",
// "-1.#IND", or the empty text on failure.
using ValueText = std::function<QString(double)>;

// The value cell of a result text: "错误" for a failure or an infinity, any other text (the
// not-a-number text included) as it is.
QString ValueCell(const QString &result);
// "f(-5)=25": what a click on a cell shows.
QString DetailText(const QString &x, const QString &cell);

struct Row
{
    QString x;
    QString value;
};

// The rows one at a time. x starts as the first term's text as typed (converted to its
// number-to-text form when it contains the letter x), and each next x is the number-to-text form
// of x plus the difference; the rows end once x exceeds the last term by more than 1e-7.
class Table
{
public:
    // None when the rows would never end: a difference that is 0, not a number, points away from
    // the last term, is too small to change x's text at either end of the range, or makes x
    // infinite. A first term beyond the last is not refused: it gives no row.
    static std::optional<Table> Start(const QString &first, const QString &last,
                                      const QString &difference);

    // IntegerPart((last − first) / difference) of the typed terms; 0 when negative.
    int progressMaximum() const { return m_progressMaximum; }
    // Whether the expression gives a value at the first and at the last term; one that fails
    // there (a syntax error, an unknown name) is refused with the notation hint.
    bool IsEvaluable(const QString &expression) const;

    // The next row, none once the table is complete. Where the difference stops moving x inside
    // the range after all, the table ends there.
    std::optional<Row> NextRow(const ValueText &f);
    // The rows that are left, each handed to `take`, asking keepGoing after each; false when it
    // said no.
    bool Finish(const ValueText &f, const std::function<void(const Row &)> &take,
                const Ui::KeepGoing &keepGoing);

private:
    Table() = default;

    QString m_x;
    double m_first = 0;
    double m_last = 0;
    double m_difference = 0;
    int m_progressMaximum = 0;
    bool m_complete = false;
};

} // namespace Functions::FunctionTable
