#include "tools/functions/approximaterootwindow.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "windowtest.h"
#include "workingcheck.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

const QString Bisection = QStringLiteral("单选框2");
const QString Enumeration = QStringLiteral("单选框1");
const QString Impossible
        = QStringLiteral("[a,b]内f(a)×f(b)<≥0，将无法使用二分法求值，将使用枚举法试求。");

} // namespace

class ApproximateRootWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensReadyForInput();
    void answers_data();
    void answers();
    void helpMenu_data();
    void helpMenu();
    void longSearchShowsProgressAndStops();
    void closingDuringALongSearchIsSafe();
    void showsItsWorkingOnTheScreen();

private:
    void Search(const QString &expression, const QString &first, const QString &last,
                const QString &method, int places = 3);
    template<typename Control>
    Control *Find(const QString &name) const
    {
        return FindControl<Control>(m_window, name);
    }

    QPointer<ApproximateRootWindow> m_window;
};

void ApproximateRootWindowTest::Search(const QString &expression, const QString &first,
                                       const QString &last, const QString &method, int places)
{
    Replace(Find<EditBox>(QStringLiteral("输入")), expression);
    Replace(Find<EditBox>(QStringLiteral("首项")), first);
    Replace(Find<EditBox>(QStringLiteral("末项")), last);
    ChooseItem(Find<QComboBox>(QStringLiteral("组合框1")), places);
    QTest::mouseClick(Find<QRadioButton>(method), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("按钮1")), Qt::LeftButton);
}

void ApproximateRootWindowTest::opensReadyForInput()
{
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    QCOMPARE(QApplication::focusWidget(), Find<EditBox>(QStringLiteral("输入")));
    QCOMPARE(Find<EditBox>(QStringLiteral("首项"))->text(), "-10");
    QCOMPARE(Find<EditBox>(QStringLiteral("末项"))->text(), "10");
    QComboBox *places = Find<QComboBox>(QStringLiteral("组合框1"));
    QCOMPARE(places->count(), 6);
    QCOMPARE(places->currentText(), "3");
    QVERIFY(Find<QRadioButton>(Bisection)->isChecked());
    QCOMPARE(Find<QRadioButton>(Bisection)->text(), "二分法");
    QCOMPARE(Find<QRadioButton>(Enumeration)->text(), "枚举法");
    QCOMPARE(Find<EditBox>(QStringLiteral("答案"))->text(), QString());
}

// The searches are the logic's; these rows follow the inputs, the method, the places and the
// message through the window.
void ApproximateRootWindowTest::answers_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("further"); // the further roots, one per line
    QTest::addColumn<QString>("message"); // the bisection's message, shown before the answers
    const auto row = [](const char *name, const char *expression, const char *first,
                        const char *last, const QString &method, int places, const char *answer,
                        const char *further = "", const QString &message = QString()) {
        QTest::newRow(name) << QString::fromLatin1(expression) << QString::fromLatin1(first)
                            << QString::fromLatin1(last) << method << places
                            << QString::fromUtf8(answer) << QString::fromUtf8(further) << message;
    };
    row("midpoint is the root", "x-5", "0", "10", Bisection, 3, "x=5");
    row("bisection converges", "x*x-2", "0", "10", Bisection, 3, "x≈1.414");
    row("bisection with 0 places", "x*x-2", "1", "2", Bisection, 0, "x≈1");
    row("bisection with 5 places", "x*x-2", "1", "2", Bisection, 5, "x≈1.41421");
    row("same signs go to the scan", "x*x-2", "-10", "10", Bisection, 3, "x≈-1.414", "x≈1.414",
        Impossible + QStringLiteral("\n可改用逐步搜索法"));
    row("the scan finds nothing either", "x*x+2", "-10", "10", Bisection, 3,
        "x在定义域[-10,10]内无解", "", Impossible);
    row("scan meets the root", "2*x-1", "-10", "10", Enumeration, 3, "x=0.5");
    row("every root", "x*x*x-x", "-10", "10", Enumeration, 3, "x=-1", "x=0\r\nx=1");
    row("no dip before the end", "x-20", "-10", "10", Enumeration, 3, "x在定义域[-10,10]内无解");
    row("undefined first sample", "1/x", "0", "10", Enumeration, 3, "x在定义域[0,10]内无解");
    row("backwards interval", "x", "10", "-10", Enumeration, 3, "x在定义域[10,-10]内无解");
}

void ApproximateRootWindowTest::answers()
{
    QFETCH(QString, expression);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, method);
    QFETCH(int, places);
    QFETCH(QString, answer);
    QFETCH(QString, further);
    QFETCH(QString, message);
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    Search(QStringLiteral("x*x*x-x"), QStringLiteral("-10"), QStringLiteral("10"), Enumeration);
    Search(expression, first, last, method, places);
    QCOMPARE(Find<EditBox>(QStringLiteral("答案"))->text(), answer);
    LongTextBox *roots = Find<LongTextBox>(QStringLiteral("其余的根"));
    QCOMPARE(roots->text(), further);
    QCOMPARE(roots->isVisible(), !further.isEmpty());
    const QList<ShownMessage> messages = message.isEmpty()
            ? QList<ShownMessage>{}
            : QList<ShownMessage>{{QStringLiteral("信息："), message}};
    QCOMPARE(TakeMessages(), messages);
}

void ApproximateRootWindowTest::helpMenu_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("message");
    QTest::newRow("which method")
            << "我该选择哪种方法"
            << "两种方法的比较：\n"
               "二分法：速度快，但是精度低，而且无法解[a,b]内f(a)×f(b)≥0的方程；\n"
               "枚举法：速度慢，但是精度高（相对于二分法来讲）。";
    QTest::newRow("always solvable")
            << "一定能解出方程吗"
            << "    抱歉，目前有些方程无法解或者解不正确，区间选择不正确也会导致解不正确。";
}

// Opens "帮助" on the menu bar and clicks the item.
void ApproximateRootWindowTest::helpMenu()
{
    QFETCH(QString, item);
    QFETCH(QString, message);
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    QMenu *help = Find<QMenu>(QStringLiteral("帮助"));
    QCOMPARE(help->title(), "帮助");
    QMenuBar *bar = m_window->findChild<QMenuBar *>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    QTRY_VERIFY(help->isVisible());
    QAction *action = Find<QAction>(item);
    QCOMPARE(action->text(), item);
    const QPoint itemCentre = help->actionGeometry(action).center();
    QTest::mouseClick(help, Qt::LeftButton, {}, itemCentre);
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{QStringLiteral("信息："), message}}));
}

// An enumeration over a huge interval runs for long: meanwhile the window answers and shows its
// progress, and its button, now "停止", stops it.
void ApproximateRootWindowTest::longSearchShowsProgressAndStops()
{
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    QPushButton *button = Find<QPushButton>(QStringLiteral("按钮1"));
    QProgressBar *progress = Find<QProgressBar>(QStringLiteral("进度条1"));
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        if (++ticks == 3) {
            QCOMPARE(button->text(), "停止");
            QVERIFY(progress->value() > 0);
            QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    ticker.start(100);
    Search(QStringLiteral("x/1000-1e7"), QStringLiteral("0"), QStringLiteral("1e9"), Enumeration);
    QCOMPARE(ticks, 3);
    QCOMPARE(Find<EditBox>(QStringLiteral("答案"))->text(), "（搜索已停止）");
    QCOMPARE(button->text(), "计算");
}

void ApproximateRootWindowTest::closingDuringALongSearchIsSafe()
{
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    QTimer::singleShot(150, m_window, [this] { m_window->close(); });
    Search(QStringLiteral("x/1000-1e7"), QStringLiteral("0"), QStringLiteral("1e9"), Enumeration);
    QVERIFY(m_window);
    QVERIFY(!m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
}

// A long bisection table scrolls inside the panel: the window stays on the screen.
void ApproximateRootWindowTest::showsItsWorkingOnTheScreen()
{
    QVERIFY(OpenToolWindow<ApproximateRootWindow>(m_window));
    Search(QStringLiteral("x*x-2"), QStringLiteral("1"), QStringLiteral("2"), Bisection, 5);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("解题过程")), Qt::LeftButton);
    QVERIFY(m_window->screen()->availableGeometry().contains(m_window->frameGeometry()));
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("解题过程")), Qt::LeftButton);
    const QString text = CopyWorking(m_window);
    QVERIFY(text.contains(QStringLiteral("1\t[1,2]\t1.5\t0.25\t1")));
    QVERIFY(text.endsWith(QStringLiteral("x≈1.41421")));
}

QTEST_MAIN(ApproximateRootWindowTest)
#include "tst_approximaterootwindow.moc"
