#include "tools/arith/arithmeticlogic.h"

#include "eval/exactarithmetic.h"
#include "eval/expression.h"
#include "eval/halfwidth.h"
#include "eval/mathnotation.h"

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

QString ErrorReasonText(const QString &expression)
{
    return FailureReason(ToHalfWidth(expression));
}

QString RadiansNoticeText(const QString &expression)
{
    if (!HasTrigonometryInRadians(expression))
        return {};
    return QStringLiteral("三角函数按弧度计算；角度请写成 sin(30°)");
}

QString PowerReadingText(const QString &expression)
{
    const QString powers = PowersWritten(expression);
    if (powers == expression)
        return {};
    const Outcome<QString> value = ArithmeticResult(powers);
    if (!value)
        return {};
    return QStringLiteral("若表示乘方：") + expression.simplified() + QStringLiteral(" = ")
            + *value;
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
