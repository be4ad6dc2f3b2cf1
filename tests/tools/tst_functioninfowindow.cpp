#include "eval/expression.h"
#include "tools/functions/functioninfowindow.h"
#include "tools/functions/functionplot.h"
#include "ui/colorpicker.h"
#include "ui/controls.h"
#include "ui/drawingpanel.h"
#include "ui/editbox.h"
#include "ui/graphpanel.h"
#include "ui/grid.h"
#include "ui/style.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

using namespace Ui;
using namespace Eval;

namespace {

const QString Caption = QStringLiteral("函数基本信息");
const QColor Black(Qt::black);
const QColor White(Qt::white);

QStringList Row(const Grid *grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column)
        cells.append(grid->GetCell(row, column));
    return cells;
}

QList<QStringList> Rows(const Grid *grid)
{
    QList<QStringList> rows;
    for (int row = 1; row < grid->rowCount(); ++row)
        rows.append(Row(grid, row));
    return rows;
}

// Columns of the panel in which `color` shows in some row.
QList<int> ColumnsWith(const DrawingPanel *panel, const QColor &color, int from, int to)
{
    QList<int> columns;
    for (int x = from; x <= to; ++x) {
        for (int y = 0; y < 500; ++y) {
            if (panel->PixelAt(x, y) == color) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

} // namespace

class FunctionInfoWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensReadyForInput();
    void refusedRuns_data();
    void refusedRuns();
    void runFillsEveryComponent();
    void enterInTheExpressionBoxRuns();
    void captionsFollowTheComponents();
    void uncheckedComponentsShowNothing();
    void panelShowsAxesTicksAndCurve();
    void undefinedValuesBreakTheCurve();
    void narrowIntervalDrawsOnlyAxes();
    void wideIntervalMakesLabelsSmallForGood();
    void redrawBeforeFirstRunDrawsNothing();
    void colorChangeRedraws();
    void keptPicturePilesUp();
    void redrawAfterRefusedRunDrawsNothing();
    void unusableStepsShowNothing_data();
    void unusableStepsShowNothing();
    void colorChangeWhileDrawingEndsInTheNewColor();
    void enterDuringARunDoesNotStartAnother();
    void unevaluableExpressionShowsTheHint_data();
    void unevaluableExpressionShowsTheHint();
    void changeDuringARedrawLeavesOnlyTheLatestCurve_data();
    void changeDuringARedrawLeavesOnlyTheLatestCurve();
    void plotLetsEventsThroughWhileSampling();
    void closingWhileDrawingIsSafe();
    void closingWhileScanningIsSafe_data();
    void closingWhileScanningIsSafe();
    void tooltipIsSetByTheTimer();
    void panelChangesTheView_data();
    void panelChangesTheView();
    void viewReturnsToTheCanvasPicture_data();
    void viewReturnsToTheCanvasPicture();
    void traceShowsTheCurvesPoint_data();
    void traceShowsTheCurvesPoint();
    void savesAndCopiesThePicture_data();
    void savesAndCopiesThePicture();

private:
    FunctionInfoWindow *Open();
    void RunWith(const QString &expression, const QString &start = QStringLiteral("-10"),
                 const QString &end = QStringLiteral("10"));
    template<typename Control>
    Control *Find(const QString &name) const
    {
        return FindControl<Control>(m_window, name);
    }

    QPointer<FunctionInfoWindow> m_window;
};

FunctionInfoWindow *FunctionInfoWindowTest::Open()
{
    if (!OpenToolWindow<FunctionInfoWindow>(m_window))
        qWarning("window not active");
    return m_window;
}

void FunctionInfoWindowTest::RunWith(const QString &expression, const QString &start,
                                     const QString &end)
{
    Replace(Find<EditBox>(QStringLiteral("表达式编辑框")), expression);
    Replace(Find<EditBox>(QStringLiteral("区间1")), start);
    Replace(Find<EditBox>(QStringLiteral("区间2")), end);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("确定")), Qt::LeftButton);
}

void FunctionInfoWindowTest::opensReadyForInput()
{
    Open();
    QCOMPARE(m_window->windowTitle(), Caption);
    QCOMPARE(QApplication::focusWidget(), Find<EditBox>(QStringLiteral("表达式编辑框")));
    QCOMPARE(Find<EditBox>(QStringLiteral("区间1"))->text(), "-10");
    QCOMPARE(Find<EditBox>(QStringLiteral("区间2"))->text(), "10");
    QCOMPARE(Find<EditBox>(QStringLiteral("编辑框2"))->text(), "3");
    for (const char *step : {"最值精度编辑框", "单调性精度编辑框", "奇偶性精度编辑框"})
        QCOMPARE(Find<EditBox>(QString::fromUtf8(step))->text(), "0.1");
    for (const char *needed : {"函数图像选择框", "最值选择框", "单调性选择框", "奇偶性选择框"})
        QVERIFY(Find<QCheckBox>(QString::fromUtf8(needed))->isChecked());
    QVERIFY(!Find<QCheckBox>(QStringLiteral("选择框1"))->isChecked());
    const Grid *extrema = Find<Grid>(QStringLiteral("高级表格1"));
    QCOMPARE(Row(extrema, 0), (QStringList{"", "x", "f(x)"}));
    QCOMPARE(Row(extrema, 1), (QStringList{"最大值", "", ""}));
    QCOMPARE(Row(extrema, 2), (QStringList{"最小值", "", ""}));
    const Grid *monotonic = Find<Grid>(QStringLiteral("高级表格2"));
    QCOMPARE(monotonic->rowCount(), 1);
    QCOMPARE(Row(monotonic, 0), (QStringList{"", "区间首", "区间尾", "单调性"}));
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(panel->size(), QSize(500, 500));
    QVERIFY(ColumnsWith(panel, Black, 0, 499).isEmpty());
    // The graph panel is worked with keys: Tab reaches it after its "需要" box.
    Find<QCheckBox>(QStringLiteral("函数图像选择框"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), panel);
}

void FunctionInfoWindowTest::refusedRuns_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("anyComponent");
    QTest::addColumn<QString>("message");
    const QString badInterval = QStringLiteral("区间输入错误，请重新输入！");
    QTest::newRow("[3, 3]") << "3"
                            << "3" << true << badInterval;
    QTest::newRow("[5, 1]") << "5"
                            << "1" << true << badInterval;
    QTest::newRow("within 1e-7") << "1"
                                 << "1.00000001" << true << badInterval;
    QTest::newRow("unreadable ends read as 0") << "abc"
                                               << "" << true << badInterval;
    QTest::newRow("[-600, 600]") << "-600"
                                 << "600" << true << QStringLiteral("区间的大小不能大于1000！");
    QTest::newRow("nothing ticked") << "-10"
                                    << "10" << false << QStringLiteral("没有勾选任何组件！");
}

void FunctionInfoWindowTest::refusedRuns()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, anyComponent);
    QFETCH(QString, message);
    Open();
    if (!anyComponent) {
        for (const char *needed : {"函数图像选择框", "最值选择框", "单调性选择框", "奇偶性选择框"})
            QTest::mouseClick(Find<QCheckBox>(QString::fromUtf8(needed)), Qt::LeftButton);
    }
    RunWith(QStringLiteral("x*x"), start, end);
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{QStringLiteral("信息："), message}}));
    QVERIFY(Find<QPushButton>(QStringLiteral("确定"))->isEnabled());
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格1"))->GetCell(1, 1), QString());
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格2"))->rowCount(), 1);
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), QString());
    QVERIFY(ColumnsWith(Find<DrawingPanel>(QStringLiteral("画板1")), Black, 0, 499).isEmpty());
}

void FunctionInfoWindowTest::runFillsEveryComponent()
{
    Open();
    RunWith(QStringLiteral("x*x"));
    const Grid *extrema = Find<Grid>(QStringLiteral("高级表格1"));
    QCOMPARE(Row(extrema, 1), (QStringList{"最大值", "-10.0, 10.0", "100.0"}));
    QCOMPARE(Row(extrema, 2), (QStringList{"最小值", "0.0", "0.0"}));
    QCOMPARE(Rows(Find<Grid>(QStringLiteral("高级表格2"))),
             (QList<QStringList>{{"第1个", "-10.0", "0.0", "单调递减"},
                                 {"第2个", "0.0", "10.0", "单调递增"}}));
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), "偶函数");
    QCOMPARE(Find<DrawingPanel>(QStringLiteral("画板1"))->accessibleDescription(),
             "f(x)=x*x 在区间[-10, 10]上的图像；最大值：x=-10.0, 10.0，f(x)=100.0；"
             "最小值：x=0.0，f(x)=0.0；[-10.0, 0.0]上单调递减；[0.0, 10.0]上单调递增；偶函数");
    const QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    QCOMPARE(progress->value(), progress->maximum());
    QVERIFY(Find<QPushButton>(QStringLiteral("确定"))->isEnabled());
    QCOMPARE(m_window->windowTitle(), Caption);
}

void FunctionInfoWindowTest::enterInTheExpressionBoxRuns()
{
    Open();
    EditBox *expression = Find<EditBox>(QStringLiteral("表达式编辑框"));
    QTest::keyClicks(expression, QStringLiteral("x*x*x"));
    QTest::keyClick(expression, Qt::Key_Return);
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), "奇函数");
    QCOMPARE(Rows(Find<Grid>(QStringLiteral("高级表格2"))),
             (QList<QStringList>{{"第1个", "-10.0", "10.0", "单调递增"}}));
}

void FunctionInfoWindowTest::captionsFollowTheComponents()
{
    Open();
    QSignalSpy captions(m_window.data(), &QWidget::windowTitleChanged);
    QTest::mouseClick(Find<QCheckBox>(QStringLiteral("最值选择框")), Qt::LeftButton);
    RunWith(QStringLiteral("x"));
    QStringList shown;
    for (const QList<QVariant> &change : captions)
        shown.append(change.first().toString());
    // Setting the caption it already has raises no change.
    QCOMPARE(shown,
             (QStringList{"正在画函数图像……(请勿关闭本程序！)", Caption,
                          "正在求单调区间……(请勿关闭本程序！)", Caption,
                          "正在求奇偶性……(请勿关闭本程序！)", Caption}));
}

void FunctionInfoWindowTest::uncheckedComponentsShowNothing()
{
    Open();
    RunWith(QStringLiteral("x*x*x"));
    QTest::mouseClick(Find<QCheckBox>(QStringLiteral("奇偶性选择框")), Qt::LeftButton);
    QTest::mouseClick(Find<QCheckBox>(QStringLiteral("最值选择框")), Qt::LeftButton);
    RunWith(QStringLiteral("x*x"));
    // What x*x*x gave would be wrong beside x*x.
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), "");
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格1"))->GetCell(2, 2), "");
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格2"))->rowCount(), 3);
}

void FunctionInfoWindowTest::panelShowsAxesTicksAndCurve()
{
    Open();
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    RunWith(QStringLiteral("x"));
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    // The horizontal axis is row 250, the vertical one column x0 = 250.
    QCOMPARE(panel->PixelAt(100, 250), Black);
    QCOMPARE(panel->PixelAt(250, 100), Black);
    QCOMPARE(panel->PixelAt(100, 251), White);
    // Ticks every S = 25 pixels: right of the vertical axis, above the horizontal one.
    QCOMPARE(panel->PixelAt(255, 225), Black);
    QCOMPARE(panel->PixelAt(255, 275), Black);
    QCOMPARE(panel->PixelAt(255, 237), White);
    QCOMPARE(panel->PixelAt(225, 245), Black);
    QCOMPARE(panel->PixelAt(200, 245), Black);
    QCOMPARE(panel->PixelAt(225, 255), White);
    QCOMPARE(panel->PixelAt(212, 245), White);
    // f(x) = x: column i is x = -10 + i / 25, its row 250 - 2.5 × 10x.
    QCOMPARE(panel->PixelAt(100, 400), QColor(Qt::red));
    QCOMPARE(panel->PixelAt(375, 125), QColor(Qt::red));
    QCOMPARE(panel->PixelAt(1, 497), QColor(Qt::red));
    QCOMPARE(panel->PixelAt(100, 380), White);
    // Column 0 (x = a) is not sampled.
    QCOMPARE(ColumnsWith(panel, Qt::red, 0, 0), QList<int>{});
}

void FunctionInfoWindowTest::undefinedValuesBreakTheCurve()
{
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    RunWith(QStringLiteral("Math.sqrt(x)"));
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(ColumnsWith(panel, Qt::red, 0, 248), QList<int>{});
    QVERIFY(ColumnsWith(panel, Qt::red, 260, 499).size() == 240);
    QCOMPARE(Row(Find<Grid>(QStringLiteral("高级表格1")), 2),
             (QStringList{"最小值", "0.0", "0.0"}));
}

void FunctionInfoWindowTest::narrowIntervalDrawsOnlyAxes()
{
    Open();
    RunWith(QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("5")); // curve off the panel
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    // The vertical axis is the left edge; no tick marks anywhere.
    QCOMPARE(panel->PixelAt(0, 100), Black);
    QCOMPARE(ColumnsWith(panel, Black, 1, 499).size(), 499); // only the horizontal axis
    QCOMPARE(panel->PixelAt(5, 245), White);
    QCOMPARE(panel->PixelAt(5, 150), White);
}

void FunctionInfoWindowTest::wideIntervalMakesLabelsSmallForGood()
{
    Open();
    DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    const int usual = panel->labelFontSize();
    RunWith(QStringLiteral("x"), QStringLiteral("-100"), QStringLiteral("100"));
    QCOMPARE(panel->labelFontSize(), usual);
    RunWith(QStringLiteral("x"), QStringLiteral("-300"), QStringLiteral("300"));
    QCOMPARE(panel->labelFontSize(), 7);
    RunWith(QStringLiteral("x"));
    QCOMPARE(panel->labelFontSize(), 7);
}

void FunctionInfoWindowTest::redrawBeforeFirstRunDrawsNothing()
{
    Open();
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("5"));
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    QVERIFY(ColumnsWith(Find<DrawingPanel>(QStringLiteral("画板1")), Black, 0, 499).isEmpty());
}

void FunctionInfoWindowTest::colorChangeRedraws()
{
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    RunWith(QStringLiteral("x"));
    QSignalSpy captions(m_window.data(), &QWidget::windowTitleChanged);
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::blue);
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(panel->PixelAt(100, 400), QColor(Qt::blue));
    QCOMPARE(ColumnsWith(panel, Qt::red, 0, 499), QList<int>{}); // cleared first
    QCOMPARE(captions.count(), 0);
}

void FunctionInfoWindowTest::keptPicturePilesUp()
{
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    RunWith(QStringLiteral("x"));
    QTest::mouseClick(Find<QCheckBox>(QStringLiteral("选择框1")), Qt::LeftButton);
    // A redraw reads the expression box afresh, with the stored interval.
    Replace(Find<EditBox>(QStringLiteral("表达式编辑框")), QStringLiteral("0-x"));
    Replace(Find<EditBox>(QStringLiteral("区间2")), QStringLiteral("30"));
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::blue);
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(panel->PixelAt(100, 400), QColor(Qt::red));
    QCOMPARE(panel->PixelAt(100, 100), QColor(Qt::blue));
}

void FunctionInfoWindowTest::redrawAfterRefusedRunDrawsNothing()
{
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    RunWith(QStringLiteral("x"));
    RunWith(QStringLiteral("x"), QStringLiteral("-600"), QStringLiteral("600"));
    QCOMPARE(TakeMessages().size(), 1);
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::blue);
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("2"));
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(panel->PixelAt(100, 400), QColor(Qt::red));
    QCOMPARE(ColumnsWith(panel, Qt::blue, 0, 499), QList<int>{});
}

void FunctionInfoWindowTest::unusableStepsShowNothing_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-0.1";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("too small to move x") << "1e-30";
}

void FunctionInfoWindowTest::unusableStepsShowNothing()
{
    QFETCH(QString, step);
    Open();
    RunWith(QStringLiteral("x*x"));
    for (const char *box : {"最值精度编辑框", "单调性精度编辑框", "奇偶性精度编辑框"})
        Replace(Find<EditBox>(QString::fromUtf8(box)), step);
    RunWith(QStringLiteral("x*x*x"));
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格1"))->GetCell(1, 2), "");
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格2"))->rowCount(), 1);
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), "");
    QVERIFY(Find<QPushButton>(QStringLiteral("确定"))->isEnabled());
}

void FunctionInfoWindowTest::colorChangeWhileDrawingEndsInTheNewColor()
{
    Open();
    m_window->SetEventPeriod(0); // a run as long as runs get, whatever this machine's speed
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    ColorPicker *color = Find<ColorPicker>(QStringLiteral("颜色选择器1"));
    color->SetCurrentColor(Qt::red);
    QTimer::singleShot(0, color, [color] { color->SetCurrentColor(Qt::blue); });
    RunWith(QStringLiteral("x"));
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    QCOMPARE(ColumnsWith(panel, Qt::red, 0, 499), QList<int>{});
    QCOMPARE(panel->PixelAt(100, 400), QColor(Qt::blue));
    QCOMPARE(panel->PixelAt(450, 50), QColor(Qt::blue));
    QCOMPARE(m_window->windowTitle(), Caption);
}

void FunctionInfoWindowTest::enterDuringARunDoesNotStartAnother()
{
    Open();
    QSignalSpy captions(m_window.data(), &QWidget::windowTitleChanged);
    EditBox *expression = Find<EditBox>(QStringLiteral("表达式编辑框"));
    QTimer::singleShot(0, expression,
                       [expression] { QTest::keyClick(expression, Qt::Key_Return); });
    RunWith(QStringLiteral("x*x"));
    QCOMPARE(captions.count(), 8);
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格2"))->rowCount(), 3);
    QVERIFY(Find<QPushButton>(QStringLiteral("确定"))->isEnabled());
}

void FunctionInfoWindowTest::unevaluableExpressionShowsTheHint_data()
{
    QTest::addColumn<QString>("expression");
    QTest::newRow("syntax error") << "x+";
    QTest::newRow("unknown name") << "x+foo";
    QTest::newRow("empty") << "";
    // Stopped by the time limit at the first value, it would read 0 at every other one.
    QTest::newRow("runaway") << "(function(){for(;;){}})()";
}

// Read as 0 everywhere, such an expression used to pass for the zero function: "既是奇函数又是
// 偶函数", extrema and all.
void FunctionInfoWindowTest::unevaluableExpressionShowsTheHint()
{
    QFETCH(QString, expression);
    Open();
    RunWith(expression);
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{ExpressionHintCaption(), DisplayText(ExpressionHintText())}}));
    QCOMPARE(Row(Find<Grid>(QStringLiteral("高级表格1")), 1), (QStringList{"最大值", "", ""}));
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格2"))->rowCount(), 1);
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), QString());
    QVERIFY(ColumnsWith(Find<DrawingPanel>(QStringLiteral("画板1")), Black, 0, 499).isEmpty());
    QVERIFY(Find<QPushButton>(QStringLiteral("确定"))->isEnabled());
    QCOMPARE(m_window->windowTitle(), Caption);
    // The next run is a new action and evaluates again.
    RunWith(QStringLiteral("x*x*x"));
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), "奇函数");
}

void FunctionInfoWindowTest::changeDuringARedrawLeavesOnlyTheLatestCurve_data()
{
    QTest::addColumn<bool>("byRun");
    QTest::newRow("a new colour") << false;
    QTest::newRow("a run") << true;
}

// A redraw of x is under way when the expression becomes 0-x and the colour, or a run, asks
// for the curve again: the redraw starts over (or gives way to the run) and nothing of x stays.
void FunctionInfoWindowTest::changeDuringARedrawLeavesOnlyTheLatestCurve()
{
    QFETCH(bool, byRun);
    Open();
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    ColorPicker *color = Find<ColorPicker>(QStringLiteral("颜色选择器1"));
    color->SetCurrentColor(Qt::red);
    // Slow enough to sample that events run during the redraw.
    RunWith(QStringLiteral("x+'0'.repeat(1000000).length*0"));
    QTimer::singleShot(0, color, [&] {
        if (byRun) {
            RunWith(QStringLiteral("0-x"));
            return;
        }
        Replace(Find<EditBox>(QStringLiteral("表达式编辑框")), QStringLiteral("0-x"));
        color->SetCurrentColor(Qt::green);
    });
    color->SetCurrentColor(Qt::blue); // the redraw of x
    const DrawingPanel *panel = Find<DrawingPanel>(QStringLiteral("画板1"));
    const QColor latest = byRun ? QColor(Qt::blue) : QColor(Qt::green);
    QCOMPARE(panel->PixelAt(100, 100), latest); // 0-x at x = -6
    QCOMPARE(panel->PixelAt(400, 400), latest);
    QCOMPARE(panel->PixelAt(100, 400), White); // x at x = -6
    QCOMPARE(panel->PixelAt(400, 100), White);
    QCOMPARE(ColumnsWith(panel, byRun ? Qt::green : Qt::blue, 0, 499), QList<int>{});
}

// The samples of a slow function take seconds: events run between them, and a drawing that
// is to stop does so before the next sample.
void FunctionInfoWindowTest::plotLetsEventsThroughWhileSampling()
{
    DrawingPanel panel(QStringLiteral("画板1"), QSize(500, 500));
    FunctionPlot plot(&panel);
    int samples = 0;
    QList<int> samplesAtBreaths;
    const auto f = [&](double x) {
        ++samples;
        return x;
    };
    const auto breathe = [&] {
        samplesAtBreaths.append(samples);
        return samples < 100;
    };
    QVERIFY(!plot.Draw(f, -10, 10, 0, Qt::red, breathe));
    QCOMPARE(samples, 100);
    QCOMPARE(samplesAtBreaths.first(), 0); // the evaluation before may have been slow
    QCOMPARE(samplesAtBreaths.size(), 101);
    QVERIFY(ColumnsWith(&panel, Qt::red, 0, 499).isEmpty()); // no curve from a cut sampling
}

void FunctionInfoWindowTest::closingWhileDrawingIsSafe()
{
    Open();
    m_window->SetEventPeriod(0);
    QTimer::singleShot(0, m_window.data(), [this] { m_window->close(); });
    RunWith(QStringLiteral("x*x"));
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
    // Nothing ran after the close.
    QCOMPARE(Find<Grid>(QStringLiteral("高级表格1"))->GetCell(1, 1), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

void FunctionInfoWindowTest::closingWhileScanningIsSafe_data()
{
    QTest::addColumn<bool>("byEsc");
    QTest::newRow("by the title bar") << false;
    QTest::newRow("by Esc in the expression box") << true;
}

void FunctionInfoWindowTest::closingWhileScanningIsSafe()
{
    QFETCH(bool, byEsc);
    Open();
    QTest::mouseClick(Find<QCheckBox>(QStringLiteral("函数图像选择框")), Qt::LeftButton);
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    connect(progress, &QProgressBar::valueChanged, m_window.data(), [this, byEsc](int position) {
        if (position == 0 || position == 10000)
            return;
        if (byEsc)
            QTest::keyClick(Find<EditBox>(QStringLiteral("表达式编辑框")), Qt::Key_Escape);
        else
            m_window->close();
    });
    // Only the engine evaluates a text: the scan is long enough to show its progress.
    RunWith(QStringLiteral("x*x+('1'-1)"), QStringLiteral("-500"), QStringLiteral("500"));
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
    QVERIFY(progress->value() < 9999);
    QCOMPARE(Find<EditBox>(QStringLiteral("奇偶性结果"))->text(), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

void FunctionInfoWindowTest::tooltipIsSetByTheTimer()
{
    Open();
    QCheckBox *keep = Find<QCheckBox>(QStringLiteral("选择框1"));
    QCOMPARE(keep->toolTip(), QString());
    QTRY_COMPARE(keep->toolTip(), QStringLiteral("勾选时请不要更改区间，不然会造成图像馄乱。"));
}

namespace {

void SendWheel(QWidget *panel, Qt::KeyboardModifiers keys)
{
    const QPointF at(250, 250);
    QWheelEvent wheel(at, panel->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel, &wheel);
}

void Drag(QWidget *panel, QPoint from, QPoint to)
{
    QTest::mousePress(panel, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), panel->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &move);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, to);
}

// Width and height of the view, and the point in its middle.
QList<double> Shape(const GraphView &view)
{
    const auto round = [](double v) { return std::round(v * 1000) / 1000; };
    return {round(view.right() - view.left()), round(view.top() - view.bottom()),
            round((view.left() + view.right()) / 2), round((view.bottom() + view.top()) / 2)};
}

} // namespace

void FunctionInfoWindowTest::panelChangesTheView_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<double>>("shape"); // width, height, middle x, middle y
    const double notch = std::round(20 / std::pow(1.0015, 120) * 1000) / 1000;
    QTest::addRow("wheel") << "wheel" << QList<double>{notch, notch, 0, 0};
    QTest::addRow("Shift+wheel: x alone") << "shift wheel" << QList<double>{notch, 20, 0, 0};
    QTest::addRow("Ctrl+wheel: y alone") << "ctrl wheel" << QList<double>{20, notch, 0, 0};
    QTest::addRow("+") << "+" << QList<double>{16, 16, 0, 0};
    QTest::addRow("Ctrl+-: y alone") << "ctrl -" << QList<double>{20, 25, 0, 0};
    QTest::addRow("Right") << "right" << QList<double>{20, 20, 2, 0};
    QTest::addRow("drag") << "drag" << QList<double>{20, 20, -4, -2};
    QTest::addRow("等比例 after Shift+wheel") << "equal" << QList<double>{notch, notch, 0, 0};
    QTest::addRow("+, then a new colour") << "+ colour" << QList<double>{16, 16, 0, 0};
}

void FunctionInfoWindowTest::panelChangesTheView()
{
    QFETCH(QString, action);
    QFETCH(QList<double>, shape);
    Open();
    RunWith(QStringLiteral("x*x"));
    GraphPanel *panel = Find<GraphPanel>(QStringLiteral("画板1"));
    QVERIFY(panel->isCanvasView());
    if (action.endsWith(QStringLiteral("wheel")) || action == QStringLiteral("equal")) {
        SendWheel(panel,
                  action.startsWith(QStringLiteral("ctrl"))   ? Qt::ControlModifier
                          : action == QStringLiteral("wheel") ? Qt::NoModifier
                                                              : Qt::ShiftModifier);
    } else if (action.startsWith(QStringLiteral("+"))) {
        QTest::keyClick(panel, Qt::Key_Plus);
        if (action.endsWith(QStringLiteral("colour")))
            Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::blue);
    } else if (action == QStringLiteral("ctrl -")) {
        QTest::keyClick(panel, Qt::Key_Minus, Qt::ControlModifier);
    } else if (action == QStringLiteral("right")) {
        QTest::keyClick(panel, Qt::Key_Right);
    } else {
        Drag(panel, QPoint(200, 200), QPoint(300, 150));
        QCOMPARE(QApplication::focusWidget(), panel);
    }
    if (action == QStringLiteral("equal"))
        QTest::mouseClick(Find<QCheckBox>(QStringLiteral("等比例")), Qt::LeftButton);
    QCOMPARE(Shape(panel->view()), shape);
    QVERIFY(!panel->isCanvasView());
}

void FunctionInfoWindowTest::viewReturnsToTheCanvasPicture_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("0") << "0";
    QTest::newRow("double-click") << "double-click";
    QTest::newRow("复位") << "复位";
    QTest::newRow("a new run") << "run";
}

void FunctionInfoWindowTest::viewReturnsToTheCanvasPicture()
{
    QFETCH(QString, action);
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    Replace(Find<EditBox>(QStringLiteral("编辑框2")), QStringLiteral("0"));
    RunWith(QStringLiteral("x"));
    GraphPanel *panel = Find<GraphPanel>(QStringLiteral("画板1"));
    Find<EditBox>(QStringLiteral("表达式编辑框"))->setFocus(); // no focus frame
    const QImage canvas = panel->grab().toImage();
    // Nothing lies over the window's own drawing, the marks neither.
    QCOMPARE(canvas, panel->picture().convertToFormat(canvas.format()));
    QTest::keyClick(panel, Qt::Key_Minus);
    QVERIFY(panel->grab().toImage() != canvas);
    if (action == QStringLiteral("0"))
        QTest::keyClick(panel, Qt::Key_0);
    else if (action == QStringLiteral("double-click"))
        QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(10, 10));
    else if (action == QStringLiteral("run"))
        RunWith(QStringLiteral("x"));
    else
        QTest::mouseClick(Find<QPushButton>(action), Qt::LeftButton);
    QVERIFY(panel->isCanvasView());
    Find<EditBox>(QStringLiteral("表达式编辑框"))->setFocus(); // no focus frame
    QVERIFY(panel->grab().toImage() == canvas);
}

void FunctionInfoWindowTest::traceShowsTheCurvesPoint_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<bool>("altRight"); // then one pixel on with the keyboard
    QTest::addColumn<QString>("text");
    QTest::addRow("a point") << "x*x" << 300 << true << false << "(2, 4)";
    QTest::addRow("one pixel on") << "x*x" << 300 << true << true << "(2.04, 4.1616)";
    QTest::addRow("from the keyboard alone") << "x*x" << -1 << false << true << "(0.04, 0.0016)";
    QTest::addRow("undefined there") << "Math.sqrt(x)" << 100 << true << false << "";
    QTest::addRow("snaps to a peak")
            << "Math.sin(x)*x" << 447 << true << false << "极大值 (7.9786657, 7.916727371588)";
    QTest::addRow("without marks")
            << "Math.sin(x)*x" << 447 << false << false << "(7.88, 7.877332946301)";
    QTest::addRow("snaps to a zero")
            << "x*x-2" << 284 << true << false << "零点 (1.414213562373, 0)";
}

void FunctionInfoWindowTest::traceShowsTheCurvesPoint()
{
    QFETCH(QString, expression);
    QFETCH(int, column);
    QFETCH(bool, marks);
    QFETCH(bool, altRight);
    QFETCH(QString, text);
    Open();
    if (!marks)
        QTest::mouseClick(Find<QCheckBox>(QStringLiteral("标记点")), Qt::LeftButton);
    RunWith(expression);
    GraphPanel *panel = Find<GraphPanel>(QStringLiteral("画板1"));
    if (column >= 0) {
        QMouseEvent move(QEvent::MouseMove, QPointF(column, 20),
                         panel->mapToGlobal(QPointF(column, 20)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
    }
    if (altRight)
        QTest::keyClick(panel, Qt::Key_Right, Qt::AltModifier);
    // The window's own view samples the curve only once the trace asks for it.
    QTRY_VERIFY(panel->isSampled());
    QCOMPARE(Find<QLabel>(QStringLiteral("坐标"))->text(), text);
}

void FunctionInfoWindowTest::savesAndCopiesThePicture_data()
{
    QTest::addColumn<QString>("file"); // empty: Ctrl+C
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("size");
    QTest::newRow("PNG") << "graph.png"
                         << "PNG 图像 (*.png)" << 500;
    QTest::newRow("PNG of a chosen size") << "graph.png"
                                          << "PNG 图像 1000×1000 (*.png)" << 1000;
    QTest::newRow("SVG") << "graph.svg"
                         << "SVG 图像 (*.svg)" << 0;
    QTest::newRow("Ctrl+C") << ""
                            << "" << 500;
}

void FunctionInfoWindowTest::savesAndCopiesThePicture()
{
    QFETCH(QString, file);
    QFETCH(QString, type);
    QFETCH(int, size);
    Open();
    Find<ColorPicker>(QStringLiteral("颜色选择器1"))->SetCurrentColor(Qt::red);
    RunWith(QStringLiteral("x"));
    GraphPanel *panel = Find<GraphPanel>(QStringLiteral("画板1"));
    QTest::keyClick(panel, Qt::Key_Minus);
    QImage saved;
    if (file.isEmpty()) {
        QTest::keyClick(panel, Qt::Key_C, Qt::ControlModifier);
        saved = QApplication::clipboard()->image();
    } else {
        QTemporaryDir directory;
        const QString path = directory.filePath(file);
        SetAnswerDelay(5000); // the dialog is answered here
        QTimer::singleShot(100, m_window.data(), [path, type] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("保存图像"));
            dialog->selectNameFilter(type);
            // Typed as a person types a whole path.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(Find<QPushButton>(QStringLiteral("保存图像")), Qt::LeftButton);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray contents = written.readAll();
        if (file.endsWith(QStringLiteral(".svg"))) {
            QVERIFY(contents.contains("<svg"));
            QVERIFY(contents.contains("y = x"));
            return;
        }
        saved = QImage::fromData(contents, "PNG");
    }
    QCOMPARE(saved.size(), QSize(size, size));
    // The zoomed-out view: y = x through the middle, wider than the canvas's curve.
    const QColor curve = saved.pixelColor(size / 5, size * 4 / 5);
    QVERIFY(curve.red() > 200 && curve.green() < 100);
}

QTEST_MAIN(FunctionInfoWindowTest)
#include "tst_functioninfowindow.moc"
