#include "monkey.h"

#include "actionlog.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/toolcatalog.h"
#include "monkeytexts.h"
#include "responsivenesswatch.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <execinfo.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

using namespace App;

// Present only when the program is built with a sanitizer.
extern "C" {
void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));
void __sanitizer_print_stack_trace() __attribute__((weak));
}

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int StepPeriodMs = 2;
// Actions nest when one lets events through (a run, a message box); deeper than this the
// monkey only lets message boxes go.
constexpr int DeepestNesting = 3;
constexpr auto LongestFinish = 20s;

const ToolEntry *FindTool(const QString &button)
{
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.createWindow && tool.buttonName == button)
                return &tool;
        }
    }
    return nullptr;
}

QString NameOf(const QObject *object)
{
    if (!object)
        return QStringLiteral("(nothing)");
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

bool IsEdit(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
            || qobject_cast<const QTextEdit *>(widget);
}

bool IsReadOnlyEdit(const QWidget *widget)
{
    if (auto *line = qobject_cast<const QLineEdit *>(widget))
        return line->isReadOnly();
    if (auto *plain = qobject_cast<const QPlainTextEdit *>(widget))
        return plain->isReadOnly();
    if (auto *rich = qobject_cast<const QTextEdit *>(widget))
        return rich->isReadOnly();
    return true;
}

bool IsClickable(const QWidget *widget)
{
    if (IsEdit(widget) || qobject_cast<const QAbstractButton *>(widget)
        || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QTabBar *>(widget)
        || qobject_cast<const QAbstractItemView *>(widget)
        || qobject_cast<const QAbstractSlider *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    auto *label = qobject_cast<const QLabel *>(widget);
    return label && (label->textInteractionFlags() & Qt::TextSelectableByMouse);
}

// Mouse input of a scroll area goes to its viewport.
QWidget *MouseTarget(QWidget *widget)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        return area->viewport();
    return widget;
}

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

const QList<Key> &Keys()
{
    static const QList<Key> keys{
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Delete, Qt::NoModifier, "Delete"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},
            {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},
            {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Home, Qt::NoModifier, "Home"},
            {Qt::Key_End, Qt::NoModifier, "End"},
            {Qt::Key_Escape, Qt::NoModifier, "Esc"},
            {Qt::Key_Escape, Qt::NoModifier, "Esc"},
            {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
            {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
            {Qt::Key_Space, Qt::NoModifier, "Space"},
            {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
            {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
            {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
            {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
            {Qt::Key_P, Qt::ControlModifier, "Ctrl+P"},
            {Qt::Key_Right, Qt::ShiftModifier, "Shift+Right"},
            {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},
    };
    return keys;
}

// Keeps the stack of the window thread printable from the watching thread.
void PrintStackOfThisThread(int)
{
    if (__sanitizer_print_stack_trace) {
        __sanitizer_print_stack_trace();
        return;
    }
    void *frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
}

class Monkey;
std::atomic<Monkey *> CurrentMonkey{nullptr};
void ReportCrash();

class Monkey : public QObject
{
public:
    Monkey(const ToolEntry &tool, const MonkeyPlan &plan);
    ~Monkey() override;
    MonkeyOutcome Run();
    void PrintCrashReport() const;
    void NoteMessage(QtMsgType type, const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Step(int depth);
    void Act();
    void ActOnTool(QWidget *window);
    void ActUnderModal(QWidget *modal);
    void ActOnPopup(QWidget *popup);
    void Finish();
    bool Finished() const;

    void TypeText(QWidget *window);
    void TypeAfresh(QWidget *window);
    void Paste(QWidget *window);
    void PressKey(QWidget *window);
    void ClickControl(QWidget *window);
    void ChangeComboBox(QWidget *window);
    void ChangeTab(QWidget *window);
    void ClickGridCell(QWidget *window);
    void ClearBox(QWidget *window);
    void Close(QWidget *window);
    void CloseAndReopen(QWidget *window);
    void Reopen();
    void CloseAll();
    void Minimise(QWidget *window);
    void Wait();

    QList<QWidget *> Controls(QWidget *window, bool (*wanted)(const QWidget *)) const;
    QWidget *EditTarget(QWidget *window);
    void TypeNextKey();
    void Click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton, bool twice = false);
    void ClickLauncherButton();
    void Log(const QString &text);
    void Fail(const QString &why);
    void Track(QWidget *window);
    void CheckWindows();
    void Gap(Clock::time_point posted, Clock::time_point handled);
    void Stuck(std::chrono::milliseconds waited);

    const ToolEntry &m_tool;
    const MonkeyPlan m_plan;
    const Clock::time_point m_start = Clock::now();
    const pthread_t m_windowThread = pthread_self();
    MonkeyDice m_dice;
    ActionLog m_log{m_start};
    QTemporaryDir m_runDirectory;
    QPointer<LauncherWindow> m_launcher;
    QList<QPointer<QWidget>> m_windows;
    QSet<QObject *> m_closedByMonkey; // close() called: must stay hidden
    QSet<QObject *> m_closedAtAll; // a close event went through since last shown
    // A timer never fires inside its own handler, so each depth of nesting has its own.
    std::array<QTimer, DeepestNesting + 1> m_stepTimers;
    QEventLoop m_loop;
    int m_depth = 0;
    int m_actions = 0;
    QList<int> m_openActions;
    bool m_over = false;
    Clock::time_point m_overAt;
    bool m_closingAll = false;
    Clock::time_point m_pauseUntil;
    // A text being typed, one key per pass of the event loop as from a keyboard.
    struct Typing
    {
        QPointer<QWidget> target;
        QString text;
        qsizetype next = 0;
        int action = 0;
    };
    Typing m_typing;

    mutable std::mutex m_mutex; // the failures and the gaps, written from both threads
    QStringList m_failures;
    QStringList m_actionsBeforeFailure;
    QStringList m_messages;
    int m_longestGapMs = 0;
    QString m_longestGapDuring;
    std::atomic<bool> m_stuck{false};
    std::unique_ptr<ResponsivenessWatch> m_watch;
};

void HandleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message);
QtMessageHandler PreviousMessageHandler = nullptr;

void ReportCrash()
{
    if (const Monkey *monkey = CurrentMonkey.load())
        monkey->PrintCrashReport();
}

// Crash handlers for builds without a sanitizer: report, then let the previous handler act.
struct sigaction PreviousActions[32];

void ReportCrashSignal(int signal)
{
    ReportCrash();
    sigaction(signal, &PreviousActions[signal], nullptr);
    raise(signal);
}

void InstallCrashReporting()
{
    static bool installed = false;
    if (std::exchange(installed, true))
        return;
    if (__sanitizer_set_death_callback) {
        __sanitizer_set_death_callback(ReportCrash);
        return;
    }
    struct sigaction action = {};
    action.sa_handler = ReportCrashSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal, &action, &PreviousActions[signal]);
}

Monkey::Monkey(const ToolEntry &tool, const MonkeyPlan &plan)
    : m_tool(tool)
    , m_plan(plan)
    , m_dice(plan.seed)
{
    QApplication::setQuitOnLastWindowClosed(false);
    // Settings go to the temporary run directory, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    Program().runDirectory = m_runDirectory.path();
    ResetProgramState();
    for (int depth = 0; depth <= DeepestNesting; ++depth) {
        m_stepTimers[depth].setInterval(StepPeriodMs);
        connect(&m_stepTimers[depth], &QTimer::timeout, this, [this, depth] { Step(depth); });
    }

    struct sigaction action = {};
    action.sa_handler = PrintStackOfThisThread;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR2, &action, nullptr);
    InstallCrashReporting();
    CurrentMonkey = this;
    PreviousMessageHandler = qInstallMessageHandler(HandleMessage);
}

Monkey::~Monkey()
{
    qInstallMessageHandler(PreviousMessageHandler);
    CurrentMonkey = nullptr;
}

void HandleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // The headless platform says so whenever a window is raised or sized by its hints.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (Monkey *monkey = CurrentMonkey.load())
        monkey->NoteMessage(type, message);
    PreviousMessageHandler(type, context, message);
}

// Warnings of Qt about the program's use of it are kept for the report; they do not fail.
void Monkey::NoteMessage(QtMsgType type, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::lock_guard lock(m_mutex);
    if (!m_messages.contains(message) && m_messages.size() < 20)
        m_messages.append(message);
}

MonkeyOutcome Monkey::Run()
{
    m_launcher = new LauncherWindow(DefaultToolCatalog());
    // The launcher stays open to reopen the window; by default it would close.
    Program().settings.closeStrategy = NoStrategy;
    m_launcher->show();
    m_watch = std::make_unique<ResponsivenessWatch>(
            m_plan.hangAfter,
            [this](Clock::time_point posted, Clock::time_point handled) { Gap(posted, handled); },
            [this](std::chrono::milliseconds waited) { Stuck(waited); });
    ++m_depth;
    Reopen();
    m_log.End(m_openActions.takeLast());
    --m_depth;
    for (QTimer &timer : m_stepTimers)
        timer.start();
    m_loop.exec();
    for (QTimer &timer : m_stepTimers)
        timer.stop();
    m_watch.reset();
    delete m_launcher;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::clipboard()->clear();

    MonkeyOutcome outcome;
    outcome.window = m_tool.caption;
    outcome.seed = m_plan.seed;
    outcome.actions = m_actions;
    outcome.seconds = std::chrono::duration<double>(m_overAt - m_start).count();
    std::lock_guard lock(m_mutex);
    outcome.lastActions = m_actionsBeforeFailure.isEmpty() ? m_log.Lines() : m_actionsBeforeFailure;
    outcome.longestGapMs = m_longestGapMs;
    outcome.longestGapDuring = m_longestGapDuring;
    outcome.failures = m_failures;
    outcome.messages = m_messages;
    return outcome;
}

void Monkey::Step(int depth)
{
    if (depth != m_depth || (Clock::now() < m_pauseUntil && !m_over))
        return;
    if (m_depth == DeepestNesting) {
        // Deep inside nested loops: only let a message box or pop-up go, so the stack unwinds.
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        else if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
        return;
    }
    ++m_depth;
    if (!m_over && Finished()) {
        m_over = true;
        m_overAt = Clock::now();
    }
    if (m_over)
        Finish();
    else
        Act();
    if (m_openActions.size() >= m_depth)
        m_log.End(m_openActions.takeLast());
    CheckWindows();
    --m_depth;
}

bool Monkey::Finished() const
{
    return Clock::now() - m_start >= m_plan.duration
            || (m_plan.actionLimit > 0 && m_actions >= m_plan.actionLimit);
}

void Monkey::Act()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        return ActOnPopup(popup);
    QWidget *modal = QApplication::activeModalWidget();
    // Keys go on to the box they were meant for, unless a message box came up meanwhile.
    if (m_typing.target && m_typing.target->isVisible()
        && (!modal || modal == m_typing.target->window()))
        return TypeNextKey();
    m_typing = {};
    if (modal)
        return ActUnderModal(modal);
    QWidget *window = OpenWindowFor(m_tool.buttonName);
    if (!window || window->isMinimized()) {
        if (m_dice.Chance(0.7))
            Reopen();
        else
            Wait();
        return;
    }
    ActOnTool(window);
}

void Monkey::ActOnTool(QWidget *window)
{
    // Nested inside a run or a message box: closing now is what most needs trying.
    const int nested = m_depth > 1 ? 10 : 1;
    switch (m_dice.Weighted({48, 12, 40, 40, 8, 6, 6, 6, 3 * nested, 2 * nested, 6, 1, 1, 6, 16})) {
    case 0:
        return TypeText(window);
    case 1:
        return Paste(window);
    case 2:
        return PressKey(window);
    case 3:
        return ClickControl(window);
    case 4:
        return ChangeComboBox(window);
    case 5:
        return ChangeTab(window);
    case 6:
        return ClickGridCell(window);
    case 7:
        return ClearBox(window);
    case 8:
        return Close(window);
    case 9:
        return CloseAndReopen(window);
    case 10:
        return Reopen();
    case 11:
        return CloseAll();
    case 12:
        return Minimise(window);
    case 13:
        return Wait();
    default:
        return TypeAfresh(window);
    }
}

void Monkey::ActUnderModal(QWidget *modal)
{
    QString about = NameOf(modal);
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        about = box->windowTitle() + u' ' + Abbreviated(box->text());
    switch (m_dice.Weighted({20, 8, 15, 20, 8, 20, 5, 4})) {
    case 0:
        Log(QStringLiteral("answer %1 with Enter").arg(about));
        return QTest::keyClick(modal, Qt::Key_Return);
    case 1:
        Log(QStringLiteral("answer %1 with Space").arg(about));
        return QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal,
                               Qt::Key_Space);
    case 2:
        Log(QStringLiteral("answer %1 with Esc").arg(about));
        return QTest::keyClick(modal, Qt::Key_Escape);
    case 3: {
        const QList<QWidget *> buttons = Controls(modal, [](const QWidget *widget) {
            return qobject_cast<const QAbstractButton *>(widget) != nullptr;
        });
        if (buttons.isEmpty())
            return;
        QWidget *button = m_dice.Pick(buttons);
        Log(QStringLiteral("answer %1 by clicking %2").arg(about, NameOf(button)));
        return Click(button);
    }
    case 4:
        Log(QStringLiteral("close %1 from its title bar").arg(about));
        modal->close();
        return;
    case 5:
        return Wait();
    case 6: {
        const QString text = ShortText(m_dice);
        Log(QStringLiteral("type %1 into %2").arg(Abbreviated(text), about));
        m_typing = {modal, text, 0, m_actions};
        return TypeNextKey();
    }
    default:
        Log(QStringLiteral("Tab in %1").arg(about));
        return QTest::keyClick(modal, Qt::Key_Tab);
    }
}

void Monkey::ActOnPopup(QWidget *popup)
{
    const Key keys[] = {{Qt::Key_Escape, Qt::NoModifier, "Esc"},
                        {Qt::Key_Return, Qt::NoModifier, "Enter"},
                        {Qt::Key_Down, Qt::NoModifier, "Down"},
                        {Qt::Key_Up, Qt::NoModifier, "Up"}};
    const int choice = m_dice.Weighted({25, 20, 25, 10, 20});
    if (choice == 4) {
        Log(QStringLiteral("click outside the pop-up %1").arg(NameOf(popup)));
        popup->close();
        return;
    }
    Log(QStringLiteral("%1 in the pop-up %2").arg(QLatin1String(keys[choice].name), NameOf(popup)));
    QTest::keyClick(popup, keys[choice].key, keys[choice].modifiers);
}

void Monkey::Finish()
{
    if (QWidget *popup = QApplication::activePopupWidget()) {
        popup->close();
        return;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    bool anyLeft = false;
    for (const QPointer<QWidget> &window : std::as_const(m_windows)) {
        if (!window)
            continue;
        anyLeft = true;
        if (window->isVisible()) {
            m_closedByMonkey.insert(window);
            window->close();
        }
    }
    if (anyLeft && Clock::now() - m_overAt > LongestFinish) {
        Fail(QStringLiteral("a closed window was still not deleted %1 s later")
                     .arg(std::chrono::duration_cast<std::chrono::seconds>(LongestFinish).count()));
        anyLeft = false;
    }
    if (!anyLeft && m_depth == 1) {
        SetCloseAllToolsFlag(0);
        m_loop.quit();
    }
}

void Monkey::TypeText(QWidget *window)
{
    QPointer<QWidget> target = EditTarget(window);
    if (!target)
        return PressKey(window);
    const QString text = m_dice.Chance(0.03) ? QStringLiteral("x").repeated(1 + m_dice.Below(400))
                                             : ShortText(m_dice);
    Log(QStringLiteral("type %1 into %2").arg(Abbreviated(text), NameOf(target)));
    m_typing = {target, text, 0, m_actions};
    TypeNextKey();
}

// What a user mostly does: a new text in a box, then Enter.
void Monkey::TypeAfresh(QWidget *window)
{
    QPointer<QWidget> target = EditTarget(window);
    if (!target)
        return PressKey(window);
    const QString text = ShortText(m_dice) + QStringLiteral("\r");
    Log(QStringLiteral("type %1 into %2 afresh").arg(Abbreviated(text), NameOf(target)));
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (!target)
        return;
    QTest::keyClick(target, Qt::Key_Delete);
    if (!target)
        return;
    m_typing = {target, text, 0, m_actions};
    TypeNextKey();
}

void Monkey::Paste(QWidget *window)
{
    QPointer<QWidget> target = EditTarget(window);
    if (!target)
        return PressKey(window);
    int length = 0;
    switch (m_dice.Weighted({10, 4, 6, 3, 1})) {
    case 0:
        break;
    case 1:
        length = 1000 + m_dice.Below(9000);
        break;
    case 2:
        length = 10000 + m_dice.Below(20000);
        break;
    case 3:
        length = 100000 + m_dice.Below(200000);
        break;
    default:
        length = 1000000;
        break;
    }
    const QString text = length == 0 ? ShortText(m_dice) : HugeText(m_dice, length);
    QApplication::clipboard()->setText(text);
    const bool shiftInsert = m_dice.Chance(0.2);
    const bool overAll = m_dice.Chance(0.3);
    const bool enter = m_dice.Chance(0.3);
    Log(QStringLiteral("paste %1 into %2 with %3%4%5")
                .arg(Abbreviated(text), NameOf(target),
                     shiftInsert ? QStringLiteral("Shift+Insert") : QStringLiteral("Ctrl+V"),
                     overAll ? QStringLiteral(" over all of it") : QString(),
                     enter ? QStringLiteral(", then Enter") : QString()));
    if (overAll)
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (target && shiftInsert)
        QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    else if (target)
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    // Enter is a key of its own, after the window has taken the paste, as a person presses it.
    if (target && enter)
        m_typing = {target, QStringLiteral("\r"), 0, m_actions};
}

void Monkey::PressKey(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *target = focus && window->isAncestorOf(focus) ? focus : window;
    const Key &key = m_dice.Pick(Keys());
    Log(QStringLiteral("%1 in %2").arg(QLatin1String(key.name), NameOf(target)));
    QTest::keyClick(target, key.key, key.modifiers);
}

void Monkey::ClickControl(QWidget *window)
{
    const QList<QWidget *> controls = Controls(window, IsClickable);
    if (controls.isEmpty())
        return Wait();
    QWidget *control = m_dice.Pick(controls);
    const int how = m_dice.Weighted({90, 5, 5});
    Log(QStringLiteral("%1 %2").arg(how == 0           ? QStringLiteral("click")
                                            : how == 1 ? QStringLiteral("double-click")
                                                       : QStringLiteral("right-click"),
                                    NameOf(control)));
    Click(control, how == 2 ? Qt::RightButton : Qt::LeftButton, how == 1);
}

void Monkey::ChangeComboBox(QWidget *window)
{
    const QList<QWidget *> boxes = Controls(window, [](const QWidget *widget) {
        return qobject_cast<const QComboBox *>(widget) != nullptr;
    });
    if (boxes.isEmpty())
        return ClickControl(window);
    QWidget *box = m_dice.Pick(boxes);
    const Key keys[] = {{Qt::Key_Down, Qt::NoModifier, "Down"},
                        {Qt::Key_Up, Qt::NoModifier, "Up"},
                        {Qt::Key_Home, Qt::NoModifier, "Home"},
                        {Qt::Key_End, Qt::NoModifier, "End"},
                        {Qt::Key_Down, Qt::AltModifier, "Alt+Down"}};
    const Key &key = keys[m_dice.Weighted({10, 6, 2, 2, 2})];
    Log(QStringLiteral("%1 in the drop-down %2").arg(QLatin1String(key.name), NameOf(box)));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, key.key, key.modifiers);
}

void Monkey::ChangeTab(QWidget *window)
{
    const QList<QWidget *> bars = Controls(window, [](const QWidget *widget) {
        return qobject_cast<const QTabBar *>(widget) != nullptr;
    });
    if (bars.isEmpty())
        return ClickControl(window);
    auto *bar = static_cast<QTabBar *>(m_dice.Pick(bars));
    const int tab = m_dice.Below(bar->count());
    Log(QStringLiteral("click the tab %1 of %2").arg(bar->tabText(tab), NameOf(bar->parent())));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void Monkey::ClickGridCell(QWidget *window)
{
    const QList<QWidget *> views = Controls(window, [](const QWidget *widget) {
        auto *view = qobject_cast<const QAbstractItemView *>(widget);
        return view && view->model();
    });
    if (views.isEmpty())
        return ClickControl(window);
    auto *view = static_cast<QAbstractItemView *>(m_dice.Pick(views));
    const QAbstractItemModel *model = view->model();
    if (model->rowCount() == 0 || model->columnCount() == 0)
        return Click(view);
    const QModelIndex cell
            = model->index(m_dice.Below(model->rowCount()), m_dice.Below(model->columnCount()));
    const bool twice = m_dice.Chance(0.2);
    Log(QStringLiteral("%1 the cell (%2, %3) of %4")
                .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"))
                .arg(cell.row())
                .arg(cell.column())
                .arg(NameOf(view)));
    view->scrollTo(cell);
    const QPoint centre = view->visualRect(cell).center();
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    else
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void Monkey::ClearBox(QWidget *window)
{
    QPointer<QWidget> target = EditTarget(window);
    if (!target)
        return PressKey(window);
    Log(QStringLiteral("clear %1 with Ctrl+A, Delete").arg(NameOf(target)));
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (target)
        QTest::keyClick(target, Qt::Key_Delete);
}

void Monkey::Close(QWidget *window)
{
    Log(QStringLiteral("close the window"));
    m_closedByMonkey.insert(window);
    window->close();
}

// Both in one pass of the event loop, as when the window thread was busy meanwhile.
void Monkey::CloseAndReopen(QWidget *window)
{
    Log(QStringLiteral("close the window and click its launcher button at once"));
    m_closedByMonkey.insert(window);
    window->close();
    ClickLauncherButton();
}

void Monkey::Reopen()
{
    Log(QStringLiteral("open the window from the launcher"));
    ClickLauncherButton();
}

void Monkey::CloseAll()
{
    Log(QStringLiteral("close every tool (close-all flag)"));
    m_closingAll = true;
    SetCloseAllToolsFlag(1);
}

void Monkey::Minimise(QWidget *window)
{
    Log(QStringLiteral("minimise the window"));
    window->showMinimized();
}

void Monkey::Wait()
{
    const int ms = m_dice.Weighted({5, 3, 1}) == 0 ? 20 : 50 + m_dice.Below(400);
    Log(QStringLiteral("wait %1 ms").arg(ms));
    m_pauseUntil = Clock::now() + std::chrono::milliseconds(ms);
}

QList<QWidget *> Monkey::Controls(QWidget *window, bool (*wanted)(const QWidget *)) const
{
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->window() == window && widget->isVisible() && widget->isEnabled()
            && wanted(widget))
            controls.append(widget);
    }
    return controls;
}

// The box that has the focus, mostly; otherwise a box clicked first, an editable one mostly.
QWidget *Monkey::EditTarget(QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && window->isAncestorOf(focus) && IsEdit(focus) && m_dice.Chance(0.8))
        return focus;
    QList<QWidget *> edits = Controls(window, IsEdit);
    if (m_dice.Chance(0.9)) {
        QList<QWidget *> editable;
        for (QWidget *edit : std::as_const(edits)) {
            if (!IsReadOnlyEdit(edit))
                editable.append(edit);
        }
        if (!editable.isEmpty())
            edits = editable;
    }
    if (edits.isEmpty())
        return nullptr;
    QPointer<QWidget> edit = m_dice.Pick(edits);
    Log(QStringLiteral("click %1").arg(NameOf(edit)));
    Click(edit);
    return edit && edit->isVisible() ? edit.data() : nullptr;
}

void Monkey::TypeNextKey()
{
    QWidget *target = m_typing.target;
    const QString text = m_typing.text; // a key may start another typing
    const qsizetype i = m_typing.next;
    const QChar c = text.at(i);
    // One key for a character beyond the basic plane, as a keyboard sends it.
    const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const int action = m_typing.action;
    m_typing.next += length;
    if (m_typing.next >= text.size())
        m_typing.target = nullptr;
    m_log.Resume(action);
    switch (c.unicode()) {
    case u'\t':
        QTest::keyClick(target, Qt::Key_Tab);
        break;
    case u'\n':
        if (i == 0 || text.at(i - 1) != u'\r')
            QTest::keyClick(target, Qt::Key_Return);
        break;
    case u'\r':
        QTest::keyClick(target, Qt::Key_Return);
        break;
    case 0x1b:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
    case 0x7f:
        QTest::keyClick(target, Qt::Key_Delete);
        break;
    default:
        if (c.unicode() > 0x20 && c.unicode() < 0x7f)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, c == u' ' ? Qt::Key_Space : Qt::Key_unknown,
                                text.mid(i, length), Qt::NoModifier);
    }
    m_log.End(action);
}

void Monkey::Click(QWidget *widget, Qt::MouseButton button, bool twice)
{
    QWidget *target = MouseTarget(widget);
    const QRect area = target->rect();
    const QPoint point(area.left() + m_dice.Below(std::max(1, area.width())),
                       area.top() + m_dice.Below(std::max(1, area.height())));
    // Buttons are clicked near their centre, as people do.
    const QPoint where = qobject_cast<QAbstractButton *>(widget) ? area.center() : point;
    if (twice)
        QTest::mouseDClick(target, button, {}, where);
    else
        QTest::mouseClick(target, button, {}, where);
}

void Monkey::ClickLauncherButton()
{
    if (!m_launcher)
        return Fail(QStringLiteral("the launcher has gone"));
    QTest::mouseClick(ShowLauncherButton(m_launcher, m_tool.buttonName), Qt::LeftButton);
    QWidget *shown = OpenWindowFor(m_tool.buttonName);
    if (!shown || !shown->isVisible() || m_closedByMonkey.contains(shown))
        return Fail(QStringLiteral("the launcher button showed no window that stays open"));
    Track(shown);
    shown->activateWindow();
}

void Monkey::Log(const QString &text)
{
    ++m_actions;
    if (!m_openActions.isEmpty() && m_openActions.size() >= m_depth)
        m_log.End(m_openActions.takeLast());
    m_openActions.append(m_actions);
    m_log.Begin(m_actions, m_depth, text);
}

void Monkey::Fail(const QString &why)
{
    std::lock_guard lock(m_mutex);
    // The actions that led to the first failure, not those the round went on with.
    if (m_failures.isEmpty())
        m_actionsBeforeFailure = m_log.Lines();
    m_failures.append(QStringLiteral("%1 (after action #%2)").arg(why).arg(m_actions));
}

void Monkey::Track(QWidget *window)
{
    for (const QPointer<QWidget> &known : std::as_const(m_windows)) {
        if (known == window)
            return;
    }
    m_windows.append(window);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this](QObject *gone) {
        // A window deleted without a close event was taken from under the user's eyes.
        if (!m_closedAtAll.contains(gone))
            Fail(QStringLiteral("a shown window vanished without being closed"));
        m_closedAtAll.remove(gone);
        m_closedByMonkey.remove(gone);
    });
}

bool Monkey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close)
        m_closedAtAll.insert(watched);
    else if (event->type() == QEvent::Show)
        m_closedAtAll.remove(watched);
    return false;
}

void Monkey::CheckWindows()
{
    m_windows.removeIf([](const QPointer<QWidget> &window) { return window.isNull(); });
    for (const QPointer<QWidget> &window : std::as_const(m_windows)) {
        if (window && window->isVisible() && m_closedByMonkey.contains(window))
            Fail(QStringLiteral("a closed window shows again"));
    }
    if (m_closingAll) {
        bool anyLeft = false;
        for (const QPointer<QWidget> &window : std::as_const(m_windows))
            anyLeft = anyLeft || window;
        if (!anyLeft) {
            SetCloseAllToolsFlag(0);
            m_closingAll = false;
        }
    }
}

void Monkey::Gap(Clock::time_point posted, Clock::time_point handled)
{
    m_stuck = false;
    const int ms
            = int(std::chrono::duration_cast<std::chrono::milliseconds>(handled - posted).count());
    std::lock_guard lock(m_mutex);
    if (ms <= m_longestGapMs)
        return;
    m_longestGapMs = ms;
    m_longestGapDuring = m_log.During(posted, handled);
}

void Monkey::Stuck(std::chrono::milliseconds waited)
{
    if (!m_stuck.exchange(true)) {
        const QString why = QStringLiteral("hang: the window thread handled no event for %1 ms")
                                    .arg(waited.count());
        {
            std::lock_guard lock(m_mutex);
            m_failures.append(why);
        }
        std::fprintf(stderr,
                     "\n%s\nwindow %s, seed %llu; last actions:\n  %s\nstack of the "
                     "window thread:\n",
                     qPrintable(why), qPrintable(m_tool.caption),
                     static_cast<unsigned long long>(m_plan.seed),
                     qPrintable(m_log.Lines().join(QStringLiteral("\n  "))));
        std::fflush(stderr);
        pthread_kill(m_windowThread, SIGUSR2);
    }
    if (waited >= m_plan.giveUpAfter) {
        std::fprintf(stderr, "the window thread is still stuck after %lld ms: giving up\n",
                     static_cast<long long>(waited.count()));
        std::fflush(stderr);
        _exit(3);
    }
}

void Monkey::PrintCrashReport() const
{
    std::fprintf(stderr,
                 "\nThe monkey crashed the program: window %s, seed %llu; last actions:\n"
                 "  %s\n",
                 qPrintable(m_tool.caption), static_cast<unsigned long long>(m_plan.seed),
                 qPrintable(m_log.LinesIfFree().join(QStringLiteral("\n  "))));
    std::fflush(stderr);
}

} // namespace

QString MonkeyOutcome::Report() const
{
    QStringList lines;
    lines.append(QStringLiteral("%1: %2 actions in %3 s, longest unresponsive gap %4 ms (%5)")
                         .arg(window)
                         .arg(actions)
                         .arg(seconds, 0, 'f', 1)
                         .arg(longestGapMs)
                         .arg(longestGapDuring));
    for (const QString &failure : failures)
        lines.append(QStringLiteral("FAILED: ") + failure);
    for (const QString &message : messages)
        lines.append(QStringLiteral("Qt said: ") + message);
    if (!passed()) {
        const int replaySeconds = int(seconds) + 5;
        lines.append(QStringLiteral("seed %1; to replay: monkey --window %2 --seed %1 "
                                    "--actions %3 --seconds %4 --round-seconds %4")
                             .arg(seed)
                             .arg(ButtonNamed(window))
                             .arg(actions)
                             .arg(replaySeconds));
        lines.append(QStringLiteral("last actions:"));
        for (const QString &action : lastActions)
            lines.append(QStringLiteral("  ") + action);
    }
    return lines.join(u'\n');
}

QStringList MonkeyButtons()
{
    QStringList buttons;
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.createWindow)
                buttons.append(tool.buttonName);
        }
    }
    return buttons;
}

QString CaptionOfButton(const QString &button)
{
    const ToolEntry *tool = FindTool(button);
    return tool ? tool->caption : QString();
}

QString ButtonNamed(const QString &nameOrCaption)
{
    for (const QString &button : MonkeyButtons()) {
        if (button == nameOrCaption || CaptionOfButton(button) == nameOrCaption)
            return button;
    }
    return {};
}

MonkeyOutcome RunMonkey(const MonkeyPlan &plan)
{
    const ToolEntry *tool = FindTool(plan.button);
    if (!tool) {
        MonkeyOutcome outcome;
        outcome.window = plan.button;
        outcome.failures.append(QStringLiteral("no launcher button opens a window by that name"));
        return outcome;
    }
    Monkey monkey(*tool, plan);
    return monkey.Run();
}
