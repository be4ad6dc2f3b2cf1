#include "tools/algebra/scientificcalculatorwindow.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulaview.h"
#include "ui/style.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

using namespace Algebra;
using namespace Eval;
using namespace Ui;

namespace {

// The keypad: a caption and what it types ("⌫" and "清除" edit instead).
struct Key
{
    const char *caption;
    const char *typed;
};

const Key Keys[][6] = {
        {{"sin", "sin("},
         {"cos", "cos("},
         {"tan", "tan("},
         {"ln", "ln("},
         {"lg", "lg("},
         {"log(a,b)", "log("}},
        {{"arcsin", "arcsin("},
         {"arccos", "arccos("},
         {"arctan", "arctan("},
         {"√", "√("},
         {"∛", "∛("},
         {"root(n,x)", "root("}},
        {{"7", "7"}, {"8", "8"}, {"9", "9"}, {"(", "("}, {")", ")"}, {"xʸ", "^"}},
        {{"4", "4"}, {"5", "5"}, {"6", "6"}, {"×", "×"}, {"÷", "÷"}, {"n!", "!"}},
        {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"+", "+"}, {"−", "−"}, {"%", "%"}},
        {{"0", "0"}, {".", "."}, {"π", "π"}, {"e", "e"}, {"Ans", "Ans"}, {"|x|", "abs("}},
        {{"C(n,m)", "C("}, {"A(n,m)", "A("}, {"°", "°"}, {",", ","}, {"⌫", ""}, {"清除", ""}},
};

} // namespace

ScientificCalculatorWindow::ScientificCalculatorWindow(const QString &historyPath)
    : ToolFrame(QStringLiteral("科学计算"))
    , m_line(new EditBox(QStringLiteral("算式输入框")))
    , m_display(new FormulaView(QStringLiteral("计算结果")))
    , m_history(historyPath)
{
    FitBoxTo(m_line, QStringLiteral("1/(√3−1)+sin60°×log(2,8)−2π/3"));
    AddInput(QStringLiteral("算式："), m_line);
    AddInputWidget(MakeAngleChoice());
    // A student switches the unit to see the same line in the other: it is worked out again
    // (after the frame has cleared the results of the old unit).
    connect(m_radians, &QRadioButton::toggled, this, &ScientificCalculatorWindow::ComputeAgain);
    AddInputWidget(MakeKeypad());
    SetMainAction(QStringLiteral("计算"), [this] { Compute(); });
    AddResultWidget(m_display);
    AddResultWidget(MakeDisplayChoice());
    auto *latex = MakeButton(QStringLiteral("复制LaTeX"), QStringLiteral("复制LaTeX"));
    AddResultButton(latex);
    connect(latex, &QPushButton::clicked, this, &ScientificCalculatorWindow::CopyLatex);
    connect(m_line, &EditBox::ContentChanged, this, [this] {
        m_shown.reset();
        m_display->Clear();
    });
    m_line->installEventFilter(this);
    m_line->setFocus();
    GrowWithContents();
}

QWidget *ScientificCalculatorWindow::MakeAngleChoice()
{
    auto *choice = new QWidget;
    auto *degrees = MakeRadioBox(QStringLiteral("角度"), QStringLiteral("角度"));
    m_radians = MakeRadioBox(QStringLiteral("弧度"), QStringLiteral("弧度"));
    degrees->setChecked(true);
    auto *row = MakeRow({degrees, m_radians});
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    choice->setLayout(row);
    return choice;
}

QWidget *ScientificCalculatorWindow::MakeDisplayChoice()
{
    auto *choice = new QWidget;
    m_decimalKey = MakeButton(QStringLiteral("精确小数"), QStringLiteral("精确/小数"));
    m_decimalKey->setCheckable(true);
    m_mixed = MakeCheckBox(QStringLiteral("带分数"), QStringLiteral("带分数"));
    auto *row = MakeRow({m_decimalKey, m_mixed});
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    choice->setLayout(row);
    connect(m_decimalKey, &QPushButton::toggled, this, &ScientificCalculatorWindow::ShowAnswer);
    connect(m_mixed, &QCheckBox::toggled, this, &ScientificCalculatorWindow::ShowAnswer);
    return choice;
}

QWidget *ScientificCalculatorWindow::MakeKeypad()
{
    auto *keypad = new QWidget;
    auto *grid = new QGridLayout(keypad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(Spacing::Related / 2);
    for (int row = 0; row < int(std::size(Keys)); ++row) {
        for (int column = 0; column < 6; ++column) {
            const Key &key = Keys[row][column];
            const QString caption = QString::fromUtf8(key.caption);
            const QString typed = QString::fromUtf8(key.typed);
            auto *button = MakeButton(QStringLiteral("键") + caption, caption);
            // The line keeps the focus, so typing and the keypad mix.
            button->setFocusPolicy(Qt::NoFocus);
            // A lone point is too thin to read against the key's face unless it is bold.
            if (caption == u'.') {
                QFont bold = button->font();
                bold.setBold(true);
                button->setFont(bold);
            }
            grid->addWidget(button, row, column);
            connect(button, &QPushButton::clicked, this, [this, caption, typed] {
                if (caption == QStringLiteral("清除"))
                    m_line->clear();
                else if (caption == QStringLiteral("⌫"))
                    m_line->backspace();
                else
                    Type(typed);
                m_line->setFocus();
            });
        }
    }
    return keypad;
}

void ScientificCalculatorWindow::Type(const QString &text)
{
    m_line->insert(text);
}

bool ScientificCalculatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_line || event->type() != QEvent::KeyPress)
        return ToolFrame::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return ToolFrame::eventFilter(watched, event);
    const std::optional<QString> recalled = key == Qt::Key_Up
            ? m_recall.Older(m_history.entries(), m_line->text())
            : m_recall.Newer(m_history.entries());
    if (recalled)
        m_line->setText(*recalled);
    return true;
}

void ScientificCalculatorWindow::Compute()
{
    Calculate(m_ans, true);
}

void ScientificCalculatorWindow::ComputeAgain()
{
    if (m_shown)
        Calculate(m_ansBefore, false);
}

void ScientificCalculatorWindow::Calculate(const std::optional<MathValue> &ans, bool remember)
{
    const QString line = m_line->text();
    if (line.trimmed().isEmpty()) {
        ClearResults();
        return;
    }
    const auto answer = CalculateScientific(
            line, m_radians->isChecked() ? AngleUnit::Radians : AngleUnit::Degrees, ans);
    if (remember) {
        m_history.Add(HistoryEntryOf(line, answer));
        m_recall.Reset();
    }
    if (!answer) {
        m_shown.reset();
        m_display->Clear();
        ShowResults(Refuse(answer.refusal()));
        return;
    }
    m_ansBefore = ans;
    m_ans = answer->value;
    m_shown = *answer;
    ShowResults(answer->copied);
    ShowAnswer();
}

// Exact first and the decimal after it, or the decimal alone (the exact/decimal key, or a
// value without an exact form).
void ScientificCalculatorWindow::ShowAnswer()
{
    if (!m_shown) {
        m_display->Clear();
        return;
    }
    const ScientificAnswer &a = *m_shown;
    const bool hasExact = !FormulaText(a.exact).isEmpty();
    const auto approximately = [&](const QString &relation) {
        return relation.isEmpty() ? a.decimal
                                  : Formula::Row({Formula::Glyphs(relation + u' '), a.decimal});
    };
    if (!hasExact || m_decimalKey->isChecked()) {
        m_display->SetFormula(
                approximately(hasExact && a.relation != u'≈' ? QString() : QStringLiteral("≈")));
        return;
    }
    const Formula exact = m_mixed->isChecked() ? AsMixedNumber(a.value, a.exact) : a.exact;
    m_display->SetFormula(exact, a.relation.isEmpty() ? Formula() : approximately(a.relation));
}

void ScientificCalculatorWindow::CopyLatex() const
{
    if (m_shown)
        QApplication::clipboard()->setText(m_shown->latex);
}
