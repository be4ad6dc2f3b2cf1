#include "tools/arith/runningserieswindow.h"

#include "tools/arith/serieslogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/formulaparts.h"
#include "ui/inlinecaption.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

const QString WidestResult = QStringLiteral("-1.234567890123e+308");

MultiLineEditBox *MakeWorkingBox(const QString &name)
{
    auto *box = new MultiLineEditBox(name, InputMode::ReadOnly);
    UseResultFont(box);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * 4
                        + 2 * int(box->document()->documentMargin()) + 2 * box->frameWidth());
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

RunningSeriesWindow::RunningSeriesWindow()
    : ToolWindow(QStringLiteral("连加/连乘"))
    , m_count(MakeResultLabel(QStringLiteral("第n个加数"), QStringLiteral("1")))
    , m_value(new EditBox(QStringLiteral("数字输入框"), InputMode::Real))
    , m_sumWorking(MakeWorkingBox(QStringLiteral("连加计算过程")))
    , m_productWorking(MakeWorkingBox(QStringLiteral("连乘计算过程")))
    , m_sum(MakeResultBox(QStringLiteral("连加计算结果")))
    , m_product(MakeResultBox(QStringLiteral("连乘计算结果")))
{
    auto *results = new QHBoxLayout;
    results->setSpacing(Spacing::Groups);
    results->addWidget(BuildResultGroup(QStringLiteral("分组框2"), QStringLiteral("连加"),
                                        m_sumWorking, QStringLiteral("标签5"), m_sum));
    results->addWidget(BuildResultGroup(QStringLiteral("分组框3"), QStringLiteral("连乘"),
                                        m_productWorking, QStringLiteral("标签3"), m_product));

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(BuildInputGroup());
    layout->addLayout(results);

    OnEnter(m_value, [this] { AcceptValue(); });

    m_value->setFocus();
    FixSizeToContents();
}

QGroupBox *RunningSeriesWindow::BuildInputGroup()
{
    QGroupBox *group = MakeGroupBox(QStringLiteral("分组框1"), QStringLiteral("数据输入处"));
    m_value->setAlignment(Qt::AlignCenter);
    FitBoxTo(m_value, QStringLiteral("-1234567.890123"));
    m_count->setAlignment(Qt::AlignCenter);
    WidenBoxTo(m_count, QStringLiteral("00"));
    QPushButton *next = MakePrimaryButton(QStringLiteral("下一个"), QStringLiteral("下一个"));
    QPushButton *again = MakeButton(QStringLiteral("按钮1"), QStringLiteral("重新计算"));
    connect(next, &QPushButton::clicked, this, &RunningSeriesWindow::AcceptValue);
    connect(again, &QPushButton::clicked, this, &RunningSeriesWindow::StartAgain);

    QHBoxLayout *row = MakeRow();
    row->addWidget(new InlineCaption(QStringLiteral("标签4"), QStringLiteral("第     个加/乘数："),
                                     {m_count}));
    row->addWidget(m_value, 1);
    row->addWidget(next);
    row->addWidget(again);
    group->setLayout(row);
    SetTabOrder({m_value, next, again});
    return group;
}

QGroupBox *RunningSeriesWindow::BuildResultGroup(const QString &name, const QString &caption,
                                                 MultiLineEditBox *working,
                                                 const QString &answerName, EditBox *result)
{
    QGroupBox *group = MakeGroupBox(name, caption);
    result->ensurePolished(); // the result font comes from the style sheet
    FitBoxTo(result, WidestResult);
    QHBoxLayout *answer = MakeRow();
    answer->addWidget(MakeLabel(answerName, QStringLiteral("答案：")));
    answer->addWidget(result);
    answer->addStretch();

    auto *column = new QVBoxLayout;
    column->setSpacing(Spacing::Related);
    column->addWidget(working);
    column->addLayout(answer);
    group->setLayout(column);
    return group;
}

void RunningSeriesWindow::AcceptValue()
{
    const Outcome<RunningSeries> next = Arith::AcceptValue(m_series, m_value->text());
    if (!next) {
        ShowMessage(next.refusal());
        return;
    }
    m_series = *next;
    ShowSeries();
    m_value->clear();
    m_value->setFocus();
    m_count->setText(m_series.count);
}

void RunningSeriesWindow::StartAgain()
{
    m_series = RunningSeries();
    ShowSeries();
    m_count->setText(m_series.count);
    m_value->setFocus();
}

void RunningSeriesWindow::ShowSeries()
{
    m_sumWorking->setText(m_series.sumWorking);
    m_productWorking->setText(m_series.productWorking);
    m_sum->setText(m_series.sum);
    m_product->setText(m_series.product);
}
