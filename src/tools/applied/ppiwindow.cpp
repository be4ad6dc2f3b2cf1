#include "tools/applied/ppiwindow.h"

#include "tools/applied/ppilogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/inlinecaption.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QLabel>

using namespace Applied;

namespace {

// Wide enough for a resolution or a diagonal with a few decimals.
void SetNumberWidth(EditBox *box, int digits)
{
    FitBoxTo(box, QString(digits, u'0'));
}

// Enter in `from` moves the input focus to `to`.
void MoveFocusOnEnter(EditBox *from, EditBox *to)
{
    OnEnter(from, [to] { to->setFocus(Qt::TabFocusReason); });
}

} // namespace

PpiWindow::PpiWindow()
    : ToolWindow(QStringLiteral("屏幕PPI"))
    , m_width(new EditBox(QStringLiteral("分辨率1")))
    , m_height(new EditBox(QStringLiteral("分辨率2")))
    , m_diagonal(new EditBox(QStringLiteral("屏幕尺寸")))
    , m_ppi(MakeResultBox(QStringLiteral("PPI")))
{
    m_width->setAccessibleName(QStringLiteral("横向分辨率"));
    m_height->setAccessibleName(QStringLiteral("纵向分辨率"));
    for (EditBox *box : {m_width, m_height, m_diagonal})
        SetNumberWidth(box, 7);
    BuildLayout();

    for (EditBox *box : {m_width, m_height, m_diagonal})
        connect(box, &EditBox::ContentChanged, this, &PpiWindow::InputChanged);
    MoveFocusOnEnter(m_width, m_height);
    MoveFocusOnEnter(m_height, m_diagonal);

    SetTabOrder({m_width, m_height, m_diagonal, m_ppi});
    m_width->setFocus();
    FixSizeToContents();
}

void PpiWindow::BuildLayout()
{
    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    grid->addWidget(new InlineCaption(QStringLiteral("标签21"), QStringLiteral("分辨率：     ×"),
                                      {m_width, m_height}),
                    0, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(new InlineCaption(QStringLiteral("标签24"),
                                      QStringLiteral("屏幕尺寸：         寸"), {m_diagonal}),
                    1, 0, 1, 2, Qt::AlignLeft);
    grid->setRowMinimumHeight(2, Spacing::Groups - Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签25"), QStringLiteral("PPI=")), 3, 0);
    grid->addWidget(m_ppi, 3, 1);
}

void PpiWindow::InputChanged()
{
    ShowOutcome(m_ppi, PpiFor(m_width->text(), m_height->text(), m_diagonal->text()));
}
