#pragma once

#include <QString>

#include <vector>

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
    QString error; // the message to show; empty when the inputs were accepted
    double bmi = 0;
    QString indexText;
    QString categoryText;
};

BmiResult ComputeBmi(double height, HeightUnit heightUnit, double weight, WeightUnit weightUnit);

// The table of the chart: heights 145.0 to 190.0 cm by 2.5 (rows), weights 45 to 90 kg (columns).
std::vector<double> ChartHeightsCm();
std::vector<double> ChartWeightsKg();
// A chart cell shows its index cut to one decimal, so it never reads as a neighbouring category.
QString ChartCellText(double bmi);
