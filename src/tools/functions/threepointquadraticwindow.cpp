#include "tools/functions/threepointquadraticwindow.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/formulalabels.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Ui;
using namespace Eval;
using namespace Functions;

namespace {

const QString Heading = QStringLiteral("已知函数f(x)=ax+bx+c\r\n");
const QString PointCaption = QStringLiteral("f(     )=\r\n");
constexpr qsizetype PointSlotStart = 2; // the blanks between the parentheses
constexpr qsizetype PointSlotLength = 5;
// The first page's labels end at 标签8; each page after it has seven.
constexpr int FirstPageLabels = 8;
constexpr int LabelsPerPage = 7;

const QString CoefficientNames[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

// What a screen reader says for a control, where its name is only for the program.
template<typename Control>
Control *Reads(Control *control, const QString &text)
{
    control->setAccessibleName(text);
    return control;
}

template<typename Box>
Box *SizedForDigits(Box *box, int widthInDigits)
{
    WidenBoxTo(box, QString(widthInDigits, u'0'));
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

EditBox *NumberBox(const QString &name, int widthInDigits)
{
    return SizedForDigits(new EditBox(name), widthInDigits);
}

// Room for a fraction and its decimal, "-1/6≈-0.1666666666667".
constexpr int ResultDigits = 22;

template<typename Box>
Box *SizedAsResult(Box *box)
{
    SizedForDigits(box, ResultDigits);
    QFont larger = box->font();
    larger.setPointSizeF(larger.pointSizeF() + 1);
    box->setFont(larger);
    return box;
}

EditBox *ResultBox(const QString &name, const QString &coefficient)
{
    return Reads(SizedAsResult(new EditBox(name, InputMode::ReadOnly)),
                 QStringLiteral("系数 ") + coefficient);
}

QPushButton *ComputeButton(const QString &name)
{
    return Reads(MakePrimaryButton(name, QStringLiteral("计算")), QStringLiteral("计算"));
}

QLabel *HeadingLabel(const QString &name, const QString &exponentName)
{
    QLabel *exponent = MakeLabel(exponentName, QStringLiteral("2"));
    auto *heading = new SlotLabel(name, Heading, Heading.indexOf(QStringLiteral("x+")) + 1, 0,
                                  exponent, SlotLabel::Placement::Raised);
    return Reads(heading, QStringLiteral("已知函数f(x)=ax²+bx+c"));
}

// The brace and one row "f( x )= f(x)" for each point, the boxes made by the caller.
QGridLayout *PointRows(const QString &braceName, const QStringList &labelNames, EditBox *const *x,
                       EditBox *const *fx)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    grid->addWidget(new BraceLabel(braceName, QStringLiteral("﹛")), 0, 0, labelNames.size(), 1);
    for (int row = 0; row < labelNames.size(); ++row) {
        auto *label = new SlotLabel(labelNames[row], PointCaption, PointSlotStart, PointSlotLength,
                                    x[row]);
        grid->addWidget(Reads(label, QStringLiteral("第%1个点").arg(row + 1)), row, 1);
        grid->addWidget(fx[row], row, 2);
        Reads(x[row], QStringLiteral("第%1个点的x").arg(row + 1));
        Reads(fx[row], QStringLiteral("第%1个点的f(x)").arg(row + 1));
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

// "a=" and its box, after the row's earlier pairs.
void AddLabelledBox(QBoxLayout *row, const QString &labelName, const QString &caption, EditBox *box)
{
    if (row->count() > 0)
        row->addSpacing(Spacing::Groups - Spacing::Related);
    row->addWidget(Reads(MakeLabel(labelName, caption), caption));
    row->addWidget(box);
}

// An unseen pair as wide as a result and its caption, so that two results take the room of
// two of the first page's three.
void AddPlaceOfResult(QBoxLayout *row)
{
    QWidget *pair[] = {new QLabel(QStringLiteral("c=")), SizedAsResult(new QLineEdit)};
    for (QWidget *unseen : pair) {
        KeepPlaceWhenHidden(unseen);
        unseen->hide();
    }
    row->addSpacing(Spacing::Groups - Spacing::Related);
    row->addWidget(pair[0]);
    row->addWidget(pair[1]);
}

QHBoxLayout *BoxRow()
{
    QHBoxLayout *row = MakeRow();
    return row;
}

QVBoxLayout *PageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    return layout;
}

} // namespace

ThreePointQuadraticWindow::ThreePointQuadraticWindow()
    : ToolWindow(QStringLiteral("一元二次方程系数"))
{
    QTabWidget *tabs = MakeTabBox(QStringLiteral("选择夹1"));
    tabs->addTab(BuildFirstPage(), QStringLiteral("不知道任何系数"));
    const KnownCoefficient known[]
            = {KnownCoefficient::A, KnownCoefficient::B, KnownCoefficient::C};
    for (int i = 0; i < 3; ++i) {
        m_pages[i].known = known[i];
        tabs->addTab(BuildKnownCoefficientPage(m_pages[i]),
                     QStringLiteral("已知") + CoefficientNames[i]);
    }

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->addWidget(tabs);

    const QList<QWidget *> readingOrder{m_x[0],
                                        m_fx[0],
                                        m_x[1],
                                        m_fx[1],
                                        m_x[2],
                                        m_fx[2],
                                        findChild<QPushButton *>(QStringLiteral("按钮1")),
                                        m_a,
                                        m_b,
                                        m_c};
    SetTabOrder(readingOrder);
    m_x[0]->setFocus();
    FixSizeToContents();
}

QWidget *ThreePointQuadraticWindow::BuildFirstPage()
{
    auto *page = new QWidget;
    QVBoxLayout *layout = PageLayout(page);
    layout->addWidget(HeadingLabel(QStringLiteral("标签1"), QStringLiteral("透明标签1")));

    const QString xNames[]
            = {QStringLiteral("编辑框x"), QStringLiteral("编辑框y"), QStringLiteral("编辑框z")};
    for (int i = 0; i < 3; ++i) {
        m_x[i] = NumberBox(xNames[i], 8);
        m_fx[i] = NumberBox(QStringLiteral("编辑框f") + xNames[i].back(), 12);
    }
    layout->addLayout(
            PointRows(QStringLiteral("标签5"),
                      {QStringLiteral("标签2"), QStringLiteral("标签3"), QStringLiteral("标签4")},
                      m_x, m_fx));

    QPushButton *compute = ComputeButton(QStringLiteral("按钮1"));
    connect(compute, &QPushButton::clicked, this, &ThreePointQuadraticWindow::Fit);
    ClearWhenChanged({m_x[0], m_fx[0], m_x[1], m_fx[1], m_x[2], m_fx[2]}, this, [this] {
        for (EditBox *result : {m_a, m_b, m_c})
            result->clear();
    });
    layout->addWidget(compute, 0, Qt::AlignLeft);

    QHBoxLayout *results = BoxRow();
    m_a = ResultBox(QStringLiteral("编辑框a"), QStringLiteral("a"));
    m_b = ResultBox(QStringLiteral("编辑框b"), QStringLiteral("b"));
    m_c = ResultBox(QStringLiteral("编辑框c"), QStringLiteral("c"));
    AddLabelledBox(results, QStringLiteral("标签6"), QStringLiteral("a="), m_a);
    AddLabelledBox(results, QStringLiteral("标签8"), QStringLiteral("b="), m_b);
    AddLabelledBox(results, QStringLiteral("标签7"), QStringLiteral("c="), m_c);
    layout->addLayout(results);
    layout->addStretch();
    return page;
}

// Page n (2 to 4) names its controls after the first page's, with n at the end: 编辑框x2,
// 按钮2, 透明标签2; its labels continue the first page's numbers.
QWidget *ThreePointQuadraticWindow::BuildKnownCoefficientPage(KnownCoefficientPage &page)
{
    const int knownIndex = static_cast<int>(page.known);
    const QString number = QString::number(knownIndex + 2);
    const int firstLabel = FirstPageLabels + 1 + knownIndex * LabelsPerPage;
    const auto label = [firstLabel](int i) { return QStringLiteral("标签%1").arg(firstLabel + i); };
    const auto box = [&number](const QString &variable) {
        return QStringLiteral("编辑框") + variable + number;
    };

    auto *widget = new QWidget;
    QVBoxLayout *layout = PageLayout(widget);
    layout->addWidget(HeadingLabel(label(0), QStringLiteral("透明标签") + number));

    const QString &knownName = CoefficientNames[knownIndex];
    page.value = Reads(NumberBox(box(knownName), 12), QStringLiteral("已知系数 ") + knownName);
    QHBoxLayout *knownRow = BoxRow();
    AddLabelledBox(knownRow, label(1), knownName + u'=', page.value);
    knownRow->addStretch();
    layout->addLayout(knownRow);

    for (int i = 0; i < 2; ++i) {
        const QString variable = i == 0 ? QStringLiteral("x") : QStringLiteral("y");
        page.x[i] = NumberBox(box(variable), 8);
        page.fx[i] = NumberBox(box(u'f' + variable), 12);
    }
    layout->addLayout(PointRows(label(2), {label(3), label(4)}, page.x, page.fx));

    QPushButton *compute = ComputeButton(QStringLiteral("按钮") + number);
    connect(compute, &QPushButton::clicked, this, [this, &page] { FitWithKnownCoefficient(page); });
    OnEnter(page.fx[1], [this, &page] { FitWithKnownCoefficient(page); });
    layout->addWidget(compute, 0, Qt::AlignLeft);

    QHBoxLayout *results = BoxRow();
    int resultIndex = 0;
    for (int i = 0; i < 3; ++i) {
        if (i == knownIndex)
            continue;
        const QString caption = CoefficientNames[i] + u'=';
        page.results[resultIndex] = ResultBox(box(CoefficientNames[i]), CoefficientNames[i]);
        AddLabelledBox(results, label(5 + resultIndex), caption, page.results[resultIndex]);
        ++resultIndex;
    }
    AddPlaceOfResult(results);
    layout->addLayout(results);
    layout->addStretch();

    SetTabOrder({page.value, page.x[0], page.fx[0], page.x[1], page.fx[1], compute, page.results[0],
                 page.results[1]});
    return widget;
}

void ThreePointQuadraticWindow::Fit()
{
    const Outcome<QStringList> fit = FitTypedPoints({PointTexts{m_x[0]->text(), m_fx[0]->text()},
                                                     {m_x[1]->text(), m_fx[1]->text()},
                                                     {m_x[2]->text(), m_fx[2]->text()}});
    if (!fit) {
        // The old results no longer belong to the points; no parent for the message: the
        // close-all timer may delete this window while it is open.
        for (EditBox *result : {m_a, m_b, m_c})
            result->clear();
        ShowMessage(fit.refusal());
        return;
    }
    m_a->setText(fit->at(0));
    m_b->setText(fit->at(1));
    m_c->setText(fit->at(2));
}

void ThreePointQuadraticWindow::FitWithKnownCoefficient(const KnownCoefficientPage &page)
{
    const Outcome<QStringList> fit
            = FitTypedPointsWithKnown(page.known, page.value->text(),
                                      {PointTexts{page.x[0]->text(), page.fx[0]->text()},
                                       {page.x[1]->text(), page.fx[1]->text()}});
    if (!fit) {
        page.results[0]->clear(); // as on the first page
        page.results[1]->clear();
        ShowMessage(fit.refusal());
        return;
    }
    page.results[0]->setText(fit->at(0));
    page.results[1]->setText(fit->at(1));
}
