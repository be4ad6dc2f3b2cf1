#include "tools/applied/profitwindow.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

using namespace Eval;
using namespace Applied;

ProfitWindow::ProfitWindow()
    : ToolWindow(QStringLiteral("利润计算"))
    , m_principal(new EditBox(QStringLiteral("本金")))
    , m_rate(new EditBox(QStringLiteral("利率")))
    , m_time(new EditBox(QStringLiteral("时间")))
    , m_deposit(MakeRadioBox(QStringLiteral("单选框1"), QStringLiteral("存款")))
    , m_loan(MakeRadioBox(QStringLiteral("单选框2"), QStringLiteral("贷款")))
    , m_compound(MakeCheckBox(QStringLiteral("选择框1"), QStringLiteral("复利")))
    , m_continuous(MakeCheckBox(QStringLiteral("选择框2"), QStringLiteral("连续复利")))
    , m_result(MakeResultBox(QStringLiteral("结果")))
    , m_amount(MakeResultBox(QStringLiteral("本息和")))
    , m_baseLabel(MakeLabel(QStringLiteral("标签8"), QStringLiteral("e=")))
    , m_base(new EditBox(QStringLiteral("自然数的底数")))
{
    m_deposit->setChecked(true);
    m_base->setText(QStringLiteral("2.7182818"));
    BuildLayout();

    for (EditBox *box : {m_principal, m_rate, m_time, m_base})
        connect(box, &EditBox::ContentChanged, this, &ProfitWindow::InputChanged);
    connect(m_loan, &QRadioButton::toggled, this, &ProfitWindow::InputChanged);
    connect(m_compound, &QCheckBox::clicked, this, &ProfitWindow::CompoundingClicked);
    connect(m_continuous, &QCheckBox::clicked, this, &ProfitWindow::CompoundingClicked);

    m_principal->setFocus();
    FixSizeToContents();
}

void ProfitWindow::BuildLayout()
{
    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);

    grid->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("本金：")), 0, 0);
    grid->addWidget(m_principal, 0, 1);
    grid->addWidget(MakeUnitLabel(QStringLiteral("标签7"), QStringLiteral("元")), 0, 2);
    grid->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("利率：")), 1, 0);
    grid->addWidget(m_rate, 1, 1);
    grid->addWidget(MakeUnitLabel(QStringLiteral("标签6"), QStringLiteral("%")), 1, 2);
    grid->addWidget(MakeLabel(QStringLiteral("标签4"), QStringLiteral("时间：")), 2, 0);
    grid->addWidget(m_time, 2, 1);
    grid->addWidget(MakeUnitLabel(QStringLiteral("标签5"), QStringLiteral("单位时间")), 2, 2);

    // Continuous compounding is a kind of compounding, and the base belongs to it: each sits
    // beside the option it depends on.
    QHBoxLayout *base = MakeRow();
    base->addWidget(m_continuous);
    base->addWidget(m_baseLabel);
    base->addWidget(m_base);
    FitBoxTo(m_base, QStringLiteral("0.00000000"));
    for (QWidget *widget : {static_cast<QWidget *>(m_continuous),
                            static_cast<QWidget *>(m_baseLabel), static_cast<QWidget *>(m_base)}) {
        KeepPlaceWhenHidden(widget);
        widget->hide();
    }
    auto *options = new QHBoxLayout;
    options->setSpacing(Spacing::Groups);
    options->addWidget(m_deposit);
    options->addWidget(m_loan);
    options->addWidget(m_compound);
    options->addLayout(base);
    grid->addLayout(options, 3, 0, 1, 3);

    grid->setRowMinimumHeight(4, Spacing::Groups - Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("利润：")), 5, 0);
    grid->addWidget(m_result, 5, 1);
    grid->addWidget(MakeUnitLabel(QStringLiteral("标签9"), QStringLiteral("元")), 5, 2);
    grid->addWidget(MakeLabel(QStringLiteral("标签10"), QStringLiteral("本息和：")), 6, 0);
    grid->addWidget(m_amount, 6, 1);
    grid->addWidget(MakeUnitLabel(QStringLiteral("标签11"), QStringLiteral("元")), 6, 2);
}

void ProfitWindow::CompoundingClicked()
{
    const bool compound = m_compound->isChecked();
    m_continuous->setVisible(compound);
    const bool continuous = ChosenInterest() == Interest::Continuous;
    m_baseLabel->setVisible(continuous);
    m_base->setVisible(continuous);
    Compute(ProfitTrigger::CompoundingClicked);
}

Interest ProfitWindow::ChosenInterest() const
{
    if (!m_compound->isChecked())
        return Interest::Simple;
    return m_continuous->isChecked() ? Interest::Continuous : Interest::Compound;
}

void ProfitWindow::InputChanged()
{
    Compute(ProfitTrigger::InputsEdited);
}

void ProfitWindow::Compute(ProfitTrigger trigger)
{
    const ProfitTexts texts{m_principal->text(), m_rate->text(),      m_time->text(),
                            m_base->text(),      m_loan->isChecked(), ChosenInterest()};
    const Outcome<ProfitTextsShown> shown = ProfitFor(texts, trigger);
    ShowOutcome(m_result, shown ? Outcome<QString>(shown->interest) : Refuse(shown.refusal()));
    ShowOutcome(m_amount, shown ? Outcome<QString>(shown->amount) : Refuse(shown.refusal()));
}
