#pragma once

#include "tools/applied/bmilogic.h"

#include <QColor>
#include <QWidget>

// The BMI table drawn from the calculator's own rule: one row per chart height, one column per
// chart weight, each cell in the colour of its category, and a legend of the categories.
class BmiChart : public QWidget
{
    Q_OBJECT
public:
    explicit BmiChart(const QString &name, QWidget *parent = nullptr);

    static QColor CategoryColor(Applied::BmiCategory category);
    // The cell of a chart height (row) and chart weight (column), counted from 0.
    QRect CellRect(int row, int column) const;
    // The colour swatch of a category in the legend.
    QRect LegendSwatch(Applied::BmiCategory category) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void PaintHeaders(QPainter &painter) const;
    void PaintCells(QPainter &painter) const;
    void PaintLegend(QPainter &painter) const;
    QRect TableRect() const;

    std::vector<double> m_heights;
    std::vector<double> m_weights;
};
