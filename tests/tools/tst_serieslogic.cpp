#include "eval/bigint.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "outcometext.h"
#include "tools/arith/divisors.h"
#include "tools/arith/serieslogic.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Eval;
using namespace Arith;

namespace {

// The sum as first written: 0 + 1 + … + (n − 1) accumulated in a double, then x added.
QString LoopedSum(const QString &text)
{
    const double x = TextToNumber(text);
    const qint32 n = TextToInteger(x);
    double sum = 0;
    for (qint32 i = 1; i <= n; ++i)
        sum += i - 1;
    return NumberToText(sum + x);
}

// The product as first written.
QString LoopedProduct(const QString &text)
{
    const qint32 n = TextToInteger(TextToNumber(text));
    double product = 1;
    for (qint32 i = 1; i <= n; ++i)
        product *= i;
    return NumberToText(product);
}

// Where the looped sum first shows its rounding in the displayed digits.
constexpr qint32 FirstRoundedSum = 134217792;

} // namespace

class SeriesLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void running_data();
    void running();
    void sum_data();
    void sum();
    void sumAgreesWithLoopWhileItIsExact();
    void sumSweepAgreesWithLoopUpToItsFirstRounding();
    void product_data();
    void product();
};

void SeriesLogicTest::running_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("shown"); // workings, results, count
    const auto row = [](const char *name, const QStringList &values, const QStringList &shown) {
        QTest::newRow(name) << values << shown;
    };
    row("2, 3, 4", {"2", "3", "4"}, {"2+3+4", "2×3×4", "9", "24", "4"});
    row("first product as typed", {"2.50"}, {"2.50", "2.50", "2.5", "2.50", "2"});
    row("second product converted", {"2.50", "2"}, {"2.50+2", "2.50×2", "4.5", "5", "3"});
    row("empty value refused", {"2", "", "3"}, {"2+3", "2×3", "5", "6", "3"});
    row("zero and negatives", {"-3", "0", "-.5"}, {"-3+0+-.5", "-3×0×-.5", "-3.5", "0", "4"});
    row("unreadable as 0", {"abc", "5"}, {"abc+5", "abc×5", "5", "0", "3"});
    row("shown precision carries on", {"0.1", "0.2", "1e-13"},
        {"0.1+0.2+1e-13", "0.1×0.2×1e-13", "0.3000000000001", "2e-015", "4"});
    row("infinity stays infinite", {"1e308", "1e308", "5"},
        {"1e308+1e308+5", "1e308×1e308×5", "1.#INF", "1.#INF", "4"});
    row("negative infinity", {"-1e999", "-2"},
        {"-1e999+-2", "-1e999×-2", "-1.#INF", "1.#INF", "3"});
    row("undefined stays undefined", {"1e999", "-1e999", "1"},
        {"1e999+-1e999+1", "1e999×-1e999×1", "-1.#IND", "-1.#INF", "4"});
}

void SeriesLogicTest::running()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, shown);
    RunningSeries series;
    for (const QString &value : values) {
        const Outcome<RunningSeries> next = AcceptValue(series, value);
        QCOMPARE(next ? QString() : next.refusal(),
                 value.isEmpty() ? QStringLiteral("请输入加数！") : QString());
        series = next.value_or(series);
    }
    QCOMPARE((QStringList{series.sumWorking, series.productWorking, series.sum, series.product,
                          series.count}),
             shown);
    QVERIFY(!series.first);
}

void SeriesLogicTest::sum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<QString>>("shown");
    const auto row = [](const char *name, const char *text, std::optional<QString> shown) {
        QTest::newRow(name) << QString::fromUtf8(text) << shown;
    };
    row("100", "100", "5050");
    row("empty", "", "0");
    row("negative zero", "-0", "0");
    row("largest negative", "-99999999", "-99999999");
    row("fraction ends the sum", "3.5", "6.5");
    row("full-width", "１００", "5050");
    row("exponent form", "1e3", "500500");
    row("thirteen digits", "1414214", "1000001326005");
    row("largest", "999999999", "4.999999995e+017");
    // 134217792 × 134217793 / 2 = 9007207911786528: the loop's doubles lost a unit there and
    // showed 9.007207911786e+015.
    row("first rounded by the loop", "134217792", "9.007207911787e+015");
    row("ten digits", "1e9", std::nullopt);
    row("ten digits negative", "-1e9", std::nullopt);
    row("infinite", "1e999", std::nullopt);
}

void SeriesLogicTest::sum()
{
    QFETCH(QString, text);
    QFETCH(std::optional<QString>, shown);
    const Outcome<QString> sum = TriangularSumText(text);
    QCOMPARE(sum.ok(), shown.has_value());
    QCOMPARE(ShownText(sum), shown.value_or(SumTooLongMessage));
}

void SeriesLogicTest::sumAgreesWithLoopWhileItIsExact()
{
    QStringList texts{"0.5", "7.25", "-0.5", "99999.9", "9999999.9", "12345678"};
    for (qint32 n = -50; n <= 3000; ++n)
        texts << QString::number(n);
    QRandomGenerator random(1119);
    for (int i = 0; i < 5; ++i)
        texts << QString::number(random.bounded(3000, FirstRoundedSum));
    for (const QString &text : std::as_const(texts)) {
        if (ShownText(TriangularSumText(text)) != LoopedSum(text))
            QFAIL(qPrintable(text));
    }
}

void SeriesLogicTest::sumSweepAgreesWithLoopUpToItsFirstRounding()
{
    // One pass of the loop's accumulation, compared on the way: every n of the last
    // hundred thousand before the first rounded one, and every 9973rd before that.
    double looped = 0;
    for (qint32 n = 1; n < FirstRoundedSum; ++n) {
        looped += n - 1;
        if (n % 9973 != 0 && n < FirstRoundedSum - 100000)
            continue;
        const QString text = QString::number(n);
        if (ShownText(TriangularSumText(text)) != NumberToText(looped + n))
            QFAIL(qPrintable(text));
    }
}

void SeriesLogicTest::product_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("exact"); // the digits beside, where the shown text lacks some
    const auto row = [](const char *text, const QString &shown, const char *exact = "") {
        QTest::newRow(text) << QString::fromLatin1(text) << shown << QString::fromLatin1(exact);
    };
    row("5", "120");
    row("0", "1");
    row("-5", "1");
    row("15", "1307674368000");
    row("16", "2.0922789888e+013", "20922789888000");
    row("25", "1.551121004333e+025", "15511210043330985984000000");
    row("5.9", WholeNumberMessage);
    row("170", "7.257415615308e+306");
    row("171", "1.#INF");
    row("2147483647", "1.#INF"); // at once, not after two billion steps
    row("1e300", OutOfRangeMessage);
}

// The exact digits are checked by dividing them back down to 1.
void SeriesLogicTest::product()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, exact);
    QCOMPARE(ShownText(FactorialText(text)), shown);
    if (TextToNumber(text) < 1000 && text != "5.9")
        QCOMPARE(LoopedProduct(text), shown);
    const QString digits = ExactFactorialText(text);
    QCOMPARE(digits.left(exact.size()), exact);
    if (text.toInt() > 15 && text.toInt() <= MaxExactFactorial) {
        BigInteger rest = *BigInteger::FromDigits(digits);
        for (long i = text.toInt(); i > 1; --i) {
            QCOMPARE(rest.Remainder(BigInteger(i))->Sign(), 0);
            rest = *rest.Quotient(BigInteger(i));
        }
        QCOMPARE(rest.ToText(), QStringLiteral("1"));
    }
}

QTEST_GUILESS_MAIN(SeriesLogicTest)

#include "tst_serieslogic.moc"
