#include "tools/arith/fractionwindow.h"

#include "tools/arith/numberworking.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulaparts.h"
#include "ui/messages.h"
#include "ui/style.h"
#include "ui/workingpanel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

// The widest term a box may hold, and the widest a result can have (2^63).
const QString WidestTerm = QStringLiteral("-2147483648");
const QString WidestResult = QStringLiteral("9223372036854775808");

EditBox *MakeTermBox(const QString &name)
{
    auto *box = new EditBox(name);
    box->setAlignment(Qt::AlignCenter);
    FitBoxTo(box, WidestTerm);
    return box;
}

// A fraction bar that keeps the window's text (a row of dashes) but is drawn as a rule.
QLabel *MakeBar(const QString &name, const QString &text)
{
    QLabel *bar = MakeFormulaBar(name);
    bar->setText(text);
    bar->setStyleSheet(bar->styleSheet() + QStringLiteral("color: transparent;"));
    return bar;
}

// A sign of the result's row, in the result font.
QLabel *MakeResultGlyph(const QString &name, const QString &text)
{
    QLabel *glyph = MakeGlyph(name, text);
    SetRole(glyph, Role::Result);
    return glyph;
}

} // namespace

FractionWindow::FractionWindow()
    : ToolWindow(QStringLiteral("简单分数计算"))
    , m_p1(MakeTermBox(QStringLiteral("分子1")))
    , m_q1(MakeTermBox(QStringLiteral("分母1")))
    , m_p2(MakeTermBox(QStringLiteral("分子2")))
    , m_q2(MakeTermBox(QStringLiteral("分母2")))
    , m_operator(MakeComboBox(QStringLiteral("组合框1")))
    , m_sign(MakeResultGlyph(QStringLiteral("透明标签5"), QStringLiteral("—")))
    , m_result(new MultiLineEditBox(QStringLiteral("分数结果"), InputMode::ReadOnly))
    , m_resultBar(MakeBar(QStringLiteral("透明标签1"), QStringLiteral("————")))
{
    m_p1->setAccessibleName(QStringLiteral("第1个分数的分子"));
    m_q1->setAccessibleName(QStringLiteral("第1个分数的分母"));
    m_operator->setAccessibleName(QStringLiteral("运算符"));
    m_p2->setAccessibleName(QStringLiteral("第2个分数的分子"));
    m_q2->setAccessibleName(QStringLiteral("第2个分数的分母"));
    m_operator->addItems(
            {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"), QStringLiteral("/")});

    QBoxLayout *sum = MakeFormulaRow();
    UseWindowMargins(sum);
    sum->setSpacing(Spacing::Related);
    sum->addLayout(BuildInputFraction(m_p1, QStringLiteral("透明标签3"), m_q1));
    sum->addWidget(m_operator, 0, Qt::AlignVCenter);
    sum->addLayout(BuildInputFraction(m_p2, QStringLiteral("透明标签2"), m_q2));
    sum->addWidget(MakeResultGlyph(QStringLiteral("透明标签4"), QStringLiteral("=")), 0,
                   Qt::AlignVCenter);
    sum->addLayout(BuildResult());
    setLayout(WithWorking(sum));

    for (EditBox *term : {m_p1, m_q1, m_p2, m_q2})
        connect(term, &EditBox::ContentChanged, this, &FractionWindow::Refresh);
    connect(m_operator, &QComboBox::currentIndexChanged, this, &FractionWindow::Refresh);

    SetTabOrder({m_p1, m_q1, m_operator, m_p2, m_q2, m_result, m_working->toggle()});
    m_p1->setFocus();
    FixSizeToContents();
}

// The written sum, with the "解题过程" button below it and the working under that.
QLayout *FractionWindow::WithWorking(QBoxLayout *sum)
{
    m_working = new WorkingPanel([this] { return FractionWorking(Texts(), Operator()); });
    for (EditBox *term : {m_p1, m_q1, m_p2, m_q2})
        connect(term, &EditBox::ContentChanged, m_working, &WorkingPanel::Refresh);
    connect(m_operator, &QComboBox::currentIndexChanged, m_working, &WorkingPanel::Refresh);
    auto *below = new QVBoxLayout;
    below->setContentsMargins(Spacing::WindowMargin, 0, Spacing::WindowMargin,
                              Spacing::WindowMargin);
    below->setSpacing(Spacing::Related);
    below->addWidget(m_working->toggle(), 0, Qt::AlignRight);
    below->addWidget(m_working);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(sum);
    column->addLayout(below);
    return column;
}

QBoxLayout *FractionWindow::BuildInputFraction(EditBox *numerator, const QString &barName,
                                               EditBox *denominator)
{
    QBoxLayout *top = MakeFormulaRow();
    top->addWidget(numerator);
    return MakeFraction(top, MakeBar(barName, QStringLiteral("——")), denominator);
}

// The result box holds the numerator and the denominator on two lines and is as wide as the
// longer one; its bar, as wide as the box, lies over it at its middle, which is where the two
// lines meet. The result stands next to its sign, in room kept for the widest result.
QLayout *FractionWindow::BuildResult()
{
    m_result->setStyleSheet(QStringLiteral(
            "QPlainTextEdit { border: none; background: transparent; padding: 0; }"));
    m_result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_result->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_result->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    UseResultFont(m_result);
    FitResultBox({QString()});
    // The result keeps its place whether or not its sign shows.
    KeepPlaceWhenHidden(m_sign);
    m_sign->hide();
    m_resultBar->hide();

    auto *stack = new QGridLayout;
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setColumnMinimumWidth(0, ResultBoxWidth({WidestResult}));
    stack->addWidget(m_result, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    stack->addWidget(m_resultBar, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);

    // Apart from the bar, so that the sign does not read as a longer bar.
    QBoxLayout *row = MakeFormulaRow();
    row->setSpacing(Spacing::Related / 2);
    row->addWidget(m_sign, 0, Qt::AlignVCenter);
    row->addLayout(stack);
    return row;
}

int FractionWindow::ResultBoxWidth(const QStringList &lines) const
{
    int widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, m_result->fontMetrics().horizontalAdvance(line));
    const int margins = 2 * int(m_result->document()->documentMargin());
    return widest + margins + m_result->fontMetrics().averageCharWidth();
}

void FractionWindow::FitResultBox(const QStringList &lines)
{
    const int margins = 2 * int(m_result->document()->documentMargin());
    m_result->setFixedSize(ResultBoxWidth(lines),
                           m_result->fontMetrics().lineSpacing() * int(lines.size()) + margins);
}

FractionTexts FractionWindow::Texts() const
{
    return {m_p1->text(), m_q1->text(), m_p2->text(), m_q2->text()};
}

FractionOperator FractionWindow::Operator() const
{
    return FractionOperator(m_operator->currentIndex());
}

void FractionWindow::Refresh()
{
    const Outcome<FractionResult> result = UpdateFraction(Texts(), Operator());
    if (!result) {
        // The old result would no longer belong to the terms on screen.
        ShowFraction(FractionResult());
        if (!result.refusal().isEmpty()) // silent while a number is being typed
            ShowMessage(result.refusal());
        return;
    }
    ShowFraction(*result);
}

void FractionWindow::ShowFraction(const FractionResult &result)
{
    const QStringList lines = result.text.split(QStringLiteral("\r\n"));
    FitResultBox(lines);
    m_result->setText(result.text);
    m_resultBar->setFixedWidth(ResultBoxWidth(lines));
    m_resultBar->setVisible(result.fraction);
    m_sign->setVisible(result.negative);
}
