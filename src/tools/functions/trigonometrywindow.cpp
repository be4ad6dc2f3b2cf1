#include "tools/functions/trigonometrywindow.h"

#include "tools/functions/trigonometrylogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/rownameslabel.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QLabel>

using namespace Functions;

namespace {

EditBox *MakeOutputBox(const QString &name)
{
    EditBox *box = MakeResultBox(name);
    box->ensurePolished(); // the result font comes from the style sheet
    // A tangent just short of a right angle is the longest value a typical angle gives.
    WidenBoxTo(box, QStringLiteral("-22273405433.95000"));
    return box;
}

} // namespace

TrigonometryWindow::TrigonometryWindow()
    : ToolWindow(QStringLiteral("三角函数"))
    , m_degrees(new EditBox(QStringLiteral("三角函数输入")))
    , m_sine(MakeOutputBox(QStringLiteral("sin输出")))
    , m_cosine(MakeOutputBox(QStringLiteral("cos输出")))
    , m_tangent(MakeOutputBox(QStringLiteral("tan输出")))
{
    m_degrees->setAccessibleName(QStringLiteral("角度（度）"));
    m_degrees->ensurePolished();
    WidenBoxTo(m_degrees, QString(10, u'0'));
    connect(m_degrees, &EditBox::ContentChanged, this, &TrigonometryWindow::Evaluate);

    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    grid->addWidget(new RowNamesLabel(QStringLiteral("标签10"),
                                      QStringLiteral("sin\r\ncos\r\ntan\r\n"),
                                      {m_sine, m_cosine, m_tangent}),
                    0, 0, 3, 1);
    grid->addWidget(m_degrees, 1, 1);
    grid->addWidget(MakeLabel(QStringLiteral("标签11"), QStringLiteral("=")), 1, 2);
    grid->addWidget(m_sine, 0, 3);
    grid->addWidget(m_cosine, 1, 3);
    grid->addWidget(m_tangent, 2, 3);

    m_degrees->setFocus();
    FixSizeToContents();
}

void TrigonometryWindow::Evaluate()
{
    const TrigonometryTexts texts = TrigonometryOfDegrees(m_degrees->text());
    m_sine->setText(texts.sine);
    m_cosine->setText(texts.cosine);
    m_tangent->setText(texts.tangent);
}
