#include "tools/applied/kinematicspageview.h"

#include "tools/applied/kinematicslogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/inlinecaption.h"
#include "ui/linedrows.h"
#include "ui/style.h"

#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace Ui;
using namespace Applied;

namespace {

constexpr int InputLength = 7;

// "t:\r\n\r\nv0:\r\n\r\na:"
QString KnownsLabelText(const QStringList &knowns)
{
    QStringList lines;
    for (const QString &known : knowns)
        lines << known + u':';
    return lines.join(QLatin1String("\r\n\r\n"));
}

// What a screen reader says for the box of a known quantity.
QString SpokenQuantity(const QString &symbol)
{
    static const QHash<QString, QString> names = {{QStringLiteral("x"), QStringLiteral("位移")},
                                                  {QStringLiteral("t"), QStringLiteral("时间")},
                                                  {QStringLiteral("v0"), QStringLiteral("初速度")},
                                                  {QStringLiteral("v"), QStringLiteral("末速度")},
                                                  {QStringLiteral("a"), QStringLiteral("加速度")}};
    return names.value(symbol) + u' ' + symbol;
}

} // namespace

KinematicsPageView::KinematicsPageView(const KinematicsPage &page, QWidget *parent)
    : QWidget(parent)
    , m_page(page)
    , m_subPages(MakeTabBox(page.tabBox))
{
    m_subPages->setUsesScrollButtons(false);
    EditBox *shared = page.resultOnSubPages ? nullptr
                                            : MakeWatchedResultBox(page.formulas.front().resultBox);
    for (const KinematicsFormula &formula : page.formulas)
        m_subPages->addTab(BuildSubPage(formula, shared), formula.caption);
    for (const QList<EditBox *> &inputs : m_inputs)
        ClearWhenChanged({inputs.begin(), inputs.end()}, this, [this] { emit InputsChanged(); });
    connect(m_subPages, &QTabWidget::currentChanged, this, &KinematicsPageView::InputsChanged);

    auto *side = new QVBoxLayout;
    side->setSpacing(Spacing::Related);
    if (shared)
        side->addLayout(BuildResultRow(page.formulas.front(), shared));
    QPushButton *compute = MakePrimaryButton(page.button, QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &KinematicsPageView::Compute);
    side->addWidget(compute, 0, Qt::AlignLeft);
    side->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(Spacing::Related, Spacing::Related, Spacing::Related,
                               Spacing::Related);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(m_subPages);
    layout->addLayout(side);
}

void KinematicsPageView::Compute()
{
    const auto index = static_cast<size_t>(m_subPages->currentIndex());
    QStringList texts;
    for (const EditBox *input : m_inputs.at(index))
        texts << input->text();
    ShowOutcome(m_results.at(index), KinematicsResult(m_page.formulas.at(index), texts));
}

void KinematicsPageView::ClearResult()
{
    const auto index = static_cast<size_t>(m_subPages->currentIndex());
    ShowOutcome(m_results.at(index), QString());
}

QWidget *KinematicsPageView::BuildSubPage(const KinematicsFormula &formula, EditBox *sharedResult)
{
    auto *subPage = new QWidget;
    QList<EditBox *> inputs;
    QList<QWidget *> rows;
    for (int index = 0; index < formula.knowns.size(); ++index) {
        inputs << BuildInputBox(formula, index);
        rows << inputs.back();
    }
    m_inputs.push_back(inputs);
    QLabel *names = MakeLabel(formula.boxPrefix + QStringLiteral("标签"),
                              KnownsLabelText(formula.knowns));

    auto *layout = new QVBoxLayout(subPage);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addLayout(MakeLinedRows(names, rows));
    m_results.push_back(sharedResult ? sharedResult : MakeWatchedResultBox(formula.resultBox));
    if (!sharedResult)
        layout->addLayout(BuildResultRow(formula, m_results.back()));
    layout->addStretch();
    return subPage;
}

EditBox *KinematicsPageView::BuildInputBox(const KinematicsFormula &formula, int knownIndex)
{
    const QString known = formula.knowns.at(knownIndex);
    // Decimal text rather than a real-number box: a real-number box empties a typed 0 when the
    // focus leaves, which would turn a valid zero speed or time into an error.
    auto *box = new EditBox(InputBoxName(formula, knownIndex), InputMode::DecimalText);
    box->SetMaximumLength(InputLength);
    box->setAccessibleName(SpokenQuantity(known));
    box->setText(InitialInputText(known));
    FitBoxTo(box, QStringLiteral("-00000000"));
    if (known == QLatin1String("v0") && m_page.v0BoxesClearOnFocus)
        connect(box, &EditBox::GotFocus, box, &EditBox::clear);
    return box;
}

QLayout *KinematicsPageView::BuildResultRow(const KinematicsFormula &formula, EditBox *result)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(BuildResultCaption(formula));
    row->addSpacing(Spacing::Related);
    row->addWidget(result);
    return row;
}

// "x=", or "v  =" with the subscript "(1/2)t" set into its blanks.
QLabel *KinematicsPageView::BuildResultCaption(const KinematicsFormula &formula)
{
    const QString name = formula.resultBox + QStringLiteral("标签");
    if (formula.resultSubscript.isEmpty()) {
        QLabel *caption = MakeLabel(name, m_page.resultCaption);
        SetRole(caption, Role::Result);
        return caption;
    }
    QLabel *subscript
            = MakeLabel(formula.resultBox + QStringLiteral("下标"), formula.resultSubscript);
    subscript->ensurePolished();
    // The top margin lowers the subscript below the line of the caption.
    subscript->setContentsMargins(0, subscript->fontMetrics().height(), 0, 0);
    auto *caption = new InlineCaption(name, m_page.resultCaption, {subscript}, 0);
    SetRole(caption, Role::Result);
    return caption;
}

EditBox *KinematicsPageView::MakeWatchedResultBox(const QString &name)
{
    EditBox *result = MakeResultBox(name, false);
    result->setAccessibleName(QStringLiteral("结果 ")
                              + QString(name).remove(QStringLiteral("结果")));
    connect(result, &EditBox::GotFocus, this, &KinematicsPageView::ResultFocusGained);
    connect(result, &EditBox::LostFocus, this, &KinematicsPageView::ResultFocusLost);
    return result;
}
