#include "app/programstate.h"
#include "tools/functions/quadraticinequalitywindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class QuadraticInequalityWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensReadyForInput();
    void solvesOnClick_data();
    void solvesOnClick();
    void zeroLeadingCoefficientIsRefused_data();
    void zeroLeadingCoefficientIsRefused();

private:
    void OpenWindow();
    void Type(const char *box, const QString &text);
    void Compute();
    QString Steps() const;
    QString Answer() const;

    QuadraticInequalityWindow *m_window = nullptr;
};

void QuadraticInequalityWindowTest::OpenWindow()
{
    QVERIFY(OpenToolWindow<QuadraticInequalityWindow>(m_window));
}

void QuadraticInequalityWindowTest::Type(const char *box, const QString &text)
{
    auto *edit = FindControl<EditBox>(m_window, QString::fromUtf8(box));
    edit->selectAll();
    QTest::keyClicks(edit, text);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
}

void QuadraticInequalityWindowTest::Compute()
{
    QTest::mouseClick(FindControl<QPushButton>(m_window, "按钮1"), Qt::LeftButton);
}

QString QuadraticInequalityWindowTest::Steps() const
{
    return FindControl<MultiLineEditBox>(m_window, "编辑框1")->text();
}

QString QuadraticInequalityWindowTest::Answer() const
{
    return FindControl<EditBox>(m_window, "编辑框2")->text();
}

void QuadraticInequalityWindowTest::opensReadyForInput()
{
    OpenWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("一元二次不等式"));
    QVERIFY(FindControl<EditBox>(m_window, "二次项输入框")->hasFocus());
    auto *relation = FindControl<QComboBox>(m_window, "组合框1");
    QCOMPARE(relation->count(), 2);
    QCOMPARE(relation->itemText(0), QStringLiteral("＞"));
    QCOMPARE(relation->itemText(1), QStringLiteral("＜"));
    QCOMPARE(relation->currentIndex(), 0);
    QCOMPARE(FindControl<EditBox>(m_window, "等号后输入框")->text(), QStringLiteral("0"));
    QCOMPARE(FindControl<QPushButton>(m_window, "按钮1")->text(), QStringLiteral("计算"));

    // Tab follows the inequality as it reads.
    const QStringList order{"一次项输入框", "常数项输入框", "组合框1", "等号后输入框"};
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void QuadraticInequalityWindowTest::solvesOnClick_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("d");
    QTest::addColumn<int>("relation");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answer");
    const QString up = "a>0，所以开口朝上\r\n";
    const QString down = "a<0，所以开口朝下\r\n";
    const QString two = "△>0，所以抛物线与x轴有两个交点\r\n";
    QTest::newRow("worked example")
            << "1"
            << "0"
            << "-1"
            << "0" << 0 << up + two + "x轴上方有：(-∞,-1)∪(1,+∞)\r\nx轴下方有：(-1,1)\r\n"
            << "x∈(-∞,-1)∪(1,+∞)";
    QTest::newRow("opens down") << "-1"
                                << ""
                                << "1"
                                << "0" << 0
                                << down + two + "x轴上方有：(-1,1)\r\nx轴下方有：(-∞,-1)∪(1,+∞)\r\n"
                                << "x∈(-1,1)";
    QTest::newRow("touching, less") << "1"
                                    << "2"
                                    << "1"
                                    << "0" << 1
                                    << up
                    + "△=0，所以抛物线与x轴有一个交点\r\n"
                      "x轴上方有：(-∞,-1)∪(-1,+∞)\r\n"
                                    << "x∈空集";
    QTest::newRow("touching, greater leaves the point out")
            << "1"
            << "2"
            << "1"
            << "0" << 0 << up + "△=0，所以抛物线与x轴有一个交点\r\nx轴上方有：(-∞,-1)∪(-1,+∞)\r\n"
            << "x∈(-∞,-1)∪(-1,+∞)";
    QTest::newRow("no crossing") << "1"
                                 << "0"
                                 << "1"
                                 << "0" << 0
                                 << up + "△<0，所以抛物线与x轴没有交点\r\nx轴上方有：R\r\n"
                                 << "x∈R";
    QTest::newRow("no crossing, less")
            << "1"
            << "0"
            << "1"
            << "0" << 1 << up + "△<0，所以抛物线与x轴没有交点\r\nx轴上方有：R\r\n"
            << "x∈空集";
    QTest::newRow("right side moved over")
            << "1"
            << "0"
            << "0"
            << "4" << 1 << up + two + "x轴上方有：(-∞,-2)∪(2,+∞)\r\nx轴下方有：(-2,2)\r\n"
            << "x∈(-2,2)";
    QTest::newRow("a fraction read whole")
            << "1/2"
            << ""
            << "-2"
            << "0" << 1 << up + two + "x轴上方有：(-∞,-2)∪(2,+∞)\r\nx轴下方有：(-2,2)\r\n"
            << "x∈(-2,2)";
    // Δ = 1.6e-13: two crossings, decided exactly.
    QTest::newRow("just above the zero bound")
            << "0.0000002"
            << ""
            << "-0.0000002"
            << "0" << 0 << up + two + "x轴上方有：(-∞,-1)∪(1,+∞)\r\nx轴下方有：(-1,1)\r\n"
            << "x∈(-∞,-1)∪(1,+∞)";
}

void QuadraticInequalityWindowTest::solvesOnClick()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, d);
    QFETCH(int, relation);
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    OpenWindow();
    Type("二次项输入框", a);
    Type("一次项输入框", b);
    Type("常数项输入框", c);
    Type("等号后输入框", d);
    auto *combo = FindControl<QComboBox>(m_window, "组合框1");
    combo->setFocus();
    if (relation == 1)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), relation);
    QCOMPARE(Steps(), QString()); // nothing until "计算"
    Compute();
    QCOMPARE(Steps(), steps);
    QCOMPARE(Answer(), answer);
}

void QuadraticInequalityWindowTest::zeroLeadingCoefficientIsRefused_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("message");
    const QString zero = QStringLiteral("二次项系数等于0，请重新输入！");
    QTest::newRow("empty") << "" << zero;
    QTest::newRow("zero") << "0" << zero;
    QTest::newRow("1e-8") << "1e-8" << zero;
    QTest::newRow("letters") << "a"
                             << "a：“a”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4";
}

void QuadraticInequalityWindowTest::zeroLeadingCoefficientIsRefused()
{
    QFETCH(QString, a);
    QFETCH(QString, message);
    OpenWindow();
    // A solved inequality first, so that clearing the outputs shows.
    Type("二次项输入框", QStringLiteral("1"));
    Type("常数项输入框", QStringLiteral("-1"));
    Compute();
    QVERIFY(!Answer().isEmpty());

    Type("二次项输入框", a);
    Compute();
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"错误！", message}}));
    QCOMPARE(Steps(), QString());
    QCOMPARE(Answer(), QString());
}

QTEST_MAIN(QuadraticInequalityWindowTest)
#include "tst_quadraticinequalitywindow.moc"
