#include "ui/graphpainter.h"

#include "eval/numbertext.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TickLength = 5;
constexpr double MarkRadius = 4;
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

QString TickText(double value)
{
    return NumberToText(value);
}

} // namespace

namespace GraphPainter {

void PaintAxes(QPainter &painter, const GraphView &view, const QFont &font)
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

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(GridColor, 0));
    for (const double x : xs)
        painter.drawLine(QPointF(view.Column(x), 0), QPointF(view.Column(x), h));
    for (const double y : ys)
        painter.drawLine(QPointF(0, view.Row(y)), QPointF(w, view.Row(y)));

    // An axis out of view lends its place to the nearest edge, for the labels.
    const double axisRow = std::clamp(view.Row(0), 0.0, h);
    const double axisColumn = std::clamp(view.Column(0), 0.0, w);
    painter.setPen(QPen(AxisColor, 0));
    if (view.Row(0) >= 0 && view.Row(0) <= h)
        painter.drawLine(QPointF(0, axisRow), QPointF(w, axisRow));
    if (view.Column(0) >= 0 && view.Column(0) <= w)
        painter.drawLine(QPointF(axisColumn, 0), QPointF(axisColumn, h));

    const bool labelsAbove = axisRow + metrics.height() + TickLength > h;
    for (const double x : xs) {
        const double column = view.Column(x);
        painter.drawLine(QPointF(column, axisRow - TickLength), QPointF(column, axisRow));
        if (x == 0)
            continue;
        const QString text = TickText(x);
        const double width = metrics.horizontalAdvance(text);
        const QRectF box(column - width / 2,
                         labelsAbove ? axisRow - TickLength - metrics.height() : axisRow + 2, width,
                         metrics.height());
        if (box.left() >= 0 && box.right() <= w)
            painter.drawText(box, Qt::AlignCenter, text);
    }
    const bool labelsLeft = axisColumn + TickLength + 60 > w;
    for (const double y : ys) {
        const double row = view.Row(y);
        painter.drawLine(QPointF(axisColumn, row), QPointF(axisColumn + TickLength, row));
        if (y == 0)
            continue;
        const QString text = TickText(y);
        const double width = metrics.horizontalAdvance(text);
        const QRectF box(labelsLeft ? axisColumn - 3 - width : axisColumn + TickLength + 3,
                         row - metrics.height() / 2, width, metrics.height());
        if (box.top() >= 0 && box.bottom() <= h)
            painter.drawText(box, Qt::AlignCenter, text);
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
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = width + 2;
    const QRectF area(-margin, -margin, view.width() + 2 * margin, view.height() + 2 * margin);
    QPainterPath path;
    for (const CurveSampler::Piece &piece : pieces) {
        bool open = false;
        for (std::size_t i = 1; i < piece.size(); ++i) {
            QPointF from = piece[i - 1];
            QPointF to = piece[i];
            if (!ClipSegment(from, to, area)) {
                open = false;
                continue;
            }
            if (!open || from != piece[i - 1])
                path.moveTo(from);
            path.lineTo(to);
            open = to == piece[i];
        }
        if (piece.size() == 1 && area.contains(piece.front())) {
            path.moveTo(piece.front());
            path.lineTo(piece.front());
        }
    }
    painter.drawPath(path);
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

void PaintMarks(QPainter &painter, const GraphView &view, const std::vector<CurveMark> &marks)
{
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
