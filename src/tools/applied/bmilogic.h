#pragma once

#include "eval/outcome.h"

#include <QString>

#include <vector>

namespace Applied {

enum class HeightUnit { Metre, Centimetre };
enum class WeightUnit { Kilogram, Jin }; // one 市斤 is half a kilogram

// The categories in the order of their bounds 18.5, 25, 28 and 32.
enum class BmiCategory { Underweight, Moderate, Overweight, Obese, Heavy };

// The one place that knows the bounds; the calculator and the chart both ask it.
constexpr int CategoryCount = 5;
// The lower bound of every category but the first, in order.
std::vector<double> CategoryBounds();
BmiCategory CategoryOf(double bmi);
QString CategoryText(BmiCategory category);

double BmiOf(double kilograms, double metres);

struct BmiResult
{
    double bmi = 0;
    QString indexText;
    QString categoryText;
};

// The index of the typed height and weight in their units, or the refusal for the message box:
// "请输入正确的身高！" below 0.5 m (50 cm), else "请输入正确的体重！" below 3 kg (6 市斤). Empty or
// non-numeric text reads as 0, and so is refused.
Eval::Outcome<BmiResult> ComputeBmi(const QString &height, HeightUnit heightUnit,
                                    const QString &weight, WeightUnit weightUnit);

// The table of the chart: heights 145.0 to 190.0 cm by 2.5 (rows), weights 45 to 90 kg (columns).
std::vector<double> ChartHeightsCm();
std::vector<double> ChartWeightsKg();
// A chart cell shows its index cut to one decimal, so it never reads as a neighbouring category.
QString ChartCellText(double bmi);

} // namespace Applied
