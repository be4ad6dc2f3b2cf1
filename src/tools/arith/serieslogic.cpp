#include "serieslogic.h"

#include "eval/numbertext.h"

#include <cmath>
#include <limits>

namespace {

// The special values print as texts that the text-to-number rule reads as 1 or -1; a
// running result that became one of them must stay what it is.
double ReadShownResult(const QString &text)
{
    if (text == QLatin1String("1.#INF"))
        return std::numeric_limits<double>::infinity();
    if (text == QLatin1String("-1.#INF"))
        return -std::numeric_limits<double>::infinity();
    if (text == QLatin1String("-1.#IND"))
        return std::numeric_limits<double>::quiet_NaN();
    return TextToNumber(text);
}

constexpr qint64 DoubleExactBound = qint64(1) << 53;
constexpr int ShownDigits = 13;

} // namespace

RunningSeries AcceptValue(RunningSeries series, const QString &value)
{
    if (series.first) {
        series.sumWorking = value;
        series.productWorking = value;
        series.first = false;
    } else {
        series.sumWorking += QLatin1Char('+') + value;
        series.productWorking += QStringLiteral("×") + value;
    }
    const double number = TextToNumber(value);
    series.sum = NumberToText(ReadShownResult(series.sum) + number);
    series.product = series.product.isEmpty()
            ? value
            : NumberToText(ReadShownResult(series.product) * number);
    series.count = NumberToText(TextToNumber(series.count) + 1);
    return series;
}

QString ExactIntegerText(qint64 value)
{
    if (value >= -DoubleExactBound && value <= DoubleExactBound)
        return NumberToText(double(value));
    // Round once, half to even as the conversion does for exact values; the rounded value
    // is then so far from the next rounding boundary that the nearest double keeps it.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const int digits = QString::number(magnitude).size();
    quint64 unit = 1;
    for (int i = ShownDigits; i < digits; ++i)
        unit *= 10;
    quint64 kept = magnitude / unit;
    const quint64 rest = magnitude % unit;
    if (rest * 2 > unit || (rest * 2 == unit && kept % 2 == 1))
        ++kept;
    const double rounded = double(kept) * double(unit);
    return NumberToText(value < 0 ? -rounded : rounded);
}

std::optional<QString> TriangularSumText(const QString &text)
{
    const double x = TextToNumber(text);
    if (!(std::fabs(x) < 1e9))
        return std::nullopt;
    const qint64 n = qint64(x);
    if (n < 1)
        return NumberToText(0.0 + x);
    if (double(n) == x)
        return ExactIntegerText(n * (n + 1) / 2);
    // Below 10^8, as every fractional n of nine characters is, 1 + … + (n − 1) is exact in
    // a double; one rounding remains, as in the plain loop.
    return NumberToText(double(n * (n - 1) / 2) + x);
}

QString FactorialText(const QString &text)
{
    const qint32 n = TextToInteger(TextToNumber(text));
    double product = 1;
    // Past 170 the product is infinite and stays so; no need to walk to n.
    for (qint32 i = 1; i <= n && std::isfinite(product); ++i)
        product *= i;
    return NumberToText(product);
}
