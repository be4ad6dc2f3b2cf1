#include "tools/functions/lineardiophantinelogic.h"

#include "eval/bigint.h"
#include "eval/halfwidth.h"
#include "eval/remainder.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <limits>
#include <utility>
#include <vector>

using namespace Eval;

namespace Functions {

namespace {

const QString LineBreak = QStringLiteral("\r\n");
const QString NoSolution = QStringLiteral("无整数解");
const QString NoNonNegative = QStringLiteral("没有非负整数解");

// Built from the digits, so that it does not depend on how wide `long` is.
BigInteger Integer(qint64 value)
{
    return *BigInteger::FromDigits(QString::number(value));
}

BigInteger Negated(const BigInteger &value)
{
    return BigInteger().Subtract(value);
}

BigInteger Absolute(const BigInteger &value)
{
    return value.Sign() < 0 ? Negated(value) : value;
}

// The divisor is never zero where these are used.
BigInteger Quotient(const BigInteger &dividend, const BigInteger &divisor)
{
    return *dividend.Quotient(divisor);
}

BigInteger FloorQuotient(const BigInteger &dividend, const BigInteger &divisor)
{
    return Quotient(dividend.Subtract(*dividend.Remainder(divisor)), divisor);
}

BigInteger CeilingQuotient(const BigInteger &dividend, const BigInteger &divisor)
{
    return Negated(FloorQuotient(Negated(dividend), divisor));
}

bool Divides(const BigInteger &divisor, const BigInteger &dividend)
{
    return dividend.Remainder(divisor)->Sign() == 0;
}

QString Text(const BigInteger &value)
{
    return value.ToText();
}

// A number that follows "×": a negative one in parentheses.
QString Factor(const BigInteger &value)
{
    return value.Sign() < 0 ? QLatin1Char('(') + Text(value) + QLatin1Char(')') : Text(value);
}

// A term: coefficient times what it multiplies (empty for a constant).
using Term = std::pair<BigInteger, QString>;

// The terms written with their signs simplified: "3 - 5t", "-x + y", "4 × 54 - 198". `times`
// joins a coefficient to what it multiplies ("" for algebra, " × " for arithmetic); a
// coefficient 1 is left out, a zero term too, and nothing but zeros reads "0".
QString Sum(const std::vector<Term> &terms, const QString &times = QString())
{
    QString text;
    for (const auto &[coefficient, what] : terms) {
        if (coefficient.Sign() == 0)
            continue;
        const BigInteger size = Absolute(coefficient);
        const bool negative = coefficient.Sign() < 0;
        if (text.isEmpty())
            text = negative ? QStringLiteral("-") : QString();
        else
            text += negative ? QStringLiteral(" - ") : QStringLiteral(" + ");
        if (what.isEmpty())
            text += Text(size);
        else if (size == BigInteger(1))
            text += what;
        else
            text += Text(size) + times + what;
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

// One line of the division chain: dividend = quotient × divisor + remainder.
struct Division
{
    BigInteger dividend, quotient, divisor, remainder;
};

QString DivisionText(const Division &step)
{
    return QStringLiteral("%1 = %2 × %3 + %4")
            .arg(Text(step.dividend), Text(step.quotient), Text(step.divisor),
                 Text(step.remainder));
}

// The Euclidean algorithm on larger >= smaller > 0, down to the remainder 0. For 64-bit
// inputs it takes at most about 90 divisions (consecutive Fibonacci numbers are the worst).
std::vector<Division> DivisionChain(BigInteger larger, BigInteger smaller)
{
    std::vector<Division> chain;
    while (smaller.Sign() != 0) {
        Division step{larger, Quotient(larger, smaller), smaller, *larger.Remainder(smaller)};
        larger = std::move(smaller);
        smaller = step.remainder;
        chain.push_back(std::move(step));
    }
    return chain;
}

// d as u × larger + v × smaller of the chain's first line, written out by substituting the
// remainders back from the last line upward. The numbers of the chain are r0 = larger,
// r1 = smaller and r(i+2) = the remainder of line i; each step replaces the smaller number
// r(i+2) of the current combination by r(i) - q(i) × r(i+1) and collects the terms, keeping
// each term in its place as one does on paper.
std::pair<BigInteger, BigInteger> BackSubstitute(const std::vector<Division> &chain,
                                                 QStringList &lines)
{
    const int n = int(chain.size());
    if (n == 1) // the smaller number divides the larger: it is d itself
        return {BigInteger(), BigInteger(1)};
    auto number = [&](int i) { return i < n ? chain[i].dividend : chain[n - 1].divisor; };
    std::array<int, 2> index{n - 2, n - 1};
    std::array<BigInteger, 2> coefficient{BigInteger(1), Negated(chain[n - 2].quotient)};
    auto combination = [&](int replaced, const QString &replacement) {
        std::vector<Term> terms;
        for (int slot : {0, 1})
            terms.push_back({coefficient[slot],
                             slot == replaced ? replacement : Text(number(index[slot]))});
        return Sum(terms, QStringLiteral(" × "));
    };

    lines << Text(chain[n - 2].remainder) + QStringLiteral(" = ") + combination(-1, QString());
    const QString continued = QStringLiteral("    = ");
    for (int i = n - 3; i >= 0; --i) {
        const int smaller = index[0] > index[1] ? 0 : 1;
        const int other = 1 - smaller;
        const QString expansion = QLatin1Char('(')
                + Sum({{BigInteger(1), Text(chain[i].dividend)},
                       {Negated(chain[i].quotient), Text(chain[i].divisor)}},
                      QStringLiteral(" × "))
                + QLatin1Char(')');
        lines << continued + combination(smaller, expansion);
        coefficient[other]
                = coefficient[other].Subtract(coefficient[smaller].Multiply(chain[i].quotient));
        index[smaller] = i;
        lines << continued + combination(-1, QString());
    }
    return index[0] == 0 ? std::pair{coefficient[0], coefficient[1]}
                         : std::pair{coefficient[1], coefficient[0]};
}

QString EquationText(const BigInteger &a, const BigInteger &b, const BigInteger &c)
{
    return QStringLiteral("方程：") + Sum({{a, QStringLiteral("x")}, {b, QStringLiteral("y")}})
            + QStringLiteral(" = ") + Text(c);
}

// Adds the line on whether d divides c; true when it does.
bool AddSolvability(const BigInteger &d, const BigInteger &c, QStringList &lines)
{
    const bool solvable = Divides(d, c);
    lines << (solvable ? QStringLiteral("因为%1能整除%2，所以方程有整数解。")
                       : QStringLiteral("因为%1不能整除%2，所以方程无整数解。"))
                     .arg(Text(d), Text(c));
    return solvable;
}

QString GcdLine(const BigInteger &a, const BigInteger &b, const BigInteger &d)
{
    return QStringLiteral("d = (%1, %2) = %3").arg(Text(Absolute(a)), Text(Absolute(b)), Text(d));
}

DiophantineTexts BothZero(const BigInteger &c, QStringList &lines)
{
    if (c.Sign() != 0) {
        lines << QStringLiteral("a = b = 0，左边恒为0，而c = %1不为0，所以方程无整数解。")
                         .arg(Text(c));
        return {lines.join(LineBreak), NoSolution, NoNonNegative, QString()};
    }
    lines << QStringLiteral("a = b = 0且c = 0，任意一对整数x、y都是解。");
    return {lines.join(LineBreak), QStringLiteral("x = s\r\ny = t\r\n（s、t为任意整数）"),
            QStringLiteral("有无穷多组（x、y为任意非负整数）"), QString()};
}

// k v = c with the other unknown w free (its coefficient is 0).
DiophantineTexts OneZero(const BigInteger &a, const BigInteger &b, const BigInteger &c,
                         QStringList &lines)
{
    const bool xFixed = b.Sign() == 0;
    const BigInteger &k = xFixed ? a : b;
    const QString v = xFixed ? QStringLiteral("x") : QStringLiteral("y");
    const QString w = xFixed ? QStringLiteral("y") : QStringLiteral("x");
    const BigInteger d = Absolute(k);
    lines << GcdLine(a, b, d);
    if (!AddSolvability(d, c, lines))
        return {lines.join(LineBreak), NoSolution, NoNonNegative, QString()};
    const BigInteger value = Quotient(c, k);
    lines << QStringLiteral("%1 = %2 ÷ %3 = %4，%5可取任意整数。")
                     .arg(v, Text(c), Factor(k), Text(value), w);
    const QString fixed = v + QStringLiteral(" = ") + Text(value);
    const QString free = w + QStringLiteral(" = t");
    QStringList general = xFixed ? QStringList{fixed, free} : QStringList{free, fixed};
    general << QStringLiteral("（t为任意整数）");
    const QString count = value.Sign() < 0
            ? QStringLiteral("没有非负整数解（%1 = %2是负数）").arg(v, Text(value))
            : QStringLiteral("有无穷多组（%1 = %2，%3为任意非负整数）").arg(v, Text(value), w);
    return {lines.join(LineBreak), general.join(LineBreak), count, QString()};
}

// The non-negative solutions of x = x0 + B t, y = y0 - A t when A and B have the same sign:
// counted by the bounds on t, listed from the smallest x up.
void AddNonNegative(const BigInteger &x0, const BigInteger &y0, const BigInteger &A,
                    const BigInteger &B, DiophantineTexts &texts)
{
    // With both negative, t runs the other way: x = x0 + |B| s, y = y0 - |A| s, s = -t.
    const BigInteger stepX = Absolute(B);
    const BigInteger stepY = Absolute(A);
    const BigInteger first = CeilingQuotient(Negated(x0), stepX); // x >= 0 from here on
    const BigInteger last = FloorQuotient(y0, stepY); // y >= 0 up to here
    const BigInteger count = last.Subtract(first).Add(BigInteger(1));
    if (count.Sign() <= 0) {
        texts.nonNegativeCount = NoNonNegative;
        return;
    }
    const BigInteger limit(NonNegativeListLimit);
    const bool cut = limit < count;
    texts.nonNegativeCount = cut
            ? QStringLiteral("共%1组，下面列出前%2组").arg(Text(count)).arg(NonNegativeListLimit)
            : QStringLiteral("共%1组").arg(Text(count));
    QStringList list;
    BigInteger x = x0.Add(stepX.Multiply(first));
    BigInteger y = y0.Subtract(stepY.Multiply(first));
    for (int i = 0; i < NonNegativeListLimit && BigInteger(i) < count; ++i) {
        list << QStringLiteral("x = %1，y = %2").arg(Text(x), Text(y));
        x = x.Add(stepX);
        y = y.Subtract(stepY);
    }
    if (cut)
        list << QStringLiteral("……（其余%1组未列出）").arg(Text(count.Subtract(limit)));
    texts.nonNegativeList = list.join(LineBreak);
}

DiophantineTexts BothNonZero(const BigInteger &a, const BigInteger &b, const BigInteger &c,
                             QStringList &lines)
{
    // The chain starts from the larger of |a| and |b|, from |a| when they are equal.
    const bool aFirst = !(Absolute(a) < Absolute(b));
    const std::vector<Division> chain = aFirst ? DivisionChain(Absolute(a), Absolute(b))
                                               : DivisionChain(Absolute(b), Absolute(a));
    lines << QStringLiteral("辗转相除：");
    for (const Division &step : chain)
        lines << DivisionText(step);
    const BigInteger d = chain.back().divisor;
    lines << GcdLine(a, b, d);
    if (!AddSolvability(d, c, lines))
        return {lines.join(LineBreak), NoSolution, NoNonNegative, QString()};

    BigInteger x0, y0;
    if (c.Sign() == 0) {
        lines << QStringLiteral("c = 0，特解：x0 = 0，y0 = 0");
    } else {
        QStringList substitution;
        auto [ofLarger, ofSmaller] = BackSubstitute(chain, substitution);
        if (!substitution.isEmpty())
            lines << QStringLiteral("回代：") << substitution;
        // The chain works on |a| and |b|; the signs of a and b go to the unknowns.
        const BigInteger x1 = a.Sign() < 0 ? Negated(aFirst ? ofLarger : ofSmaller)
                                           : (aFirst ? ofLarger : ofSmaller);
        const BigInteger y1 = b.Sign() < 0 ? Negated(aFirst ? ofSmaller : ofLarger)
                                           : (aFirst ? ofSmaller : ofLarger);
        lines << QStringLiteral("即：%1 × %2 + %3 × %4 = %5")
                         .arg(Text(a), Factor(x1), Factor(b), Factor(y1), Text(d));
        const BigInteger scale = Quotient(c, d);
        x0 = x1.Multiply(scale);
        y0 = y1.Multiply(scale);
        lines << QStringLiteral("乘数：c ÷ d = %1 ÷ %2 = %3").arg(Text(c), Text(d), Text(scale));
        // The y0 line starts under the x0 of the line above: three ideographic spaces.
        lines << QStringLiteral("特解：x0 = %1 × %2 = %3").arg(Text(x1), Factor(scale), Text(x0));
        lines << QStringLiteral("\u3000\u3000\u3000y0 = %1 × %2 = %3")
                         .arg(Text(y1), Factor(scale), Text(y0));
    }

    const BigInteger B = Quotient(b, d);
    const BigInteger A = Quotient(a, d);
    lines << QStringLiteral("通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t");
    lines << QStringLiteral("b ÷ d = %1 ÷ %2 = %3，a ÷ d = %4 ÷ %2 = %5")
                     .arg(Text(b), Text(d), Text(B), Text(a), Text(A));
    DiophantineTexts texts;
    texts.steps = lines.join(LineBreak);
    texts.general = QStringList{
            QStringLiteral("x = ") + Sum({{x0, QString()}, {B, QStringLiteral("t")}}),
            QStringLiteral("y = ") + Sum({{y0, QString()}, {Negated(A), QStringLiteral("t")}}),
            QStringLiteral("（t为任意整数）"),
    }.join(LineBreak);
    if (a.Sign() != b.Sign())
        texts.nonNegativeCount = QStringLiteral("有无穷多组（a、b异号）");
    else
        AddNonNegative(x0, y0, A, B, texts);
    return texts;
}

} // namespace

QString OutOfRangeText()
{
    return QStringLiteral("超出范围：a、b、c须是%1到%2之间的整数")
            .arg(std::numeric_limits<qint64>::min())
            .arg(std::numeric_limits<qint64>::max());
}

Outcome<std::optional<qint64>> ReadIntegerInput(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    const QString folded = ToHalfWidth(text).trimmed();
    if (!integer.match(folded).hasMatch())
        return std::optional<qint64>();
    bool fits = false;
    const qint64 value = folded.toLongLong(&fits, 10);
    if (!fits)
        return Refuse(OutOfRangeText());
    return std::optional<qint64>(value);
}

Outcome<DiophantineTexts> SolveLinearDiophantine(const QString &aText, const QString &bText,
                                                 const QString &cText)
{
    const Outcome<std::optional<qint64>> inputs[]
            = {ReadIntegerInput(aText), ReadIntegerInput(bText), ReadIntegerInput(cText)};
    // A number too large is told at once, even while another box is still empty.
    for (const auto &input : inputs) {
        if (!input)
            return Refuse(input.refusal());
    }
    for (const auto &input : inputs) {
        if (!*input)
            return DiophantineTexts{};
    }

    const BigInteger a = Integer(**inputs[0]);
    const BigInteger b = Integer(**inputs[1]);
    const BigInteger c = Integer(**inputs[2]);
    QStringList lines{EquationText(a, b, c)};
    if (a.Sign() == 0 && b.Sign() == 0)
        return BothZero(c, lines);
    if (a.Sign() == 0 || b.Sign() == 0)
        return OneZero(a, b, c, lines);
    return BothNonZero(a, b, c, lines);
}

} // namespace Functions
