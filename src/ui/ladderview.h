#pragma once

#include "ui/working.h"

#include <QWidget>

// Draws a short-division ladder as the textbooks do: each divisor left of a bracket that closes
// the row of numbers it divides, the quotients below; remainders, where given, right of their
// quotients with an arrow up the column to say they are read from the bottom.
class LadderView : public QWidget
{
    Q_OBJECT
public:
    explicit LadderView(const Ui::ShortDivision &ladder, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Geometry;
    Geometry Measure() const;

    Ui::ShortDivision m_ladder;
};
