#include "ui/drawingpanel.h"

#include "eval/numberformat.h"
#include "ui/controls.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <type_traits>

using namespace Eval;

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
    for (std::future<void> &drawing : m_drawings)
        drawing.get();
    m_drawings.clear();
}

const QImage &DrawingPanel::picture() const
{
    FinishDrawing();
    return m_picture;
}

void DrawingPanel::PaintOnPaper(QPainter &painter)
{
    painter.drawImage(QRectF(rect()), picture());
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

namespace {

// A thick line with round caps is the shape of the same line with flat caps and a disc at each
// end, which the raster engine draws about four times as fast: its flat lines take a quick path,
// its round caps the slow one of curved outlines.
template<typename Line>
void DrawEach(QPainter &painter, const QList<Line> &lines)
{
    const QPen pen = painter.pen();
    QPen flat = pen;
    flat.setCapStyle(Qt::FlatCap);
    const bool thick = !pen.isCosmetic() && pen.capStyle() == Qt::RoundCap;
    const qreal radius = pen.widthF() / 2;
    painter.setBrush(pen.color());
    for (const Line &line : lines) {
        // A line of one pixel is that pixel; finer lines are drawn as they are.
        if constexpr (std::is_same_v<Line, QLine>) {
            if (line.p1() == line.p2()) {
                painter.setPen(pen);
                painter.drawPoint(line.p1());
                continue;
            }
        }
        if (!thick) {
            painter.drawLine(line);
            continue;
        }
        painter.setPen(flat);
        painter.drawLine(line);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(line.p1()), radius, radius);
        painter.drawEllipse(QPointF(line.p2()), radius, radius);
    }
}

} // namespace

void DrawingPanel::DrawLine(int x1, int y1, int x2, int y2)
{
    DrawWithPen([&](QPainter &painter) { DrawEach(painter, QList<QLine>{QLine(x1, y1, x2, y2)}); },
                QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

void DrawingPanel::DrawLine(QPointF from, QPointF to)
{
    DrawWithPen(
            [&](QPainter &painter) {
                painter.setRenderHint(QPainter::Antialiasing);
                DrawEach(painter, QList<QLineF>{QLineF(from, to)});
            },
            QRectF(from, to));
}

namespace {

// The lines that reach columns [x1, x2) with their caps and smoothed edges, in order.
template<typename Line>
QList<Line> LinesInStrip(const QList<Line> &lines, double x1, double x2, int margin)
{
    QList<Line> inStrip;
    for (const Line &line : lines) {
        if (std::max(line.x1(), line.x2()) + margin >= x1
            && std::min(line.x1(), line.x2()) - margin < x2)
            inStrip.append(line);
    }
    return inStrip;
}

} // namespace

// Each strip of columns is drawn on a thread of its own, with every line that reaches into it
// in order, so that each pixel gets the same lines in the same order as one by one. The picture
// is the threads' alone until FinishDrawing; the pen is the one set now.
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
    // Strips meet between device pixels only at a ratio of 1.
    const qreal ratio = m_picture.devicePixelRatio();
    const int strips = ratio == 1 ? std::clamp(QThread::idealThreadCount(), 1, 4) : 1;
    uchar *bits = m_picture.bits();
    for (int strip = 0; strip < strips; ++strip) {
        const int x1 = width() * strip / strips;
        const int x2 = width() * (strip + 1) / strips;
        // A painter of its own on the same pixels, which the strips share without overlapping;
        // moved, not copied, so that painting does not detach it from them.
        QImage shared(bits, m_picture.width(), m_picture.height(), m_picture.bytesPerLine(),
                      m_picture.format());
        shared.setDevicePixelRatio(ratio);
        m_drawings.push_back(std::async(std::launch::async,
                                        [shared = std::move(shared), pen = Pen(),
                                         inStrip = LinesInStrip(lines, x1, x2, margin),
                                         clip = QRect(x1, 0, x2 - x1, height()),
                                         antialiased = antialiased || m_penWidth > 1]() mutable {
                                            QPainter painter(&shared);
                                            painter.setClipRect(clip);
                                            painter.setPen(pen);
                                            painter.setRenderHint(QPainter::Antialiasing,
                                                                  antialiased);
                                            DrawEach(painter, inStrip);
                                        }));
    }
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
