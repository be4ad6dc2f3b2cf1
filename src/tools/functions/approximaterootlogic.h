#pragma once

#include "ui/keepgoing.h"

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

// One halving of the bracket: [a, b] before it, its midpoint c and f(c).
struct BisectionStep
{
    double a = 0;
    double b = 0;
    double c = 0;
    double fc = 0;
};

// One scan of the enumeration that led to its answer: the step, the window scanned and the
// point where |f| stopped falling (or vanished), with f there.
struct ScanStep
{
    double step = 0;
    double from = 0;
    double to = 0;
    double x = 0;
    double fx = 0;
};

struct SearchHooks
{
    // Asked after every step; a no abandons the search.
    Ui::KeepGoing keepGoing;
    // Every answer as it is written; the last one stands.
    std::function<void(const Answer &)> answer;
    // Told before an interval where f(a)·f(b) ≥ −1e-7 hands the bisection over to the scan.
    std::function<void()> bisectionImpossible;
    // The working, when wanted: every halving of a bisection; the scans of an enumeration
    // that found its answer, told just before that answer.
    std::function<void(const BisectionStep &)> bisectionStep;
    std::function<void(const ScanStep &)> scanStep;
};

// The interval of the typed ends, each read by the text-to-number rule (empty is 0).
struct SearchInterval
{
    double a = 0;
    double b = 0;
};
SearchInterval ReadInterval(const QString &first, const QString &last);

// The message that bisection gives way to enumeration.
QString BisectionImpossibleText();

// Both return false when the search was abandoned. `places` is the precision the answer needs.
// Where f(a) and f(b) are defined and of opposite signs, halves [a, b], keeping the half whose
// ends differ in sign, until both ends round alike to `places` decimals, so that the answer
// agrees with the root to its last decimal ("x≈"); an exact zero at a midpoint ends it there
// ("x="). Between neighbouring doubles it stops with the midpoint; where the midpoint is not a
// number (infinite ends), with NoSolution. Without such a sign change it hands over to the scan.
bool Bisect(const Function &f, double a, double b, int places, const SearchHooks &hooks);
// Scans upward from a with step 1 to the first dip of |f|, then around it with steps 0.1 … 1e-6.
// A dip counts only where f vanishes (|f| ≤ 1e-7, "x=") or changes sign at the finest step; the
// point is then bisected to `places` decimals. A dip without a root is passed over and the scan
// goes on. Where it reaches b without a root although f(a) and f(b) differ in sign (the scan
// stepped over it, or cannot step at that size), the bracket is bisected. A scan whose first
// sample is undefined finds nothing; nothing found gives NoSolution with the window scanned.
bool Enumerate(const Function &f, double a, double b, int places, const SearchHooks &hooks);

} // namespace Functions::ApproximateRoot
