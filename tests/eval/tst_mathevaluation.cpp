#include "eval/mathevaluation.h"
#include "eval/nestinglimit.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Eval;

namespace {

// What a line gives as the tests write it: the exact form, "≈" and the 10-digit decimal for a
// decimal alone, or "!" and the refusal.
QString Answer(const QString &text, AngleUnit unit = AngleUnit::Degrees)
{
    const auto tree = ReadMath(text);
    if (!tree)
        return u'!' + tree.refusal();
    const auto value = EvaluateMath(*tree, {unit, std::nullopt});
    if (!value)
        return u'!' + value.refusal();
    const QString degrees = value->isAngle ? QStringLiteral("°") : QString();
    if (value->exact)
        return value->exact->ToText() + degrees;
    return u'≈' + DecimalText(value->shortDecimal) + degrees;
}

struct Row
{
    const char *text;
    const char *expected;
};

// Textbook exercises with the answers of their answer keys.
const Row DegreeRows[] = {
        // fractions and powers
        {"1/2+1/3", "5/6"},
        {"3/4×8/9", "2/3"},
        {"(2/3)÷(4/9)", "3/2"},
        {"2^10", "1024"},
        {"2^-3", "1/8"},
        {"(-2)^3", "−8"},
        {"-2^2", "−4"},
        {"(2/3)^2", "4/9"},
        {"2^3^2", "512"},
        {"0.25+1/4", "1/2"},
        {"50%", "1/2"},
        {"200×5%", "10"},
        {"5!", "120"},
        {"0!", "1"},
        {"C(5,2)", "10"},
        {"A(5,2)", "20"},
        {"C(10,0)+A(4,4)", "25"},
        {"|−3|+abs(−4)", "7"},
        {"3²+4²", "25"},
        {"（１＋２）×３", "9"},
        {"1.5×4", "6"},
        {"8^(2/3)", "4"},
        {"(8/27)^(-2/3)", "9/4"},
        {"(−8)^(1/3)", "−2"},
        {"16^0.25", "2"},
        // surds
        {"√12", "2√3"},
        {"√(8/9)", "2√2/3"},
        {"∛54", "3∛2"},
        {"√12+√27", "5√3"},
        {"√18−√8", "√2"},
        {"√2×√6", "2√3"},
        {"√50/√2", "5"},
        {"1/√2", "√2/2"},
        {"1/(√3−1)", "(√3+1)/2"},
        {"1/(√3+√2)", "√3−√2"},
        {"(√3+1)(√3−1)", "2"},
        {"(1+√2)^2", "2√2+3"},
        {"(−4+√24)/4", "(√6−2)/2"},
        {"3√2+2√2", "5√2"},
        {"2(1+√3)", "2√3+2"},
        {"√(1/3)", "√3/3"},
        {"√0.5", "√2/2"},
        {"∛(−27)", "−3"},
        {"root(4,16)", "2"},
        {"root(4,8)", "∜8"},
        {"root(3,16)", "2∛2"},
        {"√2×∛2", "⁶√32"},
        {"√(√16)", "2"},
        {"1/(1+∛2)", "(∛4−∛2+1)/3"},
        {"1/(√2+√3+√5)", "(2√3−√30+3√2)/12"},
        {"√8^3", "16√2"},
        {"√12²", "12"},
        {"√(3+2√2)", "≈2.414213562"},
        // special angles in degrees
        {"sin30°", "1/2"},
        {"sin 60", "√3/2"},
        {"cos45", "√2/2"},
        {"tan 60°", "√3"},
        {"tan15", "2−√3"},
        {"sin15°", "(√6−√2)/4"},
        {"cos15°", "(√6+√2)/4"},
        {"tan75°", "√3+2"},
        {"cos135°", "−√2/2"},
        {"sin(−30°)", "−1/2"},
        {"sin 390°", "1/2"},
        {"cos 120", "−1/2"},
        {"tan 225", "1"},
        {"tan 150°", "−√3/3"},
        {"sin²30?", "!不认识“?”。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
        {"sin30°cos60°+cos30°sin60°", "1"},
        {"sin(30)^2+cos(30)^2", "1"},
        {"2sin45°", "√2"},
        {"arcsin(1/2)", "30°"},
        {"arccos(−√2/2)", "135°"},
        {"arctan(√3)", "60°"},
        {"arctan(2−√3)", "15°"},
        {"arcsin(−1)", "−90°"},
        {"arcsin(0.3)", "≈17.45760312°"},
        {"sin1", "≈0.01745240644"},
        {"sin(π/6)", "≈0.009138395397"},
        // logarithms
        {"log(1000)", "3"},
        {"log 1000", "3"},
        {"lg0.01", "−2"},
        {"ln(e^2)", "2"},
        {"ln e", "1"},
        {"log(2,8)", "3"},
        {"log(4,2)", "1/2"},
        {"log(2,√2)", "1/2"},
        {"log(9,27)", "3/2"},
        {"lg2+lg5", "1"},
        {"2lg5+lg4", "2"},
        {"log(2,6)−log(2,3)", "1"},
        {"log(2,3)×log(3,4)", "2"},
        {"lg8/lg2", "3"},
        {"e^(ln3)", "3"},
        {"e^(2ln3)", "9"},
        {"10^(lg7)", "7"},
        {"2^(log(2,5)+0)", "≈5"},
        {"ln2", "≈0.6931471806"},
        {"lg2", "≈0.3010299957"},
        {"log(2,3)", "≈1.584962501"},
        // π and e
        {"2π/3", "2π/3"},
        {"π/2+π/3", "5π/6"},
        {"2π", "2π"},
        {"π×π", "π²"},
        {"1/π", "1/π"},
        {"π+1", "π+1"},
        {"e^2", "e²"},
        {"2e", "2e"},
        {"√(π^2)", "π"},
        {"π−π", "0"},
        // mixed and decimals
        {"√2+1.5", "(2√2+3)/2"},
        {"1/3+√3/3", "(√3+1)/3"},
        {"2^0.5", "√2"},
        {"2^√2", "≈2.665144143"},
        {"√(3+2√2)−1", "≈1.414213562"},
        {"20!", "2432902008176640000"},
        {"sin−30°", "−1/2"},
        {"sin180°×ln2", "0"},
        {"1.5×10⁻²", "3/200"},
        {"⁵√32+∜16", "4"},
        {"2^100", "1267650600228229401496703205376"},
        {"0.1+0.2", "3/10"},
        {"sin(1)^2+cos(1)^2−1+1", "≈1"},
        {"(ln2+75!)−75!", "≈0.6931471806"},
        {"(10^40+ln2)−10^40", "≈0.6931471806"},
        // domain errors
        {"√(−4)", "!负数不能开平方"},
        {"root(4,−16)", "!负数不能开偶次方"},
        {"(−4)^0.5", "!负数不能开平方"},
        {"ln0", "!对数的真数必须大于0"},
        {"lg(−1)", "!对数的真数必须大于0"},
        {"log(1,5)", "!对数的底数必须大于0且不等于1"},
        {"1/0", "!除数不能为0"},
        {"1/(sin30°−1/2)", "!除数不能为0"},
        {"1/(sin(1)^2+cos(1)^2−1)", "!除数不能为0"},
        {"tan90°", "!tan 90° 不存在"},
        {"tan(−270)", "!tan −270° 不存在"},
        {"0^0", "!0的0次方没有意义"},
        {"0^(−1)", "!0的负数次方没有意义"},
        {"(−3)!", "!阶乘只对0和正整数有定义"},
        {"2.5!", "!阶乘只对0和正整数有定义"},
        {"10001!", "!阶乘的数太大，最大为10000"},
        {"arcsin 2", "!反正弦、反余弦的值必须在−1到1之间"},
        {"C(2,5)", "!C(n,m)、A(n,m)要求n、m为0或正整数，且m≤n"},
        {"√(ln(0.5))", "!负数不能开平方"},
        {"2^2^2^2^2^2", "!结果太大，超出计算范围"},
        {"e^(−10^10)", "!结果太接近0，超出计算范围"},
        // the reader's refusals
        {"2+", "!算式不完整。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
        {"(1+2", "!缺少右括号“)”。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
        {"1+2)", "!多了右括号“)”。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
        {"C5", "!C后要有括号，如 C(5,2)。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
        {"1..2", "!“1..2”不是一个数。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3"},
};

const Row RadianRows[] = {
        {"sin(π/6)", "1/2"},    {"cos(π/4)", "√2/2"},
        {"tan(π/3)", "√3"},     {"sin(π/12)", "(√6−√2)/4"},
        {"tan(5π/12)", "√3+2"}, {"cos(2π/3)", "−1/2"},
        {"sin π", "0"},         {"tan(π/2)", "!tan (π/2) 不存在"},
        {"arcsin(1/2)", "π/6"}, {"arccos(−1/2)", "2π/3"},
        {"arctan(1)", "π/4"},   {"arctan(−√3/3)", "−π/6"},
        {"sin30°", "1/2"},      {"sin 1", "≈0.8414709848"},
        {"cos 2π", "1"},
};

} // namespace

class MathEvaluationTest : public QObject
{
    Q_OBJECT
private slots:
    void textbook_data();
    void textbook();
    void answerCarriesOver();
    void exactDecimalsAgreeWithFloatingPoint();
    void textReadsBackAsItself();
};

void MathEvaluationTest::textbook_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("radians");
    QTest::addColumn<QString>("expected");
    for (const Row &row : DegreeRows)
        QTest::addRow("%s", row.text)
                << QString::fromUtf8(row.text) << false << QString::fromUtf8(row.expected);
    for (const Row &row : RadianRows)
        QTest::addRow("rad %s", row.text)
                << QString::fromUtf8(row.text) << true << QString::fromUtf8(row.expected);
    const auto nested
            = [](int depth) { return QString(depth, u'(') + u'2' + QString(depth, u')'); };
    QTest::addRow("nested to the limit") << nested(MaxNestingDepth) << false << "2";
    QTest::addRow("nested past the limit")
            << nested(MaxNestingDepth + 1) << false
            << "!算式嵌套太深。请输入算式，如 √12+√27、sin30°、log(2,8)、2π/3";
}

void MathEvaluationTest::textbook()
{
    QFETCH(QString, text);
    QFETCH(bool, radians);
    QFETCH(QString, expected);
    QCOMPARE(Answer(text, radians ? AngleUnit::Radians : AngleUnit::Degrees), expected);
}

void MathEvaluationTest::answerCarriesOver()
{
    MathContext context;
    const auto first = EvaluateMath(*ReadMath(QStringLiteral("√12")), context);
    context.ans = *first;
    const auto exact = EvaluateMath(*ReadMath(QStringLiteral("Ans×√3")), context);
    QCOMPARE(exact->exact->ToText(), QStringLiteral("6"));
    context.ans = *EvaluateMath(*ReadMath(QStringLiteral("ln 2")), context);
    const auto decimal = EvaluateMath(*ReadMath(QStringLiteral("2ans")), context);
    QCOMPARE(DecimalText(decimal->shortDecimal), QStringLiteral("1.386294361"));
}

namespace {

// A textbook term of a random kind, typed as a student types it.
QString RandomTerm(QRandomGenerator &random)
{
    const int a = random.bounded(1, 13), b = random.bounded(1, 10);
    const int angle = 15 * random.bounded(-24, 25);
    switch (random.bounded(10)) {
    case 0:
        return QStringLiteral("%1/%2").arg(a).arg(b);
    case 1:
        return QStringLiteral("√%1").arg(a * b);
    case 2:
        return QStringLiteral("∛%1").arg(a * b * b);
    case 3:
        return QStringLiteral("sin%1°").arg(angle);
    case 4:
        return QStringLiteral("cos(%1°)").arg(angle);
    case 5:
        return angle % 180 == 90 ? QStringLiteral("π") : QStringLiteral("tan(%1°)").arg(angle);
    case 6:
        return QStringLiteral("%1π/%2").arg(a).arg(b);
    case 7:
        return QStringLiteral("log(%1,%2)")
                .arg(a + 1)
                .arg(QString::number(a + 1).repeated(1) + QStringLiteral("^%1").arg(b));
    case 8:
        return QStringLiteral("(%1+√%2)").arg(a).arg(b);
    default:
        return QStringLiteral("%1^%2").arg(b).arg(a % 4);
    }
}

QString RandomExpression(QRandomGenerator &random, int depth = 0)
{
    if (depth > 2 || random.bounded(3) == 0)
        return RandomTerm(random);
    static const QString operators = QStringLiteral("+−×÷");
    const QString op = operators.at(random.bounded(4));
    return u'(' + RandomExpression(random, depth + 1) + op + RandomExpression(random, depth + 1)
            + u')';
}

} // namespace

// Every exact result's decimal is the floating-point evaluation of the typed line, digit for
// digit: a wrong exact form (a sign, a root, a term lost) cannot pass.
void MathEvaluationTest::exactDecimalsAgreeWithFloatingPoint()
{
    QRandomGenerator random(20240601);
    int exact = 0;
    for (int i = 0; i < 3000; ++i) {
        const QString text = RandomExpression(random);
        const auto tree = ReadMath(text);
        QVERIFY2(tree, qPrintable(text));
        for (const AngleUnit unit : {AngleUnit::Degrees, AngleUnit::Radians}) {
            const MathContext context{unit, std::nullopt};
            const auto value = EvaluateMath(*tree, context);
            const auto floating = ApproximateMath(*tree, context, 10);
            if (!value || !value->exact) {
                if (value && floating)
                    QCOMPARE(DecimalText(value->shortDecimal), DecimalText(*floating));
                continue;
            }
            ++exact;
            QVERIFY2(floating, qPrintable(text));
            QVERIFY2(DecimalText(value->shortDecimal) == DecimalText(*floating),
                     qPrintable(text + QStringLiteral(" = ") + value->exact->ToText() + u' '
                                + DecimalText(value->shortDecimal) + QStringLiteral(" vs ")
                                + DecimalText(*floating)));
        }
    }
    QVERIFY(exact > 3000); // most lines have an exact value
}

// The plain text of an exact result, typed again, is the same number.
void MathEvaluationTest::textReadsBackAsItself()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 1000; ++i) {
        const auto value = EvaluateMath(*ReadMath(RandomExpression(random)));
        if (!value || !value->exact)
            continue;
        const QString text = value->exact->ToText();
        const auto again = EvaluateMath(*ReadMath(text));
        QVERIFY2(again && again->exact && *again->exact == *value->exact, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(MathEvaluationTest)
#include "tst_mathevaluation.moc"
