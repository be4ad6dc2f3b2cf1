#include "tools/functions/functiongraphlogic.h"

#include <QTest>

#include <limits>

using namespace Functions;
using namespace Functions::FunctionGraph;

Q_DECLARE_METATYPE(std::optional<int>)

class FunctionGraphLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void scale_data();
    void scale();
    void intervalFarFromZeroKeepsColumnsInRange();
    void defaultIntervalTicksAndLabels();
    void wideIntervalStaggersHorizontalLabels_data();
    void wideIntervalStaggersHorizontalLabels();
    void narrowIntervalHasOnlyAxes();
    void drawableInterval_data();
    void drawableInterval();
    void sampleHeights_data();
    void sampleHeights();
    void rows_data();
    void rows();
    void segments_data();
    void segments();
    void lastSampleIsTheIntervalEnd();
};

void FunctionGraphLogicTest::scale_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("unit");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("originColumn");
    QTest::addColumn<int>("tickCount");
    QTest::addColumn<bool>("wide");
    QTest::newRow("[-10, 10]") << -10.0 << 10.0 << 1 << 1.0 << 25 << 250 << 20 << false;
    QTest::newRow("[0, 5]") << 0.0 << 5.0 << 0 << 0.0 << 0 << 0 << 0 << false;
    QTest::newRow("[-1, 1]") << -1.0 << 1.0 << 0 << 0.0 << 0 << 250 << 0 << false;
    QTest::newRow("[-100, 100] not wide")
            << -100.0 << 100.0 << 2 << 8.0 << 20 << 250 << 25 << false;
    QTest::newRow("[-300, 300]") << -300.0 << 300.0 << 2 << 8.0 << 6 << 250 << 83 << true;
    // ln 1000 / ln 10 is 2.9999999999999996.
    QTest::newRow("[-500, 500]") << -500.0 << 500.0 << 3 << 27.0 << 13 << 250 << 38 << true;
    QTest::newRow("[5, 15] origin off panel")
            << 5.0 << 15.0 << 1 << 1.0 << 50 << -250 << 10 << false;
    QTest::newRow("[0, 0.05] negative unit")
            << 0.0 << 0.05 << -1 << -1.0 << -10000 << 0 << 0 << false;
    QTest::newRow("[-0.0005, 0.0005]")
            << -0.0005 << 0.0005 << -3 << -27.0 << -13500000 << 250 << 0 << false;
}

void FunctionGraphLogicTest::scale()
{
    QFETCH(double, a);
    QFETCH(double, b);
    const Scale s = ComputeScale(a, b);
    QTEST(s.k, "k");
    QTEST(s.unit, "unit");
    QTEST(s.spacing, "spacing");
    QTEST(s.originColumn, "originColumn");
    QTEST(s.tickCount, "tickCount");
    QTEST(s.wide, "wide");
}

void FunctionGraphLogicTest::intervalFarFromZeroKeepsColumnsInRange()
{
    const Scale s = ComputeScale(1e12, 1e12 + 10);
    QVERIFY(s.originColumn < -PanelSize);
    const AxesPicture picture = AxesAndTicks(s);
    // Everything but the horizontal axis lies left of the panel; nothing wrapped around.
    for (size_t i = 1; i < picture.lines.size(); ++i)
        QVERIFY(picture.lines[i].x1 < 0 && picture.lines[i].x2 < 0);
}

void FunctionGraphLogicTest::defaultIntervalTicksAndLabels()
{
    const AxesPicture picture = AxesAndTicks(ComputeScale(-10, 10));
    QCOMPARE(picture.lines.size(), size_t(2 + 4 * 20));
    QCOMPARE(picture.lines[0], (Line{0, 250, 500, 250}));
    QCOMPARE(picture.lines[1], (Line{250, 0, 250, 500}));
    // First ticks of the vertical axis, 10 px to its right, then of the horizontal one.
    QCOMPARE(picture.lines[2], (Line{250, 225, 260, 225}));
    QCOMPARE(picture.lines[3], (Line{250, 275, 260, 275}));
    QCOMPARE(picture.lines[2 + 2 * 20], (Line{225, 240, 225, 250}));
    QCOMPARE(picture.lines[3 + 2 * 20], (Line{275, 240, 275, 250}));
    QCOMPARE(picture.labels.size(), size_t(4 * 20));
    const Label up = picture.labels[0];
    QCOMPARE((QList<double>{double(up.x), double(up.y), up.value}), (QList<double>{265, 220, 1}));
    const Label down = picture.labels[1];
    QCOMPARE((QList<double>{double(down.x), double(down.y), down.value}),
             (QList<double>{265, 270, -1}));
    const Label left = picture.labels[2 * 20];
    QCOMPARE((QList<double>{double(left.x), double(left.y), left.value}),
             (QList<double>{221, 225, -1}));
    const Label farRight = picture.labels.back();
    QCOMPARE((QList<double>{double(farRight.x), double(farRight.y), farRight.value}),
             (QList<double>{746, 225, 20})); // off the panel, still written
}

void FunctionGraphLogicTest::wideIntervalStaggersHorizontalLabels_data()
{
    QTest::addColumn<double>("half");
    QTest::addColumn<QList<int>>("firstRows");
    QTest::newRow("r = 200 stays on one row") << 100.0 << QList<int>{225, 225, 225, 225, 225, 225};
    QTest::newRow("r = 600 alternates") << 300.0 << QList<int>{225, 225, 232, 232, 225, 225};
}

void FunctionGraphLogicTest::wideIntervalStaggersHorizontalLabels()
{
    QFETCH(double, half);
    QFETCH(QList<int>, firstRows);
    const Scale s = ComputeScale(-half, half);
    const AxesPicture picture = AxesAndTicks(s);
    QList<int> rows;
    for (size_t i = 0; i < size_t(firstRows.size()); ++i)
        rows.append(picture.labels[2 * s.tickCount + i].y);
    QCOMPARE(rows, firstRows);
}

void FunctionGraphLogicTest::narrowIntervalHasOnlyAxes()
{
    const AxesPicture picture = AxesAndTicks(ComputeScale(0, 5));
    QCOMPARE(picture.lines.size(), size_t(2));
    QCOMPARE(picture.lines[1], (Line{0, 0, 0, 500}));
    QVERIFY(picture.labels.empty());
}

void FunctionGraphLogicTest::drawableInterval_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("drawable");
    QTest::newRow("default") << -10.0 << 10.0 << true;
    QTest::newRow("empty") << 3.0 << 3.0 << false;
    QTest::newRow("reversed") << 5.0 << 1.0 << false;
    QTest::newRow("within 1e-7") << 0.0 << 1e-8 << false;
    QTest::newRow("1000 wide") << -500.0 << 500.0 << true;
    QTest::newRow("1200 wide") << -600.0 << 600.0 << false;
}

void FunctionGraphLogicTest::drawableInterval()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QTEST(IsDrawableInterval(a, b), "drawable");
}

void FunctionGraphLogicTest::sampleHeights_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("r");
    QTest::addColumn<std::optional<int>>("height");
    QTest::newRow("f(x) = x at the first sample") << -9.96 << 20.0 << std::optional<int>(-99);
    QTest::newRow("whole multiple of r / 200") << 0.26 << 20.0 << std::optional<int>(2);
    QTest::newRow("nearly whole counts as whole")
            << 0.2999999999999 << 20.0 << std::optional<int>(3);
    QTest::newRow("undefined marker") << 1e123 << 20.0 << std::optional<int>();
    QTest::newRow("beyond 32 bits") << 1e9 << 20.0 << std::optional<int>();
    QTest::newRow("beyond 32 bits below") << -1e9 << 20.0 << std::optional<int>();
    QTest::newRow("just inside 32 bits") << 1e8 << 20.0 << std::optional<int>(1000000000);
}

void FunctionGraphLogicTest::sampleHeights()
{
    QFETCH(double, value);
    QFETCH(double, r);
    QTEST(SampleHeight(value, r), "height");
}

void FunctionGraphLogicTest::rows_data()
{
    QTest::addColumn<std::optional<int>>("height");
    QTest::addColumn<std::optional<int>>("row");
    QTest::newRow("-99 gives 497") << std::optional<int>(-99) << std::optional<int>(497);
    QTest::newRow("100 gives the top edge") << std::optional<int>(100) << std::optional<int>(0);
    QTest::newRow("odd height truncates") << std::optional<int>(1) << std::optional<int>(247);
    QTest::newRow("undefined") << std::optional<int>() << std::optional<int>();
    QTest::newRow("largest height stays in range")
            << std::optional<int>(std::numeric_limits<int>::max() - 2)
            << std::optional<int>(-1000000);
}

void FunctionGraphLogicTest::rows()
{
    QFETCH(std::optional<int>, height);
    QTEST(SampleRow(height), "row");
}

void FunctionGraphLogicTest::segments_data()
{
    QTest::addColumn<std::optional<int>>("previous");
    QTest::addColumn<std::optional<int>>("row");
    QTest::addColumn<bool>("joined");
    QTest::newRow("both inside") << std::optional<int>(497) << std::optional<int>(496) << true;
    QTest::newRow("next to the edges") << std::optional<int>(1) << std::optional<int>(499) << true;
    QTest::newRow("row 0 is off") << std::optional<int>(5) << std::optional<int>(0) << false;
    QTest::newRow("row 500 is off") << std::optional<int>(500) << std::optional<int>(5) << false;
    QTest::newRow("below the panel") << std::optional<int>(600) << std::optional<int>(5) << false;
    QTest::newRow("undefined") << std::optional<int>() << std::optional<int>(5) << false;
}

void FunctionGraphLogicTest::segments()
{
    QFETCH(std::optional<int>, previous);
    QFETCH(std::optional<int>, row);
    QTEST(JoinsNeighbour(previous, row), "joined");
}

void FunctionGraphLogicTest::lastSampleIsTheIntervalEnd()
{
    const double step = 20.0 / SampleCount;
    QCOMPARE(SampleX(-10, step, 1), -9.96);
    QCOMPARE(SampleX(-10, step, SampleCount), 10.0);
}

QTEST_APPLESS_MAIN(FunctionGraphLogicTest)
#include "tst_functiongraphlogic.moc"
