#include "tools/statistics/normal.h"

#include "tools/statistics/distributionfunctions.h"
#include "tools/statistics/probabilityinputs.h"

using namespace Eval;

namespace Statistics {

namespace {

// A value beyond the precise float's reach, for an area that underflows (|z| beyond ~54,000).
const QString Unreachable = QStringLiteral("比 10^(−600000000) 还小");

// An end of the interval: empty or "∞" (with any sign) is open.
Outcome<std::optional<Rational>> ReadEnd(const QString &text, const QString &name)
{
    QString bare = text.trimmed();
    bare.remove(u'+').remove(u'-').remove(u'−').remove(u'＋').remove(u'－');
    if (bare.isEmpty() || bare == QStringLiteral("∞"))
        return std::optional<Rational>();
    const Outcome<Rational> value = ReadNumberInput(text, name);
    if (!value)
        return Refuse(value.refusal());
    return std::optional<Rational>(*value);
}

DistributionValue Approximate(const DecimalDigits &digits)
{
    return DistributionValue::Approximate(digits);
}

// A typed number as written: "110", "0.975", "1/3".
QString Text(const Rational &value)
{
    return DistributionValue::Exact(value, true).ExactText();
}

// "P(100≤X≤120)", "P(X≥130)", "P(X≤0)".
QString RangeText(const NormalQuestion &question)
{
    const auto text = Text;
    if (question.from && question.to)
        return QStringLiteral("P(%1≤X≤%2)").arg(text(*question.from), text(*question.to));
    if (question.from)
        return QStringLiteral("P(X≥%1)").arg(text(*question.from));
    if (question.to)
        return QStringLiteral("P(X≤%1)").arg(text(*question.to));
    return QStringLiteral("P(−∞<X<+∞)");
}

} // namespace

Outcome<NormalQuestion> ReadNormal(const QString &meanText, const QString &deviationText,
                                   const QString &aText, const QString &bText, const QString &pText)
{
    const Outcome<Rational> mean = ReadNumberInput(meanText, QStringLiteral("μ"));
    if (!mean)
        return Refuse(mean.refusal());
    const Outcome<Rational> deviation = ReadNumberInput(deviationText, QStringLiteral("σ"));
    if (!deviation)
        return Refuse(deviation.refusal());
    if (deviation->Sign() <= 0)
        return Refuse(QStringLiteral("σ 应大于 0"));
    NormalQuestion question{*mean, *deviation, false, std::nullopt, std::nullopt, std::nullopt};
    const auto from = ReadEnd(aText, QStringLiteral("a"));
    const auto to = ReadEnd(bText, QStringLiteral("b"));
    if (!from || !to)
        return Refuse(from ? to.refusal() : from.refusal());
    question.from = *from;
    question.to = *to;
    question.probabilityAsked = !aText.trimmed().isEmpty() || !bText.trimmed().isEmpty();
    if (question.from && question.to && *question.to < *question.from)
        return Refuse(QStringLiteral("a 不能大于 b"));
    if (!pText.trimmed().isEmpty()) {
        const Outcome<Rational> p = ReadProbabilityInput(pText, QStringLiteral("p"));
        if (!p)
            return Refuse(p.refusal());
        if (p->Sign() == 0 || *p == Rational(1))
            return Refuse(QStringLiteral("求 x 时 p 应在 0 与 1 之间，不能是 0 或 1"));
        question.p = *p;
    }
    return question;
}

Ui::NamedValues NormalResults(const NormalQuestion &question, Rounding rounding)
{
    Ui::NamedValues values;
    if (question.probabilityAsked) {
        const QString name = QStringLiteral("P(a≤X≤b)");
        const auto digits
                = NormalProbability(question.mean, question.deviation, question.from, question.to);
        const bool unreachable = digits && digits->IsZero()
                && !(question.from && question.to && *question.from == *question.to);
        if (!digits)
            values << Ui::NamedValue{name, QStringLiteral("数太大，算不出"), {}, true};
        else if (unreachable)
            values << Ui::NamedValue{name, Unreachable, {}, true};
        else
            values << Named(name, Approximate(*digits), rounding);
    }
    if (question.p) {
        const auto x = NormalQuantile(question.mean, question.deviation, *question.p);
        values << (x ? Named(QStringLiteral("x"), Approximate(*x), rounding)
                     : Ui::NamedValue{
                             QStringLiteral("x"), QStringLiteral("数太大，算不出"), {}, true});
    }
    return values;
}

Ui::Working NormalWorking(const NormalQuestion &question, Rounding rounding)
{
    const auto text = Text;
    const auto rounded = [&](const std::optional<DecimalDigits> &digits) {
        return digits ? Approximate(*digits).RoundedText(rounding) : QStringLiteral("?");
    };
    const QString mean = text(question.mean);
    const QString deviation = text(question.deviation);
    Ui::Working working;
    if (question.probabilityAsked) {
        // Φ((b−μ)/σ) − Φ((a−μ)/σ), an open end's term left out (Φ(+∞) = 1, Φ(−∞) = 0).
        QStringList standardised, reduced, decimals;
        for (const auto &[end, sign] :
             {std::pair(question.to, QString()), std::pair(question.from, QStringLiteral(" − "))}) {
            if (!end) {
                if (sign.isEmpty()) { // Φ(+∞)
                    for (QStringList *line : {&standardised, &reduced, &decimals})
                        *line << QStringLiteral("1");
                }
                continue;
            }
            const Rational z = *(*end - question.mean).Divide(question.deviation);
            standardised << sign + QStringLiteral("Φ((%1−%2)/%3)").arg(text(*end), mean, deviation);
            reduced << sign + QStringLiteral("Φ(%1)").arg(text(z));
            decimals << sign + rounded(StandardNormalAtMost(z));
        }
        const auto probability
                = NormalProbability(question.mean, question.deviation, question.from, question.to);
        working << Ui::WorkingBlock{
                QStringLiteral("P(a≤X≤b) = Φ((b−μ)/σ) − Φ((a−μ)/σ)"),
                std::nullopt,
                {},
                {{RangeText(question) + QStringLiteral(" = ") + standardised.join(QString())},
                 {QStringLiteral("= ") + reduced.join(QString())},
                 {QStringLiteral("≈ ") + decimals.join(QString())},
                 {QStringLiteral("≈ ") + rounded(probability)}}};
    }
    if (question.p) {
        const auto z = NormalQuantile(Rational(), Rational(1), *question.p);
        const auto x = NormalQuantile(question.mean, question.deviation, *question.p);
        working << Ui::WorkingBlock{
                QStringLiteral("Φ(z) = p，x = μ + σz"),
                std::nullopt,
                {},
                {{QStringLiteral("z = Φ⁻¹(%1) ≈ %2").arg(text(*question.p), rounded(z))},
                 {QStringLiteral("x = %1 + %2×%3 ≈ %4")
                          .arg(mean, deviation, rounded(z), rounded(x))}}};
    }
    return working;
}

QString ThreeSigmaReminder()
{
    return QStringLiteral("P(μ−σ≤X≤μ+σ)≈0.6827，P(μ−2σ≤X≤μ+2σ)≈0.9545，"
                          "P(μ−3σ≤X≤μ+3σ)≈0.9973");
}

} // namespace Statistics
