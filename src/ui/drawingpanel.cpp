#include "ui/drawingpanel.h"

#include "eval/numberformat.h"
#include "ui/controls.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <type_traits>

DrawingPanel::DrawingPanel(const QString &name, QSize size, QWidget *parent)
    : QWidget(parent)
{
    NameControl(this, name);
    setFixedSize(size);
    Clear();
}

DrawingPanel::~DrawingPanel()
{
    FinishDrawing();
}

void DrawingPanel::FinishDrawing() const
{
    if (m_drawing.valid())
        m_drawing.get();
}

const QImage &DrawingPanel::picture() const
{
    FinishDrawing();
    return m_picture;
}

void DrawingPanel::EnsurePictureResolution()
{
    FinishDrawing();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_picture.size() == pixels)
        return;
    QImage sharper(pixels, QImage::Format_ARGB32_Premultiplied);
    sharper.setDevicePixelRatio(ratio);
    sharper.fill(Qt::white);
    if (!m_picture.isNull()) {
        QPainter painter(&sharper);
        painter.drawImage(rect(), m_picture);
    }
    m_picture = sharper;
}

void DrawingPanel::Clear()
{
    EnsurePictureResolution();
    m_picture.fill(Qt::white);
    update();
}

QPen DrawingPanel::Pen() const
{
    QPen pen(m_penColor, m_penWidth <= 1 ? 1 : m_penWidth);
    pen.setCosmetic(m_penWidth <= 1);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void DrawingPanel::DrawWithPen(const std::function<void(QPainter &)> &draw, const QRectF &area)
{
    EnsurePictureResolution();
    QPainter painter(&m_picture);
    painter.setPen(Pen());
    painter.setRenderHint(QPainter::Antialiasing, m_penWidth > 1);
    draw(painter);
    // Only the segment needs repainting; a curve drawn column by column stays cheap to show.
    const int margin = m_penWidth / 2 + 2;
    update(area.normalized().toAlignedRect().adjusted(-margin, -margin, margin, margin));
}

void DrawingPanel::DrawLine(int x1, int y1, int x2, int y2)
{
    DrawWithPen(
            [&](QPainter &painter) {
                if (x1 == x2 && y1 == y2)
                    painter.drawPoint(x1, y1);
                else
                    painter.drawLine(x1, y1, x2, y2);
            },
            QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

void DrawingPanel::DrawLine(QPointF from, QPointF to)
{
    DrawWithPen(
            [&](QPainter &painter) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.drawLine(from, to);
            },
            QRectF(from, to));
}

// The picture is the thread's alone until FinishDrawing; the pen is the one set now.
template<typename Line>
void DrawingPanel::DrawInBackground(const QList<Line> &lines, bool antialiased)
{
    if (lines.isEmpty())
        return;
    EnsurePictureResolution();
    QRectF changed;
    for (const Line &line : lines)
        changed |= QRectF(line.p1(), line.p2()).normalized().adjusted(0, 0, 1, 1);
    const int margin = m_penWidth / 2 + 2;
    update(changed.toAlignedRect().adjusted(-margin, -margin, margin, margin));
    m_drawing = std::async(std::launch::async,
                           [picture = &m_picture, pen = Pen(), lines,
                            antialiased = antialiased || m_penWidth > 1] {
                               QPainter painter(picture);
                               painter.setPen(pen);
                               painter.setRenderHint(QPainter::Antialiasing, antialiased);
                               for (const Line &line : lines) {
                                   // A line of one pixel is that pixel; finer lines are drawn as
                                   // they are.
                                   if constexpr (std::is_same_v<Line, QLine>) {
                                       if (line.p1() == line.p2()) {
                                           painter.drawPoint(line.p1());
                                           continue;
                                       }
                                   }
                                   painter.drawLine(line);
                               }
                           });
}

void DrawingPanel::DrawLines(const QList<QLine> &lines)
{
    DrawInBackground(lines, false);
}

// As DrawLine(QPointF, QPointF) draws each.
void DrawingPanel::DrawLines(const QList<QLineF> &lines)
{
    DrawInBackground(lines, true);
}

QFont DrawingPanel::LabelFont() const
{
    QFont labelFont = font();
    labelFont.setPointSize(m_labelFontSize);
    return labelFont;
}

QRect DrawingPanel::TextArea(int x, int y, const QString &text) const
{
    const QFontMetrics metrics(LabelFont(), this);
    return metrics.boundingRect(QRect(x, y, 10000, 10000), Qt::AlignLeft | Qt::AlignTop, text);
}

void DrawingPanel::WriteText(int x, int y, const QString &text)
{
    EnsurePictureResolution();
    QPainter painter(&m_picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(LabelFont());
    painter.setPen(m_penColor);
    const QRect box(x, y, 10000, 10000);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    update();
}

void DrawingPanel::WriteText(int x, int y, double number)
{
    WriteText(x, y, NumberToText(number));
}

void DrawingPanel::WriteTextInside(int x, int y, double number)
{
    const QString text = NumberToText(number);
    const QRect area = TextArea(x, y, text);
    if (!area.intersects(rect()))
        return;
    // A text larger than the panel keeps its left and top edges in view.
    const int dx
            = std::max(rect().left() - area.left(), std::min(0, rect().right() - area.right()));
    const int dy
            = std::max(rect().top() - area.top(), std::min(0, rect().bottom() - area.bottom()));
    WriteText(x + dx, y + dy, text);
}

QColor DrawingPanel::PixelAt(int x, int y) const
{
    FinishDrawing();
    const qreal ratio = m_picture.devicePixelRatio();
    return m_picture.pixelColor(int(x * ratio), int(y * ratio));
}

void DrawingPanel::paintEvent(QPaintEvent *event)
{
    EnsurePictureResolution();
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = m_picture.devicePixelRatio();
    painter.drawImage(area, m_picture,
                      QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio,
                             area.height() * ratio));
}
