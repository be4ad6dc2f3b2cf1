#include "tools/functions/approximaterootlogic.h"

#include "eval/expression.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

using namespace Ui;
using namespace Eval;

namespace Functions::ApproximateRoot {

namespace {

constexpr double Tolerance = 1e-7;
constexpr double FinestStep = 1e-6;
// Halvings enough to close any bracket of doubles down to neighbouring ones.
constexpr int MostHalvings = 2200;

bool IsDefined(double y)
{
    return std::fabs(y) < UndefinedValue;
}

// |f|, infinite where f is undefined: a pole is no dip.
double Magnitude(double y)
{
    return IsDefined(y) ? std::fabs(y) : qInf();
}

// Defined, non-zero and of opposite signs: a root, a pole or a jump lies between.
bool SignsDiffer(double y1, double y2)
{
    return IsDefined(y1) && IsDefined(y2) && y1 != 0 && y2 != 0 && (y1 < 0) != (y2 < 0);
}

// The next x of a scan: x plus the step, as its 13-digit text reads back (no drift).
double Advanced(double x, double step)
{
    return ShownValue(x + step);
}

double Middle(double lo, double hi)
{
    return lo * 0.5 + hi * 0.5;
}

struct Sample
{
    double x = 0;
    double y = 0;
};

struct Bracket
{
    Sample lo;
    Sample hi;
};

enum class Ending { Converged, Exact, NoMidpoint, Undefined, Abandoned };

struct Convergence
{
    Ending ending = Ending::Converged;
    double x = 0;
    Bracket bracket;
};

// Halves a bracket whose ends differ in sign until its ends round alike to `places` decimals.
Convergence Converge(const Function &f, Bracket bracket, int places, const KeepGoing &keepGoing,
                     QList<BisectionStep> *steps = nullptr)
{
    Sample &lo = bracket.lo;
    Sample &hi = bracket.hi;
    for (;;) {
        const double m = (lo.x + hi.x) * 0.5;
        if (std::isnan(m))
            return {Ending::NoMidpoint, 0, {}};
        // Between neighbouring doubles the bracket can no longer shrink.
        if (m == lo.x || m == hi.x)
            return {Ending::Converged, m, bracket};
        const double fm = f(m);
        if (steps)
            steps->append({lo.x, hi.x, m, fm});
        if (fm == 0)
            return {Ending::Exact, m, bracket};
        if (!IsDefined(fm))
            return {Ending::Undefined, m, bracket};
        ((fm < 0) == (lo.y < 0) ? lo : hi) = {m, fm};
        if (!GoOn(keepGoing))
            return {Ending::Abandoned, 0, {}};
        if (RoundTo(lo.x, places) == RoundTo(hi.x, places))
            return {Ending::Converged, (lo.x + hi.x) * 0.5, bracket};
    }
}

enum class Certificate { Root, NotRoot, Abandoned };

// Whether the sign change in the bracket is a root: halved on until its ends are neighbouring
// x (as the 13-digit text of x the function is evaluated at tells them apart), |f| at its ends
// has fallen to a hundredth of `first` (|f| at the ends of the first bracket), as it does at a
// root; at a jump it stays, at a pole it grows, and where f is undefined lies no root.
Certificate Certify(const Function &f, Bracket bracket, double first, const KeepGoing &keepGoing)
{
    for (int halving = 0; halving < MostHalvings; ++halving) {
        const double m = Middle(bracket.lo.x, bracket.hi.x);
        const double shown = ShownValue(m);
        if (!(m > bracket.lo.x && m < bracket.hi.x) || shown == ShownValue(bracket.lo.x)
            || shown == ShownValue(bracket.hi.x))
            break;
        const double fm = f(m);
        if (!IsDefined(fm))
            return Certificate::NotRoot;
        if (fm == 0)
            return Certificate::Root;
        ((fm < 0) == (bracket.lo.y < 0) ? bracket.lo : bracket.hi) = {m, fm};
        if (!GoOn(keepGoing))
            return Certificate::Abandoned;
    }
    const double last = std::fabs(bracket.lo.y) + std::fabs(bracket.hi.y);
    return last <= 1e-2 * first ? Certificate::Root : Certificate::NotRoot;
}

// Where f is undefined at `from`, the x nearest to it toward `toward` where it is defined.
std::optional<Sample> NearestDefined(const Function &f, double from, double toward)
{
    Sample near{from, f(from)};
    if (IsDefined(near.y))
        return near;
    Sample defined{toward, f(toward)};
    if (!IsDefined(defined.y) || !std::isfinite(from) || !std::isfinite(toward))
        return std::nullopt;
    for (int halving = 0; halving < MostHalvings; ++halving) {
        const double m = Middle(near.x, defined.x);
        if (m == near.x || m == defined.x)
            break;
        const double fm = f(m);
        (IsDefined(fm) ? defined : near) = {m, fm};
    }
    return defined;
}

struct Root
{
    Answer answer;
    QList<ScanStep> scans;
};

// The scan of the enumeration: every root in [a, b], from left to right.
class Enumeration
{
public:
    Enumeration(const Function &f, double a, double b, int places, const SearchHooks &hooks)
        : m_f(f)
        , m_a(a)
        , m_b(b)
        , m_places(places)
        , m_hooks(hooks)
    { }

    // False when abandoned.
    bool Run();
    QList<Answer> Answers() const;
    const QList<ScanStep> &FirstScans() const;

private:
    // A run of samples where |f| ≤ 1e-7: the one nearest to zero and where its root stands.
    struct NearZero
    {
        Sample sample;
        std::size_t root;
    };

    bool Bisected(const Sample &lo, const Sample &hi, const QList<ScanStep> &scans);
    bool CheckPair(const Sample &left, const Sample &right, const QList<ScanStep> &scans);
    void AddZero(std::optional<NearZero> &run, const Sample &sample, const QList<ScanStep> &scans);
    bool CheckDip(const std::optional<Sample> &before, const Sample &at,
                  const std::optional<Sample> &after);
    bool Refine(const Sample &dip);
    bool GoOn() const { return Ui::GoOn(m_hooks.keepGoing); }
    void Add(Answer::Kind kind, double x, const QList<ScanStep> &scans);

    const Function &m_f;
    const double m_a;
    const double m_b;
    const int m_places;
    const SearchHooks &m_hooks;
    std::vector<Root> m_roots;
};

void Enumeration::Add(Answer::Kind kind, double x, const QList<ScanStep> &scans)
{
    m_roots.push_back({{kind, x}, scans});
}

// A run of samples where |f| ≤ 1e-7 is one root, the sample nearest to zero, as found; each
// sample where f is 0 is a root of its own.
void Enumeration::AddZero(std::optional<NearZero> &run, const Sample &sample,
                          const QList<ScanStep> &scans)
{
    if (run && (run->sample.y == 0 || sample.y == 0)) {
        if (sample.y != 0)
            return;
        run.reset();
    }
    if (run && std::fabs(sample.y) >= std::fabs(run->sample.y))
        return;
    if (!run) {
        run = NearZero{sample, m_roots.size()};
        m_roots.emplace_back();
    }
    run->sample = sample;
    m_roots[run->root] = {{Answer::Kind::Exact, sample.x}, scans};
}

bool Enumeration::Bisected(const Sample &lo, const Sample &hi, const QList<ScanStep> &scans)
{
    const Bracket bracket = lo.x < hi.x ? Bracket{lo, hi} : Bracket{hi, lo};
    const Convergence done = Converge(m_f, bracket, m_places, m_hooks.keepGoing);
    switch (done.ending) {
    case Ending::Abandoned:
        return false;
    case Ending::Exact:
        Add(Answer::Kind::RoundedExact, done.x, scans);
        return true;
    case Ending::Converged:
        break;
    case Ending::NoMidpoint:
    case Ending::Undefined:
        return true;
    }
    const double first = std::fabs(lo.y) + std::fabs(hi.y);
    switch (Certify(m_f, done.bracket, first, m_hooks.keepGoing)) {
    case Certificate::Abandoned:
        return false;
    case Certificate::Root:
        Add(Answer::Kind::Approximate, done.x, scans);
        break;
    case Certificate::NotRoot:
        break;
    }
    return true;
}

// Between neighbouring samples that differ in sign, or beside one where f is undefined (from
// the x nearest to it where f is defined), a root is sought.
bool Enumeration::CheckPair(const Sample &left, const Sample &right, const QList<ScanStep> &scans)
{
    if (IsDefined(left.y) == IsDefined(right.y))
        return !SignsDiffer(left.y, right.y) || Bisected(left, right, scans);
    const bool leftDefined = IsDefined(left.y);
    const std::optional<Sample> edge = leftDefined ? NearestDefined(m_f, right.x, left.x)
                                                   : NearestDefined(m_f, left.x, right.x);
    if (!edge || !GoOn())
        return GoOn();
    const Sample &defined = leftDefined ? left : right;
    return !SignsDiffer(defined.y, edge->y) || Bisected(defined, *edge, scans);
}

bool Enumeration::Run()
{
    std::optional<Sample> before;
    std::optional<Sample> at;
    std::optional<NearZero> nearZero;
    double x = m_a;
    bool stepLost = false;
    for (;;) {
        if (x - m_b > Tolerance)
            break;
        const Sample sample{x, m_f(x)};
        if (m_hooks.progress && m_b > m_a)
            m_hooks.progress((x - m_a) / (m_b - m_a));
        const QList<ScanStep> scans{{1, m_a, m_b, sample.x, sample.y}};
        if (std::fabs(sample.y) <= Tolerance) {
            AddZero(nearZero, sample, scans);
        } else {
            nearZero.reset();
            if (at && std::fabs(at->y) > Tolerance && !CheckPair(*at, sample, scans))
                return false;
        }
        if (at && !CheckDip(before, *at, sample))
            return false;
        before = at;
        at = sample;
        const double next = Advanced(x, 1);
        if (!(next > x)) {
            stepLost = true;
            break;
        }
        x = next;
        if (!GoOn())
            return false;
    }
    if (at && !stepLost)
        return CheckDip(before, *at, std::nullopt);
    // Where the step no longer moves x, the rest of [a, b] is bisected.
    if (at && at->x < m_b) {
        const Sample end{m_b, m_f(m_b)};
        if (SignsDiffer(at->y, end.y))
            return Bisected(*at, end, {{1, m_a, m_b, at->x, at->y}});
    }
    return true;
}

// A dip of |f| at `at` (|f| fell into it by more than 1e-7 and does not fall after it, the
// x outside [a, b] counting as undefined) without a root beside it is looked at more closely.
bool Enumeration::CheckDip(const std::optional<Sample> &before, const Sample &at,
                           const std::optional<Sample> &after)
{
    const double here = Magnitude(at.y);
    const double previous = before ? Magnitude(before->y) : qInf();
    const double next = after ? Magnitude(after->y) : qInf();
    const bool dip = previous - here > Tolerance && !(here - next > Tolerance);
    const bool beside
            = (before && SignsDiffer(before->y, at.y)) || (after && SignsDiffer(at.y, after->y));
    if (!dip || here <= Tolerance || !std::isfinite(here) || beside)
        return true;
    return Refine(at);
}

// Ever finer scans, with steps 0.1 … 1e-6, each over the dip found with the step before plus
// and minus that step (within [a, b]), until one holds a root or the finest has none.
bool Enumeration::Refine(const Sample &dip)
{
    QList<ScanStep> scans{{1, m_a, m_b, dip.x, dip.y}};
    Sample deepest = dip;
    for (double step = 0.1; step > FinestStep / 2; step /= 10) {
        const double from = std::max(deepest.x - 10 * step, m_a);
        const double to = std::min(deepest.x + 10 * step, m_b);
        const std::size_t found = m_roots.size();
        std::optional<Sample> previous;
        std::optional<NearZero> nearZero;
        Sample lowest{from, qInf()};
        for (double x = from; x - to <= Tolerance;) {
            const Sample sample{x, m_f(x)};
            QList<ScanStep> here = scans;
            here.append({step, from, to, sample.x, sample.y});
            if (std::fabs(sample.y) <= Tolerance) {
                AddZero(nearZero, sample, here);
            } else {
                nearZero.reset();
                if (previous && std::fabs(previous->y) > Tolerance
                    && !CheckPair(*previous, sample, here))
                    return false;
            }
            if (Magnitude(sample.y) < Magnitude(lowest.y))
                lowest = sample;
            previous = sample;
            if (!GoOn())
                return false;
            const double next = Advanced(x, step);
            if (!(next > x))
                break;
            x = next;
        }
        scans.append({step, from, to, lowest.x, lowest.y});
        // A dip explained by a root, or none inside the window: done.
        if (m_roots.size() > found || !std::isfinite(Magnitude(lowest.y)) || lowest.x == from
            || lowest.x == to)
            return true;
        deepest = lowest;
    }
    return true;
}

// From left to right; roots that read alike to the answer's decimals are one, an exact one
// standing for the others.
QList<Answer> Enumeration::Answers() const
{
    std::vector<Root> roots = m_roots;
    std::stable_sort(roots.begin(), roots.end(),
                     [](const Root &p, const Root &q) { return p.answer.x < q.answer.x; });
    QList<Answer> answers;
    for (const Root &root : roots) {
        if (!answers.isEmpty()
            && RoundTo(answers.last().x, m_places) == RoundTo(root.answer.x, m_places)) {
            if (answers.last().kind == Answer::Kind::Approximate)
                answers.last() = root.answer;
            continue;
        }
        answers.append(root.answer);
    }
    if (answers.isEmpty())
        answers.append({Answer::Kind::NoSolution, 0, m_a, m_b});
    return answers;
}

const QList<ScanStep> &Enumeration::FirstScans() const
{
    static const QList<ScanStep> none;
    const auto first
            = std::min_element(m_roots.begin(), m_roots.end(), [](const Root &p, const Root &q) {
                  return p.answer.x < q.answer.x;
              });
    return first == m_roots.end() ? none : first->scans;
}

void TellAnswers(const SearchHooks &hooks, const QList<Answer> &answers, bool complete)
{
    if (hooks.answers)
        hooks.answers(answers, complete);
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

ShownAnswers ShowAnswers(const QList<Answer> &answers, bool complete, int places)
{
    ShownAnswers shown;
    if (!answers.isEmpty())
        shown.first = AnswerText(answers.first(), places);
    const qsizetype listed = std::min<qsizetype>(answers.size(), MostRootsListed + 1);
    for (qsizetype i = 1; i < listed; ++i)
        shown.further.append(AnswerText(answers.at(i), places));
    if (answers.size() > listed)
        shown.further.append(QStringLiteral("……共找到%1个根，只列出前%2个")
                                     .arg(answers.size())
                                     .arg(MostRootsListed + 1));
    if (!complete) {
        const QString stopped = QStringLiteral("（搜索已停止）");
        if (shown.first.isEmpty())
            shown.first = stopped;
        else
            shown.further.append(stopped);
    }
    return shown;
}

SearchInterval ReadInterval(const QString &first, const QString &last)
{
    return {TextToNumber(first), TextToNumber(last)};
}

QString BisectionImpossibleText(bool rootsFound)
{
    const QString text
            = QStringLiteral("[a,b]内f(a)×f(b)<≥0，将无法使用二分法求值，将使用枚举法试求。");
    return rootsFound ? text + QStringLiteral("\r\n可改用逐步搜索法") : text;
}

bool Bisect(const Function &f, double a, double b, int places, const SearchHooks &hooks)
{
    const std::optional<Sample> start = NearestDefined(f, a, b);
    const std::optional<Sample> end = NearestDefined(f, b, a);
    const bool bracketed = start && end && SignsDiffer(start->y, end->y);
    if (bracketed) {
        QList<BisectionStep> steps;
        const Convergence done = Converge(f, {*start, *end}, places, hooks.keepGoing, &steps);
        std::optional<Answer> answer;
        switch (done.ending) {
        case Ending::Abandoned:
            return false;
        case Ending::NoMidpoint:
            answer = Answer{Answer::Kind::NoSolution, 0, a, b};
            break;
        case Ending::Exact:
            answer = Answer{Answer::Kind::RoundedExact, done.x};
            break;
        case Ending::Converged: {
            const double first = std::fabs(start->y) + std::fabs(end->y);
            const Certificate certificate = Certify(f, done.bracket, first, hooks.keepGoing);
            if (certificate == Certificate::Abandoned)
                return false;
            if (certificate == Certificate::Root)
                answer = Answer{Answer::Kind::Approximate, done.x};
            break;
        }
        case Ending::Undefined:
            break;
        }
        if (answer) {
            if (hooks.bisectionStep) {
                for (const BisectionStep &step : steps)
                    hooks.bisectionStep(step);
            }
            TellAnswers(hooks, {*answer}, true);
            return true;
        }
        // It closed in on a pole or a jump: the roots beside it are the scan's to find.
        return GoOn(hooks.keepGoing) && Enumerate(f, a, b, places, hooks);
    }
    // The scan's answers wait for the message that it replaces the bisection.
    QList<Answer> found;
    SearchHooks scan = hooks;
    scan.answers = [&found](const QList<Answer> &answers, bool) { found = answers; };
    if (!Enumerate(f, a, b, places, scan)) {
        TellAnswers(hooks, found, false);
        return false;
    }
    if (hooks.bisectionImpossible)
        hooks.bisectionImpossible(found.first().kind != Answer::Kind::NoSolution);
    if (!GoOn(hooks.keepGoing))
        return false;
    TellAnswers(hooks, found, true);
    return true;
}

bool Enumerate(const Function &f, double a, double b, int places, const SearchHooks &hooks)
{
    Enumeration enumeration(f, a, b, places, hooks);
    if (!enumeration.Run()) {
        QList<Answer> found = enumeration.Answers();
        if (found.first().kind == Answer::Kind::NoSolution)
            found.clear();
        TellAnswers(hooks, found, false);
        return false;
    }
    if (hooks.scanStep) {
        for (const ScanStep &step : enumeration.FirstScans())
            hooks.scanStep(step);
    }
    TellAnswers(hooks, enumeration.Answers(), true);
    return true;
}

} // namespace Functions::ApproximateRoot
