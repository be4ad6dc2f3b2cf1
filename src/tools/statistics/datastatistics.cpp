#include "tools/statistics/datastatistics.h"

#include "ui/graphview.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Eval;
using namespace Ui;

namespace Statistics {

namespace {

// Beyond this a sum of 频数 is no longer a whole number in a double.
constexpr double LargestCount = 9007199254740992.0; // 2^53
// How near a whole number a quotient in double-double must come to count as it: far below
// what typed decimals can differ by, far above the arithmetic's own error.
constexpr double WholeTolerance = 1e-24;
constexpr int AutomaticGroups = 20;
// More modes than this are named by their count: a list of thousands says nothing.
constexpr std::size_t ModesListed = 20;

bool Less(const DoubleDouble &a, const DoubleDouble &b)
{
    return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo);
}

bool Equal(const DoubleDouble &a, const DoubleDouble &b)
{
    return a.hi == b.hi && a.lo == b.lo;
}

DoubleDouble Minus(DoubleDouble a, DoubleDouble b)
{
    return Add(a, Negated(b));
}

DoubleDouble Mean(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble sum = Add(a, b);
    return {sum.hi * 0.5, sum.lo * 0.5};
}

// The whole number q stands for, where it comes within `tolerance` of one.
std::optional<double> NearWhole(DoubleDouble q, double tolerance)
{
    const double whole = std::round(q.hi);
    if (std::fabs(Minus(q, {whole, 0}).value()) <= tolerance)
        return whole;
    return std::nullopt;
}

QString JoinProblems(const std::vector<std::pair<std::vector<qsizetype>, QString>> &kinds)
{
    QStringList problems;
    for (const auto &[rows, what] : kinds) {
        if (!rows.empty())
            problems.append(RowsText(rows) + what);
    }
    return problems.join(QStringLiteral("；"));
}

struct Entry
{
    DoubleDouble value;
    double count;
};

} // namespace

Outcome<OneVariableData> CollectOneVariable(const DataTable &table)
{
    OneVariableData data;
    std::vector<qsizetype> notNumbers, badCounts, missingValues;
    bool anyCount = false;
    data.values.reserve(std::size_t(table.rowCount()));
    data.counts.reserve(std::size_t(table.rowCount()));
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        const auto value = table.number(row, 0);
        const auto count = table.number(row, 1);
        if ((!value && table.IsBad(row, 0)) || (!count && table.IsBad(row, 1))) {
            notNumbers.push_back(row);
            continue;
        }
        if (!value) {
            if (count)
                missingValues.push_back(row);
            continue;
        }
        if (count && !(count->hi >= 0 && count->hi == std::floor(count->hi) && count->lo == 0)) {
            badCounts.push_back(row);
            continue;
        }
        anyCount = anyCount || count.has_value();
        data.values.push_back(*value);
        data.counts.push_back(count ? count->hi : 1.0);
    }
    if (!anyCount)
        data.counts = {};
    data.problems = JoinProblems({{notNumbers, QStringLiteral("不是数")},
                                  {badCounts, QStringLiteral("的频数不是非负整数")},
                                  {missingValues, QStringLiteral("只有频数，没有数据")}});
    if (data.values.empty())
        return Refuse(data.problems.isEmpty() ? QStringLiteral("请在表格中输入数据")
                                              : data.problems);
    return data;
}

SortedSample::SortedSample(const OneVariableData &data)
{
    std::vector<Entry> entries(data.values.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = {data.values[i], data.counts.empty() ? 1.0 : data.counts[i]};
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return Less(a.value, b.value); });
    for (const Entry &entry : entries) {
        if (entry.count == 0)
            continue;
        if (!m_values.empty() && Equal(m_values.back(), entry.value)) {
            m_counts.back() += entry.count;
        } else {
            m_values.push_back(entry.value);
            m_counts.push_back(entry.count);
        }
    }
    m_cumulative.resize(m_counts.size());
    double total = 0;
    for (std::size_t i = 0; i < m_counts.size(); ++i)
        m_cumulative[i] = total += m_counts[i];
    m_count = total;
}

DoubleDouble SortedSample::AtRank(double rank) const
{
    const auto at = std::lower_bound(m_cumulative.begin(), m_cumulative.end(), rank);
    if (at == m_cumulative.end())
        return m_values.back();
    return m_values[std::size_t(at - m_cumulative.begin())];
}

double PercentileAt(const SortedSample &sample, DoubleDouble p)
{
    const double n = sample.count();
    const DoubleDouble i = Divide(Multiply({n, 0}, p), {100, 0});
    if (const auto whole = NearWhole(i, 1e-13)) {
        if (*whole <= 0)
            return sample.AtRank(1).value();
        if (*whole >= n)
            return sample.AtRank(n).value();
        return Mean(sample.AtRank(*whole), sample.AtRank(*whole + 1)).value();
    }
    return sample.AtRank(std::clamp(std::ceil(i.hi), 1.0, n)).value();
}

Outcome<double> Percentile(const SortedSample &sample, const QString &pText)
{
    if (pText.trimmed().isEmpty())
        return Refuse(QString());
    const auto p = ReadDataNumber(pText);
    if (!p || p->hi < 0 || p->hi > 100)
        return Refuse(QStringLiteral("p应为0到100之间的数"));
    if (sample.count() == 0)
        return Refuse(QString());
    return PercentileAt(sample, *p);
}

std::optional<Outcome<OneVariableAnalysis>> AnalyseOneVariable(const OneVariableData &data,
                                                               const Ui::KeepGoing &keepGoing)
{
    double n = 0;
    for (const double count : data.counts)
        n += count;
    if (data.counts.empty())
        n = double(data.values.size());
    if (n > LargestCount)
        return Outcome<OneVariableAnalysis>(Refuse(QStringLiteral("频数之和太大")));
    if (n == 0)
        return Outcome<OneVariableAnalysis>(Refuse(QStringLiteral("频数之和为0，没有数据")));
    OneVariableAnalysis analysis;
    analysis.sample = SortedSample(data);
    if (!Ui::GoOn(keepGoing))
        return std::nullopt;
    const SortedSample &sample = analysis.sample;
    const std::vector<DoubleDouble> &values = sample.values();
    const std::vector<double> &counts = sample.counts();

    AccurateSum sum, sumOfSquares;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sum.Add(Multiply(values[i], {counts[i], 0}));
        sumOfSquares.Add(Multiply(Multiply(values[i], values[i]), {counts[i], 0}));
    }
    const DoubleDouble mean = Divide(sum.exact(), {n, 0});
    // Two passes: the deviations from the mean, with the first-order correction for the
    // mean's own rounding.
    AccurateSum deviations, squaredDeviations;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double deviation = Minus(values[i], mean).value();
        deviations.AddProduct(deviation, counts[i]);
        squaredDeviations.Add(Multiply(TwoProduct(deviation, deviation), {counts[i], 0}));
    }
    if (!Ui::GoOn(keepGoing))
        return std::nullopt;
    const double drift = deviations.value();
    OneVariableFigures &f = analysis.figures;
    f.n = n;
    f.sum = sum.value();
    f.sumOfSquares = sumOfSquares.value();
    f.mean = mean.value();
    f.squaredDeviations = std::max(0.0, squaredDeviations.value() - drift * drift / n);
    f.variance = f.squaredDeviations / n;
    f.standardDeviation = std::sqrt(f.variance);
    if (n >= 2) {
        f.sampleVariance = f.squaredDeviations / (n - 1);
        f.sampleStandardDeviation = std::sqrt(*f.sampleVariance);
    }
    f.minimum = values.front().value();
    f.maximum = values.back().value();
    f.range = Minus(values.back(), values.front()).value();
    f.median = PercentileAt(sample, {50, 0});
    f.percentile25 = PercentileAt(sample, {25, 0});
    f.percentile75 = PercentileAt(sample, {75, 0});
    const double most = *std::max_element(counts.begin(), counts.end());
    const double least = *std::min_element(counts.begin(), counts.end());
    if (values.size() == 1 || most != least) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (counts[i] == most)
                f.modes.push_back(values[i].value());
        }
    }
    return Outcome<OneVariableAnalysis>(std::move(analysis));
}

Outcome<Histogram> GroupData(const SortedSample &sample, Grouping grouping,
                             const QString &amountText, const QString &startText)
{
    if (sample.count() == 0)
        return Refuse(QString());
    const DoubleDouble least = sample.values().front();
    const DoubleDouble greatest = sample.values().back();
    DoubleDouble start = least;
    if (!startText.trimmed().isEmpty()) {
        const auto typed = ReadDataNumber(startText);
        if (!typed)
            return Refuse(QStringLiteral("起点应为一个数，不填则从最小值起"));
        if (Less(least, *typed))
            return Refuse(
                    QStringLiteral("起点不能大于最小值%1").arg(NumberText(least.value(), 10)));
        start = *typed;
    }
    const auto amount = ReadDataNumber(amountText);
    const DoubleDouble span = Minus(greatest, start);
    DoubleDouble width;
    double groups = 1;
    if (amountText.trimmed().isEmpty()) {
        // Left to the tool: about 1 + log₂ n groups of a round width (1, 2 or 5 times a power
        // of ten), from a multiple of it, as the textbook chooses them.
        const double wanted = std::clamp(std::ceil(1 + std::log2(sample.count())), 1.0,
                                         double(AutomaticGroups));
        const double step = Ui::RoundStep(span.hi > 0 ? span.hi / wanted : 1.0);
        if (startText.trimmed().isEmpty()) {
            start = ReadDataNumber(DataNumberText(std::floor(least.value() / step) * step)).value();
            if (Less(least, start))
                start = ReadDataNumber(DataNumberText(start.value() - step)).value();
        }
        return GroupData(sample, Grouping::ByWidth, DataNumberText(step),
                         DataNumberText(start.value()));
    } else if (grouping == Grouping::ByCount) {
        if (!amount || amount->lo != 0 || amount->hi != std::floor(amount->hi) || amount->hi < 1
            || amount->hi > MaxGroups)
            return Refuse(QStringLiteral("组数应为1到%1之间的整数").arg(MaxGroups));
        if (span.hi <= 0)
            return Refuse(QStringLiteral("数据都等于起点，请按组距分组"));
        groups = amount->hi;
        width = Divide(span, {groups, 0});
    } else {
        if (!amount || amount->hi <= 0)
            return Refuse(QStringLiteral("组距应为大于0的数"));
        width = *amount;
        const DoubleDouble quotient = Divide(span, width);
        const double tolerance
                = WholeTolerance * (std::fabs(greatest.hi) + std::fabs(start.hi)) / width.hi;
        groups = NearWhole(quotient, tolerance).value_or(std::ceil(quotient.hi));
        groups = std::max(groups, 1.0);
        if (groups > MaxGroups)
            return Refuse(QStringLiteral("组数超过%1，请把组距放大").arg(MaxGroups));
    }
    Histogram histogram{start.value(), width.value(), {}};
    for (int j = 0; j < int(groups); ++j) {
        histogram.groups.push_back({Add(start, Multiply({double(j), 0}, width)).value(),
                                    Add(start, Multiply({double(j + 1), 0}, width)).value(), 0, 0,
                                    0});
    }
    const std::vector<DoubleDouble> &values = sample.values();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const DoubleDouble quotient = Divide(Minus(values[i], start), width);
        const double tolerance
                = WholeTolerance * (std::fabs(values[i].hi) + std::fabs(start.hi)) / width.hi;
        const double index = NearWhole(quotient, tolerance).value_or(std::floor(quotient.hi));
        histogram.groups[std::size_t(std::clamp(index, 0.0, groups - 1))].count
                += sample.counts()[i];
    }
    for (HistogramGroup &group : histogram.groups) {
        group.frequency = group.count / sample.count();
        group.density = group.frequency / histogram.width;
    }
    return histogram;
}

QString NumberText(double value, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', std::clamp(significantDigits, 1, 17));
}

NamedValue Figure(const QString &name, double value, int shownDigits)
{
    return {name, NumberText(value, CopiedDigits), NumberText(value, shownDigits)};
}

NamedValues OneVariableValues(const OneVariableFigures &f, int digits)
{
    const auto figure = [digits](const char *name, double value) {
        return Figure(QString::fromUtf8(name), value, digits);
    };
    const auto modes = [&f](int digits) {
        if (f.modes.empty())
            return QStringLiteral("无");
        QStringList numbers;
        for (std::size_t i = 0; i < f.modes.size() && i < ModesListed; ++i)
            numbers.append(NumberText(f.modes[i], digits));
        const QString more = f.modes.size() > ModesListed
                ? QStringLiteral("等共%1个").arg(f.modes.size())
                : QString();
        return numbers.join(u'、') + more;
    };
    const auto sample = [&f, &figure](const char *name, std::optional<double> value) {
        return value
                ? figure(name, *value)
                : NamedValue{
                        QString::fromUtf8(name), QStringLiteral("只有一个数据，n-1为0"), {}, true};
    };
    return {figure("n", f.n),
            figure("Σx", f.sum),
            figure("Σx²", f.sumOfSquares),
            figure("平均数", f.mean),
            figure("中位数", f.median),
            {QStringLiteral("众数"), modes(CopiedDigits), modes(digits)},
            figure("极差", f.range),
            figure("最小值", f.minimum),
            figure("最大值", f.maximum),
            figure("第25百分位数", f.percentile25),
            figure("第50百分位数", f.median),
            figure("第75百分位数", f.percentile75),
            figure("方差(除以n)", f.variance),
            figure("标准差(除以n)", f.standardDeviation),
            sample("样本方差(除以n-1)", f.sampleVariance),
            sample("样本标准差(除以n-1)", f.sampleStandardDeviation)};
}

} // namespace Statistics
