#pragma once

// What the profit window reads from its controls.
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
