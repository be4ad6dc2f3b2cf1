#include "tools/arith/bignumberlogic.h"

#include <QtTest>

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

    row("30-digit product", "123456789012345678901234567890", "987654321098765432109876543210",
        Operation::Product, "121932631137021795226185032733622923332237463801111263526900");
    row("difference below zero", "100", "250", Operation::Difference, "-150");
    row("sum to zero", "-5", "5", Operation::Sum, "0");
    row("quotient", "7", "2", Operation::Quotient, "3");
    row("quotient toward zero", "-7", "2", Operation::Quotient, "-3");
    row("quotient below one", "3", "5", Operation::Quotient, "0");
    row("remainder takes the divisor's sign", "-7", "5", Operation::Remainder, "3");
    row("negative divisor", "7", "-5", Operation::Remainder, "-3");
    row("both negative", "-7", "-5", Operation::Remainder, "-2");
    row("exact remainder", "-10", "5", Operation::Remainder, "0");
    row("first larger", "100", "99", Operation::Comparison, FirstIsLargerText);
    row("equal", "5", "5", Operation::Comparison, BothAreEqualText);
    row("second larger", "-1", "0", Operation::Comparison, SecondIsLargerText);
    row("octal and decimal equal", "010", "8", Operation::Comparison, BothAreEqualText);
    row("octal operand", "010", "1", Operation::Product, "8");
    row("09 reads as zero", "09", "1", Operation::Sum, "1");
    row("hex operand", "0xFF", "1", Operation::Sum, "256");
    row("binary operand", "-0b101", "0B11", Operation::Product, "-15");
    row("stops at the first non-digit", "12-3", "1", Operation::Product, "12");
    row("plus sign", "+12", "-0", Operation::Difference, "12");

    row("empty first", "", "1", Operation::Product, "");
    row("empty second", "1", "", Operation::Sum, "");
    row("empty comparison", "", "", Operation::Comparison, "");
    row("lone minus", "-", "1", Operation::Sum, "");
    row("lone plus", "1", "+", Operation::Comparison, "");
    row("quotient by zero", "7", "0", Operation::Quotient, "");
    row("remainder by zero", "7", "-0", Operation::Remainder, "");
    row("remainder by a bare hex prefix", "7", "0x", Operation::Remainder, "");
    row("line feed", "1\n2", "1", Operation::Product, "");
    row("carriage return at the end", "1", "2\r", Operation::Product, "");
    row("line separator", "1\u20282", "1", Operation::Product, "");
    row("double quote", "1\"", "1", Operation::Product, "");
    row("backslash", "1", "2\\", Operation::Sum, "");
    row("script injection", "1\");while(1){}//", "1", Operation::Product, "");
    row("injection that balances its quotes", "1\"+\"2", "1", Operation::Comparison, "");
}

void BigNumberLogicTest::resultText()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Operation, operation);
    QFETCH(QString, shown);
    QCOMPARE(CalculateBigNumbers(first, second, operation), shown);
}

QTEST_GUILESS_MAIN(BigNumberLogicTest)
#include "tst_bignumberlogic.moc"
