#include "tools/functions/functiontablewindow.h"

#include "eval/expression.h"
#include "tools/functions/functiontablelogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/grid.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/xornotice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Eval;
using namespace Functions;
using namespace Functions::FunctionTable;

namespace {

EditBox *TermBox(const QString &name, const QString &text)
{
    auto *box = new EditBox(name);
    box->setText(text);
    WidenBoxTo(box, QStringLiteral("-0.000001"));
    return box;
}

} // namespace

FunctionTableWindow::FunctionTableWindow()
    : ToolWindow(QStringLiteral("函数表格"))
{
    auto *columns = new QHBoxLayout(this);
    UseWindowMargins(columns);
    columns->setSpacing(Spacing::Groups);
    columns->addWidget(BuildInputColumn(), 0, Qt::AlignTop);
    columns->addWidget(BuildTableColumn(), 1);

    connect(m_compute, &QPushButton::clicked, this, &FunctionTableWindow::Build);
    connect(m_hint, &QPushButton::clicked, this,
            [] { ShowMessage(ExpressionHintText(), ExpressionHintCaption()); });
    connect(m_grid, &Grid::CellClicked, this, &FunctionTableWindow::ShowDetail);

    SetTabOrder({m_expression, m_first, m_last, m_difference, m_compute, m_hint, m_grid, m_detail});
    ClearWhenChanged({m_expression, m_first, m_last, m_difference}, this, [this] { ClearTable(); });
    m_expression->setFocus();
    // Only the input column shows until the first table is built.
    m_tableColumn->hide();
    FixSizeToContents();
}

QWidget *FunctionTableWindow::BuildInputColumn()
{
    m_expression = new EditBox(QStringLiteral("输入"));
    m_expression->setAccessibleName(QStringLiteral("函数表达式 f(x)"));
    WidenBoxTo(m_expression, QStringLiteral("Math.pow(2,x)"));
    m_first = TermBox(QStringLiteral("首项"), QStringLiteral("-5"));
    m_last = TermBox(QStringLiteral("末项"), QStringLiteral("5"));
    m_difference = TermBox(QStringLiteral("公差"), QStringLiteral("1"));
    m_compute = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算"));
    m_hint = MakeButton(QStringLiteral("按钮2"), QStringLiteral("提示"));
    m_progress = MakeProgressBar(QStringLiteral("进度条1"));
    m_progress->setValue(0);

    auto *column = new QWidget;
    auto *grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("f(x)=")), 0, 0);
    grid->addWidget(m_expression, 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("首项：")), 1, 0);
    grid->addWidget(m_first, 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签4"), QStringLiteral("末项：")), 2, 0);
    grid->addWidget(m_last, 2, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("公差：")), 3, 0);
    grid->addWidget(m_difference, 3, 1);
    grid->addWidget(m_progress, 4, 0, 1, 2);
    QHBoxLayout *buttons = MakeRow();
    buttons->addWidget(m_compute);
    buttons->addWidget(m_hint);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->addWidget(new XorNotice(m_expression, [this] { Build(); }), 6, 0, 1, 2);
    return column;
}

QWidget *FunctionTableWindow::BuildTableColumn()
{
    m_grid = new Grid(QStringLiteral("高级表格1"));
    m_grid->SetColumnCount(2);
    m_grid->SetRowCount(1);
    // Measuring 100,000 rows to fit the columns would cost more than building them: the x
    // column is as wide as a typical x, the values take the rest, wide enough for all of the
    // engine's digits, and the window may be widened.
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int padding = 2 * metrics.horizontalAdvance(u'0');
    const int xWidth = metrics.horizontalAdvance(QStringLiteral("-0.0000001")) + padding;
    const int valueWidth
            = metrics.horizontalAdvance(QStringLiteral("-0.3333333333333333")) + padding;
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_grid->horizontalHeader()->resizeSection(0, xWidth);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(metrics.height() + 10);
    m_grid->setMinimumSize(xWidth + valueWidth + m_grid->verticalScrollBar()->sizeHint().width()
                                   + 2 * m_grid->frameWidth(),
                           metrics.height() * 18);
    m_detail = MakeResultBox(QStringLiteral("详情"));

    m_tableColumn = new QWidget;
    auto *column = new QVBoxLayout(m_tableColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(Spacing::Related);
    column->addWidget(m_grid, 1);
    column->addWidget(m_detail);
    return m_tableColumn;
}

// The inputs are read once: what is typed meanwhile applies to the next table.
void FunctionTableWindow::Build()
{
    RunScope run(this);
    if (run.refused())
        return;
    ShowTableColumn();
    m_grid->SetCell(0, 0, QStringLiteral("x"));
    m_grid->SetCell(0, 1, QStringLiteral("f(x)"));
    m_grid->SetRowCount(1);
    m_progress->setValue(0);
    std::optional<Table> table
            = Table::Start(m_first->text(), m_last->text(), m_difference->text());
    // A maximum of 0 would turn the bar into a busy indicator.
    m_progress->setMaximum(std::max(1, table ? table->progressMaximum() : 0));
    if (!table)
        return;
    if (!table->IsEvaluable(m_expression->text()))
        return ShowMessage(ExpressionHintText(), ExpressionHintCaption());
    const PreparedFunctionText f = PrepareFunctionText(m_expression->text());
    // Rows are shown in batches, as often as events run: one at a time, each would lay out and
    // repaint the grid.
    QList<QStringList> rows;
    const auto showRows = [&] {
        m_grid->AppendRows(rows);
        m_progress->setValue(
                std::min(m_progress->maximum(), m_progress->value() + int(rows.size())));
        rows.clear();
    };
    const auto take = [&](const Row &row) { rows.append({row.x, row.value}); };
    if (table->Finish(f, take, Pace(showRows)))
        showRows();
}

// The first table brings the grid into view; the window stays that wide and may grow with it.
void FunctionTableWindow::ShowTableColumn()
{
    if (!m_tableColumn->isHidden())
        return;
    m_tableColumn->show();
    GrowWithContents();
}

// A table being built follows the inputs it was started with; a finished one goes with them.
void FunctionTableWindow::ClearTable()
{
    if (isRunning())
        return;
    m_grid->SetRowCount(1);
    m_detail->clear();
}

void FunctionTableWindow::ShowDetail()
{
    const int row = m_grid->CurrentRow();
    const int column = m_grid->CurrentColumn();
    if (row < 0 || column < 0)
        return;
    m_detail->setText(DetailText(m_grid->GetCell(row, 0), m_grid->GetCell(row, column)));
}
