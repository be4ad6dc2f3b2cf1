#pragma once

#include "eval/outcome.h"

#include <QString>

#include <optional>

namespace Arith {

// "连加/连乘": values entered one at a time, summed and multiplied as they come. The running
// results are kept as the texts shown; every step reads them back from those texts.
struct RunningSeries
{
    QString sumWorking; // "2+3+4", the values exactly as typed
    QString productWorking; // "2×3×4"
    QString sum;
    QString product;
    QString count = QStringLiteral("1"); // number of the value being entered
    bool first = true;
};

// The series after accepting a typed value. The first product is the typed text itself;
// a shown "1.#INF", "-1.#INF" or "-1.#IND" reads back as what it stands for. An empty value
// is refused with "请输入加数！".
Eval::Outcome<RunningSeries> AcceptValue(RunningSeries series, const QString &value);

// The sum's input holds at most this many bytes, the product's this many; a longer text is
// cut back with the message.
constexpr int SumInputLimit = 9;
constexpr int ProductInputLimit = 2;
inline const QString SumTooLongMessage = QStringLiteral("请输入小于等于9位数的数字！");
inline const QString ProductTooLongMessage = QStringLiteral("请输入小于等于2位数的数字！");
// The text cut to `limit` bytes; nothing when it is no longer.
std::optional<QString> TextCutToLimit(const QString &text, int limit);

// 1 + 2 + … + n for the typed n, computed exactly and shown by the number-to-text rule.
// A fractional n ends the sum with itself (1 + 2 + 3 + 3.5 for 3.5); n below 1 gives n.
// Refused with SumTooLongMessage when n has more than nine integer digits (also for
// infinities), which only an exponent form can name in nine characters.
Eval::Outcome<QString> TriangularSumText(const QString &text);

// 1 × 2 × … × n for the typed whole number n (ReadWholeNumber: "5.9" is refused, not cut to 5)
// by the number-to-text rule; "1" for n below 1, "1.#INF" from 171.
Eval::Outcome<QString> FactorialText(const QString &text);
// All the digits of n! where FactorialText does not show it digit for digit (from 16!:
// "20922789888000"), up to MaxExactFactorial; empty otherwise and for a refused text.
constexpr int MaxExactFactorial = 1000;
QString ExactFactorialText(const QString &text);

} // namespace Arith
