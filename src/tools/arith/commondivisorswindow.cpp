#include "tools/arith/commondivisorswindow.h"

#include "tools/arith/commondivisors.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/formulaparts.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

constexpr int ResultLines = 10;

// A result control in the results' font, as wide as the largest divisor the window holds,
// with its scroll bar.
void FitResultControl(QAbstractScrollArea *control)
{
    SetRole(control, Role::Result);
    control->ensurePolished();
    control->setFixedSize(BoxWidthFor(control, QStringLiteral("2147483647 "))
                                  + control->verticalScrollBar()->sizeHint().width(),
                          control->fontMetrics().lineSpacing() * ResultLines + 16);
    control->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// "文本框：       列表框：" with each word standing over its control.
QLabel *MakeResultsHeading(int controlWidth)
{
    QHBoxLayout *words = MakeRow();
    for (const QString &word : {QStringLiteral("文本框："), QStringLiteral("列表框：")}) {
        QLabel *piece = MakeTextPiece(word);
        piece->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        piece->setFixedWidth(controlWidth);
        words->addWidget(piece);
    }
    return new PiecedLabel(QStringLiteral("标签4"), QStringLiteral("文本框：       列表框："),
                           words);
}

} // namespace

CommonDivisorsWindow::CommonDivisorsWindow()
    : ToolWindow(QStringLiteral("公因数"))
    , m_first(new EditBox(QStringLiteral("公因数1")))
    , m_second(new EditBox(QStringLiteral("公因数2")))
    , m_lines(new MultiLineEditBox(QStringLiteral("公因数结果"), InputMode::ReadOnly))
    , m_list(MakeListBox(QStringLiteral("列表框1")))
{
    m_first->setAccessibleName(QStringLiteral("第1个数"));
    m_second->setAccessibleName(QStringLiteral("第2个数"));
    m_list->setAccessibleName(QStringLiteral("公因数列表"));
    for (EditBox *box : {m_first, m_second}) {
        box->SetMaximumLength(4);
        FitBoxTo(box, QStringLiteral("-999"));
    }
    FitResultControl(m_lines);
    FitResultControl(m_list);

    auto *inputs = new QGridLayout;
    inputs->setSpacing(Spacing::Related);
    inputs->addWidget(m_first, 0, 0);
    inputs->addWidget(MakeUnitLabel(QStringLiteral("标签2"), QStringLiteral("最高3位")), 0, 1);
    inputs->addWidget(m_second, 1, 0);
    inputs->addWidget(MakeUnitLabel(QStringLiteral("标签3"), QStringLiteral("最高4位")), 1, 1);
    inputs->setColumnStretch(2, 1);

    QHBoxLayout *results = MakeRow();
    results->addWidget(m_lines);
    results->addWidget(m_list);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addLayout(inputs);
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("公因数：")));
    layout->addWidget(MakeResultsHeading(m_lines->width()));
    layout->addLayout(results);

    for (EditBox *box : {m_first, m_second})
        connect(box, &EditBox::ContentChanged, this, &CommonDivisorsWindow::ListCommonDivisors);
    SetTabOrder({m_first, m_second, m_lines, m_list});
    m_first->setFocus();
    FixSizeToContents();
}

void CommonDivisorsWindow::ListCommonDivisors()
{
    const Outcome<QStringList> divisors = CommonDivisorTexts(m_first->text(), m_second->text());
    if (!divisors) {
        // Emptied first, so no list for another number stays beside the message.
        ShowDivisors({});
        if (!divisors.refusal().isEmpty()) // silent while a number is being typed
            ShowMessage(divisors.refusal());
        return;
    }
    ShowDivisors(*divisors);
}

void CommonDivisorsWindow::ShowDivisors(const QStringList &divisors)
{
    QString lines;
    for (const QString &divisor : divisors)
        lines += divisor + QLatin1String("\r\n");
    m_lines->setText(lines);
    m_list->clear();
    m_list->addItems(divisors);
}
