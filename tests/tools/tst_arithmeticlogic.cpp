#include "tools/arith/arithmeticlogic.h"

#include <QtTest>

class ArithmeticLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void resultText_data();
    void resultText();
};

void ArithmeticLogicTest::resultText_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &expression, const QString &shown) {
        QTest::newRow(name) << expression << shown;
    };

    row("precedence", "1+2*3", "7");
    row("parentheses", "(1+2)*3", "9");
    row("implied multiplication", "2(3+4)", "14");
    row("division", "10/4", "2.5");
    row("bare function name", "sqrt(2)", "1.4142135623730951");
    row("upper-case name", "SQRT(16)", "4");
    row("exp works here", "exp(0)+max(1,2)", "3");
    row("full-width digits and parentheses", "（１＋２）＊３", "9");
    row("several lines", "1+\r\n2", "3");
    row("legacy octal", "010+1", "9");
    row("empty", "", ArithmeticErrorText);
    row("blank", "   ", ArithmeticErrorText);
    row("syntax error", "2+", ArithmeticErrorText);
    row("unknown name", "PI*2", ArithmeticErrorText);
    row("division by zero", "1/0", ArithmeticErrorText);
    row("negative division by zero", "-1/0", ArithmeticErrorText);
    row("overflow", "Math.pow(10,400)", ArithmeticErrorText);
    row("zero by zero", "0/0", "-1.#IND");
    row("root of negative", "sqrt(-1)", "-1.#IND");
}

void ArithmeticLogicTest::resultText()
{
    QFETCH(QString, expression);
    QFETCH(QString, shown);
    QCOMPARE(ArithmeticResultText(expression), shown);
}

QTEST_GUILESS_MAIN(ArithmeticLogicTest)
#include "tst_arithmeticlogic.moc"
