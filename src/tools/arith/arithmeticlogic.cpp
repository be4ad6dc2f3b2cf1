#include "tools/arith/arithmeticlogic.h"

#include "eval/exactarithmetic.h"
#include "eval/expression.h"
#include "eval/halfwidth.h"

#include <QStringList>

QString ArithmeticResultText(const QString &expression)
{
    const QString result = EvaluateExpression(ToHalfWidth(expression));
    if (result.isEmpty() || result == QLatin1String("1.#INF") || result == QLatin1String("-1.#INF"))
        return ArithmeticErrorText;
    return result;
}

QString ExactValueText(const QString &expression)
{
    const ExactValue value = EvaluateExactly(PrepareExpression(ToHalfWidth(expression)));
    switch (value.kind) {
    case ExactKind::NotExact:
        return QString();
    case ExactKind::TooLong:
        return ExactValueTooLongText;
    case ExactKind::Value:
        break;
    }
    QStringList forms{value.fraction};
    if (!value.mixed.isEmpty())
        forms.append(value.mixed);
    if (!value.decimal.isEmpty())
        forms.append(value.decimal);
    return forms.join(QStringLiteral(" = "));
}
