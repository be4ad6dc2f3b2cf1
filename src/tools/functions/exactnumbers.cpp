#include "tools/functions/exactnumbers.h"

#include "eval/halfwidth.h"

#include <QStringList>

using namespace Eval;

namespace Functions {

Outcome<Rational> ReadCoefficient(const QString &text, const QString &name)
{
    Outcome<Rational> value = ReadRationalOrZero(text);
    if (!value)
        return Refuse(name + QStringLiteral("：") + value.refusal());
    return value;
}

Outcome<std::vector<Rational>> ReadCoefficients(const QStringList &texts, const QStringList &names)
{
    std::vector<Rational> values;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const Outcome<Rational> value = ReadCoefficient(texts[i], names.value(i));
        if (!value)
            return Refuse(value.refusal());
        values.push_back(*value);
    }
    return values;
}

namespace {

// Where the value's decimal is only near it: a fraction, or "≈" for a long one.
bool IsFraction(const QString &text)
{
    return text.contains(u'/');
}

} // namespace

QString ExactText(const Rational &value)
{
    const QString decimal = value.ToDecimalText(13);
    const Outcome<Rational> back = ReadRational(decimal);
    if (back && *back == value)
        return decimal;
    const QString fraction = value.ToText();
    return fraction.size() <= MaxFractionLength ? fraction : QStringLiteral("≈") + decimal;
}

QString ExactFactor(const Rational &value)
{
    const QString text = ExactText(value);
    if (value.Sign() < 0 || IsFraction(text) || text.startsWith(u'≈'))
        return u'(' + text + u')';
    return text;
}

QString ExactCoefficient(const Rational &value)
{
    const QString text = ExactText(value);
    return IsFraction(text) || text.startsWith(u'≈') ? u'(' + text + u')' : text;
}

QString ExactAnswer(const Rational &value)
{
    const QString text = ExactText(value);
    if (!IsFraction(text) && !text.startsWith(u'≈'))
        return text;
    const QString fraction = value.ToText();
    const QString decimal = QStringLiteral("≈") + value.ToDecimalText(13);
    return fraction.size() <= MaxAnswerLength ? fraction + decimal : decimal;
}

QString TypedFactor(const QString &text)
{
    const QString typed = text.trimmed();
    for (QChar c : ToHalfWidth(typed)) {
        if (!((c >= u'0' && c <= u'9') || c == u'.'))
            return u'(' + typed + u')';
    }
    return typed;
}

} // namespace Functions
