#include "tools/arith/bignumberwindow.h"

#include "tools/arith/bignumberlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "ui/style.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

using namespace Ui;
using namespace Arith;

namespace {

// The width the window was first drawn with, a given size in pixels.
constexpr int WindowWidth = 419;
constexpr int LinesPerBox = 3;

MultiLineEditBox *MakeNumberBox(const QString &name)
{
    auto *box = new MultiLineEditBox(name, InputMode::IntegerText);
    box->setTabChangesFocus(true);
    box->setMinimumWidth(WindowWidth - 2 * Spacing::WindowMargin);
    FixHeightInLines(box, LinesPerBox);
    WrapAsNumbers(box);
    box->SetCapacity(MultiLineEditBox::LongestNumberText);
    return box;
}

// The radio boxes in the order of BigNumberOperation.
QHBoxLayout *AddOperations(QButtonGroup *group)
{
    const QStringList captions = {
            QStringLiteral("乘"), QStringLiteral("除"),   QStringLiteral("加"),
            QStringLiteral("减"), QStringLiteral("求模"), QStringLiteral("比较大小"),
    };
    auto *row = new QHBoxLayout;
    row->setSpacing(Spacing::Groups);
    for (int i = 0; i < captions.size(); ++i) {
        QRadioButton *radio = MakeRadioBox(QStringLiteral("单选框%1").arg(i + 1), captions.at(i));
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    row->addStretch();
    group->button(int(BigNumberOperation::Product))->setChecked(true);
    return row;
}

} // namespace

BigNumberWindow::BigNumberWindow()
    : ToolWindow(QStringLiteral("大数运算"))
    , m_first(MakeNumberBox(QStringLiteral("编辑框1")))
    , m_second(MakeNumberBox(QStringLiteral("编辑框2")))
    , m_result(new LongTextBox(QStringLiteral("编辑框3")))
    , m_operations(new QButtonGroup(this))
{
    FixHeightInLines(m_result, LinesPerBox);
    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("第1个数：")));
    layout->addWidget(m_first);
    layout->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("第2个数：")));
    layout->addWidget(m_second);
    layout->addLayout(AddOperations(m_operations));
    layout->addSpacing(Spacing::Groups - Spacing::Related);
    layout->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("结果：")));
    layout->addWidget(m_result);

    connect(m_first, &MultiLineEditBox::ContentChanged, this, &BigNumberWindow::Calculate);
    connect(m_second, &MultiLineEditBox::ContentChanged, this, &BigNumberWindow::Calculate);
    connect(m_operations, &QButtonGroup::idClicked, this, &BigNumberWindow::Calculate);
    m_first->setFocus();
    FixSizeToContents();
}

void BigNumberWindow::Calculate()
{
    const auto operation = BigNumberOperation(m_operations->checkedId());
    ShowOutcome(m_result, CalculateBigNumbers(m_first->text(), m_second->text(), operation));
}
