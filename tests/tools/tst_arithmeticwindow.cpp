#include "app/programstate.h"
#include "tools/arith/arithmeticwindow.h"
#include "ui/editbox.h"
#include "ui/style.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QLabel>
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

private:
    MultiLineEditBox *Expression() { return FindControl<MultiLineEditBox>(m_window, "编辑框1"); }
    EditBox *Result() { return FindControl<EditBox>(m_window, "编辑框2"); }
    QPushButton *ComputeButton() { return FindControl<QPushButton>(m_window, "四则运算计算"); }
    void Type(const QString &expression);
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
    const auto row = [](const char *name, const QString &typed, const QString &shown) {
        QTest::newRow(name) << typed << shown;
    };

    row("precedence", "1+2*3", "7");
    row("parentheses", "(1+2)*3", "9");
    row("implied multiplication", "2(3+4)", "14");
    row("division", "10/4", "2.5");
    row("square root", "sqrt(2)", "1.4142135623730951");
    row("full-width", "（１＋２）３", "9");
    row("empty", "", "错误!");
    row("division by zero", "1/0", "错误!");
    row("negative division by zero", "-1/0", "错误!");
    row("zero by zero", "0/0", "-1.#IND");
    row("unknown name", "PI", "错误!");
}

void ArithmeticWindowTest::computesOnClick()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Type(typed);
    ClickCompute();
    QCOMPARE(Result()->text(), shown);
    QCOMPARE(Expression()->text(), typed);
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

QTEST_MAIN(ArithmeticWindowTest)
#include "tst_arithmeticwindow.moc"
