#include "tools/statistics/datastatisticswindow.h"

#include "tools/statistics/datastatisticsplots.h"
#include "tools/statistics/datastatisticsworking.h"
#include "tools/statistics/datatableview.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/graphpanel.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Statistics;
using namespace Eval;
using namespace Ui;

namespace {

enum Page { OneVariablePage, TwoVariablePage };

// The plots are drawn to this size (logical pixels), as the function graph is to its own.
const QSize PlotSize(420, 260);
constexpr int MostDigits = 10;
constexpr int FewestDigits = 3;
// Typing is saved once it pauses this long, and whatever is left when the window closes.
constexpr int SavePauseMs = 2000;

int DigitsChosen(const QComboBox *choice)
{
    return MostDigits - std::max(choice->currentIndex(), 0);
}

GraphPlot EmptyPlot(const QString &caption)
{
    return {GraphView(-1, 10, -1, 6, PlotSize.width(), PlotSize.height()), {}, caption, {}, {}};
}

// "label [box] = answer": an input with the one answer that belongs to it alone.
QWidget *AnswerRow(const QString &label, EditBox *box, const QString &equals, QLabel *answer)
{
    FitBoxTo(box, QStringLiteral("-0.000001234"));
    auto *row = new QWidget;
    QHBoxLayout *layout
            = MakeRow({MakeLabel(box->objectName() + QStringLiteral("标签"), label), box,
                       MakeLabel(box->objectName() + QStringLiteral("等号"), equals), answer});
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    row->setLayout(layout);
    return row;
}

QLabel *SelectableLabel(const QString &name)
{
    QLabel *label = MakeResultLabel(name);
    label->setWordWrap(false);
    return label;
}

} // namespace

DataStatisticsWindow::DataStatisticsWindow(const QString &dataPath)
    : ToolFrame(QStringLiteral("数据统计"), Arrangement::ResultsBeside)
    , m_file(dataPath)
    , m_tables(m_file.Load())
    , m_saveTimer(new QTimer(this))
{
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(SavePauseMs);
    connect(m_saveTimer, &QTimer::timeout, this, &DataStatisticsWindow::Save);
    BuildOneVariablePage();
    BuildTwoVariablePage();
    m_pages = findChild<QTabWidget *>(QStringLiteral("页面"));
    connect(m_pages, &QTabWidget::currentChanged, this, &DataStatisticsWindow::PageShown);
    ComputeOneVariable();
    m_oneView->setFocus();
    OpenAtContentsSize();
}

DataStatisticsWindow::~DataStatisticsWindow()
{
    if (m_saveTimer->isActive())
        Save();
}

QComboBox *DataStatisticsWindow::MakeDigitsChoice(const QString &name)
{
    QComboBox *choice = MakeComboBox(name);
    for (int digits = MostDigits; digits >= FewestDigits; --digits)
        choice->addItem(QStringLiteral("%1位有效数字").arg(digits));
    return choice;
}

QWidget *DataStatisticsWindow::BuildDataTab(DataTableView *view, DataTableModel *model,
                                            QLabel *problems)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->setSpacing(Spacing::Related);
    auto *paste = MakeButton(view->objectName() + QStringLiteral("粘贴"), QStringLiteral("粘贴"));
    auto *clear = MakeButton(view->objectName() + QStringLiteral("清空"), QStringLiteral("清空"));
    auto *hint = MakeUnitLabel(view->objectName() + QStringLiteral("说明"),
                               QStringLiteral("可从表格或文本粘贴，Ctrl+V"));
    QHBoxLayout *buttons = MakeRow({paste, clear, hint});
    buttons->addStretch();
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    problems->setWordWrap(true);
    MarkAsError(problems, true);
    layout->addWidget(problems);
    DataTable &table = model == m_oneModel ? m_tables.oneVariable : m_tables.twoVariables;
    connect(view, &DataTableView::PasteAsked, this,
            [this, model, &table](int row, int column) { Paste(model, table, row, column); });
    connect(paste, &QPushButton::clicked, this, [this, view, model, &table] {
        const QModelIndex at = view->currentIndex();
        Paste(model, table, at.isValid() ? at.row() : 0, at.isValid() ? at.column() : 0);
    });
    connect(clear, &QPushButton::clicked, this, [model, &table] {
        table.Clear();
        model->Reload();
    });
    const int page = model == m_oneModel ? OneVariablePage : TwoVariablePage;
    connect(model, &DataTableModel::Changed, this, [this, page] { TableChanged(page); });
    return tab;
}

QWidget *DataStatisticsWindow::BuildPlotTab(GraphPanel *panel, QWidget *options)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->setSpacing(Spacing::Related);
    if (options)
        layout->addWidget(options);
    layout->addWidget(PlotWithButtons(panel));
    return tab;
}

void DataStatisticsWindow::BuildOneVariablePage()
{
    AddPage(QStringLiteral("单变量"));
    m_oneModel = new DataTableModel(m_tables.oneVariable,
                                    {QStringLiteral("数据"), QStringLiteral("频数(可不填)")}, this);
    m_oneView = new DataTableView(QStringLiteral("单变量数据表格"), m_oneModel);
    m_oneView->setAccessibleName(QStringLiteral("单变量数据"));
    m_oneView->setAccessibleDescription(QStringLiteral("两列：数据，频数"));
    m_oneProblems = MakeLabel(QStringLiteral("单变量数据问题"), QString());
    m_histogram = new GraphPanel(QStringLiteral("频率分布直方图"), PlotSize);
    m_boxPlot = new GraphPanel(QStringLiteral("箱线图"), PlotSize);
    m_grouping = MakeComboBox(QStringLiteral("分组方式"));
    m_grouping->addItems({QStringLiteral("组数"), QStringLiteral("组距")});
    m_groupAmount = new EditBox(QStringLiteral("组数或组距"));
    m_groupAmount->setPlaceholderText(QStringLiteral("自动"));
    FitBoxTo(m_groupAmount, QStringLiteral("0.000001"));
    m_groupStart = new EditBox(QStringLiteral("起点"));
    m_groupStart->setPlaceholderText(QStringLiteral("最小值"));
    FitBoxTo(m_groupStart, QStringLiteral("-0.000001"));
    m_groupMessage = MakeLabel(QStringLiteral("分组提示"), QString());
    MarkAsError(m_groupMessage, true);
    auto *options = new QWidget;
    QHBoxLayout *row = MakeRow({MakeLabel(QStringLiteral("分组标签"), QStringLiteral("按")),
                                m_grouping, m_groupAmount,
                                MakeLabel(QStringLiteral("起点标签"), QStringLiteral("起点：")),
                                m_groupStart, m_groupMessage});
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    options->setLayout(row);

    auto *tabs = MakeTabBox(QStringLiteral("单变量图表"));
    tabs->addTab(BuildDataTab(m_oneView, m_oneModel, m_oneProblems), QStringLiteral("数据"));
    tabs->addTab(BuildPlotTab(m_histogram, options), QStringLiteral("频率分布直方图"));
    tabs->addTab(BuildPlotTab(m_boxPlot), QStringLiteral("箱线图"));
    AddInputWidget(tabs, 1);
    m_oneDigits
            = AddInput(QStringLiteral("显示："), MakeDigitsChoice(QStringLiteral("单变量位数")));
    m_p = new EditBox(QStringLiteral("百分位数p"));
    m_percentile = MakeResultLabel(QStringLiteral("第p百分位数"));
    AddInputWidget(
            AnswerRow(QStringLiteral("第p百分位数 p："), m_p, QStringLiteral("="), m_percentile));
    for (const NamedValue &figure : OneVariableValues({}, MostDigits))
        AddResult(figure.name);
    ComputeOnEveryChange([this] { ComputeOneVariable(); });
    AddWorking([this]() -> Working {
        if (!m_one.analysis || !*m_one.analysis)
            return {};
        return OneVariableWorking(**m_one.data, (**m_one.analysis).figures,
                                  DigitsChosen(m_oneDigits));
    });
}

void DataStatisticsWindow::BuildTwoVariablePage()
{
    AddPage(QStringLiteral("双变量"));
    m_twoModel = new DataTableModel(m_tables.twoVariables,
                                    {QStringLiteral("x"), QStringLiteral("y")}, this);
    m_twoView = new DataTableView(QStringLiteral("双变量数据表格"), m_twoModel);
    m_twoView->setAccessibleName(QStringLiteral("双变量数据"));
    m_twoView->setAccessibleDescription(QStringLiteral("两列：x，y"));
    m_twoProblems = MakeLabel(QStringLiteral("双变量数据问题"), QString());
    m_scatter = new GraphPanel(QStringLiteral("散点图"), PlotSize);
    m_residuals = new GraphPanel(QStringLiteral("残差图"), PlotSize);
    auto *tabs = MakeTabBox(QStringLiteral("双变量图表"));
    tabs->addTab(BuildDataTab(m_twoView, m_twoModel, m_twoProblems), QStringLiteral("数据"));
    tabs->addTab(BuildPlotTab(m_scatter), QStringLiteral("散点图"));
    tabs->addTab(BuildPlotTab(m_residuals), QStringLiteral("残差图"));
    AddInputWidget(tabs, 1);
    m_twoDigits
            = AddInput(QStringLiteral("显示："), MakeDigitsChoice(QStringLiteral("双变量位数")));
    m_model = AddInput(QStringLiteral("图中模型："), MakeComboBox(QStringLiteral("模型")));
    for (const Model model : Models)
        m_model->addItem(ModelName(model) + QStringLiteral("  ") + ModelFormula(model));
    m_predictX = new EditBox(QStringLiteral("预测x"));
    m_predictedY = MakeResultLabel(QStringLiteral("预测值ŷ"));
    AddInputWidget(
            AnswerRow(QStringLiteral("预测 x："), m_predictX, QStringLiteral("ŷ ="), m_predictedY));
    m_predictY = new EditBox(QStringLiteral("预测y"));
    m_predictedX = MakeResultLabel(QStringLiteral("预测值x̂"));
    AddInputWidget(AnswerRow(QStringLiteral("由 y 求 x："), m_predictY,
                             QStringLiteral("线性模型 x̂ ="), m_predictedX));
    const NamedValues figures = TwoVariableValues({}, MostDigits);
    for (int i = 0; i < 9; ++i)
        AddResult(figures[i].name);
    // The six curves, one line each: the equation and R².
    auto *models = new QWidget;
    auto *grid = new QGridLayout(models);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("模型标题"), QStringLiteral("模型")), 0, 0);
    grid->addWidget(MakeLabel(QStringLiteral("方程标题"), QStringLiteral("回归方程")), 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("R²标题"), QStringLiteral("R²")), 0, 2);
    for (const Model model : Models) {
        const int row = int(model) + 1;
        grid->addWidget(MakeLabel(ModelName(model) + QStringLiteral("模型"), ModelName(model)), row,
                        0);
        m_equations.append(SelectableLabel(ModelName(model) + QStringLiteral("方程")));
        m_rSquared.append(SelectableLabel(ModelName(model) + QStringLiteral("R²")));
        grid->addWidget(m_equations.last(), row, 1);
        grid->addWidget(m_rSquared.last(), row, 2);
    }
    grid->setColumnStretch(1, 1);
    AddResultWidget(models);
    AddResultWidget(
            MakeUnitLabel(QStringLiteral("R²说明"),
                          QStringLiteral("R² = 1 − Σ(y−ŷ)²/Σ(y−ȳ)²，指数与幂模型在 ln y 上拟合")));
    ComputeOnEveryChange([this] { ComputeTwoVariables(); });
    AddWorking([this]() -> Working {
        if (!m_two.figures)
            return {};
        return LinearFitWorking(*m_two.figures, DigitsChosen(m_twoDigits));
    });
}

bool DataStatisticsWindow::InView(int page) const
{
    return !m_pages || m_pages->currentIndex() == page;
}

void DataStatisticsWindow::TableChanged(int page)
{
    (page == OneVariablePage ? m_one.stale : m_two.stale) = true;
    m_saveTimer->start();
    if (InView(page))
        PageShown(page);
}

void DataStatisticsWindow::PageShown(int page)
{
    if (page == OneVariablePage)
        ComputeOneVariable();
    else
        ComputeTwoVariables();
}

void DataStatisticsWindow::Paste(DataTableModel *model, DataTable &table, int row, int column)
{
    const QString text = QApplication::clipboard()->text();
    RunScope run(this);
    if (run.refused() || text.isEmpty())
        return;
    const std::optional<PastedData> pasted = ParseDataText(text, Pace());
    if (!pasted)
        return;
    const qsizetype left = table.Paste(row, column, *pasted);
    model->Reload();
    if (left > 0 || pasted->truncated)
        ShowMessage(QStringLiteral("表格最多%1行，多出的数据没有粘贴").arg(DataTable::MaxRows));
    else if (!pasted->widerRows.empty())
        ShowMessage(RowsText(pasted->widerRows) + QStringLiteral("多于两列，只取了前两列"));
}

// The figures are worked out again, through the run machinery, only when the table has changed
// since; they are shown while their page is in view (else once it comes into view).
void DataStatisticsWindow::Refresh(Restartable &run, bool &stale, int page,
                                   const std::function<bool(const KeepGoing &)> &work,
                                   const std::function<void()> &show)
{
    if (stale) {
        if (run.AskAgainIfGoing())
            return;
        const auto pass = [&](const KeepGoing &keepGoing) {
            stale = false;
            return work(keepGoing);
        };
        if (!run.Run(pass, [] { return true; }))
            return;
    }
    if (InView(page))
        show();
}

void DataStatisticsWindow::ComputeOneVariable()
{
    Refresh(
            m_oneRun, m_one.stale, OneVariablePage,
            [this](const KeepGoing &keepGoing) {
                m_one.data = CollectOneVariable(m_tables.oneVariable);
                m_one.analysis.reset();
                if (*m_one.data)
                    m_one.analysis = AnalyseOneVariable(**m_one.data, keepGoing);
                return !*m_one.data || m_one.analysis;
            },
            [this] { ShowOneVariable(); });
}

void DataStatisticsWindow::ShowOneVariable()
{
    const int digits = DigitsChosen(m_oneDigits);
    const Outcome<OneVariableData> &data = *m_one.data;
    m_oneProblems->setText(data ? data->problems : QString());
    const Outcome<OneVariableAnalysis> none = Refuse(data ? QString() : data.refusal());
    const Outcome<OneVariableAnalysis> &analysis = m_one.analysis ? *m_one.analysis : none;
    if (!analysis) {
        ShowResults(Refuse(analysis.refusal()));
        ShowOutcome(m_percentile, Refuse(QString()));
        m_groupMessage->clear();
        m_histogram->ShowPlot(EmptyPlot(QStringLiteral("频率分布直方图")));
        m_boxPlot->ShowPlot(EmptyPlot(QStringLiteral("箱线图")));
        return;
    }
    ShowResults(OneVariableValues(analysis->figures, digits));
    const Outcome<double> percentile = Percentile(analysis->sample, m_p->text());
    ShowOutcome(m_percentile,
                percentile ? Outcome<QString>(NumberText(*percentile, digits))
                           : Outcome<QString>(Refuse(percentile.refusal())));
    const Outcome<Histogram> histogram
            = GroupData(analysis->sample,
                        m_grouping->currentIndex() == 0 ? Grouping::ByCount : Grouping::ByWidth,
                        m_groupAmount->text(), m_groupStart->text());
    m_groupMessage->setText(histogram ? QString() : histogram.refusal());
    if (histogram)
        m_histogram->ShowPlot(HistogramPicture(*histogram, PlotSize));
    m_boxPlot->ShowPlot(BoxPlotPicture(analysis->figures, PlotSize));
}

void DataStatisticsWindow::ComputeTwoVariables()
{
    Refresh(
            m_twoRun, m_two.stale, TwoVariablePage,
            [this](const KeepGoing &keepGoing) {
                m_two.data = CollectPairs(m_tables.twoVariables);
                m_two.figures.reset();
                if (*m_two.data)
                    m_two.figures = AnalyseTwoVariables(**m_two.data, keepGoing);
                return !*m_two.data || m_two.figures;
            },
            [this] { ShowTwoVariables(); });
}

void DataStatisticsWindow::ShowTwoVariables()
{
    const int digits = DigitsChosen(m_twoDigits);
    const Outcome<PairedData> &data = *m_two.data;
    m_twoProblems->setText(data ? data->problems : QString());
    if (!data || !m_two.figures) {
        ShowResults(Refuse(data ? QString() : data.refusal()));
        ShowModels(digits);
        m_scatter->ShowPlot(EmptyPlot(QStringLiteral("散点图")));
        m_residuals->ShowPlot(EmptyPlot(QStringLiteral("残差图")));
        return;
    }
    ShowResults(TwoVariableValues(*m_two.figures, digits));
    ShowModels(digits);
    DrawFit();
}

void DataStatisticsWindow::ShowModels(int digits)
{
    const bool shown = m_two.figures.has_value();
    const Outcome<ModelFit> none = Refuse(QString());
    for (const Model model : Models) {
        const Outcome<ModelFit> &fit = shown ? m_two.figures->fits[std::size_t(model)] : none;
        ShowOutcome(m_equations[int(model)],
                    fit ? Outcome<QString>(FittedEquation(*fit, digits))
                        : Outcome<QString>(Refuse(fit.refusal())));
        const Outcome<double> rSquared = fit ? fit->rSquared : Outcome<double>(Refuse(QString()));
        ShowOutcome(m_rSquared[int(model)],
                    rSquared ? Outcome<QString>(NumberText(*rSquared, digits))
                             : Outcome<QString>(Refuse(fit ? rSquared.refusal() : QString())));
    }
    const Outcome<ModelFit> &chosen
            = shown ? m_two.figures->fits[std::size_t(std::max(m_model->currentIndex(), 0))] : none;
    const auto predicted = [digits](const Outcome<double> &value) {
        return value ? Outcome<QString>(NumberText(*value, digits))
                     : Outcome<QString>(Refuse(value.refusal()));
    };
    ShowOutcome(m_predictedY,
                chosen ? predicted(PredictY(*chosen, m_predictX->text()))
                       : Outcome<QString>(Refuse(chosen.refusal())));
    const Outcome<ModelFit> &line = shown ? m_two.figures->fits.front() : none;
    ShowOutcome(m_predictedX,
                line ? predicted(PredictX(*line, m_predictY->text()))
                     : Outcome<QString>(Refuse(line.refusal())));
}

void DataStatisticsWindow::DrawFit()
{
    const PairedData &data = **m_two.data;
    const Outcome<ModelFit> &fit
            = m_two.figures->fits[std::size_t(std::max(m_model->currentIndex(), 0))];
    GraphPlot scatter = ScatterPicture(data, PlotSize);
    if (fit)
        scatter.caption += QStringLiteral("  ") + FittedEquation(*fit, DigitsChosen(m_twoDigits));
    m_scatter->ShowPlot(scatter);
    if (!fit) {
        m_residuals->ShowPlot(EmptyPlot(QStringLiteral("残差图")));
        return;
    }
    const ModelFit curve = *fit;
    m_scatter->AddPlotCurve(PreparedFunction([curve](double x) { return curve.At(x); }),
                            Palette::WarmAccent, 2);
    m_residuals->ShowPlot(ResidualPicture(data, curve, PlotSize));
}

void DataStatisticsWindow::Save()
{
    m_saveTimer->stop();
    m_file.Save(m_tables);
}
