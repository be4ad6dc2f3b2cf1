#include "tools/functions/functionpropertieslogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"
#include "eval/valuesahead.h"
#include "ui/curvesearch.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Ui;
using namespace Eval;

namespace Functions::FunctionProperties {

namespace {

const QString Increasing = QStringLiteral("单调递增");
const QString Decreasing = QStringLiteral("单调递减");
// More decimals than a double holds say nothing.
constexpr int MostDecimals = 12;
// Where an extreme value is taken at more x than these, the rest are counted.
constexpr int MostPlacesListed = 4;

// Alike beyond the rounding of the values' last bits.
bool Alike(double y, double z)
{
    return std::fabs(y - z) <= 1e-9 * std::max({1.0, std::fabs(y), std::fabs(z)});
}

// The x of a piece where f is constant, its ends bracketed as the piece holds them (one x
// where they read alike).
QString Range(const CurvePiece &piece, int places)
{
    if (ShownNumber(piece.start.x, places) == ShownNumber(piece.end.x, places))
        return ShownNumber(piece.start.x, places);
    return (piece.startClosed ? QStringLiteral("[") : QStringLiteral("("))
            + ShownNumber(piece.start.x, places) + QStringLiteral(", ")
            + ShownNumber(piece.end.x, places)
            + (piece.endClosed ? QStringLiteral("]") : QStringLiteral(")"));
}

// A point where a value is taken: an end of a piece or a peak or valley, or a constant piece.
struct Taken
{
    double x;
    double y;
    const CurvePiece *constant;
};

std::vector<Taken> PointsTaken(const CurveAnalysis &curve)
{
    std::vector<Taken> taken;
    for (const CurvePiece &piece : curve.pieces) {
        if (piece.constant) {
            taken.push_back({piece.start.x, piece.start.y, &piece});
            continue;
        }
        taken.push_back({piece.start.x, piece.start.y, nullptr});
        for (const CurvePoint &turn : piece.turns)
            taken.push_back({turn.x, turn.y, nullptr});
        taken.push_back({piece.end.x, piece.end.y, nullptr});
    }
    return taken;
}

Extremum FindExtremum(const CurveAnalysis &curve, int places, bool largest)
{
    Extremum none{QString(), largest ? QStringLiteral("无最大值") : QStringLiteral("无最小值")};
    const Toward away = largest ? Toward::PlusInfinity : Toward::MinusInfinity;
    const bool unbounded = std::any_of(
            curve.pieces.begin(), curve.pieces.end(), [away](const CurvePiece &piece) {
                return piece.towardStart == away || piece.towardEnd == away;
            });
    const std::vector<Taken> taken = PointsTaken(curve);
    if (unbounded || taken.empty())
        return none;
    const auto best = std::max_element(
            taken.begin(), taken.end(),
            [largest](const Taken &p, const Taken &q) { return largest ? p.y < q.y : p.y > q.y; });
    QStringList listed;
    const Taken *first = nullptr;
    for (const Taken &point : taken) {
        if (!Alike(point.y, best->y))
            continue;
        const QString text
                = point.constant ? Range(*point.constant, places) : ShownNumber(point.x, places);
        if (!listed.contains(text))
            listed.append(text);
        if (!first)
            first = &point;
    }
    QString where = listed.mid(0, MostPlacesListed).join(QStringLiteral(", "));
    if (listed.size() > MostPlacesListed)
        where += QStringLiteral(" 等%1处").arg(listed.size());
    return {where, ShownNumber(best->y, places), true, first->x, best->y};
}

} // namespace

double ReadStep(const QString &precision)
{
    return TextToNumber(precision);
}

bool IsUsableStep(double step, double a, double b)
{
    if (!(step > 0) || !std::isfinite(step))
        return false;
    // A step below half the spacing of doubles at the interval ends would leave x where it is.
    const double magnitude = std::max(std::fabs(a), std::fabs(b));
    if (!(magnitude + step > magnitude))
        return false;
    return (b - a) / step <= MaximumSteps;
}

int PrecisionDecimals(double step)
{
    if (!(step > 0) || !std::isfinite(step) || step >= 1)
        return 0;
    return std::min(MostDecimals, int(std::ceil(-std::log10(step) - 1e-9)));
}

QString ShownNumber(double value, int places)
{
    QString text = FormatNumber(value, places);
    const bool zero = std::all_of(text.cbegin(), text.cend(),
                                  [](QChar c) { return c == u'-' || c == u'0' || c == u'.'; });
    if (zero && text.startsWith(u'-'))
        text.remove(0, 1);
    return text;
}

Extrema FindExtrema(const CurveAnalysis &curve, double step)
{
    const int places = PrecisionDecimals(step);
    return {FindExtremum(curve, places, true), FindExtremum(curve, places, false)};
}

std::optional<Extrema> FindExtrema(const Function &f, double a, double b, double step,
                                   const KeepGoing &keepGoing)
{
    if (!IsUsableStep(step, a, b))
        return std::nullopt;
    const std::optional<CurveAnalysis> curve = AnalyseCurve(f, a, b, step, keepGoing);
    if (!curve)
        return std::nullopt;
    return FindExtrema(*curve, step);
}

std::vector<MonotonicInterval> FindMonotonicIntervals(const CurveAnalysis &curve, double step)
{
    struct Run
    {
        CurvePoint from;
        CurvePoint to;
        bool rising;
    };
    std::vector<Run> runs;
    bool afterJump = false;
    for (const CurvePiece &piece : curve.pieces) {
        std::vector<CurvePoint> points{piece.start};
        points.insert(points.end(), piece.turns.begin(), piece.turns.end());
        points.push_back(piece.end);
        bool firstOfPiece = true;
        for (std::size_t i = 0; !piece.constant && i + 1 < points.size(); ++i) {
            const CurvePoint &p = points[i];
            const CurvePoint &q = points[i + 1];
            if (Alike(p.y, q.y))
                continue;
            const bool rising = q.y > p.y;
            // A jump the same way as f goes on either side does not part the run.
            const bool continued = !runs.empty() && runs.back().rising == rising
                    && (!firstOfPiece
                        || (afterJump
                            && (rising ? p.y >= runs.back().to.y : p.y <= runs.back().to.y)));
            if (continued)
                runs.back().to = q;
            else
                runs.push_back({p, q, rising});
            firstOfPiece = false;
        }
        afterJump = piece.jumpAfter && !piece.constant;
    }
    const int places = PrecisionDecimals(step);
    std::vector<MonotonicInterval> rows;
    for (const Run &run : runs) {
        const QString number = NumberToText(double(rows.size() + 1));
        rows.push_back({QStringLiteral("第") + number + QStringLiteral("个"),
                        ShownNumber(run.from.x, places), ShownNumber(run.to.x, places),
                        run.rising ? Increasing : Decreasing});
    }
    return rows;
}

std::optional<std::vector<MonotonicInterval>> FindMonotonicIntervals(const Function &f, double a,
                                                                     double b, double step,
                                                                     const KeepGoing &keepGoing)
{
    if (!IsUsableStep(step, a, b))
        return std::nullopt;
    const std::optional<CurveAnalysis> curve = AnalyseCurve(f, a, b, step, keepGoing);
    if (!curve)
        return std::nullopt;
    return FindMonotonicIntervals(*curve, step);
}

std::optional<QString> FindParity(const Function &f, double a, double b,
                                  const std::function<double()> &step, const KeepGoing &keepGoing)
{
    const QString neither = QStringLiteral("非奇非偶函数");
    if (std::fabs(a - (-b)) > 1e-7)
        return neither;
    // The values at x and −x for each step's x, from 0 on.
    bool unusable = false;
    ValuesAhead values(f, [&, x = 0.0, k = 0](double &next) mutable {
        if (k == 2) {
            const double advance = step();
            unusable = !IsUsableStep(advance, a, b);
            if (unusable)
                return false;
            x += advance;
            k = 0;
        }
        if (!(x - b <= 1e-7))
            return false;
        next = k++ == 0 ? x : -x;
        return true;
    });
    bool even = true;
    bool odd = true;
    double x;
    double right;
    double left;
    while (values.Next(x, right) && values.Next(x, left)) {
        const bool rightDefined = IsDefinedValue(right);
        const bool leftDefined = IsDefinedValue(left);
        if (rightDefined != leftDefined) {
            even = odd = false; // a domain that is not symmetric
        } else if (rightDefined) {
            even = even && Alike(right, left);
            odd = odd && Alike(right, -left);
        }
        if (!GoOn(keepGoing))
            return std::nullopt;
    }
    if (unusable)
        return std::nullopt;
    if (even && odd)
        return QStringLiteral("既是奇函数又是偶函数");
    if (odd)
        return QStringLiteral("奇函数");
    return even ? QStringLiteral("偶函数") : neither;
}

} // namespace Functions::FunctionProperties
