#include "tools/functions/twovariablefactorizationlogic.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace Functions;
using namespace Functions::TwoVariableFactorization;

Q_DECLARE_METATYPE(Range)

namespace {

struct Listing
{
    QStringList lines;
    double outer = 0;
};

// The four nested loops exactly as the window used to run them: the oracle of the fast form.
Listing LiteralLoops(const Range &r, const Coefficients &k)
{
    Listing listing;
    double m, n, p, q;
    for (m = r.first; m - r.end < -1e-7; m += r.step) {
        for (n = r.first; n - r.end < -1e-7; n += r.step) {
            for (p = r.first; p - r.end < -1e-7; p += r.step) {
                for (q = r.first; q - r.end < -1e-7; q += r.step) {
                    if (std::fabs(k.a - m * p) <= 1e-7 && std::fabs(k.b - (m * q + n * p)) <= 1e-7
                        && std::fabs(k.c - n * q) <= 1e-7)
                        listing.lines.append(FactorsText({m, n, p, q}));
                }
            }
        }
    }
    listing.outer = m;
    return listing;
}

Listing Enumerate(Enumeration &enumeration)
{
    Listing listing;
    while (!enumeration.isFinished())
        enumeration.NextPass([&](const Factors &f) { listing.lines.append(FactorsText(f)); });
    listing.outer = enumeration.outer();
    return listing;
}

Listing Enumerate(const Range &range, const Coefficients &coefficients)
{
    Enumeration enumeration(range, coefficients);
    return Enumerate(enumeration);
}

const Range Defaults{-20, 20, 1};

} // namespace

class TwoVariableFactorizationLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithTheNestedLoops();
    void captions_data();
    void captions();
    void refusesRangesThatCouldNotEnd_data();
    void refusesRangesThatCouldNotEnd();
    void abandonedPassDoesNotAdvance();
};

// Ranges, steps that drift (0.1, 0.3) and that do not, and coefficients that are either
// products of range values give or take about 1e-7 (so that something matches, also through
// drifted values, or just misses) or picked
// from a list with zeros and near misses.
void TwoVariableFactorizationLogicTest::agreesWithTheNestedLoops()
{
    const QList<double> firsts{-3, -2.5, -1.2, -1, -0.3, 0, 0.1, 1};
    const QList<double> widths{0, 0.5, 1.2, 2, 3.1, 4, 6};
    const QList<double> steps{0.1, 0.25, 0.3, 0.5, 0.7, 1, 2};
    const QList<double> coefficients{0,    0,   1,     -1,  2, -2, 0.5, -0.5, 0.25,  0.06,
                                     0.01, 0.3, -0.09, 1.5, 4, -6, 0.2, 1e-8, qInf()};
    // Around the tolerance of 1e-7, where a match is decided by the last bits.
    const QList<double> offsets{0, 0, 0, 9e-8, -9e-8, 1e-7, -1e-7, 1.2e-7, -1.2e-7};
    QRandomGenerator random(20141119);
    const auto pick = [&random](const QList<double> &list) {
        return list.at(random.bounded(int(list.size())));
    };
    int cases = 0;
    qsizetype matches = 0;
    for (double first : firsts) {
        for (double width : widths) {
            for (double step : steps) {
                const Range range{first, first + width, step};
                if (width / step > 20)
                    continue;
                QList<double> values;
                for (double v = range.first; v - range.end < -1e-7; v += range.step)
                    values.append(v);
                for (int i = 0; i < 6; ++i) {
                    Coefficients k{pick(coefficients), pick(coefficients), pick(coefficients)};
                    if (i % 2 == 0 && !values.isEmpty()) {
                        const double m = pick(values), n = pick(values), p = pick(values),
                                     q = pick(values);
                        k = {m * p + pick(offsets), m * q + n * p + pick(offsets),
                             n * q + pick(offsets)};
                    }
                    const Listing expected = LiteralLoops(range, k);
                    const Listing fast = Enumerate(range, k);
                    QCOMPARE(fast.lines, expected.lines);
                    QCOMPARE(fast.outer, expected.outer);
                    matches += expected.lines.size();
                    ++cases;
                }
            }
        }
    }
    QVERIFY2(cases > 2000 && matches > 1500,
             qPrintable(QStringLiteral("%1 cases, %2 matches").arg(cases).arg(matches)));
}

void TwoVariableFactorizationLogicTest::captions_data()
{
    QTest::addColumn<Range>("range");
    QTest::addColumn<int>("passes"); // -1: all
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");

    QTest::newRow("first pass") << Defaults << 1 << 1 << "3%  已枚举0.064e6个";
    QTest::newRow("half way") << Defaults << 20 << 20 << "50%  已枚举1.28e6个";
    QTest::newRow("last pass") << Defaults << 40 << 40 << "100%  已枚举2.56e6个";
    QTest::newRow("finished") << Defaults << -1 << 40 << "分解完成！ 共枚举2e6个";
    QTest::newRow("nothing tried") << Range{20, -20, 1} << -1 << 0 << "分解完成！ 共枚举0e6个";
    QTest::newRow("zero-width range is complete")
            << Range{0, 0.5, 0.1} << 1 << 0 << "100%  已枚举1.25e-008e6个";
    QTest::newRow("zero-width range finished")
            << Range{0, 0.5, 0.1} << -1 << 0 << "分解完成！ 共枚举0e6个";
    QTest::newRow("position stays within the bar")
            << Range{0, 1.5, 1} << 2 << 1 << "100%  已枚举6.75e-006e6个";
    QTest::newRow("count beyond 32 bits")
            << Range{-5000, 5000, 1} << -1 << 10000 << "分解完成！ 共枚举10000000000e6个";
}

void TwoVariableFactorizationLogicTest::captions()
{
    QFETCH(Range, range);
    QFETCH(int, passes);
    QFETCH(int, position);
    QFETCH(QString, caption);
    Enumeration enumeration(range, {1, 3, 2});
    for (int i = 0; passes < 0 ? !enumeration.isFinished() : i < passes; ++i)
        QVERIFY(enumeration.NextPass([](const Factors &) {}));
    QCOMPARE(enumeration.progressPosition(), position);
    QCOMPARE(passes < 0 ? enumeration.FinalCaption() : enumeration.ProgressCaption(), caption);
}

void TwoVariableFactorizationLogicTest::refusesRangesThatCouldNotEnd_data()
{
    QTest::addColumn<Range>("range");
    QTest::addColumn<bool>("refused");

    QTest::newRow("step 0") << Range{-20, 20, 0} << true;
    QTest::newRow("negative step") << Range{-20, 20, -1} << true;
    QTest::newRow("infinite step") << Range{-20, 20, qInf()} << true;
    QTest::newRow("step lost at the first value") << Range{1e17, 1e17 + 1e3, 1} << true;
    QTest::newRow("step lost inside the range")
            << Range{9007199254740000, 9007199254741000, 1} << true;
    QTest::newRow("infinite first") << Range{-qInf(), 20, 1} << true;
    QTest::newRow("infinite end") << Range{-20, qInf(), 1} << true;
    QTest::newRow("too many values") << Range{-1e7, 1e7, 1} << true;
    QTest::newRow("step 0 with nothing to try") << Range{20, -20, 0} << true;
    QTest::newRow("step beyond the range") << Range{-20, 20, 1e6} << false;
    QTest::newRow("a million values") << Range{0, 1, 1e-6} << false;
}

void TwoVariableFactorizationLogicTest::refusesRangesThatCouldNotEnd()
{
    QFETCH(Range, range);
    QFETCH(bool, refused);
    Enumeration enumeration(range, {0, 0, 0});
    QCOMPARE(enumeration.isRefused(), refused);
    if (refused) {
        QVERIFY(enumeration.isFinished());
        QCOMPARE(enumeration.FinalCaption(), QStringLiteral("分解完成！ 共枚举0e6个"));
    }
}

void TwoVariableFactorizationLogicTest::abandonedPassDoesNotAdvance()
{
    Enumeration enumeration({-2000, 2000, 1}, {0, 1, 0});
    int asked = 0;
    QVERIFY(!enumeration.NextPass([](const Factors &) {}, [&asked] { return ++asked > 1; }));
    QCOMPARE(asked, 1);
    QCOMPARE(enumeration.outer(), -2000.0);
    QVERIFY(!enumeration.isFinished());
}

QTEST_GUILESS_MAIN(TwoVariableFactorizationLogicTest)
#include "tst_twovariablefactorizationlogic.moc"
