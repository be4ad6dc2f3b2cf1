#pragma once

#include "eval/expression.h"
#include "ui/graphview.h"

#include <QPointF>

#include <chrono>
#include <optional>
#include <vector>

namespace Ui {

// A point worth marking on a curve: where it meets y = 0 or the y axis, and its peaks and
// valleys.
struct CurveMark
{
    enum Kind { Zero, YIntercept, Maximum, Minimum };
    Kind kind;
    double x;
    double y;
    // Where x is known to lie: marks are found to a fraction of a pixel while sampling.
    double low;
    double high;
};

// The mark found to full precision, by the same function.
CurveMark PreciseMark(const Eval::PreparedFunction &f, const CurveMark &mark);

// The curve of a function of x in a view, as the pieces of a line in panel coordinates,
// sampled once per device pixel column and more closely where one column is not enough:
// across a pole the line breaks instead of joining the two sides, a peak or valley between
// two samples is searched for so that a narrow spike reaches its height, and the edge of the
// function's domain is sought so that the line runs up to it. Points off the panel stay in
// the line (with their true rows), so a curve that leaves the panel and comes back is whole.
//
// Sampling goes on column by column in slices of time, so that a slow function (one only the
// script engine evaluates) can be drawn progressively between events.
class CurveSampler
{
public:
    using Clock = std::chrono::steady_clock;
    using Piece = std::vector<QPointF>;

    CurveSampler(Eval::PreparedFunction f, const GraphView &view, double pixelRatio);

    // Samples on until done or `deadline`; true once the whole view is sampled.
    bool Advance(Clock::time_point deadline);
    void SampleAll() { Advance(Clock::time_point::max()); }
    bool done() const { return m_next > m_columns; }

    const std::vector<Piece> &pieces() const { return m_pieces; }
    // Zeros found between samples of opposite sign, the y intercept, and the peaks and valleys
    // found between samples, in the order they were found.
    const std::vector<CurveMark> &marks() const { return m_marks; }
    int evaluations() const { return m_evaluations; }

private:
    struct Sample
    {
        double x;
        double value;
        double row;
        bool defined;
    };

    Sample At(double x);
    void SampleColumn(int column);
    void Refine(const Sample &from, const Sample &to, int depth);
    void Emit(const Sample &sample);
    void Break();
    void FindExtremumAround(const Sample &before, const Sample &middle, const Sample &after);
    void FindZeroBetween(const Sample &from, const Sample &to);
    void InsertIntoPiece(const Sample &sample);
    bool IsFarOff(const Sample &sample, bool above) const;

    Eval::PreparedFunction m_f;
    GraphView m_view;
    double m_ratio;
    int m_columns;
    int m_next = 0;
    int m_evaluations = 0;
    int m_columnBudget = 0;
    std::optional<Sample> m_previous; // the last sample of a column
    std::vector<Sample> m_recent; // the last defined ones without a break, for peaks
    bool m_brokenSinceRecent = false;
    std::vector<Piece> m_pieces;
    bool m_pieceOpen = false;
    std::vector<CurveMark> m_marks;
};

} // namespace Ui
