#include "tools/arith/numberinfowindow.h"

#include "tools/arith/numberinfo.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollBar>

using namespace Ui;
using namespace Arith;

namespace {

// Ten lines of the report in view.
constexpr int ReportLines = 10;

} // namespace

NumberInfoWindow::NumberInfoWindow()
    : ToolWindow(QStringLiteral("数字信息"))
    , m_input(new EditBox(QStringLiteral("输入"), InputMode::Real))
    , m_output(new MultiLineEditBox(QStringLiteral("输出"), InputMode::ReadOnly))
{
    SetRole(m_output, Role::Result);
    m_output->ensurePolished();
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A full line of the divisor list: five of the largest divisors nine characters allow.
    const QString widestLine = QStringLiteral("49999999  ").repeated(5);
    m_output->setFixedSize(BoxWidthFor(m_output, widestLine)
                                   + m_output->verticalScrollBar()->sizeHint().width(),
                           m_output->fontMetrics().lineSpacing() * ReportLines + 16);

    QHBoxLayout *inputRow = MakeRow();
    inputRow->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("请输入数字：")));
    inputRow->addWidget(m_input, 1);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addLayout(inputRow);
    layout->addWidget(m_output);

    connect(m_input, &EditBox::ContentChanged, this, &NumberInfoWindow::InputChanged);
    m_input->setFocus();
    FixSizeToContents();
}

// A text that breaks an input rule loses the character before the caret, which the last
// keystroke typed; the change that follows checks the rules again. One Backspace per change,
// so a keystroke that breaks two rules at once takes away only itself. The keystroke goes to
// the focused control, so it is only sent while that is the input.
void NumberInfoWindow::InputChanged()
{
    const QString text = m_input->text();
    if (BreaksNumberInputRules(text) && m_input->hasFocus())
        SendKeystroke(VirtualKey::Backspace);
    m_output->setText(NumberReport(text));
}
