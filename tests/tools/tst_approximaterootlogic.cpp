#include "eval/expression.h"
#include "eval/numberformat.h"
#include "eval/rounding.h"
#include "tools/functions/approximaterootlogic.h"
#include "tools/functions/rootworking.h"

#include <QRandomGenerator>

#include <QTest>

#include <cmath>

using namespace Ui;
using namespace Eval;
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
    QStringList answers; // the first line, then the further roots
    QList<double> roots;
    int impossible = 0;
    bool rootsFound = false;
    int samples = 0;
    bool finished = false;
};

Search Run(const Function &f, double a, double b, bool bisection, int places, int giveUpAfter = -1)
{
    Search search;
    SearchHooks hooks;
    hooks.answers = [&search, places](const QList<Answer> &answers, bool) {
        for (const Answer &answer : answers) {
            search.answers.append(AnswerText(answer, places));
            if (answer.kind != Answer::Kind::NoSolution)
                search.roots.append(answer.x);
        }
    };
    hooks.bisectionImpossible = [&search](bool rootsFound) {
        ++search.impossible;
        search.rootsFound = rootsFound;
    };
    hooks.keepGoing = [&search, giveUpAfter] { return ++search.samples != giveUpAfter; };
    search.finished
            = bisection ? Bisect(f, a, b, places, hooks) : Enumerate(f, a, b, places, hooks);
    return search;
}

} // namespace

class ApproximateRootLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void textbookRoots_data();
    void textbookRoots();
    void polesAndJumpsAreNoRoots_data();
    void polesAndJumpsAreNoRoots();
    void bisectionWorkingHalvesTheBracket();
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
    row("same signs hand over to the scan", Expression("x*x-2"), -10, 10, true, 3,
        {"x≈-1.414", "x≈1.414"}, true);
    row("reversed ends bisect", Expression("x-5"), 10, 0, true, 3, {"x=5"});
    row("neighbouring doubles end the bisection", Expression("x-1e15-0.3"), 0, 2e15, true, 3,
        {"x≈1e+015"});
    row("a midpoint that is the root", Expression("x-1e10-0.5"), 0, 2e10, true, 3,
        {"x=10000000000.5"});
    row("bracket of huge doubles", [](double x) { return x / 1e300 - 3; }, 0, 1e308, true, 2,
        {"x=3e+300"});
    row("infinite ends give no midpoint", [](double x) { return x > 0 ? 1 : -1; }, -qInf(), qInf(),
        true, 3, {"x在定义域[-1.#INF,1.#INF]内无解"});
    row(
            "infinite values are no sign change", [](double x) { return x; }, -qInf(), qInf(), true,
            3, {"x在定义域[-1.#INF,1.#INF]内无解"}, true);
    row("scan meets the root", Expression("2*x-1"), -10, 10, false, 3, {"x=0.5"});
    row("every root", Expression("x*x-2"), -10, 10, false, 3, {"x≈-1.414", "x≈1.414"});
    row("dip without a root", Expression("x*x+1"), -10, 10, false, 3, {"x在定义域[-10,10]内无解"});
    row("dip without a root before a root", Expression("(x*x+1)*(x-5.5)"), -10, 10, false, 3,
        {"x=5.5"});
    row("a double root", Expression("(x-1/3)*(x-1/3)"), -10, 10, false, 3, {"x=0.3333"});
    row("refinement starting where f is undefined finds nothing", Expression("Math.sqrt(x)+1"), 0,
        10, false, 3, {"x在定义域[0,10]内无解"});
    row("b itself is sampled", Expression("x-10"), -10, 10, false, 3, {"x=10"});
    row("undefined later sample is a rise", Expression("Math.sqrt(4.5-x)+1"), 0, 10, false, 3,
        {"x在定义域[0,10]内无解"});
    row("step lost in the text: the bracket is bisected", Expression("x-1e15-0.3"), 1e14, 1e16,
        false, 0, {"x≈1e+015"});
    row("a root beyond b is no answer", Expression("(x+1.5)*(x-3.5)"), -1, 10, false, 3, {"x=3.5"});
    row("tangent: roots, no poles", Expression("tan(x)"), -10, 10, false, 3,
        {"x≈-9.425", "x≈-6.283", "x≈-3.142", "x=0", "x≈3.142", "x≈6.283", "x≈9.425"});
    row("ln as read", Expression("ln(x)+2x-6"), 2, 3, true, 3, {"x≈2.535"});
    row("a pole at the start works from its finite side", Expression("1/x-2"), 0, 100, true, 3,
        {"x≈0.5"});
    row("a pole is no bisection's root", Expression("1/x"), -10, 10, true, 3,
        {"x在定义域[-10,10]内无解"});
    row("a jump is no bisection's root", Expression("Math.floor(x)-2.5"), 0, 10, true, 3,
        {"x在定义域[0,10]内无解"});
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

// A function with a sign change on [a, b]: both methods must agree with the root to every
// precision the window offers. A sample where f vanishes is shown as found, unrounded.
void ApproximateRootLogicTest::textbookRoots_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("root");
    const auto row = [](const char *expression, double a, double b, double root) {
        QTest::addRow("%s on [%g, %g]", expression, a, b)
                << QString::fromLatin1(expression) << a << b << root;
    };
    row("x*x-2", 0, 10, std::sqrt(2.0));
    row("x*x-2", 1, 2, std::sqrt(2.0));
    row("x*x*x-x-1", 1, 2, 1.324717957244746);
    row("x*x*x-3*x+1", 0, 1, 0.3472963553338607);
    row("2*x*x*x-4*x*x-3*x+1", 2, 3, 2.5170209179017453);
    row("Math.pow(2,x)-3", 0, 5, std::log2(3.0));
    row("Math.pow(2,x)+x-4", 0, 3, 1.386166980071493);
    row("Math.sin(x)", 3, 4, M_PI);
    row("Math.cos(x)-x", 0, 1, 0.7390851332151607);
    row("Math.log(x)-1", 1, 5, M_E);
    row("Math.log(x)+2*x-6", 1, 3, 2.5349191320239735);
    row("Math.pow(Math.E,x)-x-2", 0, 3, 1.1461932206205825);
    row("x*x*x*x-10", -1, 4, std::pow(10.0, 0.25));
    row("1/x-0.3", 1, 10, 10.0 / 3);
    row("0.001*(x-1.41421356)", -10, 10, 1.41421356);
}

void ApproximateRootLogicTest::textbookRoots()
{
    QFETCH(QString, expression);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, root);
    for (int places = 0; places <= 5; ++places) {
        const QString expected = NumberToText(RoundTo(root, places));
        for (bool bisection : {true, false}) {
            const Search search = Run(Expression(expression), a, b, bisection, places);
            QVERIFY(search.finished);
            QCOMPARE(search.impossible, 0);
            QCOMPARE(search.answers.size(), 1);
            const QString answer = search.answers.first();
            if (answer.startsWith(QStringLiteral("x=")))
                QCOMPARE(NumberToText(RoundTo(answer.mid(2).toDouble(), places)), expected);
            else
                QCOMPARE(answer, QStringLiteral("x≈") + expected);
        }
    }
}

// Each row of the working is the half of the row before whose ends differ in sign, with its
// midpoint; the last bracket rounds alike at both ends, to the true root.
void ApproximateRootLogicTest::bisectionWorkingHalvesTheBracket()
{
    QRandomGenerator generator(8);
    const auto uniform
            = [&generator](double from, double to) { return from + generator.bounded(to - from); };
    for (int round = 0; round < 3000; ++round) {
        const double root = uniform(-100.0, 100.0);
        const double slope = uniform(0.001, 1000.0) * (round % 2 ? 1 : -1);
        const double cubic = uniform(0.0, 10.0) * slope;
        const Function f = [=](double x) {
            return slope * (x - root) + cubic * (x - root) * (x - root) * (x - root);
        };
        const double a = root - uniform(0.001, 100.0);
        const double b = root + uniform(0.001, 100.0);
        const int places = int(generator.bounded(6));
        QList<BisectionStep> steps;
        QString answer;
        SearchHooks hooks;
        hooks.bisectionStep = [&steps](const BisectionStep &step) { steps.append(step); };
        hooks.answers = [&answer, places](const QList<Answer> &shown, bool) {
            answer = AnswerText(shown.first(), places);
        };
        QVERIFY(Bisect(f, a, b, places, hooks));
        QCOMPARE(steps.first().a, a);
        QCOMPARE(steps.first().b, b);
        double lo = a, hi = b;
        for (const BisectionStep &step : steps) {
            QCOMPARE(step.a, lo);
            QCOMPARE(step.b, hi);
            QCOMPARE(step.c, (lo + hi) * 0.5);
            QCOMPARE(step.fc, f(step.c));
            ((f(lo) < 0) == (step.fc < 0) ? lo : hi) = step.c;
        }
        if (steps.last().fc != 0)
            QCOMPARE(RoundTo(lo, places), RoundTo(hi, places));
        QVERIFY2(answer.endsWith(NumberToText(RoundTo(root, places))), qPrintable(answer));
        const Working working = ApproximateRootWorking(steps, {}, answer);
        QCOMPARE(working.first().rows.size(), steps.size());
        QCOMPARE(working.last().rows, QList<QStringList>{{answer}});
    }
}

// Rational functions, poles and roots near each other, roots at the ends, a pole at an end: the
// enumeration lists the true roots and nothing else, to the places asked.
void ApproximateRootLogicTest::polesAndJumpsAreNoRoots_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QList<double>>("roots");
    const auto row = [](const char *expression, double a, double b, const QList<double> &roots) {
        QTest::addRow("%s on [%g, %g]", expression, a, b)
                << QString::fromLatin1(expression) << a << b << roots;
    };
    row("1/x", -10, 10, {});
    row("1/(x-3)", -10, 10, {});
    row("1/x-2", -10, 10, {0.5});
    row("(x-1)/(x-2)", -10, 10, {1});
    row("(x-2.5)/(x-3)", -10, 10, {2.5});
    row("(x-3.01)/(x-3)", -10, 10, {3.01});
    row("(x-2.99)/(x-3)", -10, 10, {2.99});
    row("(x*x-4)/(x-1)", -10, 10, {-2, 2});
    row("x-1/x", -10, 10, {-1, 1});
    row("(x+10)/(x-10)", -10, 10, {-10});
    row("x/(x+10)", -10, 10, {0});
    row("1/(x*x-1)", -10, 10, {});
    row("(x*x-1)/(x*x-4)", -10, 10, {-1, 1});
    row("(x-0.5)/(x*x)", -10, 10, {0.5});
    row("(2x+3)/(x-2)", -10, 10, {-1.5});
    row("1/x+x", -10, 10, {});
    row("(x-1)/(x-1.001)", -10, 10, {1});
    row("(x*x-2)/(x*x*x-x)", -10, 10, {-std::sqrt(2.0), std::sqrt(2.0)});
    row("Math.floor(x)-2.5", -10, 10, {});
    row("1/(x-3)-1", -10, 10, {4});
}

void ApproximateRootLogicTest::polesAndJumpsAreNoRoots()
{
    QFETCH(QString, expression);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QList<double>, roots);
    const Search search = Run(Expression(expression), a, b, false, 3);
    QVERIFY(search.finished);
    QCOMPARE(search.roots.size(), roots.size());
    for (qsizetype i = 0; i < roots.size(); ++i)
        QVERIFY2(std::fabs(search.roots[i] - roots[i]) < 5e-4,
                 qPrintable(search.answers.join(' ')));
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
