#include "app/programstate.h"
#include "tools/functions/linearsystemwindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString NoSolution = QStringLiteral("方程组无解");
const QString Infinitely = QStringLiteral("方程组有无数组解");
// a1, b1, c1, a2, b2, c2.
const QStringList InputNames{"编辑框1", "编辑框3", "编辑框6", "编辑框2", "编辑框4", "编辑框5"};

} // namespace

class LinearSystemWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void controlsAndCaptions();
    void typedSystemGivesSteps_data();
    void typedSystemGivesSteps();
    void eachClickReplacesTheSteps();
    void stepsAreReadOnly();
    void tabMovesThroughCoefficientsInReadingOrder();

private:
    LinearSystemWindow *OpenWindow();
    // Types a1, b1, c1, a2, b2, c2 and clicks "计算"; returns what 编辑框7 shows.
    QString TypeAndSolve(LinearSystemWindow *window, const QStringList &inputs);
};

LinearSystemWindow *LinearSystemWindowTest::OpenWindow()
{
    LinearSystemWindow *window = nullptr;
    if (!OpenToolWindow<LinearSystemWindow>(window))
        qWarning("window did not become active");
    return window;
}

QString LinearSystemWindowTest::TypeAndSolve(LinearSystemWindow *window, const QStringList &inputs)
{
    for (int i = 0; i < InputNames.size(); ++i) {
        auto *box = FindControl<EditBox>(window, InputNames[i]);
        box->clear();
        TypeText(box, inputs.value(i));
    }
    QTest::mouseClick(FindControl<QPushButton>(window, QStringLiteral("按钮1")), Qt::LeftButton);
    return FindControl<MultiLineEditBox>(window, QStringLiteral("编辑框7"))->text();
}

void LinearSystemWindowTest::controlsAndCaptions()
{
    LinearSystemWindow *window = OpenWindow();
    const QList<std::pair<const char *, const char *>> labels{
            {"透明标签1", "{"}, {"透明标签2", "x"},   {"透明标签3", "x"},   {"透明标签4", "+"},
            {"透明标签5", "+"}, {"透明标签6", "y ="}, {"透明标签7", "y ="}, {"透明标签8", "="},
            {"透明标签9", "="}, {"透明标签10", "①"},  {"透明标签11", "②"}};
    for (const auto &[name, text] : labels) {
        auto *label = FindControl<QLabel>(window, QString::fromUtf8(name));
        QCOMPARE(label->text(), QString::fromUtf8(text));
        QVERIFY(label->isVisible());
    }
    QCOMPARE(FindControl<QPushButton>(window, QStringLiteral("按钮1"))->text(),
             QStringLiteral("计算"));
    for (const QString &name : InputNames)
        QVERIFY(FindControl<EditBox>(window, name)->text().isEmpty());
    QVERIFY(FindControl<MultiLineEditBox>(window, QStringLiteral("编辑框7"))->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), FindControl<EditBox>(window, QStringLiteral("编辑框1")));
}

void LinearSystemWindowTest::typedSystemGivesSteps_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("steps");
    QTest::newRow("worked example")
            << QStringList{"1", "1", "3", "1", "-1", "1"}
            << "①×(-1)－②×1\r\n    得：-2x=-4\r\n    x=2\r\n②×1－①×1\r\n    得：-2y=-2\r\n    y=1";
    QTest::newRow("all empty") << QStringList{} << Infinitely;
    QTest::newRow("no solution") << QStringList{"1", "1", "1", "1", "1", "2"} << NoSolution;
    QTest::newRow("not a number") << QStringList{"1", "1", "1", "1", "1", "2y"}
                                  << "c2：“y”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4";
}

void LinearSystemWindowTest::typedSystemGivesSteps()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, steps);
    LinearSystemWindow *window = OpenWindow();
    QCOMPARE(TypeAndSolve(window, inputs), steps);
}

void LinearSystemWindowTest::eachClickReplacesTheSteps()
{
    LinearSystemWindow *window = OpenWindow();
    QCOMPARE(TypeAndSolve(window, {"2", "4", "6", "1", "2", "3"}), Infinitely);
    const QString solved = TypeAndSolve(window, {"1", "1", "3", "1", "-1", "1"});
    QVERIFY(solved.startsWith(QStringLiteral("①×(-1)－②×1")));
    QVERIFY(solved.endsWith(QStringLiteral("    y=1")));
    QCOMPARE(TypeAndSolve(window, {"1", "1", "3", "1", "-1", "1"}), solved);
}

void LinearSystemWindowTest::stepsAreReadOnly()
{
    LinearSystemWindow *window = OpenWindow();
    auto *steps = FindControl<MultiLineEditBox>(window, QStringLiteral("编辑框7"));
    steps->setFocus();
    QTest::keyClicks(steps, QStringLiteral("abc"));
    QVERIFY(steps->text().isEmpty());
}

void LinearSystemWindowTest::tabMovesThroughCoefficientsInReadingOrder()
{
    LinearSystemWindow *window = OpenWindow();
    for (const QString &name : InputNames) {
        QCOMPARE(QApplication::focusWidget(), FindControl<EditBox>(window, name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(),
             FindControl<QPushButton>(window, QStringLiteral("按钮1")));
}

// The timer polls the close-all flag like that of every other tool window.

QTEST_MAIN(LinearSystemWindowTest)
#include "tst_linearsystemwindow.moc"
