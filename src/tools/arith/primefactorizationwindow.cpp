#include "tools/arith/primefactorizationwindow.h"

#include "tools/arith/divisors.h"
#include "tools/arith/numberworking.h"
#include "tools/arith/primefactorization.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"
#include "ui/workingpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Ui;
using namespace Arith;

PrimeFactorizationWindow::PrimeFactorizationWindow()
    : ToolWindow(QStringLiteral("分解质因数"))
    , m_input(new EditBox(QStringLiteral("输入"), InputMode::LongInteger))
    , m_output(MakeResultBox(QStringLiteral("输出"), false))
{
    m_input->SetMaximumLength(8);
    FitBoxTo(m_input, QStringLiteral("-99999999"));
    // The longest list that eight typed characters ask for, 2^26 as 26 factors of 2, with a
    // character's room to spare.
    m_output->ensurePolished();
    WidenBoxTo(m_output, QStringList(26, QStringLiteral("2")).join(u'*') + u' ');

    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setSpacing(Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("原数字：")), 0, 0);
    grid->addWidget(m_input, 0, 1, Qt::AlignLeft);
    grid->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("分解结果：")), 1, 0);
    grid->addWidget(m_output, 1, 1);
    m_working = new WorkingPanel([this] { return PrimeFactorizationWorking(m_input->text()); });
    grid->addWidget(m_working->toggle(), 2, 1, Qt::AlignRight);
    grid->addWidget(m_working, 3, 0, 1, 2);
    connect(m_input, &EditBox::ContentChanged, m_working, &WorkingPanel::Refresh);

    connect(m_input, &EditBox::ContentChanged, this, &PrimeFactorizationWindow::Factorize);
    m_input->setFocus();
    FixSizeToContents();
}

void PrimeFactorizationWindow::Factorize()
{
    // The message stands in the output, not in a message box: a box would take the focus
    // from the input, whose re-read on leaving would turn the pasted "3e9" into "3".
    ShowOutcome(m_output, FactorizePrimes(m_input->text()));
    m_output->setCursorPosition(0);
}
