#include "tools/functions/functionanalysis.h"

#include "eval/numberformat.h"
#include "eval/valuesahead.h"
#include "ui/curvesearch.h"

#include <algorithm>
#include <cmath>

using namespace Eval;
using namespace Ui;

namespace Functions::FunctionProperties {

namespace {

// Halvings enough to close in on any x as closely as x can tell.
constexpr int MostHalvings = 1100;
// An end is approached by halving the distance to it up to this many times.
constexpr int ApproachHalvings = 80;
// Over this many of the last approaching steps f must keep going one way, without slowing
// down, to grow without bound (log x near 0 adds the same at each step, 1/x doubles).
constexpr int GrowthSteps = 10;
// A change between samples that stays this share of itself as the two close in is a jump.
constexpr double JumpShare = 0.1;
// A peak this many times taller than its neighbours is looked at as a pole, and is one where
// it grows this many times more as it is closed in on to the last bit.
constexpr double PoleHeight = 1e6;
constexpr double PoleGrowth = 100;
// A peak or valley is found to this share of the precision's step (x is shown to the step, the
// value compared with other peaks' to 1e-9), or to the digits of x, whichever is coarser.
constexpr double TurnWidth = 1e-4;

bool Defined(double y)
{
    return IsDefinedValue(y);
}

// Whether the function tells x and y apart: it is evaluated at the 13-digit text of x.
bool SameX(double x, double y)
{
    return x == y || ShownValue(x) == ShownValue(y);
}

double Middle(double x, double y)
{
    return x * 0.5 + y * 0.5;
}

// Where f is undefined at `undefinedX`, the point nearest to it toward `defined` where f is
// defined, and the x beside it where f is not: the edge of the domain between them.
struct Edge
{
    CurvePoint defined;
    double undefinedX;
};

Edge FindEdge(const PreparedFunction &f, double undefinedX, CurvePoint defined)
{
    for (int halving = 0; halving < MostHalvings; ++halving) {
        const double m = Middle(undefinedX, defined.x);
        if (SameX(m, undefinedX) || SameX(m, defined.x))
            break;
        const double y = f(m);
        if (Defined(y))
            defined = {m, y};
        else
            undefinedX = m;
    }
    return {defined, undefinedX};
}

// How f behaves as x goes from `inner` to `end`, halving the distance; `nearest` is the last
// point on the way where f was defined.
Toward Approach(const PreparedFunction &f, CurvePoint inner, double end, CurvePoint &nearest)
{
    nearest = inner;
    std::vector<double> values;
    for (int k = 1; k <= ApproachHalvings; ++k) {
        const double x = end + (inner.x - end) * std::ldexp(1.0, -k);
        if (SameX(x, end))
            break;
        if (SameX(x, nearest.x))
            continue;
        const double y = f(x);
        if (!Defined(y))
            break;
        values.push_back(y);
        nearest = {x, y};
    }
    const std::size_t n = values.size();
    if (n < GrowthSteps + 2)
        return Toward::Bounded;
    const double first = values[n - GrowthSteps] - values[n - GrowthSteps - 1];
    for (std::size_t i = n - GrowthSteps; i + 1 < n; ++i) {
        const double step = values[i + 1] - values[i];
        if (step == 0 || (step > 0) != (first > 0))
            return Toward::Bounded;
    }
    const double last = values[n - 1] - values[n - 2];
    if (!(std::fabs(last) >= 0.7 * std::fabs(first)))
        return Toward::Bounded;
    return first > 0 ? Toward::PlusInfinity : Toward::MinusInfinity;
}

struct Break
{
    enum Kind { None, Jump, Pole, Gap };
    Kind kind = None;
    CurvePoint left; // the last point before it
    CurvePoint right; // the first after it
    double undefinedX = 0; // of a gap
};

// What lies between two samples whose values change suspiciously: halving toward the larger
// change, a continuous function's change vanishes with the width; a jump's stays, a pole's
// grows; an x where f is undefined is a gap in its domain.
Break FindBreak(const PreparedFunction &f, CurvePoint lo, CurvePoint hi)
{
    const double initial = std::fabs(hi.y - lo.y);
    for (int halving = 0; halving < MostHalvings; ++halving) {
        const double m = Middle(lo.x, hi.x);
        if (SameX(m, lo.x) || SameX(m, hi.x))
            break;
        const double y = f(m);
        if (!Defined(y))
            return {Break::Gap, FindEdge(f, m, lo).defined, FindEdge(f, m, hi).defined, m};
        if (std::fabs(y - lo.y) >= std::fabs(hi.y - y))
            hi = {m, y};
        else
            lo = {m, y};
    }
    const double last = std::fabs(hi.y - lo.y);
    if (last < JumpShare * initial)
        return {};
    return {last > initial / JumpShare ? Break::Pole : Break::Jump, lo, hi};
}

// Whether the change between samples k and k + 1 of a run stands out: far larger than one of
// its neighbours' and not much smaller than the other (a jump beside a flat stretch), or
// against both of them and larger than either (a pole).
bool IsSuspicious(const std::vector<CurvePoint> &s, std::size_t first, std::size_t last,
                  std::size_t k)
{
    const double here = s[k + 1].y - s[k].y;
    if (!(std::fabs(here) > 1e-12 * (std::fabs(s[k].y) + std::fabs(s[k + 1].y))))
        return false;
    const double left = k > first ? s[k].y - s[k - 1].y : 0;
    const double right = k + 1 < last ? s[k + 2].y - s[k + 1].y : 0;
    const double smaller = std::min(std::fabs(left), std::fabs(right));
    const double larger = std::max(std::fabs(left), std::fabs(right));
    if (std::fabs(here) > 4 * smaller && std::fabs(here) >= larger / 2)
        return true;
    const bool against
            = left != 0 && right != 0 && (here > 0) != (left > 0) && (here > 0) != (right > 0);
    return against && std::fabs(here) > std::max(std::fabs(left), std::fabs(right));
}

class Analyser
{
public:
    Analyser(const PreparedFunction &f, const KeepGoing &keepGoing)
        : m_f(f)
        , m_keepGoing(keepGoing)
    { }

    bool Sample(double a, double b, double step, const std::function<void(double)> &progress);
    bool Analyse();
    std::vector<CurvePiece> pieces() const { return m_pieces; }

private:
    bool GoOn() const { return Ui::GoOn(m_keepGoing); }
    bool AnalyseRun(std::size_t first, std::size_t last);
    bool Finish(CurvePiece piece, std::vector<CurvePoint> points);
    CurvePiece Open(CurvePoint start, bool closed, Toward toward) const;

    const PreparedFunction &m_f;
    const KeepGoing &m_keepGoing;
    double m_step = 0;
    std::vector<CurvePoint> m_samples;
    std::vector<CurvePiece> m_pieces;
};

bool Analyser::Sample(double a, double b, double step, const std::function<void(double)> &progress)
{
    m_step = step;
    const double wanted = std::ceil((b - a) / step);
    const int count = int(std::clamp(wanted, double(FewestSamples), double(MostSamples)));
    m_samples.reserve(std::size_t(count) + 1);
    ValuesAhead values(m_f, [a, b, count, i = 0](double &x) mutable {
        if (i > count)
            return false;
        x = i == count ? b : a + (b - a) * (double(i) / count);
        ++i;
        return true;
    });
    double x;
    double y;
    while (values.Next(x, y)) {
        m_samples.push_back({x, y});
        if (progress && m_samples.size() % 1024 == 0)
            progress(double(m_samples.size()) / (count + 1));
        if (!GoOn())
            return false;
    }
    return true;
}

bool Analyser::Analyse()
{
    for (std::size_t i = 0; i < m_samples.size();) {
        if (!Defined(m_samples[i].y)) {
            ++i;
            continue;
        }
        std::size_t last = i;
        while (last + 1 < m_samples.size() && Defined(m_samples[last + 1].y))
            ++last;
        if (!AnalyseRun(i, last))
            return false;
        i = last + 1;
    }
    return true;
}

CurvePiece Analyser::Open(CurvePoint start, bool closed, Toward toward) const
{
    CurvePiece piece;
    piece.start = start;
    piece.startClosed = closed && toward == Toward::Bounded;
    piece.towardStart = toward;
    return piece;
}

// A run of defined samples: its ends are the edges of the domain (or of [a, b]); the poles,
// jumps and holes between its samples part it into pieces.
bool Analyser::AnalyseRun(std::size_t first, std::size_t last)
{
    const std::vector<CurvePoint> &s = m_samples;
    CurvePoint start = s[first];
    Toward toward = Toward::Bounded;
    if (first > 0) {
        // f grows without bound toward the edge of its domain, or reaches it.
        const Edge edge = FindEdge(m_f, s[first - 1].x, s[first]);
        start = edge.defined;
        CurvePoint nearest;
        toward = Approach(m_f, s[first], edge.undefinedX, nearest);
    }
    CurvePiece piece = Open(start, true, toward);
    std::vector<CurvePoint> points{start};
    for (std::size_t k = first; k <= last; ++k) {
        if (!SameX(s[k].x, points.back().x))
            points.push_back(s[k]);
        if (k == last || !IsSuspicious(s, first, last, k))
            continue;
        const Break found = FindBreak(m_f, s[k], s[k + 1]);
        if (!GoOn())
            return false;
        if (found.kind == Break::None)
            continue;
        const bool unbounded = found.kind != Break::Jump;
        // A pole lies between the two points beside it, a gap at its undefined x.
        const double leftTarget = found.kind == Break::Gap ? found.undefinedX : found.right.x;
        const double rightTarget = found.kind == Break::Gap ? found.undefinedX : found.left.x;
        CurvePoint nearest;
        piece.end = found.left;
        piece.endClosed = false;
        piece.towardEnd = unbounded ? Approach(m_f, s[k], leftTarget, nearest) : Toward::Bounded;
        piece.jumpAfter = found.kind == Break::Jump;
        points.push_back(found.left);
        if (!Finish(piece, points))
            return false;
        const Toward after
                = unbounded ? Approach(m_f, s[k + 1], rightTarget, nearest) : Toward::Bounded;
        piece = Open(found.right, false, after);
        points = {found.right};
    }
    CurvePoint end = s[last];
    piece.towardEnd = Toward::Bounded;
    if (last + 1 < s.size()) {
        const Edge edge = FindEdge(m_f, s[last + 1].x, s[last]);
        end = edge.defined;
        CurvePoint nearest;
        piece.towardEnd = Approach(m_f, s[last], edge.undefinedX, nearest);
    }
    piece.end = end;
    piece.endClosed = piece.towardEnd == Toward::Bounded;
    if (!SameX(end.x, points.back().x))
        points.push_back(end);
    return Finish(piece, points);
}

// The peaks and valleys among a piece's points, each found between its neighbours to full
// precision; one that grows without bound as it is closed in on is a pole, which parts the
// piece.
bool Analyser::Finish(CurvePiece piece, std::vector<CurvePoint> points)
{
    const auto same = [](double y, double z) {
        return std::fabs(y - z) <= 1e-12 * std::max({1.0, std::fabs(y), std::fabs(z)});
    };
    piece.constant = std::all_of(points.begin(), points.end(),
                                 [&](const CurvePoint &p) { return same(p.y, points[0].y); });
    for (std::size_t i = 1; !piece.constant && i + 1 < points.size(); ++i) {
        std::size_t plateau = i;
        while (plateau + 2 < points.size() && points[plateau + 1].y == points[i].y)
            ++plateau;
        const double y = points[i].y;
        const double before = points[i - 1].y;
        const double after = points[plateau + 1].y;
        const bool peak = y > before && y > after;
        if (!peak && !(y < before && y < after)) {
            i = plateau;
            continue;
        }
        int evaluations = 0;
        const CurvePoint seed = points[(i + plateau) / 2];
        const CurveFound found = SearchExtremum(
                m_f, points[i - 1].x, points[plateau + 1].x, seed.x, seed.y, peak,
                std::max(1e-9 * std::fabs(seed.x), TurnWidth * m_step), evaluations);
        if (!GoOn())
            return false;
        const double neighbours = std::max({1.0, std::fabs(before), std::fabs(after)});
        if (!Defined(found.value) || std::fabs(found.value) > PoleHeight * neighbours) {
            // Closed in on further, a pole keeps growing where a narrow peak stays.
            const CurveFound closer = SearchExtremum(m_f, found.low, found.high, found.x,
                                                     found.value, peak, 0, evaluations);
            if (!Defined(found.value) || !Defined(closer.value)
                || std::fabs(closer.value) > PoleGrowth * std::fabs(found.value)) {
                const Toward toward = peak ? Toward::PlusInfinity : Toward::MinusInfinity;
                const CurvePoint left = FindEdge(m_f, closer.x, points[i - 1]).defined;
                const CurvePoint right = FindEdge(m_f, closer.x, points[plateau + 1]).defined;
                CurvePiece head = piece;
                head.turns.clear();
                head.end = left;
                head.endClosed = false;
                head.towardEnd = toward;
                head.jumpAfter = false;
                std::vector<CurvePoint> headPoints(points.begin(), points.begin() + qsizetype(i));
                headPoints.push_back(left);
                if (!Finish(head, headPoints))
                    return false;
                std::vector<CurvePoint> tailPoints{right};
                tailPoints.insert(tailPoints.end(), points.begin() + qsizetype(plateau) + 1,
                                  points.end());
                CurvePiece tail = piece;
                tail.turns.clear();
                tail.start = right;
                tail.startClosed = false;
                tail.towardStart = toward;
                return Finish(tail, tailPoints);
            }
        }
        piece.turns.push_back({found.x, found.value});
        i = plateau;
    }
    m_pieces.push_back(piece);
    return true;
}

} // namespace

std::optional<CurveAnalysis> AnalyseCurve(const PreparedFunction &f, double a, double b,
                                          double step, const KeepGoing &keepGoing,
                                          const std::function<void(double)> &progress)
{
    Analyser analyser(f, keepGoing);
    if (!analyser.Sample(a, b, step, progress) || !analyser.Analyse())
        return std::nullopt;
    return CurveAnalysis{a, b, analyser.pieces()};
}

} // namespace Functions::FunctionProperties
