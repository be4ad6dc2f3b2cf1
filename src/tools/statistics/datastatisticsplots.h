#pragma once

#include "tools/statistics/datastatistics.h"
#include "tools/statistics/regression.h"
#include "ui/graphshapes.h"

#include <QSize>
#include <QString>

namespace Statistics {

// The pictures of "数据统计" as shapes in graph coordinates, drawn by a graph panel so that they
// zoom, pan, copy and save as the function graph does.
using PlotPicture = Ui::GraphPlot;

// 频率分布直方图: a bar of height 频率/组距 over each group.
PlotPicture HistogramPicture(const Histogram &histogram, QSize panel);
// 箱线图: the box from the 25th to the 75th percentile, the median across it, the whiskers out
// to the least and the greatest value.
PlotPicture BoxPlotPicture(const OneVariableFigures &figures, QSize panel);
// 散点图: a dot at each (x, y); the fitted curve is the window's to add. Of many points, one dot
// is drawn for each small cell of the picture that holds any (at most MaxDots).
constexpr int MaxDots = 30000;
PlotPicture ScatterPicture(const PairedData &data, QSize panel);
// 残差图: a dot at each (x, y − ŷ) for the fitted curve.
PlotPicture ResidualPicture(const PairedData &data, const ModelFit &fit, QSize panel);

} // namespace Statistics
