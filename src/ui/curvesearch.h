#pragma once

#include "eval/expression.h"

// The searches that find a curve's marked points between its samples, shared by the graph's
// instrument (curvesampler.h) and the analysis of 函数基本信息, so that both place a peak, a
// valley or a zero alike.
namespace Ui {

// Neither the undefined-value marker nor a value that is not finite.
bool IsDefinedValue(double value);

struct CurveFound
{
    double x;
    double value;
    double low; // where it was narrowed down to
    double high;
    bool defined = true;
};

// Golden-section search for the peak (or valley) of f on [low, high], which holds `seed`
// (x, value), until the bracket is narrower than smallestWidth.
CurveFound SearchExtremum(const Eval::PreparedFunction &f, double low, double high, double seedX,
                          double seedValue, bool peak, double smallestWidth, int &evaluations);
// Bisection of a sign change of f on [low, high]; not defined when it meets an undefined value.
CurveFound SearchZero(const Eval::PreparedFunction &f, double low, double lowValue, double high,
                      double smallestWidth, int &evaluations);

} // namespace Ui
