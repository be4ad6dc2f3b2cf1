#include "tools/arith/numberworking.h"

#include "eval/bigint.h"
#include "eval/halfwidth.h"
#include "eval/numberreading.h"
#include "eval/remainder.h"
#include "tools/arith/divisors.h"

#include <algorithm>
#include <numeric>
#include <vector>

using namespace Ui;
using namespace Eval;

namespace Arith {

namespace {

const QString Times = QStringLiteral("×");
// Below this, primes shared by numbers are found by counting; trial division goes this far.
constexpr quint64 SmallPrimeBound = 1000;

// Exact 64-bit modular arithmetic for the primality test and the factor search.
quint64 MultiplyMod(quint64 a, quint64 b, quint64 m)
{
    return quint64((unsigned __int128)a * b % m);
}

quint64 PowerMod(quint64 base, quint64 exponent, quint64 m)
{
    quint64 result = 1;
    base %= m;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1)
            result = MultiplyMod(result, base, m);
        base = MultiplyMod(base, base, m);
    }
    return result;
}

// Miller–Rabin with the bases that decide every 64-bit number.
bool IsPrime(quint64 n)
{
    if (n < 2)
        return false;
    for (quint64 p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37}) {
        if (n % p == 0)
            return n == p;
    }
    quint64 d = n - 1;
    int shifts = 0;
    for (; (d & 1) == 0; d >>= 1)
        ++shifts;
    for (quint64 a : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37}) {
        quint64 x = PowerMod(a, d, n);
        if (x == 1 || x == n - 1)
            continue;
        bool composite = true;
        for (int i = 1; i < shifts && composite; ++i) {
            x = MultiplyMod(x, x, n);
            composite = x != n - 1;
        }
        if (composite)
            return false;
    }
    return true;
}

// A factor of the composite n without small factors, by Pollard's rho.
quint64 SomeFactor(quint64 n)
{
    for (quint64 c = 1;; ++c) {
        quint64 x = 2, y = 2, d = 1;
        const auto step = [n, c](quint64 v) { return (MultiplyMod(v, v, n) + c) % n; };
        while (d == 1) {
            x = step(x);
            y = step(step(y));
            d = std::gcd(x > y ? x - y : y - x, n);
        }
        if (d != n)
            return d;
    }
}

quint64 SmallestOfLargeFactors(quint64 n)
{
    if (IsPrime(n))
        return n;
    const quint64 d = SomeFactor(n);
    return qMin(SmallestOfLargeFactors(d), SmallestOfLargeFactors(n / d));
}

QString Product(const QStringList &factors)
{
    return factors.join(Times);
}

// "2³×3²×5" from ascending factors.
QString PowerForm(const QStringList &factors)
{
    QStringList powers;
    for (qsizetype i = 0; i < factors.size();) {
        qsizetype j = i;
        while (j < factors.size() && factors[j] == factors[i])
            ++j;
        powers.append(j - i > 1 ? factors[i] + Superscript(int(j - i)) : factors[i]);
        i = j;
    }
    return powers.join(Times);
}

QList<QStringList> Lines(const QStringList &lines)
{
    QList<QStringList> rows;
    for (const QString &line : lines)
        rows.append({line});
    return rows;
}

QStringList NumberRow(const QList<quint64> &numbers)
{
    QStringList row;
    for (quint64 n : numbers)
        row.append(QString::number(n));
    return row;
}

int CountDivisible(const QList<quint64> &numbers, quint64 p)
{
    return int(
            std::count_if(numbers.begin(), numbers.end(), [p](quint64 n) { return n % p == 0; }));
}

const std::vector<quint64> &SmallPrimes()
{
    static const std::vector<quint64> primes = [] {
        std::vector<quint64> found;
        for (quint64 p = 2; p < SmallPrimeBound; ++p) {
            if (SmallestPrimeFactor(p) == p)
                found.push_back(p);
        }
        return found;
    }();
    return primes;
}

// The smallest prime that divides all the numbers; 0 when none does.
quint64 PrimeCommonToAll(const QList<quint64> &numbers)
{
    quint64 g = 0;
    for (quint64 n : numbers)
        g = std::gcd(g, n);
    return SmallestPrimeFactor(g);
}

// The smallest prime that divides two of the numbers, once no small prime does; 0 when none.
quint64 LargePrimeOfAPair(const QList<quint64> &numbers)
{
    quint64 best = 0;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        for (qsizetype j = i + 1; j < numbers.size(); ++j) {
            const quint64 p = SmallestPrimeFactor(std::gcd(numbers[i], numbers[j]));
            if (p != 0 && (best == 0 || p < best))
                best = p;
        }
    }
    return best;
}

// Divides the numbers by p where it goes, adding the row, while p divides at least `least`.
void DivideWhileShared(ShortDivision &ladder, QList<quint64> &numbers, quint64 p, int least)
{
    while (CountDivisible(numbers, p) >= least) {
        for (quint64 &n : numbers) {
            if (n % p == 0)
                n /= p;
        }
        ladder.divisors.append(QString::number(p));
        ladder.rows.append(NumberRow(numbers));
    }
}

// Euclid's divisions of the larger number by the smaller, "18=12×1+6", down to remainder 0.
QStringList EuclidDivisions(quint64 a, quint64 b)
{
    if (a < b)
        std::swap(a, b);
    QStringList lines;
    while (b != 0) {
        const quint64 q = a / b;
        const quint64 r = a % b;
        QString line = QStringLiteral("%1=%2×%3").arg(a).arg(b).arg(q);
        if (r != 0)
            line += QStringLiteral("+%1").arg(r);
        lines.append(line);
        a = b;
        b = r;
    }
    return lines;
}

// Two numbers: their divisions and "最大公因数=…". More: gcd(gcd(a, b), c) …, each pair named.
QStringList EuclidLines(const QList<quint64> &numbers)
{
    if (numbers.size() == 2) {
        return EuclidDivisions(numbers[0], numbers[1])
                << QStringLiteral("最大公因数=%1").arg(std::gcd(numbers[0], numbers[1]));
    }
    QStringList lines;
    quint64 divisor = numbers[0];
    QStringList named{QString::number(numbers[0])};
    for (qsizetype i = 1; i < numbers.size(); ++i) {
        const quint64 next = numbers[i];
        lines << QStringLiteral("%1求%2和%3的最大公因数：")
                         .arg(i == 1 ? "先" : "再")
                         .arg(divisor)
                         .arg(next)
              << EuclidDivisions(divisor, next);
        const quint64 pair = std::gcd(divisor, next);
        lines << QStringLiteral("%1和%2的最大公因数=%3").arg(divisor).arg(next).arg(pair);
        divisor = pair;
        named << QString::number(next);
    }
    return lines << QStringLiteral("所以%1的最大公因数=%2").arg(named.join(u'、')).arg(divisor);
}

using Wide = __int128;

QString WideText(Wide value)
{
    if (value == 0)
        return QStringLiteral("0");
    const bool negative = value < 0;
    unsigned __int128 rest = negative ? -(unsigned __int128)value : value;
    QString digits;
    for (; rest > 0; rest /= 10)
        digits.prepend(QChar(u'0' + int(rest % 10)));
    return negative ? QLatin1Char('-') + digits : digits;
}

Wide WideGcd(Wide a, Wide b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const Wide rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

// A number inside a sum or product: in brackets when negative.
QString Term(Wide value)
{
    return value < 0 ? QLatin1Char('(') + WideText(value) + QLatin1Char(')') : WideText(value);
}

QString FractionText(Wide numerator, Wide denominator)
{
    return WideText(numerator) + QLatin1Char('/') + WideText(denominator);
}

// A fraction after an operator: in brackets when negative.
QString FractionTerm(Wide numerator, Wide denominator)
{
    const QString text = FractionText(numerator, denominator);
    return numerator < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

const QString Digits = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString Expansion(const QString &digits, int base, const BigInteger &value)
{
    QStringList terms;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        terms.append(QString::number(Digits.indexOf(digits[i])) + Times + QString::number(base)
                     + Superscript(int(digits.size() - 1 - i)));
    }
    return digits + Subscript(base) + QLatin1Char('=') + terms.join(QLatin1Char('+'))
            + QLatin1Char('=') + value.ToText();
}

// Division by the base down to a quotient of 0, each remainder beside its quotient.
ShortDivision BaseLadder(BigInteger value, int base)
{
    const BigInteger divisor(base);
    ShortDivision ladder;
    ladder.rows.append({value.ToText()});
    while (value.Sign() > 0) {
        const int r = int(value.Remainder(divisor)->ToText().toInt());
        value = *value.Quotient(divisor);
        ladder.divisors.append(QString::number(base));
        ladder.rows.append({value.ToText()});
        ladder.remainders.append(r < 10 ? QString::number(r)
                                        : QStringLiteral("%1(%2)").arg(r).arg(Digits[r]));
    }
    return ladder;
}

} // namespace

quint64 SmallestPrimeFactor(quint64 n)
{
    if (n < 2)
        return 0;
    for (quint64 p = 2; p < SmallPrimeBound && p * p <= n; ++p) {
        if (n % p == 0)
            return p;
    }
    return n < SmallPrimeBound * SmallPrimeBound ? n : SmallestOfLargeFactors(n);
}

Working PrimeFactorizationWorking(const QString &text)
{
    const Outcome<qint32> number = ReadWholeNumber(text);
    if (!number)
        return {};
    const quint32 magnitude = quint32(std::abs(qint64(*number)));
    if (magnitude < 2) {
        const QString why = magnitude == 0 ? QStringLiteral("0不能分解质因数")
                                           : QStringLiteral("1既不是质数也不是合数，不能分解");
        return {{QString(),
                 std::nullopt,
                 {},
                 Lines({*number < 0 ? QStringLiteral("-1=-(1)，") + why : why})}};
    }
    ShortDivision ladder;
    QStringList factors;
    quint32 n = magnitude;
    ladder.rows.append({QString::number(n)});
    const std::vector<quint32> primes = PrimeFactors(n);
    for (size_t i = 0; i < primes.size(); ++i) {
        factors.append(QString::number(primes[i]));
        if (i + 1 == primes.size())
            break;
        n /= primes[i];
        ladder.divisors.append(factors.last());
        ladder.rows.append({QString::number(n)});
    }
    QStringList lines{QString::number(magnitude) + QLatin1Char('=') + Product(factors)};
    if (PowerForm(factors) != Product(factors))
        lines.append(QLatin1Char('=') + PowerForm(factors));
    Working working{{QStringLiteral("短除法"), ladder, {}, Lines(lines)}};
    // A negative number is minus its absolute value's factors.
    if (*number < 0) {
        working.prepend({QString(),
                         std::nullopt,
                         {},
                         Lines({QStringLiteral("负数先取绝对值：%1=-(%2)")
                                        .arg(*number)
                                        .arg(PowerForm(factors))})});
    }
    return working;
}

ShortDivision CommonDivisionLadder(const QList<quint64> &numbers, int *commonRows)
{
    ShortDivision ladder;
    QList<quint64> row = numbers;
    ladder.rows.append(NumberRow(row));
    const int all = int(row.size());
    for (quint64 p; (p = PrimeCommonToAll(row)) != 0;)
        DivideWhileShared(ladder, row, p, all);
    if (commonRows)
        *commonRows = int(ladder.divisors.size());
    if (all < 3)
        return ladder;
    // Dividing never makes a prime shared again once it no longer is: one pass in ascending
    // order takes the small ones.
    for (quint64 p : SmallPrimes())
        DivideWhileShared(ladder, row, p, 2);
    for (quint64 p; (p = LargePrimeOfAPair(row)) != 0;)
        DivideWhileShared(ladder, row, p, 2);
    return ladder;
}

Working DivisorMultipleWorking(const QList<quint64> &numbers)
{
    if (numbers.size() < 2 || numbers.contains(0))
        return {};
    int commonRows = 0;
    const ShortDivision ladder = CommonDivisionLadder(numbers, &commonRows);
    const QStringList common = ladder.divisors.mid(0, commonRows);
    BigInteger divisor(1);
    for (const QString &p : common)
        divisor = divisor.Multiply(*BigInteger::FromDigits(p));
    QStringList all = ladder.divisors + ladder.rows.last();
    BigInteger multiple(1);
    for (const QString &p : all)
        multiple = multiple.Multiply(*BigInteger::FromDigits(p));
    const QString gcdLine = common.isEmpty() ? QStringLiteral("最大公因数=1")
            : common.size() == 1
            ? QStringLiteral("最大公因数=") + common.first()
            : QStringLiteral("最大公因数=") + Product(common) + QLatin1Char('=') + divisor.ToText();
    const QString lcmLine
            = QStringLiteral("最小公倍数=") + Product(all) + QLatin1Char('=') + multiple.ToText();
    return {{QStringLiteral("短除法"), ladder, {}, Lines({gcdLine, lcmLine})},
            {QStringLiteral("辗转相除法"), std::nullopt, {}, Lines(EuclidLines(numbers))}};
}

Working BaseConversionWorking(const QString &text, int fromBase, int toBase)
{
    if (fromBase == toBase || fromBase < 2 || fromBase > 36 || toBase < 2 || toBase > 36)
        return {};
    if (text.isEmpty())
        return {};
    // Counted before the text is read, so that a long number costs nothing to refuse.
    if (text.size() > MaxWorkingDigits) {
        return {{QString(),
                 std::nullopt,
                 {},
                 Lines({QStringLiteral("数字超过%1位，不显示解题过程").arg(MaxWorkingDigits)})}};
    }
    const QString digits = ToHalfWidth(text).toUpper();
    for (const QChar c : digits) {
        const qsizetype value = Digits.indexOf(c);
        if (value < 0 || value >= fromBase)
            return {};
    }
    if (digits.size() > MaxWorkingDigits) {
        return {{QString(),
                 std::nullopt,
                 {},
                 Lines({QStringLiteral("数字超过%1位，不显示解题过程").arg(MaxWorkingDigits)})}};
    }
    const BigInteger value = *BigInteger::FromDigits(digits, fromBase);
    Working working;
    if (fromBase != 10)
        working.append({QStringLiteral("按权展开"),
                        std::nullopt,
                        {},
                        Lines({Expansion(digits, fromBase, value)})});
    if (toBase != 10) {
        const QString result = value.ToText(toBase);
        QStringList lines{QStringLiteral("余数倒序排列：") + result,
                          value.ToText() + Subscript(10) + QLatin1Char('=') + result
                                  + Subscript(toBase)};
        if (fromBase != 10)
            lines.append(digits + Subscript(fromBase) + QLatin1Char('=') + result
                         + Subscript(toBase));
        working.append({QStringLiteral("除%1取余法").arg(toBase),
                        BaseLadder(value, toBase),
                        {},
                        Lines(lines)});
    }
    return working;
}

Working FractionWorking(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2)
{
    if (q1 == 0 || q2 == 0 || (op == FractionOperator::Divide && p2 == 0))
        return {};
    // The sign of a term belongs to its numerator.
    const Wide a = q1 < 0 ? -Wide(p1) : Wide(p1);
    const Wide b = q1 < 0 ? -Wide(q1) : Wide(q1);
    const Wide c = q2 < 0 ? -Wide(p2) : Wide(p2);
    const Wide d = q2 < 0 ? -Wide(q2) : Wide(q2);
    static const QString Signs[]
            = {QStringLiteral("+"), QStringLiteral("-"), Times, QStringLiteral("÷")};
    const QString sign = Signs[int(op)];
    QStringList lines{FractionText(a, b) + sign + FractionTerm(c, d)};
    Wide numerator = 0;
    Wide denominator = 0;
    if (op == FractionOperator::Add || op == FractionOperator::Subtract) {
        denominator = b / WideGcd(b, d) * d;
        const Wide left = a * (denominator / b);
        const Wide right = c * (denominator / d);
        numerator = op == FractionOperator::Add ? left + right : left - right;
        if (b != d) {
            lines.append(QStringLiteral("通分：%1和%2的最小公倍数是%3")
                                 .arg(WideText(b), WideText(d), WideText(denominator)));
            lines.append(QLatin1Char('=') + FractionText(left, denominator) + sign
                         + FractionTerm(right, denominator));
        }
        lines.append(QStringLiteral("=(%1%2%3)/%4")
                             .arg(WideText(left), sign, Term(right), WideText(denominator)));
    } else {
        Wide e = c;
        Wide f = d;
        if (op == FractionOperator::Divide) {
            // Dividing is multiplying by the reciprocal, its sign again on the numerator.
            e = c < 0 ? -d : d;
            f = c < 0 ? -c : c;
            lines.append(QLatin1Char('=') + FractionText(a, b) + Times + FractionTerm(e, f));
        }
        numerator = a * e;
        denominator = b * f;
        lines.append(QStringLiteral("=(%1×%2)/(%3×%4)")
                             .arg(WideText(a), Term(e), WideText(b), WideText(f)));
    }
    lines.append(QLatin1Char('=') + FractionText(numerator, denominator));
    const Wide g = WideGcd(numerator, denominator);
    if (g > 1) {
        numerator /= g;
        denominator /= g;
        lines.append(QStringLiteral("约分：分子和分母同除以最大公因数%1").arg(WideText(g)));
        lines.append(
                QLatin1Char('=')
                + (denominator == 1 ? WideText(numerator) : FractionText(numerator, denominator)));
    }
    const Wide whole = numerator / denominator;
    if (denominator != 1 && whole != 0) {
        const Wide rest = numerator % denominator;
        lines.append(QStringLiteral("=%1又%2/%3")
                             .arg(WideText(whole), WideText(rest < 0 ? -rest : rest),
                                  WideText(denominator)));
    }
    return {{QString(), std::nullopt, {}, Lines(lines)}};
}

Working FractionWorking(const FractionTexts &texts, FractionOperator op)
{
    const auto p1 = ReadWholeNumber(texts.p1), q1 = ReadWholeNumber(texts.q1);
    const auto p2 = ReadWholeNumber(texts.p2), q2 = ReadWholeNumber(texts.q2);
    if (!p1 || !q1 || !p2 || !q2)
        return Working();
    return FractionWorking(*p1, *q1, op, *p2, *q2);
}

} // namespace Arith
