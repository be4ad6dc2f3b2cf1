#pragma once

#include "eval/outcome.h"
#include "tools/statistics/accuratesum.h"
#include "tools/statistics/datatable.h"
#include "ui/keepgoing.h"
#include "ui/namedvalues.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace Statistics {

// "单变量": the figures of one variable, each as the textbook defines it, right to the last
// digit shown: sums in double-double, the variance from the deviations (never Σx² − n·x̄²).

// The values of the table's first column with their 频数 from the second (empty: once).
struct OneVariableData
{
    std::vector<DoubleDouble> values;
    std::vector<double> counts; // as many as values, or none when every value counts once
    // The rows left out and why ("第12行不是数"), for the message beside the table.
    QString problems;
};
// Refused when no row gives a value (the refusal says why).
Eval::Outcome<OneVariableData> CollectOneVariable(const DataTable &table);

// The data in order, equal values merged: what percentiles, modes and groups are read from.
class SortedSample
{
public:
    SortedSample() = default;
    explicit SortedSample(const OneVariableData &data);

    double count() const { return m_count; }
    const std::vector<DoubleDouble> &values() const { return m_values; } // distinct, rising
    const std::vector<double> &counts() const { return m_counts; }
    // The value at rank 1 (the least) to count() (the greatest).
    DoubleDouble AtRank(double rank) const;

private:
    std::vector<DoubleDouble> m_values;
    std::vector<double> m_counts;
    std::vector<double> m_cumulative; // counts up to and including each value
    double m_count = 0;
};

// The p-th percentile by the textbook's rule: i = n·p%; where i is not whole the value at the
// next rank, where it is, the mean of the i-th and the (i+1)-th (the least for p = 0, the
// greatest for p = 100). p is typed, from 0 to 100.
Eval::Outcome<double> Percentile(const SortedSample &sample, const QString &pText);
double PercentileAt(const SortedSample &sample, DoubleDouble p);

struct OneVariableFigures
{
    double n = 0;
    double sum = 0;
    double sumOfSquares = 0;
    double mean = 0;
    double median = 0;
    std::vector<double> modes; // none when every value is equally frequent
    double range = 0;
    double minimum = 0;
    double maximum = 0;
    double percentile25 = 0;
    double percentile75 = 0;
    double squaredDeviations = 0; // Σ(x − x̄)², with each value's 频数
    double variance = 0; // divided by n
    double standardDeviation = 0;
    std::optional<double> sampleVariance; // divided by n − 1: from two values on
    std::optional<double> sampleStandardDeviation;
};

struct OneVariableAnalysis
{
    OneVariableFigures figures;
    SortedSample sample;
};
// Nothing when keepGoing stops it. Refused when the 频数 add up to 0 or beyond 2^53.
std::optional<Eval::Outcome<OneVariableAnalysis>>
AnalyseOneVariable(const OneVariableData &data, const Ui::KeepGoing &keepGoing = {});

// The 频率分布直方图's groups: [start, start + width), …, the last one closed, so that the
// greatest value falls in it.
enum class Grouping { ByCount, ByWidth };
struct HistogramGroup
{
    double from;
    double to;
    double count;
    double frequency; // count / n
    double density; // frequency / width: the bar's height
};
struct Histogram
{
    double start = 0;
    double width = 1;
    std::vector<HistogramGroup> groups;
};
constexpr int MaxGroups = 1000;
// `amountText` is 组数 (a whole number from 1 to MaxGroups) or 组距 (greater than 0), empty for
// about 1 + log₂ n groups; the start, empty for the least value, may not lie above it.
Eval::Outcome<Histogram> GroupData(const SortedSample &sample, Grouping grouping,
                                   const QString &amountText, const QString &startText);

// The number to so many significant digits, "." for the point, "e+12" beyond them.
QString NumberText(double value, int significantDigits);
constexpr int CopiedDigits = 15;
// A figure as "复制结果" copies it (to 15 significant digits) and as the window shows it.
Ui::NamedValue Figure(const QString &name, double value, int shownDigits);

// n, Σx, Σx², 平均数 … 样本标准差(除以n-1), under the names and in the order they are copied.
Ui::NamedValues OneVariableValues(const OneVariableFigures &figures, int shownDigits);

} // namespace Statistics
