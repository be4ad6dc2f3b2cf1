#include "eval/numberformat.h"
#include "tools/applied/profitlogic.h"

#include <QTest>

class ProfitLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void profit_data();
    void profit();
};

void ProfitLogicTest::profit_data()
{
    QTest::addColumn<double>("principal");
    QTest::addColumn<double>("ratePercent");
    QTest::addColumn<double>("time");
    QTest::addColumn<double>("base");
    QTest::addColumn<bool>("loan");
    QTest::addColumn<bool>("compound");
    QTest::addColumn<QString>("shown");
    QTest::newRow("simple deposit") << 1000.0 << 5.0 << 2.0 << 2.7182818 << false << false << "100";
    QTest::newRow("simple loan") << 1000.0 << 5.0 << 2.0 << 2.7182818 << true << false << "-100";
    // The typed base, not the library's e (which gives 1105.170918076).
    QTest::newRow("compound deposit")
            << 1000.0 << 5.0 << 2.0 << 2.7182818 << false << true << "1105.170916919";
    QTest::newRow("compound loan")
            << 1000.0 << 5.0 << 2.0 << 2.7182818 << true << true << "-1105.170916919";
    QTest::newRow("compound base 3")
            << 1000.0 << 5.0 << 2.0 << 3.0 << false << true << "1116.123174034";
    QTest::newRow("simple ignores base") << 1000.0 << 5.0 << 2.0 << 3.0 << false << false << "100";
    QTest::newRow("fractional") << 500.0 << 3.0 << 4.0 << 2.7182818 << false << true
                                << "563.7484250814";
    QTest::newRow("all zero compound") << 0.0 << 0.0 << 0.0 << 2.7182818 << false << true << "0";
    QTest::newRow("zero principal loan") << 0.0 << 5.0 << 2.0 << 2.7182818 << true << false << "-0";
    QTest::newRow("base zero, negative exponent")
            << 1000.0 << -5.0 << 2.0 << 0.0 << false << true << "1.#INF";
}

void ProfitLogicTest::profit()
{
    QFETCH(double, principal);
    QFETCH(double, ratePercent);
    QFETCH(double, time);
    QFETCH(double, base);
    QFETCH(bool, loan);
    QFETCH(bool, compound);
    QFETCH(QString, shown);
    const ProfitInputs inputs{principal, ratePercent, time, base, loan, compound};
    QCOMPARE(NumberToText(ComputeProfit(inputs)), shown);
}

QTEST_APPLESS_MAIN(ProfitLogicTest)
#include "tst_profitlogic.moc"
