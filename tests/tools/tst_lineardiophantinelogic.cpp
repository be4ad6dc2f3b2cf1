#include "eval/bigint.h"
#include "tools/functions/lineardiophantinelogic.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

using namespace Eval;
using namespace Functions;

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
    const DiophantineTexts texts = *SolveLinearDiophantine(
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

// What ReadIntegerInput made of a text.
enum class Status { Read, Missing, OutOfRange };

class LinearDiophantineLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void readsIntegers_data();
    void readsIntegers();
    void texts_data();
    void texts();
    void smallEquationsAgreeWithBruteForce();
    void longListsAgreeWithBruteForce();
    void largeEquationsHoldExactly();
};

void LinearDiophantineLogicTest::readsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Status>("status");
    QTest::addColumn<qint64>("value");
    using S = Status;
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
    QFETCH(Status, status);
    QFETCH(qint64, value);
    const Outcome<std::optional<qint64>> input = ReadIntegerInput(text);
    QCOMPARE(!input ? Status::OutOfRange : *input ? Status::Read : Status::Missing, status);
    QCOMPARE(input.value_or({}).value_or(0), value);
    if (!input)
        QCOMPARE(input.refusal(), OutOfRangeText());
}

// "|" stands for a line break; the steps hold the given lines in a row.
void LinearDiophantineLogicTest::texts_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("shown"); // steps, general, count, list
    const auto row = [](const char *name, const QStringList &inputs, const char *steps,
                        const char *general, const char *count, const char *list = "") {
        QStringList shown{steps, general, count, list};
        shown.replaceInStrings(QStringLiteral("|"), QStringLiteral("\r\n"));
        QTest::newRow(name) << inputs << shown;
    };
    const char *noSolution = "无整数解";
    const char *noNonNegative = "没有非负整数解";
    row("3x + 5y = 22", {"3", "5", "22"},
        "方程：3x + 5y = 22|辗转相除：|5 = 1 × 3 + 2|3 = 1 × 2 + 1|2 = 2 × 1 + 0|"
        "d = (3, 5) = 1|因为1能整除22，所以方程有整数解。|回代：|1 = 3 - 2|"
        "    = 3 - (5 - 3)|    = 2 × 3 - 5|即：3 × 2 + 5 × (-1) = 1|"
        "乘数：c ÷ d = 22 ÷ 1 = 22|特解：x0 = 2 × 22 = 44|　　　y0 = -1 × 22 = -22|"
        "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|b ÷ d = 5 ÷ 1 = 5，a ÷ d = 3 ÷ 1 = 3",
        "x = 44 + 5t|y = -22 - 3t|（t为任意整数）", "共1组", "x = 4，y = 2");
    row("252x + 198y = 18", {"252", "198", "18"},
        "方程：252x + 198y = 18|辗转相除：|252 = 1 × 198 + 54|198 = 3 × 54 + 36|"
        "54 = 1 × 36 + 18|36 = 2 × 18 + 0|d = (252, 198) = 18|"
        "因为18能整除18，所以方程有整数解。|回代：|18 = 54 - 36|"
        "    = 54 - (198 - 3 × 54)|    = 4 × 54 - 198|    = 4 × (252 - 198) - 198|"
        "    = 4 × 252 - 5 × 198|即：252 × 4 + 198 × (-5) = 18|"
        "乘数：c ÷ d = 18 ÷ 18 = 1|特解：x0 = 4 × 1 = 4|　　　y0 = -5 × 1 = -5|"
        "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|"
        "b ÷ d = 198 ÷ 18 = 11，a ÷ d = 252 ÷ 18 = 14",
        "x = 4 + 11t|y = -5 - 14t|（t为任意整数）", noNonNegative);
    row("6x + 9y = 10 has no solution", {"6", "9", "10"},
        "方程：6x + 9y = 10|辗转相除：|9 = 1 × 6 + 3|6 = 2 × 3 + 0|d = (6, 9) = 3|"
        "因为3不能整除10，所以方程无整数解。",
        noSolution, noNonNegative);
    row("both negative: three non-negative", {"-2", "-3", "-12"},
        "方程：-2x - 3y = -12|辗转相除：|3 = 1 × 2 + 1|2 = 2 × 1 + 0|d = (2, 3) = 1|"
        "因为1能整除-12，所以方程有整数解。|回代：|1 = 3 - 2|"
        "即：-2 × 1 + (-3) × (-1) = 1|乘数：c ÷ d = -12 ÷ 1 = -12|"
        "特解：x0 = 1 × (-12) = -12|　　　y0 = -1 × (-12) = 12|",
        "x = -12 - 3t|y = 12 + 2t|（t为任意整数）", "共3组",
        "x = 0，y = 4|x = 3，y = 2|x = 6，y = 0");
    row("opposite signs", {"6", "-9", "-3"},
        "方程：6x - 9y = -3|辗转相除：|9 = 1 × 6 + 3|6 = 2 × 3 + 0|d = (6, 9) = 3|"
        "因为3能整除-3，所以方程有整数解。|回代：|3 = 9 - 6|"
        "即：6 × (-1) + (-9) × (-1) = 3|乘数：c ÷ d = -3 ÷ 3 = -1|"
        "特解：x0 = -1 × (-1) = 1|　　　y0 = -1 × (-1) = 1|",
        "x = 1 - 3t|y = 1 - 2t|（t为任意整数）", "有无穷多组（a、b异号）");
    row("c = 0", {"4", "6", "0"},
        "d = (4, 6) = 2|因为2能整除0，所以方程有整数解。|c = 0，特解：x0 = 0，y0 = 0|"
        "通解：x = x0 + (b ÷ d)t，y = y0 - (a ÷ d)t|b ÷ d = 6 ÷ 2 = 3，a ÷ d = 4 ÷ 2 = 2",
        "x = 3t|y = -2t|（t为任意整数）", "共1组", "x = 0，y = 0");
    row("one division: d is the smaller coefficient", {"126", "252", "378"},
        "辗转相除：|252 = 2 × 126 + 0|d = (126, 252) = 126|"
        "因为126能整除378，所以方程有整数解。|即：126 × 1 + 252 × 0 = 126|"
        "乘数：c ÷ d = 378 ÷ 126 = 3|特解：x0 = 1 × 3 = 3|　　　y0 = 0 × 3 = 0|",
        "x = 3 + 2t|y = -t|（t为任意整数）", "共2组", "x = 1，y = 1|x = 3，y = 0");
    row("a = b = c = 0", {"0", "0", "0"}, "方程：0 = 0|a = b = 0且c = 0，任意一对整数x、y都是解。",
        "x = s|y = t|（s、t为任意整数）", "有无穷多组（x、y为任意非负整数）");
    row("a = b = 0, c not 0", {"0", "-0", "5"},
        "方程：0 = 5|a = b = 0，左边恒为0，而c = 5不为0，所以方程无整数解。", noSolution,
        noNonNegative);
    row("b = 0", {"3", "0", "12"},
        "方程：3x = 12|d = (3, 0) = 3|因为3能整除12，所以方程有整数解。|"
        "x = 12 ÷ 3 = 4，y可取任意整数。",
        "x = 4|y = t|（t为任意整数）", "有无穷多组（x = 4，y为任意非负整数）");
    row("a = 0, negative y", {"0", "-3", "12"},
        "方程：-3y = 12|d = (0, 3) = 3|因为3能整除12，所以方程有整数解。|"
        "y = 12 ÷ (-3) = -4，x可取任意整数。",
        "x = t|y = -4|（t为任意整数）", "没有非负整数解（y = -4是负数）");
    row("a = 0, not divisible", {"0", "4", "6"},
        "方程：4y = 6|d = (0, 4) = 4|因为4不能整除6，所以方程无整数解。", noSolution,
        noNonNegative);
}

void LinearDiophantineLogicTest::texts()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, shown);
    const DiophantineTexts texts = *SolveLinearDiophantine(inputs[0], inputs[1], inputs[2]);
    QVERIFY2(texts.steps.contains(shown[0]), qPrintable(texts.steps));
    QCOMPARE((QStringList{texts.general, texts.nonNegativeCount, texts.nonNegativeList}),
             shown.mid(1));
}

namespace {

// Checks `count` equations from `next`, brute force up to `bound` (0: none), naming the first
// that fails.
void CheckEquations(int count, qint64 bound, const std::function<Equation(int)> &next)
{
    for (int i = 0; i < count; ++i) {
        const Equation e = next(i);
        if (e.a == 0 && e.b == 0)
            continue;
        CheckSolution(e, bound);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(Describe(e)));
    }
}

} // namespace

// Every small equation, seeded so that a failure repeats: the count and the list against
// brute force, every listed solution, the particular and the general solution.
void LinearDiophantineLogicTest::smallEquationsAgreeWithBruteForce()
{
    QRandomGenerator random(17);
    CheckEquations(3000, 100, [&](int) {
        return Equation{Between(random, -12, 12), Between(random, -12, 12),
                        Between(random, -80, 80)};
    });
}

// Counts beyond the listed 1000: the first 1000 and the count against brute force.
void LinearDiophantineLogicTest::longListsAgreeWithBruteForce()
{
    QRandomGenerator random(1000);
    CheckEquations(12, 3000, [&](int i) {
        const qint64 sign = i % 2 == 0 ? 1 : -1;
        return Equation{sign * Between(random, 1, 3), sign * Between(random, 1, 3),
                        sign * Between(random, 1500, 3000)};
    });
}

// Anywhere in the 64-bit range, where the products need more than 64 bits; half of them with
// a common factor, so that d > 1 and d still divides c.
void LinearDiophantineLogicTest::largeEquationsHoldExactly()
{
    QRandomGenerator random(64);
    CheckEquations(2000, 0, [&](int i) {
        Equation e{AnyInteger(random), AnyInteger(random), AnyInteger(random)};
        if (i % 2 == 1) {
            const qint64 factor = Between(random, 2, 1000000);
            e = {e.a / factor * factor, e.b / factor * factor, e.c / factor * factor};
        }
        return e;
    });
}

QTEST_GUILESS_MAIN(LinearDiophantineLogicTest)
#include "tst_lineardiophantinelogic.moc"
