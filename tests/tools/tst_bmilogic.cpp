#include "tools/applied/bmilogic.h"

#include <QTest>

using namespace Eval;
using namespace Applied;

class BmiLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void category_data();
    void category();
    void compute_data();
    void compute();
    void refusedInput_data();
    void refusedInput();
    void chartAxes();
    void chartCellText_data();
    void chartCellText();
    void chartCellNeverShowsNeighbouringCategory();
};

void BmiLogicTest::category_data()
{
    QTest::addColumn<double>("bmi");
    QTest::addColumn<QString>("text");
    QTest::newRow("low") << 16.0 << "过轻";
    QTest::newRow("just under 18.5") << 18.49 << "过轻";
    QTest::newRow("within tolerance of 18.5") << 18.49999995 << "适中";
    QTest::newRow("18.5") << 18.5 << "适中";
    QTest::newRow("24.9999") << 24.9999 << "适中";
    QTest::newRow("25") << 25.0 << "过重";
    QTest::newRow("within tolerance of 25") << 24.99999995 << "过重";
    QTest::newRow("28") << 28.0 << "肥胖";
    QTest::newRow("31.9") << 31.9 << "肥胖";
    QTest::newRow("32") << 32.0 << "超重";
    QTest::newRow("huge") << 1e9 << "超重";
}

void BmiLogicTest::category()
{
    QFETCH(double, bmi);
    QFETCH(QString, text);
    QCOMPARE(CategoryText(CategoryOf(bmi)), text);
}

void BmiLogicTest::compute_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<HeightUnit>("heightUnit");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<WeightUnit>("weightUnit");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("category");
    QTest::newRow("metres, kilograms")
            << "1.75" << HeightUnit::Metre << "70" << WeightUnit::Kilogram << "22.8571"
            << "适中";
    QTest::newRow("centimetres, jin")
            << "175" << HeightUnit::Centimetre << "140" << WeightUnit::Jin << "22.8571"
            << "适中";
    QTest::newRow("light") << "1.70" << HeightUnit::Metre << "49" << WeightUnit::Kilogram
                           << "16.955"
                           << "过轻";
    QTest::newRow("exactly 25") << "2" << HeightUnit::Metre << "100" << WeightUnit::Kilogram << "25"
                                << "过重";
    QTest::newRow("exactly 32") << "2" << HeightUnit::Metre << "128" << WeightUnit::Kilogram << "32"
                                << "超重";
    QTest::newRow("lowest accepted")
            << "0.5" << HeightUnit::Metre << "3" << WeightUnit::Kilogram << "12"
            << "过轻";
    QTest::newRow("lowest accepted, other units")
            << "50" << HeightUnit::Centimetre << "6" << WeightUnit::Jin << "12"
            << "过轻";
    QTest::newRow("infinite weight")
            << "1.75" << HeightUnit::Metre << "1e999" << WeightUnit::Kilogram << "1.#INF"
            << "超重";
    QTest::newRow("full-width digits")
            << "１.７５" << HeightUnit::Metre << "７０" << WeightUnit::Kilogram << "22.8571"
            << "适中";
}

void BmiLogicTest::compute()
{
    QFETCH(QString, height);
    QFETCH(HeightUnit, heightUnit);
    QFETCH(QString, weight);
    QFETCH(WeightUnit, weightUnit);
    QFETCH(QString, index);
    QFETCH(QString, category);
    const Outcome<BmiResult> result = ComputeBmi(height, heightUnit, weight, weightUnit);
    QVERIFY(result);
    QCOMPARE(result->indexText, index);
    QCOMPARE(result->categoryText, category);
}

void BmiLogicTest::refusedInput_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<HeightUnit>("heightUnit");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<WeightUnit>("weightUnit");
    QTest::addColumn<QString>("message");
    const QString height = QStringLiteral("请输入正确的身高！");
    const QString weight = QStringLiteral("请输入正确的体重！");
    QTest::newRow("0.4 m") << "0.4" << HeightUnit::Metre << "70" << WeightUnit::Kilogram << height;
    QTest::newRow("40 cm") << "40" << HeightUnit::Centimetre << "70" << WeightUnit::Kilogram
                           << height;
    QTest::newRow("175 read as metres is fine, 1.75 as cm is not")
            << "1.75" << HeightUnit::Centimetre << "70" << WeightUnit::Kilogram << height;
    QTest::newRow("height checked first")
            << "0" << HeightUnit::Metre << "0" << WeightUnit::Kilogram << height;
    QTest::newRow("2.9 kg") << "1.75" << HeightUnit::Metre << "2.9" << WeightUnit::Kilogram
                            << weight;
    QTest::newRow("5.9 jin") << "1.75" << HeightUnit::Metre << "5.9" << WeightUnit::Jin << weight;
    QTest::newRow("negative weight")
            << "1.75" << HeightUnit::Metre << "-70" << WeightUnit::Kilogram << weight;
    QTest::newRow("empty height") << "" << HeightUnit::Metre << "70" << WeightUnit::Kilogram
                                  << height;
    QTest::newRow("letters for a weight")
            << "1.75" << HeightUnit::Metre << "abc" << WeightUnit::Kilogram << weight;
}

void BmiLogicTest::refusedInput()
{
    QFETCH(QString, height);
    QFETCH(HeightUnit, heightUnit);
    QFETCH(QString, weight);
    QFETCH(WeightUnit, weightUnit);
    QFETCH(QString, message);
    const Outcome<BmiResult> result = ComputeBmi(height, heightUnit, weight, weightUnit);
    QVERIFY(!result);
    QCOMPARE(result.refusal(), message);
}

void BmiLogicTest::chartAxes()
{
    const std::vector<double> heights = ChartHeightsCm();
    QCOMPARE(heights.size(), size_t(19));
    QCOMPARE(heights.front(), 145.0);
    QCOMPARE(heights[1], 147.5);
    QCOMPARE(heights.back(), 190.0);
    const std::vector<double> weights = ChartWeightsKg();
    QCOMPARE(weights.front(), 45.0);
    QCOMPARE(weights.back(), 90.0);
}

void BmiLogicTest::chartCellText_data()
{
    QTest::addColumn<double>("bmi");
    QTest::addColumn<QString>("text");
    QTest::newRow("cut, not rounded") << 24.97 << "24.9";
    QTest::newRow("whole") << 20.0 << "20.0";
    QTest::newRow("just below a bound reads as the bound") << 24.99999995 << "25.0";
    QTest::newRow("high") << 42.81 << "42.8";
}

void BmiLogicTest::chartCellText()
{
    QFETCH(double, bmi);
    QFETCH(QString, text);
    QCOMPARE(ChartCellText(bmi), text);
}

void BmiLogicTest::chartCellNeverShowsNeighbouringCategory()
{
    for (double cm : ChartHeightsCm()) {
        for (double kg : ChartWeightsKg()) {
            const double bmi = BmiOf(kg, cm / 100);
            const double shown = ChartCellText(bmi).toDouble();
            QVERIFY2(CategoryOf(shown) == CategoryOf(bmi),
                     qPrintable(QStringLiteral("%1 cm, %2 kg").arg(cm).arg(kg)));
        }
    }
}

QTEST_APPLESS_MAIN(BmiLogicTest)
#include "tst_bmilogic.moc"
