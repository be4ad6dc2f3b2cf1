#include "tools/functions/approximaterootwindow.h"

#include "eval/expression.h"
#include "tools/functions/approximaterootlogic.h"
#include "tools/functions/rootworking.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/inlinecaption.h"
#include "ui/longtextbox.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/workingpanel.h"
#include "ui/xornotice.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Eval;
using namespace Functions;
using namespace Functions::ApproximateRoot;

namespace {

// The progress bar's steps.
constexpr int ProgressSteps = 1000;

// A menu item that shows a message.
void AddMessageItem(QMenu *menu, const QString &caption, const QString &message)
{
    QAction *item = menu->addAction(caption, [message] { ShowMessage(message); });
    item->setObjectName(caption);
}

} // namespace

ApproximateRootWindow::ApproximateRootWindow()
    : ToolWindow(QStringLiteral("求方程近似根"))
{
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    BuildMenu();
    layout->addLayout(BuildInputs());
    m_answer = MakeResultBox(QStringLiteral("答案"));
    WidenBoxTo(m_answer, QStringLiteral("x在定义域[-10,10]内无解"));
    layout->addWidget(m_answer);
    // The further roots of an enumeration, one per line; shown when there are any.
    m_furtherRoots = new LongTextBox(QStringLiteral("其余的根"));
    m_furtherRoots->setAccessibleName(QStringLiteral("其余的根"));
    FixHeightInLines(m_furtherRoots, 5);
    m_furtherRoots->hide();
    layout->addWidget(m_furtherRoots);
    m_progress = MakeProgressBar(QStringLiteral("进度条1"));
    m_progress->setRange(0, ProgressSteps);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    layout->addWidget(new XorNotice(m_expression, [this] { Search(); }));
    m_working = new WorkingPanel(
            [this] { return ApproximateRootWorking(m_halvings, m_scans, m_answerText); });
    layout->addWidget(m_working->toggle(), 0, Qt::AlignRight);
    layout->addWidget(m_working);

    connect(m_compute, &QPushButton::clicked, this, &ApproximateRootWindow::Search);
    SetTabOrder({m_expression, m_first, m_last, m_places, m_bisection, m_enumeration, m_compute,
                 m_answer, m_furtherRoots, m_working->toggle()});
    m_expression->setFocus();
    FixSizeToContents();
}

void ApproximateRootWindow::BuildMenu()
{
    auto *bar = new QMenuBar(this);
    auto *help = new QMenu(QStringLiteral("帮助"), bar);
    NameControl(help, QStringLiteral("帮助"));
    AddMessageItem(
            help, QStringLiteral("我该选择哪种方法"),
            QStringLiteral("两种方法的比较：\r\n"
                           "二分法：速度快，但是精度低，而且无法解[a,b]内f(a)×f(b)≥0的方程；\r\n"
                           "枚举法：速度慢，但是精度高（相对于二分法来讲）。"));
    AddMessageItem(
            help, QStringLiteral("一定能解出方程吗"),
            QStringLiteral("    抱歉，目前有些方程无法解或者解不正确，区间选择不正确也会导致解"
                           "不正确。"));
    bar->addMenu(help);
    layout()->setMenuBar(bar);
}

QLayout *ApproximateRootWindow::BuildInputs()
{
    m_expression = new EditBox(QStringLiteral("输入"));
    m_expression->setAccessibleName(QStringLiteral("方程左边的表达式"));
    WidenBoxTo(m_expression, QStringLiteral("Math.pow(2,x)-x*x-1"));
    m_first = new EditBox(QStringLiteral("首项"));
    m_first->setAccessibleName(QStringLiteral("区间起点"));
    m_first->setText(QStringLiteral("-10"));
    m_last = new EditBox(QStringLiteral("末项"));
    m_last->setAccessibleName(QStringLiteral("区间终点"));
    m_last->setText(QStringLiteral("10"));
    for (EditBox *end : {m_first, m_last})
        WidenBoxTo(end, QStringLiteral("-100000"));
    m_places = MakeComboBox(QStringLiteral("组合框1"));
    m_places->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                        QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    m_places->setCurrentIndex(3);
    m_compute = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算"));
    m_bisection = MakeRadioBox(QStringLiteral("单选框2"), QStringLiteral("二分法"));
    m_bisection->setChecked(true);
    m_enumeration = MakeRadioBox(QStringLiteral("单选框1"), QStringLiteral("枚举法"));

    QHBoxLayout *equation = MakeRow();
    equation->addWidget(m_expression, 1);
    equation->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("=0")));
    QHBoxLayout *interval = MakeRow();
    interval->addWidget(m_first, 1);
    interval->addWidget(MakeLabel(QStringLiteral("标签4"), QStringLiteral("→")));
    interval->addWidget(m_last, 1);
    QHBoxLayout *precision = MakeRow();
    precision->addWidget(new InlineCaption(QStringLiteral("标签3"),
                                           QStringLiteral("精度：小数点后       位"), {m_places}));
    precision->addStretch();
    QHBoxLayout *method = MakeRow();
    method->addWidget(m_bisection);
    method->addWidget(m_enumeration);
    method->addStretch();
    method->addWidget(m_compute);

    auto *inputs = new QVBoxLayout;
    inputs->setSpacing(Spacing::Related);
    for (QLayout *row : {equation, interval, precision, method})
        inputs->addLayout(row);
    return inputs;
}

// The expression, the interval, the method and the precision the search needs are read once;
// the decimal places shown are read when the answers are written. A click on the button while
// the search goes stops it.
void ApproximateRootWindow::Search()
{
    if (isRunning()) {
        m_stopRequested = true;
        return;
    }
    RunScope run(this);
    if (run.refused())
        return;
    const auto [a, b] = ReadInterval(m_first->text(), m_last->text());
    // A function that fails at the ends (a syntax error, an unknown name) has no root to seek.
    if (!IsEvaluableOn(m_expression->text(), a, b))
        return ShowMessage(ExpressionHintText(), ExpressionHintCaption());
    const PreparedFunction f = PrepareFunction(m_expression->text());
    m_stopRequested = false;
    m_compute->setText(QStringLiteral("停止"));
    double done = 0;
    const Ui::KeepGoing pace = Pace([&] { m_progress->setValue(int(done * ProgressSteps)); });
    SearchHooks hooks;
    hooks.keepGoing = [this, &pace] { return !m_stopRequested && pace(); };
    hooks.progress = [&done](double fraction) { done = fraction; };
    hooks.answers = [this](const QList<Answer> &answers, bool complete) {
        if (!isClosing())
            ShowRoots(answers, complete);
    };
    hooks.bisectionImpossible
            = [](bool rootsFound) { ShowMessage(BisectionImpossibleText(rootsFound)); };
    m_halvings.clear();
    m_scans.clear();
    hooks.bisectionStep = [this](const BisectionStep &step) { m_halvings.append(step); };
    hooks.scanStep = [this](const ScanStep &step) { m_scans.append(step); };
    const int places = m_places->currentIndex();
    if (m_bisection->isChecked())
        Bisect(f, a, b, places, hooks);
    else
        Enumerate(f, a, b, places, hooks);
    if (isClosing())
        return;
    m_compute->setText(QStringLiteral("计算"));
    m_progress->setValue(0);
    m_working->Refresh();
}

void ApproximateRootWindow::ShowRoots(const QList<Answer> &answers, bool complete)
{
    const ShownAnswers shown
            = ApproximateRoot::ShowAnswers(answers, complete, m_places->currentIndex());
    m_answerText = shown.first;
    m_answer->setText(shown.first);
    m_furtherRoots->setText(shown.further.join(QStringLiteral("\r\n")));
    if (m_furtherRoots->isHidden() && !shown.further.isEmpty()) {
        m_furtherRoots->show();
        GrowWithContents();
    }
    m_furtherRoots->setVisible(!shown.further.isEmpty());
}
