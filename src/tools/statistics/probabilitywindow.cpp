#include "tools/statistics/probabilitywindow.h"

#include "tools/statistics/binomial.h"
#include "tools/statistics/counting.h"
#include "tools/statistics/distributionplots.h"
#include "tools/statistics/distributiontable.h"
#include "tools/statistics/hypergeometric.h"
#include "tools/statistics/normal.h"
#include "tools/statistics/poisson.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/graphpanel.h"
#include "ui/style.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

using namespace Eval;
using namespace Statistics;

namespace {

const QString OpenEnd = QStringLiteral("空：不限");
// The plots are drawn to this size (logical pixels), as 数据统计's are.
const QSize PlotSize(420, 260);

// The bars of the page's distribution, or the bare axes.
template<typename Question>
std::function<void(const Question *)> DrawsBars(GraphPanel *panel,
                                                CountBars (*bars)(const Question &))
{
    return [panel, bars](const Question *question) {
        panel->ShowPlot(question ? BarsPicture(bars(*question), PlotSize)
                                 : EmptyPicture(QString(), PlotSize));
    };
}

// 杨辉三角 as the textbook prints it, each row centred under the one before, the widest row
// scrolled to rather than wrapped.
void ShowTriangle(QTextEdit *box, const QList<QStringList> &rows)
{
    QString html;
    int widest = 0;
    for (const QStringList &row : rows) {
        const QString text = row.join(QStringLiteral("   "));
        widest = std::max(widest, box->fontMetrics().horizontalAdvance(text));
        html += QStringLiteral("<p align=\"center\" style=\"margin:0; white-space:pre\">%1</p>")
                        .arg(text);
    }
    const int margins = 4 * box->document()->documentMargin();
    box->setLineWrapColumnOrWidth(std::max(widest + margins, box->viewport()->width()));
    box->setHtml(html);
}

} // namespace

ProbabilityWindow::ProbabilityWindow()
    : ToolFrame(QStringLiteral("排列组合与概率"), Arrangement::ResultsBeside)
{
    AddCountingPage();
    AddTablePage();
    AddBinomialPage();
    AddHypergeometricPage();
    AddPoissonPage();
    AddNormalPage();
    // Every page's title in view: the window is wide enough for them.
    findChild<QTabWidget *>(QStringLiteral("页面"))->tabBar()->setUsesScrollButtons(false);
    FixSizeToContents();
}

EditBox *ProbabilityWindow::Input(const QString &page, const QString &label, const QString &spoken,
                                  const QString &hint, const QString &sample)
{
    auto *box = new EditBox(page + u'·' + label);
    box->setAccessibleName(spoken);
    box->setPlaceholderText(hint);
    WidenBoxTo(box, sample);
    return AddInput(label + u'：', box);
}

void ProbabilityWindow::AddRoundingChoice(const QString &page)
{
    const QString caption = QStringLiteral("保留4位小数");
    auto *box = MakeCheckBox(page + u'·' + caption, caption);
    AddInputWidget(box);
    connect(box, &QCheckBox::toggled, this, [this](bool checked) {
        for (QCheckBox *other : std::as_const(m_fourPlaces))
            other->setChecked(checked);
    });
    m_fourPlaces << box;
}

// The page computes its question's results on every change and builds its working from it.
template<typename Read>
void ProbabilityWindow::Follow(Read read, ResultsOf<decltype(*read())> results,
                               WorkingOf<decltype(*read())> working,
                               DrawingOf<decltype(*read())> draw)
{
    ComputeOnEveryChange([this, read, results, draw] {
        const auto question = read();
        ShowResults(question ? Outcome<Ui::NamedValues>(results(*question, rounding()))
                             : Refuse(question.refusal()));
        if (draw)
            draw(question ? &*question : nullptr);
    });
    AddWorking([this, read, working] {
        const auto question = read();
        return question ? working(*question, rounding()) : Ui::Working();
    });
}

ProbabilityWindow::CountInputs ProbabilityWindow::AddCountInputs(const QString &page,
                                                                 const QString &spokenK)
{
    CountInputs inputs;
    inputs.k = Input(page, QStringLiteral("k"), spokenK, QString());
    inputs.a = Input(page, QStringLiteral("a"), QStringLiteral("下限 a"), OpenEnd);
    inputs.b = Input(page, QStringLiteral("b"), QStringLiteral("上限 b"), OpenEnd);
    AddRoundingChoice(page);
    for (const char *name : {"P(X=k)", "P(X≤k)", "P(a≤X≤b)", "E(X)", "D(X)"})
        AddResult(QString::fromUtf8(name));
    return inputs;
}

GraphPanel *ProbabilityWindow::AddPlot(const QString &name)
{
    auto *panel = new GraphPanel(name, PlotSize);
    panel->ShowPlot(EmptyPicture(QString(), PlotSize));
    AddResultWidget(PlotWithButtons(panel), 1);
    return panel;
}

Rounding ProbabilityWindow::rounding() const
{
    return m_fourPlaces.front()->isChecked() ? Rounding::FourPlaces : Rounding::TenDigits;
}

void ProbabilityWindow::AddCountingPage()
{
    const QString page = QStringLiteral("排列组合");
    AddPage(page);
    EditBox *n = Input(page, QStringLiteral("n"), QStringLiteral("元素个数 n"), QString());
    EditBox *m = Input(page, QStringLiteral("m"), QStringLiteral("取出个数 m"), QString());
    EditBox *rows = Input(page, QStringLiteral("杨辉三角行数"), QStringLiteral("杨辉三角行数"),
                          QStringLiteral("0 到 %1").arg(MaxPascalRow));
    AddResult(QStringLiteral("A"), QStringLiteral("排列数 A："));
    AddResult(QStringLiteral("C"), QStringLiteral("组合数 C："));
    AddResult(QStringLiteral("n!"), QStringLiteral("阶乘 n!："));
    m_triangle = new QTextEdit;
    NameControl(m_triangle, QStringLiteral("杨辉三角"));
    m_triangle->setReadOnly(true);
    m_triangle->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_triangle->setFocusPolicy(Qt::ClickFocus);
    AddResultWidget(m_triangle, 1);
    ComputeOnEveryChange([this, n, m, rows] {
        ShowResults(CountArrangements(n->text(), m->text()));
        const auto triangle = PascalTriangle(rows->text());
        if (triangle)
            ShowTriangle(m_triangle, *triangle);
        else
            m_triangle->setPlainText(triangle.refusal());
    });
    AddWorking([n, m] { return CountingWorking(n->text(), m->text()); });
}

void ProbabilityWindow::AddTablePage()
{
    const QString page = QStringLiteral("分布列");
    AddPage(page);
    const QString sample = QStringLiteral("1/6, 1/6, 1/6, 1/6, 1/6, 1/6");
    EditBox *values = Input(page, QStringLiteral("xᵢ"), QStringLiteral("取值 xᵢ"),
                            QStringLiteral("如 0 1 2"), sample);
    EditBox *probabilities = Input(page, QStringLiteral("pᵢ"), QStringLiteral("概率 pᵢ"),
                                   QStringLiteral("如 1/4 1/2 1/4"), sample);
    AddRoundingChoice(page);
    AddResult(QStringLiteral("E(X)"));
    AddResult(QStringLiteral("D(X)"));
    Follow([values,
            probabilities] { return ReadDistributionTable(values->text(), probabilities->text()); },
           TableMoments, TableWorking);
}

void ProbabilityWindow::AddBinomialPage()
{
    const QString page = QStringLiteral("二项分布");
    AddPage(page);
    EditBox *n = Input(page, QStringLiteral("n"), QStringLiteral("试验次数 n"), QString());
    EditBox *p = Input(page, QStringLiteral("p"), QStringLiteral("成功概率 p"),
                       QStringLiteral("如 1/2 或 0.3"));
    const CountInputs asked = AddCountInputs(page, QStringLiteral("成功次数 k"));
    Follow(
            [n, p, asked] {
                return ReadBinomial(n->text(), p->text(), asked.k->text(), asked.a->text(),
                                    asked.b->text());
            },
            BinomialResults, BinomialWorking,
            DrawsBars(AddPlot(QStringLiteral("二项分布图")), BinomialBars));
}

void ProbabilityWindow::AddHypergeometricPage()
{
    const QString page = QStringLiteral("超几何分布");
    AddPage(page);
    EditBox *population
            = Input(page, QStringLiteral("N"), QStringLiteral("总数 N"), QStringLiteral("总数"));
    EditBox *marked = Input(page, QStringLiteral("M"), QStringLiteral("次品数 M"),
                            QStringLiteral("其中的次品数"));
    EditBox *drawn = Input(page, QStringLiteral("n"), QStringLiteral("取出个数 n"),
                           QStringLiteral("取出的个数"));
    const CountInputs asked = AddCountInputs(page, QStringLiteral("取到的次品数 k"));
    Follow(
            [population, marked, drawn, asked] {
                return ReadHypergeometric(population->text(), marked->text(), drawn->text(),
                                          asked.k->text(), asked.a->text(), asked.b->text());
            },
            HypergeometricResults, HypergeometricWorking,
            DrawsBars(AddPlot(QStringLiteral("超几何分布图")), HypergeometricBars));
}

void ProbabilityWindow::AddPoissonPage()
{
    const QString page = QStringLiteral("泊松分布");
    AddPage(page);
    EditBox *mean = Input(page, QStringLiteral("λ"), QStringLiteral("均值 λ"), QString());
    const CountInputs asked = AddCountInputs(page, QStringLiteral("次数 k"));
    Follow(
            [mean, asked] {
                return ReadPoisson(mean->text(), asked.k->text(), asked.a->text(), asked.b->text());
            },
            PoissonResults, PoissonWorking,
            DrawsBars(AddPlot(QStringLiteral("泊松分布图")), PoissonBars));
}

void ProbabilityWindow::AddNormalPage()
{
    const QString page = QStringLiteral("正态分布");
    AddPage(page);
    EditBox *mean = Input(page, QStringLiteral("μ"), QStringLiteral("均值 μ"), QString());
    EditBox *deviation = Input(page, QStringLiteral("σ"), QStringLiteral("标准差 σ"),
                               QStringLiteral("N(110, 10²) 中的 10"));
    EditBox *a = Input(page, QStringLiteral("a"), QStringLiteral("下限 a"),
                       QStringLiteral("空或 -∞：不限"));
    EditBox *b = Input(page, QStringLiteral("b"), QStringLiteral("上限 b"),
                       QStringLiteral("空或 ∞：不限"));
    EditBox *p = Input(page, QStringLiteral("p"), QStringLiteral("概率 p"),
                       QStringLiteral("求 P(X≤x)=p 的 x"));
    AddRoundingChoice(page);
    AddResult(QStringLiteral("P(a≤X≤b)"));
    AddResult(QStringLiteral("x"), QStringLiteral("x（P(X≤x)=p）："));
    auto *reminder = MakeUnitLabel(QStringLiteral("3σ原则"), ThreeSigmaReminder());
    reminder->setWordWrap(true);
    AddResultWidget(reminder);
    Follow(
            [mean, deviation, a, b, p] {
                return ReadNormal(mean->text(), deviation->text(), a->text(), b->text(), p->text());
            },
            NormalResults, NormalWorking,
            [bell = AddPlot(QStringLiteral("正态分布图"))](const NormalQuestion *question) {
                if (!question) {
                    bell->ShowPlot(EmptyPicture(QString(), PlotSize));
                    return;
                }
                bell->ShowPlot(BellPicture(*question, PlotSize));
                bell->AddPlotCurve(Eval::PreparedFunction([question = *question](double x) {
                                       return NormalDensity(question, x);
                                   }),
                                   Palette::Accent, 2);
            });
}
