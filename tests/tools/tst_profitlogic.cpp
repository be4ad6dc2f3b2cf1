#include "eval/numberformat.h"
#include "tools/applied/profitlogic.h"

#include <QTest>

using namespace Eval;
using namespace Applied;

Q_DECLARE_METATYPE(Applied::ProfitTexts)

class ProfitLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void profit_data();
    void profit();
    void reply_data();
    void reply();
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

void ProfitLogicTest::reply_data()
{
    QTest::addColumn<ProfitTexts>("texts");
    QTest::addColumn<ProfitTrigger>("trigger");
    QTest::addColumn<QString>("shown"); // empty: no result
    const QString e = QStringLiteral("2.7182818");
    QTest::newRow("edited") << ProfitTexts{"1000", "5", "2", e, false, false}
                            << ProfitTrigger::InputsEdited << "100";
    QTest::newRow("edited, compound loan") << ProfitTexts{"1000", "5", "2", e, true, true}
                                           << ProfitTrigger::InputsEdited << "-1105.170916919";
    QTest::newRow("edited while time is empty")
            << ProfitTexts{"1000", "5", "", e, false, false} << ProfitTrigger::InputsEdited << "";
    QTest::newRow("empty base does not wait")
            << ProfitTexts{"1000", "5", "2", "", false, true} << ProfitTrigger::InputsEdited << "0";
    QTest::newRow("clicked with empty boxes, read as 0")
            << ProfitTexts{"", "", "", e, false, true} << ProfitTrigger::CompoundingClicked << "0";
}

void ProfitLogicTest::reply()
{
    QFETCH(ProfitTexts, texts);
    QFETCH(ProfitTrigger, trigger);
    QFETCH(QString, shown);
    const Outcome<QString> outcome = ProfitFor(texts, trigger);
    QCOMPARE(bool(outcome), !shown.isEmpty());
    QCOMPARE(outcome ? *outcome : outcome.refusal(), shown);
}

QTEST_APPLESS_MAIN(ProfitLogicTest)
#include "tst_profitlogic.moc"
