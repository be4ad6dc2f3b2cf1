#include "tools/functions/approximaterootlogic.h"

#include "eval/expression.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Ui;
using namespace Eval;

namespace Functions::ApproximateRoot {

namespace {

constexpr double Tolerance = 1e-7;
constexpr double FinestStep = 1e-6;
bool IsUndefined(double y)
{
    return !(std::fabs(y) < UndefinedValue);
}

void Tell(const SearchHooks &hooks, Answer::Kind kind, double x, double a = 0, double b = 0)
{
    if (hooks.answer)
        hooks.answer({kind, x, a, b});
}

bool IsDefined(double y)
{
    return std::fabs(y) < UndefinedValue;
}

// Defined, non-zero and of opposite signs: a root lies between (for a continuous f).
bool SignsDiffer(double y1, double y2)
{
    return IsDefined(y1) && IsDefined(y2) && y1 != 0 && y2 != 0 && (y1 < 0) != (y2 < 0);
}

enum class Outcome { Root, Dip, NotFound, Abandoned };

// Where a scan stands: the next x as text, |f| at the sample before and whether |f| fell there.
struct ScanState
{
    QString xt;
    double previous = 1e9;
    bool falling = true;
    bool first = true;
};

struct ScanResult
{
    Outcome outcome = Outcome::NotFound;
    double root = -1e10;
    double best = 1e9;
};

// Steps on from `state` to the next point where |f| stops falling after a fall (a dip, reported
// as the sample before), or vanishes. x is carried as its text, so that each step goes through
// the number-to-text rule and back and repeated steps do not drift. A step too small to move x
// ends the scan as if b was passed.
ScanResult Scan(const Function &f, ScanState &state, double b, double step,
                const SearchHooks &hooks)
{
    ScanResult result;
    for (;;) {
        const double x = TextToNumber(state.xt);
        if (x - b > Tolerance)
            return result;
        const double y = f(x);
        if (std::fabs(y) <= Tolerance) {
            result.root = x;
            result.outcome = Outcome::Root;
            return result;
        }
        // Below an undefined first sample lies nothing worth refining.
        if (state.first && IsUndefined(y))
            return result;
        state.first = false;
        const bool fell = state.previous - std::fabs(y) > Tolerance;
        if (!fell && state.falling) {
            result.root = x - step;
            result.best = state.previous;
            result.outcome = Outcome::Dip;
            state.falling = false;
            state.previous = std::fabs(y);
            return result;
        }
        state.falling = fell;
        state.previous = std::fabs(y);
        state.xt = NumberToText(x + step);
        if (!(TextToNumber(state.xt) > x))
            return result;
        if (!GoOn(hooks.keepGoing)) {
            result.outcome = Outcome::Abandoned;
            return result;
        }
    }
}

enum class Ending { Converged, Exact, NoMidpoint, Abandoned };

struct Convergence
{
    Ending ending = Ending::Converged;
    double x = 0;
};

// Halves a bracket whose ends differ in sign (f(lo) = flo) until its ends round alike.
Convergence Converge(const Function &f, double lo, double hi, double flo, int places,
                     const SearchHooks &hooks, bool tellSteps)
{
    for (;;) {
        const double m = (lo + hi) * 0.5;
        if (std::isnan(m))
            return {Ending::NoMidpoint};
        // Between neighbouring doubles the bracket can no longer shrink.
        if (m == lo || m == hi)
            return {Ending::Converged, m};
        const double fm = f(m);
        if (tellSteps && hooks.bisectionStep)
            hooks.bisectionStep({lo, hi, m, fm});
        if (fm == 0)
            return {Ending::Exact, m};
        if ((fm < 0) == (flo < 0)) {
            lo = m;
            flo = fm;
        } else {
            hi = m;
        }
        if (!GoOn(hooks.keepGoing))
            return {Ending::Abandoned};
        if (RoundTo(lo, places) == RoundTo(hi, places))
            return {Ending::Converged, (lo + hi) * 0.5};
    }
}

// Tells the outcome of a convergence; false when it was abandoned.
bool TellConvergence(const Convergence &done, double a, double b, const SearchHooks &hooks)
{
    switch (done.ending) {
    case Ending::Abandoned:
        return false;
    case Ending::NoMidpoint:
        Tell(hooks, Answer::Kind::NoSolution, 0, a, b);
        break;
    case Ending::Exact:
        Tell(hooks, Answer::Kind::RoundedExact, done.x);
        break;
    case Ending::Converged:
        Tell(hooks, Answer::Kind::Approximate, done.x);
        break;
    }
    return true;
}

// The answers and scans of a refinement, told only once it has found a root.
struct Refinement
{
    Outcome outcome = Outcome::NotFound;
    QList<Answer> answers;
    QList<ScanStep> scans;
};

// Where the finest dip at x holds a sign change, bisects it to `places` decimals.
std::optional<Convergence> SettleDip(const Function &f, double x, double step, int places,
                                     const SearchHooks &hooks)
{
    const double below = f(x - step);
    const double at = f(x);
    if (SignsDiffer(below, at))
        return Converge(f, x - step, x, below, places, hooks, false);
    if (SignsDiffer(at, f(x + step)))
        return Converge(f, x, x + step, at, places, hooks, false);
    return std::nullopt;
}

// Scans ever finer windows around a dip found with step 1 down to the finest step, each kept
// inside [a, b]: a root beyond it is no answer.
Refinement Refine(const Function &f, const ScanResult &dip, double a, double b, int places,
                  const SearchHooks &hooks)
{
    const double first = a;
    const double last = b;
    Refinement refinement;
    ScanResult scan = dip;
    double step = 1;
    for (;;) {
        refinement.scans.append({step, a, b, scan.root, f(scan.root)});
        if (scan.outcome == Outcome::Root) {
            refinement.answers.append({Answer::Kind::Exact, scan.root});
            refinement.outcome = Outcome::Root;
            return refinement;
        }
        if (step - FinestStep <= Tolerance)
            break;
        refinement.answers.append({Answer::Kind::Approximate, scan.root});
        step /= 10;
        a = std::max(scan.root - 10 * step, first);
        b = std::min(scan.root + 10 * step, last);
        ScanState state{NumberToText(a)};
        scan = Scan(f, state, b, step, hooks);
        if (scan.outcome == Outcome::Abandoned || scan.outcome == Outcome::NotFound) {
            refinement.outcome = scan.outcome;
            return refinement;
        }
    }
    const std::optional<Convergence> settled = SettleDip(f, scan.root, step, places, hooks);
    if (!settled)
        return refinement;
    if (settled->ending == Ending::Abandoned) {
        refinement.outcome = Outcome::Abandoned;
        return refinement;
    }
    refinement.answers.append({settled->ending == Ending::Exact ? Answer::Kind::RoundedExact
                                                                : Answer::Kind::Approximate,
                               settled->x});
    refinement.outcome = Outcome::Root;
    return refinement;
}

} // namespace

QString AnswerText(const Answer &answer, int places)
{
    switch (answer.kind) {
    case Answer::Kind::Exact:
        return QStringLiteral("x=") + NumberToText(answer.x);
    case Answer::Kind::RoundedExact:
        return QStringLiteral("x=") + NumberToText(RoundTo(answer.x, places));
    case Answer::Kind::Approximate:
        return QStringLiteral("x≈") + NumberToText(RoundTo(answer.x, places));
    case Answer::Kind::NoSolution:
        break;
    }
    return QStringLiteral("x在定义域[") + NumberToText(answer.a) + QLatin1Char(',')
            + NumberToText(answer.b) + QStringLiteral("]内无解");
}

SearchInterval ReadInterval(const QString &first, const QString &last)
{
    return {TextToNumber(first), TextToNumber(last)};
}

QString BisectionImpossibleText()
{
    return QStringLiteral("[a,b]内f(a)×f(b)<≥0，将无法使用二分法求值，将使用枚举法试求。");
}

bool Bisect(const Function &f, double a, double b, int places, const SearchHooks &hooks)
{
    const double fa = f(a);
    if (!SignsDiffer(fa, f(b))) {
        if (hooks.bisectionImpossible)
            hooks.bisectionImpossible();
        return GoOn(hooks.keepGoing) && Enumerate(f, a, b, places, hooks);
    }
    return TellConvergence(Converge(f, a, b, fa, places, hooks, true), a, b, hooks);
}

bool Enumerate(const Function &f, double a, double b, int places, const SearchHooks &hooks)
{
    ScanState coarse{NumberToText(a)};
    for (;;) {
        const ScanResult scan = Scan(f, coarse, b, 1, hooks);
        if (scan.outcome == Outcome::Abandoned)
            return false;
        if (scan.outcome == Outcome::NotFound) {
            const double fa = f(a);
            if (a < b && SignsDiffer(fa, f(b)))
                return TellConvergence(Converge(f, a, b, fa, places, hooks, false), a, b, hooks);
            Tell(hooks, Answer::Kind::NoSolution, 0, a, b);
            return true;
        }
        const Refinement refinement = Refine(f, scan, a, b, places, hooks);
        if (refinement.outcome == Outcome::Abandoned)
            return false;
        if (refinement.outcome == Outcome::Root) {
            if (hooks.scanStep) {
                for (const ScanStep &step : refinement.scans)
                    hooks.scanStep(step);
            }
            for (const Answer &answer : refinement.answers)
                Tell(hooks, answer.kind, answer.x);
            return true;
        }
        if (!GoOn(hooks.keepGoing))
            return false;
    }
}

} // namespace Functions::ApproximateRoot
