#pragma once

#include "eval/expression.h"
#include "ui/keepgoing.h"

#include <functional>
#include <optional>
#include <vector>

// The shape of a function of x on [a, b], from which 函数基本信息 reads its extrema and its
// monotonic intervals: the pieces of [a, b] on which f is defined and continuous, where each
// ends and why, how f behaves toward its ends, and its peaks and valleys, found between the
// samples by the searches that place the graph's marked points (ui/curvesearch.h) to full
// precision.
namespace Functions::FunctionProperties {

// A point where f was evaluated, and its value there.
struct CurvePoint
{
    double x = 0;
    double y = 0;
};

// How f behaves as x approaches an end of a piece.
enum class Toward { Bounded, PlusInfinity, MinusInfinity };

struct CurvePiece
{
    // The evaluated points nearest to its ends: an end of [a, b] or of the domain itself, or
    // the x beside a pole, a jump or a hole, as closely as x can tell.
    CurvePoint start;
    CurvePoint end;
    // Whether the piece holds its end (an end of [a, b], the edge of the domain where f is
    // defined) rather than only the points beside it (a pole, a jump, a hole).
    bool startClosed = true;
    bool endClosed = true;
    Toward towardStart = Toward::Bounded;
    Toward towardEnd = Toward::Bounded;
    // A jump parts it from the next piece (f defined on both sides).
    bool jumpAfter = false;
    bool constant = false;
    // Its peaks and valleys from left to right, to full precision.
    std::vector<CurvePoint> turns;
};

struct CurveAnalysis
{
    double a = 0;
    double b = 0;
    std::vector<CurvePiece> pieces; // from left to right; none where f is defined nowhere
};

// At least this many samples, at most the other.
constexpr int FewestSamples = 1000;
constexpr int MostSamples = 200000;

// Samples f at a, b and between them at most `step` apart (within the bounds above), then
// looks closer between samples: at every edge of the domain, every pole, jump or hole, every
// peak and valley. keepGoing is asked after every sample and every closer look; none when it
// said no. `progress` hears how far the sampling has come, from 0 to 1.
std::optional<CurveAnalysis> AnalyseCurve(const Eval::PreparedFunction &f, double a, double b,
                                          double step, const Ui::KeepGoing &keepGoing = {},
                                          const std::function<void(double)> &progress = {});

} // namespace Functions::FunctionProperties
