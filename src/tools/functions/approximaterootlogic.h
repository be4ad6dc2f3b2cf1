#pragma once

#include <QString>

#include <functional>

// One approximate root of f(x) = 0 in [a, b], by bisection or by an upward scan whose step
// shrinks tenfold around the best point found.
namespace Functions::ApproximateRoot {

using Function = std::function<double(double)>;

struct Answer
{
    enum class Kind {
        Exact, // "x=" and the value as found
        RoundedExact, // "x=" and the value rounded
        Approximate, // "x≈" and the value rounded
        NoSolution, // "x在定义域[a,b]内无解"
    };
    Kind kind = Kind::NoSolution;
    double x = 0;
    double a = 0;
    double b = 0;
};

// The answer's text with `places` decimal places where it is rounded.
QString AnswerText(const Answer &answer, int places);

struct SearchHooks
{
    // Asked after every step; false abandons the search.
    std::function<bool()> keepGoing;
    // Every answer as it is written; the last one stands.
    std::function<void(const Answer &)> answer;
    // Told before an interval where f(a)·f(b) ≥ −1e-7 hands the bisection over to the scan.
    std::function<void()> bisectionImpossible;
};

// The message that bisection gives way to enumeration.
QString BisectionImpossibleText();

// Both return false when the search was abandoned.
// Halves [a, b] until it is about 1e-6 wide, keeping the half where f(lo)·f(m) < −1e-7. Stops
// early where the midpoint equals an end (neighbouring doubles) with that midpoint, and where it
// is not a number with NoSolution.
bool Bisect(const Function &f, double a, double b, const SearchHooks &hooks);
// Scans upward from a with step 1 to the first dip of |f|, then around it with steps 0.1 … 1e-6.
// A scan whose first sample is undefined finds nothing (NoSolution).
bool Enumerate(const Function &f, double a, double b, const SearchHooks &hooks);

} // namespace Functions::ApproximateRoot
