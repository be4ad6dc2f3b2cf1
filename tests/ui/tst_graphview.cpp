#include "eval/expression.h"
#include "eval/numberformat.h"
#include "ui/curvesampler.h"
#include "ui/graphpanel.h"
#include "ui/graphshapes.h"
#include "ui/graphview.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cmath>

using namespace Ui;
using namespace Eval;

namespace {

const GraphView Square(-10, 10, -10, 10, 500, 500);

// A pixel of a red curve, antialiased or not.
bool IsInk(const QColor &color)
{
    return color.red() > 150 && color.green() < 120 && color.blue() < 120;
}

// Rows of `column` (± one) of the grabbed panel between `fromRow` and `toRow` that show ink.
int InkIn(const QImage &image, double column, int fromRow, int toRow)
{
    int ink = 0;
    for (int x = int(column) - 1; x <= int(column) + 1; ++x) {
        for (int y = std::max(0, fromRow); y <= std::min(image.height() - 1, toRow); ++y)
            ink += IsInk(image.pixelColor(x, y)) ? 1 : 0;
    }
    return ink;
}

} // namespace

class GraphViewTest : public QObject
{
    Q_OBJECT
private slots:
    void roundSteps_data();
    void roundSteps();
    void zoomKeepsThePointUnderThePointer_data();
    void zoomKeepsThePointUnderThePointer();
    void panMovesWithThePointer();
    void equalScaleMakesUnitsEqual();
    void ticksAreMultiplesOfTheStep();
    void tickLabelsNeverOverlap();
    void marksAreFound_data();
    void marksAreFound();
    void curvesAreCorrectInAnyView_data();
    void curvesAreCorrectInAnyView();
    void plotsDrawShapesInGraphCoordinates_data();
    void plotsDrawShapesInGraphCoordinates();
};

void GraphViewTest::roundSteps_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("step");
    QTest::addRow("exact power of ten") << 1.0 << 1.0;
    QTest::addRow("just above one") << 1.01 << 2.0;
    QTest::addRow("above two") << 2.5 << 5.0;
    QTest::addRow("above five") << 5.5 << 10.0;
    QTest::addRow("small") << 0.0003 << 0.0005;
    QTest::addRow("large") << 1.7e12 << 2e12;
    QTest::addRow("0.1 as computed") << 0.30000000000000004 / 3 << 0.1;
}

void GraphViewTest::roundSteps()
{
    QFETCH(double, minimum);
    QFETCH(double, step);
    QCOMPARE(RoundStep(minimum), step);
}

void GraphViewTest::zoomKeepsThePointUnderThePointer_data()
{
    QTest::addColumn<double>("column");
    QTest::addColumn<double>("row");
    QTest::addColumn<double>("factorX");
    QTest::addColumn<double>("factorY");
    QTest::addRow("in, both axes") << 100.0 << 400.0 << 2.0 << 2.0;
    QTest::addRow("out, both axes") << 480.0 << 20.0 << 0.5 << 0.5;
    QTest::addRow("x alone") << 250.0 << 100.0 << 4.0 << 1.0;
    QTest::addRow("y alone") << 10.0 << 250.0 << 1.0 << 3.0;
    QTest::addRow("beyond what doubles tell apart") << 300.0 << 300.0 << 1e20 << 1e20;
}

void GraphViewTest::zoomKeepsThePointUnderThePointer()
{
    QFETCH(double, column);
    QFETCH(double, row);
    QFETCH(double, factorX);
    QFETCH(double, factorY);
    GraphView view = GraphView::ForInterval(-3, 17, 500);
    const double x = view.XAt(column);
    const double y = view.YAt(row);
    const double xSpan = view.right() - view.left();
    const double ySpan = view.top() - view.bottom();
    view.ZoomAround(column, row, factorX, factorY);
    QVERIFY(std::fabs(view.XAt(column) - x) < 1e-9 * xSpan);
    QVERIFY(std::fabs(view.YAt(row) - y) < 1e-9 * ySpan);
    QVERIFY(view.right() > view.left() && view.top() > view.bottom());
    if (factorX < 1e6)
        QCOMPARE(view.right() - view.left(), xSpan / factorX);
    else
        QVERIFY(view.right() - view.left() > 1e-12);
}

void GraphViewTest::panMovesWithThePointer()
{
    GraphView view = Square;
    const double x = view.XAt(100);
    const double y = view.YAt(300);
    view.Pan(40, -25);
    QCOMPARE(view.Column(x), 140.0);
    QCOMPARE(view.Row(y), 275.0);
}

void GraphViewTest::equalScaleMakesUnitsEqual()
{
    GraphView view(-10, 10, -1, 3, 500, 500);
    QVERIFY(!view.IsEqualScale());
    view.MakeEqualScale();
    QVERIFY(view.IsEqualScale());
    QCOMPARE(view.bottom(), -9.0);
    QCOMPARE(view.top(), 11.0);
    QVERIFY(GraphView::ForInterval(-7, 100, 500).IsEqualScale());
}

void GraphViewTest::ticksAreMultiplesOfTheStep()
{
    QStringList texts;
    for (const double v : TickValues(-0.25, 0.61, 0.2))
        texts.append(NumberToText(v));
    QCOMPARE(texts, (QStringList{"-0.2", "0", "0.2", "0.4", "0.6"}));
    QVERIFY(TickValues(0, 1, 1e-9).empty()); // too many to show
    QVERIFY(TickValues(0, 1, 0).empty());
}

void GraphViewTest::tickLabelsNeverOverlap()
{
    // Labels 8 pixels per character: the step grows until they fit.
    const auto extent = [](double v) { return 8.0 * NumberToText(v).size(); };
    const double step = TickStep(-123456, 987654, 500, 40, extent, 10);
    double widest = 0;
    for (const double v : TickValues(-123456, 987654, step))
        widest = std::max(widest, extent(v));
    QVERIFY(step * 500 / (987654 + 123456) >= widest + 10);
    QCOMPARE(step, RoundStep(step));
}

void GraphViewTest::marksAreFound_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QString>("y"); // empty: no such mark there
    QTest::addRow("zero") << "x*x-2" << int(CurveMark::Zero) << std::sqrt(2.0) << 1e-12 << "0";
    QTest::addRow("y intercept") << "x*x-2" << int(CurveMark::YIntercept) << 0.0 << 0.0 << "-2";
    QTest::addRow("peak") << "Math.sin(x)*x" << int(CurveMark::Maximum) << 7.978665712413 << 1e-7
                          << "7.916727371588";
    QTest::addRow("valley") << "x*x-4*x" << int(CurveMark::Minimum) << 2.0 << 1e-7 << "-4";
    QTest::addRow("a pole is no zero") << "1/(x-2)" << int(CurveMark::Zero) << 2.0 << 0.1 << "";
}

void GraphViewTest::marksAreFound()
{
    QFETCH(QString, expression);
    QFETCH(int, kind);
    QFETCH(double, x);
    QFETCH(double, tolerance);
    QFETCH(QString, y);
    CurveSampler sampler(PrepareFunction(expression), Square, 1);
    sampler.SampleAll();
    QStringList found;
    for (const CurveMark &coarse : sampler.marks()) {
        const CurveMark mark = PreciseMark(PrepareFunction(expression), coarse);
        if (mark.kind == kind && std::fabs(mark.x - x) <= tolerance)
            found.append(NumberToText(mark.y));
    }
    QCOMPARE(found, y.isEmpty() ? QStringList() : QStringList{y});
}

void GraphViewTest::curvesAreCorrectInAnyView_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("column"); // where to look
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<bool>("inked");
    // No line joins the two sides of a pole.
    QTest::addRow("tan x at π/2") << "Math.tan(x)" << Square.Column(M_PI / 2) << 50 << 450 << false;
    QTest::addRow("tan x beside it") << "Math.tan(x)" << Square.Column(1.3) << 150 << 200 << true;
    QTest::addRow("1/x at 0") << "1/x" << Square.Column(0) << 50 << 450 << false;
    QTest::addRow("1/(x-2) at 2") << "1/(x-2)" << Square.Column(2) << 50 << 450 << false;
    QTest::addRow("a pole between columns")
            << "1/(x-2.013)" << Square.Column(2.013) << 50 << 450 << false;
    // A spike far narrower than a column, between two columns, reaches its height 9.
    QTest::addRow("spike") << "9/(1+Math.pow((x-0.01)/0.002,2))" << Square.Column(0.01) << 20 << 30
                           << true;
    // The curve runs to the edge where it leaves the panel.
    QTest::addRow("leaves at the top") << "x*x" << Square.Column(std::sqrt(10.0)) << 0 << 2 << true;
    QTest::addRow("edge of the domain")
            << "Math.sqrt(x-1.013)" << Square.Column(1.013) << 248 << 252 << true;
}

void GraphViewTest::curvesAreCorrectInAnyView()
{
    QFETCH(QString, expression);
    QFETCH(double, column);
    QFETCH(int, fromRow);
    QFETCH(int, toRow);
    QFETCH(bool, inked);
    GraphPanel panel(QStringLiteral("画板1"), QSize(500, 500));
    panel.AddCurve(expression, PrepareFunction(expression), -20, 20, Qt::red, 2, false);
    panel.SetView(Square);
    QVERIFY(!panel.isCanvasView());
    panel.SetMarksShown(false);
    panel.FinishSampling();
    const QImage image = panel.grab().toImage();
    QCOMPARE(InkIn(image, column, fromRow, toRow) > 0, inked);
}

void GraphViewTest::plotsDrawShapesInGraphCoordinates_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addRow("home view") << 1.0;
    QTest::addRow("zoomed in") << 2.0;
    QTest::addRow("zoomed out") << 0.5;
}

// A shaded bar over [0, 4] × [0, 4], a dot at (-4, -4) and the curve y = -x of a plot stay on
// their points of the plane however the view zooms.
void GraphViewTest::plotsDrawShapesInGraphCoordinates()
{
    QFETCH(double, zoom);
    GraphPanel panel(QStringLiteral("画板1"), QSize(500, 500));
    panel.ShowPlot({Square,
                    {{GraphShape::Bar, {{0, 0}, {4, 4}}, Qt::red},
                     {GraphShape::Dots, {{-4, -4}}, Qt::red}},
                    QStringLiteral("图"),
                    QStringLiteral("x"),
                    QStringLiteral("y")});
    panel.AddPlotCurve(PreparedFunction([](double x) { return -x; }), Qt::red, 2);
    panel.ZoomBy(zoom, zoom);
    panel.FinishSampling();
    const QImage image = panel.grab().toImage();
    const GraphView &view = panel.view();
    const QColor shaded = image.pixelColor(int(view.Column(2.3)), int(view.Row(1.7)));
    QVERIFY(shaded.red() > 240 && shaded.green() > 150 && shaded.green() < 220);
    QCOMPARE(image.pixelColor(int(view.Column(-2.3)), int(view.Row(1.7))).green() > 220, true);
    QVERIFY(IsInk(image.pixelColor(int(view.Column(-4)), int(view.Row(-4)))));
    QVERIFY(InkIn(image, view.Column(-3), int(view.Row(3)) - 3, int(view.Row(3)) + 3) > 0);
}

QTEST_MAIN(GraphViewTest)
#include "tst_graphview.moc"
