#pragma once

#include <functional>
#include <vector>

namespace Ui {

// The part of the plane a graph panel shows: which x runs from the left edge to the right
// one and which y from the bottom edge to the top one, on a panel of width × height logical
// pixels (columns to the right, rows downward). Zooming and panning change it; the panel maps
// through it.
class GraphView
{
public:
    GraphView() = default;
    GraphView(double left, double right, double bottom, double top, double width, double height);

    // The view of a drawing of [a, b] on a square panel of `size` pixels: x from a to b across
    // it, y = 0 on the middle row and one unit as long on both axes.
    static GraphView ForInterval(double a, double b, double size);

    double left() const { return m_left; }
    double right() const { return m_right; }
    double bottom() const { return m_bottom; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    double ColumnsPerUnit() const { return m_width / (m_right - m_left); }
    double RowsPerUnit() const { return m_height / (m_top - m_bottom); }

    double Column(double x) const;
    double Row(double y) const;
    double XAt(double column) const;
    double YAt(double row) const;

    // Enlarges by the factors (above 1 zooms in, below 1 out) keeping the point under
    // (column, row) where it is. The spans stay within what doubles can tell apart.
    void ZoomAround(double column, double row, double factorX, double factorY);
    // Moves the picture by so many pixels, as a drag does: right and down are positive.
    void Pan(double columns, double rows);
    // Gives y the scale of x around the middle row, so that a circle looks round.
    void MakeEqualScale();
    bool IsEqualScale() const;

    bool operator==(const GraphView &other) const;
    bool operator!=(const GraphView &other) const { return !(*this == other); }

private:
    double m_left = -1;
    double m_right = 1;
    double m_bottom = -1;
    double m_top = 1;
    double m_width = 1;
    double m_height = 1;
};

// The smallest of 1, 2 and 5 times a power of ten that is at least `minimum` (> 0).
double RoundStep(double minimum);

// The tick step of an axis showing [low, high] over `pixels`: a round step whose ticks are at
// least `minimumSpacing` pixels apart and whose widest label (measured in pixels by
// `labelExtent` for a tick value) leaves `gap` pixels to the next one.
double TickStep(double low, double high, double pixels, double minimumSpacing,
                const std::function<double(double value)> &labelExtent, double gap);

// The multiples of `step` within [low, high]: at most a few hundred, none when the step is
// not usable.
std::vector<double> TickValues(double low, double high, double step);

} // namespace Ui
