#include "eval/rational.h"
#include "tools/functions/quadraticinequalitylogic.h"

#include <QTest>

using namespace Eval;
using namespace Functions;

class QuadraticInequalityLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void zeroLeadingCoefficient_data();
    void zeroLeadingCoefficient();
    void solve_data();
    void solve();
    void answer_data();
    void answer();
};

void QuadraticInequalityLogicTest::zeroLeadingCoefficient_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<bool>("zero");
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("1e-8") << "1e-8" << true;
    QTest::newRow("-1e-7") << "-1e-7" << true;
    QTest::newRow("2e-7") << "2e-7" << false;
    QTest::newRow("-1") << "-1" << false;
}

void QuadraticInequalityLogicTest::zeroLeadingCoefficient()
{
    QFETCH(QString, a);
    QFETCH(bool, zero);
    QCOMPARE(IsZeroLeadingCoefficient(*ReadRational(a)), zero);
    const auto solution = SolveQuadraticInequality({a, "1", "1", "0"}, InequalityRelation::Greater);
    QCOMPARE(solution ? QString() : solution.refusal(),
             zero ? ZeroLeadingCoefficientMessage : QString());
}

void QuadraticInequalityLogicTest::solve_data()
{
    QTest::addColumn<QStringList>("typed"); // a, b, c, d
    QTest::addColumn<int>("relation");
    QTest::addColumn<QString>("steps"); // empty: refused
    QTest::addColumn<QString>("answer"); // or the refusal
    const QString up = "a>0，所以开口朝上\r\n";
    const QString down = "a<0，所以开口朝下\r\n";
    const QString two = "△>0，所以抛物线与x轴有两个交点\r\n";
    const QString one = "△=0，所以抛物线与x轴有一个交点\r\n";
    const QString none = "△<0，所以抛物线与x轴没有交点\r\n";
    const auto row = [](const char *name, const QStringList &typed, int relation,
                        const QString &steps, const QString &answer) {
        QTest::newRow(name) << typed << relation << steps << answer;
    };
    row("worked example", {"1", "0", "-1", "0"}, 0,
        up + two + "x轴上方有：(-∞,-1)∪(1,+∞)\r\nx轴下方有：(-1,1)\r\n", "x∈(-∞,-1)∪(1,+∞)");
    row("opens down", {"-1", "0", "1", "0"}, 0,
        down + two + "x轴上方有：(-1,1)\r\nx轴下方有：(-∞,-1)∪(1,+∞)\r\n", "x∈(-1,1)");
    row("opens down, less", {"-1", "0", "1", "0"}, 1,
        down + two + "x轴上方有：(-1,1)\r\nx轴下方有：(-∞,-1)∪(1,+∞)\r\n", "x∈(-∞,-1)∪(1,+∞)");
    row("touching, less", {"1", "2", "1", "0"}, 1, up + one + "x轴上方有：(-∞,-1)∪(-1,+∞)\r\n",
        "x∈空集");
    row("touching, greater", {"1", "2", "1", "0"}, 0, up + one + "x轴上方有：(-∞,-1)∪(-1,+∞)\r\n",
        "x∈(-∞,-1)∪(-1,+∞)");
    row("touching opens down, less", {"-2", "4", "-2", "0"}, 1,
        down + one + "x轴下方有：(-∞,1)∪(1,+∞)\r\n", "x∈(-∞,1)∪(1,+∞)");
    row("touching opens down, greater", {"-2", "4", "-2", "0"}, 0,
        down + one + "x轴下方有：(-∞,1)∪(1,+∞)\r\n", "x∈空集");
    row("no crossing", {"1", "0", "1", "0"}, 0, up + none + "x轴上方有：R\r\n", "x∈R");
    row("no crossing, less", {"1", "0", "1", "0"}, 1, up + none + "x轴上方有：R\r\n", "x∈空集");
    row("below everywhere", {"-1", "0", "-1", "0"}, 1, down + none + "x轴下方有：R\r\n", "x∈R");
    row("right side moved over", {"1", "0", "0", "4"}, 1,
        up + two + "x轴上方有：(-∞,-2)∪(2,+∞)\r\nx轴下方有：(-2,2)\r\n", "x∈(-2,2)");
    row("zero root shows as 0", {"-1", "1", "0", "0"}, 0,
        down + two + "x轴上方有：(0,1)\r\nx轴下方有：(-∞,0)∪(1,+∞)\r\n", "x∈(0,1)");
    row("zero touching point", {"1", "0", "0", "0"}, 0, up + one + "x轴上方有：(-∞,0)∪(0,+∞)\r\n",
        "x∈(-∞,0)∪(0,+∞)");
    row("thirteen digits", {"3", "0", "-1", "0"}, 1,
        up + two
                + "x轴上方有：(-∞,-0.5773502691896)∪(0.5773502691896,+∞)\r\n"
                  "x轴下方有：(-0.5773502691896,0.5773502691896)\r\n",
        "x∈(-0.5773502691896,0.5773502691896)");
    row("fractional crossings exactly", {"6", "-5", "1", "0"}, 0,
        up + two + "x轴上方有：(-∞,1/3)∪(0.5,+∞)\r\nx轴下方有：(1/3,0.5)\r\n",
        "x∈(-∞,1/3)∪(0.5,+∞)");
    row("a half, not 1", {"1/2", "0", "-2", "0"}, 1,
        up + two + "x轴上方有：(-∞,-2)∪(2,+∞)\r\nx轴下方有：(-2,2)\r\n", "x∈(-2,2)");
    row("discriminant 1e-8 is not 0", {"1", "0.0001", "0", "0"}, 1,
        up + two + "x轴上方有：(-∞,-0.0001)∪(0,+∞)\r\nx轴下方有：(-0.0001,0)\r\n", "x∈(-0.0001,0)");
    row("not a number", {"1", "2x", "0", "0"}, 0, "",
        "b：“x”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4");
}

void QuadraticInequalityLogicTest::solve()
{
    QFETCH(QStringList, typed);
    QFETCH(int, relation);
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    const Outcome<InequalitySolution> solution = SolveQuadraticInequality(
            {typed[0], typed[1], typed[2], typed[3]}, InequalityRelation(relation));
    if (steps.isEmpty()) {
        QCOMPARE(solution.refusal(), answer);
        return;
    }
    QVERIFY(solution);
    QCOMPARE(solution->steps, steps);
    QCOMPARE(solution->answer, answer);
}

void QuadraticInequalityLogicTest::answer_data()
{
    QTest::addColumn<QString>("above");
    QTest::addColumn<QString>("below");
    QTest::addColumn<QString>("greater");
    QTest::addColumn<QString>("less");
    QTest::newRow("both sides") << "(-∞,1)∪(2,+∞)"
                                << "(1,2)"
                                << "x∈(-∞,1)∪(2,+∞)"
                                << "x∈(1,2)";
    QTest::newRow("only above") << "R"
                                << ""
                                << "x∈R"
                                << "x∈空集";
    QTest::newRow("only below") << ""
                                << "R"
                                << "x∈空集"
                                << "x∈R";
}

void QuadraticInequalityLogicTest::answer()
{
    QFETCH(QString, above);
    QFETCH(QString, below);
    QFETCH(QString, greater);
    QFETCH(QString, less);
    QCOMPARE(InequalityAnswer({above, below}, InequalityRelation::Greater), greater);
    QCOMPARE(InequalityAnswer({above, below}, InequalityRelation::Less), less);
}

QTEST_APPLESS_MAIN(QuadraticInequalityLogicTest)
#include "tst_quadraticinequalitylogic.moc"
