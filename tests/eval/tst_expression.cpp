#include "eval/expression.h"
#include "eval/nestinglimit.h"
#include "eval/numberreading.h"
#include "eval/scripthost.h"

#include <QtTest>

#include <cmath>

using namespace Eval;

using namespace std::chrono_literals;

static QString Nested(int depth, const QString &inner)
{
    return QString(depth, u'(') + inner + QString(depth, u')');
}

class TestExpression : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data();
    void replaceAll();
    void prepareExpression_data();
    void prepareExpression();
    void evaluateExpression_data();
    void evaluateExpression();
    void evaluateFunctionAt_data();
    void evaluateFunctionAt();
    void preparedFunctionText_data();
    void preparedFunctionText();
    void negativeValueAfterMinus_data();
    void negativeValueAfterMinus();
    void runawayFunctionFailsOnceForAllValues();
    void isEvaluableAt_data();
    void isEvaluableAt();
    void hintText();
};

void TestExpression::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &text, const QString &search,
                        const QString &replacement, bool ignoreCase, const QString &expected) {
        QTest::newRow(name) << text << search << replacement << ignoreCase << expected;
    };

    row("every occurrence", "2(1)+3(4)", "(", "*(", true, "2*(1)+3*(4)");
    row("replacements meet", "xxx", "xx", "x*x", true, "x*x*x");
    row("any case", "XxX", "xx", "x*x", true, "x*x*x");
    row("case kept", "xxX", "xx", "x*x", false, "x*xX");
    row("none", "1+2", "x", "3", true, "1+2");
    row("empty search", "abc", "", "-", true, "abc");
    row("replacement contains search", "a.a", "a", "aa", true, "aa.aa");
    row("replacement contains search in other case", "a", "a", "A!", true, "A!");
    row("full-width letter is not ASCII", "ｘ+x", "x", "2", true, "ｘ+2");
}

void TestExpression::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(text, search, replacement, ignoreCase), expected);
}

void TestExpression::prepareExpression_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("prepared");
    const auto row = [](const char *name, const QString &typed, const QString &prepared) {
        QTest::newRow(name) << typed << prepared;
    };

    row("name and digit before parenthesis", "sqrt(16)+2(3)", "Math.sqrt(16)+2*(3)");
    row("already prefixed", "Math.pow(2,3)", "Math.pow(2,3)");
    row("any case", "math.SQRT(4)", "Math.sqrt(4)");
    row("parentheses", "(1+2)(3+4)", "(1+2)*(3+4)");
    row("digit after parenthesis", "(2)3", "(2)*3");
    row("arc cosine", "acos(0.5)", "Math.acos(0.5)");
    row("full-width", "１＋２", "1+2");
    row("full-width parentheses", "２（３）", "2*(3)");
    row("arc and plain", "asin(1)+sin(1)+ATAN(1)+tan(1)",
        "Math.asin(1)+Math.sin(1)+Math.atan(1)+Math.tan(1)");
    row("prefixed arc", "Math.acos(1)+Math.cos(0)", "Math.acos(1)+Math.cos(0)");
    row("double prefix typed", "Math.Math.sqrt(16)", "Math.sqrt(16)");
    row("every name",
        "pow(2,1)+log(1)+exp(0)+random()+round(1)+floor(1)+ceil(1)"
        "+min(1,2)+max(1,2)",
        "Math.pow(2,1)+Math.log(1)+Math.exp(0)+Math.random()"
        "+Math.round(1)+Math.floor(1)+Math.ceil(1)+Math.min(1,2)"
        "+Math.max(1,2)");
    row("name ending in a digit", "atan2(1,2)", "Math.atan2*(1,2)");
    row("digit 0", "10(2)(3)0", "10*(2)*(3)*0");
    row("constant keeps its prefix", "Math.PI", "Math.PI");
    row("constant without prefix", "PI", "PI");
    row("operator kept", "2^3", "2^3");
}

void TestExpression::prepareExpression()
{
    QFETCH(QString, typed);
    QFETCH(QString, prepared);
    QCOMPARE(PrepareExpression(typed), prepared);
}

void TestExpression::evaluateExpression_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("result");
    const auto row = [](const char *name, const QString &expression, const QString &result) {
        QTest::newRow(name) << expression << result;
    };

    row("full-width", "１＋２", "3");
    row("upper-case name", "SQRT(16)", "4");
    row("double prefix typed", "Math.Math.sqrt(16)", "4");
    row("constant without prefix", "PI", "");
    row("constant", "Math.PI", "3.141592653589793");
    row("precedence", "1+2*3", "7");
    row("implied multiplication", "2(3+4)", "14");
    row("division", "10/4", "2.5");
    row("division by zero", "1/0", "1.#INF");
    row("negative division by zero", "-1/0", "-1.#INF");
    row("zero by zero", "0/0", "-1.#IND");
    row("exp outside a function of x", "exp(0)", "1");
    row("max outside a function of x", "max(1,5)", "5");
    row("empty", "", "");
    row("syntax error", "2+*3", "");
    row("caret is exclusive or", "2^3", "1");
    row("name ending in a digit", "atan2(1,1)", "-1.#IND");
    row("legacy octal", "010+1", "9");
    row("nested to the limit", Nested(MaxNestingDepth, "1"), "1");
    row("nested one past the limit", Nested(MaxNestingDepth + 1, "1"), "");
    row("16,000 deep", Nested(16000, "1"), "");
    // A text only the engine reads: it is asked to the limit, never past it.
    row("a text nested to the limit", Nested(MaxNestingDepth, "'a'"), "a");
    row("a text nested one past the limit", Nested(MaxNestingDepth + 1, "'a'"), "");
}

void TestExpression::evaluateExpression()
{
    QFETCH(QString, expression);
    QFETCH(QString, result);
    QCOMPARE(EvaluateExpression(expression), result);
}

void TestExpression::evaluateFunctionAt_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value");
    const auto row = [](const char *name, const QString &expression, double x, double value) {
        QTest::newRow(name) << expression << x << value;
    };

    row("digit before x", "2x", 3.0, 6.0);
    row("xx", "xx", 3.0, 9.0);
    row("xxx", "xxx", 2.0, 8.0);
    row("parentheses", "(x+1)(x-1)", 2.0, 3.0);
    row("x before parenthesis", "x(x+1)", 2.0, 6.0);
    row("parenthesis before x", "(1+1)x", 4.0, 8.0);
    row("digit before negative x", "2x", -3.0, -6.0);
    row("upper-case x", "2X+X", 3.0, 9.0);
    row("exp broken by x", "exp(x)", 2.0, 0.0);
    row("max broken by x", "max(x,1)", 2.0, 0.0);
    row("prefixed exp broken by x", "Math.exp(x)", 2.0, 0.0);
    row("full-width x is not the variable", "ｘ+1", 2.0, 0.0);
    row("pole", "1/x", 0.0, UndefinedValue);
    row("root of negative", "Math.sqrt(x)", -1.0, UndefinedValue);
    row("logarithm of zero", "Math.log(x)", 0.0, UndefinedValue);
    row("bare names", "sin(x)+cos(x)", 0.0, 1.0);
    row("power", "Math.pow(2,x)", 10.0, 1024.0);
    row("exponent-form value", "x*100000", 1e-5, 1.0);
    row("negative exponent-form value", "x*100000", -1e-5, -1.0);
    row("large value", "x/1e20", 1e20, 1.0);
    row("unknown name", "x+PI", 1.0, 0.0);
    row("typical", "Math.sin(x)*3+1", 0.5, std::sin(0.5) * 3 + 1);
}

void TestExpression::evaluateFunctionAt()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    QFETCH(double, value);
    const double result = EvaluateFunctionAt(expression, u'x', x);
    QVERIFY2(result == value || std::abs(result - value) <= 1e-12 * std::abs(value),
             qPrintable(QString::number(result, 'g', 17)));
}

void TestExpression::preparedFunctionText_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::newRow("implied multiplication") << "2x" << -3.0 << "-6";
    QTest::newRow("negative after minus") << "1-x" << -5.0 << "6";
    QTest::newRow("all the engine's digits") << "x/3" << 1.0 << "0.3333333333333333";
    QTest::newRow("pole") << "1/x" << 0.0 << "1.#INF";
    QTest::newRow("negative pole") << "-1/x" << 0.0 << "-1.#INF";
    QTest::newRow("not a number") << "Math.sqrt(x)" << -1.0 << "-1.#IND";
    QTest::newRow("exp broken by x") << "Math.exp(x)" << -5.0 << "";
    QTest::newRow("upper-case x") << "X*X" << 1e-5 << "1.0000000000000002e-10";
    QTest::newRow("nested to the limit") << Nested(MaxNestingDepth, "x") << -3.0 << "-3";
    QTest::newRow("nested one past the limit") << Nested(MaxNestingDepth + 1, "x") << -3.0 << "";
}

// The text is what the number of PrepareFunction is read from.
void TestExpression::preparedFunctionText()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    QFETCH(QString, text);
    QCOMPARE(PrepareFunctionText(expression)(x), text);
    const double value = PrepareFunction(expression)(x);
    QCOMPARE(value, text.contains(u'#') ? UndefinedValue : TextToNumber(text));
}

// A negative value written straight after a minus used to make a syntax error ("1--3").
void TestExpression::negativeValueAfterMinus_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value");
    const auto row = [](const char *name, const QString &expression, double x, double value) {
        QTest::newRow(name) << expression << x << value;
    };

    row("1-x", "1-x", -3.0, 4.0);
    row("1-x small", "1-x", -0.5, 1.5);
    row("1-x exponent form", "1-x", -1e-5, 1.00001);
    row("-x", "-x", -3.0, 3.0);
    row("x-x", "x-x", -2.0, 0.0);
    row("10-2x", "10-2x", -1.0, 12.0);
    row("times negative", "2*-x", -3.0, 6.0);
    row("negative times negative", "-5*x", -5.0, 25.0);
    row("argument", "Math.pow(x,2)", -3.0, 9.0);
    row("plus negative", "1+x", -3.0, -2.0);
    row("positive after minus", "1-x", 3.0, -2.0);
}

void TestExpression::negativeValueAfterMinus()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    QFETCH(double, value);
    QCOMPARE(EvaluateFunctionAt(expression, u'x', x), value);
}

void TestExpression::runawayFunctionFailsOnceForAllValues()
{
    ScriptHost &host = ScriptHost::ForThisThread();
    host.SetTimeLimit(100ms);
    host.BeginUserAction();
    for (int i = -250; i < 250; ++i)
        QCOMPARE(EvaluateFunctionAt("eval('while(1);')+x", u'x', i), 0.0);
    QVERIFY(host.stoppedInThisAction());
    host.BeginUserAction();
    QCOMPARE(EvaluateFunctionAt("x+1", u'x', 1), 2.0);
    host.SetTimeLimit(ScriptHost::DefaultTimeLimit);
}

void TestExpression::isEvaluableAt_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("evaluable");
    QTest::newRow("number") << "2x+1" << -3.0 << true;
    QTest::newRow("zero is a value") << "x-x" << 5.0 << true;
    QTest::newRow("pole") << "1/x" << 0.0 << true;
    QTest::newRow("not a number") << "Math.sqrt(x)" << -1.0 << true;
    QTest::newRow("constant") << "7" << 1.0 << true;
    QTest::newRow("empty") << "" << 1.0 << false;
    QTest::newRow("syntax error") << "x+" << 1.0 << false;
    QTest::newRow("unknown name") << "x+PI" << 1.0 << false;
    QTest::newRow("name broken by x") << "exp(x)" << 2.0 << false;
    QTest::newRow("exception") << "(function(){throw x})()" << 1.0 << false;
    QTest::newRow("no value") << "void x" << 1.0 << false;
    QTest::newRow("runaway") << "(function(){for(;;){}})()+x" << 1.0 << false;
}

// Where it is false, the function reads 0 there: a value no user typed.
void TestExpression::isEvaluableAt()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    QFETCH(bool, evaluable);
    ScriptHost &host = ScriptHost::ForThisThread();
    host.SetTimeLimit(100ms);
    host.BeginUserAction();
    QCOMPARE(IsEvaluableAt(expression, x), evaluable);
    host.BeginUserAction();
    if (!evaluable)
        QCOMPARE(EvaluateFunctionAt(expression, u'x', x), 0.0);
    host.SetTimeLimit(ScriptHost::DefaultTimeLimit);
}

void TestExpression::hintText()
{
    QCOMPARE(ExpressionHintCaption(), "提示：");
    QVERIFY(ExpressionHintText().endsWith("\r\n举例：求2^x:Math.pow(2,x)"));
}

QTEST_GUILESS_MAIN(TestExpression)
#include "tst_expression.moc"
