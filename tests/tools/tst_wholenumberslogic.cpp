#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/rounding.h"
#include "eval/tolerance.h"
#include "tools/arith/commondivisors.h"
#include "tools/arith/numberinfo.h"
#include "tools/arith/primefactorization.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <optional>

using namespace Eval;
using namespace Arith;

namespace {

// The plain divisibility test of the three windows, on reals.
bool Divides(double divisor, double value)
{
    return std::fabs(IntegerPart(value / divisor) * divisor - value) <= 1e-7;
}

// Factorization as first written: every trial divisor up to the number itself, the 32-bit
// number taken as the low half of the 64-bit truncation.
QString ScannedFactorization(const QString &text)
{
    qint32 n = qint32(quint32(quint64(qint64(std::trunc(TextToNumber(text))))));
    const qint64 bound = n;
    QString result;
    for (qint64 d = 2; d <= bound; ++d) {
        while (n != d) {
            if (std::fabs(std::fmod(double(n), double(d))) > 1e-7)
                break;
            result += QString::number(d) + QLatin1Char('*');
            n = qint32(std::trunc(double(n) / double(d)));
        }
    }
    return result + QString::number(n);
}

QString ScannedSignLine(double v)
{
    if (v > 1e-7)
        return QStringLiteral("正数；\r\n");
    if (std::fabs(v) > 1e-7)
        return QStringLiteral("负数；\r\n");
    return QStringLiteral("既不是正数也不是负数；\r\n");
}

// The number report as first written: both trial loops run up to the number itself, the
// divisors listed with it, as the textbook's 因数 are.
QString ScannedReport(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return QString();
    const double v = TextToNumber(text);
    if (std::fabs(IntegerPart(v) - v) > 1e-7)
        return QStringLiteral("非整数\r\n") + ScannedSignLine(v);
    QString report = QStringLiteral("整数；\r\n");
    report += Divides(2, v) ? QStringLiteral("偶数；\r\n") : QStringLiteral("奇数；\r\n");
    if (v - 10000000 >= -1e-7)
        return report;
    report += ScannedSignLine(v);
    if (std::fabs(v - 1) <= 1e-7 || std::fabs(v + 1) <= 1e-7)
        return report;
    if (v < -1e-7)
        report += QStringLiteral("绝对值是");
    bool composite = false;
    for (double c = 2; c < std::fabs(v) - 1e-7 && !composite; ++c)
        composite = Divides(c, v);
    if (!composite)
        return report;
    report += QStringLiteral("合数；\r\n");
    if (v < -1e-7)
        report += QStringLiteral("绝对值的");
    report += QStringLiteral("因数为：\r\n");
    int listed = 0;
    for (double d = 0; d <= std::fabs(v) + 1e-7; ++d) {
        if (!Divides(d, v))
            continue;
        report += QString::number(qint64(d)) + QLatin1String("  ");
        if (++listed % 5 == 0)
            report += QLatin1String("\r\n");
    }
    return report;
}

// The scan's report, with a prime named where the scan found no divisor: a negative prime's
// report ended with an unfinished "绝对值是", a positive one's with its sign line.
QString ExpectedReport(const QString &text)
{
    QString report = ScannedReport(text);
    const bool positivePrime = report.startsWith(QStringLiteral("整数；"))
            && report.endsWith(QStringLiteral("正数；\r\n")) && !NearlyEqual(TextToNumber(text), 1);
    if (report.endsWith(QStringLiteral("绝对值是")) || positivePrime)
        report += QStringLiteral("质数；\r\n");
    return report;
}

// The common divisors as first listed: every d up to the smaller number.
QStringList ScannedCommonDivisors(const QString &first, const QString &second)
{
    qint64 a = qint64(TextToNumber(first));
    qint64 b = qint64(TextToNumber(second));
    if (a > b)
        std::swap(a, b);
    QStringList divisors;
    for (qint64 d = 1; d <= a; ++d) {
        if (Divides(double(d), double(a)) && Divides(double(d), double(b)))
            divisors.append(QString::number(d));
    }
    return divisors;
}

// The two-number result as first computed: the running product in doubles divided by the
// greatest common divisor of the floating-point Euclid.
QPair<QString, QString> ComputedDivisorAndMultiple(qint64 first, qint64 second)
{
    qint64 g = first;
    qint64 p = qint64(1.0 * double(first));
    qint64 a = second, b = g;
    if (std::fabs(double(b) * IntegerPart(double(a) / double(b)) - double(a)) > 1e-7) {
        for (;;) {
            const auto r = qint64(std::fmod(double(a), double(b)));
            if (r == 0)
                break;
            a = b;
            b = r;
        }
    }
    g = b;
    p = qint64(double(p) * double(second));
    return {QString::number(g), NumberToText(double(p) / double(g))};
}

QString Digits(qint64 value)
{
    return QString::number(value);
}

} // namespace

class WholeNumbersLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void factorization_data();
    void factorization();
    void factorizationMatchesScan();
    void inputRules_data();
    void inputRules();
    void report_data();
    void report();
    void reportMatchesScan();
    void commonDivisors_data();
    void commonDivisors();
    void commonDivisorsMatchScan();
    void run_data();
    void run();
    void runMatchesProductOverDivisorForTwoNumbers();
    void wholeNumberText_data();
    void wholeNumberText();
    void wholeNumberTextMatchesNumberToText();
};

void WholeNumbersLogicTest::factorization_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown"); // empty: refused (no whole number, or beyond 32 bits)
    const auto row = [](const char *name, const QString &input, const QString &shown) {
        QTest::newRow(name) << input << shown;
    };
    row("empty", "", "0");
    row("not a number", "abc", "");
    row("leading digits are not the number", "3.6", "");
    row("minus alone", "-", "0");
    row("whole in another form", "3.6e1", "2*2*3*3");
    row("360", "360", "2*2*2*3*3*5");
    row("prime power", "65536", "2*2*2*2*2*2*2*2*2*2*2*2*2*2*2*2");
    row("full-width digits", "１２", "2*2*3");
    row("eight nines", "99999999", "3*3*11*73*101*137");
    row("square of a large prime", "9.5e7", "2*2*2*2*2*2*5*5*5*5*5*5*5*19");
    row("largest 32-bit prime", "2147483647", "2147483647");
    row("largest 32-bit even", "2147483646", "2*3*3*7*11*31*151*331");
    row("two large primes", "2147117569", "46337*46337");
    row("lowest 32-bit", "-2147483648", "-2147483648");
    row("exponent beyond 32 bits", "3e9", "");
    row("negative beyond 32 bits", "-3e9", "");
    row("just beyond", "2147483648", "");
    row("infinity", "1e999", "");
}

void WholeNumbersLogicTest::factorization()
{
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QCOMPARE(FactorizePrimes(input).value_or(QString()), shown);
}

void WholeNumbersLogicTest::factorizationMatchesScan()
{
    QStringList inputs;
    for (int n = -50; n <= 5000; ++n)
        inputs << QString::number(n);
    QRandomGenerator random(1119);
    for (int i = 0; i < 100; ++i)
        inputs << QString::number(random.bounded(5000, 1000000));
    inputs << "99999989"
           << "1048576";
    for (const QString &input : std::as_const(inputs))
        QCOMPARE(FactorizePrimes(input).value_or(QString()), ScannedFactorization(input));
}

void WholeNumbersLogicTest::inputRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("breaks");
    QTest::newRow("minus alone") << "-" << false;
    QTest::newRow("second minus") << "--" << true;
    QTest::newRow("minus at the end") << "12-" << true;
    QTest::newRow("nine digits") << "-12345678" << false;
    QTest::newRow("ten digits") << "1234567890" << true;
    QTest::newRow("minus after nine digits") << "123456789-" << true;
    QTest::newRow("e at the end") << "1e" << false;
    QTest::newRow("e followed") << "1e5" << true;
    QTest::newRow("e alone") << "e" << true;
    QTest::newRow("capital E is not checked") << "1E5" << false;
    QTest::newRow("point at byte 10") << "123456789.5" << false;
    QTest::newRow("point at byte 11") << "1234567890.5" << true;
    QTest::newRow("second point") << "1.2.3" << true;
    QTest::newRow("long fraction") << "1.234567890123" << false;
    QTest::newRow("full-width digits count two bytes") << "１２３４５" << true;
    QTest::newRow("four full-width digits") << "１２３４" << false;
}

void WholeNumbersLogicTest::inputRules()
{
    QFETCH(QString, text);
    QFETCH(bool, breaks);
    QCOMPARE(BreaksNumberInputRules(text), breaks);
}

void WholeNumbersLogicTest::report_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    const auto row = [](const char *name, const QString &input, const QString &report) {
        QTest::newRow(name) << input << report;
    };
    row("empty", "", "");
    row("minus alone", "-", "");
    row("twelve", "12",
        "整数；\r\n偶数；\r\n正数；\r\n合数；\r\n因数为：\r\n1  2  3  4  6  \r\n12  ");
    row("prime", "7", "整数；\r\n奇数；\r\n正数；\r\n质数；\r\n");
    row("two", "2", "整数；\r\n偶数；\r\n正数；\r\n质数；\r\n");
    row("negative prime", "-97", "整数；\r\n奇数；\r\n负数；\r\n绝对值是质数；\r\n");
    row("one", "1", "整数；\r\n奇数；\r\n正数；\r\n");
    row("minus one", "-1", "整数；\r\n奇数；\r\n负数；\r\n");
    row("zero", "0", "整数；\r\n偶数；\r\n既不是正数也不是负数；\r\n");
    row("ten million", "10000000", "整数；\r\n偶数；\r\n");
    row("just below ten million", "9999999",
        "整数；\r\n奇数；\r\n正数；\r\n合数；\r\n因数为：\r\n"
        "1  3  9  239  717  \r\n2151  4649  13947  41841  1111111  \r\n3333333  9999999  ");
    row("lowest 32-bit", "-2147483648",
        "整数；\r\n偶数；\r\n负数；\r\n绝对值是合数；\r\n绝对值的因数为：\r\n"
        "1  2  4  8  16  \r\n32  64  128  256  512  \r\n1024  2048  4096  8192  16384  \r\n"
        "32768  65536  131072  262144  524288  \r\n"
        "1048576  2097152  4194304  8388608  16777216  \r\n"
        "33554432  67108864  134217728  268435456  536870912  \r\n1073741824  2147483648  ");
    row("whole below the 32-bit range", "-3E9", "整数；\r\n偶数；\r\n");
    row("large negative", "-2.5E15", "整数；\r\n偶数；\r\n");
    row("large positive", "1E99", "整数；\r\n偶数；\r\n");
    row("infinity", "1E999", "非整数\r\n正数；\r\n");
    row("negative infinity", "-1E999", "非整数\r\n负数；\r\n");
}

void WholeNumbersLogicTest::report()
{
    QFETCH(QString, input);
    QFETCH(QString, report);
    QCOMPARE(NumberReport(input), report);
}

void WholeNumbersLogicTest::reportMatchesScan()
{
    QStringList inputs;
    for (int n = -3000; n <= 3000; ++n) {
        const QString whole = QString::number(n);
        // Near-whole texts on both sides, inside and outside the 1e-7 tolerance.
        inputs << whole << whole + ".5" << whole + ".00000005" << whole + ".0000001"
               << whole + ".0000000000001" << QString::number(n - 1) + ".99999995"
               << QString::number(n - 1) + ".9999999999995";
    }
    QRandomGenerator random(2014);
    for (int i = 0; i < 200; ++i)
        inputs << QString::number(random.bounded(-300000, 300000));
    inputs << "-99999999"
           << "-99999989"
           << "-99999999.00000001"
           << "9999991"
           << "-1E7";
    for (const QString &input : std::as_const(inputs)) {
        if (NumberReport(input) != ExpectedReport(input))
            QFAIL(qPrintable(input));
    }
}

void WholeNumbersLogicTest::commonDivisors_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("divisors");
    QTest::addColumn<bool>("inRange");
    const auto row = [](const char *name, const QString &first, const QString &second,
                        const QStringList &divisors, bool inRange = true) {
        QTest::newRow(name) << first << second << divisors << inRange;
    };
    row("twelve and eighteen", "12", "18", {"1", "2", "3", "6"});
    row("not a number", "abc", "5", {}, false);
    row("empty beside one beyond 32 bits", "", "3e9", {});
    row("fraction refused", "12.9", "18", {}, false);
    row("four digits each", "9999", "9999",
        {"1", "3", "9", "11", "33", "99", "101", "303", "909", "1111", "3333", "9999"});
    row("coprime", "9999", "1000", {"1"});
    row("largest 32-bit prime", "2147483647", "2147483647", {"1", "2147483647"});
    row("exponent forms", "1e9", "6e3",
        {"1",  "2",  "4",   "5",   "8",   "10",  "16",  "20",  "25",   "40",
         "50", "80", "100", "125", "200", "250", "400", "500", "1000", "2000"});
    row("beyond 32 bits", "3e9", "5", {}, false);
    row("negative beyond 32 bits", "12", "-1e20", {}, false);
}

void WholeNumbersLogicTest::commonDivisors()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QStringList, divisors);
    QFETCH(bool, inRange);
    const Outcome<QStringList> listed = CommonDivisorTexts(first, second);
    QCOMPARE(listed.ok(), inRange);
    if (inRange)
        QCOMPARE(*listed, divisors);
    else
        QVERIFY(listed.refusal() == OutOfRangeMessage || listed.refusal() == WholeNumberMessage);
}

void WholeNumbersLogicTest::commonDivisorsMatchScan()
{
    for (int a = -5; a <= 200; ++a) {
        for (int b = -5; b <= 200; ++b) {
            if (*CommonDivisorTexts(Digits(a), Digits(b))
                != ScannedCommonDivisors(Digits(a), Digits(b)))
                QFAIL(qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
        }
    }
    QRandomGenerator random(77);
    for (int i = 0; i < 300; ++i) {
        const qint64 common = random.bounded(1, 1000);
        const QString a = Digits(random.bounded(1, 100) * common);
        const QString b = Digits(random.bounded(1, 2000000) * common);
        QCOMPARE(*CommonDivisorTexts(a, b), ScannedCommonDivisors(a, b));
    }
}

void WholeNumbersLogicTest::run_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("steps"); // R refused, C collected, F finished
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("multiple");
    const auto row = [](const char *name, int count, const QStringList &numbers, const char *steps,
                        const char *divisor, const char *multiple) {
        QTest::newRow(name) << count << numbers << QString::fromLatin1(steps)
                            << QString::fromLatin1(divisor) << QString::fromLatin1(multiple);
    };
    row("two numbers", 2, {"12", "18"}, "CF", "6", "36");
    row("three powers of two", 3, {"2", "4", "8"}, "CCF", "2", "8");
    row("least, not product over divisor", 3, {"4", "6", "10"}, "CCF", "2", "60");
    row("refusals change nothing", 2,
        {"", "0", "-3", "abc", "0.5", "0.9999", "1e999", "9007199254740992", "12", "18"},
        "RRRRRRRRCF", "6", "36");
    row("no fraction cut to its whole part", 2, {"12.7", "12", "18.2", "18"}, "RCRF", "6", "36");
    row("one", 2, {"1", "1"}, "CF", "1", "1");
    row("numbers after the result", 2, {"12", "18", "8"}, "CFF", "2", "72");
    row("largest exact number", 2, {"9007199254740991", "3"}, "CF", "1", "2.702159776422e+016");
    row("beyond 64 bits", 3, {"9007199254740991", "9007199254740989", "9007199254740987"}, "CCF",
        "1", "7.307508186655e+047");
    QStringList oneToNinetyNine;
    for (int n = 1; n <= 99; ++n)
        oneToNinetyNine << QString::number(n);
    row("one to ninety-nine", 99, oneToNinetyNine, QByteArray(98, 'C').append('F').constData(), "1",
        "6.972037522971e+040");
}

void WholeNumbersLogicTest::run()
{
    QFETCH(int, count);
    QFETCH(QStringList, numbers);
    QFETCH(QString, steps);
    QFETCH(QString, divisor);
    QFETCH(QString, multiple);
    DivisorMultipleRun run;
    run.SetCount(count);
    QString taken;
    int collected = 0;
    for (const QString &number : std::as_const(numbers)) {
        const Outcome<DivisorMultipleRun::Step> step = run.Accept(number);
        taken += !step ? u'R' : *step == DivisorMultipleRun::Step::Collected ? u'C' : u'F';
        QCOMPARE(run.finished(), taken.contains(u'F'));
        if (step && *step == DivisorMultipleRun::Step::Collected) {
            // The label asks for the next number; the button turns to "计算" before the last.
            QCOMPARE(run.index(), ++collected + 1);
            QCOMPARE(run.lastIsNext(), collected + 1 == count);
        }
    }
    QCOMPARE(taken, steps);
    QCOMPARE(run.DivisorText(), divisor);
    QCOMPARE(run.MultipleText(), multiple);
}

void WholeNumbersLogicTest::runMatchesProductOverDivisorForTwoNumbers()
{
    QRandomGenerator random(53);
    for (int i = 0; i < 2000; ++i) {
        // Products below 2^53, where the doubles of the first computation are exact.
        const qint64 common = random.bounded(1, 5000);
        const qint64 a = random.bounded(1, i % 2 ? 100 : 3000000) * common;
        const qint64 b = random.bounded(1LL, (1LL << 53) / a) / common * common + common;
        if (double(a) * double(b) >= 0x1p53)
            continue;
        DivisorMultipleRun run;
        run.Accept(Digits(a));
        run.Accept(Digits(b));
        QCOMPARE(qMakePair(run.DivisorText(), run.MultipleText()),
                 ComputedDivisorAndMultiple(a, b));
    }
}

// Below 2^53 the comparison with the double's text covers the positive numbers of every digit
// count and tie; these are negatives, and numbers beyond 2^53, where the nearest double may fall
// on the other side of a tie.
void WholeNumbersLogicTest::wholeNumberText_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, const QString &digits, const char *text) {
        QTest::newRow(name) << digits << QString::fromLatin1(text);
    };
    row("negative", "-36", "-36");
    row("negative carry", "-99999999999999", "-1e+014");
    row("2^53", "9007199254740992", "9.007199254741e+015");
    row("just below a tie whose double rounds up", "9007199254741499", "9.007199254741e+015");
    row("just above a tie", "9007199254741501", "9.007199254742e+015");
    row("tie to even, down", "90071992547405000", "9.00719925474e+016");
    row("tie to even, up", "90071992547415000", "9.007199254742e+016");
    row("above half", "100000000000050001", "1.000000000001e+017");
    row("rounds to a power of ten", "999999999999950000", "1e+018");
    row("negative beyond 2^53", "-9007199254741499", "-9.007199254741e+015");
    row("lowest 64-bit", "-9223372036854775808", "-9.223372036855e+018");
    row("beyond the double range", QStringLiteral("3") + QString(400, QLatin1Char('0')), "3e+400");
}

void WholeNumbersLogicTest::wholeNumberText()
{
    QFETCH(QString, digits);
    QFETCH(QString, text);
    QCOMPARE(WholeNumberToText(digits), text);
}

void WholeNumbersLogicTest::wholeNumberTextMatchesNumberToText()
{
    QList<qint64> values{10000000000005, 10000000000015, 99999999999995, 9007199254740991};
    QRandomGenerator random(13);
    for (int i = 0; i < 20000; ++i)
        values << random.bounded(qint64(1), qint64(1) << (i % 53 + 1));
    for (qint64 value : std::as_const(values))
        QCOMPARE(WholeNumberToText(Digits(value)), NumberToText(double(value)));
}

QTEST_GUILESS_MAIN(WholeNumbersLogicTest)
#include "tst_wholenumberslogic.moc"
