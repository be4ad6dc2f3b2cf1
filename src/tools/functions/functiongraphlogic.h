#pragma once

#include "eval/outcome.h"

#include <QString>

#include <optional>
#include <vector>

// The geometry of the function graph: a 500 × 500 panel whose horizontal axis is row 250 and
// whose vertical scale equals the horizontal one, 500 / (b − a) pixels per unit.
namespace Functions::FunctionGraph {

constexpr int PanelSize = 500;
constexpr int AxisRow = 250;
constexpr int SampleCount = 500;
// Above this interval width the labels get small and the x-axis labels alternate rows.
constexpr double WideInterval = 200;

struct Scale
{
    double a = 0;
    double b = 0;
    double r = 0; // b − a
    int k = 0; // decimal order of r
    double unit = 0; // tick unit in function units: k³
    int spacing = 0; // tick spacing in pixels; no ticks when ≤ 0
    int originColumn = 0; // the column of x = 0, possibly off the panel
    int tickCount = 0; // ticks on each side of the origin
    bool wide = false;
};

struct Line
{
    int x1, y1, x2, y2;
    bool operator==(const Line &o) const
    {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
    }
};

struct Label
{
    int x, y;
    double value;
};

struct AxesPicture
{
    std::vector<Line> lines; // in drawing order
    std::vector<Label> labels;
};

// The interval must be readable as a drawing: a < b and at most 1000 wide, within 1e-7.
bool IsDrawableInterval(double a, double b);

struct Interval
{
    double a = 0;
    double b = 0;
};
// The interval of a run from the typed ends, each read by the text-to-number rule (empty is
// 0); refused with "区间输入错误，请重新输入！" unless a < b, and with "区间的大小不能大于1000！"
// when it is wider than 1000, both within 1e-7.
Eval::Outcome<Interval> ReadRunInterval(const QString &start, const QString &end);

// The pen width in pixels of the typed thickness, truncated toward zero.
int ReadPenWidth(const QString &thickness);

Scale ComputeScale(double a, double b);
// Both axes, the tick marks and their labels.
AxesPicture AxesAndTicks(const Scale &scale);

// x of sample i (1 … 500); a itself is not sampled, sample 500 is b.
double SampleX(double a, double step, int i);
// The height of a sample in whole multiples of r / 200; none for the undefined-value marker
// and for heights beyond the 32-bit range (those count as off the panel).
std::optional<int> SampleHeight(double value, double r);
// The panel row of a height; none when the height is undefined.
std::optional<int> SampleRow(std::optional<int> height);
// Rows 0 and 500 themselves are off the panel.
bool IsOnPanel(std::optional<int> row);
// A segment joins two neighbouring samples only when both are defined and on the panel.
bool JoinsNeighbour(std::optional<int> previousRow, std::optional<int> row);

} // namespace Functions::FunctionGraph
