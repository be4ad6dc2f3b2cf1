#pragma once

#include "eval/outcome.h"
#include "tools/statistics/accuratesum.h"
#include "tools/statistics/datastatistics.h"
#include "tools/statistics/datatable.h"
#include "ui/keepgoing.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace Statistics {

// "双变量": the sums of paired data, the correlation coefficient r and six fitted curves, each
// by least squares through a QR factorisation of the centred, scaled data (never the normal
// equations, which square the condition).

struct PairedData
{
    std::vector<DoubleDouble> x;
    std::vector<DoubleDouble> y;
    QString problems; // the rows left out and why, for the message beside the table
};
// Refused when no row has both x and y (the refusal says why).
Eval::Outcome<PairedData> CollectPairs(const DataTable &table);

enum class Model { Linear, Quadratic, Exponential, Logarithmic, Power, Inverse };
constexpr Model Models[] = {Model::Linear,      Model::Quadratic, Model::Exponential,
                            Model::Logarithmic, Model::Power,     Model::Inverse};

// "线性", "二次", …, and the curve in the textbook's letters ("ŷ = b̂x + â").
QString ModelName(Model model);
QString ModelFormula(Model model);

struct ModelFit
{
    Model model = Model::Linear;
    // In the order the model's formula names them: b̂, â for the line; a, b, c for the
    // parabola; a, b for the others.
    std::vector<double> coefficients;
    // 1 − Σ(y − ŷ)² / Σ(y − ȳ)² on the data as typed, also for the curves fitted on ln y, so
    // that the six can be compared; refused when every y is the same.
    Eval::Outcome<double> rSquared = Eval::Refuse(QString());

    // ŷ at x: NaN where the curve has no value.
    double At(double x) const;
};

struct TwoVariableFigures
{
    double n = 0;
    double meanX = 0;
    double meanY = 0;
    double sumX = 0;
    double sumY = 0;
    double sumXSquared = 0;
    double sumYSquared = 0;
    double sumXY = 0;
    double centredXX = 0; // Σ(x − x̄)², Σ(y − ȳ)², Σ(x − x̄)(y − ȳ)
    double centredYY = 0;
    double centredXY = 0;
    Eval::Outcome<double> r = Eval::Refuse(QString());
    // One per model, in the order of Models; a refusal says why the model does not apply.
    std::vector<Eval::Outcome<ModelFit>> fits;
};
// Nothing when keepGoing stops it.
std::optional<TwoVariableFigures> AnalyseTwoVariables(const PairedData &data,
                                                      const Ui::KeepGoing &keepGoing = {});

// n, 平均数x, … r, then each model's coefficients and R², under the names and in the order
// they are copied; a model that does not apply gives its reason as each of its values.
Ui::NamedValues TwoVariableValues(const TwoVariableFigures &figures, int shownDigits);

// The fitted curve with its numbers ("ŷ = 0.6x + 2.2"), to so many significant digits.
QString FittedEquation(const ModelFit &fit, int significantDigits);

// 预测: ŷ for a typed x on a fitted curve, and x̂ for a typed y on the line.
Eval::Outcome<double> PredictY(const ModelFit &fit, const QString &xText);
Eval::Outcome<double> PredictX(const ModelFit &line, const QString &yText);

} // namespace Statistics
