#include "app/programstate.h"
#include "tools/functions/threepointquadraticwindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString SameXMessage = QStringLiteral("请检查函数自变量，有相同自变量！");
const QString CollinearMessage = QStringLiteral("三点共线，不能确定二次函数");
const QStringList InputNames{"编辑框x", "编辑框fx", "编辑框y", "编辑框fy", "编辑框z", "编辑框fz"};

} // namespace

class ThreePointQuadraticWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void typedPointsGiveCoefficients_data();
    void typedPointsGiveCoefficients();
    void sameXValuesAreReported_data();
    void sameXValuesAreReported();
    void rejectionShowsNoResults();
    void resultsAreReadOnly();
    void tabMovesThroughPointsInReadingOrder();
    void pageWithAKnownCoefficientComputes_data();
    void pageWithAKnownCoefficientComputes();

private:
    ThreePointQuadraticWindow *OpenWindow();
    // Types the six inputs in reading order (x₁, f(x₁), x₂, …) and clicks "计算".
    void TypeAndCompute(ThreePointQuadraticWindow *window, const QStringList &inputs);
    QStringList Results(ThreePointQuadraticWindow *window);
};

ThreePointQuadraticWindow *ThreePointQuadraticWindowTest::OpenWindow()
{
    ThreePointQuadraticWindow *window = nullptr;
    if (!OpenToolWindow<ThreePointQuadraticWindow>(window))
        qWarning("window did not become active");
    return window;
}

void ThreePointQuadraticWindowTest::TypeAndCompute(ThreePointQuadraticWindow *window,
                                                   const QStringList &inputs)
{
    for (int i = 0; i < InputNames.size(); ++i) {
        auto *box = FindControl<EditBox>(window, InputNames[i]);
        box->clear();
        TypeText(box, inputs.value(i));
    }
    QTest::mouseClick(FindControl<QPushButton>(window, QStringLiteral("按钮1")), Qt::LeftButton);
}

QStringList ThreePointQuadraticWindowTest::Results(ThreePointQuadraticWindow *window)
{
    return {FindControl<EditBox>(window, QStringLiteral("编辑框a"))->text(),
            FindControl<EditBox>(window, QStringLiteral("编辑框b"))->text(),
            FindControl<EditBox>(window, QStringLiteral("编辑框c"))->text()};
}

void ThreePointQuadraticWindowTest::controlsAndCaptions()
{
    ThreePointQuadraticWindow *window = OpenWindow();
    auto *tabs = FindControl<QTabWidget>(window, QStringLiteral("选择夹1"));
    QCOMPARE(tabs->count(), 4);
    const QStringList pages{"不知道任何系数", "已知a", "已知b", "已知c"};
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(tabs->tabText(i), pages[i]);
    const auto labelText = [window](const char *name) {
        return FindControl<QLabel>(window, QString::fromUtf8(name))->text();
    };
    QCOMPARE(labelText("标签1"), QStringLiteral("已知函数f(x)=ax+bx+c\n"));
    QCOMPARE(labelText("透明标签1"), QStringLiteral("2"));
    QCOMPARE(labelText("标签5"), QStringLiteral("﹛"));
    for (const char *name : {"标签2", "标签3", "标签4"})
        QCOMPARE(labelText(name), QStringLiteral("f(     )=\n"));
    QCOMPARE(labelText("标签6"), QStringLiteral("a="));
    QCOMPARE(labelText("标签8"), QStringLiteral("b="));
    QCOMPARE(labelText("标签7"), QStringLiteral("c="));
    QCOMPARE(FindControl<QPushButton>(window, QStringLiteral("按钮1"))->text(),
             QStringLiteral("计算"));
    for (const QString &name : InputNames)
        QVERIFY(FindControl<EditBox>(window, name)->text().isEmpty());
    QCOMPARE(Results(window), QStringList({"", "", ""}));
    QCOMPARE(QApplication::focusWidget(), FindControl<EditBox>(window, QStringLiteral("编辑框x")));
}

void ThreePointQuadraticWindowTest::typedPointsGiveCoefficients_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("x squared") << QStringList{"0", "0", "1", "1", "2", "4"}
                               << QStringList{"1", "0", "0"};
    QTest::newRow("fractions where the numbers are not whole")
            << QStringList{"0", "0", "1", "1", "3", "2"}
            << QStringList{"-1/6≈-0.1666666666667", "7/6≈1.166666666667", "0"};
    QTest::newRow("2x²-3x+5") << QStringList{"1", "4", "2", "7", "-1", "10"}
                              << QStringList{"2", "-3", "5"};
    QTest::newRow("decimals and exponents")
            << QStringList{"0.5", "0.25", "1.5e0", "2.25", "-.5", "0.25"}
            << QStringList{"1", "0", "0"};
    QTest::newRow("full-width digits")
            << QStringList{"０", "１", "１", "２", "２", "５"} << QStringList{"1", "0", "1"};
    QTest::newRow("empty f(x) reads as 0")
            << QStringList{"-1", "", "1", "", "2", "3"} << QStringList{"1", "0", "-1"};
    QTest::newRow("huge f(x) exactly") << QStringList{"0", "1e999", "1", "0", "2", "0"}
                                       << QStringList{"5e+998", "-1.5e+999", "1e+999"};
}

void ThreePointQuadraticWindowTest::typedPointsGiveCoefficients()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    ThreePointQuadraticWindow *window = OpenWindow();
    TypeAndCompute(window, inputs);
    QCOMPARE(Results(window), results);
}

void ThreePointQuadraticWindowTest::sameXValuesAreReported_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message");
    QTest::newRow("1, 1.00000001, 3")
            << QStringList{"1", "2", "1.00000001", "3", "3", "4"} << SameXMessage;
    QTest::newRow("second and third") << QStringList{"1", "2", "5", "3", "5", "4"} << SameXMessage;
    QTest::newRow("first and third") << QStringList{"-2", "2", "5", "3", "-2", "4"} << SameXMessage;
    QTest::newRow("all empty") << QStringList{} << SameXMessage;
    QTest::newRow("collinear") << QStringList{"0", "1", "1", "3", "2", "5"} << CollinearMessage;
    QTest::newRow("letters refused, not cut to digits")
            << QStringList{"1abc", "1", "2", "4", "3", "9"}
            << "第1个点的x：“a”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4";
}

void ThreePointQuadraticWindowTest::sameXValuesAreReported()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    ThreePointQuadraticWindow *window = OpenWindow();
    TypeAndCompute(window, inputs);
    // The message box is modal: the click returns once it was answered.
    QCOMPARE(TakeMessages(), QList<ShownMessage>({{QStringLiteral("信息："), message}}));
    QCOMPARE(Results(window), QStringList({"", "", ""}));
}

void ThreePointQuadraticWindowTest::rejectionShowsNoResults()
{
    ThreePointQuadraticWindow *window = OpenWindow();
    TypeAndCompute(window, {"0", "0", "1", "1", "2", "4"});
    QCOMPARE(Results(window), QStringList({"1", "0", "0"}));
    TypeAndCompute(window, {"2", "0", "1", "1", "2", "4"});
    QCOMPARE(TakeMessages().size(), 1);
    QCOMPARE(Results(window), QStringList({"", "", ""}));
    TypeAndCompute(window, {"1", "4", "2", "7", "-1", "10"});
    QCOMPARE(Results(window), QStringList({"2", "-3", "5"}));
}

void ThreePointQuadraticWindowTest::resultsAreReadOnly()
{
    ThreePointQuadraticWindow *window = OpenWindow();
    TypeAndCompute(window, {"0", "0", "1", "1", "2", "4"});
    auto *a = FindControl<EditBox>(window, QStringLiteral("编辑框a"));
    a->setFocus();
    QTest::keyClicks(a, QStringLiteral("9"));
    QCOMPARE(a->text(), QStringLiteral("1"));
}

void ThreePointQuadraticWindowTest::tabMovesThroughPointsInReadingOrder()
{
    ThreePointQuadraticWindow *window = OpenWindow();
    for (const QString &name : InputNames) {
        QCOMPARE(QApplication::focusWidget(), FindControl<EditBox>(window, name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(),
             FindControl<QPushButton>(window, QStringLiteral("按钮1")));
}

void ThreePointQuadraticWindowTest::pageWithAKnownCoefficientComputes_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("inputs"); // in reading order: known value, x₁, f(x₁), x₂, f(x₂)
    QTest::addColumn<QStringList>("results"); // the two result boxes and their texts
    QTest::addColumn<QString>("badX2"); // an x₂ the page refuses
    QTest::addColumn<QString>("message");
    QTest::addRow("已知a") << 1 << QStringList{"1", "1", "6", "2", "11"}
                           << QStringList{"编辑框b2", "2", "编辑框c2", "3"} << "1"
                           << "请检查函数自变量，有相同自变量！";
    QTest::addRow("已知b") << 2 << QStringList{"-3", "1", "4", "2", "7"}
                           << QStringList{"编辑框a3", "2", "编辑框c3", "5"} << "-1"
                           << "请检查函数自变量，有互为相反数的自变量！";
    QTest::addRow("已知c") << 3 << QStringList{"3", "1", "0", "3", "0"}
                           << QStringList{"编辑框a4", "1", "编辑框b4", "-4"} << "0"
                           << "请检查函数自变量，有等于0的自变量！";
}

// Typed in Tab order, computed by Enter in the last input; a refused x₂ clears the results,
// which no longer belong to the points.
void ThreePointQuadraticWindowTest::pageWithAKnownCoefficientComputes()
{
    QFETCH(int, page);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    QFETCH(QString, badX2);
    QFETCH(QString, message);
    ThreePointQuadraticWindow *window = OpenWindow();
    QTabBar *tabs = FindControl<QTabWidget>(window, QStringLiteral("选择夹1"))->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    const QString n = QString::number(page + 1);
    const QString known = QStringList{"a", "b", "c"}.at(page - 1);
    const QStringList order{known, "x", "fx", "y", "fy"};
    QTest::mouseClick(FindControl<EditBox>(window, "编辑框" + known + n), Qt::LeftButton);
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(QApplication::focusWidget(),
                 FindControl<EditBox>(window, "编辑框" + order[i] + n));
        QTest::keyClicks(QApplication::focusWidget(), inputs[i]);
        if (i + 1 < order.size())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const auto shown = [&] {
        return QStringList{results[0], FindControl<EditBox>(window, results[0])->text(), results[2],
                           FindControl<EditBox>(window, results[2])->text()};
    };
    QCOMPARE(shown(), results);

    auto *x2 = FindControl<EditBox>(window, "编辑框y" + n);
    x2->clear();
    TypeText(x2, badX2);
    QTest::mouseClick(FindControl<QPushButton>(window, "按钮" + n), Qt::LeftButton);
    QCOMPARE(TakeMessages(), QList<ShownMessage>({{QStringLiteral("信息："), message}}));
    QCOMPARE(shown(), (QStringList{results[0], "", results[2], ""}));
}

QTEST_MAIN(ThreePointQuadraticWindowTest)
#include "tst_threepointquadraticwindow.moc"
