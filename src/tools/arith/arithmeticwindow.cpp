#include "tools/arith/arithmeticwindow.h"

#include "tools/arith/arithmeticlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/xornotice.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

using namespace Eval;
using namespace Arith;

namespace {

// Room for the expression as the window was first drawn: 304 × 80 pixels, a given size.
constexpr QSize ExpressionBoxSize(304, 80);
constexpr int HistoryRowsShown = 8;
// A history line shows this much of a long expression.
constexpr int LongestHistoryLine = 200;

bool IsKeyPress(const QEvent *event, std::initializer_list<int> keys)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *press = static_cast<const QKeyEvent *>(event);
    return press->modifiers() == Qt::NoModifier || press->modifiers() == Qt::KeypadModifier
            ? std::find(keys.begin(), keys.end(), press->key()) != keys.end()
            : false;
}

bool IsCopyKey(const QEvent *event)
{
    return event->type() == QEvent::KeyPress
            && static_cast<const QKeyEvent *>(event)->matches(QKeySequence::Copy);
}

bool HasSelection(const QObject *control)
{
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->hasSelectedText();
    if (const auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return box->textCursor().hasSelection();
    return false;
}

void CopyText(const QString &text)
{
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

QPushButton *MakeCopyButton(const QString &name, const QString &readerName)
{
    QPushButton *button = MakeButton(name, QStringLiteral("复制"));
    button->setAccessibleName(readerName);
    button->setToolTip(readerName);
    return button;
}

// A line under the result, hidden while it says nothing.
void ShowLine(QLabel *line, const QString &text)
{
    line->setText(text);
    line->setVisible(!text.isEmpty());
}

QString HistoryLine(const HistoryEntry &entry)
{
    QString expression = entry.expression.left(LongestHistoryLine + 1).simplified();
    if (entry.expression.size() > LongestHistoryLine)
        expression = expression.left(LongestHistoryLine) + u'…';
    return expression + QStringLiteral(" = ") + entry.result;
}

} // namespace

ArithmeticWindow::ArithmeticWindow(const QString &historyPath)
    : ToolWindow(QStringLiteral("四则运算"))
    , m_expression(new MultiLineEditBox(QStringLiteral("编辑框1")))
    , m_result(MakeResultBox(QStringLiteral("编辑框2")))
    , m_reason(MakeLabel(QStringLiteral("错误原因"), QString()))
    , m_radians(MakeLabel(QStringLiteral("弧度提示"), QString()))
    , m_exact(MakeResultBox(QStringLiteral("精确值")))
    , m_historyList(MakeListBox(QStringLiteral("历史记录")))
    , m_copyExact(MakeCopyButton(QStringLiteral("复制按钮2"), QStringLiteral("复制精确值")))
    , m_clearHistory(MakeButton(QStringLiteral("清空按钮"), QStringLiteral("清空")))
    , m_history(historyPath)
{
    m_expression->setMinimumWidth(ExpressionBoxSize.width());
    m_expression->setFixedHeight(ExpressionBoxSize.height());
    m_expression->setTabChangesFocus(true);
    m_expression->installEventFilter(this);
    OnEnter(m_expression, [this] { ComputeAndShowResult(); });
    QPushButton *compute
            = MakePrimaryButton(QStringLiteral("四则运算计算"), QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &ArithmeticWindow::Compute);
    QPushButton *copyResult
            = MakeCopyButton(QStringLiteral("复制按钮1"), QStringLiteral("复制计算结果"));
    connect(copyResult, &QPushButton::clicked, this, &ArithmeticWindow::CopyResult);

    QHBoxLayout *resultRow = MakeRow();
    resultRow->addWidget(m_result, 1);
    resultRow->addWidget(compute);
    resultRow->addWidget(copyResult);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("表达式：")));
    layout->addWidget(m_expression);
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("计算结果：")));
    layout->addLayout(resultRow);
    // Why there is no value, in the error colour, and how the trigonometric functions read.
    MarkAsError(m_reason, true);
    SetRole(m_radians, Role::Secondary);
    for (QLabel *line : {m_reason, m_radians}) {
        line->setWordWrap(true);
        line->hide();
        layout->addWidget(line);
    }
    m_xorNotice = new XorNotice(m_expression, [this] { Compute(); });
    layout->addWidget(m_xorNotice);
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addLayout(BuildExactRow());
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addLayout(BuildHistoryRows(), 1);

    m_result->installEventFilter(this);
    m_exact->installEventFilter(this);
    SetTabOrder({m_expression, m_result, compute, copyResult, m_exact, m_copyExact, m_historyList,
                 m_clearHistory});
    ShowHistory();

    ClearWhenChanged({m_expression}, this, [this] {
        ShowOutcome(m_result, QString());
        m_exact->clear();
        ShowLine(m_reason, QString());
        ShowLine(m_radians, QString());
        m_xorNotice->SetPowerReading(QString());
    });
    m_expression->setFocus();
    OpenAtContentsSize();
}

QLayout *ArithmeticWindow::BuildExactRow()
{
    m_exact->setAccessibleName(QStringLiteral("精确值"));
    connect(m_copyExact, &QPushButton::clicked, this, [this] { CopyText(m_exact->text()); });
    QHBoxLayout *row = MakeRow();
    row->addWidget(m_exact, 1);
    row->addWidget(m_copyExact);
    auto *rows = new QVBoxLayout;
    rows->setSpacing(Spacing::Related);
    QLabel *label = MakeLabel(QStringLiteral("精确值标签"), QStringLiteral("精确值："));
    label->setBuddy(m_exact);
    rows->addWidget(label);
    rows->addLayout(row);
    return rows;
}

QLayout *ArithmeticWindow::BuildHistoryRows()
{
    QLabel *label = MakeLabel(QStringLiteral("历史记录标签"), QStringLiteral("历史记录："));
    label->setBuddy(m_historyList);
    m_clearHistory->setAccessibleName(QStringLiteral("清空历史记录"));
    connect(m_clearHistory, &QPushButton::clicked, this, &ArithmeticWindow::ClearHistory);
    auto *heading = new QHBoxLayout;
    heading->addWidget(label);
    heading->addStretch(1);
    heading->addWidget(m_clearHistory);

    m_historyList->setAccessibleName(QStringLiteral("历史记录"));
    m_historyList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_historyList->setMinimumHeight(m_historyList->fontMetrics().height() * HistoryRowsShown);
    connect(m_historyList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { PutBackEntry(m_historyList->row(item)); });
    connect(m_historyList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { PutBackEntry(m_historyList->row(item)); });
    connect(m_historyList, &QWidget::customContextMenuRequested, this,
            &ArithmeticWindow::ShowEntryMenu);
    auto *rows = new QVBoxLayout;
    rows->setSpacing(Spacing::Related);
    rows->addLayout(heading);
    rows->addWidget(m_historyList, 1);
    return rows;
}

// Up and Down beyond the expression box's first and last line go through the history; Ctrl+C in a
// box without a selection copies the result.
bool ArithmeticWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (IsCopyKey(event) && !HasSelection(watched)) {
        CopyResult();
        return true;
    }
    if (watched != m_expression)
        return ToolWindow::eventFilter(watched, event);
    if (IsKeyPress(event, {Qt::Key_Up, Qt::Key_Down}))
        return RecallFromHistory(static_cast<QKeyEvent *>(event)->key());
    return ToolWindow::eventFilter(watched, event);
}

// A copy key on a button or anywhere else without text of its own.
void ArithmeticWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyResult();
        return;
    }
    ToolWindow::keyPressEvent(event);
}

bool ArithmeticWindow::RecallFromHistory(int key)
{
    const bool up = key == Qt::Key_Up;
    QTextCursor cursor = m_expression->textCursor();
    if (cursor.movePosition(up ? QTextCursor::Up : QTextCursor::Down))
        return false;
    const std::optional<QString> recalled = up
            ? m_recall.Older(m_history.entries(), m_expression->text())
            : m_recall.Newer(m_history.entries());
    if (!recalled)
        return false;
    m_expression->setText(*recalled);
    m_expression->moveCursor(QTextCursor::End);
    return true;
}

void ArithmeticWindow::Compute()
{
    const QString expression = m_expression->text();
    const Outcome<QString> result = ArithmeticResult(expression);
    ShowOutcome(m_result, result);
    m_result->setCursorPosition(0);
    ShowLine(m_reason, result ? QString() : ErrorReasonText(expression));
    ShowLine(m_radians, RadiansNoticeText(expression));
    m_xorNotice->SetPowerReading(PowerReadingText(expression));
    m_exact->setText(ExactValueText(expression));
    m_exact->setCursorPosition(0);
    m_recall.Reset();
    const std::optional<HistoryEntry> entry = HistoryEntryOf(expression, result);
    if (!entry)
        return;
    m_history.Add(*entry);
    ShowHistory();
}

// Pending events may close the window; the focus moves only while it stays open.
void ArithmeticWindow::ComputeAndShowResult()
{
    BusyScope busy(this);
    Compute();
    if (LetEventsRun())
        m_result->setFocus(Qt::OtherFocusReason);
}

void ArithmeticWindow::ShowHistory()
{
    QStringList lines;
    lines.reserve(m_history.entries().size());
    for (const HistoryEntry &entry : m_history.entries())
        lines.append(HistoryLine(entry));
    m_historyList->clear();
    m_historyList->addItems(lines);
}

void ArithmeticWindow::PutBackEntry(int row)
{
    if (row < 0 || row >= m_history.entries().size())
        return;
    m_expression->setText(m_history.entries().at(row).expression);
    m_expression->moveCursor(QTextCursor::End);
    m_expression->setFocus(Qt::OtherFocusReason);
    m_recall.Reset();
}

void ArithmeticWindow::ShowEntryMenu(const QPoint &position)
{
    const int row = m_historyList->row(m_historyList->itemAt(position));
    if (row < 0)
        return;
    const HistoryEntry entry = m_history.entries().at(row);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("历史记录菜单"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto addAction = [menu](const QString &caption, auto action) {
        QAction *added = menu->addAction(caption);
        added->setObjectName(caption);
        connect(added, &QAction::triggered, menu, action);
        return added;
    };
    addAction(QStringLiteral("复制表达式"), [entry] { CopyText(entry.expression); });
    addAction(QStringLiteral("复制计算结果"), [entry] { CopyText(entry.result); });
    const QString exact = ExactValueText(entry.expression);
    addAction(QStringLiteral("复制精确值"), [exact] {
        CopyText(exact);
    })->setEnabled(!exact.isEmpty());
    menu->addSeparator();
    addAction(QStringLiteral("删除"), [this, row, entry] {
        if (row >= m_history.entries().size() || m_history.entries().at(row) != entry)
            return;
        m_history.Remove(row);
        m_recall.Reset();
        ShowHistory();
    });
    menu->popup(m_historyList->viewport()->mapToGlobal(position));
}

void ArithmeticWindow::ClearHistory()
{
    if (m_history.entries().isEmpty())
        return;
    BusyScope busy(this);
    const bool confirmed = AskToConfirm(QStringLiteral("确定要清空全部历史记录吗？"),
                                        QStringLiteral("信息："), this);
    if (!confirmed || isClosing())
        return;
    m_history.Clear();
    m_recall.Reset();
    ShowHistory();
}

void ArithmeticWindow::CopyResult()
{
    CopyText(m_result->text());
}
