#include "ui/messages.h"

#include "ui/controls.h"
#include "ui/inputmode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

void ShowMessage(const QString &text, const QString &caption, QWidget *parent)
{
    QMessageBox box(QMessageBox::NoIcon, caption, DisplayText(text), QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
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
