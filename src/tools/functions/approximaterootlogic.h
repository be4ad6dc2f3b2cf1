#pragma once

#include "ui/keepgoing.h"

#include <QList>
#include <QString>

#include <functional>

// The approximate roots of f(x) = 0 in [a, b], by bisection or by an upward scan whose step
// shrinks tenfold around the places where |f| dips.
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

// What the window shows of a search's answers: the first line ("答案": the first root or that
// there is none), then a line for each further root, at most MostRootsListed and a line that
// counts the rest. A search stopped before its end says so after what it found.
struct ShownAnswers
{
    QString first;
    QStringList further;
};
constexpr int MostRootsListed = 10000;
ShownAnswers ShowAnswers(const QList<Answer> &answers, bool complete, int places);

// One halving of the bracket: [a, b] before it, its midpoint c and f(c).
struct BisectionStep
{
    double a = 0;
    double b = 0;
    double c = 0;
    double fc = 0;
};

// One scan of the enumeration that led to its first answer: the step, the window scanned and
// the point where |f| stopped falling or f changed its sign, with f there.
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
    // The answers once the search is done: the first root (or NoSolution), then every further
    // root from left to right. An abandoned search tells the roots it found so far, with
    // `complete` false.
    std::function<void(const QList<Answer> &answers, bool complete)> answers;
    // Told where f(a)·f(b) ≥ −1e-7 has handed the bisection over to the scan, once the scan
    // is done: whether it found a root.
    std::function<void(bool rootsFound)> bisectionImpossible;
    // The working, when wanted: every halving of a bisection; the scans of an enumeration that
    // found its first answer, told just before the answers.
    std::function<void(const BisectionStep &)> bisectionStep;
    std::function<void(const ScanStep &)> scanStep;
    // How far the scan has come, from 0 to 1.
    std::function<void(double done)> progress;
};

// The interval of the typed ends, each read by the text-to-number rule (empty is 0).
struct SearchInterval
{
    double a = 0;
    double b = 0;
};
SearchInterval ReadInterval(const QString &first, const QString &last);

// The message that bisection gives way to enumeration; where the enumeration found roots, it
// adds that the step-by-step search can be chosen.
QString BisectionImpossibleText(bool rootsFound = false);

// No root is where f is undefined, grows without bound (a pole) or jumps: a sign change is a
// root only where |f| vanishes as the bracket closes in on it.
//
// Both return false when the search was abandoned. `places` is the precision the answer needs.
// Where f(a) and f(b) differ in sign (an end where f is undefined, such as the pole of 1/x
// at 0, moved to the nearest x where it is defined), halves [a, b], keeping the half whose
// ends differ in sign, until both ends round alike to `places` decimals, so that the answer
// agrees with the root to its last decimal ("x≈"); an exact zero at a midpoint ends it there
// ("x="). Between neighbouring doubles it stops with the midpoint; where the midpoint is not a
// number (infinite ends), with NoSolution. Without such a sign change, or where it closes in
// on a pole or a jump, it hands over to the scan.
bool Bisect(const Function &f, double a, double b, int places, const SearchHooks &hooks);
// Scans upward from a with step 1 (each x the 13-digit text of the one before plus 1, as the
// working writes it) to b inclusive. Every sample where |f| ≤ 1e-7 is a root as found ("x=");
// every sign change between neighbouring samples that is a root is bisected to `places`
// decimals; around every dip of |f| without either, ever finer scans with steps 0.1 … 1e-6 look
// for a root there (a double root, two close ones). Where the step cannot move x any further,
// the rest of [a, b] is bisected if its ends differ in sign. Roots that read alike to `places`
// decimals are one.
bool Enumerate(const Function &f, double a, double b, int places, const SearchHooks &hooks);

} // namespace Functions::ApproximateRoot
