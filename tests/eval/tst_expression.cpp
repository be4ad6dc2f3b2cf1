#include "eval/expression.h"
#include "eval/halfwidth.h"
#include "eval/mathnotation.h"
#include "eval/nestinglimit.h"
#include "eval/numberreading.h"
#include "eval/scripthost.h"
#include "expressiongenerator.h"
#include "legacynotation.h"

#include <QtTest>

#include <cmath>
#include <optional>

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
    void powersWritten_data();
    void powersWritten();
    void trigonometryInRadians_data();
    void trigonometryInRadians();
    void whatEvaluatedKeepsItsValue();
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
    row("name ending in a digit", "atan2(1,2)", "Math.atan2(1,2)");
    row("digit 0", "10(2)(3)0", "10*(2)*(3)*0");
    row("constant keeps its prefix", "Math.PI", "Math.PI");
    row("constant without prefix", "PI", "Math.PI");
    row("operator kept", "2^3", "2^3");
    row("natural logarithm", "ln(2)+LN(3)", "Math.log(2)+Math.log(3)");
    row("common logarithm", "lg(100)", "Math.log10(100)");
    row("constants", "2π+e", "2*Math.PI+Math.E");
    row("exponent kept", "2e+3", "2e+3");
    row("a constant of Math in any case", "math.sqrt2+Math.ln2", "Math.SQRT2+Math.LN2");
    row("times and divided by", "3×4÷2·1−1", "3*4/2*1-1");
    row("squared and cubed", "2²+(1+1)³", "Math.pow(2,2)+Math.pow((1+1),3)");
    row("square root", "√(16)+√2+2√3", "Math.sqrt(16)+Math.sqrt(2)+2*Math.sqrt(3)");
    row("degrees of a table angle", "sin(30°)+2cos(60°)", "(0.5)+2*(0.5)");
    row("degrees", "1/30°", "1/(30*Math.PI/180)");
    row("implied multiplication before a name", "2sin(1)(2)cos(1)",
        "2*Math.sin(1)*(2)*Math.cos(1)");
    row("a string is not read", "'sin e'", "'Math.sin e'");
    row("a property with spaces", "Math. abs(-1)", "Math. abs(-1)");
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
    row("constant without prefix", "PI", "3.141592653589793");
    row("unknown name", "foo+1", "");
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
    row("name ending in a digit", "atan2(1,1)", "0.7853981633974483");
    row("sine of 30 degrees", "sin(30°)", "0.5");
    row("cosine of 60 degrees", "Math.cos(60°)", "0.5");
    row("tangent of 45 degrees", "tan(-45°)", "-1");
    row("tangent of 90 degrees", "tan(90°)", "1.#INF");
    row("sine of 390 degrees", "sin(390°)", "0.5");
    row("degrees in a sum", "sin(30°+60°)", "1");
    row("radians kept", "sin(30)", "-0.9880316240928618");
    row("squares and roots", "√16+2²-∛27", "5");
    row("full-width square", "（３×２）²÷４", "9");
    row("natural logarithm of e", "ln(e)", "1");
    row("common logarithm", "lg(1000)", "3");
    row("two pi", "2π", "6.283185307179586");
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
    row("exp", "exp(x)", 2.0, std::exp(2.0));
    row("max", "max(x,1)", 2.0, 2.0);
    row("prefixed exp", "Math.exp(x)", 2.0, std::exp(2.0));
    row("exp in capitals", "EXP(x)-Math.EXPM1(x)", 0.5, 1.0);
    row("log10 and log2", "log10(x)+Math.log2(x)", 1024.0, std::log10(1024.0) + 10);
    row("atan2", "Math.atan2(x,1)", 1.0, std::atan(1.0));
    row("full-width x", "ｘ+1", 2.0, 3.0);
    row("full-width exp", "ｅｘｐ（x）", 1.0, std::exp(1.0));
    row("digit before a name", "2sin(x)", 1.0, 2 * std::sin(1.0));
    row("x before a name", "xsin(x)", 2.0, 2 * std::sin(2.0));
    row("square", "2x²-x", 3.0, 15.0);
    row("square of a call", "sin(x)²+cos(x)²", 0.7, 1.0);
    row("square before a parenthesis", "x²(x+1)", 2.0, 12.0);
    row("root", "√x+√(x+7)", 9.0, 7.0);
    row("pi times x", "πx", 2.0, 2 * M_PI);
    row("natural logarithm", "ln(x)", M_E, 1.0);
    row("minus sign", "−x", 2.0, -2.0);
    row("degrees of x", "sin(x°)", 90.0, 1.0);
    row("x and a digit still join", "x2", 3.0, 32.0);
    row("an exponent still", "xe3", 2.0, 2000.0);
    row("an exponent after x", "2e-x", 3.0, 0.002);
    row("pole", "1/x", 0.0, UndefinedValue);
    row("root of negative", "Math.sqrt(x)", -1.0, UndefinedValue);
    row("logarithm of zero", "Math.log(x)", 0.0, UndefinedValue);
    row("bare names", "sin(x)+cos(x)", 0.0, 1.0);
    row("power", "Math.pow(2,x)", 10.0, 1024.0);
    row("exponent-form value", "x*100000", 1e-5, 1.0);
    row("negative exponent-form value", "x*100000", -1e-5, -1.0);
    row("large value", "x/1e20", 1e20, 1.0);
    row("pi", "x+PI", 1.0, 1 + M_PI);
    row("unknown name has no value", "x+foo", 1.0, UndefinedValue);
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
    QTest::newRow("exp") << "Math.exp(x)" << -5.0 << "0.006737946999085467";
    QTest::newRow("unknown name") << "foo(x)" << -5.0 << "";
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
    QCOMPARE(value, text.contains(u'#') || text.isEmpty() ? UndefinedValue : TextToNumber(text));
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
        QCOMPARE(EvaluateFunctionAt("eval('while(1);')+x", u'x', i), UndefinedValue);
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
    QTest::newRow("unknown name") << "x+foo" << 1.0 << false;
    QTest::newRow("name with an x") << "exp(x)" << 2.0 << true;
    QTest::newRow("exception") << "(function(){throw x})()" << 1.0 << false;
    QTest::newRow("no value") << "void x" << 1.0 << false;
    QTest::newRow("runaway") << "(function(){for(;;){}})()+x" << 1.0 << false;
}

// Where it is false, the function has no value there.
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
        QCOMPARE(EvaluateFunctionAt(expression, u'x', x), UndefinedValue);
    host.SetTimeLimit(ScriptHost::DefaultTimeLimit);
}

void TestExpression::hintText()
{
    QCOMPARE(ExpressionHintCaption(), "提示：");
    QVERIFY(ExpressionHintText().endsWith("\r\n举例：求2^x:Math.pow(2,x)"));
}

void TestExpression::powersWritten_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    const auto row = [](const char *typed, const char *written) {
        QTest::newRow(typed) << QString(typed) << QString(written);
    };
    row("x^2+1", "Math.pow(x,2)+1");
    row("(x+1)^3", "Math.pow(x+1,3)");
    row("2^-x", "Math.pow(2,-x)");
    row("2x^2-3x", "2*Math.pow(x,2)-3x");
    row("-x^2", "-Math.pow(x,2)");
    row("2^3^2", "Math.pow(2,Math.pow(3,2))");
    row("sin(x)^2", "Math.pow(sin(x),2)");
    row("Math.sin(x)^2", "Math.pow(Math.sin(x),2)");
    row("e^x", "Math.pow(e,x)");
    row("x^(1/2)", "Math.pow(x,1/2)");
    row("2^x(x+1)", "Math.pow(2,x)(x+1)");
    row("（x＋１）＾２", "Math.pow(x＋１,２)");
    row("x^", "x^");
    row("^2", "^2");
    row("2^", "2^");
    row("1+2", "1+2");
}

// The "改为乘方" button's rewrite: every power as Math.pow, grouped as mathematics groups it.
void TestExpression::powersWritten()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QCOMPARE(PowersWritten(typed), written);
}

void TestExpression::trigonometryInRadians_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("radians");
    QTest::newRow("sin") << "sin(30)" << true;
    QTest::newRow("Math.cos") << "Math.cos(1)+1" << true;
    QTest::newRow("implied multiplication") << "2tan(1)" << true;
    QTest::newRow("degrees") << "sin(30°)" << false;
    QTest::newRow("arc sine") << "asin(0.5)" << false;
    QTest::newRow("none") << "1+2" << false;
}

void TestExpression::trigonometryInRadians()
{
    QFETCH(QString, typed);
    QFETCH(bool, radians);
    QCOMPARE(HasTrigonometryInRadians(typed), radians);
}

namespace {

// The program's result text, as the evaluator gets it.
QString Run(const QString &program)
{
    if (const std::optional<QString> result = EvaluateWithoutEngine(program))
        return *result;
    ScriptHost &host = ScriptHost::ForThisThread();
    host.BeginUserAction();
    return host.Evaluate(program);
}

// The old notation broke names that are now read as meant, and the values it gave there came
// from the broken name (undefined, not a number, a function multiplied): its program holds a
// name Math does not have, or a function of Math multiplied as a number ("Math.atan2*(1,2)").
bool BrokeAName(const QString &program)
{
    static const QStringList members = Run("Object.getOwnPropertyNames(Math).join()").split(u',');
    static const QRegularExpression name(
            QStringLiteral("Math\\s*\\.\\s*([A-Za-z_$][A-Za-z0-9_$]*)(\\s*\\*)?"));
    for (auto found = name.globalMatch(program); found.hasNext();) {
        const QRegularExpressionMatch match = found.next();
        const QString member = match.captured(1);
        if (!members.contains(member) || (!match.captured(2).isEmpty() && member.front().isLower()))
            return true;
    }
    return false;
}

} // namespace

// Whatever gave a value before the mathematics was read gives the same value now (not a number
// and booleans too): the notation as it was (Literal) against the notation as it is, on
// generated functions and expressions.
void TestExpression::whatEvaluatedKeepsItsValue()
{
    // A longer run sets a seed and a count, as the fast path's comparison does (see the README).
    const auto setting = [](const char *name, qint64 fallback) {
        bool ok = false;
        const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
        return ok ? value : fallback;
    };
    ExpressionGenerator generator(quint64(setting("QINGFENG_FUZZ_SEED", 20141119)));
    const qint64 cases = setting("QINGFENG_FUZZ_CASES", 60000) / 3;
    QStringList changed;
    int compared = 0;
    for (qint64 i = 0; i < cases && changed.size() < 20; ++i) {
        const QString function = generator.Function();
        const QString arithmetic = generator.Arithmetic();
        if (ToHalfWidth(function + arithmetic)
                    .contains(QLatin1String("random"), Qt::CaseInsensitive))
            continue; // no two random values agree
        for (int k = 0; k < 3; ++k) {
            // The tools evaluate functions at finite x only.
            const double x = generator.X();
            if (!std::isfinite(x))
                continue;
            const QString program = Literal::FunctionProgram(function, x);
            const QString before = Run(program);
            if (before.isEmpty() || BrokeAName(program))
                continue;
            ++compared;
            const QString after = Run(FunctionProgram(function, u'x', x));
            if (after != before)
                changed << QString("%1 at %2: %3, now %4")
                                   .arg(function, QString::number(x, 'g', 17), before, after);
        }
        const QString program = Literal::PrepareExpression(arithmetic);
        const QString before = Run(program);
        if (before.isEmpty() || BrokeAName(program))
            continue;
        ++compared;
        const QString after = Run(PrepareExpression(arithmetic));
        if (after != before)
            changed << QString("%1: %2, now %3").arg(arithmetic, before, after);
    }
    qInfo("%d values compared", compared);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join('\n')));
}

QTEST_GUILESS_MAIN(TestExpression)
#include "tst_expression.moc"
