#include "app/programstate.h"
#include "tools/arith/arithmeticwindow.h"
#include "ui/editbox.h"
#include "ui/style.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class ArithmeticWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramStyle(*qApp); }
    void init();
    void controls();
    void computesOnClick_data();
    void computesOnClick();
    void enterComputesAndMovesFocusToResult();
    void otherKeysAreTyping();
    void recomputesAfterEditing();
    void runawayExpressionShowsError();
    void closingDuringEnterDoesNotCrash();
    void exactValueAndHistory();
    void historyRecallsExpressions();
    void historyMenuAndClear();
    void historyComesFromItsFile();
    void copies();

private:
    MultiLineEditBox *Expression() { return FindControl<MultiLineEditBox>(m_window, "编辑框1"); }
    EditBox *Result() { return FindControl<EditBox>(m_window, "编辑框2"); }
    QPushButton *ComputeButton() { return FindControl<QPushButton>(m_window, "四则运算计算"); }
    EditBox *Exact() { return FindControl<EditBox>(m_window, "精确值"); }
    QListWidget *History() { return FindControl<QListWidget>(m_window, "历史记录"); }
    void Type(const QString &expression);
    void ComputeWithEnter(const QString &expression);
    QMenu *OpenEntryMenu(int row);
    void ClickCompute() { QTest::mouseClick(ComputeButton(), Qt::LeftButton); }

    QPointer<ArithmeticWindow> m_window;
};

// ASCII is typed key by key; other characters arrive as an input method commits them.
void ArithmeticWindowTest::Type(const QString &expression)
{
    for (QChar c : expression) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(Expression(), QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(Expression(), &commit);
        }
    }
}

void ArithmeticWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<ArithmeticWindow>(m_window));
}

void ArithmeticWindowTest::controls()
{
    QCOMPARE(m_window->windowTitle(), "四则运算");
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), "表达式：");
    QCOMPARE(FindControl<QLabel>(m_window, "标签2")->text(), "计算结果：");
    QCOMPARE(ComputeButton()->text(), "计算");
    QCOMPARE(Expression()->accessibleName(), "表达式");
    QCOMPARE(Result()->accessibleName(), "计算结果");
    QVERIFY(Expression()->hasFocus());
    QVERIFY(Expression()->width() >= 304 && Expression()->height() >= 80);
    QCOMPARE(Expression()->text(), QString());
    QCOMPARE(Result()->text(), QString());
}

void ArithmeticWindowTest::computesOnClick_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("line"); // under the result
    const auto row = [](const char *name, const QString &typed, const QString &shown,
                        const QString &line = QString()) {
        QTest::newRow(name) << typed << shown << line;
    };

    row("precedence", "1+2*3", "7");
    row("parentheses", "(1+2)*3", "9");
    row("implied multiplication", "2(3+4)", "14");
    row("division", "10/4", "2.5");
    row("square root", "sqrt(2)", "1.4142135623730951");
    row("full-width", "（１＋２）３", "9");
    row("empty", "", "错误!", "没有输入算式");
    row("division by zero", "1/0", "错误!", "除数为零");
    row("negative division by zero", "-1/0", "错误!", "除数为零");
    row("zero by zero", "0/0", "-1.#IND");
    row("unknown name", "foo", "错误!", "不认识的名称：foo");
    row("radians", "sin(1)", "0.8414709848078965", "三角函数按弧度计算；角度请写成 sin(30°)");
}

void ArithmeticWindowTest::computesOnClick()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, line);
    Type(typed);
    ClickCompute();
    QCOMPARE(Result()->text(), shown);
    QCOMPARE(Expression()->text(), typed);
    QString under;
    for (const char *name : {"错误原因", "弧度提示"}) {
        auto *label = FindControl<QLabel>(m_window, QString::fromUtf8(name));
        if (label->isVisible())
            under += label->text();
    }
    QCOMPARE(under, line);
}

void ArithmeticWindowTest::enterComputesAndMovesFocusToResult()
{
    Type("6*7");
    QTest::keyClick(Expression(), Qt::Key_Return);
    QCOMPARE(Result()->text(), "42");
    QVERIFY(Result()->hasFocus());
    QCOMPARE(Expression()->text(), "6*7");
    Expression()->setFocus();
    QTest::keyClick(Expression(), Qt::Key_Enter); // the keypad's Enter as well
    QCOMPARE(Expression()->text(), "6*7");
    QVERIFY(Result()->hasFocus());
}

void ArithmeticWindowTest::otherKeysAreTyping()
{
    Type("12");
    QTest::keyClick(Expression(), Qt::Key_Backspace);
    Type("+3");
    QCOMPARE(Expression()->text(), "1+3");
    QCOMPARE(Result()->text(), QString());
    QVERIFY(Expression()->hasFocus());
}

void ArithmeticWindowTest::recomputesAfterEditing()
{
    Type("1/0");
    ClickCompute();
    QCOMPARE(Result()->text(), "错误!");
    QTest::keyClick(Expression(), Qt::Key_Backspace);
    Type("4");
    ClickCompute();
    QCOMPARE(Result()->text(), "0.25");
}

// The script host stops the loop; the user's next action evaluates normally again.
void ArithmeticWindowTest::runawayExpressionShowsError()
{
    Type("while(1){}");
    ClickCompute();
    QCOMPARE(Result()->text(), "错误!");
    QEventLoop idle; // the event loop waits for the user's next action
    QTimer::singleShot(10, &idle, &QEventLoop::quit);
    idle.exec();
    Expression()->selectAll();
    Type("2*3");
    ClickCompute();
    QCOMPARE(Result()->text(), "6");
}

void ArithmeticWindowTest::closingDuringEnterDoesNotCrash()
{
    Type("1+1");
    QTimer::singleShot(0, m_window, &QWidget::close);
    QTest::keyClick(Expression(), Qt::Key_Return);
    QTRY_VERIFY(m_window.isNull());
}

void ArithmeticWindowTest::ComputeWithEnter(const QString &expression)
{
    Expression()->setFocus();
    Expression()->selectAll();
    Type(expression);
    QTest::keyClick(Expression(), Qt::Key_Return);
}

QMenu *ArithmeticWindowTest::OpenEntryMenu(int row)
{
    const QPoint place = History()->visualItemRect(History()->item(row)).center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, place,
                              History()->viewport()->mapToGlobal(place));
    QApplication::sendEvent(History()->viewport(), &request);
    return FindControl<QMenu>(m_window, "历史记录菜单");
}

void ArithmeticWindowTest::exactValueAndHistory()
{
    Type("1/3+1/6");
    ClickCompute();
    ClickCompute();
    QCOMPARE(Exact()->text(), "1/2 = 0.5");
    QCOMPARE(History()->count(), 1);
    Type("+sqrt(4)");
    ClickCompute();
    QCOMPARE(Result()->text(), "2.5");
    QCOMPARE(Exact()->text(), QString());
    QCOMPARE(History()->count(), 2);
    QCOMPARE(History()->item(0)->text(), "1/3+1/6+sqrt(4) = 2.5");
}

void ArithmeticWindowTest::historyRecallsExpressions()
{
    ComputeWithEnter("1+1");
    ComputeWithEnter("2+2");
    Expression()->setFocus();
    Expression()->selectAll();
    Type("7");
    QTest::keyClick(Expression(), Qt::Key_Up);
    QCOMPARE(Expression()->text(), "2+2");
    QTest::keyClick(Expression(), Qt::Key_Down);
    QCOMPARE(Expression()->text(), "7");
    QTest::mouseClick(History()->viewport(), Qt::LeftButton, {},
                      History()->visualItemRect(History()->item(1)).center());
    QCOMPARE(Expression()->text(), "1+1");
    QVERIFY(Expression()->hasFocus());
    History()->setFocus();
    History()->setCurrentRow(0);
    QTest::keyClick(History(), Qt::Key_Return);
    QCOMPARE(Expression()->text(), "2+2");
}

void ArithmeticWindowTest::historyMenuAndClear()
{
    ComputeWithEnter("1/3");
    ComputeWithEnter("2*3");
    QPointer<QMenu> menu = OpenEntryMenu(1);
    FindControl<QAction>(menu, "复制精确值")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), "1/3 = 0.(3)");
    menu->close();
    QTRY_VERIFY(menu.isNull());
    FindControl<QAction>(OpenEntryMenu(0), "删除")->trigger();
    QCOMPARE(History()->count(), 1);
    QCOMPARE(History()->item(0)->text(), "1/3 = 0.3333333333333333");

    QTest::mouseClick(FindControl<QPushButton>(m_window, "清空按钮"), Qt::LeftButton);
    const QList<ShownMessage> asked = TakeMessages();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().buttons, QStringList({"确定", "取消"}));
    QCOMPARE(History()->count(), 0);
}

void ArithmeticWindowTest::historyComesFromItsFile()
{
    const QString path = runDirectory() + "/history.json";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Eval::HistoryText({{"5*5", "25"}}));
    file.close();
    ArithmeticWindow reopened(path);
    QCOMPARE(FindControl<QListWidget>(&reopened, "历史记录")->item(0)->text(), "5*5 = 25");
}

void ArithmeticWindowTest::copies()
{
    ComputeWithEnter("1/3");
    QClipboard *clipboard = QGuiApplication::clipboard();
    Expression()->setFocus();
    QTest::keyClick(Expression(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), "0.3333333333333333");
    Expression()->selectAll();
    QTest::keyClick(Expression(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), "1/3");
    QTest::mouseClick(FindControl<QPushButton>(m_window, "复制按钮2"), Qt::LeftButton);
    QCOMPARE(clipboard->text(), "1/3 = 0.(3)");
    ComputeButton()->setFocus();
    QTest::keyClick(ComputeButton(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), "0.3333333333333333");
}

QTEST_MAIN(ArithmeticWindowTest)
#include "tst_arithmeticwindow.moc"
