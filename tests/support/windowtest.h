#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QTimer;

// A message box that opened during a test, as the user saw it. Equal when caption and text are.
struct ShownMessage
{
    QString caption;
    QString text;
    QStringList buttons; // their captions
    QRect place; // where it stood on the screen
    bool operator==(const ShownMessage &other) const
    {
        return caption == other.caption && text == other.text;
    }
};

// Base of the window tests. Before each test the program state is fresh and its settings live
// in a temporary run directory; while a test runs, every modal dialog is recorded and closed at
// once, so a message never blocks a test. A test takes the messages it expects with
// TakeMessages(); any other message fails the test when it ends.
class WindowTest : public QObject
{
    Q_OBJECT
protected:
    QString runDirectory() const { return m_runDirectory->path(); }
    QList<ShownMessage> TakeMessages();
    // Lets a dialog stay open this long before it is answered, as a slow user would.
    void SetAnswerDelay(int ms) { m_answerDelayMs = ms; }
    // Shows a window and waits until it is exposed and active, as a user would see it.
    static bool ShowAndActivate(QWidget *window);

protected slots:
    void init();
    void cleanup();

private:
    void AnswerModalDialog();

    std::unique_ptr<QTemporaryDir> m_runDirectory;
    QTimer *m_watcher = nullptr;
    QList<ShownMessage> m_messages;
    int m_answerDelayMs = 0;
    QPointer<QWidget> m_openDialog;
    QElapsedTimer m_openFor;
};

// The control of that name inside a window; fails the whole run at once when it is missing.
template<typename Control>
Control *FindControl(const QObject *window, const QString &name)
{
    auto *control = window->findChild<Control *>(name);
    if (!control)
        qFatal("No control named %s", qPrintable(name));
    return control;
}

// The launcher's button of that name, its page turned to with PageUp and PageDown as a person
// turns it; fails the whole run at once when there is no such button.
QAbstractButton *ShowLauncherButton(QWidget *launcher, const QString &name);

// Opens a tool window the way its launcher button does and keeps it in `window`; false when
// the window system never made it active.
template<typename Window, typename Pointer>
bool OpenToolWindow(Pointer &window)
{
    auto *opened = new Window;
    window = opened;
    opened->show();
    opened->activateWindow();
    return QTest::qWaitForWindowActive(opened);
}

// Waits until `timer` has ticked `ticks` times more: for checks that something does not happen
// over a few periods of a window's timers. False when it did not tick in time.
bool WaitForTicks(QTimer *timer, int ticks = 3);

// Selects what a box holds and types `text` over it, as a person replaces an input; an empty
// text deletes it.
void Replace(QLineEdit *box, const QString &text);

// Puts `text` on the clipboard and pastes it into the control with the keyboard.
void Paste(QWidget *control, const QString &text);

// Picks the item at `index` of a list box with the keyboard: Home, then Down to it.
void ChooseItem(QComboBox *box, int index);

// Types like a keyboard, also characters beyond ASCII (full-width digits, Chinese), which
// QTest::keyClicks cannot send.
void TypeText(QWidget *control, const QString &text);

// Opens the context menu over `control` as the right button does and chooses `entry` in it (none
// when empty). The entries the menu offered.
QStringList ChooseFromContextMenu(QWidget *control, const QString &entry);

char *toString(const ShownMessage &message);
