#pragma once

#include <QRectF>
#include <QWidget>

class QPainter;

// The picture box that shows the background picture behind the launcher and the splash.
class BackgroundPicture : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The program's own pictures, drawn in code so they stay crisp at any scale.
void PaintBackground(QPainter &painter, const QRectF &area);
// The program's icon (ui/programicon.h), lit under the pointer.
void PaintLogo(QPainter &painter, const QRectF &area, bool hovered);
void PaintCloseCross(QPainter &painter, const QRectF &area, bool hovered);
// The arrow that turns the launcher's page, pointing to the page it turns to.
void PaintPageArrow(QPainter &painter, const QRectF &area, bool hovered, bool down);
void PaintCalculatorsIcon(QPainter &painter, const QRectF &area, bool hovered);
void PaintSettingsIcon(QPainter &painter, const QRectF &area, bool hovered);
void PaintAboutIcon(QPainter &painter, const QRectF &area, bool hovered);
void PaintSkinIcon(QPainter &painter, const QRectF &area, bool hovered);
// The three programs of the window "外部计算器": a pocket calculator, a scientific one with
// many small keys and a graphing one with a large display.
void PaintSimpleCalculator(QPainter &painter, const QRectF &area, bool hovered);
void PaintScientificCalculator(QPainter &painter, const QRectF &area, bool hovered);
void PaintGraphingCalculator(QPainter &painter, const QRectF &area, bool hovered);
