#include "tools/statistics/probabilitywindow.h"

#include "tools/statistics/binomial.h"
#include "tools/statistics/counting.h"
#include "tools/statistics/distributiontable.h"
#include "tools/statistics/hypergeometric.h"
#include "tools/statistics/normal.h"
#include "tools/statistics/poisson.h"
#include "ui/controls.h"
#include "ui/editbox.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

using namespace Eval;
using namespace Statistics;

namespace {

const QString CountSample = QStringLiteral("1000000000");
const QString OpenEnd = QStringLiteral("空：不限");

// A question read from the page's boxes, shown with its results, or its refusal.
template<typename Question>
Outcome<Ui::NamedValues> Answer(const Outcome<Question> &question,
                                Ui::NamedValues (*results)(const Question &, Rounding),
                                Rounding rounding)
{
    if (!question)
        return Refuse(question.refusal());
    return results(*question, rounding);
}

template<typename Question>
Ui::Working WorkingOf(const Outcome<Question> &question,
                      Ui::Working (*working)(const Question &, Rounding), Rounding rounding)
{
    return question ? working(*question, rounding) : Ui::Working();
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

EditBox *ProbabilityWindow::Input(const QString &page, const QString &label, const QString &sample,
                                  const QString &hint)
{
    auto *box = new EditBox(page + u'·' + label);
    box->setPlaceholderText(hint);
    WidenBoxTo(box, sample);
    return AddInput(label + u'：', box);
}

void ProbabilityWindow::AddRoundingChoice()
{
    auto *box = MakeCheckBox(QStringLiteral("保留4位小数%1").arg(m_fourPlaces.size() + 1),
                             QStringLiteral("保留4位小数"));
    AddInputWidget(box);
    connect(box, &QCheckBox::toggled, this, [this](bool checked) {
        for (QCheckBox *other : std::as_const(m_fourPlaces))
            other->setChecked(checked);
    });
    m_fourPlaces << box;
}

Rounding ProbabilityWindow::rounding() const
{
    return m_fourPlaces.front()->isChecked() ? Rounding::FourPlaces : Rounding::TenDigits;
}

void ProbabilityWindow::AddCountingPage()
{
    const QString page = QStringLiteral("排列组合");
    AddPage(page);
    EditBox *n = Input(page, QStringLiteral("n"), CountSample);
    EditBox *m = Input(page, QStringLiteral("m"), CountSample);
    EditBox *rows = Input(page, QStringLiteral("杨辉三角行数"), CountSample,
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
        ShowTriangle(m_triangle, triangle ? *triangle : QList<QStringList>());
    });
    AddWorking([n, m] { return CountingWorking(n->text(), m->text()); });
}

void ProbabilityWindow::AddTablePage()
{
    const QString page = QStringLiteral("分布列");
    AddPage(page);
    const QString sample = QStringLiteral("1/6, 1/6, 1/6, 1/6, 1/6, 1/6");
    EditBox *values = Input(page, QStringLiteral("xᵢ"), sample, QStringLiteral("如 0 1 2"));
    EditBox *probabilities
            = Input(page, QStringLiteral("pᵢ"), sample, QStringLiteral("如 1/4 1/2 1/4"));
    AddRoundingChoice();
    AddResult(QStringLiteral("E(X)"));
    AddResult(QStringLiteral("D(X)"));
    const auto table = [values, probabilities] {
        return ReadDistributionTable(values->text(), probabilities->text());
    };
    ComputeOnEveryChange([this, table] { ShowResults(Answer(table(), TableMoments, rounding())); });
    AddWorking([this, table] { return WorkingOf(table(), TableWorking, rounding()); });
}

void ProbabilityWindow::AddBinomialPage()
{
    const QString page = QStringLiteral("二项分布");
    AddPage(page);
    EditBox *n = Input(page, QStringLiteral("n"), CountSample);
    EditBox *p = Input(page, QStringLiteral("p"), CountSample, QStringLiteral("如 1/2 或 0.3"));
    EditBox *k = Input(page, QStringLiteral("k"), CountSample);
    EditBox *a = Input(page, QStringLiteral("a"), CountSample, OpenEnd);
    EditBox *b = Input(page, QStringLiteral("b"), CountSample, OpenEnd);
    AddRoundingChoice();
    for (const char *name : {"P(X=k)", "P(X≤k)", "P(a≤X≤b)", "E(X)", "D(X)"})
        AddResult(QString::fromUtf8(name));
    const auto question = [n, p, k, a, b] {
        return ReadBinomial(n->text(), p->text(), k->text(), a->text(), b->text());
    };
    ComputeOnEveryChange(
            [this, question] { ShowResults(Answer(question(), BinomialResults, rounding())); });
    AddWorking([this, question] { return WorkingOf(question(), BinomialWorking, rounding()); });
}

void ProbabilityWindow::AddHypergeometricPage()
{
    const QString page = QStringLiteral("超几何分布");
    AddPage(page);
    EditBox *population = Input(page, QStringLiteral("N"), CountSample, QStringLiteral("总数"));
    EditBox *marked = Input(page, QStringLiteral("M"), CountSample, QStringLiteral("其中的次品数"));
    EditBox *drawn = Input(page, QStringLiteral("n"), CountSample, QStringLiteral("取出的个数"));
    EditBox *k = Input(page, QStringLiteral("k"), CountSample);
    EditBox *a = Input(page, QStringLiteral("a"), CountSample, OpenEnd);
    EditBox *b = Input(page, QStringLiteral("b"), CountSample, OpenEnd);
    AddRoundingChoice();
    for (const char *name : {"P(X=k)", "P(X≤k)", "P(a≤X≤b)", "E(X)", "D(X)"})
        AddResult(QString::fromUtf8(name));
    const auto question = [population, marked, drawn, k, a, b] {
        return ReadHypergeometric(population->text(), marked->text(), drawn->text(), k->text(),
                                  a->text(), b->text());
    };
    ComputeOnEveryChange([this, question] {
        ShowResults(Answer(question(), HypergeometricResults, rounding()));
    });
    AddWorking(
            [this, question] { return WorkingOf(question(), HypergeometricWorking, rounding()); });
}

void ProbabilityWindow::AddPoissonPage()
{
    const QString page = QStringLiteral("泊松分布");
    AddPage(page);
    EditBox *mean = Input(page, QStringLiteral("λ"), CountSample);
    EditBox *k = Input(page, QStringLiteral("k"), CountSample);
    EditBox *a = Input(page, QStringLiteral("a"), CountSample, OpenEnd);
    EditBox *b = Input(page, QStringLiteral("b"), CountSample, OpenEnd);
    AddRoundingChoice();
    for (const char *name : {"P(X=k)", "P(X≤k)", "P(a≤X≤b)", "E(X)", "D(X)"})
        AddResult(QString::fromUtf8(name));
    const auto question = [mean, k, a, b] {
        return ReadPoisson(mean->text(), k->text(), a->text(), b->text());
    };
    ComputeOnEveryChange(
            [this, question] { ShowResults(Answer(question(), PoissonResults, rounding())); });
    AddWorking([this, question] { return WorkingOf(question(), PoissonWorking, rounding()); });
}

void ProbabilityWindow::AddNormalPage()
{
    const QString page = QStringLiteral("正态分布");
    AddPage(page);
    EditBox *mean = Input(page, QStringLiteral("μ"), CountSample);
    EditBox *deviation
            = Input(page, QStringLiteral("σ"), CountSample, QStringLiteral("N(110, 10²) 中的 10"));
    EditBox *a = Input(page, QStringLiteral("a"), CountSample, QStringLiteral("空或 -∞：不限"));
    EditBox *b = Input(page, QStringLiteral("b"), CountSample, QStringLiteral("空或 ∞：不限"));
    EditBox *p = Input(page, QStringLiteral("p"), CountSample, QStringLiteral("求 P(X≤x)=p 的 x"));
    AddRoundingChoice();
    AddResult(QStringLiteral("P(a≤X≤b)"));
    AddResult(QStringLiteral("x"), QStringLiteral("x（P(X≤x)=p）："));
    auto *reminder = MakeUnitLabel(QStringLiteral("3σ原则"), ThreeSigmaReminder());
    reminder->setWordWrap(true);
    AddResultWidget(reminder);
    const auto question = [mean, deviation, a, b, p] {
        return ReadNormal(mean->text(), deviation->text(), a->text(), b->text(), p->text());
    };
    ComputeOnEveryChange(
            [this, question] { ShowResults(Answer(question(), NormalResults, rounding())); });
    AddWorking([this, question] { return WorkingOf(question(), NormalWorking, rounding()); });
}
