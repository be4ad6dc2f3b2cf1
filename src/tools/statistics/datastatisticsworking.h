#pragma once

#include "tools/statistics/datastatistics.h"
#include "tools/statistics/regression.h"
#include "ui/working.h"

namespace Statistics {

// "解题过程" of "数据统计", as a student writes it in homework: the textbook's formula, the data
// put into it (the first values and the last ones where there are many), the sums, the result.
// Numbers to so many significant digits.

// 平均数, 方差 and 标准差 with 1/n, and the sample's with 1/(n−1).
Ui::Working OneVariableWorking(const OneVariableData &data, const OneVariableFigures &figures,
                               int significantDigits);
// The line ŷ = b̂x + â by the textbook's formula for b̂.
Ui::Working LinearFitWorking(const TwoVariableFigures &figures, int significantDigits);

} // namespace Statistics
