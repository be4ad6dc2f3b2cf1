#include "eval/nestinglimit.h"
#include "outcometext.h"
#include "tools/arith/arithmeticlogic.h"

#include <QtTest>

using namespace Eval;
using namespace Arith;

// `inner` within `depth` levels, each of `opening` and a closing parenthesis.
static QString Nested(int depth, const QString &inner, const QString &opening = "(")
{
    return opening.repeated(depth) + inner + QString(depth, u')');
}

class ArithmeticLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void resultText_data();
    void resultText();
    void exactValue_data();
    void exactValue();
    void linesUnderTheResult_data();
    void linesUnderTheResult();
};

void ArithmeticLogicTest::resultText_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &expression, const QString &shown) {
        QTest::newRow(name) << expression << shown;
    };

    row("precedence", "1+2*3", "7");
    row("parentheses", "(1+2)*3", "9");
    row("implied multiplication", "2(3+4)", "14");
    row("division", "10/4", "2.5");
    row("bare function name", "sqrt(2)", "1.4142135623730951");
    row("upper-case name", "SQRT(16)", "4");
    row("exp works here", "exp(0)+max(1,2)", "3");
    row("full-width digits and parentheses", "（１＋２）＊３", "9");
    row("several lines", "1+\r\n2", "3");
    row("legacy octal", "010+1", "9");
    row("empty", "", ArithmeticErrorText);
    row("blank", "   ", ArithmeticErrorText);
    row("syntax error", "2+", ArithmeticErrorText);
    row("unknown name", "foo*2", ArithmeticErrorText);
    row("pi", "PI*2", "6.283185307179586");
    row("division by zero", "1/0", ArithmeticErrorText);
    row("negative division by zero", "-1/0", ArithmeticErrorText);
    row("overflow", "Math.pow(10,400)", ArithmeticErrorText);
    row("zero by zero", "0/0", "-1.#IND");
    row("root of negative", "sqrt(-1)", "-1.#IND");
}

void ArithmeticLogicTest::resultText()
{
    QFETCH(QString, expression);
    QFETCH(QString, shown);
    const Outcome<QString> result = ArithmeticResult(expression);
    QCOMPARE(ShownText(result), shown);
    QCOMPARE(!result, shown == ArithmeticErrorText);
}

void ArithmeticLogicTest::exactValue_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("exact");
    const auto row = [](const char *name, const QString &expression, const QString &exact) {
        QTest::newRow(name) << expression << exact;
    };

    row("sum of fractions", "1/3+1/6", "1/2 = 0.5");
    row("decimals", "0.1+0.2", "3/10 = 0.3");
    row("repeating", "1/7", "1/7 = 0.(142857)");
    row("improper", "7/6", "7/6 = 1又1/6 = 1.1(6)");
    row("negative improper", "-7/6", "-7/6 = -1又1/6 = -1.1(6)");
    row("negative proper", "0.1-0.4", "-3/10 = -0.3");
    row("repetition after digits", "1/12", "1/12 = 0.08(3)");
    row("whole number", "2(3+4)", "14");
    row("zero", "1/3-1/3", "0");
    row("unary signs", "-(-5)+ +1", "6");
    row("full-width", "（１＋２）／４", "3/4 = 0.75");
    row("between parentheses", "(1)(2)", "2");
    row("exponent literal", "1e3/8+2.5e-1", "501/4 = 125又1/4 = 125.25");
    row("zero with a huge exponent", "0e999999999999", "0");
    row("power", "pow(2,10)", "1024");
    row("negative power", "Math.pow(2,-3)", "1/8 = 0.125");
    row("power of a fraction", "Math.pow(2/3,2)", "4/9 = 0.(4)");
    row("computed exponent", "Math.pow(3,6/2)", "27");
    row("zero to the zero", "Math.pow(0,0)", "1");
    row("minus one to a huge odd power", "Math.pow(-1,1e9+1)", "-1");
    row("long period cut", "1/109",
        "1/109 = 0.(0091743119266055045871559633027522935779816513761467889908256880733944954128"
        "440366972477064220183486…)");
    row("long digits before the period cut", "1/Math.pow(2,101)",
        "1/2535301200456458802993406410752 = 0.0000000000000000000000000000003944304526105059027"
        "058642826413931148366032175545115023851394653320312…");
    row("cancelling long terms", "Math.pow(10,20000)/Math.pow(10,19999)", "10");
    row("nested to the limit", Nested(MaxNestingDepth, "1"), "1");
    row("signs and parentheses to the limit", Nested(MaxNestingDepth / 2, "1", "-("), "1");
    row("too long", "Math.pow(10,10000)", ExactValueTooLongText);
    row("huge exponent", "Math.pow(10,1e9)", ExactValueTooLongText);
    row("huge literal", "1e99999", ExactValueTooLongText);
    row("huge denominator", "1/Math.pow(3,30000)", ExactValueTooLongText);
    row("too long beside an inexact part", "Math.pow(10,1e9)+sqrt(2)", "");
    row("undefined beside a too long part", "1/0+Math.pow(10,1e9)", "");
    row("nested one past the limit", Nested(MaxNestingDepth + 1, "1"), "");
    row("signs and parentheses past the limit", Nested(MaxNestingDepth / 2 + 1, "1", "-("), "");
    row("empty", "", "");
    row("division by zero", "1/0", "");
    row("zero by zero", "0/0", "");
    row("zero to a negative power", "Math.pow(0,-1)", "");
    row("square root", "sqrt(4)", "");
    row("fractional exponent", "Math.pow(4,0.5)", "");
    row("bit operator", "2^3", "");
    row("comparison", "1<2", "");
    row("variable", "x+1", "");
    row("constant", "Math.PI", "");
    row("legacy octal", "010", "");
    row("decrement", "1--1", "");
    row("comment", "1//2", "");
    row("comma", "1,2", "");
    row("third argument", "Math.pow(2,3,4)", "");
    row("two statements", "1\n2", "");
}

void ArithmeticLogicTest::exactValue()
{
    QFETCH(QString, expression);
    QFETCH(QString, exact);
    QCOMPARE(ExactValueText(expression), exact);
}

void ArithmeticLogicTest::linesUnderTheResult_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("radians");
    QTest::addColumn<QString>("power");
    const QString radians = QStringLiteral("三角函数按弧度计算；角度请写成 sin(30°)");
    const auto row = [](const char *name, const QString &expression, const QString &reason,
                        const QString &radians = QString(), const QString &power = QString()) {
        QTest::newRow(name) << expression << reason << radians << power;
    };
    row("a value", "1+2", "");
    row("nothing typed", "  ", "没有输入算式");
    row("unbalanced parenthesis", "(1+2", "括号不配对");
    row("unbalanced the other way", "1+2)*(3", "括号不配对");
    row("division by zero", "1/(2-2)+1", "除数为零");
    row("division by a zero far in", "1+2*3/0", "除数为零");
    row("infinite without a division", "Math.pow(10,400)", "结果为无穷大");
    row("unknown name", "2*foo+1", "不认识的名称：foo");
    row("unknown name of Math", "Math.foo(1)", "不认识的名称：Math.foo");
    row("syntax", "1+*2", "算式的写法不对");
    row("radians", "sin(30)", "", radians);
    row("radians in capitals", "2COS(1)", "", radians);
    row("degrees", "sin(30°)", "");
    row("arc sine is no angle", "asin(0.5)", "");
    row("power", "2^10", "", QString(), "若表示乘方：2^10 = 1024");
    row("powers in a sum", "x^2", "不认识的名称：x");
    row("power of a group", "(1+2)^2-1", "", QString(), "若表示乘方：(1+2)^2-1 = 8");
}

// The three lines of "四则运算" under its result: why there is none, the radians, the power.
void ArithmeticLogicTest::linesUnderTheResult()
{
    QFETCH(QString, expression);
    QFETCH(QString, reason);
    QFETCH(QString, radians);
    QFETCH(QString, power);
    QCOMPARE(ErrorReasonText(expression), reason);
    QCOMPARE(RadiansNoticeText(expression), radians);
    QCOMPARE(PowerReadingText(expression), power);
}

QTEST_GUILESS_MAIN(ArithmeticLogicTest)

#include "tst_arithmeticlogic.moc"
