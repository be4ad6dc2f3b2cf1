#pragma once

#include "eval/expression.h"
#include "ui/curvesampler.h"
#include "ui/drawingpanel.h"
#include "ui/graphshapes.h"
#include "ui/graphview.h"

#include <memory>
#include <optional>
#include <vector>

class QTimer;

// The drawing panel of a function graph as an instrument. What is drawn on the canvas stays
// the picture until the user zooms or pans; then the panel draws the curves itself in the new
// view. Over either picture it shows the curve's marked points and, under the pointer, the
// trace: the curve's point at the pointer's x.
//
// Mouse: the wheel (or a pinch) zooms around the pointer, with Shift only x and with Ctrl only
// y; dragging pans; a double-click returns to the canvas picture. Keys, with the focus on the
// panel: + and − zoom (with Ctrl only y, with Alt only x), the arrows pan, 0 returns,
// Alt+Left and Alt+Right move the trace by one pixel, Ctrl+C copies the picture. The window's
// context menu copies it as text (the expressions and the marked points) or as a picture at the
// screen's pixel ratio or at 2×.
class GraphPanel : public DrawingPanel
{
    Q_OBJECT
public:
    GraphPanel(const QString &name, QSize size, QWidget *parent = nullptr);
    ~GraphPanel() override;

    // The canvas now shows f drawn on [a, b]: the instrument takes its curve, beside the ones
    // already there when the canvas kept them, and returns to the canvas picture unless told
    // to keep the view (a new colour of the same drawing).
    void AddCurve(const QString &expression, const Eval::PreparedFunction &f, double a, double b,
                  const QColor &color, int penWidth, bool keepOthers, bool keepView = false);

    // A plot that the panel draws itself, without a canvas picture: shapes in graph coordinates
    // (a histogram's bars, a scatter plot's dots) under the curves added to it with
    // AddPlotCurve, opening in its home view, which a double-click or 0 returns to.
    void ShowPlot(Ui::GraphPlot plot);
    // A curve of the plot (a fitted curve), traced as the function graph's curves are.
    void AddPlotCurve(const Eval::PreparedFunction &f, const QColor &color, int penWidth);

    const Ui::GraphView &view() const { return m_view; }
    bool isCanvasView() const { return m_view == m_canvasView; }
    void SetView(const Ui::GraphView &view);
    void ResetView();
    // About the middle of the panel.
    void ZoomBy(double factorX, double factorY);
    void SetEqualScale(bool equal);
    void SetMarksShown(bool shown);
    bool marksShown() const { return m_marksShown && !isCanvasView(); }
    // The curves sampled in the current view so far; all of them once sampling is done.
    bool isSampled() const;
    void FinishSampling();
    std::vector<Ui::CurveMark> marks() const;

    // The trace at a panel column; hidden when there is no curve.
    void TraceAt(double column);
    void HideTrace();
    QString traceText() const { return m_traceText; }

    // The picture as shown, at `pixelRatio`, with the expressions in the top-left corner.
    QImage RenderImage(double pixelRatio) const;
    // PNG, at `pixelRatio` (the screen's when 0), or, for a name ending in .svg, SVG.
    bool SaveImage(const QString &path, double pixelRatio = 0) const;
    void CopyImage() const;
    // The view in lines and text, as the SVG picture draws it, sampled whole.
    void PaintOnPaper(QPainter &painter) override;

signals:
    void TraceChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Curve
    {
        QString expression;
        Eval::PreparedFunction f;
        QColor color;
        int penWidth;
        std::unique_ptr<Ui::CurveSampler> sampler;
    };

    void Zoom(QPointF around, double factorX, double factorY);
    void Resample();
    void SampleSome(int milliseconds);
    void PaintPicture(QPainter &painter, bool canvas) const;
    void PaintOverlay(QPainter &painter) const;
    void PaintLines(QPainter &painter) const;
    void UpdateTrace();
    std::optional<Ui::CurveMark> MarkNear(double column) const;
    QString CaptionText() const;
    // The canvas picture shows until the view moves; a plot draws itself in every view.
    bool ShowsCanvas() const { return isCanvasView() && !m_plot; }
    QString DescriptionText() const;
    // The window's own drawing stays as it always was: the dots join it once the view moves.
    bool MarksDrawn() const { return m_marksShown && !isCanvasView(); }

    std::vector<Curve> m_curves;
    std::optional<Ui::GraphPlot> m_plot;
    Ui::GraphView m_canvasView;
    Ui::GraphView m_view;
    bool m_equalScale = false;
    bool m_marksShown = true;
    std::optional<double> m_traceColumn;
    std::optional<QPointF> m_tracePoint; // x, y
    QString m_traceText;
    std::optional<QPointF> m_dragStart;
    bool m_onPaper = false;
    Ui::GraphView m_dragView;
    QTimer *m_samplingTimer;
};
