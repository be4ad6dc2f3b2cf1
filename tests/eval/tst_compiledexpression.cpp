#include "eval/compiledexpression.h"
#include "eval/expression.h"
#include "eval/halfwidth.h"
#include "eval/mathnotation.h"
#include "eval/nestinglimit.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"
#include "eval/scripthost.h"
#include "expressiongenerator.h"
#include "legacynotation.h"
#include "textbookfunctions.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

using namespace Eval;

namespace {

// EvaluateFunctionAt's value as the engine gives it.
double EngineValueAt(const QString &expression, double x)
{
    ScriptHost &host = ScriptHost::ForThisThread();
    host.BeginUserAction();
    const QString result = host.Evaluate(FunctionProgram(expression, u'x', x));
    if (result.isEmpty() || result == "-1.#IND" || result == "-1.#INF" || result == "1.#INF")
        return UndefinedValue;
    return TextToNumber(result);
}

QString EngineText(const QString &program)
{
    ScriptHost &host = ScriptHost::ForThisThread();
    host.BeginUserAction();
    return host.Evaluate(program);
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString Show(double x)
{
    return QString::number(x, 'g', 17) + (std::signbit(x) && x == 0 ? "(-0)" : "");
}

quint64 Setting(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// A longer run, with a seed of its own, sets these (see the README).
quint64 Seed()
{
    return Setting("QINGFENG_FUZZ_SEED", 20141119);
}

quint64 Cases(quint64 fallback)
{
    return Setting("QINGFENG_FUZZ_CASES", fallback);
}

// Texts that stress the rewrites: many x, digits, parentheses, name pieces.
QString RewriteText(std::mt19937_64 &random, int length)
{
    static const QStringList pieces{
            "x",    "X",   "xx",    "1",     "0",          "9",   "(",   ")",    ")(",
            "*",    ".",   "Math.", "MATH.", "math.math.", "sin", "cos", "acos", "a",
            "ATAN", "tan", "sqrt",  "e",     "xp",         "max", "m",   "i",    "n",
            "（",   "）",  "２",    "ｘ",    " ",          "-",   "e-5", "pow",  "ceil"};
    QString text;
    while (text.size() < length)
        text += pieces.at(int(random() % quint64(pieces.size())));
    return text;
}

// Each kind of level the parser counts (name, opening, closing), around 1, each giving 1.
constexpr std::array<std::array<const char *, 3>, 5> NestingKinds{{{"parentheses", "(", ")"},
                                                                   {"calls", "Math.abs(", ")"},
                                                                   {"signs", "- ", ""},
                                                                   {"powers", "1**", ""},
                                                                   {"conditions", "1?", ":1"}}};

QString Nesting(int depth, const char *opening, const char *closing)
{
    return QString(opening).repeated(depth) + "1" + QString(closing).repeated(depth);
}

} // namespace

class TestCompiledExpression : public QObject
{
    Q_OBJECT

private slots:
    void rewritesMatchTheLiteralLoops();
    void longRewritesMatchTheLiteralLoops();
    void shownValueIsTheTextsValue_data();
    void shownValueIsTheTextsValue();
    void shownValueOfGeneratedValues();
    void numberTextsMatchTheEngine();
    void engineBehaviourKept_data();
    void engineBehaviourKept();
    void refused_data();
    void refused();
    void nestingTheEngineRefuses_data();
    void nestingTheEngineRefuses();
    void signsCompiled_data();
    void signsCompiled();
    void textbookFunctionsCompiled_data();
    void textbookFunctionsCompiled();
    void foundDisagreements_data();
    void foundDisagreements();
    void batchAnswersWhileTheFastCodeDecides_data();
    void batchAnswersWhileTheFastCodeDecides();
    void functionsMatchTheEngine();
    void arithmeticMatchesTheEngine();
};

void TestCompiledExpression::rewritesMatchTheLiteralLoops()
{
    const QList<QPair<QString, QString>> rewrites{{"xx", "x*x"},
                                                  {"x(", "x*("},
                                                  {"1x", "1*x"},
                                                  {")x", ")*x"},
                                                  {"x", " -2.5"},
                                                  {"x", "1e-005"},
                                                  {"Math.Math.", "Math."},
                                                  {"a", "aa"},
                                                  {"ab", "b"},
                                                  {"xa", "ax"},
                                                  {"aa", "a"},
                                                  {"x", "X"},
                                                  {"(", "*("},
                                                  {"MATH", "mathmath"},
                                                  {"1(", "1*("}};
    ExpressionGenerator generator(Seed());
    std::mt19937_64 random(Seed());
    for (int i = 0; i < 20000; ++i) {
        const QString text = i % 2 ? generator.Function() : RewriteText(random, 1 + i % 60);
        for (const auto &[search, replacement] : rewrites) {
            for (bool ignoreCase : {true, false}) {
                const QString expected = Literal::ReplaceAll(text, search, replacement, ignoreCase);
                QCOMPARE(ReplaceAll(text, search, replacement, ignoreCase), expected);
                // Searching from the start ends only for a replacement without its search text.
                if (Literal::Find(replacement, search, 0, ignoreCase) < 0) {
                    QCOMPARE(Literal::ReplaceAllFromStart(text, search, replacement, ignoreCase),
                             expected);
                }
            }
        }
        // The script notation's rewrites, on what the reading of the mathematics leaves.
        const MathReading reading = ReadMathematics(text, false);
        QCOMPARE(PrepareExpression(text),
                 WithNames(Literal::PrepareExpression(reading.text), reading.names));
        const MathReading function = ReadMathematics(text, true);
        const double x = generator.X();
        QCOMPARE(FunctionProgram(text, u'x', x),
                 WithNames(Literal::FunctionProgram(function.text, x), function.names));
    }
}

void TestCompiledExpression::longRewritesMatchTheLiteralLoops()
{
    std::mt19937_64 random(Seed());
    for (int i = 0; i < 4; ++i) {
        const QString text = RewriteText(random, 5000);
        const MathReading reading = ReadMathematics(text, false);
        QCOMPARE(PrepareExpression(text),
                 WithNames(Literal::PrepareExpression(reading.text), reading.names));
        const MathReading function = ReadMathematics(text, true);
        QCOMPARE(FunctionProgram(text, u'x', -0.5),
                 WithNames(Literal::FunctionProgram(function.text, -0.5), function.names));
        QCOMPARE(ReplaceAll(text, "xx", "x*x"), Literal::ReplaceAll(text, "xx", "x*x"));
    }
}

void TestCompiledExpression::shownValueIsTheTextsValue_data()
{
    QTest::addColumn<double>("x");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative zero") << -0.0;
    QTest::newRow("sum of tenths") << 0.1 + 0.2;
    QTest::newRow("step error") << -499.90000000000003;
    QTest::newRow("half at the 14th digit rounds to even, down") << 1234567890122.5;
    QTest::newRow("half at the 14th digit rounds to even, up") << 1234567890123.5;
    QTest::newRow("13 nines round up to a power of ten") << 9.9999999999999e5;
    QTest::newRow("below the fast range") << 1.234567890123456e-11;
    QTest::newRow("at the fast range's start, decade estimated low") << 1.1234567890123e-10;
    QTest::newRow("above the fast range") << 1.234567890123456e35;
    QTest::newRow("subnormal") << -4.9406564584124654e-324;
    QTest::newRow("largest") << 1.7976931348623157e308;
    QTest::newRow("exponent form") << 1.23456789012345e15;
    QTest::newRow("a step from the interval's start") << -9.963000000000001;
    QTest::newRow("thirteen digits and a tie") << 0.12345678901235;
    QTest::newRow("just below thirteen digits") << 999999999999.99;
}

void TestCompiledExpression::shownValueIsTheTextsValue()
{
    QFETCH(double, x);
    QCOMPARE(Show(ShownValue(x)), Show(TextToNumber(NumberToText(x))));
    QCOMPARE(Show(ShownValueQuickly(x)), Show(ShownValue(x)));
}

void TestCompiledExpression::shownValueOfGeneratedValues()
{
    ExpressionGenerator generator(Seed());
    std::mt19937_64 random(Seed());
    for (int i = 0; i < 300000; ++i) {
        // Values ending in an exact half at the 14th digit test the rounding of ties.
        const double tie = double(std::int64_t(random() % 9000000000000) + 1000000000000) + 0.5;
        const double x = i % 3 ? generator.X() : std::ldexp(tie, int(random() % 60) - 30);
        if (!std::isfinite(x))
            continue;
        if (!SameBits(ShownValue(x), TextToNumber(NumberToText(x)))
            || !SameBits(ShownValueQuickly(x), ShownValue(x)))
            QFAIL(qPrintable(Show(x)));
    }
    // In batches, where the values take the decade of the first: runs of neighbours as a scan
    // takes them, and of ties at one exponent.
    const PreparedFunction identity = PrepareFunction("x");
    for (int run = 0; run < 20000; ++run) {
        const double start = generator.X();
        const int exponent = int(random() % 60) - 30;
        std::array<double, 100> xs;
        for (std::size_t k = 0; k < xs.size(); ++k) {
            const double tie = double(std::int64_t(random() % 9000000000000) + 1000000000000);
            xs[k] = run % 2 ? start + double(k) * std::fabs(start) * 1e-4
                            : std::ldexp(tie + 0.5, exponent);
        }
        std::array<double, 100> values;
        for (std::size_t done = 0; done < xs.size();)
            done += identity.ValuesAt(&xs[done], &values[done], xs.size() - done);
        for (std::size_t k = 0; k < xs.size(); ++k) {
            if (!SameBits(values[k], identity(xs[k])))
                QFAIL(qPrintable(Show(xs[k])));
        }
    }
}

// Literals read and results written back: every digit, exponent and form of the text.
void TestCompiledExpression::numberTextsMatchTheEngine()
{
    ExpressionGenerator generator(Seed());
    std::mt19937_64 random(Seed());
    for (int i = 0; i < 20000; ++i) {
        const double x = generator.X();
        const int digits = 1 + int(random() % 17);
        const QString program = i % 4 == 0 ? QString::number(std::fabs(x), 'e', digits)
                                           : QString::number(x, 'g', digits);
        const std::optional<QString> fast = EvaluateWithoutEngine(program);
        if (fast)
            QCOMPARE(*fast, EngineText(program));
    }
}

// What the engine does that a plain reading of the language or of C would not predict; the
// fast path must do the same, and the engine must still do it.
void TestCompiledExpression::engineBehaviourKept_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *program, const char *text) {
        QTest::newRow(program) << QString(program) << QString(text);
    };

    row("Math.pow(1,0/0)", "-1.#IND");
    row("1**(0/0)", "1");
    row("Math.pow(-1,1/0)", "-1.#IND");
    row("(-1)**(-1/0)", "-1.#IND");
    row("Math.pow(0/0,0)", "1");
    row("Math.round(-2.5)", "-2");
    row("Math.round(2.5)", "3");
    row("Math.round(0.49999999999999994)", "0");
    row("Math.round(4503599627370497)", "4503599627370498");
    row("1/Math.round(-0.2)", "-1.#INF");
    row("Math.min(0/0,1)", "-1.#IND");
    row("1/Math.min(0,-0)", "-1.#INF");
    row("1/Math.max(-0,0)", "1.#INF");
    row("Math.max()", "-1.#INF");
    row("1e21", "1e+21");
    row("1e-7", "1e-7");
    row("0.000001", "0.000001");
    row("123456789012345680000", "123456789012345680000");
    row("0.1+0.2", "0.30000000000000004");
    row("-0", "0");
    row("1/(0*-5)", "1.#INF"); // whole numbers multiply as integers: +0
    row("1/(-0*5)", "-1.#INF");
    row("1/(0.5*0*-1)", "-1.#INF");
    row("1/(6/3-2)/-1", "-1.#INF"); // (6/3-2) is the integer 0, divided by -1 gives -0
    row("1/((6/3-2)*-1)", "1.#INF");
    row("1/(Math.floor(0.5)*-1)", "1.#INF");
    row("1/(Math.ceil(0.5)*0*-1)", "-1.#INF");
    row("1/(false*-1)", "1.#INF");
    row("1/(+false*-1)", "-1.#INF");
    row("1/(-5%5)", "-1.#INF");
    row("1/(5%5*-1)", "1.#INF");
    row("1/(Math.max(0.5*0,0)*-1)", "1.#INF");
    row("1/((-2147483647-1+2147483648)*-1)", "-1.#INF");
    row("2^3", "1");
    row("-8>>>28", "15");
    row("1e20|0", "1661992960");
    row("true+true", "2");
    row("1<2", "真");
    row("1>2 || 0", "0");
    row("Math.PI", "3.141592653589793");
    row("Math.E", "2.718281828459045");
    row("1;;", "1");
    row("", "");
    row("08.5", "8.5");
    row("010", "8");
    row("0x1F", "31");
    row("5.e1", "50");
    row("1e400", "1.#INF");
    row("-1e-400", "0");
    row("1//2", "1");
    row("1/*2*/+3", "4");
    row("1//2\n+3", "4");
    row("1\n+2", "3");
    row("1\n2", "2");
    row("Math.floor()", "-1.#IND");
    row("Math.pow(2)", "-1.#IND");
    row("Math.atan2()", "-1.#IND");
    row("Math.hypot(3,4)", "5");
    row("Math.hypot(1e-310,1e-310)", "1.4142135623731e-310");
    row("Math.hypot(0.1,0.2,0.3)", "0.37416573867739417");
    row("Math.hypot(3,NaN,Infinity)", "1.#INF");
    row("1/Math.hypot(-0)", "1.#INF");
    row("Math.hypot()", "0");
    row("Math.fround(0.1)", "0.10000000149011612");
    row("Math.fround(1e300)", "1.#INF");
    row("1/Math.fround(-0)", "-1.#INF");
    row("Math.clz32(0.5)", "32");
    row("Math.clz32(-1)", "0");
    row("Math.clz32()", "32");
    row("Math.imul(0xffffffff,5)", "-5");
    row("Math.imul()", "0");
    row("Math.random()<1&&Math.random()>=0", "真");
    row("Math.random()!=Math.random()", "真");
    row("Math.sqrt2", "");
    row("Math.sqrt2+1", "-1.#IND");
    row("~Math.sqrt2", "-1");
    row("Math.sqrt2||3", "3");
    row("Math.atan2*(1,2)", "-1.#IND");
    row("Math.sin ? 1 : 2", "1");
    row("!Math.sin", "假");
    row("Math.sin|0", "0");
    row("Math.sin&&2", "2");
    row("Math.sin==Math.sin", "真");
    row("Math.sin===Math.cos", "假");
    row("Math.sin!==Math.sin", "假");
    row("Math.sin==NaN", "假");
    row("Math.max(Math.sin,1)", "-1.#IND");
    row("Math.sqrt2==null", "真");
    row("null", "");
    row("undefined", "");
    row("null+1", "1");
    row("1/(null*-3)", "1.#INF");
    row("1/(+null*-1)", "-1.#INF");
    row("1/(-null)", "-1.#INF");
    row("null==0", "假");
    row("null>=0", "真");
    row("null===undefined", "假");
    row("undefined===undefined", "真");
    row("Math.max(null,-1)", "0");
    // The parser's own limit, reached by each kind of level it counts.
    for (const auto &[name, opening, closing] : NestingKinds)
        QTest::addRow("%s to the limit", name) << Nesting(MaxNestingDepth, opening, closing) << "1";
}

void TestCompiledExpression::engineBehaviourKept()
{
    QFETCH(QString, program);
    QFETCH(QString, text);
    QCOMPARE(EngineText(program), text);
    QCOMPARE(EvaluateWithoutEngine(program).value_or("(refused)"), text);
}

void TestCompiledExpression::refused_data()
{
    QTest::addColumn<QString>("program");
    const auto row
            = [](const char *name, const QString &program) { QTest::newRow(name) << program; };

    row("unknown name", "PI");
    row("function as the result", "1,Math.sin");
    row("function joined to a text", "Math.sin+1");
    row("functions compared as texts", "Math.sin<Math.cos");
    row("inherited member", "Math.toString");
    row("asinh without an argument", "Math.asinh()");
    row("comment left open", "1/*2");
    row("line break inside a comment", "1 /*\n*/ 2");
    row("string", "'12'");
    row("assignment", "a=1");
    row("increment", "1--2");
    row("statement", "while(0);1");
    row("object", "({})");
    row("array", "[1]");
    row("member of a number", "1.5.toFixed(1)");
    row("call of a result", "(1)(2)");
    row("unary before power", "-2**2");
    row("parenthesised unary before power", "-(2)**2");
    row("html comment", "1<!--2");
    row("long hexadecimal", "0x20000000000001");
    row("numeric separator", "1_000");
    row("literal into a name", "3in[1]");
    row("full-width left as is", "１＋２");
    row("too deep", QString(2000, u'(') + "1" + QString(2000, u')'));
    row("too long a chain", "1" + QString("+1").repeated(1500));
    // One past it the engine is asked.
    for (const auto &[name, opening, closing] : NestingKinds)
        QTest::addRow("%s one past the limit", name)
                << Nesting(MaxNestingDepth + 1, opening, closing);
}

void TestCompiledExpression::refused()
{
    QFETCH(QString, program);
    QVERIFY(!EvaluateWithoutEngine(program));
}

// The engine refuses a program nested about 4090 levels deep: far beyond that the fast path
// gives the same failure, near it the engine is asked.
void TestCompiledExpression::nestingTheEngineRefuses_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("answered");
    const auto row = [](const char *name, const QString &program, bool answered) {
        QTest::newRow(name) << program << answered;
    };

    row("sum of 3000 terms", "1" + QString("+1").repeated(3000), false);
    row("sum of 5000 terms", "1" + QString("+1").repeated(5000), true);
    row("products in a sum", "1" + QString("-2*3").repeated(5000), true);
    row("parentheses", QString(5000, u'(') + "1" + QString(5000, u')'), true);
    row("signs", QString("- ").repeated(5000) + "1", true);
    row("calls", QString("Math.abs(").repeated(2500) + "1" + QString(2500, u')'), true);
    row("powers", QString("1**").repeated(5000) + "1", true);
    row("a deep term among statements", "2;" + QString("1*").repeated(5000) + "1;3", true);
    row("arguments side by side", "Math.max(1" + QString(",1").repeated(5000) + ")", true);
    row("statements side by side", QString("1;").repeated(5000) + "2", true);
}

void TestCompiledExpression::nestingTheEngineRefuses()
{
    QFETCH(QString, program);
    QFETCH(bool, answered);
    const std::optional<QString> fast = EvaluateWithoutEngine(program);
    QCOMPARE(bool(fast), answered);
    if (fast)
        QCOMPARE(*fast, EngineText(program));
}

// x is put in as text; an expression is compiled only for the signs whose programs read it
// as a number of its own.
void TestCompiledExpression::signsCompiled_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("positive");
    QTest::addColumn<bool>("negative");
    const auto row = [](const char *expression, bool positive, bool negative) {
        QTest::newRow(expression) << QString(expression) << positive << negative;
    };

    row("Math.sin(x)*x", true, true);
    row("sqrt(x*x+1)/(x-2)", true, true);
    row("2x+3(x-1)", true, true);
    row("xx", true, true);
    row("（x）（x）", true, true);
    row("x^2", true, true);
    row("x**2", true, false); // -3**2 is a syntax error
    row("2**x", true, true);
    row("2 x", false, true); // 2 -3 is a subtraction, 2 3 an error
    row("x2", true, true);
    row("３x+x", true, true);
    row("x１２", true, true);
    row("0x10", true, true);
    row("x.5", false, false);
    row("1.x", false, true); // 1. -3 is a subtraction
    row("exp(x)", true, true);
    row("max(x,1)", true, true);
    row("ｘ+1", true, true);
    row("x+PI", true, true);
    row("x+foo", false, false); // an unknown name
    row("2x²+√x", true, true);
    row("Math.random()*x<1", true, true);
    row("1/0", true, true);
    // The plain arithmetic on doubles: constants taken as operands, copies, sorts of values,
    // and the integer product of 0 and -1 at x = 3, which is +0 where a double one is -0.
    row("2-x+2/x-x/2*Math.pow(2,x)+Math.pow(x,2)", true, true);
    row("Math.atan2((x-3)*-1,-1)", true, true);
    row("(x,x*2)+(1,x)+(x,2)", true, true);
    row("((x>0)===(x<2))+(x>1?x:x>2)", true, true);
    row("(x>0)===1?1:x", true, true);
    row("Math.min(x,1,2)+Math.hypot(x,1,2)+(x<<1|x>>>1)", true, true);
    QTest::newRow("thousands of x") << QString(10000, u'x') << true << true;
}

void TestCompiledExpression::signsCompiled()
{
    QFETCH(QString, expression);
    QFETCH(bool, positive);
    QFETCH(bool, negative);
    const CompiledFunction function = CompiledFunction::Compile(expression);
    QCOMPARE(function.coversPositive(), positive);
    QCOMPARE(function.coversNegative(), negative);
    for (double x : {-3.5, -1.0, -0.0, 0.0, 1e-7, 2.0, 3.0, 1e21}) {
        if (const std::optional<double> value = function.ValueAt(x))
            QCOMPARE(Show(*value), Show(EngineValueAt(expression, x)));
    }
}

void TestCompiledExpression::textbookFunctionsCompiled_data()
{
    QTest::addColumn<QString>("expression");
    for (const char *expression : TextbookFunctions)
        QTest::addRow("%s", expression) << QString::fromUtf8(expression);
}

// Both signs of x compiled, to the engine's values over the tools' interval.
void TestCompiledExpression::textbookFunctionsCompiled()
{
    QFETCH(QString, expression);
    const CompiledFunction function = CompiledFunction::Compile(expression);
    QVERIFY(function.coversPositive());
    QVERIFY(function.coversNegative());
    std::vector<double> xs;
    for (double x = -500; x <= 500; x += 12.3456789) {
        const std::optional<double> fast = function.ValueAt(x);
        QCOMPARE(Show(fast.value_or(qQNaN())), Show(EngineValueAt(expression, x)));
        xs.push_back(x);
    }
    // The same values in batches, as the scans take them.
    const PreparedFunction prepared = PrepareFunction(expression);
    std::vector<double> values(xs.size());
    for (std::size_t done = 0; done < xs.size();)
        done += prepared.ValuesAt(&xs[done], &values[done], xs.size() - done);
    for (std::size_t i = 0; i < xs.size(); ++i)
        QCOMPARE(Show(values[i]), Show(EngineValueAt(expression, xs[i])));
}

// Every disagreement the differential tests ever found.
void TestCompiledExpression::foundDisagreements_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    const auto row = [](const char *expression, double x) {
        QTest::newRow(qPrintable(QString("%1 at %2").arg(expression, Show(x))))
                << QString(expression) << x;
    };

    row("Math.atan(1/(x*-5))", 0.0);
    // The engine's Math.abs gives the integer 0 for -0, and garbage for the integer -2^31.
    row("Math.POW((-8)(1),1/(Math.abs(x)*-1))", -0.0);
    row("tanh(Math.round(0.5x+1/(Math.abs(x)*-1)))*09.5", -0.0);
    row("2-43.828+Math.abs (7<<2x）", -176.50000000000011);
    row("Math.abs(~2147483647)*(3) + 8", 1);
    // -2147483648 written out is a double moved aside, an integer loaded.
    row("(91-cos（0.2-x)>=1/(0*x))+1 - 15.120 - 797x*3", -2147483648.0);
    row("math.sin (-x) - Math.pow（!Math.LN2,(1/(0*x)）-((0.5x+x)(1)-(9*2>=0)+1))/-x"
        "+Math.atan (x)",
        -2147483648.0);
    // A full-width 0 before x makes a legacy octal literal of x's digits: 010 is 8.
    row("Ｍａｔｈ．ｍｉｎ（（（２０５＊０x）x）＋－xx）x＋Ｍａｔｈ．ｃｏｓ（x ＋ ！x）", 10);
}

void TestCompiledExpression::foundDisagreements()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    const double engine = EngineValueAt(expression, x);
    const std::optional<double> fast = CompiledFunction::Compile(expression).ValueAt(x);
    if (fast)
        QCOMPARE(Show(*fast), Show(engine));
    const QString program = FunctionProgram(expression, u'x', x);
    if (const std::optional<QString> text = EvaluateWithoutEngine(program))
        QCOMPARE(*text, EngineText(program));
}

// A batch runs over x of either sign and of any number, and stops where the fast code stops,
// as the single run does.
void TestCompiledExpression::batchAnswersWhileTheFastCodeDecides_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<int>("answered");
    const auto row = [](const char *name, const char *expression, QList<double> xs, int answered) {
        QTest::newRow(name) << QString(expression) << xs << answered;
    };
    QList<double> many(100);
    std::iota(many.begin(), many.end(), -50.5);
    QList<double> alternating;
    for (double x : many)
        alternating << (alternating.size() % 2 ? -x : x);

    row("signs change", "Math.sin(x)*x", {-2, -1, 1, 2}, 4);
    row("signs alternate", "Math.sin(x)*x+x/7", {1, -1, 2.5, -2.5, 1e-3, -1e3}, 6);
    row("signs alternate past a batch", "x*x*Math.atan(x)-x", alternating, 100);
    row("a product of -0 between signs", "x*-1", {1, -1, 2, 0, -2, 3}, 3);
    row("a product of -0 on the later sign", "x*0", {1, 2, -1, 3}, 2);
    row("a product of -0 on both signs", "x*0*(x-0.5)", {1, 0.25, 2, -1}, 1);
    row("more than a batch", "x*x-x/3+Math.min(x,1,2)", many, 100);
    row("a product of -0", "x*-1", {1, 2, 0, 3}, 2);
    row("abs of -2^31", "Math.abs(x-2147483649)", {0.5, 1, 2}, 1);
    row("a sign not compiled", "x**2", {1, -1, 2}, 1);
    row("not finite", "x+1", {1, qInf()}, 1);
    row("nothing compiled", "x.5", {1}, 0);
}

void TestCompiledExpression::batchAnswersWhileTheFastCodeDecides()
{
    QFETCH(QString, expression);
    QFETCH(QList<double>, xs);
    QFETCH(int, answered);
    const CompiledFunction function = CompiledFunction::Compile(expression);
    QList<double> values(xs.size());
    QCOMPARE(int(function.ValuesAt(xs.data(), values.data(), std::size_t(xs.size()))), answered);
    for (int i = 0; i < answered; ++i)
        QCOMPARE(Show(values[i]), Show(function.ValueAt(xs[i]).value()));
    // The prepared function gives the engine's values one at a time.
    const PreparedFunction prepared = PrepareFunction(expression);
    QCOMPARE(prepared.batches(), answered > 0);
    QCOMPARE(int(prepared.ValuesAt(xs.data(), values.data(), std::size_t(xs.size()))),
             std::max(answered, 1));
}

// The fast path against the engine on generated functions and values of x, bit for bit.
void TestCompiledExpression::functionsMatchTheEngine()
{
    const quint64 wanted = Cases(60000);
    ExpressionGenerator generator(Seed());
    quint64 compared = 0;
    quint64 values = 0;
    int expressions = 0;
    int bothSigns = 0;
    int oneSign = 0;
    int working = 0; // expressions the engine evaluates without failing
    int workingCompiled = 0;
    QStringList disagreements;
    while (compared < wanted) {
        const QString expression = generator.Function();
        if (FunctionProgram(expression, u'x', 1).contains("random", Qt::CaseInsensitive))
            continue; // no two random values agree
        const CompiledFunction function = CompiledFunction::Compile(expression);
        ++expressions;
        bothSigns += function.coversPositive() && function.coversNegative();
        oneSign += function.coversPositive() != function.coversNegative();
        if (!EngineText(FunctionProgram(expression, u'x', 0.7)).isEmpty()) {
            ++working;
            workingCompiled += function.coversPositive();
        }
        std::array<double, 8> xs;
        for (double &x : xs)
            x = generator.X();
        std::array<double, 8> batch;
        const std::size_t batched = function.ValuesAt(xs.data(), batch.data(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const double x = xs[i];
            ++values;
            const std::optional<double> fast = function.ValueAt(x);
            if (i < batched && (!fast || !SameBits(batch[i], *fast))) {
                disagreements << QString("batch: %1 at %2, batch %3, single %4")
                                         .arg(expression, Show(x), Show(batch[i]),
                                              Show(fast.value_or(qQNaN())));
            }
            if (!fast)
                continue;
            ++compared;
            const double engine = EngineValueAt(expression, x);
            if (!SameBits(*fast, engine) && disagreements.size() < 20) {
                disagreements << QString("row(\"%1\", %2); // fast %3, engine %4")
                                         .arg(expression, Show(x), Show(*fast), Show(engine));
            }
        }
    }
    qInfo("%d expressions: %.1f%% compiled for both signs, %.1f%% for one; %.1f%% of the %d "
          "that the engine evaluates compiled; %.1f%% of %llu values answered without the engine",
          expressions, 100.0 * bothSigns / expressions, 100.0 * oneSign / expressions,
          100.0 * workingCompiled / working, working, 100.0 * double(compared) / double(values),
          values);
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join("\n")));
}

void TestCompiledExpression::arithmeticMatchesTheEngine()
{
    const quint64 wanted = Cases(60000) / 2;
    ExpressionGenerator generator(Seed() + 1);
    quint64 compared = 0;
    quint64 generated = 0;
    quint64 working = 0; // expressions the engine evaluates without failing
    QStringList disagreements;
    while (compared < wanted) {
        const QString program = PrepareExpression(generator.Arithmetic());
        if (program.contains("random", Qt::CaseInsensitive))
            continue;
        ++generated;
        const std::optional<QString> fast = EvaluateWithoutEngine(program);
        if (!fast) {
            working += !EngineText(program).isEmpty();
            continue;
        }
        ++working;
        ++compared;
        const QString engine = EngineText(program);
        if (*fast != engine && disagreements.size() < 20)
            disagreements << QString("\"%1\": fast %2, engine %3").arg(program, *fast, engine);
    }
    qInfo("%.1f%% of %llu expressions answered without the engine, %.1f%% of the %llu that the "
          "engine evaluates",
          100.0 * double(compared) / double(generated), generated,
          100.0 * double(compared) / double(working), working);
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join("\n")));
}

QTEST_GUILESS_MAIN(TestCompiledExpression)
#include "tst_compiledexpression.moc"
