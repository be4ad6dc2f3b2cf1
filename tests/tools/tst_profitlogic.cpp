#include "eval/numberformat.h"
#include "tools/applied/profitlogic.h"

#include <QTest>

using namespace Eval;
using namespace Applied;

Q_DECLARE_METATYPE(Applied::ProfitTexts)
Q_DECLARE_METATYPE(Applied::ProfitInputs)

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
    QTest::addColumn<ProfitInputs>("inputs");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<QString>("amount");
    const auto row = [](const char *name, double p, double percent, double t, double base,
                        bool loan, Interest interest, const char *shown, const char *amount) {
        QTest::newRow(name) << ProfitInputs{p, percent, t, base, loan, interest}
                            << QString::fromLatin1(shown) << QString::fromLatin1(amount);
    };
    const double e = 2.7182818;
    // Expected values worked out exactly: 1000 × 1.05² = 1102.5, 500 × 1.03⁴ = 562.754405.
    row("simple deposit", 1000, 5, 2, e, false, Interest::Simple, "100", "1100");
    row("simple loan", 1000, 5, 2, e, true, Interest::Simple, "-100", "1100");
    row("simple ignores base", 1000, 5, 2, 3, false, Interest::Simple, "100", "1100");
    row("compound, school formula", 1000, 5, 2, e, false, Interest::Compound, "102.5", "1102.5");
    row("compound, three units", 1000, 5, 3, e, false, Interest::Compound, "157.625", "1157.625");
    row("compound loan", 1000, 5, 2, e, true, Interest::Compound, "-102.5", "1102.5");
    row("compound, four units", 500, 3, 4, e, false, Interest::Compound, "62.754405", "562.754405");
    // 10000 × 1.000001 − 10000 in doubles would give 0.009999999998399.
    row("compound, tiny rate", 10000, 0.0001, 1, e, false, Interest::Compound, "0.01", "10000.01");
    // The typed base, not the library's e (which gives 105.170918076).
    row("continuous", 1000, 5, 2, e, false, Interest::Continuous, "105.1709169186",
        "1105.170916919");
    row("continuous loan", 1000, 5, 2, e, true, Interest::Continuous, "-105.1709169186",
        "1105.170916919");
    row("continuous base 3", 1000, 5, 2, 3, false, Interest::Continuous, "116.1231740339",
        "1116.123174034");
    row("zero principal loan", 0, 5, 2, e, true, Interest::Simple, "0", "0");
    row("all zero compound", 0, 0, 0, e, false, Interest::Compound, "0", "0");
    row("base zero, negative exponent", 1000, -5, 2, 0, false, Interest::Continuous, "1.#INF",
        "1.#INF");
    row("base zero, zero exponent", 1000, 0, 2, 0, false, Interest::Continuous, "0", "1000");
}

void ProfitLogicTest::profit()
{
    QFETCH(ProfitInputs, inputs);
    const Profit profit = ComputeProfit(inputs);
    QTEST(NumberToText(profit.interest), "interest");
    QTEST(NumberToText(profit.amount), "amount");
}

void ProfitLogicTest::reply_data()
{
    QTest::addColumn<ProfitTexts>("texts");
    QTest::addColumn<ProfitTrigger>("trigger");
    QTest::addColumn<QString>("shown"); // the interest; empty: no result
    const QString e = QStringLiteral("2.7182818");
    const Interest simple = Interest::Simple, continuous = Interest::Continuous;
    QTest::newRow("edited") << ProfitTexts{"1000", "5", "2", e, false, simple}
                            << ProfitTrigger::InputsEdited << "100";
    QTest::newRow("edited, compound loan")
            << ProfitTexts{"1000", "5", "2", e, true, Interest::Compound}
            << ProfitTrigger::InputsEdited << "-102.5";
    QTest::newRow("edited while time is empty")
            << ProfitTexts{"1000", "5", "", e, false, simple} << ProfitTrigger::InputsEdited << "";
    QTest::newRow("empty base does not wait")
            << ProfitTexts{"1000", "5", "2", "", false, continuous} << ProfitTrigger::InputsEdited
            << "-1000";
    QTest::newRow("clicked with empty boxes, read as 0")
            << ProfitTexts{"", "", "", e, false, continuous} << ProfitTrigger::CompoundingClicked
            << "0";
}

void ProfitLogicTest::reply()
{
    QFETCH(ProfitTexts, texts);
    QFETCH(ProfitTrigger, trigger);
    QFETCH(QString, shown);
    const Outcome<ProfitTextsShown> outcome = ProfitFor(texts, trigger);
    QCOMPARE(bool(outcome), !shown.isEmpty());
    QCOMPARE(outcome ? outcome->interest : outcome.refusal(), shown);
}

QTEST_APPLESS_MAIN(ProfitLogicTest)
#include "tst_profitlogic.moc"
