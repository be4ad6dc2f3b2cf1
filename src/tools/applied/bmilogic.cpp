#include "tools/applied/bmilogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <cmath>

using namespace Eval;

namespace Applied {

namespace {

constexpr double Tolerance = 1e-7;

// x < bound, with values just below the bound counting as reaching it.
bool Below(double x, double bound)
{
    return x - bound < -Tolerance;
}

std::vector<double> Steps(double first, double last, double step)
{
    std::vector<double> values;
    const int count = int(std::lround((last - first) / step)) + 1;
    for (int i = 0; i < count; ++i)
        values.push_back(first + i * step);
    return values;
}

} // namespace

std::vector<double> CategoryBounds()
{
    return {18.5, 25, 28, 32};
}

BmiCategory CategoryOf(double bmi)
{
    static const std::vector<double> bounds = CategoryBounds();
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (Below(bmi, bounds[i]))
            return BmiCategory(i);
    }
    return BmiCategory::Heavy;
}

QString CategoryText(BmiCategory category)
{
    switch (category) {
    case BmiCategory::Underweight:
        return QStringLiteral("过轻");
    case BmiCategory::Moderate:
        return QStringLiteral("适中");
    case BmiCategory::Overweight:
        return QStringLiteral("过重");
    case BmiCategory::Obese:
        return QStringLiteral("肥胖");
    case BmiCategory::Heavy:
        break;
    }
    return QStringLiteral("超重");
}

double BmiOf(double kilograms, double metres)
{
    return kilograms / (metres * metres);
}

Outcome<BmiResult> ComputeBmi(const QString &heightText, HeightUnit heightUnit,
                              const QString &weightText, WeightUnit weightUnit)
{
    const double height = TextToNumber(heightText);
    const double weight = TextToNumber(weightText);
    const bool metres = heightUnit == HeightUnit::Metre;
    const bool kilograms = weightUnit == WeightUnit::Kilogram;
    if (Below(height, metres ? 0.5 : 50))
        return Refuse(QStringLiteral("请输入正确的身高！"));
    if (Below(weight, kilograms ? 3 : 6))
        return Refuse(QStringLiteral("请输入正确的体重！"));
    BmiResult result;
    result.bmi = BmiOf(kilograms ? weight : weight / 2, metres ? height : height / 100);
    result.indexText = NumberToText(RoundTo(result.bmi, 4));
    result.categoryText = CategoryText(CategoryOf(result.bmi));
    return result;
}

std::vector<double> ChartHeightsCm()
{
    return Steps(145, 190, 2.5);
}

std::vector<double> ChartWeightsKg()
{
    return Steps(45, 90, 5);
}

QString ChartCellText(double bmi)
{
    // The same tolerance as the bounds: 24.99999999 is shown as 25.0, like its category.
    return FormatNumber(std::floor((bmi + Tolerance) * 10) / 10, 1);
}

} // namespace Applied
