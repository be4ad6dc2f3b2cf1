#include "tools/functions/twovariablefactorizationlogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"
#include "tools/functions/exactnumbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Ui;
using namespace Eval;

namespace Functions::TwoVariableFactorization {

namespace {

constexpr double Tolerance = 1e-7;
constexpr qsizetype WorkBetweenQuestions = 4096;

// The y term and the closing parenthesis of one factor.
QString YTerm(double v)
{
    if (v < -Tolerance)
        return NumberToText(v) + QStringLiteral("y)");
    if (v > Tolerance)
        return QLatin1Char('+') + NumberToText(v) + QStringLiteral("y)");
    return QStringLiteral(")");
}

// IntegerPart for counts beyond 32 bits: truncation, a fraction beyond 0.999999999999 counting
// as whole; saturating, and 0 for not-a-number.
qint64 LongIntegerPart(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double Limit = 9223372036854775807.0;
    if (value >= Limit)
        return std::numeric_limits<qint64>::max();
    if (value <= -Limit)
        return std::numeric_limits<qint64>::min();
    double whole = std::trunc(value);
    const double fraction = value - whole;
    if (std::fabs(fraction) > 0.999999999999)
        whole += value > 0 ? 1 : -1;
    return qint64(whole);
}

} // namespace

QString FactorsText(const Factors &factors)
{
    return QLatin1Char('(') + NumberToText(factors.m) + QLatin1Char('x') + YTerm(factors.n)
            + QLatin1Char('(') + NumberToText(factors.p) + QLatin1Char('x') + YTerm(factors.q);
}

QString NoFactorizationText()
{
    return QStringLiteral("无法分解！");
}

Enumeration::Enumeration(const Range &range, const Coefficients &coefficients)
    : m_range(range)
    , m_coefficients(coefficients)
    , m_outer(range.first)
{
    m_coefficientsFinite = std::isfinite(coefficients.a) && std::isfinite(coefficients.b)
            && std::isfinite(coefficients.c);
    m_refused = !GenerateValues(range);
    if (m_refused)
        m_values.clear();
    m_partnersOfN.resize(m_values.size());
}

// The values come from repeated addition, exactly as the nested loops produce them, so the
// matches are those of the loops even where the additions drift (steps such as 0.1).
bool Enumeration::GenerateValues(const Range &range)
{
    if (!(range.step > 0) || !std::isfinite(range.step))
        return false;
    double value = range.first;
    if (value - range.end < -Tolerance
        && !((range.end - range.first) / range.step <= MaximumValues))
        return false;
    while (value - range.end < -Tolerance) {
        if (qsizetype(m_values.size()) >= MaximumValues)
            return false;
        m_values.push_back(value);
        const double next = value + range.step;
        if (!(next > value))
            return false;
        value = next;
    }
    m_afterLast = value;
    return true;
}

// The values v with |constant − factor·v| ≤ 1e-7. The values ascend and constant − factor·v is
// monotonic in v (rounding keeps the order of exact products and differences), so they form
// one run, found by bisection and tested with the very expression of the loops.
Enumeration::Span Enumeration::Partners(double constant, double factor) const
{
    const auto matches = [&](double v) { return std::fabs(constant - factor * v) <= Tolerance; };
    if (!m_coefficientsFinite)
        return {0, 0};
    if (factor == 0)
        return matches(0) ? Span{0, qsizetype(m_values.size())} : Span{0, 0};
    const auto before = [&](double v) {
        const double rest = constant - factor * v;
        return factor > 0 ? rest > Tolerance : rest < -Tolerance;
    };
    const auto first = std::partition_point(m_values.cbegin(), m_values.cend(), before);
    const auto last = std::find_if_not(first, m_values.cend(), matches);
    return {first - m_values.cbegin(), last - m_values.cbegin()};
}

Enumeration::Span Enumeration::PartnersOfN(qsizetype n)
{
    Span &span = m_partnersOfN[n];
    if (span.end < 0)
        span = Partners(m_coefficients.c, m_values[n]);
    return span;
}

bool Enumeration::Finish(const Match &match, const KeepGoing &keepGoing)
{
    while (!isFinished()) {
        if (!NextPass(match, keepGoing) || !GoOn(keepGoing))
            return false;
    }
    return true;
}

bool Enumeration::NextPass(const Match &match, const KeepGoing &keepGoing)
{
    if (isFinished())
        return true;
    const double m = m_values[m_next];
    const Span ps = Partners(m_coefficients.a, m);
    const double b = m_coefficients.b;
    // Combinations looked at since keepGoing was last asked: a pass can hold millions.
    qsizetype work = 0;
    for (qsizetype ni = 0; ps.begin < ps.end && ni < qsizetype(m_values.size()); ++ni) {
        const double n = m_values[ni];
        const Span qs = PartnersOfN(ni);
        for (qsizetype pi = ps.begin; pi < ps.end; ++pi) {
            const double p = m_values[pi];
            for (qsizetype qi = qs.begin; qi < qs.end; ++qi) {
                const double q = m_values[qi];
                if (std::fabs(b - (m * q + n * p)) <= Tolerance)
                    match({m, n, p, q});
            }
            work += 1 + qs.end - qs.begin;
            if (work >= WorkBetweenQuestions) {
                work = 0;
                if (!GoOn(keepGoing))
                    return false;
            }
        }
    }
    ++m_next;
    m_outer = m_next < qsizetype(m_values.size()) ? m_values[m_next] : m_afterLast;
    return true;
}

int Enumeration::progressMaximum() const
{
    return std::max(0, TextToInteger(m_range.end - m_range.first));
}

int Enumeration::progressPosition() const
{
    return std::clamp(TextToInteger(m_outer - m_range.first), 0, progressMaximum());
}

QString Enumeration::ProgressCaption() const
{
    const int maximum = progressMaximum();
    const double share = maximum == 0 ? 1 : RoundTo(double(progressPosition()) / maximum, 2);
    const double width = m_range.end - m_range.first;
    const double tried = (m_outer - m_range.first) * width * width * width / 1000000;
    return NumberToText(share * 100) + QStringLiteral("%  已枚举") + NumberToText(tried)
            + QStringLiteral("e6个");
}

QString Enumeration::FinalCaption() const
{
    const double width = m_range.end - m_range.first;
    const qint64 tried = m_refused
            ? 0
            : LongIntegerPart((m_outer - m_range.first) * width * width * width / 1000000);
    return QStringLiteral("分解完成！ 共枚举") + QString::number(tried) + QStringLiteral("e6个");
}

Outcome<EnumerationInputs> ReadEnumerationInputs(const TypedInputs &texts)
{
    const QStringList typed{texts.first, texts.end, texts.step, texts.a, texts.b, texts.c};
    const QStringList names{QStringLiteral("枚举首"),
                            QStringLiteral("枚举尾"),
                            QStringLiteral("枚举间隔"),
                            "a",
                            "b",
                            "c"};
    const auto values = ReadCoefficients(typed, names);
    if (!values)
        return Refuse(values.refusal());
    double v[6];
    for (int i = 0; i < 6; ++i)
        v[i] = (*values)[i].ToDouble();
    return EnumerationInputs{{v[0], v[1], v[2]}, {v[3], v[4], v[5]}};
}

} // namespace Functions::TwoVariableFactorization
