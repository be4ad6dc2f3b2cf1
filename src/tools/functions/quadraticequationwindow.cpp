#include "tools/functions/quadraticequationwindow.h"

#include "tools/functions/quadraticequationlogic.h"
#include "tools/functions/quadraticterms.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/formulaparts.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTextDocument>

using namespace Ui;
using namespace Eval;
using namespace Functions;

QuadraticEquationWindow::QuadraticEquationWindow()
    : ToolWindow(QStringLiteral("一元二次方程"))
{
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(BuildInputGroup());
    layout->addWidget(BuildWorkingGroup());
    layout->addWidget(BuildResultGroup());

    for (EditBox *coefficient : {m_a, m_b, m_c})
        connect(coefficient, &EditBox::ContentChanged, this,
                &QuadraticEquationWindow::CoefficientChanged);
    connect(m_d, &EditBox::ContentChanged, this, &QuadraticEquationWindow::RightSideChanged);

    m_a->setFocus();
    FixSizeToContents();
}

QGroupBox *QuadraticEquationWindow::BuildInputGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("输入"));
    const QuadraticInputBoxes boxes = MakeQuadraticInputBoxes();
    m_a = boxes.a;
    m_b = boxes.b;
    m_c = boxes.c;
    m_d = MakeRightSideBox();

    QBoxLayout *signs = MakeQuadraticTermsRow(m_b, m_c);
    signs->addWidget(MakeTextPiece(QStringLiteral("=")));
    signs->addWidget(m_d);
    QBoxLayout *equation = MakeFormulaRow();
    equation->addWidget(m_a);
    equation->addWidget(
            new PiecedLabel(QStringLiteral("标签12"), QStringLiteral("x＋   x＋   ="), signs));
    equation->addStretch();
    group->setLayout(equation);
    return group;
}

QGroupBox *QuadraticEquationWindow::BuildWorkingGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("计算过程"));
    m_numeratorOutside = MakeFormulaBox(QStringLiteral("分子根号外"));
    m_rootB = MakeFormulaBox(QStringLiteral("根号内b"));
    m_rootA = MakeFormulaBox(QStringLiteral("根号内a"));
    m_rootC = MakeFormulaBox(QStringLiteral("根号内c"));
    m_denominator = MakeFormulaBox(QStringLiteral("分母"));

    QBoxLayout *times = MakeFormulaRow();
    times->addWidget(MakeTextPiece(QStringLiteral("-4×")));
    times->addWidget(m_rootA);
    times->addWidget(MakeTextPiece(QStringLiteral("×")));
    times->addWidget(m_rootC);
    QBoxLayout *radicand = MakeFormulaRow();
    radicand->addWidget(m_rootB);
    radicand->addWidget(MakeSuperscript(QStringLiteral("标签17"), QStringLiteral("2")));
    radicand->addWidget(
            new PiecedLabel(QStringLiteral("标签18"), QStringLiteral("-4×    ×"), times));

    QBoxLayout *numerator = MakeFormulaRow();
    numerator->addWidget(m_numeratorOutside);
    numerator->addWidget(MakeGlyph(QStringLiteral("标签19"), QStringLiteral("±")));
    numerator->addLayout(MakeRoot(MakeRootSign(QStringLiteral("标签16"), QStringLiteral("√")),
                                  MakeFormulaBar(QStringLiteral("标签15")), radicand));

    group->setLayout(MakeCentredRow(
            MakeFraction(numerator, MakeFormulaBar(QStringLiteral("标签14")), m_denominator)));
    return group;
}

QGroupBox *QuadraticEquationWindow::BuildResultGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("计算结果"));
    m_outside = MakeResultLabel(QStringLiteral("标签根号外"));
    m_discriminant = MakeResultLabel(QStringLiteral("标签根号内"));
    m_fractionDenominator = MakeResultLabel(QStringLiteral("标签分母"));
    m_roots = new MultiLineEditBox(QStringLiteral("计算结果"), InputMode::ReadOnly);
    UseResultFont(m_roots);
    // The longest answer, the working of a linear equation, takes four lines.
    m_roots->ensurePolished(); // the result font comes from the style sheet
    const int frame = 2 * (m_roots->frameWidth() + int(m_roots->document()->documentMargin())) + 8;
    m_roots->setFixedHeight(m_roots->fontMetrics().lineSpacing() * 4 + frame);

    QBoxLayout *rootRow = MakeFormulaRow();
    rootRow->addWidget(m_discriminant);
    QBoxLayout *numerator = MakeFormulaRow();
    numerator->addWidget(m_outside, 0, Qt::AlignBottom);
    numerator->addLayout(MakeRoot(MakeRootSign(QStringLiteral("标签23"), QStringLiteral("±√")),
                                  MakeFormulaBar(QStringLiteral("标签22")), rootRow));

    // "x=" and the fraction bar are one static text of the window.
    QLabel *x = MakeTextPiece(QStringLiteral("x="));
    SetRole(x, Role::Result);
    QBoxLayout *fraction = MakeFormulaRow();
    fraction->setSpacing(Spacing::Related);
    fraction->addWidget(x);
    fraction->addLayout(MakeFraction(numerator, MakeFormulaBar(QString()), m_fractionDenominator));

    auto *column = new QVBoxLayout;
    column->setSpacing(Spacing::Related);
    column->addLayout(MakeCentredRow(new PiecedLabel(
            QStringLiteral("标签20"), QStringLiteral("x=------------------------"), fraction)));
    column->addWidget(m_roots);
    group->setLayout(column);
    return group;
}

void QuadraticEquationWindow::CoefficientChanged()
{
    m_roots->setText(QString());
    Solve();
}

// A "0" in front of the typed number is taken away, so that typing over the initial "0"
// reads as the number typed. Like the edit control of old, the new text puts the caret at the
// start, and the queued Right arrow moves it back past the character just typed.
void QuadraticEquationWindow::RightSideChanged()
{
    m_roots->setText(QString());
    const QString text = m_d->text();
    if (text.startsWith(QLatin1Char('0'))) {
        m_d->setText(text.mid(1));
        m_d->setCursorPosition(0);
        SendKeystroke(VirtualKey::Right);
    }
    Solve();
}

void QuadraticEquationWindow::Solve()
{
    const Outcome<QuadraticSolution> solution
            = SolveQuadraticEquation({m_a->text(), m_b->text(), m_c->text(), m_d->text()});
    // A refused input leaves nothing of an earlier solution standing beside it.
    const QuadraticSolution shown = solution.value_or(QuadraticSolution());
    m_numeratorOutside->setText(shown.formula.numeratorOutside);
    m_rootB->setText(shown.formula.rootB);
    m_rootA->setText(shown.formula.rootA);
    m_rootC->setText(shown.formula.rootC);
    m_denominator->setText(shown.formula.denominator);
    m_outside->setText(shown.outside);
    m_discriminant->setText(shown.discriminant);
    m_fractionDenominator->setText(shown.denominator);
    ShowOutcome(m_roots, solution ? Outcome<QString>(shown.roots) : Refuse(solution.refusal()));
}
