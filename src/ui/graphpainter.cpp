#include "ui/graphpainter.h"

#include "eval/numberformat.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Ui;
using namespace Eval;

namespace {

constexpr int TickLength = 5;
constexpr double MarkRadius = 4;
constexpr double MarkSpacing = 8;
constexpr double DotRadius = 3.5;
// Bars and areas are shaded in their colour, lightly enough to show the grid through them.
constexpr double ShadeOpacity = 0.25;
const QColor AxisColor(Qt::black);
const QColor GridColor(0xe6, 0xe6, 0xe6);
const QColor TraceColor(0x33, 0x33, 0x33);

// Cuts the segment to `area` (Liang–Barsky); false when nothing of it is inside.
bool ClipSegment(QPointF &from, QPointF &to, const QRectF &area)
{
    double enter = 0;
    double leave = 1;
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {from.x() - area.left(), area.right() - from.x(), from.y() - area.top(),
                        area.bottom() - from.y()};
    for (int side = 0; side < 4; ++side) {
        if (p[side] == 0) {
            if (q[side] < 0)
                return false;
            continue;
        }
        const double t = q[side] / p[side];
        if (p[side] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    const QPointF start = from;
    from = start + enter * QPointF(dx, dy);
    to = start + leave * QPointF(dx, dy);
    return true;
}

// A wide line is filled as one outline: where a curve crosses itself thousands of times (far
// out, or beside poles) filling one long outline costs far more than many short ones.
constexpr std::size_t PointsPerStroke = 12;

// Points that lie this close to the line through their neighbours add nothing to the picture.
constexpr double Flatness = 0.2;
constexpr std::size_t LongestFlatStretch = 64;

double DistanceFromLine(QPointF point, QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (length == 0)
        return std::hypot(point.x() - from.x(), point.y() - from.y());
    const QPointF off = point - from;
    return std::fabs(along.x() * off.y() - along.y() * off.x()) / length;
}

// Drops the points of nearly straight stretches, which a smooth curve has most of.
std::vector<QPointF> Simplified(const std::vector<QPointF> &run)
{
    std::vector<QPointF> kept;
    std::size_t anchor = 0;
    kept.push_back(run.front());
    for (std::size_t end = 2; end < run.size(); ++end) {
        bool flat = end - anchor <= LongestFlatStretch;
        for (std::size_t i = anchor + 1; flat && i < end; ++i)
            flat = DistanceFromLine(run[i], run[anchor], run[end]) <= Flatness;
        if (!flat) {
            anchor = end - 1;
            kept.push_back(run[anchor]);
        }
    }
    if (run.size() > 1)
        kept.push_back(run.back());
    return kept;
}

// A stretch with many points per column (a curve that swings up and down within pixels) shows
// as a band: each column filled from its lowest to its highest point, the pen's width wide.
bool IsDense(const std::vector<QPointF> &run)
{
    return double(run.size()) > 3 * (run.back().x() - run.front().x() + 1);
}

void PaintDense(QPainter &painter, const std::vector<QPointF> &run)
{
    const QPen pen = painter.pen();
    const double width = pen.isCosmetic() ? 1 : pen.widthF();
    std::size_t i = 0;
    while (i < run.size()) {
        const double column = std::floor(run[i].x());
        // The column's band starts where the line came in, so that bands join.
        double low = i > 0 ? run[i - 1].y() : run[i].y();
        double high = low;
        for (; i < run.size() && std::floor(run[i].x()) == column; ++i) {
            low = std::min(low, run[i].y());
            high = std::max(high, run[i].y());
        }
        painter.fillRect(
                QRectF(column + 0.5 - width / 2, low - width / 2, width, high - low + width),
                pen.color());
    }
}

void PaintRun(QPainter &painter, std::vector<QPointF> &run)
{
    if (run.size() < 2) {
        run.clear();
        return;
    }
    if (IsDense(run)) {
        PaintDense(painter, run);
        run.clear();
        return;
    }
    const std::vector<QPointF> points = Simplified(run);
    for (std::size_t start = 0; start + 1 < points.size(); start += PointsPerStroke - 1) {
        const std::size_t count = std::min(PointsPerStroke, points.size() - start);
        painter.drawPolyline(points.data() + start, int(count));
    }
    run.clear();
}

QString TickText(double value)
{
    return NumberToText(value);
}

} // namespace

namespace GraphPainter {

void PaintAxes(QPainter &painter, const GraphView &view, const QFont &font, AxesLayer layer,
               bool yLabels, bool yNamed)
{
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double w = view.width();
    const double h = view.height();
    const double xStep = TickStep(
            view.left(), view.right(), w, 50,
            [&](double v) { return metrics.horizontalAdvance(TickText(v)); }, 12);
    const double yStep = TickStep(
            view.bottom(), view.top(), h, 30, [&](double) { return metrics.height(); }, 10);
    const std::vector<double> xs = TickValues(view.left(), view.right(), xStep);
    const std::vector<double> ys = TickValues(view.bottom(), view.top(), yStep);
    const bool xAxisShown = view.Row(0) >= 0 && view.Row(0) <= h;
    const bool yAxisShown = view.Column(0) >= 0 && view.Column(0) <= w;
    // An axis out of view lends its place to the nearest edge, for the labels.
    const double axisRow = std::clamp(view.Row(0), 0.0, h);
    const double axisColumn = std::clamp(view.Column(0), 0.0, w);

    painter.setRenderHint(QPainter::Antialiasing, false);
    if (layer == AxesLayer::Lines) {
        painter.setPen(QPen(GridColor, 0));
        for (const double x : xs)
            painter.drawLine(QPointF(view.Column(x), 0), QPointF(view.Column(x), h));
        for (const double y : ys)
            painter.drawLine(QPointF(0, view.Row(y)), QPointF(w, view.Row(y)));
        painter.setPen(QPen(AxisColor, 0));
        if (xAxisShown) {
            painter.drawLine(QPointF(0, axisRow), QPointF(w, axisRow));
            for (const double x : xs)
                painter.drawLine(QPointF(view.Column(x), axisRow - TickLength),
                                 QPointF(view.Column(x), axisRow));
        }
        if (yAxisShown) {
            painter.drawLine(QPointF(axisColumn, 0), QPointF(axisColumn, h));
            for (const double y : ys)
                painter.drawLine(QPointF(axisColumn, view.Row(y)),
                                 QPointF(axisColumn + TickLength, view.Row(y)));
        }
        painter.restore();
        return;
    }

    // Labels go over the curves, each on a light ground of its own, so that a dense curve
    // does not hide them.
    const auto label = [&](const QRectF &box, const QString &text) {
        painter.fillRect(box.adjusted(-1, 0, 1, 0), QColor(255, 255, 255, 200));
        painter.drawText(box, Qt::AlignCenter, text);
    };
    painter.setPen(AxisColor);
    const bool labelsAbove = axisRow + metrics.height() + TickLength > h;
    for (const double x : xs) {
        if (x == 0)
            continue;
        const QString text = TickText(x);
        const double width = metrics.horizontalAdvance(text);
        const QRectF box(view.Column(x) - width / 2,
                         labelsAbove ? axisRow - TickLength - metrics.height() : axisRow + 2, width,
                         metrics.height());
        if (box.left() >= 0 && box.right() <= w)
            label(box, text);
    }
    const bool labelsLeft = axisColumn + TickLength + 60 > w;
    for (const double y : ys) {
        if (y == 0 || !yLabels)
            continue;
        const QString text = TickText(y);
        const double width = metrics.horizontalAdvance(text);
        const QRectF box(labelsLeft ? axisColumn - 3 - width : axisColumn + TickLength + 3,
                         view.Row(y) - metrics.height() / 2, width, metrics.height());
        const double top = yNamed ? metrics.height() + 4 : 0;
        if (box.top() >= top && box.bottom() <= h)
            label(box, text);
    }
    painter.restore();
}

void PaintCurve(QPainter &painter, const GraphView &view,
                const std::vector<CurveSampler::Piece> &pieces, const QColor &color, int width)
{
    painter.save();
    QPen pen(color, width <= 1 ? 1 : width);
    pen.setCosmetic(width <= 1);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = width + 2;
    const QRectF area(-margin, -margin, view.width() + 2 * margin, view.height() + 2 * margin);
    std::vector<QPointF> run;
    for (const CurveSampler::Piece &piece : pieces) {
        if (piece.size() == 1 && area.contains(piece.front()))
            painter.drawPoint(piece.front());
        for (std::size_t i = 1; i < piece.size(); ++i) {
            QPointF from = piece[i - 1];
            QPointF to = piece[i];
            if (!ClipSegment(from, to, area)) {
                PaintRun(painter, run);
                continue;
            }
            if (run.empty() || from != run.back()) {
                PaintRun(painter, run);
                run.push_back(from);
            }
            run.push_back(to);
        }
        PaintRun(painter, run);
    }
    painter.restore();
}

QColor MarkColor(CurveMark::Kind kind)
{
    switch (kind) {
    case CurveMark::Zero:
        return QColor(0x15, 0x65, 0xc0);
    case CurveMark::YIntercept:
        return QColor(0x2e, 0x7d, 0x32);
    case CurveMark::Maximum:
    case CurveMark::Minimum:
        break;
    }
    return QColor(0xc6, 0x28, 0x28);
}

void PaintShapes(QPainter &painter, const GraphView &view, const GraphShapes &shapes)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const auto at = [&view](QPointF point) {
        return QPointF(view.Column(point.x()), view.Row(point.y()));
    };
    for (const GraphShape &shape : shapes) {
        QColor fill = shape.color;
        fill.setAlphaF(ShadeOpacity);
        std::vector<QPointF> points;
        for (const QPointF &point : shape.points)
            points.push_back(at(point));
        switch (shape.kind) {
        case GraphShape::Dots:
            painter.setPen(QPen(Qt::white, 1));
            painter.setBrush(shape.color);
            for (const QPointF &point : points)
                painter.drawEllipse(point, DotRadius, DotRadius);
            break;
        case GraphShape::Bar:
            if (points.size() == 2) {
                painter.setPen(QPen(shape.color, 0));
                painter.setBrush(fill);
                painter.drawRect(QRectF(points[0], points[1]).normalized());
            }
            break;
        case GraphShape::Area:
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawPolygon(points.data(), int(points.size()));
            break;
        case GraphShape::Line:
            painter.setPen(QPen(shape.color, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(points.data(), int(points.size()));
            break;
        }
    }
    painter.restore();
}

void PaintAxisNames(QPainter &painter, const GraphView &view, const QFont &font,
                    const QString &xName, const QString &yName)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(AxisColor);
    const QFontMetricsF metrics(font, painter.device());
    const double row = std::clamp(view.Row(0), metrics.height() + 2, view.height());
    const double column = std::clamp(view.Column(0), 0.0, view.width());
    const double xWidth = metrics.horizontalAdvance(xName);
    painter.drawText(
            QRectF(view.width() - xWidth - 4, row - metrics.height() - 2, xWidth, metrics.height()),
            Qt::AlignCenter, xName);
    const double yWidth = metrics.horizontalAdvance(yName);
    painter.drawText(
            QRectF(std::clamp(column + 6, 0.0, view.width() - yWidth), 2, yWidth, metrics.height()),
            Qt::AlignCenter, yName);
    painter.restore();
}

void PaintMarks(QPainter &painter, const GraphView &view, const std::vector<CurveMark> &marks)
{
    // Dots closer than this on average only hide the curve.
    if (double(marks.size()) > view.width() / MarkSpacing)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, view.width(), view.height());
    for (const CurveMark &mark : marks) {
        const QPointF at(view.Column(mark.x), view.Row(mark.y));
        if (!area.contains(at))
            continue;
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(MarkColor(mark.kind));
        painter.drawEllipse(at, MarkRadius, MarkRadius);
    }
    painter.restore();
}

void PaintTrace(QPainter &painter, const GraphView &view, double x, double y, const QString &text,
                const QFont &font)
{
    const QPointF at(view.Column(x), view.Row(y));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(TraceColor, 0, Qt::DotLine));
    painter.drawLine(QPointF(at.x(), 0), QPointF(at.x(), view.height()));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(TraceColor);
    painter.drawEllipse(at, MarkRadius + 1, MarkRadius + 1);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    // Beside the dot, on whichever side leaves it inside the panel.
    box.moveTopLeft(at + QPointF(10, -box.height() - 6));
    if (box.right() > view.width())
        box.moveRight(at.x() - 10);
    if (box.top() < 0)
        box.moveTop(at.y() + 8);
    box.moveLeft(std::clamp(box.left(), 0.0, std::max(0.0, view.width() - box.width())));
    box.moveTop(std::clamp(box.top(), 0.0, std::max(0.0, view.height() - box.height())));
    painter.setPen(QPen(TraceColor, 1));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRoundedRect(box, 3, 3);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void PaintCaption(QPainter &painter, const GraphView &, const QString &text, const QFont &font)
{
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF box(4, 4, metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace GraphPainter
