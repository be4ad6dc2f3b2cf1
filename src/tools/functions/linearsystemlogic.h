#pragma once

#include "eval/outcome.h"
#include "eval/rational.h"

#include <QString>

#include <array>

namespace Functions {

// a1 x + b1 y = c1 (①) and a2 x + b2 y = c2 (②), with the numbers exactly as typed: whether
// the system has one solution is decided on them, never on rounded values.
struct LinearSystem
{
    Eval::Rational a1, b1, c1;
    Eval::Rational a2, b2, c2;
};

// Elimination by cross-multiplying: D x = X and D y = Y.
struct Elimination
{
    Eval::Rational determinant; // D = a1 b2 − a2 b1
    Eval::Rational xNumerator; // X = b2 c1 − b1 c2
    Eval::Rational yNumerator; // Y = a1 c2 − a2 c1

    // False when D is exactly 0: no solution or infinitely many.
    bool HasUniqueSolution() const { return determinant.Sign() != 0; }
};

Elimination Eliminate(const LinearSystem &system);

// Whether a system without a unique solution contradicts itself (otherwise its equations
// are dependent and it has infinitely many).
bool HasNoSolution(const LinearSystem &system, const Elimination &elimination);

// The worked steps and the solution as the window shows them ("\r\n" line breaks), a negative
// or fractional multiplier in brackets ("①×(-1)"), a solution that is no short decimal as a
// fraction with its decimal ("x=10000/3≈3333.333333333"); or, without a unique solution,
// "方程组无解" or "方程组有无数组解".
QString EliminationStepsText(const LinearSystem &system);
// The same for the typed a1, b1, c1, a2, b2 and c2 (empty is 0); a text that is no number is
// refused with the reason, naming its box.
Eval::Outcome<QString> EliminationStepsText(const std::array<QString, 6> &coefficients);

} // namespace Functions
