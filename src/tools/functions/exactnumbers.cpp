#include "tools/functions/exactnumbers.h"

#include "eval/halfwidth.h"
#include "eval/numberformat.h"

#include <QStringList>

using namespace Eval;

namespace Functions {

Outcome<Rational> ReadCoefficient(const QString &text, const QString &name)
{
    if (text.trimmed().isEmpty())
        return Rational();
    Outcome<Rational> value = ReadRational(text);
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

QString ExactText(const Rational &value)
{
    const QString shown = NumberToText(value.ToDouble());
    const Outcome<Rational> back = ReadRational(shown);
    return back && *back == value ? shown : value.ToText();
}

QString ExactFactor(const Rational &value)
{
    const QString text = ExactText(value);
    if (value.Sign() < 0 || text.contains(u'/'))
        return u'(' + text + u')';
    return text;
}

QString ExactCoefficient(const Rational &value)
{
    const QString text = ExactText(value);
    return text.contains(u'/') ? u'(' + text + u')' : text;
}

QString ExactAnswer(const Rational &value)
{
    const QString text = ExactText(value);
    if (!text.contains(u'/'))
        return text;
    return text + QStringLiteral("≈") + NumberToText(value.ToDouble());
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
