#include "tools/arith/numberinfo.h"

#include "eval/gbktext.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"
#include "eval/tolerance.h"
#include "tools/arith/divisors.h"

#include <cmath>

using namespace Eval;

namespace Arith {

namespace {

// The integer-part rule without its 32-bit result, so that large whole numbers stay whole.
double WholePart(double value)
{
    double whole = std::trunc(value);
    if (std::fabs(value - whole) > 0.999999999999)
        whole += value > 0 ? 1 : -1;
    return whole;
}

QString SignLine(double value)
{
    if (value > 1e-7)
        return QStringLiteral("正数；\r\n");
    if (!NearlyZero(value))
        return QStringLiteral("负数；\r\n");
    return QStringLiteral("既不是正数也不是负数；\r\n");
}

QString DivisorLines(const std::vector<quint32> &divisors)
{
    QString lines;
    for (size_t i = 0; i < divisors.size(); ++i) {
        lines += QString::number(divisors[i]) + QLatin1String("  ");
        if (i % 5 == 4)
            lines += QLatin1String("\r\n");
    }
    return lines;
}

} // namespace

bool BreaksNumberInputRules(const QString &text)
{
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (text.size() > 1 && text.endsWith(QLatin1Char('-')))
        return true;
    if ((e >= 0 && e + 1 < text.size()) || text == QLatin1String("e"))
        return true;
    if (point < 0)
        return TextLength(text) > 9;
    return TextLength(text.left(point)) + 1 > 10 || text.indexOf(QLatin1Char('.'), point + 1) >= 0;
}

QString NumberReport(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return QString();
    const double value = TextToNumber(text);
    const double whole = WholePart(value);
    if (!std::isfinite(value) || !NearlyEqual(whole, value))
        return QStringLiteral("非整数\r\n") + SignLine(value);
    QString report = QStringLiteral("整数；\r\n");
    report += NearlyEqual(WholePart(value / 2) * 2, value) ? QStringLiteral("偶数；\r\n")
                                                           : QStringLiteral("奇数；\r\n");
    if (value - 10000000 >= -1e-7 || whole < -2147483648.0)
        return report;
    report += SignLine(value);
    if (NearlyEqual(value, 1) || NearlyEqual(value, -1))
        return report;
    const bool negative = value < -1e-7;
    // The textbook's 因数 of a number include the number itself.
    const std::vector<quint32> divisors = Divisors(quint32(std::abs(qint64(whole))));
    if (divisors.empty()) // zero
        return report;
    if (divisors.size() == 2)
        return report
                + (negative ? QStringLiteral("绝对值是质数；\r\n") : QStringLiteral("质数；\r\n"));
    report += negative ? QStringLiteral("绝对值是合数；\r\n") : QStringLiteral("合数；\r\n");
    report += negative ? QStringLiteral("绝对值的因数为：\r\n") : QStringLiteral("因数为：\r\n");
    return report + DivisorLines(divisors);
}

} // namespace Arith
