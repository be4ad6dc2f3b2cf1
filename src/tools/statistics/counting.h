#pragma once

#include "eval/outcome.h"
#include "ui/namedvalues.h"
#include "ui/working.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Statistics {

// "排列组合": the number of arrangements A(n, m) = n!/(n−m)!, of combinations C(n, m) and n!,
// exact at any size up to MaxCountingDigits digits, and the rows of 杨辉三角.

constexpr long long MaxCountingN = 1'000'000;
constexpr long MaxCountingDigits = 1'000'000;
constexpr int MaxPascalRow = 60;

// "A", "C" (when m is typed) and "n!", each in full in the copy; m > n gives 0 and says why.
Eval::Outcome<Ui::NamedValues> CountArrangements(const QString &nText, const QString &mText);
// As the textbook writes them: A₁₀³ = 10×9×8 = 720, C₁₀³ = A₁₀³/3! = 720/6 = 120, 5! = 5×4×3×2×1.
Ui::Working CountingWorking(const QString &nText, const QString &mText);
// Rows 0 to n of 杨辉三角, each the numbers C(row, 0) … C(row, row).
Eval::Outcome<QList<QStringList>> PascalTriangle(const QString &lastRowText);

} // namespace Statistics
