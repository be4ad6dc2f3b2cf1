#include "eval/bigint.h"
#include "tools/statistics/binomial.h"
#include "tools/statistics/counting.h"
#include "tools/statistics/distributionplots.h"
#include "tools/statistics/distributiontable.h"
#include "tools/statistics/hypergeometric.h"
#include "tools/statistics/normal.h"
#include "tools/statistics/poisson.h"
#include "ui/style.h"

#include <QTest>

using namespace Eval;
using namespace Statistics;

Q_DECLARE_METATYPE(Eval::Rational)
Q_DECLARE_METATYPE(Statistics::DistributionValue)

namespace {

template<typename Question>
QString Lines(const Outcome<Question> &question,
              Ui::NamedValues (*results)(const Question &, Rounding), Rounding rounding)
{
    return question ? Ui::ResultText(results(*question, rounding))
                    : QStringLiteral("拒绝：") + question.refusal();
}

// What "复制结果" copies on a page for the typed inputs, or the refusal.
QString PageLines(const QString &page, const QStringList &in,
                  Rounding rounding = Rounding::TenDigits)
{
    if (page == "排列组合") {
        const auto values = CountArrangements(in[0], in[1]);
        return values ? Ui::ResultText(*values) : QStringLiteral("拒绝：") + values.refusal();
    }
    if (page == "分布列")
        return Lines(ReadDistributionTable(in[0], in[1]), TableMoments, rounding);
    if (page == "二项分布")
        return Lines(ReadBinomial(in[0], in[1], in[2], in[3], in[4]), BinomialResults, rounding);
    if (page == "超几何分布")
        return Lines(ReadHypergeometric(in[0], in[1], in[2], in[3], in[4], in[5]),
                     HypergeometricResults, rounding);
    if (page == "泊松分布")
        return Lines(ReadPoisson(in[0], in[1], in[2], in[3]), PoissonResults, rounding);
    return Lines(ReadNormal(in[0], in[1], in[2], in[3], in[4]), NormalResults, rounding);
}

// The leading `digits` significant digits and the exponent, "9.341968821e-299", of a value.
QString Leading(const DecimalDigits &value, int digits)
{
    const DecimalDigits rounded = RoundDigits(value, digits);
    const QString all = rounded.digits.leftJustified(digits, u'0');
    return all.left(1) + u'.' + all.mid(1) + u'e' + QString::number(rounded.exponent);
}

BinomialQuestion Binomial(long long n, const Rational &p)
{
    return BinomialQuestion{n, p, false, {}};
}

Rational Fraction(long numerator, long denominator)
{
    return *Rational(numerator).Divide(Rational(denominator));
}

} // namespace

class ProbabilityLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void pagesAgreeWithTheTextbook_data();
    void pagesAgreeWithTheTextbook();
    void fourPlacesAsTheTextbookRounds_data();
    void fourPlacesAsTheTextbookRounds();
    void bigCountsAgreeWithPascalsRule();
    void exactSumsAgreeWithTheirTermsAndTheLibrary_data();
    void exactSumsAgreeWithTheirTermsAndTheLibrary();
    void tailsKeepTheirDigits_data();
    void tailsKeepTheirDigits();
    void picturesHoldTheProbabilities_data();
    void picturesHoldTheProbabilities();
    void bellShadesTheAskedArea();
};

void ProbabilityLogicTest::pagesAgreeWithTheTextbook_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("lines");
    const auto row = [](const char *name, const char *page, const QStringList &inputs,
                        const char *lines) {
        QTest::newRow(name) << QString::fromUtf8(page) << inputs << QString::fromUtf8(lines);
    };
    row("A₁₀³, C₁₀³", "排列组合", {"10", "3"}, "A = 720\nC = 120\nn! = 3628800");
    row("full-width", "排列组合", {"１０", "３"}, "A = 720\nC = 120\nn! = 3628800");
    row("A₅⁵", "排列组合", {"5", "5"}, "A = 120\nC = 1\nn! = 120");
    row("0!", "排列组合", {"0", "0"}, "A = 1\nC = 1\nn! = 1");
    row("20! alone", "排列组合", {"20", ""}, "n! = 2432902008176640000");
    row("m > n", "排列组合", {"3", "5"}, "A = 0\nC = 0\nn! = 6");
    row("negative", "排列组合", {"-1", "2"}, "拒绝：n 不能为负数");
    row("not whole", "排列组合", {"2.5", ""}, "拒绝：n 应为整数");
    row("too large", "排列组合", {"1e7", ""}, "拒绝：n 不能超过 1000000");
    row("n! too long", "排列组合", {"300000", ""}, "n! = n!超过1000000位，请取小一些的数");
    row("a die", "分布列", {"1 2 3 4 5 6", "1/6 1/6 1/6 1/6 1/6 1/6"},
        "E(X) = 7/2 ≈ 3.5\nD(X) = 35/12 ≈ 2.91666666666667");
    row("negative values", "分布列", {"-1，0，1", "1/2，1/3，1/6"},
        "E(X) = -1/3 ≈ -0.333333333333333\nD(X) = 5/9 ≈ 0.555555555555556");
    row("two-point, decimals", "分布列", {"0 1", "0.3 0.7"}, "E(X) = 0.7\nD(X) = 0.21");
    row("sum not 1", "分布列", {"0 1 2", "0.3 0.3 0.3"}, "拒绝：各个 pᵢ 的和是 0.9，不是 1");
    row("counts differ", "分布列", {"0 1", "0.5"}, "拒绝：xᵢ 有 2 个，pᵢ 有 1 个：个数应相同");
    row("p outside", "分布列", {"0 1", "1.5 -0.5"}, "拒绝：p₁ 是概率，应在 0 到 1 之间");
    row("value twice", "分布列", {"1 1", "0.5 0.5"}, "拒绝：x₁ 与 x₂ 相同：每个取值只写一次");
    row("B(10, 1/2)", "二项分布", {"10", "1/2", "5", "", ""},
        "P(X=k) = 63/256 ≈ 0.24609375\nP(X≤k) = 319/512 ≈ 0.623046875\nE(X) = 5\n"
        "D(X) = 5/2 ≈ 2.5");
    row("B(10, 0.8) 射击", "二项分布", {"10", "0.8", "8", "8", ""},
        "P(X=k) = 0.301989888\nP(X≤k) = 0.6241903616\nP(a≤X≤b) = 0.6777995264\nE(X) = 8\n"
        "D(X) = 1.6");
    row("B(5, 0.3)", "二项分布", {"5", "0.3", "2", "", ""},
        "P(X=k) = 0.3087\nP(X≤k) = 0.83692\nE(X) = 1.5\nD(X) = 1.05");
    row("B(3, 1/3)", "二项分布", {"3", "1/3", "1", "", ""},
        "P(X=k) = 4/9 ≈ 0.444444444444444\nP(X≤k) = 20/27 ≈ 0.740740740740741\nE(X) = 1\n"
        "D(X) = 2/3 ≈ 0.666666666666667");
    row("k beyond n", "二项分布", {"4", "1/2", "7", "", ""},
        "P(X=k) = 0\nP(X≤k) = 1\nE(X) = 2\nD(X) = 1");
    row("p = 1", "二项分布", {"4", "1", "", "0", "3"}, "P(a≤X≤b) = 0\nE(X) = 4\nD(X) = 0");
    row("n = 0", "二项分布", {"0", "1/2", "", "", ""}, "拒绝：n 不能小于 1");
    row("p > 1", "二项分布", {"10", "3/2", "", "", ""}, "拒绝：p 是概率，应在 0 到 1 之间");
    row("k not whole", "二项分布", {"10", "1/2", "2.5", "", ""}, "拒绝：k 应为整数");
    row("a > b", "二项分布", {"10", "1/2", "", "5", "3"}, "拒绝：a 不能大于 b");
    row("four aces", "超几何分布", {"52", "4", "5", "0", "", ""},
        "P(X=k) = 35673/54145 ≈ 0.658841998337797\nP(X≤k) = 35673/54145 ≈ 0.658841998337797\n"
        "E(X) = 5/13 ≈ 0.384615384615385\nD(X) = 940/2873 ≈ 0.327184128089105");
    row("5 of 100 faulty", "超几何分布", {"100", "5", "3", "0", "1", ""},
        "P(X=k) = 27683/32340 ≈ 0.85599876314162\nP(X≤k) = 27683/32340 ≈ 0.85599876314162\n"
        "P(a≤X≤b) = 4657/32340 ≈ 0.14400123685838\nE(X) = 3/20 ≈ 0.15\n"
        "D(X) = 1843/13200 ≈ 0.139621212121212");
    row("M > N", "超几何分布", {"10", "11", "3", "", "", ""}, "拒绝：M 不能超过 10");
    row("λ = 2", "泊松分布", {"2", "3", "", ""},
        "P(X=k) = 4/3·e^(-2) ≈ 0.180447044315484\nP(X≤k) = 19/3·e^(-2) ≈ 0.857123460498547\n"
        "E(X) = 2\nD(X) = 2");
    row("λ = 1", "泊松分布", {"1", "0", "", ""},
        "P(X=k) = e^(-1) ≈ 0.367879441171442\nP(X≤k) = e^(-1) ≈ 0.367879441171442\nE(X) = 1\n"
        "D(X) = 1");
    row("λ = 0.5", "泊松分布", {"0.5", "1", "", ""},
        "P(X=k) = 0.5·e^(-0.5) ≈ 0.303265329856317\nP(X≤k) = 1.5·e^(-0.5) ≈ 0.90979598956895\n"
        "E(X) = 0.5\nD(X) = 0.5");
    row("λ = 0", "泊松分布", {"0", "1", "", ""}, "拒绝：λ 应大于 0");
    row("within σ", "正态分布", {"0", "1", "-1", "1", ""}, "P(a≤X≤b) = 0.682689492137086");
    row("within 3σ", "正态分布", {"0", "1", "-3", "3", ""}, "P(a≤X≤b) = 0.99730020393674");
    row("N(110, 10²) above 130", "正态分布", {"110", "10", "130", "", ""},
        "P(a≤X≤b) = 0.0227501319481792");
    row("below the mean", "正态分布", {"0", "1", "-∞", "0", ""}, "P(a≤X≤b) = 0.5");
    row("the whole line", "正态分布", {"7", "2", "", "∞", ""}, "P(a≤X≤b) = 1");
    row("inverse", "正态分布", {"0", "1", "", "", "0.975"}, "x = 1.95996398454005");
    row("σ = 0", "正态分布", {"0", "0", "1", "", ""}, "拒绝：σ 应大于 0");
    row("p = 1", "正态分布", {"0", "1", "", "", "1"},
        "拒绝：求 x 时 p 应在 0 与 1 之间，不能是 0 或 1");
}

void ProbabilityLogicTest::pagesAgreeWithTheTextbook()
{
    QFETCH(QString, page);
    QFETCH(QStringList, inputs);
    QFETCH(QString, lines);
    QCOMPARE(PageLines(page, inputs), lines);
}

void ProbabilityLogicTest::fourPlacesAsTheTextbookRounds_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("exact fraction")
            << "二项分布" << QStringList{"10", "1/2", "5", "", ""} << "P(X=k)"
            << "63/256 ≈ 0.2461";
    QTest::newRow("ending decimal rounded")
            << "二项分布" << QStringList{"10", "0.8", "8", "", ""} << "P(X=k)"
            << "≈0.3020";
    QTest::newRow("textbook's 0.6827")
            << "正态分布" << QStringList{"0", "1", "-1", "1", ""} << "P(a≤X≤b)"
            << "≈0.6827";
    QTest::newRow("a tail keeps its digits")
            << "正态分布" << QStringList{"0", "1", "", "-10", ""} << "P(a≤X≤b)"
            << "≈7.62×10⁻²⁴";
    QTest::newRow("exact whole") << "分布列" << QStringList{"1 3", "1/2 1/2"} << "E(X)"
                                 << "2";
}

void ProbabilityLogicTest::fourPlacesAsTheTextbookRounds()
{
    QFETCH(QString, page);
    QFETCH(QStringList, inputs);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    Ui::NamedValues values;
    if (page == "二项分布")
        values = BinomialResults(*ReadBinomial(inputs[0], inputs[1], inputs[2], "", ""),
                                 Rounding::FourPlaces);
    else if (page == "正态分布")
        values = NormalResults(*ReadNormal(inputs[0], inputs[1], inputs[2], inputs[3], ""),
                               Rounding::FourPlaces);
    else
        values = TableMoments(*ReadDistributionTable(inputs[0], inputs[1]), Rounding::FourPlaces);
    const auto found = std::find_if(values.cbegin(), values.cend(),
                                    [&](const Ui::NamedValue &v) { return v.name == name; });
    QVERIFY(found != values.cend());
    QCOMPARE(found->shown.isEmpty() ? found->value : found->shown, shown);
}

// C(n, m) = C(n − 1, m − 1) + C(n − 1, m), A(n, m) = C(n, m)·m!, and 杨辉三角's rows add up to
// 2ⁿ, at the sizes the page promises.
void ProbabilityLogicTest::bigCountsAgreeWithPascalsRule()
{
    const auto values = CountArrangements("100000", "50000");
    QVERIFY(values);
    const BigInteger c = *BigInteger::FromDigits((*values)[1].value);
    QCOMPARE((*values)[1].value.size(), 30101);
    QCOMPARE(c, BigInteger::Binomial(99999, 49999).Add(BigInteger::Binomial(99999, 50000)));
    QCOMPARE(*BigInteger::FromDigits((*values)[0].value), c.Multiply(BigInteger::Factorial(50000)));
    QVERIFY((*values)[1].shown.endsWith("（30101位）"));
    const auto triangle = PascalTriangle(QString::number(MaxPascalRow));
    QVERIFY(triangle);
    for (int n = 0; n <= MaxPascalRow; ++n) {
        BigInteger sum;
        for (const QString &entry : (*triangle)[n])
            sum = sum.Add(*BigInteger::FromDigits(entry));
        QCOMPARE(sum, *Rational(2).Power(n)->Numerator().Quotient(BigInteger(1)));
    }
}

// Each exact cumulative value against its terms summed one by one, and against the library's
// precise decimal computed apart from it.
void ProbabilityLogicTest::exactSumsAgreeWithTheirTermsAndTheLibrary_data()
{
    QTest::addColumn<long long>("n");
    QTest::addColumn<Rational>("p");
    QTest::addColumn<long long>("k");
    QTest::newRow("B(20, 3/10)") << 20LL << Fraction(3, 10) << 7LL;
    QTest::newRow("B(1000, 1/2) near the top") << 1000LL << Fraction(1, 2) << 990LL;
    QTest::newRow("B(500, 0.123)") << 500LL << Fraction(123, 1000) << 100LL;
    QTest::newRow("B(3000, 2/7) at the mean") << 3000LL << Fraction(2, 7) << 857LL;
}

void ProbabilityLogicTest::exactSumsAgreeWithTheirTermsAndTheLibrary()
{
    QFETCH(long long, n);
    QFETCH(Rational, p);
    QFETCH(long long, k);
    const BinomialQuestion question = Binomial(n, p);
    Rational summed;
    for (long long i = 0; i <= k; ++i)
        summed = summed + *BinomialValue(question, {i, i})->exact();
    const DistributionValue atMost = *BinomialValue(question, {std::nullopt, k});
    QCOMPARE(*atMost.exact(), summed);
    const DistributionValue above = *BinomialValue(question, {k + 1, std::nullopt});
    QCOMPARE(*above.exact(), Rational(1) - summed);
    const auto library = BinomialProbability(n, p, {std::nullopt, k});
    QVERIFY(library);
    QCOMPARE(Leading(*library, 25), Leading(atMost.Rounded(30), 25));
    HypergeometricQuestion drawn{n, n / 3, n / 2, {}};
    Rational terms;
    for (long long i = 0; i <= k / 3; ++i)
        terms = terms
                + *Rational(BigInteger::Binomial(n / 3, i).Multiply(
                                    BigInteger::Binomial(n - n / 3, n / 2 - i)))
                           .Divide(Rational(BigInteger::Binomial(n, n / 2)));
    QCOMPARE(*HypergeometricValue(drawn, {std::nullopt, k / 3}).exact(), terms);
}

void ProbabilityLogicTest::tailsKeepTheirDigits_data()
{
    QTest::addColumn<DistributionValue>("value");
    QTest::addColumn<QString>("expected"); // 20 significant digits
    const auto binomial = [](long long n, long long to) {
        return *BinomialValue(Binomial(n, Fraction(1, 2)), {std::nullopt, to});
    };
    // 1001/2^1000, 1000001/2^1000000 (exactly) and (10^8 + 1)/2^(10^8), from a decimal library.
    QTest::newRow("B(1000, 1/2), X ≤ 1") << binomial(1000, 1) << "9.3419688212172209787e-299";
    QTest::newRow("B(10⁶, 1/2), X ≤ 1")
            << binomial(1'000'000, 1) << "1.0100350692320894227e-301024";
    QTest::newRow("B(10⁸, 1/2), X ≤ 1")
            << binomial(100'000'000, 1) << "2.7139502660571950636e-30102992";
    QTest::newRow("B(10⁸, 1/2), X ≥ 10⁸ − 1, from the upper tail")
            << *BinomialValue(Binomial(100'000'000, Fraction(1, 2)),
                              {100'000'000 - 1, std::nullopt})
            << "2.7139502660571950636e-30102992";
    // λ^10 e^(−λ)/10! for λ = 10⁶.
    const PoissonQuestion poisson{Rational(1'000'000), false, {}};
    QTest::newRow("Poisson 10⁶, X = 10")
            << *PoissonValue(poisson, {10, 10}) << "9.0851837469371653962e-434242";
    // Q(z) from its asymptotic series, on both sides.
    const auto normal = [](long from, std::optional<long> to) {
        const auto digits
                = NormalProbability(Rational(), Rational(1), Rational(from),
                                    to ? std::optional<Rational>(Rational(*to)) : std::nullopt);
        return DistributionValue::Approximate(*digits);
    };
    QTest::newRow("N(0, 1), X ≥ 10") << normal(10, std::nullopt) << "7.6198530241605260660e-24";
    QTest::newRow("N(0, 1), X ≥ 40") << normal(40, std::nullopt) << "3.6558935409150297037e-350";
    QTest::newRow("N(0, 1), X ≤ −40") << DistributionValue::Approximate(
            *NormalProbability(Rational(), Rational(1), std::nullopt, Rational(-40)))
                                      << "3.6558935409150297037e-350";
}

void ProbabilityLogicTest::tailsKeepTheirDigits()
{
    QFETCH(DistributionValue, value);
    QFETCH(QString, expected);
    QCOMPARE(Leading(value.Rounded(20), 20), expected);
}

// The bars' heights add up to the exact probability of the counts they stand over, the asked
// bars are the marked ones; the shaded area under the bell curve is P(a ≤ X ≤ b).
void ProbabilityLogicTest::picturesHoldTheProbabilities_data()
{
    QTest::addColumn<QStringList>("binomial");
    QTest::addColumn<int>("bars");
    QTest::addColumn<int>("marked");
    QTest::newRow("B(10, 1/2), k = 5") << QStringList{"10", "1/2", "5", "", ""} << 11 << 1;
    QTest::newRow("B(400, 0.3), k = 90 and 100 ≤ X ≤ 130")
            << QStringList{"400", "0.3", "90", "100", "130"} << 401 << 32;
    QTest::newRow("B(10⁹, 1/3), the middle bars")
            << QStringList{"1e9", "1/3", "", "", ""} << MaxBars << 0;
}

void ProbabilityLogicTest::picturesHoldTheProbabilities()
{
    QFETCH(QStringList, binomial);
    QFETCH(int, bars);
    QFETCH(int, marked);
    const auto question
            = ReadBinomial(binomial[0], binomial[1], binomial[2], binomial[3], binomial[4]);
    const CountBars counts = BinomialBars(*question);
    const Ui::GraphPlot picture = BarsPicture(counts, QSize(420, 260));
    QCOMPARE(int(picture.shapes.size()), bars);
    QCOMPARE(int(std::count_if(
                     picture.shapes.cbegin(), picture.shapes.cend(),
                     [](const Ui::GraphShape &bar) { return bar.color == Palette::Accent; })),
             marked);
    double sum = 0;
    for (double height : counts.heights)
        sum += height;
    const long long last = counts.first + (long long)counts.heights.size() - 1;
    const auto exact = BinomialValue(*question, {counts.first, last});
    QVERIFY(std::abs(sum - DigitsValue(exact->Rounded(17))->ToDouble()) < 1e-12);
}

void ProbabilityLogicTest::bellShadesTheAskedArea()
{
    const auto normal = ReadNormal("110", "10", "100", "120", "");
    const Ui::GraphPlot bell = BellPicture(*normal, QSize(420, 260));
    const std::vector<QPointF> &edge = bell.shapes.front().points;
    double area = 0;
    for (std::size_t i = 1; i + 1 < edge.size(); ++i)
        area += (edge[i + 1].x() - edge[i].x()) * (edge[i].y() + edge[i + 1].y()) / 2;
    QVERIFY(std::abs(area - 0.682689492137086) < 1e-5);
}

QTEST_GUILESS_MAIN(ProbabilityLogicTest)
#include "tst_probabilitylogic.moc"
