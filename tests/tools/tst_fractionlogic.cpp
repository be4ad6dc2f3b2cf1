#include "eval/numberformat.h"
#include "eval/rounding.h"
#include "tools/arith/fractionlogic.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Eval;
using namespace Arith;

namespace {

constexpr qint32 Lowest = std::numeric_limits<qint32>::min();
constexpr qint32 Highest = std::numeric_limits<qint32>::max();

bool Divides(double divisor, double value)
{
    return std::fabs(IntegerPart(value / divisor) * divisor - value) <= 1e-7;
}

// Numerator and denominator before any reduction, as doubles.
std::pair<double, double> Combine(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2)
{
    switch (op) {
    case FractionOperator::Add:
        return {double(p1) * q2 + double(p2) * q1, double(q1) * q2};
    case FractionOperator::Subtract:
        return {double(p1) * q2 - double(p2) * q1, double(q1) * q2};
    case FractionOperator::Multiply:
        return {double(p1) * p2, double(q1) * q2};
    case FractionOperator::Divide:
        break;
    }
    return {double(p1) * q2, double(q1) * p2};
}

// The calculation as first written: terms combined as doubles, a whole result recognised by
// the integer part, the common divisor found by scanning every candidate up to the smaller
// of the two (as signed numbers), the sign read from the quotient.
FractionResult ScannedFraction(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2)
{
    const auto [n, m] = Combine(p1, q1, op, p2, q2);
    FractionResult shown;
    if (Divides(m, n)) {
        shown.text = NumberToText(std::fabs(n / m));
    } else {
        shown.fraction = true;
        const qint64 top = qint64(n);
        const qint64 bottom = qint64(m);
        const qint64 bound = qint64(std::fabs(double(std::min(top, bottom))));
        qint64 common = 0;
        for (qint64 i = 1; i <= bound; ++i) {
            if (Divides(double(i), double(top)) && Divides(double(i), double(bottom)))
                common = i;
        }
        shown.text = NumberToText(std::fabs(double(top) / common)) + QStringLiteral("\r\n")
                + NumberToText(std::fabs(double(bottom) / common));
    }
    shown.negative = n / m < -1e-7;
    return shown;
}

// Empty when the calculation agrees with the scan, else what differs. Where the scan's
// doubles are exact they differ only in the sign of a negative quotient too small for the
// scan's threshold; the rows of the mended sign check that one.
QString DisagreementWithScan(qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2)
{
    const auto fast = CalculateFraction(p1, q1, op, p2, q2);
    FractionResult scanned = ScannedFraction(p1, q1, op, p2, q2);
    const auto [n, m] = Combine(p1, q1, op, p2, q2);
    if (n / m < 0 && n / m >= -1e-7)
        scanned.negative = true;
    if (fast && *fast == scanned)
        return {};
    return QStringLiteral("%1/%2 op%3 %4/%5: %6 vs %7")
            .arg(p1)
            .arg(q1)
            .arg(int(op))
            .arg(p2)
            .arg(q2)
            .arg(fast ? fast->text : QStringLiteral("nothing"), scanned.text);
}

} // namespace

Q_DECLARE_METATYPE(FractionOperator)
Q_DECLARE_METATYPE(std::optional<qint32>)

class FractionLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void calculation_data();
    void calculation();
    void noResult_data();
    void noResult();
    void readTerm_data();
    void readTerm();
    void outOfRangeTermIsRefused();
    void agreesWithScanOnEverySmallCase();
    void agreesWithScanOnRandomCases();
};

// The small and the random cases are compared with the scan; these lie beyond its reach, and
// the rows marked as mended are where the scan itself went wrong.
void FractionLogicTest::calculation_data()
{
    QTest::addColumn<qint32>("p1");
    QTest::addColumn<qint32>("q1");
    QTest::addColumn<FractionOperator>("op");
    QTest::addColumn<qint32>("p2");
    QTest::addColumn<qint32>("q2");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fraction");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("mended");
    const auto row
            = [](const char *name, qint32 p1, qint32 q1, FractionOperator op, qint32 p2, qint32 q2,
                 const char *text, bool fraction, bool negative, bool mended = false) {
                  QTest::newRow(name) << p1 << q1 << op << p2 << q2 << QString::fromUtf8(text)
                                      << fraction << negative << mended;
              };
    using Op = FractionOperator;
    row("1/2 + 1/3", 1, 2, Op::Add, 1, 3, "5\r\n6", true, false);
    row("1/4 - 3/4 negative", 1, 4, Op::Subtract, 3, 4, "1\r\n2", true, true);
    // The scan's sign test called a quotient above -1e-7 positive.
    row("tiny negative", -1, 2000000000, Op::Add, 0, 1, "1\r\n2000000000", true, true, true);
    row("tiny negative difference", 1, 2147483647, Op::Subtract, 1, 2147483646,
        "1\r\n4611686011984936962", true, true);
    // The scan missed a whole quotient beyond the 32-bit integer part, and no candidate divides.
    row("whole beyond 32 bits", 3, 1, Op::Multiply, Highest, 1, "6442450941", false, false, true);
    // Beyond 2^53 the scan's doubles rounded the numerator.
    row("numerator beyond 2^53", Highest, 3, Op::Multiply, Highest - 2, 1,
        "4611686009837453315\r\n3", true, false, true);
    row("largest whole", Lowest, 1, Op::Multiply, Lowest, 1, "4611686018427387904", false, false);
    row("numerator 2^63", Lowest, Lowest, Op::Add, Lowest, Lowest, "2", false, false);
    row("largest terms", Highest, Highest - 1, Op::Add, Highest - 2, Highest - 3,
        "4611686007689969669\r\n2305843002771243012", true, false);
    row("fourteen digits plain", 12345678, 1, Op::Multiply, 1234567, 7, "15241566651426\r\n7", true,
        false);
    row("lowest over lowest", Lowest, Lowest, Op::Divide, Lowest, Lowest, "1", false, false);
}

void FractionLogicTest::calculation()
{
    QFETCH(qint32, p1);
    QFETCH(qint32, q1);
    QFETCH(FractionOperator, op);
    QFETCH(qint32, p2);
    QFETCH(qint32, q2);
    QFETCH(QString, text);
    QFETCH(bool, fraction);
    QFETCH(bool, negative);
    QFETCH(bool, mended);
    const auto result = CalculateFraction(p1, q1, op, p2, q2);
    QVERIFY(result);
    QCOMPARE(result->text, text);
    QCOMPARE(result->fraction, fraction);
    QCOMPARE(result->negative, negative);
    if (mended)
        QVERIFY(!(ScannedFraction(p1, q1, op, p2, q2) == *result));
}

void FractionLogicTest::noResult_data()
{
    QTest::addColumn<qint32>("q1");
    QTest::addColumn<FractionOperator>("op");
    QTest::addColumn<qint32>("p2");
    QTest::addColumn<qint32>("q2");
    QTest::newRow("first denominator 0") << 0 << FractionOperator::Add << 1 << 2;
    QTest::newRow("second denominator 0") << 3 << FractionOperator::Multiply << 1 << 0;
    QTest::newRow("division by 0/5") << 3 << FractionOperator::Divide << 0 << 5;
}

void FractionLogicTest::noResult()
{
    QFETCH(qint32, q1);
    QFETCH(FractionOperator, op);
    QFETCH(qint32, p2);
    QFETCH(qint32, q2);
    const Outcome<FractionResult> result = CalculateFraction(7, q1, op, p2, q2);
    QVERIFY(!result);
    QCOMPARE(result.refusal(), QString());
}

// The terms' reader, shared by the whole-number boxes: whole values in any typed form, every
// other text refused rather than cut to its leading digits.
void FractionLogicTest::readTerm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("term"); // the number, or the refusal
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("full-width") << "１２"
                                << "12";
    QTest::newRow("whole in other forms") << " 1.2e1 "
                                          << "12";
    QTest::newRow("whole fraction") << "-6/2"
                                    << "-3";
    QTest::newRow("highest") << "2147483647" << QString::number(Highest);
    QTest::newRow("lowest") << "-2147483648" << QString::number(Lowest);
    QTest::newRow("letters") << "abc" << WholeNumberMessage;
    QTest::newRow("leading digits") << "12abc" << WholeNumberMessage;
    QTest::newRow("decimal") << "2.9" << WholeNumberMessage;
    QTest::newRow("fraction") << "1/2" << WholeNumberMessage;
    QTest::newRow("one past highest") << "2147483648" << OutOfRangeMessage;
    QTest::newRow("one past lowest") << "-2147483649" << OutOfRangeMessage;
    QTest::newRow("exponent form") << "3e9" << OutOfRangeMessage;
    QTest::newRow("huge") << "-1e999" << OutOfRangeMessage;
}

void FractionLogicTest::readTerm()
{
    QFETCH(QString, text);
    const Outcome<qint32> term = ReadWholeNumber(text);
    QTEST(term ? QString::number(*term) : term.refusal(), "term");
}

// Each of the four terms is checked, and a fraction that still truncates into range is shown.
void FractionLogicTest::outOfRangeTermIsRefused()
{
    for (int term = 0; term < 4; ++term) {
        QStringList texts{"1", "2", "1", "2"};
        texts[term] = QStringLiteral("3e9");
        const Outcome<FractionResult> refused
                = UpdateFraction({texts[0], texts[1], texts[2], texts[3]}, FractionOperator::Add);
        QVERIFY(!refused);
        QCOMPARE(refused.refusal(), OutOfRangeMessage);
    }
    const Outcome<FractionResult> shown
            = UpdateFraction({"1", "2147483647", "1", "2"}, FractionOperator::Add);
    QVERIFY(shown);
    QCOMPARE(shown->text, QStringLiteral("2147483649\r\n4294967294"));
    // A zero denominator shows an empty result, without a message.
    const Outcome<FractionResult> empty
            = UpdateFraction({"1", "0", "1", "2"}, FractionOperator::Add);
    QVERIFY(empty);
    QCOMPARE(*empty, FractionResult());
}

void FractionLogicTest::agreesWithScanOnEverySmallCase()
{
    for (int op = 0; op < 4; ++op) {
        for (qint32 p1 = -7; p1 <= 7; ++p1) {
            for (qint32 q1 = -7; q1 <= 7; ++q1) {
                for (qint32 p2 = -7; p2 <= 7; ++p2) {
                    for (qint32 q2 = -7; q2 <= 7; ++q2) {
                        if (q1 == 0 || q2 == 0 || (op == 3 && p2 == 0))
                            continue;
                        const QString difference
                                = DisagreementWithScan(p1, q1, FractionOperator(op), p2, q2);
                        if (!difference.isEmpty())
                            QFAIL(qPrintable(difference));
                    }
                }
            }
        }
    }
}

void FractionLogicTest::agreesWithScanOnRandomCases()
{
    QRandomGenerator random(20141119);
    int compared = 0;
    while (compared < 1000) {
        // Terms of mixed sizes up to 30000 keep every combination and quotient within the
        // scan's exact range; a common factor makes reductions likely.
        const qint32 common = random.bounded(1, 50);
        const auto term = [&] {
            const qint32 limit = QList<qint32>{10, 400, 30000}[random.bounded(3)];
            return random.bounded(-limit, limit + 1) / common * common;
        };
        const qint32 p1 = term(), q1 = term(), p2 = term(), q2 = term();
        const auto op = FractionOperator(random.bounded(4));
        if (q1 == 0 || q2 == 0 || (op == FractionOperator::Divide && p2 == 0))
            continue;
        // The scan is as long as the smaller of numerator and denominator; keep it quick.
        const auto [n, m] = Combine(p1, q1, op, p2, q2);
        if (std::fabs(std::min(n, m)) > 50000)
            continue;
        const QString difference = DisagreementWithScan(p1, q1, op, p2, q2);
        if (!difference.isEmpty())
            QFAIL(qPrintable(difference));
        ++compared;
    }
}

QTEST_GUILESS_MAIN(FractionLogicTest)
#include "tst_fractionlogic.moc"
