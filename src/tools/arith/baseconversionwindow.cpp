#include "tools/arith/baseconversionwindow.h"

#include "tools/arith/baseconversionlogic.h"
#include "tools/arith/numberworking.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "ui/style.h"
#include "ui/workingpanel.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Arith;

namespace {

// As wide as its sibling "大数运算".
constexpr int WindowWidth = 419;
constexpr int LinesPerBox = 4;

QComboBox *MakeBaseList(const QString &name, int selectedBase)
{
    QComboBox *list = MakeComboBox(name);
    for (int base = SmallestBase; base <= LargestBase; ++base)
        list->addItem(QString::number(base));
    list->setCurrentText(QString::number(selectedBase));
    return list;
}

int SelectedBase(const QComboBox *list)
{
    return BaseAt(list->currentIndex());
}

} // namespace

BaseConversionWindow::BaseConversionWindow()
    : ToolWindow(QStringLiteral("进制转换"))
    , m_number(new MultiLineEditBox(QStringLiteral("欲转换编辑框")))
    , m_fromBase(MakeBaseList(QStringLiteral("被转换进制组合框"), 10))
    , m_toBase(MakeBaseList(QStringLiteral("转换的进制组合框"), 16))
    , m_result(new LongTextBox(QStringLiteral("结果编辑框")))
{
    m_fromBase->setAccessibleName(QStringLiteral("原来的进制"));
    m_toBase->setAccessibleName(QStringLiteral("转换成的进制"));
    m_number->setAccessibleName(QStringLiteral("欲转换的数"));
    m_number->setTabChangesFocus(true);
    m_number->setMinimumWidth(WindowWidth - 2 * Spacing::WindowMargin);
    FixHeightInLines(m_number, LinesPerBox);
    WrapAsNumbers(m_number);
    m_number->SetCapacity(MultiLineEditBox::LongestNumberText);
    FixHeightInLines(m_result, LinesPerBox);

    QHBoxLayout *bases = MakeRow();
    bases->addWidget(m_fromBase);
    bases->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("进制")));
    bases->addStretch();
    bases->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("------------→")));
    bases->addStretch();
    bases->addWidget(m_toBase);
    bases->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("进制")));

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(m_number);
    layout->addLayout(bases);
    layout->addWidget(m_result);
    m_working = new WorkingPanel([this] {
        return BaseConversionWorking(m_number->text(), SelectedBase(m_fromBase),
                                     SelectedBase(m_toBase));
    });
    layout->addWidget(m_working->toggle(), 0, Qt::AlignRight);
    layout->addWidget(m_working);
    connect(m_number, &MultiLineEditBox::ContentChanged, m_working, &WorkingPanel::Refresh);
    connect(m_fromBase, &QComboBox::currentIndexChanged, m_working, &WorkingPanel::Refresh);
    connect(m_toBase, &QComboBox::currentIndexChanged, m_working, &WorkingPanel::Refresh);

    connect(m_number, &MultiLineEditBox::ContentChanged, this, &BaseConversionWindow::Convert);
    connect(m_fromBase, &QComboBox::currentIndexChanged, this, &BaseConversionWindow::Convert);
    connect(m_toBase, &QComboBox::currentIndexChanged, this, &BaseConversionWindow::Convert);
    m_number->setFocus();
    FixSizeToContents();
}

void BaseConversionWindow::Convert()
{
    ShowOutcome(m_result,
                ConvertBase(m_number->text(), SelectedBase(m_fromBase), SelectedBase(m_toBase)));
}
