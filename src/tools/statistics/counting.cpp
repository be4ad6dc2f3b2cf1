#include "tools/statistics/counting.h"

#include "eval/bigint.h"
#include "tools/statistics/distributionvalue.h"
#include "tools/statistics/probabilityinputs.h"

#include <cmath>
#include <optional>

using namespace Eval;

namespace Statistics {

namespace {

struct CountingInputs
{
    long long n = 0;
    std::optional<long long> m;
};

Outcome<CountingInputs> ReadCounting(const QString &nText, const QString &mText)
{
    const Outcome<long long> n = ReadWholeInput(nText, QStringLiteral("n"), 0, MaxCountingN);
    if (!n)
        return Refuse(n.refusal());
    if (mText.trimmed().isEmpty())
        return CountingInputs{*n, std::nullopt};
    const Outcome<long long> m = ReadWholeInput(mText, QStringLiteral("m"), 0, MaxCountingN);
    if (!m)
        return Refuse(m.refusal());
    return CountingInputs{*n, *m};
}

double Log10Factorial(long long n)
{
    return std::lgamma(double(n) + 1) / std::log(10.0);
}

// The digits a number of that common logarithm has, with room for the estimate's error.
bool Fits(double log10)
{
    return log10 < double(MaxCountingDigits) - 1;
}

QString TooLongText(const QString &what)
{
    return QStringLiteral("%1超过%2位，请取小一些的数").arg(what).arg(MaxCountingDigits);
}

BigInteger Arrangements(long long n, long long m)
{
    return BigInteger::Binomial(n, m).Multiply(BigInteger::Factorial(m));
}

Ui::NamedValue Whole(const QString &name, const BigInteger &value)
{
    const QString digits = value.ToText();
    return {name, digits, ShownWholeNumber(digits)};
}

Ui::NamedValue NoneTaken(const QString &name)
{
    return {name, QStringLiteral("0"), QStringLiteral("0（m＞n：n个元素中取不出m个）")};
}

// "10×9×8", or "100×99×98×…×51" where there are many factors.
QString Factors(long long from, long long count)
{
    QStringList factors;
    if (count <= 6) {
        for (long long i = 0; i < count; ++i)
            factors << QString::number(from - i);
    } else {
        factors << QString::number(from) << QString::number(from - 1) << QString::number(from - 2)
                << QStringLiteral("…") << QString::number(from - count + 1);
    }
    return factors.join(u'×');
}

QString Symbol(const QString &letter, long long n, long long m)
{
    return letter + SubscriptDigits(n) + Ui::Superscript(int(m));
}

QString ArrangementLine(long long n, long long m)
{
    const QString symbol = Symbol(QStringLiteral("A"), n, m);
    const QString value = ShownWholeNumber(Arrangements(n, m));
    if (m <= 1)
        return symbol + QStringLiteral(" = ") + value;
    return symbol + QStringLiteral(" = ") + Factors(n, m) + QStringLiteral(" = ") + value;
}

QString CombinationLine(long long n, long long m)
{
    QString line = Symbol(QStringLiteral("C"), n, m);
    const long long fewer = std::min(m, n - m); // C(n, m) = C(n, n − m)
    if (fewer != m)
        line += QStringLiteral(" = ") + Symbol(QStringLiteral("C"), n, fewer);
    const QString value = ShownWholeNumber(BigInteger::Binomial(n, fewer));
    if (fewer >= 2)
        line += QStringLiteral(" = %1/%2! = %3/%4")
                        .arg(Symbol(QStringLiteral("A"), n, fewer))
                        .arg(fewer)
                        .arg(ShownWholeNumber(Arrangements(n, fewer)),
                             ShownWholeNumber(BigInteger::Factorial(fewer)));
    return line + QStringLiteral(" = ") + value;
}

QString FactorialLine(long long n)
{
    const QString value = ShownWholeNumber(BigInteger::Factorial(n));
    if (n <= 1)
        return QStringLiteral("%1! = %2").arg(n).arg(value);
    return QStringLiteral("%1! = %2 = %3").arg(n).arg(Factors(n, n), value);
}

Ui::WorkingBlock Lines(const QString &title, const QString &line)
{
    return {title, std::nullopt, {}, {{line}}};
}

} // namespace

Outcome<Ui::NamedValues> CountArrangements(const QString &nText, const QString &mText)
{
    const Outcome<CountingInputs> inputs = ReadCounting(nText, mText);
    if (!inputs)
        return Refuse(inputs.refusal());
    const long long n = inputs->n;
    Ui::NamedValues values;
    if (const std::optional<long long> m = inputs->m) {
        if (*m > n) {
            values << NoneTaken(QStringLiteral("A")) << NoneTaken(QStringLiteral("C"));
        } else {
            const double arrangements = Log10Factorial(n) - Log10Factorial(n - *m);
            const double combinations = arrangements - Log10Factorial(*m);
            values << (Fits(arrangements)
                               ? Whole(QStringLiteral("A"), Arrangements(n, *m))
                               : Ui::NamedValue{QStringLiteral("A"), TooLongText("A"), {}, true});
            values << (Fits(combinations)
                               ? Whole(QStringLiteral("C"), BigInteger::Binomial(n, *m))
                               : Ui::NamedValue{QStringLiteral("C"), TooLongText("C"), {}, true});
        }
    }
    values << (Fits(Log10Factorial(n))
                       ? Whole(QStringLiteral("n!"), BigInteger::Factorial(n))
                       : Ui::NamedValue{QStringLiteral("n!"), TooLongText("n!"), {}, true});
    return values;
}

Ui::Working CountingWorking(const QString &nText, const QString &mText)
{
    const Outcome<CountingInputs> inputs = ReadCounting(nText, mText);
    if (!inputs)
        return {};
    const long long n = inputs->n;
    Ui::Working working;
    if (const std::optional<long long> m = inputs->m; m && *m <= n) {
        const double arrangements = Log10Factorial(n) - Log10Factorial(n - *m);
        if (Fits(arrangements)) {
            working << Lines(QStringLiteral("排列数 A(n, m) = n(n−1)…(n−m+1)"),
                             ArrangementLine(n, *m));
            working << Lines(QStringLiteral("组合数 C(n, m) = A(n, m)/m!"), CombinationLine(n, *m));
        }
    }
    if (Fits(Log10Factorial(n)))
        working << Lines(QStringLiteral("阶乘 n! = n(n−1)…2×1"), FactorialLine(n));
    return working;
}

Outcome<QList<QStringList>> PascalTriangle(const QString &lastRowText)
{
    const Outcome<long long> last
            = ReadWholeInput(lastRowText, QStringLiteral("行数"), 0, MaxPascalRow);
    if (!last)
        return Refuse(last.refusal());
    QList<QStringList> rows;
    std::vector<long long> row{1};
    for (long long r = 0;; ++r) {
        QStringList texts;
        for (long long value : row)
            texts << QString::number(value);
        rows << texts;
        if (r == *last)
            return rows;
        std::vector<long long> next(row.size() + 1, 1);
        for (size_t i = 1; i < row.size(); ++i)
            next[i] = row[i - 1] + row[i];
        row = std::move(next);
    }
}

} // namespace Statistics
