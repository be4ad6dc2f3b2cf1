#include "tools/functions/twovariablefactorizationwindow.h"

#include "tools/functions/twovariablefactorizationlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/formulaparts.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace Ui;
using namespace Eval;
using namespace Functions;
using namespace Functions::TwoVariableFactorization;

namespace {

// Lines shown at once while a pass goes on, so that the box never takes a huge text in one go.
constexpr qsizetype ShownLinesPerBatch = 2000;
// Every combination factors the zero polynomial, so over a wide range its list would fill the
// memory long before the enumeration ends; the list stops here and says so.
constexpr qsizetype MostListedLines = 100000;

QString ListCutText()
{
    return QStringLiteral("……（只列出了前%1种）").arg(MostListedLines);
}

EditBox *RangeBox(const QString &name, const QString &text)
{
    auto *box = new EditBox(name);
    box->setText(text);
    FitBoxTo(box, QStringLiteral("-1000.5"));
    return box;
}

} // namespace

TwoVariableFactorizationWindow::TwoVariableFactorizationWindow()
    : ToolWindow(QStringLiteral("二元二次因式分解"))
{
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addLayout(BuildFormula());

    m_result = new MultiLineEditBox(QStringLiteral("编辑框1"), InputMode::ReadOnly);
    UseResultFont(m_result);
    m_result->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_result->setMinimumSize(m_result->fontMetrics().horizontalAdvance(
                                     QStringLiteral("(-10.5x-10.5y)(-10.5x-10.5y)"))
                                     + 40,
                             m_result->fontMetrics().lineSpacing() * 8);
    QHBoxLayout *equals = MakeRow();
    equals->addWidget(MakeLabel(QStringLiteral("标签8"), QStringLiteral("＝")), 0, Qt::AlignTop);
    equals->addWidget(m_result, 1);
    layout->addLayout(equals, 1);

    layout->addLayout(BuildRange());
    m_progress = MakeProgressBar(QStringLiteral("进度条1"));
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    m_status = MakeLabel(QStringLiteral("标签4"), QString());
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);

    connect(m_factor, &QPushButton::clicked, this, &TwoVariableFactorizationWindow::Factor);
    ClearWhenChanged({m_a, m_b, m_c, m_step, m_first, m_end}, this, [this] {
        // An enumeration going on lists what its own inputs give.
        if (!isRunning())
            m_result->clear();
    });
    SetTabOrder({m_a, m_b, m_c, m_step, m_first, m_end, m_factor, m_result});
    m_a->setFocus();
    FixSizeToContents();
}

// a [x² +] b [xy+] c [y²]: one static text around the boxes of b and c.
QLayout *TwoVariableFactorizationWindow::BuildFormula()
{
    m_a = MakeCoefficientBox(QStringLiteral("a编辑框"));
    m_a->setAccessibleName(QStringLiteral("x²的系数 a"));
    m_b = MakeCoefficientBox(QStringLiteral("b编辑框"));
    m_b->setAccessibleName(QStringLiteral("xy的系数 b"));
    m_c = MakeCoefficientBox(QStringLiteral("c编辑框"));
    m_c->setAccessibleName(QStringLiteral("y²的系数 c"));
    QBoxLayout *pieces = MakeFormulaRow();
    pieces->addWidget(MakeTextPiece(QStringLiteral("x")));
    pieces->addWidget(MakeSuperscript(QStringLiteral("标签6"), QStringLiteral("2")));
    pieces->addWidget(MakeTextPiece(QStringLiteral(" +")));
    pieces->addWidget(m_b);
    pieces->addWidget(MakeTextPiece(QStringLiteral("xy+")));
    pieces->addWidget(m_c);
    pieces->addWidget(MakeTextPiece(QStringLiteral("y")));
    pieces->addWidget(MakeSuperscript(QStringLiteral("标签7"), QStringLiteral("2")));
    QBoxLayout *formula = MakeFormulaRow();
    formula->addWidget(m_a);
    formula->addWidget(new PiecedLabel(QStringLiteral("标签5"),
                                       QStringLiteral("x +       xy+       y"), pieces));
    formula->addStretch();
    return formula;
}

QLayout *TwoVariableFactorizationWindow::BuildRange()
{
    m_step = RangeBox(QStringLiteral("间隔编辑框"), QStringLiteral("1"));
    m_first = RangeBox(QStringLiteral("首编辑框"), QStringLiteral("-20"));
    m_end = RangeBox(QStringLiteral("尾编辑框"), QStringLiteral("20"));
    m_factor = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("分解"));
    QHBoxLayout *row = MakeRow();
    row->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("枚举间隔：")));
    row->addWidget(m_step);
    row->addSpacing(Spacing::Related);
    row->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("枚举首：")));
    row->addWidget(m_first);
    row->addSpacing(Spacing::Related);
    row->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("枚举尾：")));
    row->addWidget(m_end);
    row->addStretch();
    row->addWidget(m_factor);
    return row;
}

// The inputs are read once; what is typed meanwhile applies to the next enumeration.
void TwoVariableFactorizationWindow::Factor()
{
    RunScope run(this);
    if (run.refused())
        return;
    m_result->setText(QString());
    m_found.clear();
    m_listed = 0;
    const Outcome<EnumerationInputs> inputs
            = ReadEnumerationInputs({m_first->text(), m_end->text(), m_step->text(), m_a->text(),
                                     m_b->text(), m_c->text()});
    if (!inputs) {
        m_status->clear();
        m_progress->setValue(0);
        ShowOutcome(m_result, Outcome<QString>(Refuse(inputs.refusal())));
        return;
    }
    Enumeration enumeration(inputs->range, inputs->coefficients);
    // A maximum of 0 would turn the bar into a busy indicator.
    m_progress->setMaximum(std::max(1, enumeration.progressMaximum()));
    m_progress->setValue(0);
    if (!Enumerate(enumeration))
        return;
    m_status->setText(enumeration.FinalCaption());
    m_progress->setValue(m_progress->maximum()); // finished, whether the range ran or was refused
    if (m_listed == 0)
        m_result->setText(NoFactorizationText());
    else if (m_listed > MostListedLines)
        m_result->appendPlainText(ListCutText());
    PlaceCaretAtEnd();
}

// False once the window was closed meanwhile.
bool TwoVariableFactorizationWindow::Enumerate(Enumeration &enumeration)
{
    const auto found = [this](const Factors &factors) {
        if (++m_listed <= MostListedLines)
            m_found.append(FactorsText(factors));
    };
    const KeepGoing pace = Pace([&] {
        ShowFoundLines();
        ShowProgress(enumeration);
    });
    const auto keepGoing = [&] {
        if (m_found.size() >= ShownLinesPerBatch)
            ShowFoundLines();
        return m_listed <= MostListedLines && pace();
    };
    // Stopped by a full list, the enumeration still ends as finished.
    if (!enumeration.Finish(found, keepGoing) && isClosing())
        return false;
    ShowFoundLines();
    ShowProgress(enumeration);
    return true;
}

void TwoVariableFactorizationWindow::ShowProgress(const Enumeration &enumeration)
{
    // With a maximum of 0 every pass is the whole range.
    const int maximum = enumeration.progressMaximum();
    m_progress->setValue(maximum == 0 ? m_progress->maximum() : enumeration.progressPosition());
    m_status->setText(enumeration.ProgressCaption());
}

// Each line in the box ends where the next begins; the last one has no line break after it.
void TwoVariableFactorizationWindow::ShowFoundLines()
{
    if (m_found.isEmpty())
        return;
    m_result->appendPlainText(m_found.join(u'\n'));
    m_found.clear();
}

void TwoVariableFactorizationWindow::PlaceCaretAtEnd()
{
    m_result->setFocus();
    m_result->moveCursor(QTextCursor::End);
}
