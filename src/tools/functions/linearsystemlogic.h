#pragma once

#include <QString>

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

// The worked steps and the solution as the window shows them ("\r\n" line breaks), or
// "错误！分母不能等于0" when there is no unique solution.
QString EliminationStepsText(const LinearSystem &system);

} // namespace Functions
