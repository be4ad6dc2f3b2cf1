#pragma once

#include "eval/calculationhistory.h"
#include "eval/outcome.h"

#include <QString>

#include <optional>

namespace Arith {

using Eval::HistoryEntry;

// What "四则运算" shows for a typed expression.
inline const QString ArithmeticErrorText = QStringLiteral("错误!");
inline const QString ExactValueTooLongText = QStringLiteral("精确值过长");

// The engine's result text of the half-width folded expression, not-a-number as "-1.#IND"; a
// failure or an infinity is refused with ArithmeticErrorText.
Eval::Outcome<QString> ArithmeticResult(const QString &expression);

// What "四则运算" says under its result: why there is no value ("除数为零", "括号不配对",
// "不认识的名称：foo", …), empty when there is one.
QString ErrorReasonText(const QString &expression);
// "三角函数按弧度计算；角度请写成 sin(30°)" when the expression calls sin, cos or tan without a
// degree sign; else empty.
QString RadiansNoticeText(const QString &expression);
// "若表示乘方：2^10 = 1024": the value of the expression with each a^b read as a power, when it
// holds a "^" and that has a value; else empty.
QString PowerReadingText(const QString &expression);

// What the history records of a computation: the expression and the text shown for its
// result. Nothing for a blank expression, which is not recorded.
std::optional<HistoryEntry> HistoryEntryOf(const QString &expression,
                                           const Eval::Outcome<QString> &result);

// The exact value of the expression as the engine reads it, its forms joined by " = ":
// "1/2 = 0.5", "7/6 = 1又1/6 = 1.1(6)", "-3/10 = -0.3", a whole number alone ("14"). At most
// 100 digits before the repetition and 100 repeating ones are written, then "…" cuts them.
// ExactValueTooLongText beyond 10,000 digits; empty when the expression is not exact
// arithmetic or has no value (a division by zero).
QString ExactValueText(const QString &expression);

} // namespace Arith
