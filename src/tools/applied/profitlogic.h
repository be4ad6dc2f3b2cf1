#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Applied {

// The numbers of a computation.
struct ProfitInputs
{
    double principal = 0;
    double ratePercent = 0; // per time unit
    double time = 0; // in time units
    double base = 0; // the base of continuous compounding, as the user typed it
    bool loan = false;
    bool compound = false;
};

// Simple interest P·t·r, or with compounding the whole amount P·base^(r·t); a loan is negative.
double ComputeProfit(const ProfitInputs &inputs);

// What the profit window hands over: its boxes' texts (non-numeric text reads as 0) and options.
struct ProfitTexts
{
    QString principal;
    QString ratePercent;
    QString time;
    QString base;
    bool loan = false;
    bool compound = false;
};

// What set the computation off: an edit of the inputs, which waits until principal, rate and
// time are all typed, or a click on the compounding option, which computes whatever they hold.
enum class ProfitTrigger { InputsEdited, CompoundingClicked };

// What "结果" shows: the profit's text, or nothing (a refusal without text) while an edit left
// principal, rate or time empty, since a result shown then would belong to other inputs.
Eval::Outcome<QString> ProfitFor(const ProfitTexts &texts, ProfitTrigger trigger);

} // namespace Applied
