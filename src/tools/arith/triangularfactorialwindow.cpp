#include "tools/arith/triangularfactorialwindow.h"

#include "tools/arith/serieslogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulaparts.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QLabel>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

// Room for the longest results: the largest sum and 99!.
const QString WidestResult = QStringLiteral("9.332621544394e+155");
// Lines that hold the 156 digits of 99! beside their caption.
constexpr int ExactLines = 6;

} // namespace

TriangularFactorialWindow::TriangularFactorialWindow()
    : ToolWindow(QStringLiteral("阶加/阶乘"))
    , m_sumInput(new EditBox(QStringLiteral("阶加输入框"), InputMode::IntegerText))
    , m_sum(MakeResultBox(QStringLiteral("阶加输出框")))
    , m_productInput(new EditBox(QStringLiteral("阶乘输入框")))
    , m_product(MakeResultBox(QStringLiteral("阶乘输出框"), false))
    , m_exactProduct(new MultiLineEditBox(QStringLiteral("阶乘精确值"), InputMode::ReadOnly))
{
    m_product->setAccessibleName(QStringLiteral("阶乘的结果"));
    for (EditBox *input : {m_sumInput, m_productInput})
        FitBoxTo(input, QStringLiteral("-99999999"));
    for (EditBox *result : {m_sum, m_product}) {
        result->ensurePolished(); // the result font comes from the style sheet
        FitBoxTo(result, WidestResult);
    }

    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签6"), QStringLiteral("1＋2＋…＋")), 0, 0,
                    Qt::AlignRight);
    grid->addWidget(m_sumInput, 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签8"), QStringLiteral("＝")), 0, 2);
    grid->addWidget(m_sum, 0, 3);
    grid->addWidget(MakeLabel(QStringLiteral("标签7"), QStringLiteral("1×2×…×")), 1, 0,
                    Qt::AlignRight);
    grid->addWidget(m_productInput, 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签9"), QStringLiteral("＝")), 1, 2);
    grid->addWidget(m_product, 1, 3);
    m_exactCaption = MakeLabel(QStringLiteral("标签10"), QStringLiteral("精确值："));
    grid->addWidget(m_exactCaption, 2, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(BuildExactProduct(), 2, 1, 1, 3);

    connect(m_sumInput, &EditBox::ContentChanged, this,
            &TriangularFactorialWindow::SumInputChanged);
    connect(m_productInput, &EditBox::ContentChanged, this,
            &TriangularFactorialWindow::ProductInputChanged);

    SetTabOrder({m_sumInput, m_sum, m_productInput, m_product, m_exactProduct});
    m_sumInput->setFocus();
    FixSizeToContents();
}

// Every digit of a product that its number text rounds, under it: a box that wraps anywhere,
// so that the 156 digits of 99! show without scrolling.
QWidget *TriangularFactorialWindow::BuildExactProduct()
{
    m_exactProduct->setAccessibleName(QStringLiteral("阶乘的精确值"));
    UseResultFont(m_exactProduct);
    m_exactProduct->setWordWrapMode(QTextOption::WrapAnywhere);
    m_exactProduct->setFixedHeight(m_exactProduct->fontMetrics().lineSpacing() * ExactLines
                                   + 2 * (m_exactProduct->frameWidth() + 4));
    for (QWidget *shown :
         {static_cast<QWidget *>(m_exactCaption), static_cast<QWidget *>(m_exactProduct)}) {
        KeepPlaceWhenHidden(shown);
        shown->hide();
    }
    return m_exactProduct;
}

// Setting the shortened text raises another change, which shows its result; Qt leaves the
// caret at the end of the new text, where the user goes on typing.
bool TriangularFactorialWindow::CutToLimit(EditBox *box, int limit, const QString &message)
{
    const std::optional<QString> cut = Arith::TextCutToLimit(box->text(), limit);
    if (!cut)
        return false;
    ShowMessage(message);
    box->setText(*cut);
    return true;
}

void TriangularFactorialWindow::SumInputChanged()
{
    if (CutToLimit(m_sumInput, SumInputLimit, SumTooLongMessage))
        return;
    const Outcome<QString> sum = TriangularSumText(m_sumInput->text());
    if (!sum) {
        ShowMessage(sum.refusal());
        m_sum->clear();
        return;
    }
    m_sum->setText(*sum);
}

void TriangularFactorialWindow::ProductInputChanged()
{
    if (CutToLimit(m_productInput, ProductInputLimit, ProductTooLongMessage))
        return;
    ShowOutcome(m_product, FactorialText(m_productInput->text()));
    const QString exact = ExactFactorialText(m_productInput->text());
    m_exactProduct->setText(exact);
    m_exactProduct->setVisible(!exact.isEmpty());
    m_exactCaption->setVisible(!exact.isEmpty());
}
