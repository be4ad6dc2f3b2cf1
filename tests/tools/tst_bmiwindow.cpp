#include "app/programstate.h"
#include "tools/applied/bmichart.h"
#include "tools/applied/bmiwindow.h"
#include "ui/editbox.h"
#include "ui/picturebutton.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Applied;

namespace {

// The chart colour of the category the calculator names in `text`.
QColor ColourOfCategoryNamed(const QString &text)
{
    for (int index = 0; index < CategoryCount; ++index) {
        if (CategoryText(BmiCategory(index)) == text)
            return BmiChart::CategoryColor(BmiCategory(index));
    }
    return QColor();
}

} // namespace

class BmiWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void computes_data();
    void computes();
    void refusesInput_data();
    void refusesInput();
    void chartViewOpensAndReturns();
    void chartAgreesWithCalculator();
    void chartLegendShowsEveryCategory();
    void closesOnCloseAllFlag();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    void Compute(const QString &height, int heightUnit, const QString &weight, int weightUnit);
    void ClickPicture(const char *name)
    {
        QTest::mouseClick(FindControl<PictureButton>(m_window, name), Qt::LeftButton);
    }
    QImage ChartPicture();

    QPointer<BmiWindow> m_window;
};

void BmiWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<BmiWindow>(m_window));
}

void BmiWindowTest::Compute(const QString &height, int heightUnit, const QString &weight,
                            int weightUnit)
{
    for (const char *name : {"编辑框1", "编辑框2"}) {
        Box(name)->selectAll();
        QTest::keyClick(Box(name), Qt::Key_Backspace);
    }
    QTest::keyClicks(Box("编辑框1"), height);
    QTest::keyClicks(Box("编辑框2"), weight);
    FindControl<QComboBox>(m_window, "组合框1")->setCurrentIndex(heightUnit);
    FindControl<QComboBox>(m_window, "组合框2")->setCurrentIndex(weightUnit);
    QTest::mouseClick(FindControl<QPushButton>(m_window, "按钮1"), Qt::LeftButton);
}

QImage BmiWindowTest::ChartPicture()
{
    QWidget *chart = FindControl<QWidget>(m_window, "图片框1");
    QImage picture = chart->grab().toImage();
    return picture.scaled(chart->size()); // logical pixels, whatever the screen scale
}

void BmiWindowTest::captions()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("体质指数(BMI)"));
    const QList<QPair<const char *, const char *>> labels{{"标签1", "身高："},
                                                          {"标签2", "体重："},
                                                          {"标签3", "BMI="},
                                                          {"透明标签1", "BMI表"},
                                                          {"透明标签2", "返回计算"}};
    for (const auto &[name, text] : labels)
        QCOMPARE(FindControl<QLabel>(m_window, name)->text(), QString::fromUtf8(text));
    QCOMPARE(FindControl<QPushButton>(m_window, "按钮1")->text(),
             QStringLiteral("计算体质指数(BMI)"));
    auto *heightUnit = FindControl<QComboBox>(m_window, "组合框1");
    QCOMPARE(heightUnit->count(), 2);
    QCOMPARE(heightUnit->itemText(1), QStringLiteral("厘米"));
    QCOMPARE(heightUnit->currentText(), QStringLiteral("米"));
    auto *weightUnit = FindControl<QComboBox>(m_window, "组合框2");
    QCOMPARE(weightUnit->itemText(1), QStringLiteral("市斤"));
    QCOMPARE(weightUnit->currentText(), QStringLiteral("千克"));
    QVERIFY(Box("编辑框1")->hasFocus());
}

void BmiWindowTest::computes_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("heightUnit");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<int>("weightUnit");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("category");
    QTest::newRow("metres, kilograms") << "1.75" << 0 << "70" << 0 << "22.8571"
                                       << "适中";
    QTest::newRow("centimetres, jin") << "175" << 1 << "140" << 1 << "22.8571"
                                      << "适中";
    QTest::newRow("light") << "1.70" << 0 << "49" << 0 << "16.955"
                           << "过轻";
    QTest::newRow("exactly 25") << "2" << 0 << "100" << 0 << "25"
                                << "过重";
    QTest::newRow("exactly 32") << "200" << 1 << "256" << 1 << "32"
                                << "超重";
    QTest::newRow("just under 25 by less than 1e-7") << "1" << 0 << "24.99999995" << 0 << "25"
                                                     << "过重";
    QTest::newRow("just under 25") << "1" << 0 << "24.9999" << 0 << "24.9999"
                                   << "适中";
    QTest::newRow("obese") << "1.6" << 0 << "75" << 0 << "29.2969"
                           << "肥胖";
    QTest::newRow("trailing text ignored") << "1.75m" << 0 << "70kg" << 0 << "22.8571"
                                           << "适中";
}

void BmiWindowTest::computes()
{
    QFETCH(QString, height);
    QFETCH(int, heightUnit);
    QFETCH(QString, weight);
    QFETCH(int, weightUnit);
    QFETCH(QString, index);
    QFETCH(QString, category);
    Compute(height, heightUnit, weight, weightUnit);
    QCOMPARE(Box("编辑框3")->text(), index);
    QCOMPARE(Box("编辑框4")->text(), category);
}

void BmiWindowTest::refusesInput_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("heightUnit");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<int>("weightUnit");
    QTest::addColumn<QString>("message");
    const QString height = QStringLiteral("请输入正确的身高！");
    const QString weight = QStringLiteral("请输入正确的体重！");
    QTest::newRow("0.4 m") << "0.4" << 0 << "70" << 0 << height;
    QTest::newRow("40 cm") << "40" << 1 << "70" << 0 << height;
    QTest::newRow("empty boxes") << "" << 0 << "" << 0 << height;
    QTest::newRow("2.9 kg") << "1.75" << 0 << "2.9" << 0 << weight;
    QTest::newRow("5.9 jin") << "1.75" << 0 << "5.9" << 1 << weight;
    QTest::newRow("letters") << "1.75" << 0 << "abc" << 0 << weight;
}

void BmiWindowTest::refusesInput()
{
    QFETCH(QString, height);
    QFETCH(int, heightUnit);
    QFETCH(QString, weight);
    QFETCH(int, weightUnit);
    QFETCH(QString, message);
    Compute(QStringLiteral("1.75"), 0, QStringLiteral("70"), 0);
    QCOMPARE(TakeMessages(), {});
    Compute(height, heightUnit, weight, weightUnit);
    QCOMPARE(TakeMessages(), QList<ShownMessage>({{QStringLiteral("信息："), message}}));
    // The earlier result went with the inputs it was computed from.
    QCOMPARE(Box("编辑框3")->text(), QString());
    QCOMPARE(Box("编辑框4")->text(), QString());
}

void BmiWindowTest::chartViewOpensAndReturns()
{
    QWidget *chart = FindControl<QWidget>(m_window, "图片框1");
    QWidget *cover = FindControl<QWidget>(m_window, "图片框2");
    QVERIFY(!chart->isVisible() && !cover->isVisible());
    const QSize small = m_window->size();
    ClickPicture("图形按钮1");
    QVERIFY(chart->isVisible() && cover->isVisible());
    QVERIFY(!Box("编辑框1")->isVisible());
    QTRY_VERIFY(m_window->width() > chart->width() && m_window->height() > chart->height());
    ClickPicture("图形按钮2");
    QVERIFY(!chart->isVisible() && !cover->isVisible());
    QVERIFY(Box("编辑框1")->isVisible());
    QTRY_COMPARE(m_window->size(), small);
}

// Every cell of the picture has the colour of the category the calculator names for it.
void BmiWindowTest::chartAgreesWithCalculator()
{
    ClickPicture("图形按钮1");
    auto *chart = FindControl<BmiChart>(m_window, "图片框1");
    const QImage picture = ChartPicture();
    ClickPicture("图形按钮2");
    const std::vector<double> heights = ChartHeightsCm();
    const std::vector<double> weights = ChartWeightsKg();
    for (int row = 0; row < int(heights.size()); ++row) {
        for (int column = 0; column < int(weights.size()); ++column) {
            Compute(QString::number(heights[row]), 1, QString::number(weights[column]), 0);
            const QColor shown
                    = picture.pixelColor(chart->CellRect(row, column).topLeft() + QPoint(3, 3));
            QCOMPARE(shown, ColourOfCategoryNamed(Box("编辑框4")->text()));
        }
    }
}

void BmiWindowTest::chartLegendShowsEveryCategory()
{
    ClickPicture("图形按钮1");
    auto *chart = FindControl<BmiChart>(m_window, "图片框1");
    const QImage picture = ChartPicture();
    QSet<QRgb> colours;
    for (int index = 0; index < CategoryCount; ++index) {
        const auto category = BmiCategory(index);
        const QColor swatch = picture.pixelColor(chart->LegendSwatch(category).center());
        QCOMPARE(swatch, BmiChart::CategoryColor(category));
        colours.insert(swatch.rgb());
    }
    QCOMPARE(colours.size(), CategoryCount);
}

void BmiWindowTest::closesOnCloseAllFlag()
{
    ClickPicture("图形按钮1");
    SetCloseAllToolsFlag(1);
    QTRY_VERIFY(m_window.isNull());
}

QTEST_MAIN(BmiWindowTest)
#include "tst_bmiwindow.moc"
