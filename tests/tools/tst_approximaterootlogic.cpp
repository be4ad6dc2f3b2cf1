#include "eval/expression.h"
#include "tools/functions/approximaterootlogic.h"

#include <QTest>

#include <cmath>

using namespace Functions;
using namespace Functions::ApproximateRoot;

Q_DECLARE_METATYPE(Function)

namespace {

Function Expression(const QString &text)
{
    return [text](double x) { return EvaluateFunctionAt(text, QLatin1Char('x'), x); };
}

struct Search
{
    QStringList answers;
    int impossible = 0;
    int samples = 0;
    bool finished = false;
};

Search Run(const Function &f, double a, double b, bool bisection, int places, int giveUpAfter = -1)
{
    Search search;
    SearchHooks hooks;
    hooks.answer = [&search, places](const Answer &answer) {
        search.answers.append(AnswerText(answer, places));
    };
    hooks.bisectionImpossible = [&search] { ++search.impossible; };
    hooks.keepGoing = [&search, giveUpAfter] { return ++search.samples != giveUpAfter; };
    search.finished = bisection ? Bisect(f, a, b, hooks) : Enumerate(f, a, b, hooks);
    return search;
}

} // namespace

class ApproximateRootLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void abandonedSearchStops_data();
    void abandonedSearchStops();
};

void ApproximateRootLogicTest::answers_data()
{
    QTest::addColumn<Function>("f");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("bisection");
    QTest::addColumn<int>("places");
    QTest::addColumn<bool>("impossible");
    QTest::addColumn<QStringList>("answers"); // every answer written, the last one standing
    const auto row = [](const char *name, const Function &f, double a, double b, bool bisection,
                        int places, const QStringList &answers, bool impossible = false) {
        QTest::newRow(name) << f << a << b << bisection << places << impossible << answers;
    };
    const QStringList root2{"x≈-1",     "x≈-1.4",   "x≈-1.41", "x≈-1.414",
                            "x≈-1.414", "x≈-1.414", "x≈-1.414"};
    row("same signs hand over to the scan", Expression("x*x-2"), -10, 10, true, 3, root2, true);
    row("reversed ends bisect", Expression("x-5"), 10, 0, true, 3, {"x=5"});
    row("neighbouring doubles end the bisection", Expression("x-1e10-0.5"), 0, 2e10, true, 3,
        {"x≈10000000000.51"});
    row("bracket of huge doubles", [](double x) { return x > 3e300 ? 1 : -1; }, 0, 1e308, true, 2,
        {"x≈3e+300"});
    row("infinite ends give no midpoint", [](double x) { return x; }, -qInf(), qInf(), true, 3,
        {"x在定义域[-1.#INF,1.#INF]内无解"});
    row("scan meets the root", Expression("2*x-1"), -10, 10, false, 3, {"x≈0", "x=0.5"});
    row("dip without a root", Expression("x*x+1"), -10, 10, false, 3,
        {"x≈0", "x≈0", "x≈0", "x≈0", "x≈-0.001", "x≈-0.001", "x≈-0.001"});
    row("refinement starting where f is undefined finds nothing", Expression("Math.sqrt(x)+1"), 0,
        10, false, 3, {"x≈0", "x在定义域[-1,1]内无解"});
    row("b itself is sampled", Expression("x-10"), -10, 10, false, 3, {"x=10"});
    row("undefined later sample is a rise", Expression("Math.sqrt(4.5-x)+1"), 0, 10, false, 3,
        {"x≈4", "x≈4.5", "x≈4.5", "x≈4.5", "x≈4.5", "x≈4.5", "x≈4.5"});
    row("step lost in the text ends every scan", Expression("x-1e15"), 1e14, 1e16, false, 0,
        QStringList(7, QStringLiteral("x≈1e+014")));
}

void ApproximateRootLogicTest::answers()
{
    QFETCH(Function, f);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(bool, bisection);
    QFETCH(int, places);
    QFETCH(bool, impossible);
    QFETCH(QStringList, answers);
    const Search search = Run(f, a, b, bisection, places);
    QVERIFY(search.finished);
    QCOMPARE(search.answers, answers);
    QCOMPARE(search.impossible, impossible ? 1 : 0);
}

void ApproximateRootLogicTest::abandonedSearchStops_data()
{
    QTest::addColumn<bool>("bisection");
    QTest::newRow("bisection") << true;
    QTest::newRow("enumeration") << false;
}

void ApproximateRootLogicTest::abandonedSearchStops()
{
    QFETCH(bool, bisection);
    const Search search = Run([](double x) { return x - 1; }, -1e5, 1e5, bisection, 3, 5);
    QVERIFY(!search.finished);
    QCOMPARE(search.samples, 5);
    QVERIFY(search.answers.isEmpty());
}

QTEST_GUILESS_MAIN(ApproximateRootLogicTest)
#include "tst_approximaterootlogic.moc"
