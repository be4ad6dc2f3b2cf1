#include "eval/bigint.h"
#include "tools/functions/lineardiophantinelogic.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <limits>
#include <numeric>
#include <utility>
#include <vector>

char *toString(const BigInteger &value)
{
    return qstrdup(qPrintable(value.ToText()));
}

namespace {

constexpr qint64 Min64 = std::numeric_limits<qint64>::min();
constexpr qint64 Max64 = std::numeric_limits<qint64>::max();

BigInteger Big(const QString &digits)
{
    const auto value = BigInteger::FromDigits(digits);
    if (!value)
        qFatal("not an integer: %s", qPrintable(digits));
    return *value;
}

BigInteger Big(qint64 value)
{
    return Big(QString::number(value));
}

// The non-negative solutions of a x + b y = c with x, y <= bound, by increasing x: the slow
// loop the window's count and list must agree with.
std::vector<std::pair<qint64, qint64>> BruteForceNonNegative(qint64 a, qint64 b, qint64 c,
                                                             qint64 bound)
{
    std::vector<std::pair<qint64, qint64>> solutions;
    for (qint64 x = 0; x <= bound; ++x) {
        for (qint64 y = 0; y <= bound; ++y) {
            if (a * x + b * y == c)
                solutions.push_back({x, y});
        }
    }
    return solutions;
}

// "3 - 5t" as constant 3 and coefficient -5.
std::pair<BigInteger, BigInteger> ParseLinear(QString text)
{
    BigInteger constant, coefficient;
    text.replace(QStringLiteral(" - "), QStringLiteral(" + -"));
    for (QString term : text.split(QStringLiteral(" + "))) {
        if (!term.endsWith(QLatin1Char('t'))) {
            constant = Big(term);
            continue;
        }
        term.chop(1);
        coefficient = term.isEmpty()         ? BigInteger(1)
                : term == QLatin1String("-") ? BigInteger(-1)
                                             : Big(term);
    }
    return {constant, coefficient};
}

// What follows the last "= " of the line that starts with `start`.
QString LastValueOfLine(const QString &text, const QString &start)
{
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(start))
            return line.mid(line.lastIndexOf(QStringLiteral("= ")) + 2);
    }
    return QString();
}

BigInteger LeftSide(const BigInteger &a, const BigInteger &x, const BigInteger &b,
                    const BigInteger &y)
{
    return a.Multiply(x).Add(b.Multiply(y));
}

struct Equation
{
    qint64 a, b, c;
};

QString Describe(const Equation &e)
{
    return QStringLiteral("%1x + %2y = %3").arg(e.a).arg(e.b).arg(e.c);
}

// The division chain: each line holds, its remainder is below its divisor, each line divides
// by the last remainder, it starts from the larger of |a| and |b| and ends in d.
void CheckDivisionChain(const QString &steps, quint64 absA, quint64 absB, quint64 d)
{
    static const QRegularExpression line(QStringLiteral("^(\\d+) = (\\d+) × (\\d+) \\+ (\\d+)$"));
    QString previousDivisor = QString::number(std::max(absA, absB));
    QString previousRemainder = QString::number(std::min(absA, absB));
    int lines = 0;
    for (const QString &text : steps.split(QStringLiteral("\r\n"))) {
        const auto match = line.match(text);
        if (!match.hasMatch())
            continue;
        ++lines;
        QCOMPARE(match.captured(1), previousDivisor);
        QCOMPARE(match.captured(3), previousRemainder);
        const BigInteger remainder = Big(match.captured(4));
        QCOMPARE(Big(match.captured(2)).Multiply(Big(match.captured(3))).Add(remainder),
                 Big(match.captured(1)));
        QVERIFY(remainder < Big(match.captured(3)));
        previousDivisor = match.captured(3);
        previousRemainder = match.captured(4);
    }
    QVERIFY(lines > 0);
    QCOMPARE(previousRemainder, QStringLiteral("0"));
    QCOMPARE(previousDivisor, QString::number(d));
}

// Everything the texts claim about a x + b y = c with a and b not both zero.
void CheckSolution(const Equation &e, qint64 bruteForceBound)
{
    const DiophantineTexts texts = SolveLinearDiophantine(
            QString::number(e.a), QString::number(e.b), QString::number(e.c));
    const BigInteger a = Big(e.a), b = Big(e.b), c = Big(e.c);
    const quint64 absA = e.a < 0 ? 0 - quint64(e.a) : quint64(e.a);
    const quint64 absB = e.b < 0 ? 0 - quint64(e.b) : quint64(e.b);
    const quint64 d = std::gcd(absA, absB);
    QVERIFY(texts.steps.contains(QStringLiteral("d = (%1, %2) = %3").arg(absA).arg(absB).arg(d)));
    if (absA != 0 && absB != 0)
        CheckDivisionChain(texts.steps, absA, absB, d);
    const bool solvable = c.Remainder(Big(QString::number(d)))->Sign() == 0;
    if (!solvable) {
        QCOMPARE(texts.general, QStringLiteral("无整数解"));
        QVERIFY(texts.steps.endsWith(QStringLiteral("所以方程无整数解。")));
        QCOMPARE(texts.nonNegativeCount, QStringLiteral("没有非负整数解"));
        QVERIFY(texts.nonNegativeList.isEmpty());
        return;
    }

    // The particular solution and the general one solve the equation, and the general one
    // steps by the smallest amount, so that it reaches every solution.
    const QStringList general = texts.general.split(QStringLiteral("\r\n"));
    QCOMPARE(general.size(), 3);
    QVERIFY(general[0].startsWith(QStringLiteral("x = ")));
    QVERIFY(general[1].startsWith(QStringLiteral("y = ")));
    const auto [x0, stepX] = ParseLinear(general[0].mid(4));
    const auto [y0, stepY] = ParseLinear(general[1].mid(4));
    QCOMPARE(LeftSide(a, x0, b, y0), c);
    const BigInteger bigD = Big(QString::number(d));
    // With a zero coefficient the other unknown is free: it steps by 1.
    QCOMPARE(stepX, absA == 0 ? BigInteger(1) : *b.Quotient(bigD));
    QCOMPARE(stepY, absB == 0 ? BigInteger(1) : BigInteger().Subtract(*a.Quotient(bigD)));
    if (absA != 0 && absB != 0 && e.c != 0) {
        const BigInteger particularX = Big(LastValueOfLine(texts.steps, QStringLiteral("特解：")));
        const BigInteger particularY = Big(LastValueOfLine(texts.steps, QStringLiteral("\u3000")));
        QCOMPARE(LeftSide(a, particularX, b, particularY), c);
    }

    static const QRegularExpression pair(QStringLiteral("^x = (\\d+)，y = (\\d+)$"));
    QStringList listed = texts.nonNegativeList.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const bool cut = !listed.isEmpty() && listed.last().startsWith(QStringLiteral("……"));
    if (cut)
        listed.removeLast();
    std::vector<std::pair<qint64, qint64>> shown;
    for (const QString &line : listed) {
        const auto match = pair.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const BigInteger x = Big(match.captured(1)), y = Big(match.captured(2));
        QCOMPARE(LeftSide(a, x, b, y), c);
        // Reached by the general solution: x = x0 + stepX t and y = y0 + stepY t.
        const BigInteger t = *x.Subtract(x0).Quotient(stepX);
        QCOMPARE(x0.Add(stepX.Multiply(t)), x);
        QCOMPARE(y0.Add(stepY.Multiply(t)), y);
        if (bruteForceBound > 0)
            shown.push_back({match.captured(1).toLongLong(), match.captured(2).toLongLong()});
    }
    QVERIFY(int(listed.size()) <= NonNegativeListLimit);
    const bool finite = (e.a > 0 && e.b > 0) || (e.a < 0 && e.b < 0);
    if (finite && !listed.isEmpty()) {
        const QString count = texts.nonNegativeCount;
        QCOMPARE(cut, count.endsWith(QStringLiteral("下面列出前1000组")));
        if (!cut)
            QCOMPARE(count, QStringLiteral("共%1组").arg(listed.size()));
    }
    if (bruteForceBound == 0)
        return;

    const auto expected = BruteForceNonNegative(e.a, e.b, e.c, bruteForceBound);
    if (!finite) {
        QCOMPARE(texts.nonNegativeCount.startsWith(QStringLiteral("有无穷多组")),
                 !expected.empty());
        QVERIFY(listed.isEmpty());
    } else if (expected.empty()) {
        QCOMPARE(texts.nonNegativeCount, QStringLiteral("没有非负整数解"));
    } else {
        QVERIFY(texts.nonNegativeCount.startsWith(QStringLiteral("共%1组").arg(expected.size())));
        const auto head = std::vector(
                expected.begin(),
                expected.begin() + std::min<size_t>(expected.size(), NonNegativeListLimit));
        QCOMPARE(shown, head);
        QCOMPARE(cut, expected.size() > size_t(NonNegativeListLimit));
    }
}

qint64 Between(QRandomGenerator &random, qint64 low, qint64 high)
{
    return random.bounded(low, high + 1);
}

// Edges of the 64-bit range, small numbers and anything in between.
qint64 AnyInteger(QRandomGenerator &random)
{
    static const qint64 edges[] = {Min64, Min64 + 1, Max64, Max64 - 1, 0, 1, -1, 2, -2};
    switch (random.bounded(4)) {
    case 0:
        return edges[random.bounded(int(std::size(edges)))];
    case 1:
        return Between(random, -1000, 1000);
    default:
        return qint64(random.generate64());
    }
}

} // namespace

class LinearDiophantineLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void readsIntegers_data();
    void readsIntegers();
    void smallEquationsAgreeWithBruteForce();
    void longListsAgreeWithBruteForce();
    void largeEquationsHoldExactly();
};

void LinearDiophantineLogicTest::readsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<IntegerInput::Status>("status");
    QTest::addColumn<qint64>("value");
    using S = IntegerInput::Status;
    QTest::addRow("empty") << "" << S::Missing << qint64(0);
    QTest::addRow("a lone minus while typing") << "-" << S::Missing << qint64(0);
    QTest::addRow("decimal") << "1.5" << S::Missing << qint64(0);
    QTest::addRow("exponent") << "1e3" << S::Missing << qint64(0);
    QTest::addRow("inner blank") << "1 2" << S::Missing << qint64(0);
    QTest::addRow("letters") << "abc" << S::Missing << qint64(0);
    QTest::addRow("plain") << "252" << S::Read << qint64(252);
    QTest::addRow("leading zeros are decimal") << "-007" << S::Read << qint64(-7);
    QTest::addRow("minus zero") << "-0" << S::Read << qint64(0);
    QTest::addRow("plus and blanks") << " +12 " << S::Read << qint64(12);
    QTest::addRow("full width") << "－１２" << S::Read << qint64(-12);
    QTest::addRow("largest") << "9223372036854775807" << S::Read << Max64;
    QTest::addRow("smallest") << "-9223372036854775808" << S::Read << Min64;
    QTest::addRow("one above") << "9223372036854775808" << S::OutOfRange << qint64(0);
    QTest::addRow("one below") << "-9223372036854775809" << S::OutOfRange << qint64(0);
    QTest::addRow("hundred digits") << QString(100, u'9') << S::OutOfRange << qint64(0);
}

void LinearDiophantineLogicTest::readsIntegers()
{
    QFETCH(QString, text);
    QFETCH(IntegerInput::Status, status);
    QFETCH(qint64, value);
    const IntegerInput input = ReadIntegerInput(text);
    QCOMPARE(input.status, status);
    QCOMPARE(input.value, value);
}

// Every small equation, seeded so that a failure repeats: the count and the list against
// brute force, every listed solution, the particular and the general solution.
void LinearDiophantineLogicTest::smallEquationsAgreeWithBruteForce()
{
    QRandomGenerator random(17);
    for (int i = 0; i < 3000; ++i) {
        const Equation e{Between(random, -12, 12), Between(random, -12, 12),
                         Between(random, -80, 80)};
        if (e.a == 0 && e.b == 0)
            continue;
        CheckSolution(e, 100);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(Describe(e)));
    }
}

// Counts beyond the listed 1000: the first 1000 and the count against brute force.
void LinearDiophantineLogicTest::longListsAgreeWithBruteForce()
{
    QRandomGenerator random(1000);
    for (int i = 0; i < 12; ++i) {
        const qint64 sign = i % 2 == 0 ? 1 : -1;
        const Equation e{sign * Between(random, 1, 3), sign * Between(random, 1, 3),
                         sign * Between(random, 1500, 3000)};
        CheckSolution(e, 3000);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(Describe(e)));
    }
}

// Anywhere in the 64-bit range, where the products need more than 64 bits; half of them with
// a common factor, so that d > 1 and d still divides c.
void LinearDiophantineLogicTest::largeEquationsHoldExactly()
{
    QRandomGenerator random(64);
    for (int i = 0; i < 2000; ++i) {
        Equation e{AnyInteger(random), AnyInteger(random), AnyInteger(random)};
        if (i % 2 == 1) {
            const qint64 factor = Between(random, 2, 1000000);
            e = {e.a / factor * factor, e.b / factor * factor, e.c / factor * factor};
        }
        if (e.a == 0 && e.b == 0)
            continue;
        CheckSolution(e, 0);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(Describe(e)));
    }
}

QTEST_GUILESS_MAIN(LinearDiophantineLogicTest)
#include "tst_lineardiophantinelogic.moc"
