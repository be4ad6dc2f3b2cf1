#include "tools/arith/arithmeticwindow.h"

#include "tools/arith/arithmeticlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/xornotice.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Room for the expression as the window was first drawn: 304 × 80 pixels.
constexpr QSize ExpressionBoxSize(304, 80);

void ShowResultText(EditBox *box, const QString &text)
{
    ShowResult(box, text, ArithmeticErrorText);
    box->setCursorPosition(0);
}

bool IsEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ArithmeticWindow::ArithmeticWindow()
    : ToolWindow(QStringLiteral("四则运算"))
    , m_expression(new MultiLineEditBox(QStringLiteral("编辑框1")))
    , m_result(MakeResultBox(QStringLiteral("编辑框2")))
{
    m_expression->setMinimumWidth(ExpressionBoxSize.width());
    m_expression->setFixedHeight(ExpressionBoxSize.height());
    m_expression->setTabChangesFocus(true);
    m_expression->installEventFilter(this);
    QPushButton *compute
            = MakePrimaryButton(QStringLiteral("四则运算计算"), QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &ArithmeticWindow::Compute);

    auto *resultRow = new QHBoxLayout;
    resultRow->setSpacing(Spacing::Related);
    resultRow->addWidget(m_result, 1);
    resultRow->addWidget(compute);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("表达式：")));
    layout->addWidget(m_expression);
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("计算结果：")));
    layout->addLayout(resultRow);
    layout->addWidget(MakeXorNotice(m_expression));

    ClearWhenChanged({m_expression}, this,
                     [this] { ShowResult(m_result, QString(), ArithmeticErrorText); });
    m_expression->setFocus();
    FixSizeToContents();
}

// Enter in the expression box computes instead of starting a new line.
bool ArithmeticWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_expression || !IsEnterKey(event))
        return ToolWindow::eventFilter(watched, event);
    ComputeAndShowResult();
    return true;
}

void ArithmeticWindow::Compute()
{
    ShowResultText(m_result, ArithmeticResultText(m_expression->text()));
}

// Pending events may close the window; the focus moves only while it stays open.
void ArithmeticWindow::ComputeAndShowResult()
{
    BusyScope busy(this);
    Compute();
    if (KeepGoing())
        m_result->setFocus(Qt::OtherFocusReason);
}
