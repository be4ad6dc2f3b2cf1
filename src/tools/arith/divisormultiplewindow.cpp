#include "tools/arith/divisormultiplewindow.h"

#include "tools/arith/numberworking.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/workingpanel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

QGridLayout *MakePageGrid(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    UseWindowMargins(grid);
    grid->setSpacing(Spacing::Related);
    return grid;
}

// Enter in a box that holds text runs `accept`.
template<typename Window>
void AcceptOnEnter(EditBox *box, Window *window, void (Window::*accept)())
{
    OnEnter(box, [box, window, accept] {
        if (!box->text().isEmpty())
            (window->*accept)();
    });
}

} // namespace

DivisorMultipleWindow::DivisorMultipleWindow()
    : ToolWindow(QStringLiteral("公因倍数最值"))
    , m_count(new EditBox(QStringLiteral("数量"), InputMode::IntegerText))
    , m_acceptCount(MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("确定")))
    , m_next(MakeButton(QStringLiteral("按钮2"), QStringLiteral("下一个")))
    , m_restart(MakeButton(QStringLiteral("按钮3"), QStringLiteral("重置")))
    , m_pages(MakeTabBox(QStringLiteral("选择夹1")))
    , m_numberCaption(MakeLabel(QStringLiteral("标签2"), QString()))
    , m_number(new EditBox(QStringLiteral("数字")))
    , m_divisor(MakeResultBox(QStringLiteral("公因数")))
    , m_multiple(MakeResultBox(QStringLiteral("公倍数")))
{
    m_count->SetMaximumLength(2);
    FitBoxTo(m_count, QStringLiteral("99"));
    // The reset button keeps its place while hidden, so the window does not jump.
    KeepPlaceWhenHidden(m_restart);
    m_pages->addTab(BuildInputPage(), QStringLiteral("输入"));
    m_pages->addTab(BuildOutputPage(), QStringLiteral("输出"));

    QHBoxLayout *countRow = MakeRow();
    countRow->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("数字数量：")));
    countRow->addWidget(m_count);
    countRow->addWidget(m_acceptCount);
    countRow->addStretch();
    countRow->addWidget(m_restart);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addLayout(countRow);
    layout->addWidget(m_pages);
    // The working follows the results: none before they are shown.
    m_working = new WorkingPanel([this] {
        return m_run.finished() ? DivisorMultipleWorking(m_run.numbers()) : Working();
    });
    layout->addWidget(m_working->toggle(), 0, Qt::AlignRight);
    layout->addWidget(m_working);

    connect(m_acceptCount, &QPushButton::clicked, this, &DivisorMultipleWindow::AcceptCount);
    connect(m_next, &QPushButton::clicked, this, &DivisorMultipleWindow::AcceptNumber);
    connect(m_restart, &QPushButton::clicked, this, &DivisorMultipleWindow::Restart);
    AcceptOnEnter(m_count, this, &DivisorMultipleWindow::AcceptCount);
    AcceptOnEnter(m_number, this, &DivisorMultipleWindow::AcceptNumber);

    Restart();
    FixSizeToContents();
}

QWidget *DivisorMultipleWindow::BuildInputPage()
{
    auto *page = new QWidget;
    QGridLayout *grid = MakePageGrid(page);
    grid->addWidget(m_numberCaption, 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(m_next, 1, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget *DivisorMultipleWindow::BuildOutputPage()
{
    auto *page = new QWidget;
    QGridLayout *grid = MakePageGrid(page);
    for (EditBox *box : {m_divisor, m_multiple}) {
        box->ensurePolished();
        WidenBoxTo(box, QStringLiteral("6.972037522971e+040")); // a multiple in exponent form
    }
    grid->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("公因数为：")), 0, 0);
    grid->addWidget(m_divisor, 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签4"), QStringLiteral("公倍数为：")), 1, 0);
    grid->addWidget(m_multiple, 1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

// Every control and the run as the window first opened: the count entry stage.
void DivisorMultipleWindow::Restart()
{
    m_run = DivisorMultipleRun();
    m_count->setText(QStringLiteral("2"));
    m_acceptCount->setEnabled(true);
    m_restart->hide();
    m_pages->setCurrentIndex(0);
    m_numberCaption->setText(QStringLiteral("第1个数："));
    m_number->clear();
    m_number->setEnabled(false);
    m_next->setText(QStringLiteral("下一个"));
    m_next->setEnabled(false);
    m_divisor->clear();
    m_multiple->clear();
    m_count->setFocus();
    if (m_working)
        m_working->Refresh();
}

void DivisorMultipleWindow::AcceptCount()
{
    if (RaisesCount(m_count->text()))
        m_count->setText(QStringLiteral("2"));
    m_run.SetCount(CountOf(m_count->text()));
    m_number->setEnabled(true);
    m_next->setEnabled(true);
    m_acceptCount->setEnabled(false);
    m_restart->show();
    m_number->setFocus();
}

void DivisorMultipleWindow::AcceptNumber()
{
    const Outcome<DivisorMultipleRun::Step> step = m_run.Accept(m_number->text());
    if (!step)
        return ShowMessage(step.refusal(), QStringLiteral("信息："), this);
    if (*step == DivisorMultipleRun::Step::Collected) {
        m_numberCaption->setText(QStringLiteral("第%1个数：").arg(m_run.index()));
        if (m_run.lastIsNext())
            m_next->setText(QStringLiteral("计算"));
    } else {
        m_pages->setCurrentIndex(1);
        m_divisor->setText(m_run.DivisorText());
        m_multiple->setText(m_run.MultipleText());
        m_working->Refresh();
    }
    m_number->clear();
    m_number->setFocus();
}
