// The run of the function information window: the checks, the graph and the three scans.
#include "tools/functions/functioninfowindow.h"

#include "eval/expression.h"
#include "eval/numbertext.h"
#include "eval/scripthost.h"
#include "tools/functions/functionpropertieslogic.h"
#include "ui/colorpicker.h"
#include "ui/drawingpanel.h"
#include "ui/editbox.h"
#include "ui/grid.h"
#include "ui/messages.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>

using namespace FunctionGraph;

namespace {

const QString Caption = QStringLiteral("函数基本信息");
// Pen widths beyond the panel cover it anyway; capping them keeps drawing quick.
constexpr int WidestPen = PanelSize;

} // namespace

void FunctionInfoWindow::Run()
{
    // Enter in the expression box reaches here while a run lets events through.
    if (m_running)
        return;
    m_a = TextToNumber(m_start->text());
    m_b = TextToNumber(m_end->text());
    if (m_a - m_b >= -1e-7)
        return ShowMessage(QStringLiteral("区间输入错误，请重新输入！"));
    if ((m_b - m_a) - 1000 > 1e-7)
        return ShowMessage(QStringLiteral("区间的大小不能大于1000！"));
    if (!IsAnyComponentChecked())
        return ShowMessage(QStringLiteral("没有勾选任何组件！"));

    BeginUserAction();
    BusyScope busy(this);
    QScopedValueRollback running(m_running, true);
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
    if (!finished)
        return;
    m_run->setEnabled(true);
}

bool FunctionInfoWindow::IsAnyComponentChecked() const
{
    return m_graphNeeded->isChecked() || m_extremaNeeded->isChecked()
            || m_monotonicNeeded->isChecked() || m_parityNeeded->isChecked();
}

bool FunctionInfoWindow::RunComponent(QCheckBox *needed, const QString &caption,
                                      bool (FunctionInfoWindow::*component)())
{
    if (needed->isChecked()) {
        setWindowTitle(caption);
        if (!(this->*component)())
            return false;
    }
    setWindowTitle(Caption);
    return true;
}

void FunctionInfoWindow::RedrawIfDrawn()
{
    if (!m_drawn)
        return;
    BeginUserAction();
    Draw();
}

void FunctionInfoWindow::BeginUserAction()
{
    // One action shares one time limit: after a runaway evaluation was stopped, the rest of
    // the action's evaluations fail at once. A redraw nested in a running action stays part
    // of it.
    if (m_busy == 0)
        ScriptHost::ForThisThread().BeginUserAction();
}

bool FunctionInfoWindow::Draw()
{
    m_drawn = true;
    // A refused run leaves interval ends that cannot be drawn; a redraw then draws nothing.
    if (!IsDrawableInterval(m_a, m_b))
        return true;
    BusyScope busy(this);
    const Scale scale = ComputeScale(m_a, m_b);
    PreparePanel();
    DrawAxes(scale);
    SampleHeights(scale);
    return DrawCurve();
}

void FunctionInfoWindow::PreparePanel()
{
    if (!m_keepPicture->isChecked())
        m_panel->Clear();
    m_panel->SetPenWidth(0);
    m_panel->SetPenColor(Qt::black);
}

void FunctionInfoWindow::DrawAxes(const Scale &scale)
{
    // Once small, the labels stay small for every later drawing in this window.
    if (scale.wide)
        m_panel->SetLabelFontSize(7);
    const AxesPicture picture = AxesAndTicks(scale);
    for (const Line &line : picture.lines)
        m_panel->DrawLine(line.x1, line.y1, line.x2, line.y2);
    for (const Label &label : picture.labels)
        m_panel->WriteText(label.x, label.y, label.value);
}

void FunctionInfoWindow::SampleHeights(const Scale &scale)
{
    const double step = scale.r / SampleCount;
    for (int i = 1; i <= SampleCount; ++i)
        m_heights[i] = SampleHeight(ValueAt(SampleX(scale.a, step, i)), scale.r);
}

bool FunctionInfoWindow::DrawCurve()
{
    const int width = TextToInteger(TextToNumber(m_thickness->text()));
    m_panel->SetPenWidth(qBound(0, width, WidestPen));
    m_panel->SetPenColor(m_color->currentColor());
    for (int i = 1; i <= SampleCount; ++i) {
        const std::optional<int> row = SampleRow(m_heights[i]);
        const std::optional<int> previous = i >= 2 ? SampleRow(m_heights[i - 1]) : std::nullopt;
        if (JoinsNeighbour(previous, row))
            m_panel->DrawLine(i, *row, i - 1, *previous);
        if (!KeepGoing())
            return false;
    }
    return true;
}

bool FunctionInfoWindow::FindExtrema()
{
    BusyScope busy(this);
    const QString expression = m_expression->text();
    const auto f = [&expression](double x) {
        return EvaluateFunctionAt(expression, QLatin1Char('x'), x);
    };
    const double step = TextToNumber(m_extremaStep->text());
    const auto found
            = FunctionProperties::FindExtrema(f, m_a, m_b, step, [this] { return Breathe(); });
    if (m_closed)
        return false;
    if (found) {
        m_extremaGrid->SetCell(1, 1, found->maximum.x);
        m_extremaGrid->SetCell(1, 2, found->maximum.value);
        m_extremaGrid->SetCell(2, 1, found->minimum.x);
        m_extremaGrid->SetCell(2, 2, found->minimum.value);
    }
    return true;
}

bool FunctionInfoWindow::FindMonotonicIntervals()
{
    const double step = TextToNumber(m_monotonicStep->text());
    if (!FunctionProperties::IsUsableStep(step, m_a, m_b))
        return true;
    BusyScope busy(this);
    m_monotonicGrid->SetRowCount(1);
    m_progress->setMaximum(FunctionProperties::MonotonicStepCount(m_a, m_b, step));
    m_progress->setValue(0);
    const auto f = [this](double x) { return ValueAt(x); };
    const auto advance = [this] {
        m_progress->setValue(m_progress->value() + 1);
        return Breathe();
    };
    const auto found = FunctionProperties::FindMonotonicIntervals(f, m_a, m_b, step, advance);
    if (m_closed)
        return false;
    for (const FunctionProperties::MonotonicInterval &interval :
         found.value_or(std::vector<FunctionProperties::MonotonicInterval>{})) {
        const int row = m_monotonicGrid->rowCount();
        m_monotonicGrid->SetRowCount(row + 1);
        m_monotonicGrid->SetCell(row, 0, interval.label);
        m_monotonicGrid->SetCell(row, 1, interval.start);
        m_monotonicGrid->SetCell(row, 2, interval.end);
        m_monotonicGrid->SetCell(row, 3, interval.direction);
    }
    return true;
}

bool FunctionInfoWindow::FindParity()
{
    BusyScope busy(this);
    const auto f = [this](double x) { return ValueAt(x); };
    const auto step = [this] { return TextToNumber(m_parityStep->text()); };
    const auto verdict
            = FunctionProperties::FindParity(f, m_a, m_b, step, [this] { return Breathe(); });
    if (m_closed)
        return false;
    if (verdict)
        m_parityResult->setText(*verdict);
    return true;
}
