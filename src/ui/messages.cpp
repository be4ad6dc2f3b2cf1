#include "ui/messages.h"

#include "ui/controls.h"
#include "ui/inputmode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

using namespace Ui;

namespace {

// A message box that places itself over a window it does not belong to.
class MessageBox : public QMessageBox
{
public:
    MessageBox(const QString &text, const QString &caption, QWidget *parent, QWidget *over,
               StandardButtons buttons = QMessageBox::Ok)
        : QMessageBox(QMessageBox::NoIcon, caption, DisplayText(text), buttons, parent)
        , m_over(over)
    {
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        // Only now is the box laid out to its final size; centring keeps it on that screen.
        if (!parentWidget() && m_over && m_over->isVisible())
            adjustPosition(m_over);
    }

private:
    QPointer<QWidget> m_over;
};

} // namespace

void ShowMessage(const QString &text, const QString &caption, QWidget *parent, QWidget *over)
{
    MessageBox box(text, caption, parent, over ? over : QApplication::activeWindow());
    box.exec();
}

bool AskToConfirm(const QString &text, const QString &caption, QWidget *over)
{
    MessageBox box(text, caption, nullptr, over ? over : QApplication::activeWindow(),
                   QMessageBox::Ok | QMessageBox::Cancel);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void SendKeystroke(int virtualKey)
{
    const int key = QtKeyForVirtualKey(virtualKey);
    QMetaObject::invokeMethod(
            qApp,
            [key] {
                QWidget *target = QApplication::focusWidget();
                if (!target)
                    return;
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(target, &press);
                if (QApplication::focusWidget() != target)
                    return;
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
                QApplication::sendEvent(target, &release);
            },
            Qt::QueuedConnection);
}

void ProcessPendingEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
