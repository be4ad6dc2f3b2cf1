#include "app/artwork.h"

#include "ui/programicon.h"
#include "ui/style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// A five-lobed maple leaf in a unit square.
QPainterPath MapleLeaf(const QRectF &area)
{
    static const QPointF outline[] = {
            {0.50, 0.04}, {0.58, 0.25}, {0.71, 0.17}, {0.67, 0.38}, {0.90, 0.29}, {0.81, 0.48},
            {0.96, 0.52}, {0.74, 0.64}, {0.79, 0.75}, {0.55, 0.70}, {0.52, 0.96}, {0.48, 0.96},
            {0.45, 0.70}, {0.21, 0.75}, {0.26, 0.64}, {0.04, 0.52}, {0.19, 0.48}, {0.10, 0.29},
            {0.33, 0.38}, {0.29, 0.17}, {0.42, 0.25},
    };
    QPolygonF polygon;
    for (const QPointF &point : outline) {
        polygon << QPointF(area.left() + point.x() * area.width(),
                           area.top() + point.y() * area.height());
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

void PaintLeaf(QPainter &painter, const QRectF &area, const QColor &color, qreal angle)
{
    painter.save();
    painter.translate(area.center());
    painter.rotate(angle);
    painter.translate(-area.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(MapleLeaf(area));
    painter.restore();
}

// The round plate behind the small icons, shown while the pointer is over them.
void PaintIconPlate(QPainter &painter, const QRectF &area, bool hovered)
{
    if (!hovered)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2E, 0x8B, 0x7A, 40));
    painter.drawEllipse(area.adjusted(1, 1, -1, -1));
}

QPen IconPen(const QRectF &area, bool hovered)
{
    QPen pen(hovered ? Palette::Accent : Palette::SecondaryText, area.width() / 14.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A calculator drawn in `area`: its body, a display taking `displayShare` of the body's height
// and a grid of keys below it. Returns the display, for what it shows.
QRectF PaintCalculatorBody(QPainter &painter, const QRectF &area, bool hovered, qreal bodyWidth,
                           qreal displayShare, int keyColumns, int keyRows)
{
    const QColor ink = hovered ? Palette::Accent : Palette::SecondaryText;
    const qreal height = area.height() * 0.8;
    const QRectF body(area.center().x() - area.width() * bodyWidth / 2,
                      area.center().y() - height / 2, area.width() * bodyWidth, height);
    painter.setPen(QPen(ink, area.width() / 24.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(body, body.width() * 0.12, body.width() * 0.12);

    const qreal inset = body.width() * 0.14;
    const QRectF display(body.left() + inset, body.top() + inset, body.width() - 2 * inset,
                         body.height() * displayShare);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2E, 0x8B, 0x7A, hovered ? 70 : 45));
    painter.drawRoundedRect(display, 1.5, 1.5);

    const QRectF keys(display.left(), display.bottom() + inset * 0.8, display.width(),
                      body.bottom() - inset - display.bottom() - inset * 0.8);
    const qreal pitchX = keys.width() / keyColumns;
    const qreal pitchY = keys.height() / keyRows;
    for (int row = 0; row < keyRows; ++row) {
        for (int column = 0; column < keyColumns; ++column) {
            const bool equals = row == keyRows - 1 && column == keyColumns - 1;
            painter.setBrush(equals ? QColor(Palette::WarmAccent) : ink);
            painter.drawRoundedRect(QRectF(keys.left() + column * pitchX + pitchX * 0.15,
                                           keys.top() + row * pitchY + pitchY * 0.2, pitchX * 0.7,
                                           pitchY * 0.6),
                                    1, 1);
        }
    }
    return display;
}

} // namespace

void BackgroundPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBackground(painter, QRectF(rect()));
}

void PaintBackground(QPainter &painter, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, QColor(0xE4, 0xF1, 0xEC));
    sky.setColorAt(0.55, Palette::Background);
    sky.setColorAt(1, QColor(0xF6, 0xEE, 0xE8));
    painter.fillRect(area, sky);

    // A calm wave along the bottom, and a few leaves drifting across the corners.
    QPainterPath wave;
    const qreal bottom = area.bottom();
    wave.moveTo(area.left(), bottom - 120);
    wave.cubicTo(area.left() + area.width() * 0.3, bottom - 170, area.left() + area.width() * 0.6,
                 bottom - 60, area.right(), bottom - 130);
    wave.lineTo(area.bottomRight());
    wave.lineTo(area.bottomLeft());
    wave.closeSubpath();
    painter.fillPath(wave, QColor(0x2E, 0x8B, 0x7A, 22));

    PaintLeaf(painter, QRectF(area.right() - 190, area.top() + 250, 150, 150),
              QColor(0xC8, 0x55, 0x3D, 26), 18);
    PaintLeaf(painter, QRectF(area.left() + 30, area.top() + 300, 110, 110),
              QColor(0x2E, 0x8B, 0x7A, 24), -24);
    PaintLeaf(painter, QRectF(area.left() + area.width() * 0.48, area.top() + 6, 60, 60),
              QColor(0xC8, 0x55, 0x3D, 30), 40);
}

void PaintLogo(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintProgramPicture(painter, area, hovered);
}

void PaintCloseCross(QPainter &painter, const QRectF &area, bool hovered)
{
    const QRectF circle = area.adjusted(10, 10, -10, -10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hovered ? Palette::WarmAccent : QColor(0, 0, 0, 0));
    painter.drawEllipse(circle);
    QPen pen(hovered ? Qt::white : Palette::SecondaryText, 2.2);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QRectF arms = circle.adjusted(circle.width() * 0.3, circle.height() * 0.3,
                                        -circle.width() * 0.3, -circle.height() * 0.3);
    painter.drawLine(arms.topLeft(), arms.bottomRight());
    painter.drawLine(arms.topRight(), arms.bottomLeft());
}

void PaintPageArrow(QPainter &painter, const QRectF &area, bool hovered, bool down)
{
    PaintIconPlate(painter, area.adjusted(2, 8, -2, -6), hovered);
    painter.setPen(IconPen(area, hovered));
    painter.setBrush(Qt::NoBrush);
    const qreal x = area.center().x();
    const qreal top = area.top() + area.height() * 0.3;
    const qreal bottom = area.top() + area.height() * 0.66;
    const qreal half = area.width() * 0.22;
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    const qreal tip = down ? bottom : top;
    const qreal barbs = down ? bottom - half : top + half;
    painter.drawPolyline(QPolygonF({{x - half, barbs}, {x, tip}, {x + half, barbs}}));
}

void PaintCalculatorsIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    painter.setPen(IconPen(area, hovered));
    painter.setBrush(Qt::NoBrush);
    const QRectF body = area.adjusted(area.width() * 0.28, area.height() * 0.2,
                                      -area.width() * 0.28, -area.height() * 0.2);
    painter.drawRoundedRect(body, 2, 2);
    painter.drawLine(QPointF(body.left() + 3, body.top() + body.height() * 0.3),
                     QPointF(body.right() - 3, body.top() + body.height() * 0.3));
    painter.setBrush(painter.pen().color());
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const QPointF key(body.left() + body.width() * (0.32 + 0.36 * column),
                              body.top() + body.height() * (0.55 + 0.25 * row));
            painter.drawEllipse(key, 0.6, 0.6);
        }
    }
}

void PaintSettingsIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    const QPointF centre = area.center();
    const qreal outer = area.width() * 0.3;
    painter.setPen(IconPen(area, hovered));
    painter.setBrush(Qt::NoBrush);
    for (int tooth = 0; tooth < 8; ++tooth) {
        const qreal angle = qDegreesToRadians(tooth * 45.0);
        painter.drawLine(centre + QPointF(qCos(angle), qSin(angle)) * outer * 0.7,
                         centre + QPointF(qCos(angle), qSin(angle)) * outer);
    }
    painter.drawEllipse(centre, outer * 0.65, outer * 0.65);
    painter.drawEllipse(centre, outer * 0.22, outer * 0.22);
}

void PaintAboutIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    const QPointF centre = area.center();
    const qreal radius = area.width() * 0.3;
    painter.setPen(IconPen(area, hovered));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.drawLine(centre + QPointF(0, -radius * 0.05), centre + QPointF(0, radius * 0.5));
    painter.drawPoint(centre + QPointF(0, -radius * 0.45));
}

void PaintSkinIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    const QRectF leaf = area.adjusted(area.width() * 0.22, area.height() * 0.22,
                                      -area.width() * 0.22, -area.height() * 0.22);
    PaintLeaf(painter, leaf, hovered ? Palette::WarmAccent : Palette::SecondaryText, 0);
}

void PaintSimpleCalculator(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    PaintCalculatorBody(painter, area, hovered, 0.62, 0.22, 4, 4);
}

void PaintScientificCalculator(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    PaintCalculatorBody(painter, area, hovered, 0.54, 0.18, 5, 6);
}

void PaintGraphingCalculator(QPainter &painter, const QRectF &area, bool hovered)
{
    PaintIconPlate(painter, area, hovered);
    const QRectF display = PaintCalculatorBody(painter, area, hovered, 0.62, 0.4, 5, 3);
    // A sine wave across the display.
    QPainterPath wave;
    for (int step = 0; step <= 24; ++step) {
        const qreal t = step / 24.0;
        const QPointF point(display.left() + 2 + t * (display.width() - 4),
                            display.center().y() - qSin(t * 2 * M_PI) * display.height() * 0.3);
        if (step == 0)
            wave.moveTo(point);
        else
            wave.lineTo(point);
    }
    painter.setPen(QPen(hovered ? Palette::Accent : Palette::Text, area.width() / 40.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
}
