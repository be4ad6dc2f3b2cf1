#include "ui/graphpanel.h"

#include "eval/numberformat.h"
#include "ui/accessibility.h"
#include "ui/copyformats.h"
#include "ui/graphpainter.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace Ui;
using namespace Eval;

namespace {

constexpr double KeyZoom = 1.25;
constexpr double KeyPan = 50;
// One notch of the wheel (120) zooms by about a fifth.
constexpr double WheelZoomPerUnit = 1.0015;
// The trace takes a marked point this close, in pixels.
constexpr double SnapDistance = 6;
// The first slice of sampling after a change runs at once, so that a quick function is
// drawn whole before the next paint; slow ones go on in slices that leave events room.
constexpr int FirstSliceMs = 12;
constexpr int SliceMs = 25;

QString Coordinates(double x, double y)
{
    return QStringLiteral("(%1, %2)").arg(NumberToText(x), NumberToText(y));
}

// A peak's x is worth about half the digits of a double, where f is flat to the second order.
double ShownX(const CurveMark &mark)
{
    if (mark.kind != CurveMark::Maximum && mark.kind != CurveMark::Minimum)
        return mark.x;
    return QString::number(mark.x, 'g', 8).toDouble();
}

QString MarkName(CurveMark::Kind kind)
{
    switch (kind) {
    case CurveMark::Zero:
        return QStringLiteral("零点");
    case CurveMark::YIntercept:
        return QStringLiteral("与y轴交点");
    case CurveMark::Maximum:
        return QStringLiteral("极大值");
    case CurveMark::Minimum:
        break;
    }
    return QStringLiteral("极小值");
}

// The x of a pointer's column as a round number within that pixel, so that its text is short.
double RoundWithinPixel(double x, double unitsPerPixel)
{
    if (!(unitsPerPixel > 0) || !std::isfinite(unitsPerPixel))
        return x;
    const double quantum = std::pow(10.0, std::floor(std::log10(unitsPerPixel)));
    const double rounded = std::round(x / quantum) * quantum;
    return std::isfinite(rounded) ? rounded : x;
}

bool IsDefined(double value)
{
    return value != UndefinedValue && std::isfinite(value);
}

} // namespace

GraphPanel::GraphPanel(const QString &name, QSize size, QWidget *parent)
    : DrawingPanel(name, size, parent)
    , m_canvasView(GraphView::ForInterval(-10, 10, size.width()))
    , m_view(m_canvasView)
    , m_samplingTimer(new QTimer(this))
{
    setFocusPolicy(Qt::StrongFocus);
    TakesKeys(this);
    setMouseTracking(true);
    setAttribute(Qt::WA_AcceptTouchEvents);
    m_samplingTimer->setSingleShot(true);
    connect(m_samplingTimer, &QTimer::timeout, this, [this] { SampleSome(SliceMs); });
    OfferCopyFormats(this,
                     {[this] { return DescriptionText(); },
                      {},
                      [this](double pixelRatio) { return RenderImage(pixelRatio); }});
}

// The expressions and the marked points in view, a line each.
QString GraphPanel::DescriptionText() const
{
    QStringList lines{CaptionText()};
    for (const CurveMark &mark : marks())
        lines.append(MarkName(mark.kind) + QLatin1Char(' ') + Coordinates(ShownX(mark), mark.y));
    return lines.join(u'\n');
}

GraphPanel::~GraphPanel() = default;

void GraphPanel::AddCurve(const QString &expression, const PreparedFunction &f, double a, double b,
                          const QColor &color, int penWidth, bool keepOthers, bool keepView)
{
    if (!keepOthers)
        m_curves.clear();
    // Wider pens would cover the panel anyway.
    m_curves.push_back({expression, f, color, std::clamp(penWidth, 0, width()), nullptr});
    const GraphView canvasView = GraphView::ForInterval(a, b, width());
    if (!keepView || isCanvasView() || canvasView != m_canvasView)
        m_view = canvasView;
    m_canvasView = canvasView;
    Resample();
}

void GraphPanel::ShowPlot(GraphPlot plot)
{
    m_curves.clear();
    m_canvasView = plot.home;
    m_plot = std::move(plot);
    SetView(m_canvasView);
}

void GraphPanel::AddPlotCurve(const PreparedFunction &f, const QColor &color, int penWidth)
{
    m_curves.push_back({QString(), f, color, std::clamp(penWidth, 0, width()), nullptr});
    Resample();
}

void GraphPanel::SetView(const GraphView &view)
{
    m_view = view;
    if (m_equalScale)
        m_view.MakeEqualScale();
    Resample();
}

void GraphPanel::ResetView()
{
    SetView(m_canvasView);
}

void GraphPanel::ZoomBy(double factorX, double factorY)
{
    Zoom(QPointF(width() / 2.0, height() / 2.0), factorX, factorY);
}

void GraphPanel::Zoom(QPointF around, double factorX, double factorY)
{
    GraphView zoomed = m_view;
    // Kept equal, one axis alone cannot be zoomed.
    if (m_equalScale)
        factorX = factorY = factorX != 1 ? factorX : factorY;
    zoomed.ZoomAround(around.x(), around.y(), factorX, factorY);
    SetView(zoomed);
}

void GraphPanel::SetEqualScale(bool equal)
{
    m_equalScale = equal;
    SetView(m_view);
}

void GraphPanel::SetMarksShown(bool shown)
{
    m_marksShown = shown;
    UpdateTrace();
    update();
}

bool GraphPanel::isSampled() const
{
    for (const Curve &curve : m_curves) {
        if (curve.sampler && !curve.sampler->done())
            return false;
    }
    return true;
}

void GraphPanel::FinishSampling()
{
    for (Curve &curve : m_curves) {
        if (curve.sampler)
            curve.sampler->SampleAll();
    }
    m_samplingTimer->stop();
    UpdateTrace();
    update();
}

std::vector<CurveMark> GraphPanel::marks() const
{
    std::vector<CurveMark> all;
    for (const Curve &curve : m_curves) {
        if (curve.sampler)
            all.insert(all.end(), curve.sampler->marks().begin(), curve.sampler->marks().end());
    }
    return all;
}

void GraphPanel::Resample()
{
    for (Curve &curve : m_curves)
        curve.sampler = std::make_unique<CurveSampler>(curve.f, m_view, devicePixelRatioF());
    // The window's own view shows its drawing, not these samples: they wait until the trace asks
    // for them or the view moves, so that a run's last paint is not kept waiting for them.
    if (ShowsCanvas() && !m_traceColumn) {
        m_samplingTimer->stop();
        UpdateTrace();
        update();
        return;
    }
    SampleSome(FirstSliceMs);
}

void GraphPanel::SampleSome(int milliseconds)
{
    const auto deadline = CurveSampler::Clock::now() + std::chrono::milliseconds(milliseconds);
    for (Curve &curve : m_curves) {
        if (!curve.sampler->Advance(deadline))
            break;
    }
    if (!isSampled())
        m_samplingTimer->start(0);
    UpdateTrace();
    update();
}

void GraphPanel::TraceAt(double column)
{
    m_traceColumn = column;
    if (!isSampled() && !m_samplingTimer->isActive())
        SampleSome(FirstSliceMs);
    else
        UpdateTrace();
}

void GraphPanel::HideTrace()
{
    m_traceColumn.reset();
    UpdateTrace();
}

std::optional<CurveMark> GraphPanel::MarkNear(double column) const
{
    if (!m_marksShown || m_curves.empty() || !m_curves.back().sampler)
        return std::nullopt;
    std::optional<CurveMark> nearest;
    double nearestDistance = SnapDistance;
    for (const CurveMark &mark : m_curves.back().sampler->marks()) {
        const double distance = std::fabs(m_view.Column(mark.x) - column);
        const double row = m_view.Row(mark.y);
        if (distance <= nearestDistance && row >= 0 && row <= height()) {
            nearest = mark;
            nearestDistance = distance;
        }
    }
    if (nearest)
        return PreciseMark(m_curves.back().f, *nearest);
    return nearest;
}

// The trace follows the latest curve.
void GraphPanel::UpdateTrace()
{
    QString text;
    m_tracePoint.reset();
    if (m_traceColumn && !m_curves.empty()) {
        if (const auto mark = MarkNear(*m_traceColumn)) {
            m_tracePoint = QPointF(mark->x, mark->y);
            text = MarkName(mark->kind) + QLatin1Char(' ') + Coordinates(ShownX(*mark), mark->y);
        } else {
            const double x
                    = RoundWithinPixel(m_view.XAt(*m_traceColumn), 1 / m_view.ColumnsPerUnit());
            const double y = m_curves.back().f(x);
            if (IsDefined(y)) {
                m_tracePoint = QPointF(x, y);
                text = Coordinates(x, y);
            }
        }
    }
    update();
    if (text != m_traceText) {
        m_traceText = text;
        emit TraceChanged(text);
    }
}

void GraphPanel::PaintPicture(QPainter &painter, bool canvas) const
{
    if (canvas) {
        painter.drawImage(rect(), picture());
        return;
    }
    painter.fillRect(rect(), Qt::white);
    GraphPainter::PaintAxes(painter, m_view, LabelFont(), GraphPainter::AxesLayer::Lines);
    if (m_plot)
        GraphPainter::PaintShapes(painter, m_view, m_plot->shapes);
    for (const Curve &curve : m_curves) {
        if (curve.sampler)
            GraphPainter::PaintCurve(painter, m_view, curve.sampler->pieces(), curve.color,
                                     curve.penWidth);
    }
    GraphPainter::PaintAxes(painter, m_view, LabelFont(), GraphPainter::AxesLayer::Labels,
                            !m_plot || m_plot->yLabels, m_plot && !m_plot->yName.isEmpty());
    if (m_plot)
        GraphPainter::PaintAxisNames(painter, m_view, LabelFont(), m_plot->xName, m_plot->yName);
}

void GraphPanel::PaintOverlay(QPainter &painter) const
{
    if (MarksDrawn())
        GraphPainter::PaintMarks(painter, m_view, marks());
    if (m_tracePoint)
        GraphPainter::PaintTrace(painter, m_view, m_tracePoint->x(), m_tracePoint->y(), m_traceText,
                                 LabelFont());
}

void GraphPanel::paintEvent(QPaintEvent *event)
{
    if (m_onPaper) {
        QPainter painter(this);
        PaintLines(painter);
        return;
    }
    if (ShowsCanvas())
        DrawingPanel::paintEvent(event);
    QPainter painter(this);
    if (!ShowsCanvas())
        PaintPicture(painter, false);
    PaintOverlay(painter);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 0, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

QString GraphPanel::CaptionText() const
{
    if (m_plot)
        return m_plot->caption;
    QStringList expressions;
    for (const Curve &curve : m_curves)
        expressions.append(QStringLiteral("y = ") + curve.expression);
    return expressions.join(QStringLiteral("；"));
}

QImage GraphPanel::RenderImage(double pixelRatio) const
{
    QImage image((QSizeF(size()) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPicture(painter, ShowsCanvas());
    if (MarksDrawn())
        GraphPainter::PaintMarks(painter, m_view, marks());
    if (!CaptionText().isEmpty())
        GraphPainter::PaintCaption(painter, m_view, CaptionText(), LabelFont());
    return image;
}

bool GraphPanel::SaveImage(const QString &path, double pixelRatio) const
{
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return RenderImage(pixelRatio > 0 ? pixelRatio : devicePixelRatioF()).save(path, "PNG");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size());
    svg.setViewBox(rect());
    svg.setTitle(CaptionText());
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintLines(painter);
    if (!CaptionText().isEmpty())
        GraphPainter::PaintCaption(painter, m_view, CaptionText(), LabelFont());
    return painter.end();
}

// Through the widget's own painting, so that its fonts keep their size on any resolution.
void GraphPanel::PaintOnPaper(QPainter &painter)
{
    FinishSampling();
    m_onPaper = true;
    render(&painter, QPoint(), QRegion(), QWidget::RenderFlags());
    m_onPaper = false;
}

// Lines and text stay vector even for the canvas picture's view.
void GraphPanel::PaintLines(QPainter &painter) const
{
    painter.save();
    painter.setClipRect(rect());
    painter.fillRect(rect(), Qt::white);
    PaintPicture(painter, false);
    if (MarksDrawn())
        GraphPainter::PaintMarks(painter, m_view, marks());
    painter.restore();
}

void GraphPanel::CopyImage() const
{
    QApplication::clipboard()->setImage(RenderImage(devicePixelRatioF()));
}

void GraphPanel::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    // Some systems turn Shift with the wheel into a sideways turn.
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    if (turn == 0)
        return;
    const double factor = std::pow(WheelZoomPerUnit, turn);
    const Qt::KeyboardModifiers keys = event->modifiers();
    Zoom(event->position(), keys & Qt::ControlModifier ? 1 : factor,
         keys & Qt::ShiftModifier ? 1 : factor);
    event->accept();
}

bool GraphPanel::event(QEvent *event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            const double factor = 1 + gesture->value();
            Zoom(mapFromGlobal(gesture->globalPosition()), factor, factor);
            return true;
        }
    }
    return DrawingPanel::event(event);
}

void GraphPanel::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        m_dragStart = event->position();
        m_dragView = m_view;
    }
}

void GraphPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragStart && (event->buttons() & Qt::LeftButton)) {
        GraphView moved = m_dragView;
        const QPointF shift = event->position() - *m_dragStart;
        moved.Pan(shift.x(), shift.y());
        m_view = moved;
        Resample();
    }
    TraceAt(event->position().x());
}

void GraphPanel::mouseReleaseEvent(QMouseEvent *)
{
    m_dragStart.reset();
}

void GraphPanel::mouseDoubleClickEvent(QMouseEvent *)
{
    ResetView();
}

void GraphPanel::leaveEvent(QEvent *)
{
    HideTrace();
}

void GraphPanel::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool alt = keys & Qt::AltModifier;
    const bool ctrl = keys & Qt::ControlModifier;
    const double zoom = event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal ? KeyZoom
            : event->key() == Qt::Key_Minus || event->key() == Qt::Key_Underscore     ? 1 / KeyZoom
                                                                                      : 0;
    if (zoom != 0) {
        ZoomBy(ctrl ? 1 : zoom, alt ? 1 : zoom);
    } else if (alt && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        const double start = m_traceColumn.value_or(width() / 2.0);
        TraceAt(std::round(start) + (event->key() == Qt::Key_Left ? -1 : 1));
    } else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right
               || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        GraphView moved = m_view;
        moved.Pan(event->key() == Qt::Key_Left            ? KeyPan
                          : event->key() == Qt::Key_Right ? -KeyPan
                                                          : 0,
                  event->key() == Qt::Key_Up             ? KeyPan
                          : event->key() == Qt::Key_Down ? -KeyPan
                                                         : 0);
        SetView(moved);
    } else if (event->key() == Qt::Key_0) {
        ResetView();
    } else if (event->matches(QKeySequence::Copy)) {
        CopyImage();
    } else {
        DrawingPanel::keyPressEvent(event);
        return;
    }
    event->accept();
}
