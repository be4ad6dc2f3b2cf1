#include "tools/functions/linearsystemlogic.h"

#include <QTest>

using namespace Eval;
using namespace Functions;

namespace {

const QString NoSolution = QStringLiteral("方程组无解");
const QString Infinitely = QStringLiteral("方程组有无数组解");
const QString Solved = QStringLiteral("solved");
const QString Refused = QStringLiteral("refused");

Rational Typed(const QString &text)
{
    return text.isEmpty() ? Rational() : *ReadRational(text);
}

// The exact value after "x=" or "y=" on the given line, before any "≈".
Rational Solution(const QStringList &lines, int line, const QString &prefix)
{
    const QString text = lines.value(line).trimmed();
    if (!text.startsWith(prefix))
        return Rational(-999);
    const Outcome<Rational> value = ReadRational(text.mid(prefix.size()).section(u'≈', 0, 0));
    return value ? *value : Rational(-999);
}

} // namespace

class LinearSystemLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void solutions_data();
    void solutions();
    void stepsText_data();
    void stepsText();
};

// Every system with one solution is solved, and the solution satisfies both equations exactly
// as typed; the others are told apart exactly, however small the numbers.
void LinearSystemLogicTest::solutions_data()
{
    QTest::addColumn<QStringList>("typed"); // a1, b1, c1, a2, b2, c2
    QTest::addColumn<QString>("kind");
    const auto row = [](const char *name, const QStringList &typed, const QString &kind) {
        QTest::newRow(name) << typed << kind;
    };
    row("worked example", {"1", "1", "3", "1", "-1", "1"}, Solved);
    row("D = 1e-8", {"0.0001", "0", "1", "0", "0.0001", "1"}, Solved);
    row("D = 5e-8", {"1", "2", "3", "2", "4.00000005", "6"}, Solved);
    row("thirds of ten thousand", {"0.0003", "0", "1", "0", "0.0003", "1"}, Solved);
    row("D = 1e-8, no constants", {"1e-4", "0", "0", "0", "1e-4", "0"}, Solved);
    row("nearly parallel", {"1", "1", "2", "1", "1.0000000001", "2.0000000001"}, Solved);
    row("fractions", {"1/2", "-1/3", "1/6", "2/7", "3/4", "-5"}, Solved);
    row("huge and tiny", {"1e30", "1", "1", "1", "2e-30", "2"}, Solved);
    row("huge and tiny, singular", {"1e300", "1", "1", "1", "1e-300", "2"}, NoSolution);
    row("full-width", {"０．５", "２", "5", "3", "－1", "４.５"}, Solved);
    row("all empty", {"", "", "", "", "", ""}, Infinitely);
    row("proportional", {"2", "4", "6", "1", "2", "3"}, Infinitely);
    row("proportional decimals", {"0.1", "0.2", "0.3", "0.2", "0.4", "0.6"}, Infinitely);
    row("parallel", {"1", "2", "3", "2", "4", "7"}, NoSolution);
    row("parallel decimals", {"0.1", "0.2", "0.3", "0.2", "0.4", "0.7"}, NoSolution);
    row("parallel by 1e-12", {"1", "1", "1", "1", "1", "1.000000000001"}, NoSolution);
    row("no unknowns, 0 = 5", {"0", "0", "5", "0", "0", "0"}, NoSolution);
    row("empty first, 0 = 5", {"", "", "5", "1", "2", "3"}, NoSolution);
    row("empty first, 0 = 0", {"", "", "", "1", "2", "3"}, Infinitely);
    row("same line in y only", {"0", "3", "6", "0", "1", "2"}, Infinitely);
    row("parallel in y only", {"0", "3", "6", "0", "1", "1"}, NoSolution);
    row("letters", {"1", "1", "3", "1", "2x", "1"}, Refused);
    row("zero denominator", {"1/0", "1", "3", "1", "2", "1"}, Refused);
}

void LinearSystemLogicTest::solutions()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, kind);
    const Outcome<QString> steps
            = EliminationStepsText({typed[0], typed[1], typed[2], typed[3], typed[4], typed[5]});
    if (kind == Refused) {
        QVERIFY(!steps);
        QVERIFY(steps.refusal().startsWith(QStringLiteral("a1："))
                || steps.refusal().startsWith(QStringLiteral("b2：")));
        return;
    }
    QVERIFY(steps);
    if (kind != Solved) {
        QCOMPARE(*steps, kind);
        return;
    }
    const QStringList lines = steps->split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    const Rational x = Solution(lines, 2, "x="), y = Solution(lines, 5, "y=");
    QCOMPARE((Typed(typed[0]) * x + Typed(typed[1]) * y).ToText(), Typed(typed[2]).ToText());
    QCOMPARE((Typed(typed[3]) * x + Typed(typed[4]) * y).ToText(), Typed(typed[5]).ToText());
}

void LinearSystemLogicTest::stepsText_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("worked example, negative multiplier in brackets")
            << QStringList{"1", "1", "3", "1", "-1", "1"}
            << "①×(-1)－②×1\r\n    得：-2x=-4\r\n    x=2\r\n②×1－①×1\r\n    得：-2y=-2\r\n    y=1";
    QTest::newRow("thirds") << QStringList{"3", "0", "1", "0", "3", "2"}
                            << "①×3－②×0\r\n    得：9x=3\r\n    x=1/3≈0.3333333333333\r\n"
                               "②×3－①×0\r\n    得：9y=6\r\n    y=2/3≈0.6666666666667";
    QTest::newRow("no negative zeros")
            << QStringList{"1", "1", "", "1", "-1", "0"}
            << "①×(-1)－②×1\r\n    得：-2x=0\r\n    x=0\r\n②×1－①×1\r\n    得：-2y=0\r\n    y=0";
    QTest::newRow("fraction coefficients") << QStringList{"1/2", "0", "1", "0", "1/3", "1"}
                                           << "①×(1/3)－②×0\r\n    得：(1/6)x=1/3\r\n    x=2\r\n"
                                              "②×0.5－①×0\r\n    得：(1/6)y=0.5\r\n    y=3";
}

void LinearSystemLogicTest::stepsText()
{
    QFETCH(QStringList, typed);
    const Outcome<QString> steps
            = EliminationStepsText({typed[0], typed[1], typed[2], typed[3], typed[4], typed[5]});
    QVERIFY(steps);
    QTEST(*steps, "text");
}

QTEST_GUILESS_MAIN(LinearSystemLogicTest)
#include "tst_linearsystemlogic.moc"
