#pragma once

#include "ui/curvesampler.h"
#include "ui/graphshapes.h"
#include "ui/graphview.h"

#include <QColor>
#include <QString>

#include <vector>

class QFont;
class QPainter;

// Paints the parts of a graph in a view, in panel coordinates (logical pixels); the painter's
// device decides the resolution.
namespace GraphPainter {

// Light grid lines, both axes where they are in view with ticks at round steps, and the
// ticks' labels, which never overlap; an axis out of view has its labels along the nearest
// edge. The labels come after the curves, over them.
enum class AxesLayer { Lines, Labels };
// Without `yLabels`, y's ticks go unlabelled (where y measures nothing). With `yNamed`, no
// tick label stands in the line at the top where PaintAxisNames writes y's name.
void PaintAxes(QPainter &painter, const Ui::GraphView &view, const QFont &font, AxesLayer layer,
               bool yLabels = true, bool yNamed = false);
// Width 0 or 1 is the thinnest line.
void PaintCurve(QPainter &painter, const Ui::GraphView &view,
                const std::vector<Ui::CurveSampler::Piece> &pieces, const QColor &color, int width);
void PaintMarks(QPainter &painter, const Ui::GraphView &view,
                const std::vector<Ui::CurveMark> &marks);
// Shapes in graph coordinates, in their order: bars and areas filled at a low opacity.
void PaintShapes(QPainter &painter, const Ui::GraphView &view, const Ui::GraphShapes &shapes);
// What the axes measure, as the textbook labels them: x's name at the right end of the x axis,
// y's at the top of the y axis (each along the nearest edge when its axis is out of view).
void PaintAxisNames(QPainter &painter, const Ui::GraphView &view, const QFont &font,
                    const QString &xName, const QString &yName);
// The dot of the trace and its text beside it.
void PaintTrace(QPainter &painter, const Ui::GraphView &view, double x, double y,
                const QString &text, const QFont &font);
// The expression in the top-left corner, for a picture that leaves the window.
void PaintCaption(QPainter &painter, const Ui::GraphView &view, const QString &text,
                  const QFont &font);

QColor MarkColor(Ui::CurveMark::Kind kind);

} // namespace GraphPainter
