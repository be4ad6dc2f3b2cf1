#include "tools/statistics/binomial.h"

#include "eval/bigint.h"

#include <cmath>

using namespace Eval;

namespace Statistics {

namespace {

// Longest common denominator bⁿ the exact sums work with, in bits (Rational's own bound).
constexpr double LongestDenominatorBits = double(Rational::MaxPowerBits);

// At least the bits of `value`, and at most one more.
double BitsOf(const BigInteger &value)
{
    const QString hex = value.ToText(16);
    return 4.0 * double(hex.size() - 1) + std::log2(QString(hex.front()).toInt(nullptr, 16) + 1);
}

BigInteger PowerOf(const BigInteger &base, long long exponent)
{
    return Rational(base).Power(long(exponent))->Numerator();
}

// The terms Tᵢ = C(n, i)·aⁱ·cⁿ⁻ⁱ of B(n, a/b), c = b − a, whose sum is bⁿ: each exact
// probability is a sum of terms over bⁿ, the next term Tᵢ₊₁ = Tᵢ·(n − i)·a / ((i + 1)·c).
class ExactTerms
{
public:
    // Nothing where bⁿ is too long; 0 < p < 1.
    static std::optional<ExactTerms> Make(long long n, const Rational &p)
    {
        ExactTerms terms;
        terms.m_n = n;
        terms.m_a = p.Numerator();
        terms.m_b = p.Denominator();
        terms.m_c = terms.m_b.Subtract(terms.m_a);
        terms.m_bits = BitsOf(terms.m_b) * double(n);
        if (terms.m_bits > LongestDenominatorBits)
            return std::nullopt;
        return terms;
    }

    // Summed from the side with fewer terms; nothing beyond ExactWork.
    std::optional<Rational> Probability(const CountRange &range) const
    {
        const long long from = std::max(0LL, range.from.value_or(0));
        const long long to = std::min(m_n, range.to.value_or(m_n));
        if (from > to)
            return Rational();
        const long long inside = to - from + 1;
        const long long outside = m_n + 1 - inside;
        if (double(std::min(inside, outside)) * m_bits > ExactWork)
            return std::nullopt;
        const BigInteger total = PowerOf(m_b, m_n);
        if (inside <= outside)
            return Rational::FromFraction(Sum(from, to), total);
        BigInteger rest;
        if (from > 0)
            rest = Sum(0, from - 1);
        if (to < m_n)
            rest = rest.Add(Sum(to + 1, m_n));
        return Rational(1) - *Rational::FromFraction(rest, total);
    }

private:
    BigInteger Term(long long i) const
    {
        return BigInteger::Binomial(m_n, i)
                .Multiply(PowerOf(m_a, i))
                .Multiply(PowerOf(m_c, m_n - i));
    }

    BigInteger Sum(long long from, long long to) const
    {
        BigInteger term = Term(from);
        BigInteger sum = term;
        for (long long i = from; i < to; ++i) {
            term = *term.Multiply(BigInteger(long(m_n - i)).Multiply(m_a))
                            .Quotient(BigInteger(long(i + 1)).Multiply(m_c));
            sum = sum.Add(term);
        }
        return sum;
    }

    long long m_n = 0;
    BigInteger m_a, m_b, m_c;
    double m_bits = 0;
};

// "1/2" in parentheses where it stands as a factor: "(1/2)³".
QString Factor(const DistributionValue &value)
{
    const QString text = value.ExactText();
    return text.contains(u'/') ? u'(' + text + u')' : text;
}

} // namespace

Outcome<BinomialQuestion> ReadBinomial(const QString &nText, const QString &pText,
                                       const QString &kText, const QString &aText,
                                       const QString &bText)
{
    const Outcome<long long> n = ReadWholeInput(nText, QStringLiteral("n"), 1, MaxBinomialN);
    if (!n)
        return Refuse(n.refusal());
    const Outcome<Rational> p = ReadProbabilityInput(pText, QStringLiteral("p"));
    if (!p)
        return Refuse(p.refusal());
    const Outcome<AskedCounts> asked = ReadAskedCounts(kText, aText, bText);
    if (!asked)
        return Refuse(asked.refusal());
    return BinomialQuestion{*n, *p, TypedAsDecimals({pText}), *asked};
}

std::optional<DistributionValue> BinomialValue(const BinomialQuestion &question,
                                               const CountRange &range)
{
    const long long n = question.n;
    const Rational &p = question.p;
    if (p.Sign() == 0 || p == Rational(1)) { // all of the probability on X = 0 or X = n
        const long long certain = p.Sign() == 0 ? 0 : n;
        const bool inside
                = range.from.value_or(certain) <= certain && certain <= range.to.value_or(certain);
        return DistributionValue::Exact(Rational(inside ? 1 : 0));
    }
    if (const std::optional<ExactTerms> terms = ExactTerms::Make(n, p)) {
        if (const std::optional<Rational> exact = terms->Probability(range))
            return DistributionValue::Exact(*exact, question.asDecimal);
    }
    if (const std::optional<DecimalDigits> digits = BinomialProbability(n, p, range))
        return DistributionValue::Approximate(*digits);
    return std::nullopt;
}

Ui::NamedValues BinomialResults(const BinomialQuestion &question, Rounding rounding)
{
    const Rational mean = Rational(long(question.n)) * question.p;
    return CountResults(
            question.asked, [&](const CountRange &range) { return BinomialValue(question, range); },
            DistributionValue::Exact(mean, question.asDecimal),
            DistributionValue::Exact(mean * (Rational(1) - question.p), question.asDecimal),
            rounding);
}

namespace {

// The counts worth a bar or a row: all of them for a small n, else those within 6σ of np.
std::pair<long long, long long> ShownCounts(const BinomialQuestion &question)
{
    const double n = double(question.n);
    const double p = question.p.ToDouble();
    const double spread = 6 * std::sqrt(n * p * (1 - p)) + 1;
    const long long least = std::max(0LL, (long long)std::floor(n * p - spread));
    const long long most = std::min(question.n, (long long)std::ceil(n * p + spread));
    return question.n < MaxBars ? std::pair(0LL, question.n) : std::pair(least, most);
}

} // namespace

CountBars BinomialBars(const BinomialQuestion &question)
{
    const auto [least, most] = ShownCounts(question);
    const double p = question.p.ToDouble();
    CountBars bars = MakeBars(least, most, std::llround(double(question.n) * p), question.asked,
                              [&](long long k) { return BinomialMass(question.n, p, k); });
    bars.caption
            = QStringLiteral("B(%1, %2)")
                      .arg(QString::number(question.n),
                           DistributionValue::Exact(question.p, question.asDecimal).ExactText());
    return bars;
}

Ui::Working BinomialWorking(const BinomialQuestion &question, Rounding rounding)
{
    const auto value = [&](const CountRange &range) { return BinomialValue(question, range); };
    const DistributionValue p = DistributionValue::Exact(question.p, question.asDecimal);
    const DistributionValue q
            = DistributionValue::Exact(Rational(1) - question.p, question.asDecimal);
    const QString n = QString::number(question.n);
    Ui::Working working;
    const auto line = [&](const QString &title, const QString &text,
                          const std::optional<DistributionValue> &result) {
        working << WorkingLine(title, text, result, rounding);
    };
    if (const std::optional<long long> k = question.asked.k; k && *k >= 0 && *k <= question.n) {
        line(QStringLiteral("P(X=k) = Cₙᵏ·pᵏ·(1−p)ⁿ⁻ᵏ"),
             QStringLiteral("P(X=%1) = C%2%3×%4%5×%6%7")
                     .arg(*k)
                     .arg(SubscriptDigits(question.n), Ui::Superscript(int(*k)), Factor(p),
                          Ui::Superscript(int(*k)), Factor(q),
                          Ui::Superscript(int(question.n - *k))),
             value({k, k}));
        line(QStringLiteral("P(X≤k) = P(X=0) + P(X=1) + … + P(X=k)"),
             QStringLiteral("P(X≤%1)").arg(*k), value({std::nullopt, k}));
    }
    if (const std::optional<CountRange> range = question.asked.range)
        line(QStringLiteral("P(a≤X≤b) = P(X=a) + … + P(X=b)"), RangeText(*range), value(*range));
    const Rational mean = Rational(long(question.n)) * question.p;
    line(QStringLiteral("E(X) = np"), QStringLiteral("E(X) = %1×%2").arg(n, Factor(p)),
         DistributionValue::Exact(mean, question.asDecimal));
    line(QStringLiteral("D(X) = np(1−p)"),
         QStringLiteral("D(X) = %1×%2×%3").arg(n, Factor(p), Factor(q)),
         DistributionValue::Exact(mean * (Rational(1) - question.p), question.asDecimal));
    const auto [least, most] = ShownCounts(question);
    working << DistributionRows(least, most, value, rounding);
    return working;
}

} // namespace Statistics
