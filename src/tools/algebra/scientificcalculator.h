#pragma once

#include "eval/calculationhistory.h"
#include "eval/mathevaluation.h"
#include "ui/namedvalues.h"

namespace Algebra {

// What 科学计算 shows for a line: the value in natural display, exact first and then "≈" and
// the decimal (or the decimal alone), and the lines it copies.
struct ScientificAnswer
{
    Eval::MathValue value; // the next line's Ans
    Eval::Formula exact; // empty Text where there is no exact form to show
    Eval::Formula decimal; // 10 significant digits
    // What stands before the decimal after an exact form: "≈", "=" where the decimal is the
    // value itself (3/4 = 0.75), nothing where it would repeat it (a whole number).
    QString relation;
    Ui::NamedValues copied; // 表达式, 精确值 (where there is one), 近似值 (15 digits)
    QString latex;
};

// An exact form longer than this is shown as its decimal alone (100! has 158 digits).
inline constexpr int LongestExactText = 60;

// The line worked out in the angle unit, with the last answer for "Ans"; refused with the
// reader's or the evaluation's reason.
Eval::Outcome<ScientificAnswer> CalculateScientific(const QString &line, Eval::AngleUnit unit,
                                                    const std::optional<Eval::MathValue> &ans);

// A fraction shown as a mixed number: 7/3 as 2⅓ (a whole number and a proper fraction);
// anything else as it is.
Eval::Formula AsMixedNumber(const Eval::MathValue &value, const Eval::Formula &exact);

// The history line of an answer: the line and what it gave ("5√3 ≈ 8.660254038").
Eval::HistoryEntry HistoryEntryOf(const QString &line,
                                  const Eval::Outcome<ScientificAnswer> &answer);

} // namespace Algebra
