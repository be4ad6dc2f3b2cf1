#include "tools/functions/functiontablelogic.h"

#include "eval/expression.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <algorithm>
#include <cmath>

using namespace Ui;
using namespace Eval;

namespace Functions::FunctionTable {

namespace {

constexpr double Tolerance = 1e-7;

// x as the next row shows it, read back as a number.
double Advanced(double x, double difference)
{
    return TextToNumber(NumberToText(x + difference));
}

bool Moves(double x, double difference)
{
    const double next = Advanced(x, difference);
    return std::isfinite(next) && next > x;
}

bool IsPastLast(double x, double last)
{
    return x - last > Tolerance;
}

} // namespace

QString ValueCell(const QString &result)
{
    if (IsFailureOrInfinity(result))
        return QStringLiteral("错误");
    return result;
}

QString DetailText(const QString &x, const QString &cell)
{
    return QStringLiteral("f(") + x + QStringLiteral(")=") + cell;
}

std::optional<Table> Table::Start(const QString &first, const QString &last,
                                  const QString &difference)
{
    Table table;
    // Put into the expression, a first term holding an x would never run out of x.
    table.m_x = first.contains(QLatin1Char('x'), Qt::CaseInsensitive)
            ? NumberToText(TextToNumber(first))
            : first;
    table.m_first = TextToNumber(table.m_x);
    table.m_last = TextToNumber(last);
    table.m_difference = TextToNumber(difference);
    const double quotient = (table.m_last - TextToNumber(first)) / table.m_difference;
    table.m_progressMaximum = std::max(0, IntegerPart(quotient));

    const double x = TextToNumber(table.m_x);
    if (IsPastLast(x, table.m_last))
        return table;
    // The spacing of x's texts grows with |x|: at neither end may the difference be lost.
    const double d = table.m_difference;
    if (!std::isfinite(x) || !std::isfinite(table.m_last) || !(d > 0) || !Moves(x, d)
        || !Moves(table.m_last, d))
        return std::nullopt;
    return table;
}

bool Table::IsEvaluable(const QString &expression) const
{
    // A table without rows has nothing to refuse.
    return IsPastLast(m_first, m_last) || IsEvaluableOn(expression, m_first, m_last);
}

std::optional<Row> Table::NextRow(const ValueText &f)
{
    const double x = TextToNumber(m_x);
    if (m_complete || IsPastLast(x, m_last))
        return std::nullopt;
    Row row{m_x, ValueCell(f(x))};
    const double next = x + m_difference;
    m_complete = !Moves(x, m_difference);
    m_x = NumberToText(next);
    return row;
}

bool Table::Finish(const ValueText &f, const std::function<void(const Row &)> &take,
                   const KeepGoing &keepGoing)
{
    while (const std::optional<Row> row = NextRow(f)) {
        take(*row);
        if (!GoOn(keepGoing))
            return false;
    }
    return true;
}

} // namespace Functions::FunctionTable
