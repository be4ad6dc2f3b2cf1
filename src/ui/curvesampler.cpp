#include "ui/curvesampler.h"

#include "ui/curvesearch.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Ui {

using namespace Eval;

namespace {

// Two neighbours closer than this many device pixels are joined without a look between.
constexpr double JoinedRise = 1.5;
// How deep one column is split in search of a pole or the edge of the domain: a rise still
// there within 2^-20 of a pixel is a jump (a steeper rise would look like one anyway); the
// edge of the domain is seldom wanted closer.
constexpr int JumpDepth = 20;
constexpr int EdgeDepth = 16;
// Evaluations one column may spend on closer looks, so that a function wilder than the
// pixels (sin of 1000x far out) costs a bounded time.
constexpr int ColumnBudget = 48;
// Rows beyond this are all "very far off"; it keeps the line's arithmetic finite.
constexpr double FarRow = 1e12;

// Marks are found to this fraction of a device pixel while sampling.
constexpr double PixelFraction = 0.005;

} // namespace

CurveSampler::CurveSampler(PreparedFunction f, const GraphView &view, double pixelRatio)
    : m_f(std::move(f))
    , m_view(view)
    , m_ratio(pixelRatio > 0 ? pixelRatio : 1)
    , m_columns(int(std::ceil(view.width() * m_ratio)))
{ }

bool CurveSampler::Advance(Clock::time_point deadline)
{
    while (!done()) {
        SampleColumn(m_next++);
        if (Clock::now() >= deadline)
            break;
    }
    return done();
}

CurveSampler::Sample CurveSampler::At(double x)
{
    ++m_evaluations;
    --m_columnBudget;
    const double value = m_f(x);
    const bool defined = IsDefinedValue(value);
    const double row = defined ? std::clamp(m_view.Row(value), -FarRow, FarRow) : 0;
    return {x, value, row, defined};
}

void CurveSampler::SampleColumn(int column)
{
    m_columnBudget = ColumnBudget;
    const Sample sample = At(m_view.XAt(column / m_ratio));
    if (!m_previous) {
        if (sample.defined)
            Emit(sample);
    } else {
        const Sample previous = *m_previous;
        if (previous.x < 0 && sample.x >= 0) {
            const Sample axis = sample.x == 0 ? sample : At(0);
            if (axis.defined)
                m_marks.push_back({CurveMark::YIntercept, 0, axis.value, 0, 0});
        }
        m_brokenSinceRecent = false;
        Refine(previous, sample, 0);
        if (m_brokenSinceRecent)
            m_recent.clear();
        else if (previous.defined && sample.defined)
            FindZeroBetween(previous, sample);
    }
    m_previous = sample;
    if (sample.defined && sample.value == 0)
        m_marks.push_back({CurveMark::Zero, sample.x, 0, sample.x, sample.x});
    if (!sample.defined) {
        m_recent.clear();
        return;
    }
    m_recent.push_back(sample);
    if (m_recent.size() > 3)
        m_recent.erase(m_recent.begin());
    if (m_recent.size() == 3)
        FindExtremumAround(m_recent[0], m_recent[1], m_recent[2]);
}

// `from` is on the line already (when defined); this adds what lies after it up to `to`.
void CurveSampler::Refine(const Sample &from, const Sample &to, int depth)
{
    if (!from.defined && !to.defined)
        return;
    const double middle = from.x + (to.x - from.x) / 2;
    const bool splittable = middle != from.x && middle != to.x && m_columnBudget > 0;
    if (from.defined != to.defined) {
        // Seek the edge of the domain, so that the line runs up to it.
        if (depth < EdgeDepth && splittable) {
            const Sample mid = At(middle);
            Refine(from, mid, depth + 1);
            Refine(mid, to, depth + 1);
            return;
        }
        Break();
        if (to.defined)
            Emit(to);
        return;
    }
    const double rise = std::fabs(to.row - from.row) * m_ratio;
    const bool hidden = (IsFarOff(from, true) && IsFarOff(to, true))
            || (IsFarOff(from, false) && IsFarOff(to, false));
    if (rise <= JoinedRise || hidden || m_columnBudget <= 0) {
        Emit(to);
        return;
    }
    if (depth >= JumpDepth || !splittable) {
        // Still a long way apart this close together: a jump, not a steep rise.
        Break();
        Emit(to);
        return;
    }
    const Sample mid = At(middle);
    if (mid.defined) {
        const double tolerance = 0.5 / m_ratio;
        const bool between = mid.row >= std::min(from.row, to.row) - tolerance
                && mid.row <= std::max(from.row, to.row) + tolerance;
        const double larger = std::max(std::fabs(mid.row - from.row), std::fabs(to.row - mid.row));
        // A continuous rise shares itself between the halves; a jump stays in one of them.
        if (between && larger <= 0.75 * std::fabs(to.row - from.row)) {
            Emit(mid);
            Emit(to);
            return;
        }
    }
    Refine(from, mid, depth + 1);
    Refine(mid, to, depth + 1);
}

bool CurveSampler::IsFarOff(const Sample &sample, bool above) const
{
    return above ? sample.row < -1 : sample.row > m_view.height() + 1;
}

void CurveSampler::Emit(const Sample &sample)
{
    if (!m_pieceOpen) {
        m_pieces.emplace_back();
        m_pieceOpen = true;
    }
    m_pieces.back().emplace_back(m_view.Column(sample.x), sample.row);
}

void CurveSampler::Break()
{
    m_pieceOpen = false;
    m_brokenSinceRecent = true;
}

void CurveSampler::InsertIntoPiece(const Sample &sample)
{
    if (!m_pieceOpen)
        return;
    Piece &piece = m_pieces.back();
    const QPointF point(m_view.Column(sample.x), sample.row);
    auto place = piece.end();
    while (place != piece.begin() && (place - 1)->x() > point.x())
        --place;
    piece.insert(place, point);
}

// A peak or valley lies between `before` and `after` when `middle` is above or below both:
// a search finds it to a fraction of a pixel, so that a spike between two columns reaches its
// height. PreciseMark finds it to full precision when it is wanted.
void CurveSampler::FindExtremumAround(const Sample &before, const Sample &middle,
                                      const Sample &after)
{
    const double rising = middle.value - before.value;
    const double falling = after.value - middle.value;
    if (!(rising * falling < 0))
        return;
    const bool peak = rising > 0;
    // Beyond the edge it heads for, it is out of sight anyway.
    if (IsFarOff(middle, peak))
        return;
    const CurveFound found
            = SearchExtremum(m_f, before.x, after.x, middle.x, middle.value, peak,
                             PixelFraction / (m_view.ColumnsPerUnit() * m_ratio), m_evaluations);
    m_marks.push_back({peak ? CurveMark::Maximum : CurveMark::Minimum, found.x, found.value,
                       found.low, found.high});
    if (found.x != middle.x)
        InsertIntoPiece(
                {found.x, found.value, std::clamp(m_view.Row(found.value), -FarRow, FarRow), true});
}

void CurveSampler::FindZeroBetween(const Sample &from, const Sample &to)
{
    if (!(from.value * to.value < 0))
        return;
    const CurveFound found
            = SearchZero(m_f, from.x, from.value, to.x,
                         PixelFraction / (m_view.ColumnsPerUnit() * m_ratio), m_evaluations);
    // Across a pole the values grow instead of shrinking.
    const double smallerEnd = std::min(std::fabs(from.value), std::fabs(to.value));
    if (found.defined && std::fabs(found.value) <= smallerEnd / 2)
        m_marks.push_back({CurveMark::Zero, found.x, 0, found.low, found.high});
}

CurveMark PreciseMark(const PreparedFunction &f, const CurveMark &mark)
{
    int evaluations = 0;
    CurveMark precise = mark;
    if (mark.kind == CurveMark::Zero) {
        const CurveFound found = SearchZero(f, mark.low, f(mark.low), mark.high, 0, evaluations);
        if (found.defined)
            precise.x = found.x;
    } else if (mark.kind != CurveMark::YIntercept) {
        // Near a peak f is flat to the second order: x is worth finding to half the digits.
        const CurveFound found = SearchExtremum(f, mark.low, mark.high, mark.x, mark.y,
                                                mark.kind == CurveMark::Maximum,
                                                1e-9 * std::fabs(mark.x), evaluations);
        precise.x = found.x;
        precise.y = found.value;
    }
    return precise;
}

} // namespace Ui
