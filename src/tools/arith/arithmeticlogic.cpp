#include "tools/arith/arithmeticlogic.h"

#include "eval/exactarithmetic.h"
#include "eval/expression.h"
#include "eval/halfwidth.h"

#include <QStringList>

using namespace Eval;

namespace Arith {

Outcome<QString> ArithmeticResult(const QString &expression)
{
    const QString result = EvaluateExpression(ToHalfWidth(expression));
    if (IsFailureOrInfinity(result))
        return Refuse(ArithmeticErrorText);
    return result;
}

std::optional<HistoryEntry> HistoryEntryOf(const QString &expression,
                                           const Outcome<QString> &result)
{
    if (expression.trimmed().isEmpty())
        return std::nullopt;
    return HistoryEntry{expression, result ? *result : result.refusal()};
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

} // namespace Arith
