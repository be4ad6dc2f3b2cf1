#include "tools/functions/approximaterootlogic.h"

#include "eval/expression.h"
#include "eval/numbertext.h"

#include <cmath>

namespace Functions::ApproximateRoot {

namespace {

constexpr double Tolerance = 1e-7;
constexpr double FinestStep = 1e-6;
bool IsUndefined(double y)
{
    return !(std::fabs(y) < UndefinedValue);
}

bool KeepGoing(const SearchHooks &hooks)
{
    return !hooks.keepGoing || hooks.keepGoing();
}

void Tell(const SearchHooks &hooks, Answer::Kind kind, double x, double a = 0, double b = 0)
{
    if (hooks.answer)
        hooks.answer({kind, x, a, b});
}

enum class Outcome { Root, Dip, NotFound, Abandoned };

struct ScanResult
{
    Outcome outcome = Outcome::NotFound;
    double root = -1e10;
    double best = 1e9;
};

// x is carried as its text, so that each step goes through the number-to-text rule and back
// and repeated steps do not drift.
ScanResult Scan(const Function &f, double a, double b, double step, const SearchHooks &hooks)
{
    ScanResult result;
    QString xt = NumberToText(a);
    for (bool first = true;; first = false) {
        const double x = TextToNumber(xt);
        if (x - b > Tolerance)
            return result;
        const double y = f(x);
        if (std::fabs(y) <= Tolerance) {
            result.root = x;
            result.outcome = Outcome::Root;
            return result;
        }
        // Below an undefined first sample lies nothing worth refining.
        if (first && IsUndefined(y))
            return result;
        if (result.best - std::fabs(y) <= Tolerance) {
            result.root = x - step;
            result.outcome = Outcome::Dip;
            return result;
        }
        result.best = std::fabs(y);
        xt = NumberToText(x + step);
        if (!KeepGoing(hooks)) {
            result.outcome = Outcome::Abandoned;
            return result;
        }
    }
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

QString BisectionImpossibleText()
{
    return QStringLiteral("[a,b]内f(a)×f(b)<≥0，将无法使用二分法求值，将使用枚举法试求。");
}

bool Bisect(const Function &f, double a, double b, const SearchHooks &hooks)
{
    if (f(a) * f(b) >= -Tolerance) {
        if (hooks.bisectionImpossible)
            hooks.bisectionImpossible();
        return KeepGoing(hooks) && Enumerate(f, a, b, hooks);
    }
    const double middle = (a + b) * 0.5;
    if (std::isnan(middle)) {
        Tell(hooks, Answer::Kind::NoSolution, 0, a, b);
        return true;
    }
    if (std::fabs(f(middle)) <= Tolerance) {
        Tell(hooks, Answer::Kind::RoundedExact, middle);
        return true;
    }
    double lo = a;
    double hi = b;
    do {
        const double m = (lo + hi) * 0.5;
        // Between neighbouring doubles (or infinite ends) the bracket can no longer shrink.
        if (std::isnan(m)) {
            Tell(hooks, Answer::Kind::NoSolution, 0, a, b);
            return true;
        }
        if (m == lo || m == hi)
            break;
        if (f(lo) * f(m) < -Tolerance)
            hi = m;
        else
            lo = m;
        if (!KeepGoing(hooks))
            return false;
    } while (!(std::fabs(lo - hi) - FinestStep <= Tolerance));
    Tell(hooks, Answer::Kind::Approximate, (lo + hi) * 0.5);
    return true;
}

bool Enumerate(const Function &f, double a, double b, const SearchHooks &hooks)
{
    double step = 1;
    for (;;) {
        const ScanResult scan = Scan(f, a, b, step, hooks);
        switch (scan.outcome) {
        case Outcome::Abandoned:
            return false;
        case Outcome::Root:
            Tell(hooks, Answer::Kind::Exact, scan.root);
            return true;
        case Outcome::NotFound:
            Tell(hooks, Answer::Kind::NoSolution, 0, a, b);
            return true;
        case Outcome::Dip:
            break;
        }
        Tell(hooks, Answer::Kind::Approximate, scan.root);
        if (step - FinestStep <= Tolerance)
            return true;
        step /= 10;
        a = scan.root - 10 * step;
        b = scan.root + 10 * step;
        if (!(scan.best - step >= -Tolerance)) {
            Tell(hooks, Answer::Kind::Approximate, scan.root);
            return true;
        }
    }
}

} // namespace Functions::ApproximateRoot
