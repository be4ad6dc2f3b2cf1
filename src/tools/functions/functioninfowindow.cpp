#include "tools/functions/functioninfowindow.h"

#include "eval/expression.h"
#include "eval/numberformat.h"
#include "tools/functions/functionpropertieslogic.h"
#include "ui/colorpicker.h"
#include "ui/controls.h"
#include "ui/drawingpanel.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/graphpanel.h"
#include "ui/grid.h"
#include "ui/inlinecaption.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/xornotice.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Ui;
using namespace Eval;
using namespace Functions;
using namespace Functions::FunctionGraph;

namespace {

const QString Caption = QStringLiteral("函数基本信息");

QCheckBox *MakeNeededBox(const QString &name)
{
    QCheckBox *box = MakeCheckBox(name, QStringLiteral("需要"));
    box->setChecked(true);
    return box;
}

QGroupBox *MakeGroup(const QString &caption, QLayout *contents)
{
    QGroupBox *group = MakeGroupBox(caption, caption);
    group->setLayout(contents);
    return group;
}

QHBoxLayout *LeftAlignedRow(std::initializer_list<QWidget *> widgets)
{
    QHBoxLayout *row = MakeRow(widgets);
    row->addStretch();
    return row;
}

// The precision row of an analysis group: its "需要" box, the caption and the step box.
QVBoxLayout *AnalysisGroupLayout(QCheckBox *needed, const QString &labelName, EditBox *step)
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(Spacing::Related);
    layout->addLayout(
            LeftAlignedRow({needed, MakeLabel(labelName, QStringLiteral("精度：")), step}));
    return layout;
}

EditBox *MakeStepBox(const QString &name)
{
    auto *box = new EditBox(name);
    box->setText(QStringLiteral("0.1"));
    FitBoxTo(box, QStringLiteral("0.00000001"));
    return box;
}

// What the drawing shows, for those who cannot see it: the interval drawn and what the
// analysis found there.
QString DescribeDrawing(const QString &expression, double a, double b, const Grid &extrema,
                        const Grid &monotonic, const QString &parity)
{
    QStringList parts{QStringLiteral("f(x)=%1 在区间[%2, %3]上的图像")
                              .arg(expression, NumberToText(a), NumberToText(b))};
    for (int row = 1; row <= 2; ++row) {
        if (extrema.GetCell(row, 1).isEmpty())
            parts << extrema.GetCell(row, 2);
        else
            parts << QStringLiteral("%1：x=%2，f(x)=%3")
                             .arg(extrema.GetCell(row, 0), extrema.GetCell(row, 1),
                                  extrema.GetCell(row, 2));
    }
    for (int row = 1; row < monotonic.rowCount(); ++row)
        parts << QStringLiteral("[%1, %2]上%3")
                         .arg(monotonic.GetCell(row, 1), monotonic.GetCell(row, 2),
                              monotonic.GetCell(row, 3));
    if (!parity.isEmpty())
        parts << parity;
    return parts.join(QStringLiteral("；"));
}

} // namespace

FunctionInfoWindow::FunctionInfoWindow()
    : ToolWindow(Caption)
    , m_plot(nullptr)
    , m_drawing(this)
{
    auto *left = new QVBoxLayout;
    left->setSpacing(Spacing::Groups);
    left->addWidget(BuildInputGroup());
    left->addWidget(BuildGraphGroup());
    auto *right = new QVBoxLayout;
    right->setSpacing(Spacing::Groups);
    right->addWidget(BuildExtremaGroup());
    right->addWidget(BuildMonotonicGroup(), 1);
    right->addWidget(BuildParityGroup());
    auto *columns = new QHBoxLayout;
    ScrollContents(columns);
    UseWindowMargins(columns);
    columns->setSpacing(Spacing::Groups);
    columns->addLayout(left);
    columns->addLayout(right, 1);
    LayOutGrids();
    m_plot.PreparePanel(m_keepPicture->isChecked());
    ConnectEvents();
    const QList<QWidget *> readingOrder{
            m_expression,  m_start,           m_end,           m_run,           m_graphNeeded,
            m_panel,       m_resetView,       m_equalScale,    m_marksShown,    m_saveImage,
            m_thickness,   m_color,           m_keepPicture,   m_extremaNeeded, m_extremaStep,
            m_extremaGrid, m_monotonicNeeded, m_monotonicStep, m_monotonicGrid, m_parityNeeded,
            m_parityStep,  m_parityResult};
    SetTabOrder(readingOrder);
    m_expression->setFocus();
}

QGroupBox *FunctionInfoWindow::BuildInputGroup()
{
    m_expression = new EditBox(QStringLiteral("表达式编辑框"));
    WidenBoxTo(m_expression, QStringLiteral("Math.sqrt(x*x+1)*Math.sin(x)-Math.pow(x,2)+1/(x-1)"));
    m_start = new EditBox(QStringLiteral("区间1"));
    m_start->setAccessibleName(QStringLiteral("区间起点"));
    m_start->setText(QStringLiteral("-10"));
    m_end = new EditBox(QStringLiteral("区间2"));
    m_end->setAccessibleName(QStringLiteral("区间终点"));
    m_end->setText(QStringLiteral("10"));
    FitBoxTo(m_start, QStringLiteral("-1000.00"));
    FitBoxTo(m_end, QStringLiteral("-1000.00"));
    auto *interval = new InlineCaption(QStringLiteral("标签2"),
                                       QStringLiteral("区间：[       ,      ]"), {m_start, m_end});
    m_run = MakePrimaryButton(QStringLiteral("确定"), QStringLiteral("确定"));

    auto *layout = new QGridLayout;
    layout->setSpacing(Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("函数表达式：")), 0, 0);
    layout->addWidget(m_expression, 0, 1, 1, 2);
    layout->addWidget(interval, 1, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(m_run, 1, 2, Qt::AlignRight);
    layout->addWidget(new XorNotice(m_expression, [this] { Run(); }), 2, 0, 1, 3);
    return MakeGroup(QStringLiteral("需要输入的信息"), layout);
}

QGroupBox *FunctionInfoWindow::BuildGraphGroup()
{
    m_graphNeeded = MakeNeededBox(QStringLiteral("函数图像选择框"));
    m_panel = new GraphPanel(QStringLiteral("画板1"), QSize(PanelSize, PanelSize));
    m_plot = FunctionPlot(m_panel);
    m_thickness = new EditBox(QStringLiteral("编辑框2"));
    m_thickness->setText(QStringLiteral("3"));
    FitBoxTo(m_thickness, QStringLiteral("00000.0"));
    m_color = new ColorPicker(QStringLiteral("颜色选择器1"));
    m_keepPicture
            = MakeCheckBox(QStringLiteral("选择框1"), QStringLiteral("重画时不清除原来的图像"));

    auto *layout = new QVBoxLayout;
    layout->setSpacing(Spacing::Related);
    layout->addLayout(LeftAlignedRow({m_graphNeeded}));
    layout->addWidget(m_panel);
    layout->addLayout(BuildInstrumentRow());
    layout->addLayout(LeftAlignedRow(
            {MakeLabel(QStringLiteral("标签4"), QStringLiteral("线条粗细：")), m_thickness,
             MakeLabel(QStringLiteral("标签7"), QStringLiteral("线条颜色：")), m_color,
             m_keepPicture}));
    return MakeGroup(QStringLiteral("函数图像"), layout);
}

QLayout *FunctionInfoWindow::BuildInstrumentRow()
{
    m_resetView = MakeButton(QStringLiteral("复位"), QStringLiteral("复位"));
    m_equalScale = MakeCheckBox(QStringLiteral("等比例"), QStringLiteral("等比例"));
    m_marksShown = MakeCheckBox(QStringLiteral("标记点"), QStringLiteral("标记点"));
    m_marksShown->setChecked(true);
    m_saveImage = MakeButton(QStringLiteral("保存图像"), QStringLiteral("保存图像"));
    m_panel->setAccessibleName(QStringLiteral("函数图像"));
    m_panel->setAccessibleDescription(
            QStringLiteral("加号、减号缩放，方向键平移，0 复位，Alt+左右方向键移动追踪点"));
    m_traceText = MakeLabel(QStringLiteral("坐标"), QString());
    m_traceText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *row = LeftAlignedRow({m_resetView, m_equalScale, m_marksShown, m_saveImage});
    row->addWidget(m_traceText, 1);
    return row;
}

void FunctionInfoWindow::ConnectInstrument()
{
    connect(m_resetView, &QPushButton::clicked, m_panel, &GraphPanel::ResetView);
    connect(m_equalScale, &QCheckBox::toggled, m_panel, &GraphPanel::SetEqualScale);
    connect(m_marksShown, &QCheckBox::toggled, m_panel, &GraphPanel::SetMarksShown);
    connect(m_saveImage, &QPushButton::clicked, this, &FunctionInfoWindow::SaveImage);
    connect(m_panel, &GraphPanel::TraceChanged, m_traceText, &QLabel::setText);
}

void FunctionInfoWindow::SaveImage()
{
    SaveGraphImage(m_panel);
}

QGroupBox *FunctionInfoWindow::BuildExtremaGroup()
{
    m_extremaNeeded = MakeNeededBox(QStringLiteral("最值选择框"));
    m_extremaStep = MakeStepBox(QStringLiteral("最值精度编辑框"));
    m_extremaGrid = new Grid(QStringLiteral("高级表格1"));
    m_extremaGrid->setAccessibleName(QStringLiteral("最值"));
    auto *layout = AnalysisGroupLayout(m_extremaNeeded, QStringLiteral("标签3"), m_extremaStep);
    layout->addWidget(m_extremaGrid);
    return MakeGroup(QStringLiteral("最值"), layout);
}

QGroupBox *FunctionInfoWindow::BuildMonotonicGroup()
{
    m_monotonicNeeded = MakeNeededBox(QStringLiteral("单调性选择框"));
    m_monotonicStep = MakeStepBox(QStringLiteral("单调性精度编辑框"));
    m_monotonicGrid = new Grid(QStringLiteral("高级表格2"));
    m_monotonicGrid->setAccessibleName(QStringLiteral("单调区间"));
    m_progress = MakeProgressBar(QStringLiteral("进度条1"));
    m_progress->setValue(0);
    auto *layout = AnalysisGroupLayout(m_monotonicNeeded, QStringLiteral("标签5"), m_monotonicStep);
    layout->addWidget(m_monotonicGrid, 1);
    layout->addWidget(m_progress);
    return MakeGroup(QStringLiteral("单调区间"), layout);
}

QGroupBox *FunctionInfoWindow::BuildParityGroup()
{
    m_parityNeeded = MakeNeededBox(QStringLiteral("奇偶性选择框"));
    m_parityStep = MakeStepBox(QStringLiteral("奇偶性精度编辑框"));
    m_parityResult = MakeResultBox(QStringLiteral("奇偶性结果"));
    auto *layout = AnalysisGroupLayout(m_parityNeeded, QStringLiteral("标签6"), m_parityStep);
    layout->addWidget(m_parityResult);
    return MakeGroup(QStringLiteral("奇偶性"), layout);
}

void FunctionInfoWindow::LayOutGrids()
{
    m_extremaGrid->SetRowCount(3);
    m_extremaGrid->SetColumnCount(3);
    m_extremaGrid->SetCell(0, 1, QStringLiteral("x"));
    m_extremaGrid->SetCell(0, 2, QStringLiteral("f(x)"));
    m_extremaGrid->SetCell(1, 0, QStringLiteral("最大值"));
    m_extremaGrid->SetCell(2, 0, QStringLiteral("最小值"));
    m_monotonicGrid->SetRowCount(1);
    m_monotonicGrid->SetColumnCount(4);
    m_monotonicGrid->SetCell(0, 1, QStringLiteral("区间首"));
    m_monotonicGrid->SetCell(0, 2, QStringLiteral("区间尾"));
    m_monotonicGrid->SetCell(0, 3, QStringLiteral("单调性"));
    for (Grid *grid : {m_extremaGrid, m_monotonicGrid}) {
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        // A row of the monotonic intervals with the room between its columns.
        WidenBoxTo(grid,
                   QStringLiteral("   区间首   -1000.0000000   区间尾   -1000.0000000   单调递增"));
    }
    const int rowHeight = fontMetrics().height() + 14;
    for (Grid *grid : {m_extremaGrid, m_monotonicGrid}) {
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
    m_extremaGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_extremaGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the three rows and the frame, which the style sheet draws 1 px wide.
    m_extremaGrid->setFixedHeight(3 * rowHeight + 4);
}

void FunctionInfoWindow::ConnectEvents()
{
    connect(m_run, &QPushButton::clicked, this, &FunctionInfoWindow::Run);
    OnEnter(m_expression, [this] { Run(); });
    ClearWhenChanged({m_expression, m_start, m_end, m_extremaStep, m_monotonicStep, m_parityStep},
                     this, [this] {
                         // A run reads its inputs as it goes; its results follow them.
                         if (!isRunning())
                             ClearAnalyses();
                     });
    connect(m_color, &ColorPicker::ColorChanged, this, &FunctionInfoWindow::RedrawIfDrawn);
    connect(m_thickness, &EditBox::ContentChanged, this, &FunctionInfoWindow::RedrawIfDrawn);
    ConnectInstrument();
    connect(closePollTimer(), &QTimer::timeout, this, [this] {
        m_keepPicture->setToolTip(QStringLiteral("勾选时请不要更改区间，不然会造成图像馄乱。"));
    });
}

void FunctionInfoWindow::Run()
{
    // Enter in the expression box reaches here while a run lets events through.
    RunScope run(this);
    if (run.refused())
        return;
    const Outcome<Interval> interval = ReadRunInterval(m_start->text(), m_end->text());
    // A refused run leaves no interval to draw: a redraw then draws nothing.
    m_a = interval.value_or({}).a;
    m_b = interval.value_or({}).b;
    if (!interval)
        return ShowMessage(interval.refusal());
    if (!IsAnyComponentChecked())
        return ShowMessage(QStringLiteral("没有勾选任何组件！"));
    // A function that fails at the ends has nothing to describe.
    const QString expression = m_expression->text();
    if (!IsEvaluableOn(expression, m_a, m_b))
        return ShowMessage(ExpressionHintText(), ExpressionHintCaption());

    m_function = PrepareFunction(expression);
    m_curve.reset();
    ClearAnalyses();
    m_run->setEnabled(false);
    const bool finished
            = RunComponent(m_graphNeeded, QStringLiteral("正在画函数图像……(请勿关闭本程序！)"),
                           &FunctionInfoWindow::Draw)
            && RunComponent(m_extremaNeeded, QStringLiteral("正在求最值……(请勿关闭本程序！)"),
                            &FunctionInfoWindow::FindExtrema)
            && RunComponent(m_monotonicNeeded, QStringLiteral("正在求单调区间……(请勿关闭本程序！)"),
                            &FunctionInfoWindow::FindMonotonicIntervals)
            && RunComponent(m_parityNeeded, QStringLiteral("正在求奇偶性……(请勿关闭本程序！)"),
                            &FunctionInfoWindow::FindParity);
    if (finished) {
        m_run->setEnabled(true);
        m_panel->setAccessibleDescription(DescribeDrawing(
                expression, m_a, m_b, *m_extremaGrid, *m_monotonicGrid, m_parityResult->text()));
    }
}

// What an analysis found belongs to the inputs of its run; the picture stays, as it may hold
// curves kept on purpose.
void FunctionInfoWindow::ClearAnalyses()
{
    for (const int row : {1, 2}) {
        for (const int column : {1, 2})
            m_extremaGrid->SetCell(row, column, QString());
    }
    m_monotonicGrid->SetRowCount(1);
    m_parityResult->clear();
}

bool FunctionInfoWindow::IsAnyComponentChecked() const
{
    return m_graphNeeded->isChecked() || m_extremaNeeded->isChecked()
            || m_monotonicNeeded->isChecked() || m_parityNeeded->isChecked();
}

bool FunctionInfoWindow::RunComponent(QCheckBox *needed, const QString &caption,
                                      void (FunctionInfoWindow::*component)())
{
    if (needed->isChecked()) {
        setWindowTitle(caption);
        (this->*component)();
        if (isClosing())
            return false;
    }
    setWindowTitle(Caption);
    return true;
}

void FunctionInfoWindow::Draw()
{
    DrawFunction(m_function);
}

// A redraw (a new colour or thickness) reads the expression box afresh, with the interval of
// the last run. One asked for while the curve is being drawn makes that drawing start over,
// however many changes come meanwhile.
void FunctionInfoWindow::RedrawIfDrawn()
{
    if (!m_drawn || m_drawing.AskAgainIfGoing())
        return;
    BeginUserAction();
    if (const auto f = FunctionToRedraw())
        DrawFunction(*f);
}

// None when the interval cannot be drawn or the expression cannot be evaluated: then what is
// drawn stays.
std::optional<PreparedFunction> FunctionInfoWindow::FunctionToRedraw() const
{
    const QString expression = m_expression->text();
    if (!IsDrawableInterval(m_a, m_b) || !IsEvaluableOn(expression, m_a, m_b))
        return std::nullopt;
    return PrepareFunction(expression);
}

void FunctionInfoWindow::DrawFunction(PreparedFunction f)
{
    m_drawn = true;
    // A refused run leaves interval ends that cannot be drawn; a redraw then draws nothing.
    if (!IsDrawableInterval(m_a, m_b))
        return;
    int width = 0;
    const auto pass = [&](const KeepGoing &keepGoing) {
        m_plot.PreparePanel(m_keepPicture->isChecked());
        width = ReadPenWidth(m_thickness->text());
        return m_plot.Draw(f, m_a, m_b, width, m_color->currentColor(), keepGoing);
    };
    const auto again = [&] {
        const auto next = FunctionToRedraw();
        if (next)
            f = *next;
        return next.has_value();
    };
    // Done, unless a run started meanwhile drew its own curve, which stays.
    if (m_drawing.Run(pass, again))
        m_panel->AddCurve(m_expression->text(), f, m_a, m_b, m_color->currentColor(), width,
                          m_keepPicture->isChecked(), !isRunning());
}

// Sampled at the finer of the two steps that are wanted, once a run; none when the run ends.
const FunctionProperties::CurveAnalysis *FunctionInfoWindow::Curve()
{
    if (m_curve)
        return &*m_curve;
    double step = qInf();
    for (const auto &[needed, box] : {std::pair{m_extremaNeeded, m_extremaStep},
                                      std::pair{m_monotonicNeeded, m_monotonicStep}}) {
        const double wanted = FunctionProperties::ReadStep(box->text());
        if (needed->isChecked() && FunctionProperties::IsUsableStep(wanted, m_a, m_b))
            step = std::min(step, wanted);
    }
    // The bar repaints itself at once when set; it is set only as often as events run.
    constexpr int Steps = 1000;
    m_progress->setMaximum(Steps);
    m_progress->setValue(0);
    double done = 0;
    const KeepGoing pace = Pace([&] { m_progress->setValue(int(done * Steps)); });
    m_curve = FunctionProperties::AnalyseCurve(m_function, m_a, m_b, step, pace,
                                               [&done](double fraction) { done = fraction; });
    if (!m_curve)
        return nullptr; // abandoned: the window is closing
    m_progress->setValue(Steps);
    return &*m_curve;
}

void FunctionInfoWindow::FindExtrema()
{
    const double step = FunctionProperties::ReadStep(m_extremaStep->text());
    if (!FunctionProperties::IsUsableStep(step, m_a, m_b))
        return;
    const FunctionProperties::CurveAnalysis *curve = Curve();
    if (!curve)
        return;
    const FunctionProperties::Extrema found = FunctionProperties::FindExtrema(*curve, step);
    m_extremaGrid->SetCell(1, 1, found.maximum.x);
    m_extremaGrid->SetCell(1, 2, found.maximum.value);
    m_extremaGrid->SetCell(2, 1, found.minimum.x);
    m_extremaGrid->SetCell(2, 2, found.minimum.value);
}

void FunctionInfoWindow::FindMonotonicIntervals()
{
    const double step = FunctionProperties::ReadStep(m_monotonicStep->text());
    if (!FunctionProperties::IsUsableStep(step, m_a, m_b))
        return;
    const FunctionProperties::CurveAnalysis *curve = Curve();
    if (!curve)
        return;
    ShowMonotonicIntervals(FunctionProperties::FindMonotonicIntervals(*curve, step));
}

void FunctionInfoWindow::ShowMonotonicIntervals(
        const std::vector<FunctionProperties::MonotonicInterval> &intervals)
{
    QList<QStringList> rows;
    rows.reserve(qsizetype(intervals.size()));
    for (const FunctionProperties::MonotonicInterval &interval : intervals)
        rows.append({interval.label, interval.start, interval.end, interval.direction});
    m_monotonicGrid->SetRowCount(1);
    m_monotonicGrid->AppendRows(rows);
}

void FunctionInfoWindow::FindParity()
{
    const auto step = [this] { return FunctionProperties::ReadStep(m_parityStep->text()); };
    const auto verdict = FunctionProperties::FindParity(m_function, m_a, m_b, step, Pace());
    if (verdict)
        m_parityResult->setText(*verdict);
}
