#include "tools/statistics/distributiontable.h"

#include "tools/statistics/probabilityinputs.h"

#include <QRegularExpression>

using namespace Eval;

namespace Statistics {

namespace {

QStringList Items(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,，、;；]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

QString Indexed(const QString &letter, qsizetype index)
{
    return letter + SubscriptDigits(index + 1);
}

Rational Mean(const DistributionTable &table)
{
    Rational mean;
    for (qsizetype i = 0; i < table.values.size(); ++i)
        mean = mean + table.values[i] * table.probabilities[i];
    return mean;
}

Rational Variance(const DistributionTable &table, const Rational &mean)
{
    Rational variance;
    for (qsizetype i = 0; i < table.values.size(); ++i) {
        const Rational deviation = table.values[i] - mean;
        variance = variance + deviation * deviation * table.probabilities[i];
    }
    return variance;
}

QString Text(const Rational &value, bool asDecimal)
{
    return DistributionValue::Exact(value, asDecimal).ExactText();
}

// A number as a factor: "(−1)", "(1/3)" where it would read otherwise.
QString Factor(const Rational &value, bool asDecimal)
{
    const QString text = Text(value, asDecimal);
    return value.Sign() < 0 || text.contains(u'/') ? u'(' + text + u')' : text;
}

// "a + b + c", or its first three and last terms where there are many.
QString SumOf(const QStringList &terms)
{
    if (terms.size() <= 6)
        return terms.join(QStringLiteral(" + "));
    return QStringList{terms[0], terms[1], terms[2], QStringLiteral("…"), terms.back()}.join(
            QStringLiteral(" + "));
}

} // namespace

Outcome<DistributionTable> ReadDistributionTable(const QString &valuesText,
                                                 const QString &probabilitiesText)
{
    DistributionTable table;
    table.valueTexts = Items(valuesText);
    table.probabilityTexts = Items(probabilitiesText);
    if (table.valueTexts.isEmpty() || table.probabilityTexts.isEmpty())
        return Refuse(QString());
    if (table.valueTexts.size() > MaxTableValues)
        return Refuse(QStringLiteral("最多 %1 个取值").arg(MaxTableValues));
    if (table.valueTexts.size() != table.probabilityTexts.size())
        return Refuse(QStringLiteral("xᵢ 有 %1 个，pᵢ 有 %2 个：个数应相同")
                              .arg(table.valueTexts.size())
                              .arg(table.probabilityTexts.size()));
    Rational sum;
    for (qsizetype i = 0; i < table.valueTexts.size(); ++i) {
        const Outcome<Rational> x = ReadNumberInput(table.valueTexts[i], Indexed("x", i));
        if (!x)
            return Refuse(x.refusal());
        const Outcome<Rational> p
                = ReadProbabilityInput(table.probabilityTexts[i], Indexed("p", i));
        if (!p)
            return Refuse(p.refusal());
        const qsizetype same = table.values.indexOf(*x);
        if (same >= 0)
            return Refuse(QStringLiteral("%1 与 %2 相同：每个取值只写一次")
                                  .arg(Indexed("x", same), Indexed("x", i)));
        table.values << *x;
        table.probabilities << *p;
        sum = sum + *p;
    }
    table.asDecimal = TypedAsDecimals({valuesText, probabilitiesText});
    if (sum != Rational(1))
        return Refuse(QStringLiteral("各个 pᵢ 的和是 %1，不是 1").arg(Text(sum, table.asDecimal)));
    return table;
}

Ui::NamedValues TableMoments(const DistributionTable &table, Rounding rounding)
{
    const Rational mean = Mean(table);
    return {Named(QStringLiteral("E(X)"), DistributionValue::Exact(mean, table.asDecimal),
                  rounding),
            Named(QStringLiteral("D(X)"),
                  DistributionValue::Exact(Variance(table, mean), table.asDecimal), rounding)};
}

Ui::Working TableWorking(const DistributionTable &table, Rounding rounding)
{
    const bool asDecimal = table.asDecimal;
    const Rational mean = Mean(table);
    QStringList header{QStringLiteral("X")};
    QStringList probabilities{QStringLiteral("P")};
    QStringList meanTerms, varianceTerms;
    for (qsizetype i = 0; i < table.values.size(); ++i) {
        header << Text(table.values[i], asDecimal);
        probabilities << Text(table.probabilities[i], asDecimal);
        const QString p = Factor(table.probabilities[i], asDecimal);
        meanTerms << Factor(table.values[i], asDecimal) + u'×' + p;
        varianceTerms << u'(' + Text(table.values[i], asDecimal) + u'−' + Factor(mean, asDecimal)
                        + QStringLiteral(")²×") + p;
    }
    const auto shown = [&](const Rational &value) {
        return DistributionValue::Exact(value, asDecimal).Shown(rounding);
    };
    return {{QStringLiteral("分布列"), std::nullopt, header, {probabilities}},
            {QStringLiteral("E(X) = x₁p₁ + x₂p₂ + … + xₙpₙ"),
             std::nullopt,
             {},
             {{QStringLiteral("E(X) = ") + SumOf(meanTerms) + QStringLiteral(" = ")
               + shown(mean)}}},
            {QStringLiteral("D(X) = (x₁−E(X))²p₁ + … + (xₙ−E(X))²pₙ"),
             std::nullopt,
             {},
             {{QStringLiteral("D(X) = ") + SumOf(varianceTerms) + QStringLiteral(" = ")
               + shown(Variance(table, mean))}}}};
}

} // namespace Statistics
