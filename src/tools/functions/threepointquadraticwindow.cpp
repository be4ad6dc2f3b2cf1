#include "tools/functions/threepointquadraticwindow.h"

#include "eval/numbertext.h"
#include "tools/functions/threepointquadraticlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/formulalabels.h"
#include "ui/messages.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString PointCaption = QStringLiteral("f(     )=\r\n");
constexpr qsizetype PointSlotStart = 2; // the blanks between the parentheses
constexpr qsizetype PointSlotLength = 5;

EditBox *NumberBox(const QString &name, int widthInDigits, InputMode mode = InputMode::Normal)
{
    auto *box = new EditBox(name, mode);
    WidenBoxTo(box, QString(widthInDigits, u'0'));
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

} // namespace

ThreePointQuadraticWindow::ThreePointQuadraticWindow()
    : ToolWindow(QStringLiteral("一元二次方程系数"))
{
    QTabWidget *tabs = MakeTabBox(QStringLiteral("选择夹1"));
    tabs->addTab(BuildFirstPage(), QStringLiteral("不知道任何系数"));
    for (const QString &caption :
         {QStringLiteral("已知a"), QStringLiteral("已知b"), QStringLiteral("已知c")})
        tabs->addTab(new QWidget, caption);

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
    auto *layout = new QVBoxLayout(page);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);

    const QString heading = QStringLiteral("已知函数f(x)=ax+bx+c\r\n");
    QLabel *exponent = MakeLabel(QStringLiteral("透明标签1"), QStringLiteral("2"));
    layout->addWidget(new SlotLabel(QStringLiteral("标签1"), heading,
                                    heading.indexOf(QStringLiteral("x+")) + 1, 0, exponent,
                                    SlotLabel::Placement::Raised));

    auto *points = new QGridLayout;
    points->setHorizontalSpacing(Spacing::Related);
    points->setVerticalSpacing(Spacing::Related);
    points->addWidget(new BraceLabel(QStringLiteral("标签5"), QStringLiteral("﹛")), 0, 0, 3, 1);
    AddPointRow(points, 0, QStringLiteral("标签2"), QStringLiteral("编辑框x"),
                QStringLiteral("编辑框fx"));
    AddPointRow(points, 1, QStringLiteral("标签3"), QStringLiteral("编辑框y"),
                QStringLiteral("编辑框fy"));
    AddPointRow(points, 2, QStringLiteral("标签4"), QStringLiteral("编辑框z"),
                QStringLiteral("编辑框fz"));
    points->setColumnStretch(3, 1);
    layout->addLayout(points);

    QPushButton *compute = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算"));
    connect(compute, &QPushButton::clicked, this, &ThreePointQuadraticWindow::Fit);
    ClearWhenChanged({m_x[0], m_fx[0], m_x[1], m_fx[1], m_x[2], m_fx[2]}, this, [this] {
        for (EditBox *result : {m_a, m_b, m_c})
            result->clear();
    });
    layout->addWidget(compute, 0, Qt::AlignLeft);
    layout->addLayout(BuildResultRow());
    layout->addStretch();
    return page;
}

void ThreePointQuadraticWindow::AddPointRow(QGridLayout *grid, int row, const QString &labelName,
                                            const QString &xName, const QString &fxName)
{
    m_x[row] = NumberBox(xName, 8);
    m_fx[row] = NumberBox(fxName, 12);
    grid->addWidget(
            new SlotLabel(labelName, PointCaption, PointSlotStart, PointSlotLength, m_x[row]), row,
            1);
    grid->addWidget(m_fx[row], row, 2);
}

QHBoxLayout *ThreePointQuadraticWindow::BuildResultRow()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(Spacing::Related);
    const auto addResult
            = [row](const QString &labelName, const QString &caption, const QString &boxName) {
                  if (row->count() > 0)
                      row->addSpacing(Spacing::Groups - Spacing::Related);
                  row->addWidget(MakeLabel(labelName, caption));
                  EditBox *box = NumberBox(boxName, 13, InputMode::ReadOnly);
                  QFont larger = box->font();
                  larger.setPointSizeF(larger.pointSizeF() + 1);
                  box->setFont(larger);
                  row->addWidget(box);
                  return box;
              };
    m_a = addResult(QStringLiteral("标签6"), QStringLiteral("a="), QStringLiteral("编辑框a"));
    m_b = addResult(QStringLiteral("标签8"), QStringLiteral("b="), QStringLiteral("编辑框b"));
    m_c = addResult(QStringLiteral("标签7"), QStringLiteral("c="), QStringLiteral("编辑框c"));
    return row;
}

void ThreePointQuadraticWindow::Fit()
{
    GraphPoint points[3];
    for (int i = 0; i < 3; ++i)
        points[i] = {TextToNumber(m_x[i]->text()), TextToNumber(m_fx[i]->text())};
    const auto coefficients = FitQuadraticThroughPoints(points[0], points[1], points[2]);
    if (!coefficients) {
        // No parent: the close-all timer may delete this window while the message is open.
        ShowMessage(QStringLiteral("请检查函数自变量，有相同自变量！"));
        return;
    }
    m_a->setText(NumberToText(coefficients->a));
    m_b->setText(NumberToText(coefficients->b));
    m_c->setText(NumberToText(coefficients->c));
}
