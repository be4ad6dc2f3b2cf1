#include "tools/arith/arithmeticlogic.h"

#include "eval/expression.h"
#include "eval/numbertext.h"

QString ArithmeticResultText(const QString &expression)
{
    const QString result = EvaluateExpression(ToHalfWidth(expression));
    if (result.isEmpty() || result == QLatin1String("1.#INF") || result == QLatin1String("-1.#INF"))
        return ArithmeticErrorText;
    return result;
}
