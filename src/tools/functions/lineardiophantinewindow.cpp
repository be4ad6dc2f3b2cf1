#include "tools/functions/lineardiophantinewindow.h"

#include "tools/functions/lineardiophantinelogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulaparts.h"
#include "ui/longtextbox.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

using namespace Ui;
using namespace Eval;
using namespace Functions;

namespace {

// Lines of the steps box: the steps of a typical textbook equation without scrolling.
constexpr int StepLines = 20;
// Characters across the steps box and the result boxes.
constexpr int StepColumns = 40;
constexpr int ResultColumns = 32;
// The general solution: two lines and the range of t, and room for a long x0 to wrap.
constexpr int GeneralLines = 4;

EditBox *MakeIntegerBox(const QString &name)
{
    auto *box = new EditBox(name, InputMode::IntegerText);
    FitBoxTo(box, QStringLiteral("-9223372036854775808")); // any 64-bit integer in full
    return box;
}

MultiLineEditBox *MakeResultArea(const QString &name, int columns)
{
    auto *box = new MultiLineEditBox(name, InputMode::ReadOnly);
    UseResultFont(box);
    box->ensurePolished(); // the font comes from the style sheet
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QFontMetrics metrics = box->fontMetrics();
    box->setFixedWidth(metrics.horizontalAdvance(QString(columns, u'0')) + 2 * box->frameWidth()
                       + int(2 * box->document()->documentMargin())
                       + box->verticalScrollBar()->sizeHint().width());
    return box;
}

// A result area `lines` high, alone in a group of that caption.
QGroupBox *MakeAreaGroup(const QString &caption, MultiLineEditBox *area, int lines)
{
    QGroupBox *group = MakeUnnamedGroupBox(caption);
    FixHeightInLines(area, lines);
    auto *column = new QVBoxLayout(group);
    column->addWidget(area);
    return group;
}

// Leaves an unchanged text alone, so that a selection survives a recomputation.
void ShowText(MultiLineEditBox *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

LinearDiophantineWindow::LinearDiophantineWindow()
    : ToolWindow(QStringLiteral("一次不定方程"))
    , m_steps(MakeResultArea(QStringLiteral("求解过程"), StepColumns))
    , m_general(MakeResultArea(QStringLiteral("通解"), ResultColumns))
{
    auto *results = new QVBoxLayout;
    results->setSpacing(Spacing::Groups);
    results->addWidget(MakeAreaGroup(QStringLiteral("通解"), m_general, GeneralLines));
    results->addWidget(BuildNonNegativeGroup(), 1);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(Spacing::Groups);
    columns->addWidget(MakeAreaGroup(QStringLiteral("计算过程"), m_steps, StepLines));
    columns->addLayout(results);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(BuildInputGroup());
    layout->addLayout(columns);

    for (EditBox *box : {m_a, m_b, m_c})
        connect(box, &EditBox::ContentChanged, this, &LinearDiophantineWindow::Solve);
    SetTabOrder({m_a, m_b, m_c, m_steps, m_general, m_list});
    m_a->setFocus();
    FixSizeToContents();
}

QGroupBox *LinearDiophantineWindow::BuildInputGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("输入"));
    m_a = MakeIntegerBox(QStringLiteral("x系数输入框"));
    m_a->setAccessibleName(QStringLiteral("x的系数 a"));
    m_b = MakeIntegerBox(QStringLiteral("y系数输入框"));
    m_b->setAccessibleName(QStringLiteral("y的系数 b"));
    m_c = MakeIntegerBox(QStringLiteral("常数项输入框"));
    m_c->setAccessibleName(QStringLiteral("常数项 c"));
    QBoxLayout *equation = MakeFormulaRow();
    equation->addWidget(m_a);
    equation->addWidget(MakeGlyph(QStringLiteral("x加号标签"), QStringLiteral("x ＋")));
    equation->addWidget(m_b);
    equation->addWidget(MakeGlyph(QStringLiteral("y等号标签"), QStringLiteral("y ＝")));
    equation->addWidget(m_c);
    equation->addStretch();
    group->setLayout(equation);
    return group;
}

QGroupBox *LinearDiophantineWindow::BuildNonNegativeGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("非负整数解"));
    m_count = MakeResultLabel(QStringLiteral("非负解个数"));
    m_count->setWordWrap(true);
    m_list = MakeResultArea(QStringLiteral("非负解列表"), ResultColumns);
    m_count->setFixedWidth(m_list->width());
    auto *column = new QVBoxLayout(group);
    column->setSpacing(Spacing::Related);
    column->addWidget(m_count);
    column->addWidget(m_list, 1);
    return group;
}

void LinearDiophantineWindow::Solve()
{
    const Outcome<DiophantineTexts> solution
            = SolveLinearDiophantine(m_a->text(), m_b->text(), m_c->text());
    // A refusal stands in place of the steps, and nothing else is shown.
    const DiophantineTexts texts = solution.value_or({});
    ShowOutcome(m_steps, solution ? Outcome<QString>(texts.steps) : Refuse(solution.refusal()));
    ShowText(m_general, texts.general);
    m_count->setText(texts.nonNegativeCount);
    ShowText(m_list, texts.nonNegativeList);
}
