#include "eval/bigint.h"
#include "tools/arith/baseconversionlogic.h"
#include "tools/arith/commondivisors.h"
#include "tools/arith/numberworking.h"
#include "tools/arith/primefactorization.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <numeric>

using namespace Ui;
using namespace Eval;
using namespace Arith;

namespace {

using Wide = __int128;

bool IsPrime(quint64 n)
{
    if (n < 2)
        return false;
    for (quint64 d = 2; d * d <= n; ++d) {
        if (n % d == 0)
            return false;
    }
    return true;
}

QStringList LinesOf(const WorkingBlock &block)
{
    QStringList lines;
    for (const QStringList &row : block.rows)
        lines.append(row.join(QLatin1Char(' ')));
    return lines;
}

BigInteger Big(const QString &text)
{
    return *BigInteger::FromDigits(text);
}

// A number made of a few small primes, so that random lists share factors.
quint64 SmoothNumber(QRandomGenerator &random)
{
    static const quint64 primes[] = {2, 3, 5, 7, 11, 13, 97};
    quint64 n = 1;
    for (int i = random.bounded(1, 7); i > 0; --i)
        n *= primes[random.bounded(7)];
    return n;
}

int SuperscriptValue(const QString &digits)
{
    static const QString Superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    int value = 0;
    for (const QChar c : digits)
        value = value * 10 + int(Superscripts.indexOf(c));
    return value;
}

} // namespace

class NumberWorkingTest : public QObject
{
    Q_OBJECT
private slots:
    void textbookExamples_data();
    void textbookExamples();
    void primeLadderDividesDown();
    void commonLadderDividesDown();
    void euclidStepsDivide();
    void baseWorkingRecomputes();
    void fractionWorkingRecomputes();
    void smallestPrimeFactor_data();
    void smallestPrimeFactor();
};

void NumberWorkingTest::textbookExamples_data()
{
    QTest::addColumn<Working>("working");
    QTest::addColumn<QString>("text");
    QTest::addRow("360")
            << PrimeFactorizationWorking(QStringLiteral("360"))
            << QStringLiteral("短除法\n2 │ 360\n  └─────\n2 │ 180\n  └─────\n2 │  90\n  └─────\n"
                              "3 │  45\n  └─────\n3 │  15\n  └─────\n      5\n"
                              "360=2×2×2×3×3×5\n=2³×3²×5");
    QTest::addRow("12, 18, 30")
            << DivisorMultipleWorking({12, 18, 30})
            << QStringLiteral("短除法\n2 │ 12  18  30\n  └────────────\n3 │  6   9  15\n"
                              "  └────────────\n     2   3   5\n最大公因数=2×3=6\n"
                              "最小公倍数=2×3×2×3×5=180\n\n辗转相除法\n先求12和18的最大公因数：\n"
                              "18=12×1+6\n12=6×2\n12和18的最大公因数=6\n再求6和30的最大公因数：\n"
                              "30=6×5\n6和30的最大公因数=6\n所以12、18、30的最大公因数=6");
    QTest::addRow("LCM brings the others down")
            << Working{DivisorMultipleWorking({4, 6, 9}).first()}
            << QStringLiteral("短除法\n2 │ 4  6  9\n  └─────────\n3 │ 2  3  9\n  └─────────\n"
                              "    2  1  3\n最大公因数=1\n最小公倍数=2×3×2×1×3=36");
    QTest::addRow("255 to base 2")
            << BaseConversionWorking(QStringLiteral("255"), 10, 2)
            << QStringLiteral("除2取余法\n2 │ 255\n  └─────\n2 │ 127 ……1\n  └─────\n"
                              "2 │  63 ……1\n  └─────\n2 │  31 ……1\n  └─────\n"
                              "2 │  15 ……1\n  └─────\n2 │   7 ……1\n  └─────\n"
                              "2 │   3 ……1\n  └─────\n2 │   1 ……1\n  └─────\n"
                              "      0 ……1\n余数倒序排列：11111111\n255₍₁₀₎=11111111₍₂₎");
    QTest::addRow("1011 from base 2") << BaseConversionWorking(QStringLiteral("1011"), 2, 10)
                                      << QStringLiteral("按权展开\n1011₍₂₎=1×2³+0×2²+1×2¹+1×2⁰=11");
    QTest::addRow("FF from 16 to 8")
            << BaseConversionWorking(QStringLiteral("ff"), 16, 8)
            << QStringLiteral("按权展开\nFF₍₁₆₎=15×16¹+15×16⁰=255\n\n除8取余法\n8 │ 255\n  └─────\n"
                              "8 │  31 ……7\n  └─────\n8 │   3 ……7\n  └─────\n      0 ……3\n"
                              "余数倒序排列：377\n255₍₁₀₎=377₍₈₎\nFF₍₁₆₎=377₍₈₎");
    QTest::addRow("too long") << BaseConversionWorking(QString(65, QLatin1Char('1')), 2, 10)
                              << QStringLiteral("数字超过64位，不显示解题过程");
    QTest::addRow("1/2+2/3")
            << FractionWorking(1, 2, FractionOperator::Add, 2, 3)
            << QStringLiteral("1/2+2/3\n通分：2和3的最小公倍数是6\n=3/6+4/6\n=(3+4)/6\n=7/6\n"
                              "=1又1/6");
    QTest::addRow("2/3*3/4")
            << FractionWorking(2, 3, FractionOperator::Multiply, 3, 4)
            << QStringLiteral("2/3×3/4\n=(2×3)/(3×4)\n=6/12\n约分：分子和分母同除以最大公因数6\n"
                              "=1/2");
    QTest::addRow("1/2÷(-1/4)") << FractionWorking(1, 2, FractionOperator::Divide, 1, -4)
                                << QStringLiteral(
                                           "1/2÷(-1/4)\n=1/2×(-4/1)\n=(1×(-4))/(2×1)\n=-4/2\n"
                                           "约分：分子和分母同除以最大公因数2\n=-2");
    QTest::addRow("one says why") << PrimeFactorizationWorking(QStringLiteral("1"))
                                  << QStringLiteral("1既不是质数也不是合数，不能分解");
    QTest::addRow("zero says why")
            << PrimeFactorizationWorking(QStringLiteral("0")) << QStringLiteral("0不能分解质因数");
    QTest::addRow("minus one says why")
            << PrimeFactorizationWorking(QStringLiteral("-1"))
            << QStringLiteral("-1=-(1)，1既不是质数也不是合数，不能分解");
    QTest::addRow("negative: its absolute value")
            << PrimeFactorizationWorking(QStringLiteral("-12"))
            << QStringLiteral("负数先取绝对值：-12=-(2²×3)\n\n短除法\n2 │ 12\n  └────\n"
                              "2 │  6\n  └────\n     3\n12=2×2×3\n=2²×3");
    QTest::addRow("no whole number, no working")
            << PrimeFactorizationWorking(QStringLiteral("3.6")) << QString();
}

void NumberWorkingTest::textbookExamples()
{
    QFETCH(Working, working);
    QFETCH(QString, text);
    QCOMPARE(WorkingText(working), text);
}

// Every division exact by a prime, in ascending order, down to a prime; the equation agrees
// with the window's factor list.
void NumberWorkingTest::primeLadderDividesDown()
{
    QRandomGenerator random(24);
    for (int round = 0; round < 3000; ++round) {
        const quint32 n = round < 1000 ? quint32(round + 2) : random.bounded(2u, 100000000u);
        const Working working = PrimeFactorizationWorking(QString::number(n));
        const ShortDivision &ladder = *working.first().ladder;
        QCOMPARE(ladder.rows.first(), QStringList{QString::number(n)});
        quint64 previousDivisor = 2;
        for (qsizetype i = 0; i < ladder.divisors.size(); ++i) {
            const quint64 p = ladder.divisors[i].toULongLong();
            const quint64 above = ladder.rows[i].first().toULongLong();
            QVERIFY(IsPrime(p) && p >= previousDivisor);
            QCOMPARE(above % p, 0u);
            QCOMPARE(ladder.rows[i + 1].first().toULongLong(), above / p);
            previousDivisor = p;
        }
        QVERIFY(IsPrime(ladder.rows.last().first().toULongLong()));
        const QString factors = (ladder.divisors + ladder.rows.last()).join(QStringLiteral("×"));
        QCOMPARE(LinesOf(working.first()).first(), QString::number(n) + u'=' + factors);
        QCOMPARE(factors,
                 FactorizePrimes(QString::number(n)).value_or(QString()).replace(u'*', u'×'));
    }
}

// Each row the one above divided where the divisor goes (by all numbers while it is common to
// all, else by at least two) and brought down elsewhere; the quotients end pairwise coprime;
// the products agree with the window's divisor and the exact multiple.
void NumberWorkingTest::commonLadderDividesDown()
{
    QRandomGenerator random(22);
    for (int round = 0; round < 3000; ++round) {
        QList<quint64> numbers;
        for (int i = random.bounded(2, 6); i > 0; --i)
            numbers.append(round % 10 == 0 ? random.bounded(1, 1000000) : SmoothNumber(random));
        int commonRows = 0;
        const ShortDivision ladder = CommonDivisionLadder(numbers, &commonRows);
        quint64 gcd = 1;
        unsigned __int128 multiple = 1;
        for (qsizetype r = 0; r < ladder.divisors.size(); ++r) {
            const quint64 p = ladder.divisors[r].toULongLong();
            QVERIFY(IsPrime(p));
            int divided = 0;
            for (qsizetype j = 0; j < numbers.size(); ++j) {
                const quint64 above = ladder.rows[r][j].toULongLong();
                const quint64 below = ladder.rows[r + 1][j].toULongLong();
                QVERIFY(below * p == above || (below == above && above % p != 0));
                divided += below != above;
            }
            QVERIFY(r < commonRows ? divided == numbers.size() : divided >= 2);
            if (r < commonRows)
                gcd *= p;
            multiple *= p;
        }
        const QStringList last = ladder.rows.last();
        for (qsizetype i = 0; i < last.size(); ++i) {
            multiple *= last[i].toULongLong();
            for (qsizetype j = i + 1; j < last.size(); ++j)
                QCOMPARE(std::gcd(last[i].toULongLong(), last[j].toULongLong()), 1u);
        }
        DivisorMultipleRun run;
        run.SetCount(int(numbers.size()));
        unsigned __int128 lcm = 1;
        for (quint64 n : numbers) {
            run.Accept(QString::number(n));
            lcm = lcm / std::gcd(quint64(lcm % n), n) * n;
        }
        QCOMPARE(QString::number(gcd), run.DivisorText());
        QVERIFY(multiple == lcm);
    }
}

void NumberWorkingTest::euclidStepsDivide()
{
    static const QRegularExpression Step(QStringLiteral("^(\\d+)=(\\d+)×(\\d+)(?:\\+(\\d+))?$"));
    QRandomGenerator random(7);
    for (int round = 0; round < 3000; ++round) {
        const quint64 a = random.bounded(1, 1 << 30);
        const quint64 b
                = round % 2 ? random.bounded(1, 1 << 30) : a * random.bounded(1, 50) / 7 + 1;
        const QStringList lines = LinesOf(DivisorMultipleWorking({a, b}).last());
        quint64 big = qMax(a, b), small = qMin(a, b);
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QRegularExpressionMatch m = Step.match(lines[i]);
            QVERIFY2(m.hasMatch(), qPrintable(lines[i]));
            QCOMPARE(m.captured(1).toULongLong(), big);
            QCOMPARE(m.captured(2).toULongLong(), small);
            const quint64 rest = m.captured(4).toULongLong();
            QVERIFY(rest < small);
            QCOMPARE(small * m.captured(3).toULongLong() + rest, big);
            QCOMPARE(rest == 0, i + 2 == lines.size());
            big = small;
            small = rest;
        }
        QCOMPARE(lines.last(), QStringLiteral("最大公因数=%1").arg(std::gcd(a, b)));
    }
}

// The expansion sums to the value; each division by the base exact with a remainder below the
// base; the remainders read upward are the window's result.
void NumberWorkingTest::baseWorkingRecomputes()
{
    static const QString Digits = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QRandomGenerator random(36);
    for (int round = 0; round < 3000; ++round) {
        const int from = random.bounded(2, 37);
        int to = random.bounded(2, 37);
        if (to == from)
            to = from == 10 ? 2 : 10;
        QString digits;
        for (int i = random.bounded(1, MaxWorkingDigits + 1); i > 0; --i)
            digits += Digits[random.bounded(from)];
        const Working working = BaseConversionWorking(digits, from, to);
        const BigInteger value = *BigInteger::FromDigits(digits, from);
        qsizetype next = 0;
        if (from != 10) {
            const QStringList sides = working[next++].rows.first().first().split(u'=');
            QCOMPARE(sides.size(), 3);
            BigInteger sum;
            for (const QString &term : sides[1].split(u'+')) {
                const QStringList parts = term.split(u'×');
                const QString power = parts[1].mid(QString::number(from).size());
                BigInteger weight(1);
                for (int k = SuperscriptValue(power); k > 0; --k)
                    weight = weight.Multiply(BigInteger(from));
                sum = sum.Add(weight.Multiply(Big(parts[0])));
            }
            QVERIFY(sum == value);
            QCOMPARE(sides[2], value.ToText());
        }
        if (to == 10)
            continue;
        const ShortDivision ladder = *working[next].ladder;
        QCOMPARE(ladder.rows.first().first(), value.ToText());
        QString read;
        for (qsizetype i = 0; i < ladder.divisors.size(); ++i) {
            const BigInteger above = Big(ladder.rows[i].first());
            const BigInteger below = Big(ladder.rows[i + 1].first());
            const int rest = ladder.remainders[i].section(u'(', 0, 0).toInt();
            QVERIFY(rest >= 0 && rest < to);
            QVERIFY(below.Multiply(BigInteger(to)).Add(BigInteger(rest)) == above);
            read.prepend(Digits[rest]);
        }
        QCOMPARE(ladder.rows.last().first(), QStringLiteral("0"));
        QCOMPARE(read.isEmpty() ? QStringLiteral("0") : read, *ConvertBase(digits, from, to));
    }
}

// The raw result is the exact value of the operation, the reduced one equals it in lowest
// terms and agrees with the window's; the mixed number adds up.
void NumberWorkingTest::fractionWorkingRecomputes()
{
    static const QRegularExpression Fraction(QStringLiteral("^=(-?\\d+)/(\\d+)$"));
    static const QRegularExpression Whole(QStringLiteral("^=(-?\\d+)$"));
    static const QRegularExpression Mixed(QStringLiteral("^=(-?\\d+)又(\\d+)/(\\d+)$"));
    QRandomGenerator random(3);
    const auto term = [&random](int round) {
        return round % 3 ? qint32(random.bounded(-30, 31)) : qint32(random.generate());
    };
    for (int round = 0; round < 5000; ++round) {
        const qint32 p1 = term(round), q1 = term(round), p2 = term(round), q2 = term(round);
        const auto op = FractionOperator(random.bounded(4));
        const Outcome<FractionResult> shown = CalculateFraction(p1, q1, op, p2, q2);
        const Working working = FractionWorking(p1, q1, op, p2, q2);
        QCOMPARE(working.isEmpty(), !shown);
        if (!shown)
            continue;
        Wide n = 0, d = Wide(q1) * q2;
        switch (op) {
        case FractionOperator::Add:
            n = Wide(p1) * q2 + Wide(p2) * q1;
            break;
        case FractionOperator::Subtract:
            n = Wide(p1) * q2 - Wide(p2) * q1;
            break;
        case FractionOperator::Multiply:
            n = Wide(p1) * p2;
            break;
        case FractionOperator::Divide:
            n = Wide(p1) * q2;
            d = Wide(q1) * p2;
            break;
        }
        const QStringList lines = LinesOf(working.first());
        qsizetype at = 0;
        while (at < lines.size() && !Fraction.match(lines[at]).hasMatch())
            ++at;
        QVERIFY2(at < lines.size(), qPrintable(lines.join(u'|')));
        QRegularExpressionMatch raw = Fraction.match(lines[at]);
        const Wide rawN = raw.captured(1).toLongLong(), rawD = raw.captured(2).toLongLong();
        QVERIFY(rawD > 0 && rawN * d == n * rawD);
        Wide resultN = rawN, resultD = rawD;
        if (at + 2 < lines.size() && lines[at + 1].startsWith(QStringLiteral("约分"))) {
            const QRegularExpressionMatch f = Fraction.match(lines[at + 2]);
            const QRegularExpressionMatch w = Whole.match(lines[at + 2]);
            resultN = f.hasMatch() ? f.captured(1).toLongLong() : w.captured(1).toLongLong();
            resultD = f.hasMatch() ? f.captured(2).toLongLong() : 1;
            QVERIFY(resultN * rawD == rawN * resultD && resultD < rawD);
        }
        QCOMPARE(std::gcd(qint64(resultN), qint64(resultD)), qint64(1));
        const Wide magnitude = resultN < 0 ? -resultN : resultN;
        const QString text = resultD == 1
                ? QString::number(qint64(magnitude))
                : QStringLiteral("%1\r\n%2").arg(qint64(magnitude)).arg(qint64(resultD));
        QCOMPARE(text, shown->text);
        QCOMPARE(resultN < 0, shown->negative);
        const QRegularExpressionMatch mixed = Mixed.match(lines.last());
        QCOMPARE(mixed.hasMatch(), resultD != 1 && magnitude > resultD);
        if (mixed.hasMatch()) {
            const Wide whole = mixed.captured(1).toLongLong();
            QCOMPARE(
                    qint64((whole < 0 ? -whole : whole) * resultD + mixed.captured(2).toLongLong()),
                    qint64(magnitude));
        }
    }
}

void NumberWorkingTest::smallestPrimeFactor_data()
{
    QTest::addColumn<quint64>("n");
    QTest::addColumn<quint64>("factor");
    QTest::addRow("prime below 2^53") << quint64(9007199254740881) << quint64(9007199254740881);
    QTest::addRow("square of a large prime") << quint64(94906247) * 94906247 << quint64(94906247);
    QTest::addRow("two large primes") << quint64(1000003) * 999999937 << quint64(1000003);
}

void NumberWorkingTest::smallestPrimeFactor()
{
    QFETCH(quint64, n);
    QFETCH(quint64, factor);
    QCOMPARE(SmallestPrimeFactor(n), factor);
}

QTEST_GUILESS_MAIN(NumberWorkingTest)
#include "tst_numberworking.moc"
