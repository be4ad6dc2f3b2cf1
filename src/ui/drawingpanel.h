#pragma once

#include <QLine>
#include <QList>

#include <QColor>
#include <QImage>
#include <QPen>
#include <QWidget>

#include <functional>
#include <future>
#include <vector>

// A pixel canvas (origin top left, y downward) that keeps its picture until Clear. It paints
// at the screen's device pixel ratio so lines and labels stay sharp; coordinates are logical.
class DrawingPanel : public QWidget
{
    Q_OBJECT
public:
    DrawingPanel(const QString &name, QSize size, QWidget *parent = nullptr);
    ~DrawingPanel() override;

    void Clear();
    void DrawLine(int x1, int y1, int x2, int y2);
    // The same between points in between pixels, for lines finer than the logical pixels.
    void DrawLine(QPointF from, QPointF to);
    // Many segments, as DrawLine would draw each one after the other, with one repaint. Long
    // thick segments take milliseconds each: they are drawn on other threads, and whatever
    // reads or draws the picture next waits for them.
    void DrawLines(const QList<QLine> &lines);
    void DrawLines(const QList<QLineF> &lines);
    // Writes text with its top-left corner at (x, y), in the label font.
    void WriteText(int x, int y, const QString &text);
    void WriteText(int x, int y, double number);
    // The same, except that a text which would stick out over an edge of the panel is moved
    // just inside it; one wholly outside is left out, as WriteText leaves it unseen.
    void WriteTextInside(int x, int y, double number);

    // 0 means the thinnest line, one pixel.
    void SetPenWidth(int width) { m_penWidth = width; }
    int penWidth() const { return m_penWidth; }
    void SetPenColor(const QColor &color) { m_penColor = color; }
    QColor penColor() const { return m_penColor; }
    void SetLabelFontSize(int points) { m_labelFontSize = points; }
    int labelFontSize() const { return m_labelFontSize; }

    // The colour at a logical pixel, as shown.
    QColor PixelAt(int x, int y) const;
    const QImage &picture() const;
    // Draws what the panel shows onto paper (or any painter), in logical pixels from (0, 0);
    // a panel that can draws lines rather than its pixels.
    virtual void PaintOnPaper(QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;
    QFont LabelFont() const;

private:
    void EnsurePictureResolution();
    void FinishDrawing() const;
    QPen Pen() const;
    void DrawWithPen(const std::function<void(QPainter &)> &draw, const QRectF &area);
    template<typename Line>
    void DrawInBackground(const QList<Line> &lines, bool antialiased);
    // The area a text written at (x, y) covers.
    QRect TextArea(int x, int y, const QString &text) const;

    QImage m_picture;
    mutable std::vector<std::future<void>> m_drawings; // on other threads, until finished
    int m_penWidth = 0;
    QColor m_penColor = Qt::black;
    int m_labelFontSize = 9;
};
