#include "tools/arith/serieslogic.h"

#include "eval/bigint.h"
#include "eval/gbktext.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "tools/arith/divisors.h"

#include <cmath>
#include <limits>

using namespace Eval;

namespace Arith {

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

} // namespace

Outcome<RunningSeries> AcceptValue(RunningSeries series, const QString &value)
{
    if (value.isEmpty())
        return Refuse(QStringLiteral("请输入加数！"));
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

std::optional<QString> TextCutToLimit(const QString &text, int limit)
{
    if (TextLength(text) <= limit)
        return std::nullopt;
    return TextLeft(text, limit);
}

Outcome<QString> TriangularSumText(const QString &text)
{
    const double x = TextToNumber(text);
    if (!(std::fabs(x) < 1e9))
        return Refuse(SumTooLongMessage);
    const qint64 n = qint64(x);
    if (n < 1)
        return NumberToText(0.0 + x);
    if (double(n) == x)
        return WholeNumberToText(QString::number(n * (n + 1) / 2));
    // Below 10^8, as every fractional n of nine characters is, 1 + … + (n − 1) is exact in
    // a double; one rounding remains, as in the plain loop.
    return NumberToText(double(n * (n - 1) / 2) + x);
}

Outcome<QString> FactorialText(const QString &text)
{
    const Outcome<qint32> n = ReadWholeNumber(text);
    if (!n)
        return Refuse(n.refusal());
    double product = 1;
    // Past 170 the product is infinite and stays so; no need to walk to n.
    for (qint32 i = 1; i <= *n && std::isfinite(product); ++i)
        product *= i;
    return NumberToText(product);
}

QString ExactFactorialText(const QString &text)
{
    const Outcome<qint32> n = ReadWholeNumber(text);
    if (!n || *n > MaxExactFactorial)
        return QString();
    BigInteger product(1);
    for (long i = 2; i <= *n; ++i)
        product = product.Multiply(BigInteger(i));
    const QString digits = product.ToText();
    return digits == *FactorialText(text) ? QString() : digits;
}

} // namespace Arith
