#include "windowtest.h"

#include "app/programstate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

QList<ShownMessage> WindowTest::TakeMessages()
{
    return std::exchange(m_messages, {});
}

bool WindowTest::ShowAndActivate(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void WindowTest::init()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // Settings that cannot stay beside the program go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    m_runDirectory = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runDirectory->isValid());
    App::Program().runDirectory = m_runDirectory->path();
    App::ResetProgramState();
    m_messages.clear();
    m_answerDelayMs = 0;
    m_watcher = new QTimer(this);
    connect(m_watcher, &QTimer::timeout, this, &WindowTest::AnswerModalDialog);
    m_watcher->start(5);
}

void WindowTest::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_watcher;
    m_watcher = nullptr;
    const QList<ShownMessage> unexpected = TakeMessages();
    m_runDirectory.reset();
    for (const ShownMessage &message : unexpected)
        qWarning("Unexpected message: %s | %s", qPrintable(message.caption),
                 qPrintable(message.text));
    QVERIFY2(unexpected.isEmpty(), "a message box opened that the test did not expect");
}

void WindowTest::AnswerModalDialog()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (modal != m_openDialog) {
        m_openDialog = modal;
        m_openFor.start();
    }
    if (m_openFor.elapsed() < m_answerDelayMs)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        QStringList buttons;
        for (const QAbstractButton *button : box->buttons())
            buttons.append(button->text());
        m_messages.append({box->windowTitle(), box->text(), buttons, box->geometry()});
        box->done(QMessageBox::Ok);
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        m_messages.append(
                {dialog->windowTitle(), QStringLiteral("(dialog)"), {}, dialog->geometry()});
        dialog->reject();
    }
}

bool WaitForTicks(QTimer *timer, int ticks)
{
    QSignalSpy spy(timer, &QTimer::timeout);
    while (spy.count() < ticks) {
        if (!spy.wait(5000 + 5 * timer->interval()))
            return false;
    }
    return true;
}

QAbstractButton *ShowLauncherButton(QWidget *launcher, const QString &name)
{
    auto *button = FindControl<QAbstractButton>(launcher, name);
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown}) {
        for (int turns = 0; turns < 2 && !button->isVisibleTo(launcher); ++turns)
            QTest::keyClick(launcher, key);
    }
    return button;
}

void Replace(QLineEdit *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
}

void Paste(QWidget *control, const QString &text)
{
    QApplication::clipboard()->setText(text);
    QTest::keySequence(control, QKeySequence::Paste);
}

void ChooseItem(QComboBox *box, int index)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

void TypeText(QWidget *control, const QString &text)
{
    for (QChar character : text) {
        if (character.unicode() < 0x80)
            QTest::keyClick(control, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

QStringList ChooseFromContextMenu(QWidget *control, const QString &entry)
{
    QStringList entries;
    QTimer::singleShot(0, [&entries, entry] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                entries.append(action->text());
        }
        for (QAction *action : menu->actions()) {
            if (action->text() == entry) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    const QPoint middle = control->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, middle, control->mapToGlobal(middle));
    QApplication::sendEvent(control, &event);
    return entries;
}

char *toString(const ShownMessage &message)
{
    return QTest::toString(message.caption + QStringLiteral(" | ") + message.text);
}
