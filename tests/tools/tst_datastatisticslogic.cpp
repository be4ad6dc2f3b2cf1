#include "tools/statistics/datastatistics.h"
#include "tools/statistics/datastatisticsworking.h"
#include "tools/statistics/datatablefile.h"
#include "tools/statistics/regression.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Statistics;

namespace {

DataTable TableOf(const QString &text)
{
    DataTable table;
    table.Paste(0, 0, *ParseDataText(text));
    return table;
}

OneVariableAnalysis Analysed(const QString &text)
{
    return **AnalyseOneVariable(*CollectOneVariable(TableOf(text)));
}

TwoVariableFigures Paired(const QString &text)
{
    return *AnalyseTwoVariables(*CollectPairs(TableOf(text)));
}

// Significant digits on which two values agree.
double AgreeingDigits(double value, double truth)
{
    if (value == truth)
        return 17;
    return -std::log10(std::fabs(value - truth) / (truth != 0 ? std::fabs(truth) : 1.0));
}

// NumAcc2–4 of the certified univariate summary statistics (StRD): 1001 values, the first
// `centre`, then `centre` − 0.1 and `centre` + 0.1 alternately; mean `centre`, standard
// deviation (with n − 1) exactly 0.1. Built to defeat Σx² − n·x̄².
QString NumAcc(const QString &centre, const QString &below, const QString &above)
{
    QStringList values{centre};
    for (int i = 0; i < 500; ++i)
        values << below << above;
    return values.join(u'\n');
}

// Norris (StRD linear least squares, lower difficulty): 36 pairs, as "y x" lines.
const char *const Norris = "0.1 0.2\n338.8 337.4\n118.1 118.2\n888.0 884.6\n9.2 10.1\n228.1 226.5\n"
                           "668.5 666.3\n998.5 996.3\n449.1 448.6\n778.9 777.0\n559.2 558.2\n"
                           "0.3 0.4\n0.1 0.6\n778.1 775.5\n668.8 666.9\n339.3 338.0\n448.9 447.5\n"
                           "10.8 11.6\n557.7 556.0\n228.3 228.1\n998.0 995.8\n888.8 887.6\n"
                           "119.6 120.2\n0.3 0.3\n0.6 0.3\n557.6 556.8\n339.3 339.1\n"
                           "888.0 887.2\n998.5 999.0\n778.9 779.0\n10.2 11.1\n117.6 118.3\n"
                           "228.9 229.2\n668.4 669.1\n449.2 448.9\n0.2 0.5";

// Pontius (StRD, quadratic class): load cell deflection y at loads x = 150000 … 3000000, twice.
const double PontiusY[] = {.11019,  .21956,  .32949,  .43899,  .54803,  .65694,  .76562,  .87487,
                           .98292,  1.09146, 1.20001, 1.30822, 1.41599, 1.52399, 1.63194, 1.73947,
                           1.84646, 1.95392, 2.06128, 2.16844, .11052,  .22018,  .32939,  .43886,
                           .54798,  .65739,  .76596,  .87474,  .98300,  1.09150, 1.20004, 1.30818,
                           1.41613, 1.52408, 1.63159, 1.73965, 1.84696, 1.95445, 2.06177, 2.16829};

QString Swapped(const QString &yx)
{
    QStringList rows;
    for (const QString &line : yx.split(u'\n'))
        rows.append(line.section(u' ', 1, 1) + u'\t' + line.section(u' ', 0, 0));
    return rows.join(u'\n');
}

QString Pontius()
{
    QStringList rows;
    for (int i = 0; i < 40; ++i)
        rows.append(QString::number(150000 * (i % 20 + 1)) + u',' + QString::number(PontiusY[i]));
    return rows.join(u'\n');
}

QString Curve(const std::function<double(double)> &f)
{
    QStringList rows;
    for (int x = 1; x <= 12; ++x)
        rows.append(QString::number(x) + u' ' + QString::number(f(x), 'g', 17));
    return rows.join(u'\n');
}

} // namespace

class DataStatisticsLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void readsCells_data();
    void readsCells();
    void readsPastedText_data();
    void readsPastedText();
    void certifiedUnivariate_data();
    void certifiedUnivariate();
    void percentiles_data();
    void percentiles();
    void textbookFigures_data();
    void textbookFigures();
    void groups_data();
    void groups();
    void certifiedRegression_data();
    void certifiedRegression();
    void refusals_data();
    void refusals();
    void copiesInOrder();
    void workingMatchesFigures();
    void keepsTablesInAFile();
};

void DataStatisticsLogicTest::readsCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "12" << true << 12.0;
    QTest::newRow("full-width") << "１２．５" << true << 12.5;
    QTest::newRow("minus sign") << "−3" << true << -3.0;
    QTest::newRow("plus and blanks") << " +4\u3000" << true << 4.0;
    QTest::newRow("exponent") << "1.5e3" << true << 1500.0;
    QTest::newRow("bare point") << ".5" << true << 0.5;
    QTest::newRow("below the doubles") << "1e-400" << true << 0.0;
    QTest::newRow("comma is no point") << "1,5" << false << 0.0;
    QTest::newRow("chinese comma") << "1，5" << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("beyond the doubles") << "1e400" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("blank") << "  " << false << 0.0;
}

void DataStatisticsLogicTest::readsCells()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto number = ReadDataNumber(text);
    QCOMPARE(number.has_value(), isNumber);
    if (number)
        QCOMPARE(number->hi, value);
    // A decimal stays itself beyond a double: ten million and a tenth.
    const auto tenth = ReadDataNumber(QStringLiteral("10000000.1"));
    QCOMPARE((tenth->hi - 10000000) + tenth->lo, 0.1);
}

void DataStatisticsLogicTest::readsPastedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("problems"); // one-variable problems
    QTest::newRow("spreadsheet") << "1\t2\n3\t4\n"
                                 << 2 << 2 << "1|2"
                                 << "";
    QTest::newRow("commas and blanks") << "1, 2\r\n3 ,4" << 2 << 2 << "1|2"
                                       << "";
    QTest::newRow("chinese commas") << "1，2\n3、4" << 2 << 2 << "1|2"
                                    << "";
    QTest::newRow("blanks") << "１  ２\n\n3 4" << 2 << 2 << "1|2"
                            << "";
    QTest::newRow("heading skipped") << "身高\n150\n160" << 2 << 1 << "150|"
                                     << "";
    QTest::newRow("bad cells named") << "1\nabc\n3\n4\nx" << 5 << 1 << "1|"
                                     << "第2、5行不是数";
    QTest::newRow("bad count") << "1\t2\n3\t1.5\n4\t-1" << 3 << 2 << "1|2"
                               << "第2、3行的频数不是非负整数";
    QTest::newRow("count alone") << "1\t2\n\t3" << 2 << 2 << "1|2"
                                 << "第2行只有频数，没有数据";
    QTest::newRow("many bad rows") << "1\na\nb\nc\nd\ne\nf\ng" << 8 << 1 << "1|"
                                   << "第2、3、4、5、6行等共7行不是数";
}

void DataStatisticsLogicTest::readsPastedText()
{
    QFETCH(QString, text);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, firstRow);
    QFETCH(QString, problems);
    const PastedData pasted = *ParseDataText(text);
    QCOMPARE(pasted.rowCount, rows);
    QCOMPARE(pasted.columnCount, columns);
    const DataTable table = TableOf(text);
    QCOMPARE(table.text(0, 0) + u'|' + table.text(0, 1), firstRow);
    QCOMPARE(CollectOneVariable(table)->problems, problems);
}

void DataStatisticsLogicTest::certifiedUnivariate_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("sampleDeviation");
    QTest::newRow("NumAcc1") << "10000001\n10000003\n10000002" << 10000002.0 << 1.0;
    QTest::newRow("NumAcc2") << NumAcc("1.2", "1.1", "1.3") << 1.2 << 0.1;
    QTest::newRow("NumAcc3") << NumAcc("1000000.2", "1000000.1", "1000000.3") << 1000000.2 << 0.1;
    QTest::newRow("NumAcc4") << NumAcc("10000000.2", "10000000.1", "10000000.3") << 10000000.2
                             << 0.1;
    // 0.001 apart from 123456789.123 on: variance d²(n² − 1)/12 with n − 1 in place of n.
    QStringList steps;
    for (qint64 i = 0; i < 1000; ++i)
        steps.append(QString::number(123456789123 + i).insert(9, u'.'));
    QTest::newRow("steps of a thousandth")
            << steps.join(u'\n') << 123456789.6225 << std::sqrt(1e-6 * 1000 * 1001 / 12);
}

void DataStatisticsLogicTest::certifiedUnivariate()
{
    QFETCH(QString, data);
    QFETCH(double, mean);
    QFETCH(double, sampleDeviation);
    const OneVariableFigures f = Analysed(data).figures;
    QVERIFY2(AgreeingDigits(f.mean, mean) >= 15, qPrintable(QString::number(f.mean, 'g', 17)));
    QVERIFY2(AgreeingDigits(*f.sampleStandardDeviation, sampleDeviation) >= 14,
             qPrintable(QString::number(*f.sampleStandardDeviation, 'g', 17)));
    QVERIFY(AgreeingDigits(f.variance * f.n / (f.n - 1), sampleDeviation * sampleDeviation) >= 14);
}

void DataStatisticsLogicTest::percentiles_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("percentile");
    const QString ten = QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    // i = n·p%: not whole, the next rank; whole, the mean of the i-th and the (i+1)-th.
    QTest::newRow("25 of 10: rank 3") << ten << "25"
                                      << "3";
    QTest::newRow("50 of 10: ranks 5 and 6") << ten << "50"
                                             << "5.5";
    QTest::newRow("80 of 10: ranks 8 and 9") << ten << "80"
                                             << "8.5";
    QTest::newRow("12.5 of 10: rank 2") << ten << "12.5"
                                        << "2";
    QTest::newRow("0 is the least") << ten << "0"
                                    << "1";
    QTest::newRow("100 is the greatest") << ten << "100"
                                         << "10";
    QTest::newRow("0.3 of 1000 is whole") << QStringLiteral("1\t999\n2\t1") << "99.9"
                                          << "1.5";
    QTest::newRow("with counts") << "5\t3\n7\t2\n9\t5"
                                 << "30"
                                 << "6";
    QTest::newRow("beyond 100") << ten << "101"
                                << "p应为0到100之间的数";
    QTest::newRow("not a number") << ten << "p"
                                  << "p应为0到100之间的数";
}

void DataStatisticsLogicTest::percentiles()
{
    QFETCH(QString, data);
    QFETCH(QString, p);
    QFETCH(QString, percentile);
    const auto value = Percentile(Analysed(data).sample, p);
    QCOMPARE(value ? NumberText(*value, 10) : value.refusal(), percentile);
}

void DataStatisticsLogicTest::textbookFigures_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("figures"); // as copied
    // Worked by hand: Σx = 40, Σx² = 232, x̄ = 5, Σ(x − x̄)² = 32.
    QTest::newRow("eight values") << "2\n4\n4\n4\n5\n5\n7\n9"
                                  << QStringList{"n = 8",
                                                 "Σx = 40",
                                                 "Σx² = 232",
                                                 "平均数 = 5",
                                                 "中位数 = 4.5",
                                                 "众数 = 4",
                                                 "极差 = 7",
                                                 "最小值 = 2",
                                                 "最大值 = 9",
                                                 "第25百分位数 = 4",
                                                 "第50百分位数 = 4.5",
                                                 "第75百分位数 = 6",
                                                 "方差(除以n) = 4",
                                                 "标准差(除以n) = 2",
                                                 "样本方差(除以n-1) = 4.57142857142857",
                                                 "样本标准差(除以n-1) = 2.1380899352994"};
    QTest::newRow("two modes, one value") << "1\n2\n2\n3\n3" << QStringList{"众数 = 2、3"};
    QTest::newRow("equally frequent") << "1\n2\n3" << QStringList{"众数 = 无"};
    QTest::newRow("one value") << "7"
                               << QStringList{"众数 = 7",
                                              "样本方差(除以n-1) = 只有一个数据，n-1为0"};
    QTest::newRow("counts") << "3\t2\n5\t0\n8\t1" << QStringList{"n = 3", "Σx = 14", "众数 = 3"};
}

void DataStatisticsLogicTest::textbookFigures()
{
    QFETCH(QString, data);
    QFETCH(QStringList, figures);
    const QStringList copied
            = Ui::ResultText(OneVariableValues(Analysed(data).figures, 10)).split(u'\n');
    for (const QString &figure : figures)
        QVERIFY2(copied.contains(figure), qPrintable(figure + u'\n' + copied.join(u'\n')));
}

void DataStatisticsLogicTest::groups_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("grouping");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("counts"); // or the refusal
    // Decimal boundaries: 0.3 opens the third group however 0.1 + 2·0.1 rounds.
    const QString tenths = QStringLiteral("0.1\n0.2\n0.3\n0.3\n0.4");
    QTest::newRow("width, last group closed") << tenths << 1 << "0.1"
                                              << ""
                                              << "1 1 3";
    QTest::newRow("count") << tenths << 0 << "3"
                           << ""
                           << "1 1 3";
    QTest::newRow("start below the least") << tenths << 1 << "0.2"
                                           << "0"
                                           << "1 4";
    QTest::newRow("equal values by width") << "5\n5" << 1 << "2"
                                           << ""
                                           << "2";
    QTest::newRow("start above the least") << tenths << 1 << "0.1"
                                           << "0.15"
                                           << "起点不能大于最小值0.1";
    QTest::newRow("too many groups") << tenths << 1 << "0.0001"
                                     << ""
                                     << "组数超过1000，请把组距放大";
    QTest::newRow("count not whole") << tenths << 0 << "2.5"
                                     << ""
                                     << "组数应为1到1000之间的整数";
    QTest::newRow("width not positive") << tenths << 1 << "0"
                                        << ""
                                        << "组距应为大于0的数";
}

void DataStatisticsLogicTest::groups()
{
    QFETCH(QString, data);
    QFETCH(int, grouping);
    QFETCH(QString, amount);
    QFETCH(QString, start);
    QFETCH(QString, counts);
    const auto histogram = GroupData(Analysed(data).sample, Grouping(grouping), amount, start);
    if (!histogram) {
        QCOMPARE(histogram.refusal(), counts);
        return;
    }
    QStringList found;
    double area = 0;
    for (const HistogramGroup &group : histogram->groups) {
        found.append(QString::number(group.count));
        area += group.density * (group.to - group.from);
    }
    QCOMPARE(found.join(u' '), counts);
    QVERIFY(std::fabs(area - 1) < 1e-12); // the bars' areas are the frequencies
}

void DataStatisticsLogicTest::certifiedRegression_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<double>>("coefficients");
    QTest::addColumn<double>("rSquared");
    QTest::addColumn<double>("digits");
    QTest::newRow("Norris, certified")
            << Swapped(QString::fromLatin1(Norris)) << 0
            << QList<double>{1.00211681802045, -0.262323073774029} << 0.999993745883712 << 12.0;
    QTest::newRow("Pontius, certified")
            << Pontius() << 1
            << QList<double>{-0.316081871345029E-14, 0.732059160401003E-06, 0.673565789473684E-03}
            << std::nan("") << 11.0;
    // By hand: x̄ = 3, ȳ = 4, Σ(x − x̄)(y − ȳ) = 6, Σ(x − x̄)² = 10, Σ(y − ȳ)² = 6.
    QTest::newRow("textbook line")
            << "1 2\n2 4\n3 5\n4 4\n5 5" << 0 << QList<double>{0.6, 2.2} << 0.6 << 15.0;
    // Exact curves give back their own numbers.
    QTest::newRow("exponential") << Curve([](double x) { return 2 * std::exp(0.5 * x); }) << 2
                                 << QList<double>{2, 0.5} << 1.0 << 14.0;
    QTest::newRow("logarithmic") << Curve([](double x) { return 1 + 2 * std::log(x); }) << 3
                                 << QList<double>{1, 2} << 1.0 << 14.0;
    QTest::newRow("power") << Curve([](double x) { return 3 * std::pow(x, -1.5); }) << 4
                           << QList<double>{3, -1.5} << 1.0 << 14.0;
    QTest::newRow("inverse") << Curve([](double x) { return 1 + 2 / x; }) << 5
                             << QList<double>{1, 2} << 1.0 << 14.0;
    // y = 3(x − 10⁶)² − 1 at x = 10⁶ + 1 …: ill-conditioned in powers of x.
    QStringList shifted;
    for (int x = 1; x <= 12; ++x)
        shifted.append(QString::number(1e6 + x, 'g', 17) + u'\t'
                       + QString::number(3.0 * x * x - 1));
    QTest::newRow("quadratic far from 0")
            << shifted.join(u'\n') << 1 << QList<double>{3, -6e6, 3e12 - 1} << 1.0 << 9.0;
}

void DataStatisticsLogicTest::certifiedRegression()
{
    QFETCH(QString, data);
    QFETCH(int, model);
    QFETCH(QList<double>, coefficients);
    QFETCH(double, rSquared);
    QFETCH(double, digits);
    const TwoVariableFigures f = Paired(data);
    const auto &fit = f.fits[std::size_t(model)];
    if (!fit)
        QFAIL(qPrintable(fit.refusal()));
    for (int i = 0; i < coefficients.size(); ++i) {
        const double found = fit->coefficients[std::size_t(i)];
        QVERIFY2(AgreeingDigits(found, coefficients[i]) >= digits,
                 qPrintable(QString::number(found, 'g', 17)));
    }
    if (!std::isnan(rSquared))
        QVERIFY(AgreeingDigits(*fit->rSquared, rSquared) >= digits);
    if (model == 0)
        QVERIFY(AgreeingDigits(*f.r * *f.r, *fit->rSquared) >= 13); // r² = R² for a line
}

void DataStatisticsLogicTest::refusals_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QStringList>("figures"); // as copied
    QTest::newRow("ln of a negative y")
            << "1 -2\n2 3\n3 4"
            << QStringList{"指数 R² = 有y≤0，不能取ln y，指数模型不适用",
                           "幂 a = 有x≤0或y≤0，不能取对数，幂模型不适用", "线性 b = 3"};
    QTest::newRow("all x equal") << "2 1\n2 3"
                                 << QStringList{"线性 b = 所有x都相等，无法拟合",
                                                "r = x或y全都相等，r无意义"};
    QTest::newRow("two x for a parabola")
            << "1 1\n2 3\n2 4" << QStringList{"二次 c = x的不同取值少于3个，无法拟合"};
    QTest::newRow("x at 0") << "0 1\n1 3\n2 4"
                            << QStringList{"反比例 a = 有x=0，反比例模型不适用",
                                           "对数 b = 有x≤0，不能取ln x，对数模型不适用"};
    QTest::newRow("all y equal") << "1 5\n2 5\n3 5"
                                 << QStringList{"线性 b = 0", "线性 R² = 所有y都相等，R²无意义"};
}

void DataStatisticsLogicTest::refusals()
{
    QFETCH(QString, data);
    QFETCH(QStringList, figures);
    const QStringList copied = Ui::ResultText(TwoVariableValues(Paired(data), 10)).split(u'\n');
    for (const QString &figure : figures)
        QVERIFY2(copied.contains(figure), qPrintable(figure + u'\n' + copied.join(u'\n')));
}

void DataStatisticsLogicTest::copiesInOrder()
{
    const auto names = [](const Ui::NamedValues &lines) {
        QStringList found;
        for (const Ui::NamedValue &line : lines)
            found.append(line.name);
        return found.join(u',');
    };
    QCOMPARE(names(OneVariableValues(Analysed(QStringLiteral("1\n2")).figures, 10)),
             QStringLiteral("n,Σx,Σx²,平均数,中位数,众数,极差,最小值,最大值,第25百分位数,"
                            "第50百分位数,第75百分位数,方差(除以n),标准差(除以n),"
                            "样本方差(除以n-1),样本标准差(除以n-1)"));
    QCOMPARE(
            names(TwoVariableValues(Paired(QStringLiteral("1 2\n2 3\n4 4")), 10)),
            QStringLiteral("n,平均数x,平均数y,Σx,Σy,Σx²,Σy²,Σxy,r,线性 b,线性 a,线性 R²,二次 a,"
                           "二次 b,二次 c,二次 R²,指数 a,指数 b,指数 R²,对数 a,对数 b,对数 R²,幂 a,"
                           "幂 b,幂 R²,反比例 a,反比例 b,反比例 R²"));
}

void DataStatisticsLogicTest::workingMatchesFigures()
{
    const QString data = QStringLiteral("1 2\n2 4\n3 5\n4 4\n5 5");
    const TwoVariableFigures f = Paired(data);
    const Ui::Working line = LinearFitWorking(f, 10);
    QCOMPARE(line.last().rows.last().first(), QStringLiteral("所以 ŷ = 0.6x + 2.2"));
    const OneVariableData column
            = *CollectOneVariable(TableOf(QStringLiteral("2\n4\n4\n4\n5\n5\n7\n9")));
    const Ui::Working spread
            = OneVariableWorking(column, (**AnalyseOneVariable(column)).figures, 10);
    QCOMPARE(spread.first().rows.last().first(), QStringLiteral("= 5"));
    QCOMPARE(spread.last().rows.at(2).first(), QStringLiteral("= 32/8"));
}

void DataStatisticsLogicTest::keepsTablesInAFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("data.txt"));
    DataTables tables;
    tables.oneVariable = TableOf(QStringLiteral("1.5\t2\nabc\t\n\n10000000.1"));
    tables.twoVariables = TableOf(QStringLiteral("1 2\n3 4"));
    QVERIFY(DataTablesFile(path).Save(tables));
    const DataTables read = DataTablesFile(path).Load();
    QCOMPARE(DataTablesText(read), DataTablesText(tables));
    QCOMPARE(read.oneVariable.text(1, 0), QStringLiteral("abc"));
    QCOMPARE(read.oneVariable.rowCount(), 3);

    // A corrupt file starts empty tables and is kept aside at the first save.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not the tables");
    file.close();
    DataTablesFile corrupt(path);
    QCOMPARE(corrupt.Load().twoVariables.rowCount(), 0);
    QVERIFY(corrupt.Save(tables));
    QFile aside(path + QStringLiteral(".bad"));
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), QByteArray("not the tables"));
}

QTEST_GUILESS_MAIN(DataStatisticsLogicTest)
#include "tst_datastatisticslogic.moc"
