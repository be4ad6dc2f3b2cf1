#include "tools/statistics/datastatisticsworking.h"

#include <QStringList>

#include <cmath>
#include <functional>

using namespace Ui;

namespace Statistics {

namespace {

// Terms written out at the start and at the end of a long sum, with "…" between them.
constexpr qsizetype LeadingTerms = 6;
constexpr qsizetype TrailingTerms = 2;

QString Bracketed(const QString &number)
{
    return number.startsWith(u'-') ? QLatin1Char('(') + number + QLatin1Char(')') : number;
}

// "t(0) + t(1) + … + t(n−1)", shortened in the middle.
QString SumOf(qsizetype count, const std::function<QString(qsizetype)> &term)
{
    QStringList terms;
    for (qsizetype i = 0; i < count; ++i) {
        if (count > LeadingTerms + TrailingTerms && i == LeadingTerms) {
            terms.append(QStringLiteral("…"));
            i = count - TrailingTerms;
        }
        terms.append(term(i));
    }
    return terms.join(QStringLiteral(" + "));
}

QString Typed(const DoubleDouble &value)
{
    return DataNumberText(value.hi);
}

QString Counted(const OneVariableData &data, qsizetype i, const QString &term)
{
    if (data.counts.empty())
        return term;
    return term + QStringLiteral("×") + NumberText(data.counts[std::size_t(i)], 15);
}

WorkingBlock Lines(const QString &title, const QStringList &lines)
{
    WorkingBlock block{title, std::nullopt, {}, {}};
    for (const QString &line : lines)
        block.rows.append({line});
    return block;
}

} // namespace

Working OneVariableWorking(const OneVariableData &data, const OneVariableFigures &f, int digits)
{
    const auto number = [digits](double value) { return NumberText(value, digits); };
    const qsizetype count = qsizetype(data.values.size());
    const bool counted = !data.counts.empty();
    const QString n = number(f.n);
    const QString mean = number(f.mean);
    Working working;
    working.append(Lines(
            QStringLiteral("平均数"),
            {counted ? QStringLiteral("x̄ = (x₁f₁ + x₂f₂ + … + xₖfₖ)/n")
                     : QStringLiteral("x̄ = (x₁ + x₂ + … + xₙ)/n"),
             QStringLiteral("= (")
                     + SumOf(count,
                             [&](qsizetype i) {
                                 return Counted(data, i,
                                                Bracketed(Typed(data.values[std::size_t(i)])));
                             })
                     + QStringLiteral(")/") + n,
             QStringLiteral("= ") + number(f.sum) + QLatin1Char('/') + n,
             QStringLiteral("= ") + mean}));
    const QString squares = number(f.squaredDeviations);
    QStringList variance{
            counted ? QStringLiteral("s² = [(x₁ − x̄)²f₁ + (x₂ − x̄)²f₂ + … + (xₖ − x̄)²fₖ]/n")
                    : QStringLiteral("s² = [(x₁ − x̄)² + (x₂ − x̄)² + … + (xₙ − x̄)²]/n"),
            QStringLiteral("= [")
                    + SumOf(count,
                            [&](qsizetype i) {
                                return Counted(data, i,
                                               QStringLiteral("(")
                                                       + Typed(data.values[std::size_t(i)])
                                                       + QStringLiteral(" − ") + Bracketed(mean)
                                                       + QStringLiteral(")²"));
                            })
                    + QStringLiteral("]/") + n,
            QStringLiteral("= ") + squares + QLatin1Char('/') + n,
            QStringLiteral("= ") + number(f.variance),
            QStringLiteral("s = √") + number(f.variance) + QStringLiteral(" ≈ ")
                    + number(f.standardDeviation)};
    if (f.sampleVariance) {
        variance.append(QStringLiteral("样本方差 = ") + squares + QStringLiteral("/(") + n
                        + QStringLiteral(" − 1) = ") + number(*f.sampleVariance));
        variance.append(QStringLiteral("样本标准差 = √") + number(*f.sampleVariance)
                        + QStringLiteral(" ≈ ") + number(*f.sampleStandardDeviation));
    }
    working.append(Lines(QStringLiteral("方差与标准差"), variance));
    return working;
}

Working LinearFitWorking(const TwoVariableFigures &f, int digits)
{
    const Eval::Outcome<ModelFit> &line = f.fits.front();
    const auto number = [digits](double value) { return NumberText(value, digits); };
    const QString n = number(f.n);
    const QString x = Bracketed(number(f.meanX));
    const QString y = Bracketed(number(f.meanY));
    QStringList lines{
            QStringLiteral("x̄ = ") + number(f.sumX) + QLatin1Char('/') + n + QStringLiteral(" = ")
                    + number(f.meanX),
            QStringLiteral("ȳ = ") + number(f.sumY) + QLatin1Char('/') + n + QStringLiteral(" = ")
                    + number(f.meanY),
            QStringLiteral("b̂ = (Σxᵢyᵢ − n·x̄·ȳ)/(Σxᵢ² − n·x̄²)"),
            QStringLiteral("= (") + number(f.sumXY) + QStringLiteral(" − ") + n
                    + QStringLiteral("×") + x + QStringLiteral("×") + y + QStringLiteral(")/(")
                    + number(f.sumXSquared) + QStringLiteral(" − ") + n + QStringLiteral("×") + x
                    + QStringLiteral("²)"),
            QStringLiteral("= ") + number(f.centredXY) + QLatin1Char('/') + number(f.centredXX)};
    if (!line) {
        lines.append(line.refusal());
        return {Lines(QStringLiteral("线性回归方程"), lines)};
    }
    const double b = line->coefficients[0];
    const double a = line->coefficients[1];
    lines.append(QStringLiteral("= ") + number(b));
    lines.append(QStringLiteral("â = ȳ − b̂x̄ = ") + number(f.meanY) + QStringLiteral(" − ")
                 + Bracketed(number(b)) + QStringLiteral("×") + x + QStringLiteral(" = ")
                 + number(a));
    lines.append(QStringLiteral("所以 ") + FittedEquation(*line, digits));
    return {Lines(QStringLiteral("线性回归方程"), lines)};
}

} // namespace Statistics
