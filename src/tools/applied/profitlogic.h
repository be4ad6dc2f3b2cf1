#pragma once

#include "eval/outcome.h"

#include <QString>

namespace Applied {

// How the interest grows: simple interest P·r·t; compound interest as the school writes it,
// P(1+r)ⁿ with n the number of time units; continuous compounding P·base^(r·t).
enum class Interest { Simple, Compound, Continuous };

// The numbers of a computation.
struct ProfitInputs
{
    double principal = 0;
    double ratePercent = 0; // per time unit
    double time = 0; // in time units
    double base = 0; // the base of continuous compounding, as the user typed it
    bool loan = false;
    Interest interest = Interest::Simple;
};

struct Profit
{
    double interest = 0; // "利润": earned on a deposit, negative (owed) on a loan; never -0
    double amount = 0; // "本息和": principal and interest together, what is paid out or back
};

// The interest of the inputs, worked out without the cancellation of amount − principal.
Profit ComputeProfit(const ProfitInputs &inputs);

// What the profit window hands over: its boxes' texts (non-numeric text reads as 0) and options.
struct ProfitTexts
{
    QString principal;
    QString ratePercent;
    QString time;
    QString base;
    bool loan = false;
    Interest interest = Interest::Simple;
};

// What set the computation off: an edit of the inputs, which waits until principal, rate and
// time are all typed, or a click on a compounding option, which computes whatever they hold.
enum class ProfitTrigger { InputsEdited, CompoundingClicked };

// The texts of "利润" and "本息和".
struct ProfitTextsShown
{
    QString interest, amount;
};

// What the window shows, or nothing (a refusal without text) while an edit left principal,
// rate or time empty, since a result shown then would belong to other inputs.
Eval::Outcome<ProfitTextsShown> ProfitFor(const ProfitTexts &texts, ProfitTrigger trigger);

} // namespace Applied
