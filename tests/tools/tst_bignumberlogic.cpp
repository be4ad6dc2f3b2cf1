#include "outcometext.h"
#include "tools/arith/bignumberlogic.h"

#include <QtTest>

using namespace Arith;

using Operation = BigNumberOperation;

class BigNumberLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void resultText_data();
    void resultText();
};

void BigNumberLogicTest::resultText_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &first, const QString &second,
                        Operation operation, const QString &shown) {
        QTest::newRow(name) << first << second << operation << shown;
    };

    // The window's tests go through each operation; the arithmetic itself is BigInteger's.
    row("both negative", "-7", "-5", Operation::Remainder, "-2");
    row("exact remainder of a negative", "-10", "5", Operation::Remainder, "0");
    row("octal equals decimal", "010", "8", Operation::Comparison, BothAreEqualText);
    row("minus zero", "+12", "-0", Operation::Difference, "12");
    row("quotient by zero", "7", "0", Operation::Quotient, "");
    row("remainder by zero", "7", "00", Operation::Remainder, "");
    row("empty first", "", "1", Operation::Product, "");
    row("lone plus", "1", "+", Operation::Comparison, "");
    row("remainder by a bare hex prefix", "7", "0x", Operation::Remainder, "");
    row("carriage return at the end", "1", "2\r", Operation::Product, "");
    row("line separator", "1\u20282", "1", Operation::Product, "");
    row("paragraph separator", "1", "2\u2029", Operation::Sum, "");
    row("double quote", "1\"", "1", Operation::Product, "");
    row("backslash", "12\\", "1", Operation::Sum, "");
    row("injection that balances its quotes", "1\"+\"2", "1", Operation::Comparison, "");
}

void BigNumberLogicTest::resultText()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Operation, operation);
    QFETCH(QString, shown);
    QCOMPARE(ShownText(CalculateBigNumbers(first, second, operation)), shown);
}

QTEST_GUILESS_MAIN(BigNumberLogicTest)

#include "tst_bignumberlogic.moc"
