#pragma once

#include <QString>

#include <array>

namespace Functions {

// a1 x + b1 y = c1 (①) and a2 x + b2 y = c2 (②).
struct LinearSystem
{
    double a1 = 0, b1 = 0, c1 = 0;
    double a2 = 0, b2 = 0, c2 = 0;
};

// Elimination by cross-multiplying: D x = X and D y = Y.
struct Elimination
{
    double determinant = 0; // D = a1 b2 − a2 b1
    double xNumerator = 0; // X = b2 c1 − b1 c2
    double yNumerator = 0; // Y = a1 c2 − a2 c1

    // False when |D| <= 1e-7: no solution or infinitely many.
    bool HasUniqueSolution() const;
};

Elimination Eliminate(const LinearSystem &system);

// Whether a system without a unique solution contradicts itself (otherwise its equations
// are dependent and it has infinitely many), decided with the same 1e-7 tolerance as D.
bool HasNoSolution(const LinearSystem &system, const Elimination &elimination);

// The worked steps and the solution as the window shows them ("\r\n" line breaks), or, when
// there is no unique solution, "方程组无解" or "方程组有无数组解".
QString EliminationStepsText(const LinearSystem &system);
// The same for the typed a1, b1, c1, a2, b2 and c2, each read by the text-to-number rule
// (empty is 0).
QString EliminationStepsText(const std::array<QString, 6> &coefficients);

} // namespace Functions
