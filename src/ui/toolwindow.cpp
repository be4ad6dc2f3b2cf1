#include "ui/toolwindow.h"

#include "app/programstate.h"
#include "ui/controls.h"

#include <QApplication>
#include <QLayout>
#include <QTimer>

ToolWindow::ToolWindow(const QString &caption, const QString &timerName, int pollPeriodMs)
    : QWidget(nullptr, Qt::Window)
    , m_closePollTimer(MakeTimer(timerName, pollPeriodMs, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    NameControl(this, caption);
    connect(m_closePollTimer, &QTimer::timeout, this, &ToolWindow::PollCloseAllFlag);
}

void ToolWindow::SetClosePollPeriod(int periodMs)
{
    SetTimerPeriod(m_closePollTimer, periodMs);
}

void ToolWindow::FixSizeToContents()
{
    if (layout())
        layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ToolWindow::PollCloseAllFlag()
{
    // A message box runs its own event loop inside some handler of a window; closing (and so
    // deleting) a window under it would pull the window away from that handler. The next tick
    // after the message has gone closes it.
    if (Program().closeAllTools == 1 && !QApplication::activeModalWidget())
        close();
}
