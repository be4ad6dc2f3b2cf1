#include "app/aboutwindow.h"
#include "app/externalcalculatorswindow.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settingswindow.h"
#include "app/toolcatalog.h"
#include "ui/accessibility.h"
#include "ui/editbox.h"
#include "ui/style.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <functional>

namespace {

using WindowFactory = std::function<QWidget *()>;

// Every window a person can reach: the launcher, its three picture-button windows and every
// tool of the catalog.
void AddEveryWindow()
{
    QTest::addColumn<WindowFactory>("open");
    QTest::addRow("启动器") << WindowFactory([] {
        auto *launcher = new LauncherWindow(DefaultToolCatalog());
        while (launcher->width() < LauncherWindow::FinalWidth)
            launcher->AnimationTick();
        return launcher;
    });
    QTest::addRow("设置") << WindowFactory([] { return new SettingsWindow; });
    QTest::addRow("关于") << WindowFactory([] {
        auto *about = new AboutWindow;
        about->setWindowModality(Qt::NonModal); // modal, the fixture would answer it at once
        return about;
    });
    QTest::addRow("外部计算器") << WindowFactory([] { return new ExternalCalculatorsWindow; });
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.createWindow)
                QTest::addRow("%s", qPrintable(tool.caption)) << tool.createWindow;
        }
    }
}

QString Describe(const QWidget *control)
{
    return QStringLiteral("%1 (%2, read as \"%3\")")
            .arg(control->objectName(), QString::fromLatin1(control->metaObject()->className()),
                 SpokenName(control));
}

// The controls Tab may stop at, as the window shows them.
QList<QWidget *> TabStops(const QWidget *window)
{
    QList<QWidget *> stops;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && !control->focusProxy()
            && control->isVisibleTo(window) && control->isEnabled())
            stops.append(control);
    }
    return stops;
}

bool TakesInput(const QWidget *control)
{
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return !line->isReadOnly();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(control))
        return !text->isReadOnly();
    return qobject_cast<const QAbstractButton *>(control)
            || qobject_cast<const QComboBox *>(control) || qobject_cast<const QTabBar *>(control)
            || qobject_cast<const QAbstractItemView *>(control);
}

bool HasChineseOrDigits(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isDigit() || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
    });
}

// The names a person reads in the window: the captions of its controls and every line and
// word of its labels.
QStringList VisibleNames(const QWidget *window)
{
    QStringList names;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window) || qobject_cast<const QLineEdit *>(control))
            continue;
        static const QRegularExpression gaps(QStringLiteral("\\n| {2,}"));
        for (const QString &piece : control->property("text").toString().split(gaps))
            names << NameFromCaption(piece);
    }
    return names;
}

QRect PlaceIn(const QWidget *window, const QWidget *control)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// Whether `next` may follow `previous` when reading: further right on the same line, on a
// line further down, or at the top of a column further right.
bool FollowsInReading(const QRect &previous, const QRect &next)
{
    const bool sameLine
            = next.center().y() >= previous.top() && next.center().y() <= previous.bottom();
    const bool sameLineBack
            = previous.center().y() >= next.top() && previous.center().y() <= next.bottom();
    if (sameLine || sameLineBack)
        return next.center().x() > previous.center().x();
    if (next.center().y() > previous.center().y())
        return true;
    return next.left() >= previous.right();
}

// The controls Tab visits from the one that has the focus, until it comes round again.
QList<QWidget *> TabRound(QWidget *window, int most)
{
    QList<QWidget *> visited;
    QWidget *start = QApplication::focusWidget();
    if (!start)
        return visited;
    visited.append(start);
    for (int i = 0; i < most; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || now == start || now->window() != window)
            break;
        visited.append(now);
    }
    return visited;
}

} // namespace

// Every window of the program as a person with a keyboard and a screen reader meets it.
class KeyboardAccessTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramStyle(*qApp); }
    void init()
    {
        WindowTest::init();
        Program().settings.closeStrategy = NoStrategy; // the launcher stays open
    }
    void everyStopTakesInputAndIsNamed_data() { AddEveryWindow(); }
    void everyStopTakesInputAndIsNamed();
    void tabVisitsEveryStopInReadingOrder_data() { AddEveryWindow(); }
    void tabVisitsEveryStopInReadingOrder();
    void enterRunsTheMainAction_data() { AddEveryWindow(); }
    void enterRunsTheMainAction();
    void arrowsMoveBetweenLauncherButtons();
};

void KeyboardAccessTest::everyStopTakesInputAndIsNamed()
{
    QFETCH(WindowFactory, open);
    QPointer<QWidget> window = open();
    QVERIFY(ShowAndActivate(window));
    QStringList faults;
    const QStringList visible = VisibleNames(window);
    for (QWidget *control : TabStops(window)) {
        // On Linux a list box is read by the item it shows, and by its name on other systems.
        const QString spoken = qobject_cast<QComboBox *>(control) ? control->accessibleName()
                                                                  : SpokenName(control);
        if (!TakesInput(control))
            faults << QStringLiteral("Tab stops at %1, which takes no input")
                              .arg(Describe(control));
        else if (!HasChineseOrDigits(spoken))
            faults << QStringLiteral("%1 has no name a person reads").arg(Describe(control));
        else if (spoken == control->objectName() && !visible.contains(spoken))
            faults << QStringLiteral("%1 is read by its internal name").arg(Describe(control));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    TakeMessages();
}

void KeyboardAccessTest::tabVisitsEveryStopInReadingOrder()
{
    QFETCH(WindowFactory, open);
    QPointer<QWidget> window = open();
    QVERIFY(ShowAndActivate(window));
    const QList<QWidget *> stops = TabStops(window);
    if (!QApplication::focusWidget() && !stops.isEmpty())
        stops.front()->setFocus(Qt::TabFocusReason);
    const QList<QWidget *> round = TabRound(window, int(stops.size()) + 2);
    QStringList faults;
    for (QWidget *stop : stops) {
        // Tab leaves out the unchecked boxes of a group of radio boxes; arrows reach them.
        auto *radio = qobject_cast<QRadioButton *>(stop);
        if (!round.contains(stop) && !(radio && !radio->isChecked() && radio->autoExclusive()))
            faults << QStringLiteral("Tab never reaches %1").arg(Describe(stop));
    }
    // Round the circle, Tab goes back to the top once, from the last control to the first.
    QStringList backwards;
    for (qsizetype i = 0; i < round.size() && round.size() > 1; ++i) {
        QWidget *next = round[(i + 1) % round.size()];
        if (!FollowsInReading(PlaceIn(window, round[i]), PlaceIn(window, next)))
            backwards << QStringLiteral("Tab goes back from %1 to %2")
                                 .arg(Describe(round[i]), Describe(next));
    }
    if (backwards.size() > 1)
        faults << backwards;
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    TakeMessages();
}

void KeyboardAccessTest::enterRunsTheMainAction()
{
    QFETCH(WindowFactory, open);
    QPointer<QWidget> window = open();
    QVERIFY(ShowAndActivate(window));
    QPushButton *primary = nullptr;
    QLineEdit *box = nullptr;
    for (QWidget *control : ReadingOrder(window)) {
        auto *button = qobject_cast<QPushButton *>(control);
        if (!primary && button && button->property("role") == QStringLiteral("primary")
            && button->isVisibleTo(window))
            primary = button;
        auto *edit = qobject_cast<EditBox *>(control);
        if (!box && edit && !edit->isReadOnly() && !edit->HasKeyListeners()
            && edit->isVisibleTo(window))
            box = edit;
    }
    if (!primary)
        QSKIP("no main action");
    QSignalSpy pressed(primary, &QAbstractButton::clicked);
    if (box) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY2(window && pressed.size() == 1,
                 qPrintable(QStringLiteral("Enter in %1 does not press %2")
                                    .arg(Describe(box), Describe(primary))));
    }
    if (!window)
        return; // the action closed it
    TakeMessages();
    const qsizetype before = pressed.size();
    primary->setFocus();
    QTest::keyClick(primary, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY2(pressed.size() == before + 1,
             qPrintable(QStringLiteral("Enter does not press %1").arg(Describe(primary))));
    TakeMessages();
}

void KeyboardAccessTest::arrowsMoveBetweenLauncherButtons()
{
    auto *launcher = new LauncherWindow(DefaultToolCatalog());
    while (launcher->width() < LauncherWindow::FinalWidth)
        launcher->AnimationTick();
    QVERIFY(ShowAndActivate(launcher));
    const auto button = [launcher](const char *name) {
        return FindControl<QPushButton>(launcher, QString::fromUtf8(name));
    };
    button("数字信息按钮")->setFocus();
    const struct
    {
        Qt::Key key;
        const char *lands;
    } moves[] = {{Qt::Key_Right, "简单分数计算按钮"},   {Qt::Key_Down, "分解质因数按钮"},
                 {Qt::Key_Right, "一元二次不等式按钮"}, {Qt::Key_Left, "分解质因数按钮"},
                 {Qt::Key_Up, "简单分数计算按钮"},      {Qt::Key_Up, "简单分数计算按钮"}};
    for (const auto &move : moves) {
        QTest::keyClick(QApplication::focusWidget(), move.key);
        QCOMPARE(QApplication::focusWidget(), button(move.lands));
    }
    QTest::keyClick(button(moves[5].lands), Qt::Key_Return);
    QVERIFY(OpenWindowFor(QStringLiteral("简单分数计算按钮")));
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboardaccess.moc"
