#pragma once

#include "ui/graphview.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <vector>

namespace Ui {

// What a plot draws in graph coordinates beside the curves of functions: the dots of a scatter
// plot, the bars of a histogram or of a distribution, the shaded area under a bell curve, the
// lines of a box plot. A panel draws them in its view (GraphPanel::ShowPlot), so that they zoom
// and pan with the axes; areas and bars are filled in their colour at a low opacity.
struct GraphShape
{
    enum Kind {
        Dots, // a dot at each point
        Bar, // the rectangle with two opposite corners at the two points, outlined
        Area, // the polygon through the points, filled without an outline
        Line, // the line through the points
    };
    Kind kind;
    std::vector<QPointF> points;
    QColor color;
};

using GraphShapes = std::vector<GraphShape>;

// A whole plot: its shapes in `home`, the view it opens in and returns to; the axes named as
// the textbook names them ("频率/组距"); `caption` in the corner of a copied or saved picture.
struct GraphPlot
{
    GraphView home;
    GraphShapes shapes;
    QString caption;
    QString xName;
    QString yName;
    bool yLabels = true; // false where y measures nothing (a box plot)
};

} // namespace Ui
