#include "tools/functions/linearsystemwindow.h"

#include "tools/functions/linearsystemlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Ui;
using namespace Functions;

namespace {

// Columns of an equation row: a [x] + b [y =] [=] c [①].
enum Column {
    BraceColumn,
    AColumn,
    XColumn,
    PlusColumn,
    BColumn,
    EqualsColumn,
    CColumn,
    NumberColumn
};

// Lines the box shows without scrolling: the six steps and one wrapped long line.
constexpr int StepLines = 7;
// Characters of the longest usual step line, "①×-12.5－②×-0.3333333333333".
constexpr int StepColumns = 34;

EditBox *CoefficientBox(const QString &name)
{
    auto *box = new EditBox(name);
    WidenBoxTo(box, QString(8, u'0'));
    return box;
}

MultiLineEditBox *StepsBox()
{
    auto *box = new MultiLineEditBox(QStringLiteral("编辑框7"), InputMode::ReadOnly);
    QFont larger = box->font();
    larger.setPointSizeF(larger.pointSizeF() + 1);
    box->setFont(larger);
    const QFontMetrics metrics(larger);
    const int frame = 2 * (box->frameWidth() + box->document()->documentMargin()) + 8;
    box->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('0')) * StepColumns + frame);
    box->setFixedHeight(metrics.lineSpacing() * StepLines + frame);
    return box;
}

} // namespace

LinearSystemWindow::LinearSystemWindow()
    : ToolWindow(QStringLiteral("二元一次方程组"), QStringLiteral("时钟1"), ClosePollPeriodMs)
{
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addLayout(BuildEquations());

    QPushButton *compute = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &LinearSystemWindow::Solve);
    layout->addWidget(compute, 0, Qt::AlignLeft);
    m_steps = StepsBox();
    layout->addWidget(m_steps);

    const QList<QWidget *> readingOrder{
            m_coefficients[0], m_coefficients[1], m_coefficients[2], m_coefficients[3],
            m_coefficients[4], m_coefficients[5], compute,           m_steps};
    SetTabOrder(readingOrder);
    ClearWhenChanged(readingOrder.mid(0, 6), this, [this] { m_steps->clear(); });
    m_coefficients[0]->setFocus();
    FixSizeToContents();
}

QGridLayout *LinearSystemWindow::BuildEquations()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    grid->addWidget(new BraceLabel(QStringLiteral("透明标签1"), QStringLiteral("{")), 0,
                    BraceColumn, 2, 1);
    AddEquationRow(grid, 0,
                   {"编辑框1", "透明标签2", "透明标签4", "编辑框3", "透明标签6", "透明标签8",
                    "编辑框6", "透明标签10"});
    AddEquationRow(grid, 1,
                   {"编辑框2", "透明标签3", "透明标签5", "编辑框4", "透明标签7", "透明标签9",
                    "编辑框5", "透明标签11"});
    return grid;
}

// `names`: the a box, "x", "+", the b box, "y =", "=", the c box and the equation number.
void LinearSystemWindow::AddEquationRow(QGridLayout *grid, int row, const QStringList &names)
{
    EditBox *a = CoefficientBox(names[0]);
    EditBox *b = CoefficientBox(names[3]);
    EditBox *c = CoefficientBox(names[6]);
    a->setAccessibleName(QStringLiteral("第%1个方程x的系数 a%1").arg(row + 1));
    b->setAccessibleName(QStringLiteral("第%1个方程y的系数 b%1").arg(row + 1));
    c->setAccessibleName(QStringLiteral("第%1个方程的常数 c%1").arg(row + 1));
    m_coefficients[3 * row] = a;
    m_coefficients[3 * row + 1] = b;
    m_coefficients[3 * row + 2] = c;
    grid->addWidget(a, row, AColumn);
    grid->addWidget(MakeLabel(names[1], QStringLiteral("x")), row, XColumn);
    grid->addWidget(MakeLabel(names[2], QStringLiteral("+")), row, PlusColumn);
    grid->addWidget(b, row, BColumn);
    // "=" is drawn exactly over the "=" that ends "y =", so the row reads one equals sign.
    grid->addWidget(MakeLabel(names[4], QStringLiteral("y =")), row, EqualsColumn,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(MakeLabel(names[5], QStringLiteral("=")), row, EqualsColumn,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(c, row, CColumn);
    grid->addWidget(MakeLabel(names[7], row == 0 ? QStringLiteral("①") : QStringLiteral("②")), row,
                    NumberColumn);
}

void LinearSystemWindow::Solve()
{
    std::array<QString, 6> texts;
    for (int i = 0; i < 6; ++i)
        texts[i] = m_coefficients[i]->text();
    ShowOutcome(m_steps, EliminationStepsText(texts));
}
