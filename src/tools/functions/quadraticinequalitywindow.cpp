#include "tools/functions/quadraticinequalitywindow.h"

#include "tools/functions/quadraticinequalitylogic.h"
#include "tools/functions/quadraticterms.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/formulaparts.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Ui;
using namespace Eval;
using namespace Functions;

QuadraticInequalityWindow::QuadraticInequalityWindow()
    : ToolWindow(QStringLiteral("一元二次不等式"))
{
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(BuildInputGroup());
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addLayout(BuildAnswerRow());
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("计算步骤：")));
    m_steps = new MultiLineEditBox(QStringLiteral("编辑框1"), InputMode::ReadOnly);
    UseResultFont(m_steps);
    // Four steps at most, the longest with two 13-digit roots on one line, and room for the
    // line the caret stands on after the last.
    const QFontMetrics metrics = m_steps->fontMetrics();
    m_steps->setFixedHeight(metrics.lineSpacing() * 5 + 24);
    m_steps->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(
                                     "x轴上方有：(-∞,-0.0000000000000)∪(0.0000000000000,+∞)"))
                             + 48);
    layout->addWidget(m_steps);

    m_a->setFocus();
    FixSizeToContents();
}

QGroupBox *QuadraticInequalityWindow::BuildInputGroup()
{
    QGroupBox *group = MakeUnnamedGroupBox(QStringLiteral("输入"));
    const QuadraticInputBoxes boxes = MakeQuadraticInputBoxes();
    m_a = boxes.a;
    m_b = boxes.b;
    m_c = boxes.c;
    // Created in reading order, which is the Tab order.
    m_relation = MakeComboBox(QStringLiteral("组合框1"));
    m_relation->setAccessibleName(QStringLiteral("不等号"));
    m_relation->addItems({QStringLiteral("＞"), QStringLiteral("＜")});
    m_relation->setCurrentIndex(0);
    m_d = MakeRightSideBox();

    QBoxLayout *signs = MakeQuadraticTermsRow(m_b, m_c);
    QBoxLayout *inequality = MakeFormulaRow();
    inequality->addWidget(m_a);
    inequality->addWidget(
            new PiecedLabel(QStringLiteral("标签12"), QStringLiteral("x＋   x＋"), signs));
    inequality->addSpacing(Spacing::Related / 2);
    inequality->addWidget(m_relation);
    inequality->addSpacing(Spacing::Related / 2);
    inequality->addWidget(m_d);
    inequality->addStretch();
    group->setLayout(inequality);
    return group;
}

QLayout *QuadraticInequalityWindow::BuildAnswerRow()
{
    m_answer = new EditBox(QStringLiteral("编辑框2"), InputMode::ReadOnly);
    UseResultFont(m_answer);
    QPushButton *compute = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &QuadraticInequalityWindow::Compute);
    ClearWhenChanged({m_a, m_b, m_c, m_relation, m_d}, this, [this] {
        m_answer->clear();
        m_steps->clear();
    });

    QHBoxLayout *row = MakeRow();
    row->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("答案：")));
    row->addWidget(m_answer, 1);
    row->addWidget(compute);
    return row;
}

void QuadraticInequalityWindow::Compute()
{
    m_answer->setText(QString());
    m_steps->setText(QString());
    const Outcome<InequalitySolution> solution
            = SolveQuadraticInequality({m_a->text(), m_b->text(), m_c->text(), m_d->text()},
                                       InequalityRelation(m_relation->currentIndex()));
    if (!solution) {
        ShowMessage(solution.refusal(), QStringLiteral("错误！"), this);
        return;
    }
    m_steps->setText(solution->steps);
    m_answer->setText(solution->answer);
}
